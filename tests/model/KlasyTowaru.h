#pragma once

#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"

#include <gtest/gtest.h>

// Small persistent classes for tests of object operations: an item with a
// field of every common kind, an address held as a sub-object and a pointer.
class TAdres : public TKlasa<TAdres, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Miasto", &TPoleString::Opis},
        {1, "KodPocztowy", &TPoleString::Opis},
    };
    using TKlasa::TKlasa;
};

class TTowar : public TKlasa<TTowar, TObiekt>
{
public:
    enum : int16_t { NrPozycji, Nazwa, DataWywozu, Zwolniony, Adres, Wskazany, Masa, Kod };
    static constexpr TOpisPola PolaKlasy[] = {
        {NrPozycji, "NrPozycjiTowaru", &TPoleInteger::Opis},
        {Nazwa, "Nazwa", &TPoleString::Opis},
        {DataWywozu, "DataWywozu", &TPoleDate::Opis},
        {Zwolniony, "Zwolniony", &TPoleBoolean::Opis},
        {Adres, "Adres", &TAdres::Opis},
        {Wskazany, "Wskazany", &TPoleWskObiektu::Opis},
        {Masa, "Masa", &TPoleDouble::Opis},
        {Kod, "Kod", &TPoleRawByteString::Opis},
    };
    using TKlasa::TKlasa;
    // The code field holds at most four characters.
    int16_t RozmPolaNr(int16_t p_Nr) const override { return p_Nr == Kod ? 4 : TObiekt::RozmPolaNr(p_Nr); }

    TAdres &DajAdres() { return static_cast<TAdres &>(Pola(Adres)); }
};

// The message of the LkException the call raises; empty when it raises none.
template <typename F> QString KomunikatBledu(F &&p_Wywolanie)
{
    try {
        p_Wywolanie();
    } catch (const LkException &e) {
        return e.Message();
    }
    return {};
}
