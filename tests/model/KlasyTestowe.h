#pragma once

#include "DrukQt.h"
#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PoleWskObiektu.h"

// A node of a test graph: values, a tracked and a plain reference, and two
// sub-objects of its own class.
class TWezel : public TKlasa<TWezel, TObiekt>
{
public:
    enum : int16_t { Nazwa, Ilosc, Cel, Wsk, Lewy, Prawy };
    static constexpr TOpisPola PolaKlasy[] = {
        {Nazwa, "Nazwa", &TPoleString::Opis}, {Ilosc, "IloscSztuk", &TPoleInteger::Opis},
        {Cel, "Cel", &TPoleRefObiektu::Opis}, {Wsk, "Wsk", &TPoleWskObiektu::Opis},
        {Lewy, "Lewy", &Opis},                {Prawy, "Prawy", &Opis},
    };
    using TKlasa::TKlasa;

    TWezel &Pod(int16_t p_Nr) { return static_cast<TWezel &>(TObiekt::Pola(p_Nr)); }
    TObiektBazowy *Wskazany(int16_t p_Nr) { return static_cast<TPoleWskObiektu &>(TObiekt::Pola(p_Nr)).Wartosc(); }
};
