// The index's block scan for processors with AVX-512BW: a comparison gives a
// 64-bit mask at once. This file alone is built for it and is entered only
// after a runtime check.
#include "IndeksJSONSkan.h"

#include <immintrin.h>

namespace {

struct ZestawAVX512
{
    __attribute__((always_inline)) static TMaskiBloku Klasyfikuj(const char *p)
    {
        const __m512i v = _mm512_loadu_si512(p);
        // "[" and "{", "]" and "}" differ only in bit 5.
        const __m512i v20 = _mm512_or_si512(v, _mm512_set1_epi8(0x20));
        TMaskiBloku m;
        m.Cudzyslow = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('"'));
        m.Ukosnik = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\\'));
        m.LF = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\n'));
        m.Sterujace = _mm512_cmplt_epu8_mask(v, _mm512_set1_epi8(32));
        // c - 1 below 32: 1..32.
        m.Biale = _mm512_cmplt_epu8_mask(_mm512_sub_epi8(v, _mm512_set1_epi8(1)), _mm512_set1_epi8(32));
        m.Strukturalne = _mm512_cmpeq_epi8_mask(v20, _mm512_set1_epi8('{')) | _mm512_cmpeq_epi8_mask(v20, _mm512_set1_epi8('}'))
                       | _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(':')) | _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8(','));
        return m;
    }

    static uint64_t PrefiksXor(uint64_t x)
    {
        // A carry-less product with all ones is the running parity.
        const __m128i wynik = _mm_clmulepi64_si128(_mm_set_epi64x(0, static_cast<long long>(x)), _mm_set1_epi8(-1), 0);
        return static_cast<uint64_t>(_mm_cvtsi128_si64(wynik));
    }
};

} // namespace

void IndeksujOknoAVX512(const char *p_Bufor, size_t p_Start, TIndeksJSON::TStan &p_Stan, uint64_t *p_Poczatki,
                        uint64_t *p_Konce, uint64_t *p_LF)
{
    IndeksujOkno<ZestawAVX512>(p_Bufor, p_Start, p_Stan, p_Poczatki, p_Konce, p_LF);
}
