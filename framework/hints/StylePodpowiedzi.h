#pragma once

#include "StalePodpowiedzi.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <vector>

// Bits of TDaneStylu::Styl and ::StylEx.
inline constexpr uint8_t fsBold = 0x01;
inline constexpr uint8_t fsItalic = 0x02;
inline constexpr uint8_t fsUnderline = 0x04;
inline constexpr uint8_t fsStrikeOut = 0x08;
inline constexpr uint8_t fsOutline = 0x01;
inline constexpr uint8_t fsShadow = 0x02;

// One style of a hint text. Unset colour, font and size are taken from
// style 0 whenever the style is applied; Styl and StylEx stand as they are.
struct TDaneStylu
{
    TKolor Kolor = clNone;
    uint8_t Styl = 0;
    uint8_t StylEx = 0;
    QString Kroj;
    int16_t Rozm = 0;

    bool operator==(const TDaneStylu &p_Inny) const = default;
};

// The content of a style tag, already trimmed and not empty, as a whole style.
// Unknown items, keys, colours and non-numeric sizes are ignored.
TDaneStylu CzytajTagStylu(const QString &p_Tresc);

// The styles of one text, indexed by a signed 16-bit number; entry 0 is the
// window's default. Equal styles share one entry.
class TListaStylow
{
public:
    // The number of an equal entry, else of a new one. A text that runs out
    // of numbers gets style 0 for every further new style.
    int16_t Dodaj(const TDaneStylu &p_Styl);
    void Wyczysc();

    int Ile() const { return int(FStyle.size()); }
    // Out-of-range numbers give style 0.
    const TDaneStylu &operator[](int p_Nr) const;

private:
    std::vector<TDaneStylu> FStyle;
    // A tag looks its style up here instead of comparing it with every entry.
    QHash<QString, int16_t> FIndeks;
};
