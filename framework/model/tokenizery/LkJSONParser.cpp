#include "LkJSONParser.h"

#include "KlasyZnakow.h"

#include <cstring>

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

} // namespace

TLkJSONParser::TLkJSONParser(TStream *p_Stream, TDroga p_Droga)
    : TLkParser(p_Stream, BezResetu{}),
      FIndeks(p_Droga == TDroga::IndeksPodstawowy ? TIndeksJSON::TZestaw::Podstawowy : TIndeksJSON::TZestaw::Najlepszy),
      FZIndeksem(p_Droga != TDroga::BajtPoBajcie)
{
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
    const unsigned char c = static_cast<unsigned char>(*p);
    char *q;
    unsigned char rodzaj;
    if (c == '-' || Jest(static_cast<char>(c), Cyfra)) {
        q = PominCyfry(p + 1);
        rodzaj = toInteger;
        if (*q == '.' || *q == 'E' || *q == 'e') {
            rodzaj = toFloat;
            ++q;
            while (Jest(*q, LiczbaTekst))
                ++q;
        }
        // It may go on after a refill, or the stream may end inside it.
        if (q == FSourceEnd)
            return TokenBajtPoBajcieIUzgodnij();
    } else if (Jest(static_cast<char>(c), MalaLitera)) {
        q = p + 1;
        while (Jest(*q, MalaLitera))
            ++q;
        if (q == FSourceEnd)
            return TokenBajtPoBajcieIUzgodnij();
        rodzaj = toSymbol;
    } else {
        q = p + 1;
        rodzaj = c;
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
