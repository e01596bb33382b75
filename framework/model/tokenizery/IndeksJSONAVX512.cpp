// The index's block scan for processors with AVX-512BW: a comparison gives a
// 64-bit mask at once. This file alone is built for it and is entered only
// after a runtime check.
#include "IndeksJSONSkan.h"

#include <immintrin.h>

namespace {

struct ZestawAVX512 : ZestawClmul
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
};

} // namespace

extern const TIndeksJSON::TFunkcje FunkcjeAVX512 = {&IndeksujOkno<ZestawAVX512>, &RozwinMape<ZestawAVX512>};
