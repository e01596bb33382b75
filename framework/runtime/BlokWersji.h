#pragma once

#include <cstddef>
#include <cstdint>

// The version block: what the build links into each of our executables
// (cmake/WersjaPliku.cmake generates its definition) and what WersjaPliku
// finds again in a file. Plain fixed-size data, so a reader can check every
// field of a candidate it found in a file it does not trust.

#define OSTREVIA_ZNACZNIK_BLOKU_WERSJI "OSTREVIA:WERSJA"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the version block is read as little-endian");

inline constexpr uint32_t FormatBlokuWersji = 1;
inline constexpr std::size_t RozmiarTekstowBlokuWersji = 1024;

struct TBlokWersji
{
    char Znacznik[16];          // OSTREVIA_ZNACZNIK_BLOKU_WERSJI with its terminating zero
    uint32_t Rozmiar;           // sizeof(TBlokWersji): a guard against stray markers
    uint32_t Format;            // FormatBlokuWersji
    uint32_t MaStalyRekord;     // 1 when Numery holds the file version
    uint16_t Numery[4];         // major, minor, release, build
    uint16_t Jezyk;             // translation: language (0x0415)
    uint16_t StronaKodowa;      // translation: code page (0x04E2)
    // String table in UTF-8: name, zero, value, zero, ...; an empty name ends it.
    char Teksty[RozmiarTekstowBlokuWersji];
};

static_assert(sizeof(TBlokWersji) == 16 + 4 * 3 + 2 * 4 + 2 * 2 + RozmiarTekstowBlokuWersji);
static_assert(offsetof(TBlokWersji, Teksty) == 40);
