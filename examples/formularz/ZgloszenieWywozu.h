#pragma once

#include "Obiekt.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"

// The persistent object the example's form edits: an export declaration's
// few fields. The date is kept as the user's short date text.
class TZgloszenieWywozu : public TKlasa<TZgloszenieWywozu, TObiekt>
{
public:
    enum : int16_t { Nadawca, NumerMRN, DataWywozu, ZgodaNaPrzetwarzanie };
    static constexpr TOpisPola PolaKlasy[] = {
        {Nadawca, "Nadawca", &TPoleString::Opis},
        {NumerMRN, "NumerMRN", &TPoleString::Opis},
        {DataWywozu, "DataWywozu", &TPoleString::Opis},
        {ZgodaNaPrzetwarzanie, "ZgodaNaPrzetwarzanie", &TPoleBoolean::Opis},
    };
    using TKlasa::TKlasa;
};
