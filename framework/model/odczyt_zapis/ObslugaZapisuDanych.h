#pragma once

#include "Formatuj.h"
#include "ZapisywaczDanych.h"

#include <cstdint>
#include <vector>

class TObiekt;

// A field filter for saving part of a root object: with p_Zapisz only the
// listed fields of the root, without it all but them; fields above
// p_MaxNrPola never. Objects below the root are written whole.
class TObslugaZapisuDanych
{
public:
    // Elements of p_Pola that are not integers raise "%s: Błędny typ indeksu";
    // listed fields without a value are dropped.
    TObslugaZapisuDanych(const TObiekt &p_Korzen, const TArrayOfConst &p_Pola, bool p_Zapisz, int16_t p_MaxNrPola);

    bool CzyZapisacPole(const TObiekt &p_Obiekt, int16_t p_NrPola) const;
    // The filter in the writer's form; it refers to this object, which must outlive it.
    TFunCzyZapisac Filtr() const
    {
        return [this](const TObiekt &p_Obiekt, int16_t p_NrPola) { return CzyZapisacPole(p_Obiekt, p_NrPola); };
    }

private:
    const TObiekt *FKorzen;
    bool FZapisz;
    // Sorted.
    std::vector<int16_t> FPola;
    int16_t FMaxNrPola;
};
