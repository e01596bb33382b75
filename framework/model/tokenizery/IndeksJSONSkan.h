#pragma once

// The block scan of TIndeksJSON, compiled once per instruction set: the file
// that includes it supplies Zestaw::Klasyfikuj (the byte classes of 64 bytes)
// and Zestaw::PrefiksXor. Everything here has internal linkage, so that code
// built for a wider set never stands in for the baseline copy.

#include "IndeksJSON.h"

#include <cstring>

#if defined(__PCLMUL__)
#include <immintrin.h>
#endif

namespace {

struct TMaskiBloku
{
    uint64_t Cudzyslow;
    uint64_t Ukosnik;
    uint64_t LF;
    uint64_t Sterujace;    // 0..31
    uint64_t Biale;        // 1..32
    uint64_t Strukturalne; // { } [ ] : ,
};

constexpr uint64_t BityParzyste = 0x5555555555555555ull;
constexpr uint64_t BityNieparzyste = ~BityParzyste;

// Bytes that follow an odd run of backslashes; p_Stan carries a run across blocks.
inline uint64_t Poprzedzone(uint64_t p_Ukosniki, TIndeksJSON::TStan &p_Stan)
{
    uint64_t b = p_Ukosniki;
    uint64_t wynik = 0;
    if (p_Stan.NieparzysteUkosniki) {
        // The run goes on from the previous block, odd so far.
        const uint64_t inne = ~b;
        if (inne) {
            const unsigned dlugosc = static_cast<unsigned>(__builtin_ctzll(inne));
            if ((dlugosc & 1) == 0)
                wynik = 1ull << dlugosc;
            b &= ~((1ull << dlugosc) - 1);
        } else {
            b = 0;
        }
    }
    // A run that starts on an even bit and ends on an odd one is odd, and the
    // other way round; the addition carries through each run to the bit after it.
    const uint64_t poczatki = b & ~(b << 1);
    wynik |= ((b + (poczatki & BityParzyste)) & ~b & BityNieparzyste)
           | ((b + (poczatki & BityNieparzyste)) & ~b & BityParzyste);
    if (p_Ukosniki >> 63) {
        const uint64_t inne = ~p_Ukosniki;
        // A block of backslashes only keeps the parity it came with.
        if (inne)
            p_Stan.NieparzysteUkosniki = (__builtin_clzll(inne) & 1) != 0;
    } else {
        p_Stan.NieparzysteUkosniki = false;
    }
    return wynik;
}

#if defined(__PCLMUL__)
// For the sets built with carry-less multiplication.
struct ZestawClmul
{
    static uint32_t LiczBity(uint64_t x) { return static_cast<uint32_t>(__builtin_popcountll(x)); }

    static uint64_t PrefiksXor(uint64_t x)
    {
        // A carry-less product with all ones is the running parity.
        const __m128i wynik = _mm_clmulepi64_si128(_mm_set_epi64x(0, static_cast<long long>(x)), _mm_set1_epi8(-1), 0);
        return static_cast<uint64_t>(_mm_cvtsi128_si64(wynik));
    }
};
#endif

template <class Zestaw>
void IndeksujOkno(const char *p_Bufor, size_t p_Start, TIndeksJSON::TStan &p_Stan, const TIndeksJSON::TMapy &p_Mapy)
{
    // A copy the compiler can keep in registers: the maps' stores could alias the caller's.
    TIndeksJSON::TStan s = p_Stan;
    for (int n = 0; n < TIndeksJSON::BlokowWOknie && !s.Zakonczony; ++n) {
        const size_t zostalo = s.Koniec - s.Pozycja;
        const size_t slowo = (s.Pozycja - p_Start) >> 6;
        TMaskiBloku m;
        uint64_t wazne = ~0ull;
        if (zostalo >= 64) {
            m = Zestaw::Klasyfikuj(p_Bufor + s.Pozycja);
        } else {
            // The tail and the sentinel; bytes past it are stale, never looked at.
            alignas(64) char ogon[64] = {};
            std::memcpy(ogon, p_Bufor + s.Pozycja, zostalo);
            m = Zestaw::Klasyfikuj(ogon);
            wazne = (2ull << zostalo) - 1;
        }
        const uint64_t cudzyslowy = m.Cudzyslow & ~Poprzedzone(m.Ukosnik, s);
        // From an opening quote up to (not including) its closing one.
        const uint64_t wTekscie = Zestaw::PrefiksXor(cudzyslowy) ^ s.WTekscie;
        s.WTekscie = static_cast<uint64_t>(static_cast<int64_t>(wTekscie) >> 63);
        const uint64_t poza = ~wTekscie;
        const uint64_t bieg = poza & ~(m.Biale | m.Strukturalne | m.Cudzyslow);
        const uint64_t struktura = poza & m.Strukturalne;
        uint64_t poczatki = (cudzyslowy & wTekscie) | struktura | (bieg & ~((bieg << 1) | s.PoprzedniWBiegu));
        uint64_t konce = (cudzyslowy & poza) | (wTekscie & m.Sterujace);
        // The sentinel ends a run; the zero bytes after it belong to none.
        const uint64_t biegDoKonca = zostalo < 64 ? bieg & ((1ull << zostalo) - 1) : bieg;
        uint64_t granice = konce | (struktura << 1) | s.PoprzedniaStruktura
                         | (~biegDoKonca & ((biegDoKonca << 1) | s.PoprzedniWBiegu));
        s.PoprzedniWBiegu = bieg >> 63;
        s.PoprzedniaStruktura = struktura >> 63;
        uint64_t lf = poza & m.LF;
        if (zostalo < 64) {
            poczatki = (poczatki & wazne) | 1ull << zostalo;
            konce &= wazne;
            granice &= wazne;
            lf &= wazne;
        }
        const uint64_t zle = m.Ukosnik & poza & wazne;
        if (zle)
            lf &= (1ull << __builtin_ctzll(zle)) - 1;
        p_Mapy.LiniiPrzed[slowo] = s.Linii;
        p_Mapy.PoczatekLinii[slowo] = s.PoczatekLinii;
        s.Linii += Zestaw::LiczBity(lf);
        if (lf)
            s.PoczatekLinii = static_cast<uint32_t>(slowo * 64 + 64 - static_cast<size_t>(__builtin_clzll(lf)));
        if (zle) {
            const unsigned gdzie = static_cast<unsigned>(__builtin_ctzll(zle));
            const uint64_t przed = (1ull << gdzie) - 1;
            p_Mapy.Poczatki[slowo] = poczatki & przed;
            p_Mapy.Konce[slowo] = konce & przed;
            // A token just before the backslash still ends on it.
            p_Mapy.Granice[slowo] = granice & ((przed << 1) | 1);
            p_Mapy.LF[slowo] = lf & przed;
            s.Zatrzymany = s.Pozycja + gdzie;
            s.Pozycja = s.Zatrzymany;
            s.Zakonczony = true;
            p_Stan = s;
            return;
        }
        p_Mapy.Poczatki[slowo] = poczatki;
        p_Mapy.Konce[slowo] = konce;
        p_Mapy.Granice[slowo] = granice;
        p_Mapy.LF[slowo] = lf;
        if (zostalo < 64) {
            s.Pozycja = s.Koniec + 1;
            s.Zakonczony = true;
        } else {
            s.Pozycja += 64;
        }
    }
    p_Stan = s;
}

// TIndeksJSON::TFunkcjaRozwin with the set's population count. Eight
// offsets are written blindly per word: no branch per bit for most words.
template <class Zestaw>
size_t RozwinMape(const uint64_t *p_Mapa, size_t p_Od, size_t p_Do, uint64_t p_Maska, uint32_t *p_Wyjscie)
{
    size_t ile = 0;
    for (size_t k = p_Od; k < p_Do; ++k, p_Maska = ~0ull) {
        uint64_t bity = p_Mapa[k] & p_Maska;
        const uint32_t baza = static_cast<uint32_t>(k * 64);
        const uint32_t wSlowie = Zestaw::LiczBity(bity);
        uint32_t *w = p_Wyjscie + ile;
        // Bit 63 keeps the count of trailing zeros defined; what it writes past the count is ignored.
        constexpr uint64_t gorny = 1ull << 63;
        for (int n = 0; n < 8; ++n, bity &= bity - 1)
            w[n] = baza + static_cast<uint32_t>(__builtin_ctzll(bity | gorny));
        for (uint32_t n = 8; n < wSlowie; ++n, bity &= bity - 1)
            w[n] = baza + static_cast<uint32_t>(__builtin_ctzll(bity | gorny));
        ile += wSlowie;
    }
    return ile;
}

} // namespace
