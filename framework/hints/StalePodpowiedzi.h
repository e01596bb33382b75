#pragma once

#include <cstdint>

// Flags of a hint request; -1 means none and reads as 0 wherever a bit is tested.
inline constexpr int32_t fpPomin = 0x00020000;
inline constexpr int32_t fpSygnal = 0x00040000;
inline constexpr int32_t fpStalyCzas = 0x00080000;
inline constexpr int32_t fpMaleMarginesy = 0x00200000;
inline constexpr int32_t fpBezHistorii = 0x00400000;
inline constexpr int32_t fpBezNiePokazuj = 0x01000000;
inline constexpr int32_t fpBezPojawiania = 0x02000000;
inline constexpr int32_t fpBezOk = 0x04000000;
inline constexpr int32_t fpZawszeNaWierzchu = 0x08000000;
inline constexpr int32_t fpRodzaj = 0x30000000;
inline constexpr int32_t fpOstrzezenie = 0x10000000;
inline constexpr int32_t fpBlad = 0x20000000;
inline constexpr int32_t fpInformacja = 0x30000000;
inline constexpr int32_t fpModalna = 0x40000000;

inline constexpr int32_t FlagiLubZero(int32_t p_Flagi) { return p_Flagi == -1 ? 0 : p_Flagi; }

// Positions relative to the work area, besides explicit pixels.
inline constexpr int32_t pozPoczatek = -1;
inline constexpr int32_t pozKoniec = -2;
inline constexpr int32_t pozSrodek = -3;
inline constexpr int32_t pozNadOknem = -4;

// Fades and the timer step, in milliseconds.
inline constexpr uint32_t CzasPojawiania = 500;
inline constexpr uint32_t CzasZnikania = 1350;
inline constexpr uint32_t KrokAnimacji = 50;

// Colours are 0x00BBGGRR, or a system colour (high byte 0xFF).
using TKolor = uint32_t;
inline constexpr TKolor clNone = 0x1FFFFFFF;
inline constexpr TKolor clBlack = 0x000000;
inline constexpr TKolor clWhite = 0xFFFFFF;
inline constexpr TKolor clWindowText = 0xFF000008;

// The window of a kind: background, border, text, and the labels of the
// "don't show again" row.
struct TWygladRodzaju
{
    TKolor Tlo;
    TKolor Ramka;
    TKolor Tekst;
    TKolor Etykiety;
};

inline TWygladRodzaju WygladRodzaju(int32_t p_Rodzaj)
{
    constexpr TKolor niebieski = 0xFF0000;
    switch (p_Rodzaj & fpRodzaj) {
    case fpOstrzezenie: return {0x60FDF9, 0x007EA4, clWindowText, niebieski};
    case fpBlad: return {0x0000D8, 0x000080, clWhite, 0x00FFFF};
    case fpInformacja: return {0x9EFEFC, 0x007EA4, clWindowText, niebieski};
    default: return {0xC5FEFD, 0x007EA4, clWindowText, niebieski};
    }
}
