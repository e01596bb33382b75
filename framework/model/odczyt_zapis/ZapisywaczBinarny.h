#pragma once

#include "ZapisywaczDanych.h"

#include <cstdint>

class TObiekt;
class TObiektBazowy;
class TStream;

// Writer of the binary format. Every object starts with a short number of
// bitmap bytes and the bitmap of its written fields (bit n of byte n div 8),
// then the fields in number order; a reference is the number (from 1) of its
// target in the pre-order of the written objects, so a reference is written
// only when its target is written too.
class TZapisywaczBinarny : public TZapisywaczDanych
{
public:
    explicit TZapisywaczBinarny(TStream &p_Strumien, bool p_ZChwilowymi = false, int16_t p_OpcjeZapisu = 0);

    // The whole document: the objects are numbered first, then written
    // through a block output (TWyjscieBlokowe), so the target sees pieces of
    // its block's size, or, a memory stream, takes them in place.
    void ZapiszObiekt(TObiektBazowy &p_Obiekt);

    TStream &Strumien;
};

// The layout of one object (bitmap and fields) under any writer's choice of
// fields; sub-objects recurse through their ZapiszWStrumieniu.
void ZapiszObiektBinarnie(const TObiekt &p_Obiekt, TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz);
