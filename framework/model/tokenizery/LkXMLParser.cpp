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
    return CzytajLiczbeSymbolLubZnak(p, LiczbaXML, true, SymbolXML);
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

bool TLkXMLParser::RownaSieIWartosc()
{
    // The byte after "=" is at worst the sentinel, which ends the buffer.
    char *p = FSourcePtr;
    if (ZachowajSpacje || p[0] != '=' || p[1] != '"')
        return false;
    ZacznijToken(p + 1);
    ZakonczToken(CzytajTekstXML(p + 1, false), toString);
    return true;
}

unsigned char TLkXMLParser::NapisDoZnacznika()
{
    if (FToken == '<' || FToken == toEOF) {
        FStringStart = FStringPtr = FTokenPtr;
        FSourcePtr = FTokenPtr;
        return ZakonczToken(FTokenPtr, toString);
    }
    char *p = FTokenPtr;
    FStringStart = FTokenPtr;
    FWasEndOfLine = false;
    for (;;) {
        while (!Jest(*p, KoniecTekstuXML) || *p == '"')
            ++p;
        if (*p == '<')
            break;
        if (*p == '\n' || *p == '\r') {
            if (*p == '\n' && p >= FSourcePtr)
                NowaLinia(p);
            FWasEndOfLine = true;
            ++p;
        } else if (!NaWartowniku(p)) {
            ++p;
        } else {
            ZapewnijBajt(p, false);
        }
    }
    FStringPtr = p;
    return ZakonczToken(p, toString);
}

unsigned char TLkXMLParser::NapisWApostrofach()
{
    ReadTextUpTo('\'');
    char *koniec = FSourcePtr;
    if (!ZapewnijBajt(koniec, false))
        return toEOF;
    FStringStart = FTokenPtr;
    FStringPtr = koniec;
    return ZakonczToken(koniec + 1, toString);
}

void TLkXMLParser::UsunKonceLiniiZNapisu()
{
    if (FToken != toString || !FStringStart)
        return;
    char *cel = FStringStart;
    for (const char *p = FStringStart; p < FStringPtr; ++p)
        if (*p != '\r' && *p != '\n')
            *cel++ = *p;
    FStringPtr = cel;
}
