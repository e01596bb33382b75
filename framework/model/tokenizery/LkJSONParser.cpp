#include "LkJSONParser.h"

#include "KlasyZnakow.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace KlasyZnakow;

namespace {

// What a token's first byte starts: most tokens are single characters.
enum : unsigned char { jZnak, jTekst, jLiczba, jSymbol, jZero };

constexpr std::array<unsigned char, 256> ZbudujPoczatki()
{
    std::array<unsigned char, 256> t{};
    t[0] = jZero;
    t['"'] = jTekst;
    t['-'] = jLiczba;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = jLiczba;
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = jSymbol;
    return t;
}
constexpr std::array<unsigned char, 256> Poczatki = ZbudujPoczatki();

// Number scans 16 bytes at a time: no branch per digit. Like the other block
// scans they stop at the 0 sentinel and may read up to 15 bytes past it.

#if defined(__SSE2__)
// The bytes of a block that are decimal digits.
inline __m128i Cyfry(__m128i p_Blok)
{
    const __m128i przesuniety = _mm_sub_epi8(p_Blok, _mm_set1_epi8('0'));
    return _mm_cmpeq_epi8(_mm_min_epu8(przesuniety, _mm_set1_epi8(9)), przesuniety);
}

// The bytes that continue a fraction or an exponent: 0-9 + - E e.
inline __m128i ZnakiUlamka(__m128i p_Blok)
{
    __m128i nalezy = _mm_or_si128(Cyfry(p_Blok), _mm_cmpeq_epi8(p_Blok, _mm_set1_epi8('+')));
    nalezy = _mm_or_si128(nalezy, _mm_cmpeq_epi8(p_Blok, _mm_set1_epi8('-')));
    // Only E and e become e when the lower-case bit is set.
    return _mm_or_si128(nalezy, _mm_cmpeq_epi8(_mm_or_si128(p_Blok, _mm_set1_epi8(0x20)), _mm_set1_epi8('e')));
}

// The first byte at or after p outside the class p_Nalezace marks in a block.
template <typename TNalezace>
inline char *PominBlokami(char *p, TNalezace p_Nalezace)
{
    for (;;) {
        const __m128i blok = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned inne = ~static_cast<unsigned>(_mm_movemask_epi8(p_Nalezace(blok))) & 0xFFFFu;
        if (inne)
            return p + __builtin_ctz(inne);
        p += 16;
    }
}
#else
inline char *PominBajtami(char *p, uint16_t p_Klasa)
{
    while (Jest(*p, p_Klasa))
        ++p;
    return p;
}
#endif

inline char *PominCyfry(char *p)
{
#if defined(__SSE2__)
    return PominBlokami(p, Cyfry);
#else
    return PominBajtami(p, Cyfra);
#endif
}

inline char *PominLiczbeTekstowa(char *p)
{
#if defined(__SSE2__)
    return PominBlokami(p, ZnakiUlamka);
#else
    return PominBajtami(p, LiczbaTekst);
#endif
}

} // namespace

TLkJSONParser::TLkJSONParser(TStream *p_Stream) : TLkParser(p_Stream, BezResetu{})
{
    Reset();
}

unsigned char TLkJSONParser::NextToken()
{
    // The fast path finishes a token only when it meets neither the buffer's
    // end nor an error; anything else starts over in TokenOd from the token's
    // first byte, so both give the same tokens.
    char *p = PominBiale(FSourcePtr);
    ZacznijToken(p);
    switch (Poczatki[static_cast<unsigned char>(*p)]) {
    case jZnak:
        return ZakonczToken(p + 1, static_cast<unsigned char>(*p));
    case jTekst: {
        // Escapes are stepped over in the scan; one before a control byte or
        // the buffer's end is left to the long way.
        char *q = p + 1;
        for (;;) {
            q = SkanowanieBlokami::KoniecTekstuJSON(q);
            if (*q != '\\' || static_cast<unsigned char>(q[1]) < 32)
                break;
            q += 2;
        }
        if (*q != '"')
            return TokenOd(p);
        FStringStart = p + 1;
        FStringPtr = q;
        return ZakonczToken(q + 1, toWString);
    }
    case jLiczba: {
        char *q = PominCyfry(p + 1);
        unsigned char rodzaj = toInteger;
        if (*q == '.' || *q == 'E' || *q == 'e') {
            q = PominLiczbeTekstowa(q + 1);
            rodzaj = toFloat;
        }
        // A number is never the last byte of a document: its end must be seen.
        if (NaWartowniku(q))
            return TokenOd(p);
        return ZakonczToken(q, rodzaj);
    }
    case jSymbol: {
        char *q = p + 1;
        while (Jest(*q, MalaLitera))
            ++q;
        if (NaWartowniku(q))
            return TokenOd(p);
        return ZakonczToken(q, toSymbol);
    }
    default:
        if (!NaWartowniku(p))
            return ZakonczToken(p + 1, 0);
        return TokenOd(p);
    }
}

unsigned char TLkJSONParser::TokenOd(char *p)
{
    p = PominBiale(p);
    ZacznijToken(p);
    if (NaWartowniku(p))
        return ZakonczToken(p, toEOF);

    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"')
        return ZakonczToken(CzytajTekstJSON(p), toWString);
    if (c == '-' || Jest(c, Cyfra)) {
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
