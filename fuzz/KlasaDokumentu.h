#pragma once

// A document class for the object readers: a field of every class, a
// sub-object of its own class (so that input decides the depth) and a second
// one, a list of every kind (its items again documents) and an array of constants.
#include "KlasyPol.h"
#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"
#include "Obiekt.h"
#include "PoleArrayOfConst.h"

class TListaDokumentowFuzz : public TKlasa<TListaDokumentowFuzz, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override;
};

class TDokumentFuzz : public TKlasa<TDokumentFuzz, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Boolean", &TPoleBoolean::Opis},       {1, "Byte", &TPoleByte::Opis},
        {2, "Smallint", &TPoleSmallint::Opis},     {3, "Word", &TPoleWord::Opis},
        {4, "Integer", &TPoleInteger::Opis},       {5, "Cardinal", &TPoleCardinal::Opis},
        {6, "Int64", &TPoleInt64::Opis},           {7, "Double", &TPoleDouble::Opis},
        {8, "Extended", &TPoleExtended::Opis},     {9, "Currency", &TPoleCurrency::Opis},
        {10, "Date", &TPoleDate::Opis},            {11, "Time", &TPoleTime::Opis},
        {12, "DateTime", &TPoleDateTime::Opis},    {13, "String", &TPoleString::Opis},
        {14, "Raw", &TPoleRawByteString::Opis},    {15, "Wide", &TPoleWideString::Opis},
        {16, "Wsk", &TPoleWskObiektu::Opis},       {17, "Ref", &TPoleRefObiektu::Opis},
        {18, "Dalej", &TDokumentFuzz::Opis},       {19, "Obok", &TDokumentFuzz::Opis},
        {20, "Lista", &TListaDokumentowFuzz::Opis}, {21, "Obce", &TListaObiektow::Opis},
        {22, "Liczby", &TPoleIntList::Opis},       {23, "Duze", &TPoleInt64List::Opis},
        {24, "Ulamki", &TPoleDoubleList::Opis},    {25, "Rozszerzone", &TPoleExtendedList::Opis},
        {26, "Linie", &TPoleStrList::Opis},        {27, "Szerokie", &TPoleWideStrList::Opis},
        {28, "Wskazania", &TListaWskObiektow::Opis},
        // arrays of constants (their objects are documents again)
        {29, "Stale", &TPoleArrayOfConst::Opis},
    };
    using TKlasa::TKlasa;
};

inline const TOpisKlasy &TListaDokumentowFuzz::TypObiektowListy() const
{
    return TDokumentFuzz::Opis;
}
