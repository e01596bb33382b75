#pragma once

// Every field class a reader can meet, so that one input byte picks one.
#include "PolaCalkowite.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"

#include <cstdint>
#include <iterator>

inline const TOpisKlasy *const KlasyPol[] = {
    &TPoleBoolean::Opis,   &TPoleByte::Opis,       &TPoleSmallint::Opis,        &TPoleWord::Opis,
    &TPoleInteger::Opis,   &TPoleCardinal::Opis,   &TPoleInt64::Opis,           &TPoleDouble::Opis,
    &TPoleExtended::Opis,  &TPoleCurrency::Opis,   &TPoleDate::Opis,            &TPoleTime::Opis,
    &TPoleDateTime::Opis,  &TPoleString::Opis,     &TPoleRawByteString::Opis,   &TPoleWideString::Opis,
    &TPoleWskObiektu::Opis, &TPoleRefObiektu::Opis,
};
inline constexpr size_t LiczbaKlasPol = std::size(KlasyPol);

inline bool JestWskaznikiem(const TOpisKlasy &p_Klasa)
{
    return p_Klasa.DziedziczyPo(TPoleWskObiektu::Opis);
}
