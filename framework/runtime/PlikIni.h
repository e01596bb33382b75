#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// A parameter file held in memory: [sections] of key=value lines. Section and
// key names compare without regard to case, as the system's own INI files do.
class TPlikIni
{
public:
    // Larger files are not loaded at all.
    static constexpr qint64 MaksymalnyRozmiar = 1024 * 1024;

    // Reads the file once; false (and an empty object) when it is missing,
    // not a regular file, unreadable or too large.
    bool Wczytaj(const QString &p_NazwaPliku);
    // The text of a file: a byte-order mark selects UTF-8 or UTF-16; without
    // one, valid UTF-8 is read as such and anything else as Windows-1250.
    void WczytajZBajtow(const QByteArray &p_Bajty);

    bool ZawieraKlucz(const QString &p_Sekcja, const QString &p_Klucz) const;
    // Empty when the section or key is missing.
    QString Wartosc(const QString &p_Sekcja, const QString &p_Klucz) const;

private:
    struct TSekcja
    {
        QString Nazwa;
        QList<QPair<QString, QString>> Wpisy;
    };
    const TSekcja *Sekcja(const QString &p_Nazwa) const;

    QList<TSekcja> FSekcje;
};
