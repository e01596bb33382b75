// The fields' JSON hooks: each hands its value to the JSON writer or takes it
// from the JSON reader; what JSON looks like is the writer's and reader's business.
#include "DatyICzasy.h"
#include "OdczytywaczJSON.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "ZapisywaczJSON.h"

void TPole::ZapiszJSON(TZapisywaczJSON &p_Zapisywacz) const
{
    ZapiszTekstowo(p_Zapisywacz);
}

bool TPole::WczytajJSON(TOdczytywaczJSON &p_Odczytywacz)
{
    return WczytajTekstowo(p_Odczytywacz);
}

bool TPoleString::WczytajJSON(TOdczytywaczJSON &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    Wartosc = p_Odczytywacz.WczytajTekstLubTablice();
    p_Odczytywacz.UzyjCache(Wartosc);
    return !Wartosc.isEmpty();
}

bool TPoleRawByteString::WczytajJSON(TOdczytywaczJSON &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    SetJakoString(p_Odczytywacz.WczytajTekst());
    return !Wartosc.isEmpty();
}

bool TPoleWideString::WczytajJSON(TOdczytywaczJSON &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    Wartosc = p_Odczytywacz.WczytajTekst();
    return !Wartosc.isEmpty();
}

bool TPoleZmiennoprzecinkowe::WczytajJSON(TOdczytywaczJSON &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    TLkParser &parser = p_Odczytywacz.Parser();
    UstawZTekstuTokenow(parser, parser.TokenView());
    parser.NextToken();
    return !MaDefWartosc();
}

void TPoleDateTimeBazowe::ZapiszJSON(TZapisywaczJSON &p_Zapisywacz) const
{
    // Only the date-time layout has a blank, and JSON puts a "T" there.
    p_Zapisywacz.ZapiszTekst(FormatujDateCzas(FormatTekstowy(), Wartosc, UstawieniaDatModelu()).replace(QLatin1Char(' '), QLatin1Char('T')));
}

bool TPoleDateTimeBazowe::WczytajJSON(TOdczytywaczJSON &p_Odczytywacz)
{
    return WczytajTekstCzytelnika(p_Odczytywacz);
}
