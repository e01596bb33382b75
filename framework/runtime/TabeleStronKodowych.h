#pragma once

#include <cstdint>

// A single-byte code page: every byte 00-FF has exactly one character and the
// mapping is one to one, so decoding and re-encoding restores every byte.
// Positions a code page leaves unassigned map to the character of the same
// number (Windows-1250 81 -> U+0081), as the Windows conversions do.
class TTablicaStronyKodowej
{
public:
    TTablicaStronyKodowej(int p_Numer, const char16_t *p_ZnakiOd80);

    int Numer() const { return FNumer; }
    char16_t Znak(uint8_t p_Bajt) const { return p_Bajt < 0x80 ? p_Bajt : FZnakiOd80[p_Bajt - 0x80]; }
    // The byte of a character, or -1 when the code page has none.
    int Bajt(char16_t p_Znak) const
    {
        if (p_Znak < 0x80)
            return p_Znak;
        const uint16_t b = FBajty[p_Znak];
        return b == BrakBajtu ? -1 : b;
    }

private:
    static constexpr uint16_t BrakBajtu = 0xFFFF;
    int FNumer;
    const char16_t *FZnakiOd80;
    uint16_t FBajty[0x10000];
};

// Code pages we carry tables for: 437, 850, 852, 866, 1250-1254, 1257 and
// ISO-8859-1, -2, -5, -7, -9, -15 (28591 ...). 0 and 3 (the ANSI page) mean
// 1250 and 1 (the OEM page) means 852, the Polish Windows defaults.
// nullptr for any other number. Tables are built on first use, thread-safely.
const TTablicaStronyKodowej *DajTabliceStronyKodowej(int p_StronaKodowa);

// Windows-1250, the framework's own byte encoding.
const TTablicaStronyKodowej &TablicaPolskiAnsi();

constexpr int CP_POLSKI_ANSI = 1250;
constexpr int CP_ISO_8859_2 = 28592;
constexpr int CP_UTF7 = 65000;
constexpr int CP_UTF8 = 65001;
