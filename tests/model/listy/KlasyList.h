#pragma once

#include "KlasyTowaru.h"
#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"

// An item of a document, with a count of destroyed items so that tests can
// see who frees what.
class TPozycja : public TKlasa<TPozycja, TObiekt>
{
public:
    enum : int16_t { Nazwa, Ilosc, Kwota };
    static constexpr TOpisPola PolaKlasy[] = {
        {Nazwa, "Nazwa", &TPoleString::Opis},
        {Ilosc, "Ilosc", &TPoleInteger::Opis},
        {Kwota, "Kwota", &TPoleCurrency::Opis},
    };
    using TKlasa::TKlasa;
    ~TPozycja() override { ++Zniszczone; }

    static inline int Zniszczone = 0;
};

class TListaPozycji : public TKlasa<TListaPozycji, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TPozycja::Opis; }
    TPozycja &Pozycja(int p_Nr) const { return static_cast<TPozycja &>(*ObiektyListy(p_Nr)); }
    // A new item at the end with those values.
    TPozycja &Dopisz(const QString &p_Nazwa, int p_Ilosc = 0)
    {
        auto &pozycja = static_cast<TPozycja &>(*DopiszObiekt(nullptr));
        pozycja.UstawPole<TPoleString>(TPozycja::Nazwa, p_Nazwa);
        if (p_Ilosc)
            pozycja.UstawPole<TPoleInteger>(TPozycja::Ilosc, p_Ilosc);
        return pozycja;
    }
};

class TListaTowarow : public TKlasa<TListaTowarow, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TTowar::Opis; }
    TTowar &Towar(int p_Nr) const { return static_cast<TTowar &>(*ObiektyListy(p_Nr)); }
};

// A document: items, a choice among them, numbers and remarks.
class TDokument : public TKlasa<TDokument, TObiekt>
{
public:
    enum : int16_t { Numer, Pozycje, Wybrane, Numery, Uwagi };
    static constexpr TOpisPola PolaKlasy[] = {
        {Numer, "Numer", &TPoleString::Opis},
        {Pozycje, "Pozycje", &TListaPozycji::Opis},
        {Wybrane, "Wybrane", &TListaWskObiektow::Opis},
        {Numery, "Numery", &TPoleIntList::Opis},
        {Uwagi, "Uwagi", &TPoleStrList::Opis},
    };
    using TKlasa::TKlasa;

    TListaPozycji &Lista() { return Pole<TListaPozycji>(Pozycje); }
    TListaWskObiektow &Wybor() { return Pole<TListaWskObiektow>(Wybrane); }
};
