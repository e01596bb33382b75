#include "LkXMLParser.h"

#include "KlasyZnakow.h"

using namespace KlasyZnakow;

TLkXMLParser::TLkXMLParser(TStream *p_Stream) : TLkParser(p_Stream, BezResetu{})
{
    Reset();
}

unsigned char TLkXMLParser::NextToken()
{
    const unsigned char poprzedni = FToken;
    char *p = FSourcePtr;
    if (ZachowajSpacje) {
        ZachowajSpacje = false;
        FTokenPtr = p;
        ZapewnijBajt(p, true);
    } else {
        p = PominBiale(p);
    }
    ZacznijToken(p);
    if (NaWartowniku(p))
        return ZakonczToken(p, toEOF);

    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"')
        return ZakonczToken(CzytajTekstXML(p, poprzedni == '>'), toString);
    if (c == '$')
        return ZakonczToken(PrzeskanujKlase(p + 1, CyfraHex), toInteger);
    if (c == '-') {
        char *nastepny = p + 1;
        if (!ZapewnijBajt(nastepny, true) || !Jest(*nastepny, Cyfra))
            return ZakonczToken(nastepny, '-');
        p = FTokenPtr;
    }
    if (c == '-' || Jest(c, Cyfra)) {
        unsigned char rodzaj;
        p = SkanujLiczbe(p, LiczbaXML, true, true, rodzaj);
        return ZakonczToken(p, rodzaj);
    }
    if (Jest(c, PoczatekSymbolu))
        return ZakonczToken(PrzeskanujKlase(p + 1, SymbolXML), toSymbol);
    return ZakonczToken(p + 1, c);
}

// A value runs to the closing quote or to the next "<". Element content that
// begins with a quote keeps it, and only "<" ends it.
char *TLkXMLParser::CzytajTekstXML(char *p, bool p_PoZnakuWiekszosci)
{
    FWasEndOfLine = false;
    ++p;
    FStringStart = p_PoZnakuWiekszosci ? FTokenPtr : p;
    for (;;) {
        while (!Jest(*p, KoniecTekstuXML))
            ++p;
        const char c = *p;
        if (c == '<')
            break;
        if (c == '"') {
            if (!p_PoZnakuWiekszosci)
                break;
            ++p;
        } else if (c == '\n' || c == '\r') {
            if (c == '\n')
                NowaLinia(p);
            FWasEndOfLine = true;
            ++p;
        } else if (!NaWartowniku(p)) {
            ++p; // a 0 byte inside the value
        } else {
            ZapewnijBajt(p, false);
        }
    }
    FStringPtr = p;
    return *p == '"' ? p + 1 : p;
}
