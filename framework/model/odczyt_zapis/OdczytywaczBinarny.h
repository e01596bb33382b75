#pragma once

#include "OdczytywaczDanych.h"

class TObiekt;
class TObiektBazowy;
class TStream;

// Reader of the binary format (see TZapisywaczBinarny). Objects are numbered
// as they are met and references resolved by number once the whole document
// is read. A failed read leaves the object cleared and no reference behind.
class TOdczytywaczBinarny : public TOdczytywaczDanych
{
public:
    // p_OdczytANSI: strings are Windows-1250, not UTF-8.
    explicit TOdczytywaczBinarny(TStream &p_Strumien, bool p_OdczytANSI = false,
                                 TStringCache *p_StringCache = nullptr);

    void WczytajObiekt(TObiektBazowy &p_Obiekt);

    TStream &Strumien;
    // Bytes after the document raise "Nadmiarowe dane za końcem obiektu".
    bool WymagajKonca = false;
};

// The layout of one object: it is cleared, then every field its bitmap names
// is created and reads its value. Nesting deeper than MaksGlebokoscOdczytu
// raises instead of exhausting the stack.
void WczytajObiektBinarnie(TObiekt &p_Obiekt, TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz);
