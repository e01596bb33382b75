#pragma once

#include "ListaObiektow.h"
#include "TypyPolBazowe.h"

class TCC529C;
class TStream;

// One input of a batch as the register of exports keeps it: what the
// message says and how its rendering ended ("OK" or the refusal's text).
class TWierszPodsumowania : public TKlasa<TWierszPodsumowania, TObiekt>
{
public:
    enum : int16_t {
        Plik, Komunikat, MRN, LRN, DataPrzyjecia, DataZwolnienia, DataWyprowadzenia, UrzadWywozu,
        UrzadWyprowadzenia, Eksporter, NrEksportera, LiczbaPozycji, MasaBrutto, StanZamkniec, Wynik
    };
    static constexpr TOpisPola PolaKlasy[] = {
        {Plik, "Plik", &TPoleString::Opis},
        {Komunikat, "Komunikat", &TPoleString::Opis},
        {MRN, "MRN", &TPoleString::Opis},
        {LRN, "LRN", &TPoleString::Opis},
        {DataPrzyjecia, "DataPrzyjecia", &TPoleString::Opis},
        {DataZwolnienia, "DataZwolnienia", &TPoleString::Opis},
        {DataWyprowadzenia, "DataWyprowadzenia", &TPoleString::Opis},
        {UrzadWywozu, "UrzadWywozu", &TPoleString::Opis},
        {UrzadWyprowadzenia, "UrzadWyprowadzenia", &TPoleString::Opis},
        {Eksporter, "Eksporter", &TPoleString::Opis},
        {NrEksportera, "NrEksportera", &TPoleString::Opis},
        {LiczbaPozycji, "LiczbaPozycji", &TPoleInteger::Opis},
        {MasaBrutto, "MasaBrutto", &TPoleString::Opis},
        {StanZamkniec, "StanZamkniec", &TPoleString::Opis},
        {Wynik, "Wynik", &TPoleString::Opis},
    };
    using TKlasa::TKlasa;

    // The message's fields; its type ("IE529", "IE599") by its class.
    void WpiszKomunikat(const TCC529C &p_Komunikat);
};

class TListaWierszyPodsumowania : public TKlasa<TListaWierszyPodsumowania, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TWierszPodsumowania::Opis; }

    // ";"-separated UTF-8 with a header row, each cell on one line.
    void ZapiszCSV(TStream &p_Cel);
};
