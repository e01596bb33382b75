// The index's block scan for processors with AVX2; this file alone is built
// with -mavx2 and is entered only after a runtime check.
#include "IndeksJSONSkan.h"

#include <immintrin.h>

namespace {

struct ZestawAVX2 : ZestawClmul
{
    static uint64_t Bity(__m256i p_Nizsze, __m256i p_Wyzsze)
    {
        return static_cast<uint32_t>(_mm256_movemask_epi8(p_Nizsze))
             | static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(p_Wyzsze))) << 32;
    }

    __attribute__((always_inline)) static TMaskiBloku Klasyfikuj(const char *p)
    {
        __m256i cudzyslow[2], ukosnik[2], lf[2], sterujace[2], biale[2], strukturalne[2];
        for (int i = 0; i < 2; ++i) {
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 32 * i));
            sterujace[i] = _mm256_cmpeq_epi8(_mm256_min_epu8(v, _mm256_set1_epi8(31)), v);
            biale[i] = _mm256_andnot_si256(_mm256_cmpeq_epi8(v, _mm256_setzero_si256()),
                                           _mm256_or_si256(sterujace[i], _mm256_cmpeq_epi8(v, _mm256_set1_epi8(' '))));
            // "[" and "{", "]" and "}" differ only in bit 5.
            const __m256i v20 = _mm256_or_si256(v, _mm256_set1_epi8(0x20));
            strukturalne[i] = _mm256_or_si256(
                _mm256_or_si256(_mm256_cmpeq_epi8(v20, _mm256_set1_epi8('{')), _mm256_cmpeq_epi8(v20, _mm256_set1_epi8('}'))),
                _mm256_or_si256(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(':')), _mm256_cmpeq_epi8(v, _mm256_set1_epi8(','))));
            cudzyslow[i] = _mm256_cmpeq_epi8(v, _mm256_set1_epi8('"'));
            ukosnik[i] = _mm256_cmpeq_epi8(v, _mm256_set1_epi8('\\'));
            lf[i] = _mm256_cmpeq_epi8(v, _mm256_set1_epi8('\n'));
        }
        return {Bity(cudzyslow[0], cudzyslow[1]), Bity(ukosnik[0], ukosnik[1]), Bity(lf[0], lf[1]),
                Bity(sterujace[0], sterujace[1]), Bity(biale[0], biale[1]), Bity(strukturalne[0], strukturalne[1])};
    }
};

} // namespace

extern const TIndeksJSON::TFunkcje FunkcjeAVX2 = {&IndeksujOkno<ZestawAVX2>, &RozwinMape<ZestawAVX2>};
