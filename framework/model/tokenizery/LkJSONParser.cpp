#include "LkJSONParser.h"

#include "KlasyZnakow.h"

using namespace KlasyZnakow;

TLkJSONParser::TLkJSONParser(TStream *p_Stream) : TLkParser(p_Stream, BezResetu{})
{
    Reset();
}

unsigned char TLkJSONParser::NextToken()
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
        while (static_cast<unsigned char>(*q) - '0' < 10u)
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
