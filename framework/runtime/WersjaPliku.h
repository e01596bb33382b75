#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <cstdint>
#include <optional>

// What the version block of a file says, once it has been found and checked.
struct TWersjaPliku
{
    bool MaStalyRekord = false;
    uint16_t Numery[4] = {0, 0, 0, 0};
    uint16_t Jezyk = 0;
    uint16_t StronaKodowa = 0;
    QList<QPair<QString, QString>> Teksty;

    // A value of the string table by name, compared without regard to case;
    // nullopt when it is missing.
    std::optional<QString> Tekst(const QString &p_Nazwa) const;
};

// Finds the version block in a file: in an executable's own version section
// when its headers hold up, else by searching the file in bounded chunks.
// Every field of a candidate is checked, so any file (huge, truncated,
// hostile) is safe to ask; nullopt when the file cannot be read or holds no
// valid block.
std::optional<TWersjaPliku> OdczytajBlokWersji(const QString &p_NazwaPliku);

// Files larger than this are searched only up to this many bytes.
inline constexpr qint64 MaksymalnyZakresSzukaniaWersji = qint64(512) * 1024 * 1024;
