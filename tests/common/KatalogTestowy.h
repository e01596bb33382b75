#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Fixture giving every test a fresh folder of its own.
class KatalogTestowy : public ::testing::Test
{
protected:
    QString Sciezka(const QString &p_Nazwa) const { return FKatalog.filePath(p_Nazwa); }

    QString ZapiszPlik(const QString &p_Nazwa, const QByteArray &p_Tresc) const
    {
        const QString sciezka = Sciezka(p_Nazwa);
        QFile plik(sciezka);
        EXPECT_TRUE(plik.open(QIODevice::WriteOnly | QIODevice::Truncate));
        plik.write(p_Tresc);
        return sciezka;
    }

    static QByteArray CzytajPlik(const QString &p_Sciezka)
    {
        QFile plik(p_Sciezka);
        return plik.open(QIODevice::ReadOnly) ? plik.readAll() : QByteArray();
    }

    static QString Dane(const QString &p_Nazwa)
    {
        return QStringLiteral(OSTREVIA_TEST_DATA "/") + p_Nazwa;
    }

    QTemporaryDir FKatalog;
};
