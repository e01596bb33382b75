#include "LkJSONParser.h"

#include "KlasyZnakow.h"

#include <array>
#include <cstddef>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define OSTREVIA_PORCJE_AVX512
#include <immintrin.h>
#endif

using namespace KlasyZnakow;

namespace {

// The first byte at or after p that is not a decimal digit. Reads 8 bytes per
// step: a run of digits always stops at the sentinel, and the buffer keeps
// room past it.
inline char *PominCyfry(char *p)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    for (;;) {
        uint64_t v;
        std::memcpy(&v, p, 8);
        const uint64_t x = v ^ 0x3030303030303030ull;
        // A byte is a digit when x is below 10: bit 7 marks the others.
        const uint64_t inne = (((x & 0x7F7F7F7F7F7F7F7Full) + 0x7676767676767676ull) | x) & 0x8080808080808080ull;
        if (inne)
            return p + (__builtin_ctzll(inne) >> 3);
        p += 8;
    }
#else
    while (Jest(*p, Cyfra))
        ++p;
    return p;
#endif
}

// The end of a number or a word starting at p, and its kind; null when p starts neither.
inline char *PrzejdzBieg(char *p, unsigned char &p_Rodzaj)
{
    const char c = *p;
    char *q;
    if (c == '-' || Jest(c, Cyfra)) {
        q = PominCyfry(p + 1);
        p_Rodzaj = TLkParser::toInteger;
        if (*q == '.' || *q == 'E' || *q == 'e') {
            p_Rodzaj = TLkParser::toFloat;
            ++q;
            while (Jest(*q, LiczbaTekst))
                ++q;
        }
        return q;
    }
    if (Jest(c, MalaLitera)) {
        q = p + 1;
        while (Jest(*q, MalaLitera))
            ++q;
        p_Rodzaj = TLkParser::toSymbol;
        return q;
    }
    return nullptr;
}

// The kind that a token's first byte gives on the fast road: a structural
// character is its own kind, a quote opens a string; 0 for runs and the rest.
constexpr std::array<unsigned char, 256> ZbudujRodzaje()
{
    std::array<unsigned char, 256> t{};
    for (unsigned char c : {'{', '}', '[', ']', ':', ','})
        t[c] = c;
    t['"'] = TLkParser::toWString;
    return t;
}
constexpr std::array<unsigned char, 256> RodzajPoPierwszymBajcie = ZbudujRodzaje();

#if defined(OSTREVIA_PORCJE_AVX512)
// The batch's fast road with AVX-512 (BW, VL, VBMI and VBMI2), entered only after a
// runtime check: each word's offsets and bytes compressed at once, sixteen
// tokens told apart and written per step; runs still go one by one.
#define OSTREVIA_CEL_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx512vbmi,avx512vbmi2,popcnt,bmi,bmi2")))

bool ProcesorMaAVX512VBMI2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl")
        && __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512vbmi2")
        && __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2");
}

// Byte lanes that widen bytes 16 c .. 16 c + 15 to 32-bit lanes (the other lanes are zeroed).
constexpr std::array<unsigned char, 256> ZbudujPoszerzenia()
{
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 4; ++c)
        for (int j = 0; j < 16; ++j)
            t[64 * c + 4 * j] = static_cast<unsigned char>(16 * c + j);
    return t;
}
alignas(64) constexpr std::array<unsigned char, 256> Poszerzenia = ZbudujPoszerzenia();

// TIndeksJSON::TFunkcjaRozwin over p_Mapa, and the bytes of p_Dane (word k
// stands for p_Dane + 64 k) at the same bits into p_Bajty. May write up to 64
// entries of each past the count.
OSTREVIA_CEL_AVX512 size_t RozwinZBajtami(const uint64_t *p_Mapa, size_t p_Od, size_t p_Do, uint64_t p_Maska,
                                          const char *p_Dane, uint32_t *p_Offsety, unsigned char *p_Bajty)
{
    const __m512i numery = _mm512_set_epi8(63, 62, 61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49, 48, 47, 46, 45,
                                           44, 43, 42, 41, 40, 39, 38, 37, 36, 35, 34, 33, 32, 31, 30, 29, 28, 27, 26,
                                           25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5,
                                           4, 3, 2, 1, 0);
    constexpr uint64_t niskieBajty = 0x1111111111111111ull;
    size_t ile = 0;
    for (size_t k = p_Od; k < p_Do; ++k, p_Maska = ~0ull) {
        const uint64_t bity = p_Mapa[k] & p_Maska;
        // Only the bytes at the bits are read: the last block may reach past the buffer.
        const __m512i dane = _mm512_maskz_loadu_epi8(bity, p_Dane + 64 * k);
        _mm512_storeu_si512(p_Bajty + ile, _mm512_maskz_compress_epi8(bity, dane));
        const __m512i bajty = _mm512_maskz_compress_epi8(bity, numery);
        const __m512i baza = _mm512_set1_epi32(static_cast<int>(k * 64));
        const uint32_t wSlowie = static_cast<uint32_t>(__builtin_popcountll(bity));
        uint32_t *w = p_Offsety + ile;
        // Most words hold fewer than 16 tokens: one store of sixteen offsets.
        const int czesci = wSlowie > 16 ? 4 : 1;
        for (int c = 0; c < czesci; ++c) {
            const __m512i poszerzenie = _mm512_load_si512(Poszerzenia.data() + 64 * c);
            _mm512_storeu_si512(w + 16 * c,
                                _mm512_add_epi32(baza, _mm512_maskz_permutexvar_epi8(niskieBajty, poszerzenie, bajty)));
        }
        ile += wSlowie;
    }
    return ile;
}

// For each of the three 64-byte stores of sixteen 12-byte tokens, the lane
// each 32-bit word comes from: Od (0..15) or Dlugosc (16..31) in Od, the kind's lane in Rodzaj.
constexpr std::array<int32_t, 48> ZbudujUklad()
{
    std::array<int32_t, 48> t{};
    for (int g = 0; g < 48; ++g)
        t[g] = g / 3 + (g % 3 == 1 ? 16 : 0);
    return t;
}
alignas(64) constexpr std::array<int32_t, 48> UkladPol = ZbudujUklad();

// The kind of the run of p_Dlugosc bytes at p when PrzejdzBieg would take all
// of it as one number or word; 0 when it must decide (a longer run, another
// byte, a run holding more tokens). Reads 16 bytes: the buffer keeps room past the sentinel.
OSTREVIA_CEL_AVX512 inline unsigned char RodzajCalegoBiegu(const char *p, uint32_t p_Dlugosc)
{
    if (p_Dlugosc > 16)
        return 0;
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const unsigned cyfry = _mm_cmplt_epu8_mask(_mm_sub_epi8(v, _mm_set1_epi8('0')), _mm_set1_epi8(10));
    const unsigned litery = _mm_cmplt_epu8_mask(_mm_sub_epi8(v, _mm_set1_epi8('a')), _mm_set1_epi8(26));
    const unsigned e = _mm_cmpeq_epi8_mask(_mm_or_si128(v, _mm_set1_epi8(0x20)), _mm_set1_epi8('e'));
    const unsigned minus = _mm_cmpeq_epi8_mask(v, _mm_set1_epi8('-'));
    // Where a fraction or an exponent may start, and what may follow it.
    const unsigned ulamek = e | _mm_cmpeq_epi8_mask(v, _mm_set1_epi8('.'));
    const unsigned poUlamku = cyfry | e | minus | _mm_cmpeq_epi8_mask(v, _mm_set1_epi8('+'));
    const unsigned caly = (1u << p_Dlugosc) - 1;
    const bool liczba = ((cyfry | minus) & 1) != 0;
    // The first byte after the leading digits.
    const unsigned inne = caly & ~1u & ~cyfry;
    const unsigned gdzie = static_cast<unsigned>(__builtin_ctz(inne | 0x10000u));
    const bool calkowita = liczba && inne == 0;
    const bool ulamkowa = liczba && inne != 0 && ((ulamek >> gdzie) & 1) != 0
                       && ((poUlamku | ((2u << gdzie) - 1)) & caly) == caly;
    const bool slowo = (litery & caly) == caly;
    return slowo ? TLkParser::toSymbol
         : calkowita ? TLkParser::toInteger
         : ulamkowa ? TLkParser::toFloat
         : 0;
}

// Writes the tokens of the pairs p_Poczatki[i], p_Konce[i] (i < p_Ile) from
// p_Wyjscie on, as the scalar loop of CzytajSzybko does, and gives how many are
// good: the rest needs the long way.
OSTREVIA_CEL_AVX512 size_t WypiszAVX512(char *p_PoczatekIndeksu, const char *p_KoniecDanych, const uint32_t *p_Poczatki,
                                        const uint32_t *p_Konce, const unsigned char *p_BajtyPoczatkow,
                                        const unsigned char *p_BajtyKoncow, size_t p_Ile, uint32_t p_OdStartu,
                                        TTokenJSON *p_Wyjscie)
{
    static_assert(sizeof(TTokenJSON) == 12 && offsetof(TTokenJSON, Dlugosc) == 4 && offsetof(TTokenJSON, Rodzaj) == 8);
    // Every third word of a store is a kind.
    constexpr __mmask16 rodzaje[3] = {0x4924, 0x2492, 0x9249};
    const __m512i jeden = _mm512_set1_epi32(1);
    const uint32_t doWartownika = static_cast<uint32_t>(p_KoniecDanych - p_PoczatekIndeksu);
    for (size_t i = 0; i < p_Ile; i += 16) {
        const __mmask16 wazne = p_Ile - i >= 16 ? 0xFFFF : static_cast<__mmask16>((1u << (p_Ile - i)) - 1);
        const __m512i od = _mm512_loadu_si512(p_Poczatki + i);
        const __m512i koniec = _mm512_loadu_si512(p_Konce + i);
        const __m512i c =
            _mm512_maskz_cvtepu8_epi32(0xFFFF, _mm_loadu_si128(reinterpret_cast<const __m128i *>(p_BajtyPoczatkow + i)));
        const __m512i cKonca =
            _mm512_maskz_cvtepu8_epi32(0xFFFF, _mm_loadu_si128(reinterpret_cast<const __m128i *>(p_BajtyKoncow + i)));
        // "[" and "{", "]" and "}" differ only in bit 5.
        const __m512i c20 = _mm512_or_si512(c, _mm512_set1_epi32(0x20));
        const __mmask16 struktura = _mm512_cmpeq_epi32_mask(c20, _mm512_set1_epi32('{'))
                                  | _mm512_cmpeq_epi32_mask(c20, _mm512_set1_epi32('}'))
                                  | _mm512_cmpeq_epi32_mask(c, _mm512_set1_epi32(':'))
                                  | _mm512_cmpeq_epi32_mask(c, _mm512_set1_epi32(','));
        const __mmask16 tekst = _mm512_cmpeq_epi32_mask(c, _mm512_set1_epi32('"'));
        __m512i rodzaj = _mm512_mask_mov_epi32(_mm512_maskz_mov_epi32(struktura, c), tekst,
                                                     _mm512_set1_epi32(TLkParser::toWString));
        __m512i dlugosc = _mm512_sub_epi32(koniec, od);
        dlugosc = _mm512_mask_sub_epi32(dlugosc, tekst, dlugosc, jeden);
        const __m512i odBufora = _mm512_add_epi32(od, _mm512_set1_epi32(static_cast<int>(p_OdStartu)));
        // A string must end on its quote: a control byte or the sentinel there takes the long way.
        const unsigned zle = tekst & _mm512_cmpneq_epi32_mask(cKonca, _mm512_set1_epi32('"')) & wazne;
        const unsigned doZlego = zle ? static_cast<unsigned>(__builtin_ctz(zle)) : 16;
        // Runs and other bytes before it, one by one, their kinds put in before
        // the stores; what PrzejdzBieg must decide comes after them.
        unsigned dlaPrzejdzBieg = 0;
        for (unsigned biegi = ~(struktura | tekst) & wazne & ((1u << doZlego) - 1); biegi; biegi &= biegi - 1) {
            const unsigned pas = static_cast<unsigned>(__builtin_ctz(biegi));
            const uint32_t odBiegu = p_Poczatki[i + pas];
            const uint32_t koniecBiegu = p_Konce[i + pas];
            const unsigned char rodzajBiegu = RodzajCalegoBiegu(p_PoczatekIndeksu + odBiegu, koniecBiegu - odBiegu);
            // A run that ends on the sentinel may go on after a refill.
            if (rodzajBiegu && koniecBiegu != doWartownika)
                rodzaj = _mm512_mask_mov_epi32(rodzaj, static_cast<__mmask16>(1u << pas),
                                               _mm512_set1_epi32(rodzajBiegu));
            else
                dlaPrzejdzBieg |= 1u << pas;
        }
        int32_t *w = reinterpret_cast<int32_t *>(p_Wyjscie + i);
        for (int n = 0; n < 3; ++n) {
            const __m512i uklad = _mm512_load_si512(UkladPol.data() + 16 * n);
            const __m512i pola = _mm512_permutex2var_epi32(odBufora, uklad, dlugosc);
            _mm512_storeu_si512(w + 16 * n, _mm512_mask_permutexvar_epi32(pola, rodzaje[n], uklad, rodzaj));
        }
        for (; dlaPrzejdzBieg; dlaPrzejdzBieg &= dlaPrzejdzBieg - 1) {
            const size_t j = i + static_cast<size_t>(__builtin_ctz(dlaPrzejdzBieg));
            char *p = p_PoczatekIndeksu + p_Poczatki[j];
            unsigned char rodzajBiegu;
            char *q = PrzejdzBieg(p, rodzajBiegu);
            // Other bytes, the sentinel among them, take the long way; a run may go on after a refill.
            if (!q || q == p_KoniecDanych)
                return j;
            p_Wyjscie[j].Dlugosc = static_cast<uint32_t>(q - p);
            p_Wyjscie[j].Rodzaj = rodzajBiegu;
            // A run holding more tokens than its one start: those come byte by byte.
            if (q != p_PoczatekIndeksu + p_Konce[j])
                return j + 1;
        }
        if (zle)
            return i + doZlego;
    }
    return p_Ile;
}
#endif

} // namespace

TLkJSONParser::TLkJSONParser(TStream *p_Stream, TDroga p_Droga)
    : TLkParser(p_Stream, BezResetu{}),
      FIndeks(p_Droga == TDroga::IndeksPodstawowy ? TIndeksJSON::TZestaw::Podstawowy : TIndeksJSON::TZestaw::Najlepszy),
      FZIndeksem(p_Droga != TDroga::BajtPoBajcie)
{
#if defined(OSTREVIA_PORCJE_AVX512)
    static const bool wektorowo = ProcesorMaAVX512VBMI2();
    FWektorowo = wektorowo && p_Droga == TDroga::Indeks;
#endif
    Reset();
}

unsigned char TLkJSONParser::NextTokenZIndeksu()
{
    if (!FZIndeksem)
        return TokenBajtPoBajcie();
    TIndeksJSON &indeks = FIndeks;
    if (!indeks.Pasuje(FZmianyBufora, FSourcePtr)) {
        // A refill, or a read of the base class, moved on: index afresh from here.
        if (FSourcePtr == FSourceEnd)
            return TokenBajtPoBajcieIUzgodnij();
        indeks.Zacznij(FBuffer, FSourcePtr, FSourceEnd, FZmianyBufora);
    }
    if (indeks.WBiegu())
        return TokenBajtPoBajcieIUzgodnij();
    while (!indeks.FReszta) {
        // The rest of the word is blanks (or string text): its lines count, and reading passes it.
        if (indeks.FResztaLF)
            NoweLinie(indeks.FResztaLF);
        const bool jest = indeks.NastepneSlowo();
        char *dalej = indeks.FBaza;
        if (!jest) // the index stopped: on from where it ends
            dalej = FBuffer + indeks.Start() + indeks.Zbudowane();
        if (dalej > FSourcePtr)
            FSourcePtr = FTokenPtr = dalej;
        indeks.FSzybko = FSourcePtr;
        if (!jest)
            return TokenBajtPoBajcieIUzgodnij();
    }
    return NextToken();
}

unsigned char TLkJSONParser::TekstZIndeksu(char *p)
{
    TIndeksJSON &indeks = FIndeks;
    FSourcePtr = p;
    indeks.FSzybko = p;
    FStringPtr = FStringStart = nullptr;
    const size_t start = indeks.Start();
    size_t koniec;
    // Anything but the closing quote (a control byte, the sentinel) takes the long way.
    if (!indeks.NastepnyKoniec(static_cast<size_t>(p - FBuffer) - start + 1, koniec) || FBuffer[start + koniec] != '"')
        return TokenBajtPoBajcieIUzgodnij();
    FStringStart = p + 1;
    FStringPtr = FBuffer + start + koniec;
    FSourcePtr = FStringPtr + 1;
    indeks.FSzybko = FSourcePtr;
    return ZakonczToken(FSourcePtr, toWString);
}

unsigned char TLkJSONParser::TokenBiegu(char *p)
{
    // p starts the run, and FTokenPtr, FSourcePtr and the index stand on it.
    if (p == FSourceEnd)
        return TokenBajtPoBajcieIUzgodnij();
    unsigned char rodzaj;
    char *q = PrzejdzBieg(p, rodzaj);
    if (q) {
        // It may go on after a refill, or the stream may end inside it.
        if (q == FSourceEnd)
            return TokenBajtPoBajcieIUzgodnij();
    } else {
        q = p + 1;
        rodzaj = static_cast<unsigned char>(*p);
    }
    FSourcePtr = q;
    FToken = rodzaj;
    // The run may hold more tokens than its one start ("12ab"): those come byte by byte.
    FIndeks.Stoi(q, !Jest(*q, PoBieguJSON));
    return rodzaj;
}

unsigned char TLkJSONParser::TokenBajtPoBajcieIUzgodnij()
{
    const unsigned char token = TokenBajtPoBajcie();
    TIndeksJSON &indeks = FIndeks;
    const size_t pozycja = static_cast<size_t>(FSourcePtr - FBuffer);
    // A refill, the place that stopped the index passed, or reading beyond what
    // is built: a new index from here next time.
    if (!indeks.TenSamBufor(FZmianyBufora)
        || (indeks.Zatrzymany() != SIZE_MAX && pozycja > indeks.Zatrzymany())) {
        indeks.Uniewaznij();
        return token;
    }
    if (!indeks.UstawKursor(FSourcePtr)) {
        indeks.Uniewaznij();
        return token;
    }
    // Where the token ended a run (or a string) the next one has its start in the index.
    indeks.Stoi(FSourcePtr, !Jest(*FSourcePtr, PoBieguJSON) && !(indeks.FReszta & 1ull << (FSourcePtr - indeks.FBaza)));
    return token;
}

unsigned char TLkJSONParser::TokenBajtPoBajcie()
{
    char *p = PominBiale(FSourcePtr);
    ZacznijToken(p);
    if (NaWartowniku(p))
        return ZakonczToken(p, toEOF);

    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"') {
        // Most strings end in their first run; escapes and refills take the long way.
        char *koniec = SkanowanieBlokami::KoniecTekstuJSON(p + 1);
        if (*koniec != '"')
            return ZakonczToken(CzytajTekstJSON(p), toWString);
        FStringStart = p + 1;
        FStringPtr = koniec;
        return ZakonczToken(koniec + 1, toWString);
    }
    if (c == '-' || Jest(c, Cyfra)) {
        // Integers inline; fractions, exponents and refills take the long way.
        char *q = p + 1;
        while (static_cast<unsigned>(static_cast<unsigned char>(*q) - '0') < 10u)
            ++q;
        if (*q != '.' && *q != 'E' && *q != 'e' && !NaWartowniku(q))
            return ZakonczToken(q, toInteger);
        // A number is never the last byte of a document.
        unsigned char rodzaj;
        p = SkanujLiczbe(p, LiczbaTekst, false, false, rodzaj);
        return ZakonczToken(p, rodzaj);
    }
    if (Jest(c, MalaLitera))
        return ZakonczToken(PrzeskanujKlase(p + 1, MalaLitera), toSymbol);
    return ZakonczToken(p + 1, c);
}

char *TLkJSONParser::CzytajTekstJSON(char *p)
{
    ++p;
    FStringStart = p;
    for (;;) {
        p = SkanowanieBlokami::KoniecTekstuJSON(p);
        const char c = *p;
        if (c == '"')
            break;
        if (c == '\\') {
            ++p;
            bool jest;
            if (NaWartowniku(p))
                p = Zapewnij(p, false, jest);
            if (static_cast<unsigned char>(*p) < 32)
                Error(QStringLiteral("Nieprawidłowa stała tekstowa"));
            ++p; // the escaped byte, a backslash or a quote included
        } else if (NaWartowniku(p)) {
            bool jest;
            p = Zapewnij(p, false, jest);
        } else {
            Error(QStringLiteral("Nieprawidłowa stała tekstowa"));
        }
    }
    FStringPtr = p;
    return p + 1;
}

const TPorcjaTokenowJSON &TLkJSONParser::NastepneTokeny()
{
    if (!FPorcja)
        FPorcja = std::make_unique<TPorcjaTokenowJSON>();
    TPorcjaTokenowJSON &porcja = *FPorcja;
    porcja.FIle = 0;
    porcja.FPierwszyOsobno = false;
    if (!FZIndeksem || !SzybkaDroga()) {
        NextToken();
        DodajBiezacy(porcja);
        if (FToken == toEOF || !SzybkaDroga())
            return porcja;
    }
    CzytajSzybko(porcja);
    if (porcja.FIle == 0) {
        // The token at the cursor needs the long way.
        NextToken();
        DodajBiezacy(porcja);
    }
    return porcja;
}

void TLkJSONParser::DodajBiezacy(TPorcjaTokenowJSON &p_Porcja)
{
    p_Porcja.FBufor = FBuffer;
    p_Porcja.FOrigin = FOrigin;
    p_Porcja.FPierwszyOsobno = true;
    p_Porcja.FLiniaPierwszego = FSourceLine;
    p_Porcja.FKolumnaPierwszego = SourceColumn();
    p_Porcja.FTokeny[0] = {static_cast<uint32_t>(FTokenPtr - FBuffer), static_cast<uint32_t>(TokenView().size()), FToken};
    p_Porcja.FIle = 1;
}

void TLkJSONParser::CzytajSzybko(TPorcjaTokenowJSON &p_Porcja)
{
    TIndeksJSON &indeks = FIndeks;
    char *const bufor = FBuffer;
    const char *const koniecDanych = FSourceEnd;
    const size_t start = indeks.Start();
    char *const poczatekIndeksu = bufor + start;
    // Where lines are counted from: reading's place now.
    p_Porcja.FBufor = bufor;
    p_Porcja.FOrigin = FOrigin;
    p_Porcja.FIndeks = &indeks;
    p_Porcja.FStart = static_cast<uint32_t>(start);
    p_Porcja.FLiniaBazowa = FSourceLine;
    p_Porcja.FLiniiBazowych = indeks.LiniiPrzedKursorem();
    p_Porcja.FPoczatekLiniiBazowy = FPoczatekLinii;

    // First the starts and the ends of as many words as fill a batch,
    // flattened to offsets; then the k-th start pairs with the k-th end after
    // the first start, and the first byte gives the kind. A token whose end
    // lies past these words is left to the next batch.
    uint32_t *const poczatki = p_Porcja.FPoczatki.data();
    uint32_t *const konce = p_Porcja.FKonce.data();
    const size_t odSlowa = indeks.FSlowo;
    size_t doSlowa = odSlowa + 1;
    while (doSlowa < odSlowa + TPorcjaTokenowJSON::Pojemnosc / 64 && indeks.MaSlowo(doSlowa))
        ++doSlowa;
    TTokenJSON *const pierwszy = p_Porcja.FTokeny.data() + p_Porcja.FIle;
    TTokenJSON *wyjscie = pierwszy;
    const uint32_t odStartu = static_cast<uint32_t>(start);
#if defined(OSTREVIA_PORCJE_AVX512)
    if (FWektorowo) {
        unsigned char *const bajtyPoczatkow = p_Porcja.FBajtyPoczatkow.data();
        const size_t startow = RozwinZBajtami(indeks.MapaPoczatkow(), odSlowa, doSlowa, indeks.FReszta,
                                              poczatekIndeksu, poczatki, bajtyPoczatkow);
        if (startow == 0)
            return;
        const uint32_t pierwszyStart = poczatki[0];
        const size_t koncow = RozwinZBajtami(indeks.MapaGranic(), pierwszyStart / 64, doSlowa,
                                             (~0ull << (pierwszyStart % 64)) << 1, poczatekIndeksu, konce,
                                             p_Porcja.FBajtyKoncow.data());
        wyjscie += WypiszAVX512(poczatekIndeksu, koniecDanych, poczatki, konce, bajtyPoczatkow,
                                p_Porcja.FBajtyKoncow.data(), startow < koncow ? startow : koncow, odStartu, pierwszy);
    } else
#endif
    {
        const size_t startow = indeks.RozwinPoczatki(odSlowa, doSlowa, indeks.FReszta, poczatki);
        if (startow == 0)
            return;
        const uint32_t pierwszyStart = poczatki[0];
        const size_t koncow =
            indeks.RozwinGranice(pierwszyStart / 64, doSlowa, (~0ull << (pierwszyStart % 64)) << 1, konce);
        const size_t tokenow = startow < koncow ? startow : koncow;
        for (size_t i = 0; i < tokenow; ++i) {
            const uint32_t od = poczatki[i];
            const uint32_t koniec = konce[i];
            char *p = poczatekIndeksu + od;
            unsigned char rodzaj = RodzajPoPierwszymBajcie[static_cast<unsigned char>(*p)];
            uint32_t dlugosc = koniec - od - (rodzaj == toWString);
            // Runs, other bytes, and strings that end on a control byte or the
            // sentinel (an error, or a refill) are the rare cases.
            if ((rodzaj == 0) | ((rodzaj == toWString) & (poczatekIndeksu[koniec] != '"'))) {
                if (rodzaj != 0)
                    break;
                char *q = PrzejdzBieg(p, rodzaj);
                // Other bytes, the sentinel among them, take the long way; a run may go on after a refill.
                if (!q || q == koniecDanych)
                    break;
                dlugosc = static_cast<uint32_t>(q - p);
                // A run holding more tokens than its one start: those come byte by byte.
                if (q != poczatekIndeksu + koniec) {
                    *wyjscie++ = {od + odStartu, dlugosc, rodzaj};
                    break;
                }
            }
            *wyjscie++ = {od + odStartu, dlugosc, rodzaj};
        }
    }
    if (wyjscie == pierwszy)
        return;
    p_Porcja.FIle = static_cast<size_t>(wyjscie - p_Porcja.FTokeny.data());
    // Reading stands on the last token, as NextToken would have left it.
    const TTokenJSON &ostatni = wyjscie[-1];
    FTokenPtr = bufor + ostatni.Od;
    FToken = ostatni.Rodzaj;
    char *za;
    if (ostatni.Rodzaj == toWString) {
        FStringStart = FTokenPtr + 1;
        FStringPtr = FStringStart + ostatni.Dlugosc;
        za = FStringPtr + 1;
    } else {
        FStringStart = FStringPtr = nullptr;
        za = FTokenPtr + ostatni.Dlugosc;
    }
    FSourcePtr = za;
    const int linia = p_Porcja.Linia(p_Porcja.FIle - 1);
    if (linia != FSourceLine) {
        FSourceLine = linia;
        FPoczatekLinii = FOrigin + static_cast<qint64>(start + indeks.PoczatekLinii(ostatni.Od - start));
    }
    // The index's cursor on the word of the last token, its starts and line feeds after it left.
    const size_t bit = ostatni.Od - start;
    indeks.FSlowo = bit / 64;
    indeks.FBaza = poczatekIndeksu + bit / 64 * 64;
    const uint64_t poNim = (~0ull << (bit % 64)) << 1;
    indeks.FReszta = indeks.Poczatki(bit / 64) & poNim;
    indeks.FResztaLF = indeks.LF(bit / 64) & poNim;
    const bool bieg = ostatni.Rodzaj == toInteger || ostatni.Rodzaj == toFloat || ostatni.Rodzaj == toSymbol;
    indeks.Stoi(za, bieg && !Jest(*za, PoBieguJSON));
}
