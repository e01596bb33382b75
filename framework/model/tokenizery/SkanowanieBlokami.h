#pragma once

// Scans of the tokenizers that pass many bytes per step: blanks between
// tokens and the body of a JSON string. Both stop at the buffer's 0 sentinel
// (it is neither a blank nor string text), and may read up to 15 bytes past
// it: the tokenizer's buffer keeps that much room after its end.

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace SkanowanieBlokami
{
// Bytes a block scan may read past the sentinel.
constexpr int Zapas = 16;

// The first byte at or after p that is not a blank (codes 1..32). Line feeds
// passed are counted into p_Linii; p_OstatniLF is left at the last of them
// (unchanged when none was passed).
inline char *PominBiale(char *p, int &p_Linii, char *&p_OstatniLF)
{
#if defined(__SSE2__)
    const __m128i jeden = _mm_set1_epi8(1);
    const __m128i granica = _mm_set1_epi8(31);
    const __m128i lf = _mm_set1_epi8('\n');
    for (;;) {
        const __m128i blok = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        // c - 1 <= 31 unsigned: c is 1..32.
        const __m128i przesuniety = _mm_sub_epi8(blok, jeden);
        const __m128i biale = _mm_cmpeq_epi8(_mm_min_epu8(przesuniety, granica), przesuniety);
        const unsigned inne = ~static_cast<unsigned>(_mm_movemask_epi8(biale)) & 0xFFFFu;
        unsigned nowe = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(blok, lf)));
        const int ile = inne ? __builtin_ctz(inne) : 16;
        nowe &= (1u << ile) - 1u;
        if (nowe) {
            p_OstatniLF = p + (31 - __builtin_clz(nowe));
            // A few line feeds per block at most: cheaper than a popcount call without POPCNT.
            for (; nowe; nowe &= nowe - 1)
                ++p_Linii;
        }
        if (inne)
            return p + ile;
        p += 16;
    }
#else
    while (static_cast<unsigned char>(*p) - 1u < 32u) {
        if (*p == '\n') {
            ++p_Linii;
            p_OstatniLF = p;
        }
        ++p;
    }
    return p;
#endif
}

// The first byte at or after p that ends a run of JSON string text: a quote,
// a backslash or a byte below 32 (the sentinel included).
inline char *KoniecTekstuJSON(char *p)
{
#if defined(__SSE2__)
    const __m128i cudzyslow = _mm_set1_epi8('"');
    const __m128i ukosnik = _mm_set1_epi8('\\');
    const __m128i granica = _mm_set1_epi8(31);
    for (;;) {
        const __m128i blok = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i sterujace = _mm_cmpeq_epi8(_mm_min_epu8(blok, granica), blok);
        const __m128i koniec =
            _mm_or_si128(sterujace, _mm_or_si128(_mm_cmpeq_epi8(blok, cudzyslow), _mm_cmpeq_epi8(blok, ukosnik)));
        const unsigned maska = static_cast<unsigned>(_mm_movemask_epi8(koniec));
        if (maska)
            return p + __builtin_ctz(maska);
        p += 16;
    }
#else
    for (;;) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 32 || c == '"' || c == '\\')
            return p;
        ++p;
    }
#endif
}
} // namespace SkanowanieBlokami
