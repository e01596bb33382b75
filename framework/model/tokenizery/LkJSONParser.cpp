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
        while (!Jest(*p, KoniecTekstuJSON))
            ++p;
        const char c = *p;
        if (c == '"')
            break;
        if (c == '\\') {
            ++p;
            ZapewnijBajt(p, false);
            if (static_cast<unsigned char>(*p) < 32)
                Error(QStringLiteral("Nieprawidłowa stała tekstowa"));
            ++p; // the escaped byte, a backslash or a quote included
        } else if (NaWartowniku(p)) {
            ZapewnijBajt(p, false);
        } else {
            Error(QStringLiteral("Nieprawidłowa stała tekstowa"));
        }
    }
    FStringPtr = p;
    return p + 1;
}
