#include "ListaBazowa.h"
#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"

#include "OdczytywaczJSON.h"
#include "PolaZmiennoprzecinkowe.h"
#include "ZapisywaczJSON.h"

#include <charconv>
#include <limits>

namespace {

// A typed root carries its array under "value".
void zacznijTablice(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp)
{
    if (p_ZapisanoTyp)
        p_Zapisywacz.ZapiszPropValue();
    p_Zapisywacz.Dopisz('[');
}

// Runs p_Element at every element up to "]", each optionally followed by ",".
template <typename F> void czytajTablice(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp, F p_Element)
{
    TLkJSONParser &parser = p_Odczytywacz.Parser();
    if (p_OdczytanoTyp)
        p_Odczytywacz.CzytajPropValue();
    parser.CheckToken('[');
    parser.NextToken();
    while (parser.Token() != ']') {
        if (parser.Token() == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        p_Element();
        if (parser.Token() == ',')
            parser.NextToken();
    }
    parser.NextToken();
    if (p_OdczytanoTyp) {
        parser.CheckToken('}');
        parser.NextToken();
    }
}

} // namespace

void TListaBazowa::WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const
{
    zacznijTablice(p_Zapisywacz, p_ZapisanoTyp);
    p_Zapisywacz.DopiszNowaLinie();
    for (int i = 0; i < IleObiektow(); ++i) {
        if (i > 0) {
            p_Zapisywacz.Dopisz(',');
            p_Zapisywacz.DopiszNowaLinie();
        }
        ObiektyListy(i)->WykonajZapisJSON(p_Zapisywacz, false);
    }
    p_Zapisywacz.DopiszNowaLinie();
    p_Zapisywacz.Dopisz(']');
}

void TListaObiektow::WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp)
{
    // The document was cleared before reading: items here come from the same
    // key given twice, and freeing them would leave their IDs naming nothing.
    if (IleObiektow() > 0)
        p_Odczytywacz.Parser().Error(QStringLiteral("Lista obiektów powtórzona w dokumencie"));
    if (!p_OdczytanoTyp && p_Odczytywacz.Parser().Token() == '{') {
        DodajObiekt(nullptr, 0)->WczytajJSON(p_Odczytywacz);
        return;
    }
    czytajTablice(p_Odczytywacz, p_OdczytanoTyp,
                  [&] { DodajObiekt(nullptr, IleObiektow())->WczytajJSON(p_Odczytywacz); });
}

void TListaWskObiektow::WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const
{
    zacznijTablice(p_Zapisywacz, p_ZapisanoTyp);
    int zapisane = 0;
    for (int i = 0; i < IleObiektow(); ++i) {
        const QByteArray *id = p_Zapisywacz.IDDoZapisu(ObiektyListy(i));
        if (!id)
            continue;
        if (zapisane > 0) {
            p_Zapisywacz.Dopisz(',');
            if (zapisane % TZapisywaczJSON::ElementowWLinii == 0)
                p_Zapisywacz.DopiszNowaLinie();
        }
        p_Zapisywacz.Dopisz(*id);
        ++zapisane;
    }
    p_Zapisywacz.Dopisz(']');
}

void TListaWskObiektow::WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp)
{
    ZerujDane();
    TLkJSONParser &parser = p_Odczytywacz.Parser();
    czytajTablice(p_Odczytywacz, p_OdczytanoTyp, [&] {
        p_Odczytywacz.RejestrujListeRef(*this, parser.TokenString());
        parser.NextToken();
    });
}

template <typename T>
void TPoleListaLiczb<T>::WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const
{
    if (p_ZapisanoTyp)
        p_Zapisywacz.ZapiszPropValue();
    p_Zapisywacz.ZapiszTabliceLiczb(*this, [&](T p_Wartosc) {
        if constexpr (std::is_integral_v<T>) {
            // TekstWartosci's digits without a string per element.
            char cyfry[24];
            p_Zapisywacz.Dopisz(QByteArrayView(cyfry, std::to_chars(cyfry, cyfry + sizeof cyfry, p_Wartosc).ptr - cyfry));
        } else {
            p_Zapisywacz.Dopisz(TekstWartosci(p_Wartosc).toLatin1());
        }
    });
}

template <typename T> void TPoleListaLiczb<T>::WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp)
{
    ZerujDane();
    TLkJSONParser &parser = p_Odczytywacz.Parser();
    czytajTablice(p_Odczytywacz, p_OdczytanoTyp, [&] {
        if constexpr (std::is_integral_v<T>)
            DodajWartosc(static_cast<T>(parser.TokenInt()));
        else
            DodajWartosc(static_cast<T>(
                TekstNaLiczbe(QString::fromLatin1(parser.TokenView()), std::numeric_limits<T>::max())));
        parser.NextToken();
    });
}

template void TPoleListaLiczb<int32_t>::WykonajZapisJSON(TZapisywaczJSON &, bool) const;
template void TPoleListaLiczb<int32_t>::WykonajOdczytJSON(TOdczytywaczJSON &, bool);
template void TPoleListaLiczb<int64_t>::WykonajZapisJSON(TZapisywaczJSON &, bool) const;
template void TPoleListaLiczb<int64_t>::WykonajOdczytJSON(TOdczytywaczJSON &, bool);
template void TPoleListaLiczb<double>::WykonajZapisJSON(TZapisywaczJSON &, bool) const;
template void TPoleListaLiczb<double>::WykonajOdczytJSON(TOdczytywaczJSON &, bool);
template void TPoleListaLiczb<long double>::WykonajZapisJSON(TZapisywaczJSON &, bool) const;
template void TPoleListaLiczb<long double>::WykonajOdczytJSON(TOdczytywaczJSON &, bool);

void TPoleStrList::WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const
{
    zacznijTablice(p_Zapisywacz, p_ZapisanoTyp);
    const bool wiele = Wartosci.size() > 1;
    if (wiele)
        p_Zapisywacz.DopiszNowaLinie();
    for (qsizetype i = 0; i < Wartosci.size(); ++i) {
        if (i > 0) {
            p_Zapisywacz.Dopisz(',');
            p_Zapisywacz.DopiszNowaLinie();
        }
        p_Zapisywacz.ZapiszTekst(Wartosci[i]);
    }
    if (wiele)
        p_Zapisywacz.DopiszNowaLinie();
    p_Zapisywacz.Dopisz(']');
}

void TPoleStrList::WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp)
{
    ZerujDane();
    czytajTablice(p_Odczytywacz, p_OdczytanoTyp, [&] { Wartosci << p_Odczytywacz.WczytajTekst(); });
    p_Odczytywacz.UzyjCache(Wartosci);
}
