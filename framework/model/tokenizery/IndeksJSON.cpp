#include "IndeksJSON.h"

#include "IndeksJSONSkan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#if defined(OSTREVIA_INDEKS_AVX2)
extern const TIndeksJSON::TFunkcje FunkcjeAVX2;
extern const TIndeksJSON::TFunkcje FunkcjeAVX512;
#endif

namespace {

// The baseline: SSE2 on x86-64, a byte loop elsewhere.
struct ZestawPodstawowy
{
    __attribute__((always_inline)) static TMaskiBloku Klasyfikuj(const char *p)
    {
        TMaskiBloku m{};
#if defined(__SSE2__)
        for (int i = 0; i < 4; ++i) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * i));
            const __m128i sterujace = _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(31)), v);
            const __m128i biale = _mm_andnot_si128(_mm_cmpeq_epi8(v, _mm_setzero_si128()),
                                                   _mm_or_si128(sterujace, _mm_cmpeq_epi8(v, _mm_set1_epi8(' '))));
            // "[" and "{", "]" and "}" differ only in bit 5.
            const __m128i v20 = _mm_or_si128(v, _mm_set1_epi8(0x20));
            const __m128i strukturalne =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v20, _mm_set1_epi8('{')), _mm_cmpeq_epi8(v20, _mm_set1_epi8('}'))),
                             _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(':')), _mm_cmpeq_epi8(v, _mm_set1_epi8(','))));
            auto bity = [i](__m128i x) {
                return static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(x))) << (16 * i);
            };
            m.Cudzyslow |= bity(_mm_cmpeq_epi8(v, _mm_set1_epi8('"')));
            m.Ukosnik |= bity(_mm_cmpeq_epi8(v, _mm_set1_epi8('\\')));
            m.LF |= bity(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
            m.Sterujace |= bity(sterujace);
            m.Biale |= bity(biale);
            m.Strukturalne |= bity(strukturalne);
        }
#else
        for (int i = 0; i < 64; ++i) {
            const unsigned char c = static_cast<unsigned char>(p[i]);
            const uint64_t bit = 1ull << i;
            m.Cudzyslow |= c == '"' ? bit : 0;
            m.Ukosnik |= c == '\\' ? bit : 0;
            m.LF |= c == '\n' ? bit : 0;
            m.Sterujace |= c < 32 ? bit : 0;
            m.Biale |= c - 1u < 32u ? bit : 0;
            m.Strukturalne |= (c == '{' || c == '}' || c == '[' || c == ']' || c == ':' || c == ',') ? bit : 0;
        }
#endif
        return m;
    }

    static uint32_t LiczBity(uint64_t x) { return TIndeksJSON::LiczBity(x); }

    static uint64_t PrefiksXor(uint64_t x)
    {
        x ^= x << 1;
        x ^= x << 2;
        x ^= x << 4;
        x ^= x << 8;
        x ^= x << 16;
        x ^= x << 32;
        return x;
    }
};

#if defined(OSTREVIA_INDEKS_AVX2)
// IndeksJSONAVX2.cpp and IndeksJSONAVX512.cpp, built for those sets; called
// only when the processor has them.
TIndeksJSON::TFunkcje NajlepszeFunkcje()
{
    __builtin_cpu_init();
    const bool podstawy = __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt")
        && __builtin_cpu_supports("pclmul");
    if (podstawy && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw"))
        return FunkcjeAVX512;
    if (podstawy && __builtin_cpu_supports("avx2"))
        return FunkcjeAVX2;
    return {&IndeksujOkno<ZestawPodstawowy>, &RozwinMape<ZestawPodstawowy>};
}
#endif

} // namespace


TIndeksJSON::TIndeksJSON(TZestaw p_Zestaw)
    : FFunkcje{&IndeksujOkno<ZestawPodstawowy>, &RozwinMape<ZestawPodstawowy>}
{
#if defined(OSTREVIA_INDEKS_AVX2)
    static const TFunkcje najlepsze = NajlepszeFunkcje();
    if (p_Zestaw == TZestaw::Najlepszy)
        FFunkcje = najlepsze;
#else
    (void)p_Zestaw;
#endif
}

void TIndeksJSON::Zacznij(const char *p_Bufor, const char *p_Od, const char *p_Koniec, uint64_t p_Zmiany)
{
    FBufor = p_Bufor;
    FZmiany = p_Zmiany;
    FStart = static_cast<size_t>(p_Od - p_Bufor);
    FZbudowane = 0;
    FStan = TStan{};
    FStan.Pozycja = FStart;
    FStan.Koniec = static_cast<size_t>(p_Koniec - p_Bufor);
    // A word per 64 bytes and the sentinel, and two more for the lookups past the built ones.
    const size_t slow = (FStan.Koniec - FStart) / 64 + 3;
    for (std::vector<uint64_t> *mapa : {&FPoczatki, &FKonce, &FGranice, &FLF}) {
        if (mapa->size() < slow)
            mapa->resize(slow);
        (*mapa)[0] = (*mapa)[1] = 0;
    }
    if (FLiniiPrzed.size() < slow) {
        FLiniiPrzed.resize(slow);
        FPoczatekLinii.resize(slow);
    }
    Stoi(p_Od, false);
    // The first window at once, so that the cursor stands on built bits.
    Dobuduj();
    FSlowo = 0;
    FBaza = const_cast<char *>(p_Od);
    FReszta = FPoczatki[0];
    FResztaLF = FLF[0];
}

bool TIndeksJSON::Dobuduj()
{
    if (FStan.Zakonczony)
        return false;
    // Line offsets fit 32 bits where they are asked for: the tokenizer asks only in buffers below 4 GiB.
    FFunkcje.Okno(FBufor, FStart, FStan,
          {FPoczatki.data(), FKonce.data(), FGranice.data(), FLF.data(), FLiniiPrzed.data(), FPoczatekLinii.data()});
    FZbudowane = FStan.Pozycja - FStart;
    // Lookups may read the two words after the built ones: no stale bits there.
    const size_t slowo = (FZbudowane + 63) / 64;
    for (std::vector<uint64_t> *mapa : {&FPoczatki, &FKonce, &FGranice, &FLF})
        for (size_t k = slowo; k < slowo + 2 && k < mapa->size(); ++k)
            (*mapa)[k] = 0;
    return true;
}

bool TIndeksJSON::NastepnyKoniec(size_t i, size_t &p_Bit)
{
    for (;;) {
        while (i < FZbudowane) {
            uint64_t bity = Odczytaj(FKonce.data(), i);
            const size_t ile = FZbudowane - i < 64 ? FZbudowane - i : 64;
            if (ile < 64)
                bity &= (1ull << ile) - 1;
            if (bity) {
                p_Bit = i + static_cast<size_t>(__builtin_ctzll(bity));
                return true;
            }
            i += ile;
        }
        if (!Dobuduj())
            return false;
    }
}

bool TIndeksJSON::NastepneSlowo()
{
    ++FSlowo;
    FBaza += 64;
    if (!MaSlowo(FSlowo))
        return false;
    FReszta = FPoczatki[FSlowo];
    FResztaLF = FLF[FSlowo];
    return true;
}

bool TIndeksJSON::UstawKursor(const char *p)
{
    const size_t bit = static_cast<size_t>(p - FBufor) - FStart;
    if (bit >= FZbudowane)
        return false;
    FSlowo = bit / 64;
    FBaza = const_cast<char *>(FBufor) + FStart + FSlowo * 64;
    const uint64_t odP = ~0ull << (bit % 64);
    FReszta = FPoczatki[FSlowo] & odP;
    FResztaLF = FLF[FSlowo] & odP;
    return true;
}
