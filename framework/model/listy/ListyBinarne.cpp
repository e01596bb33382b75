#include "ListaBazowa.h"
#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"

#include "Extended80.h"
#include "OdczytywaczDanych.h"
#include "StrumienBinarny.h"
#include "WczesnyOdczyt.h"
#include "ZapisywaczDanych.h"

#include "Strumienie.h"

#include <algorithm>

namespace {

template <typename T> void zapiszWartosc(TStream &p_Strumien, T p_Wartosc)
{
    if constexpr (std::is_same_v<T, double>) {
        ZapiszDouble(p_Strumien, p_Wartosc);
    } else if constexpr (std::is_same_v<T, long double>) {
        const TBajtyExtended bajty = ExtendedNaBajty(p_Wartosc);
        p_Strumien.WriteBuffer(bajty.data(), bajty.size());
    } else {
        ZapiszLE<T>(p_Strumien, p_Wartosc);
    }
}

template <typename T> T czytajWartosc(TStream &p_Strumien)
{
    if constexpr (std::is_same_v<T, double>) {
        return CzytajDouble(p_Strumien);
    } else if constexpr (std::is_same_v<T, long double>) {
        TBajtyExtended bajty;
        p_Strumien.ReadBuffer(bajty.data(), bajty.size());
        return ExtendedZBajtow(bajty);
    } else {
        return CzytajLE<T>(p_Strumien);
    }
}

} // namespace

void TListaBazowa::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    ZapiszLiczbe(p_Strumien, IleObiektow());
    for (int i = 0; i < IleObiektow(); ++i) {
        ZaladujZawczasu(ObiektyListy(i + WyprzedzenieOdczytu));
        ObiektyListy(i)->ZapiszWStrumieniu(p_Strumien, p_Zapisywacz);
    }
}

void TListaObiektow::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    TPoziomOdczytu poziom(p_Odczytywacz);
    ZerujDane();
    // Room for as many items as the rest of the input can hold (a byte each at
    // least), never for the count it claims.
    const int32_t ile = CzytajLiczbe(p_Strumien);
    if (const int64_t reszta = p_Strumien.ZnanaReszta(); reszta > 0 && ile > PojemnoscListy())
        UstawPojemnoscListy(static_cast<int>(std::min<int64_t>(ile, reszta)));
    for (int32_t i = 0; i < ile; ++i)
        DodajObiekt(nullptr, IleObiektow())->WczytajZeStrumienia(p_Strumien, p_Odczytywacz);
}

void TListaWskObiektow::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    std::vector<int32_t> numery;
    for (int i = 0; i < IleObiektow(); ++i)
        if (int gdzie = -1; ObiektyListy(i) && p_Zapisywacz.PodlegaZapisowi(ObiektyListy(i), gdzie))
            numery.push_back(gdzie + 1);
    ZapiszLiczbe(p_Strumien, static_cast<int32_t>(numery.size()));
    for (const int32_t numer : numery)
        ZapiszLiczbe(p_Strumien, numer);
}

void TListaWskObiektow::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    ZerujDane();
    p_Odczytywacz.RejestrujListe(*this);
    const int32_t ile = CzytajLiczbe(p_Strumien);
    for (int32_t i = 0; i < ile; ++i)
        p_Odczytywacz.DodajRefListyNumer(*this, CzytajLiczbe(p_Strumien));
}

template <typename T> void TPoleListaLiczb<T>::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &) const
{
    ZapiszLiczbe(p_Strumien, Rozmiar());
    for (const T wartosc : *this)
        zapiszWartosc(p_Strumien, wartosc);
}

template <typename T>
void TPoleListaLiczb<T>::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    ZerujDane();
    const int32_t ile = CzytajLiczbe(p_Strumien);
    for (int32_t i = 0; i < ile; ++i)
        DodajWartosc(czytajWartosc<T>(p_Strumien));
}

template void TPoleListaLiczb<int32_t>::ZapiszWStrumieniu(TStream &, TZapisywaczDanych &) const;
template void TPoleListaLiczb<int32_t>::WczytajZeStrumienia(TStream &, TOdczytywaczDanych &);
template void TPoleListaLiczb<int64_t>::ZapiszWStrumieniu(TStream &, TZapisywaczDanych &) const;
template void TPoleListaLiczb<int64_t>::WczytajZeStrumienia(TStream &, TOdczytywaczDanych &);
template void TPoleListaLiczb<double>::ZapiszWStrumieniu(TStream &, TZapisywaczDanych &) const;
template void TPoleListaLiczb<double>::WczytajZeStrumienia(TStream &, TOdczytywaczDanych &);
template void TPoleListaLiczb<long double>::ZapiszWStrumieniu(TStream &, TZapisywaczDanych &) const;
template void TPoleListaLiczb<long double>::WczytajZeStrumienia(TStream &, TOdczytywaczDanych &);

void TPoleStrList::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    ZapiszLiczbe(p_Strumien, static_cast<int32_t>(Wartosci.size()));
    for (const QString &linia : Wartosci)
        ZapiszNapisPola(linia, p_Strumien, p_Zapisywacz);
}

void TPoleStrList::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    ZerujDane();
    const int32_t ile = CzytajLiczbe(p_Strumien);
    for (int32_t i = 0; i < ile; ++i)
        Wartosci << CzytajNapisPola(p_Strumien, p_Odczytywacz);
}

void TPoleWideStrList::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    ZapiszLiczbe(p_Strumien, static_cast<int32_t>(Wartosci.size()));
    for (const QString &linia : Wartosci)
        ZapiszNapisUTF8(p_Strumien, p_Zapisywacz.NormalizujTekst ? p_Zapisywacz.NormalizujTekst(linia) : linia);
}

void TPoleWideStrList::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    ZerujDane();
    const int32_t ile = CzytajLiczbe(p_Strumien);
    for (int32_t i = 0; i < ile; ++i)
        Wartosci << CzytajNapisUTF8(p_Strumien);
}
