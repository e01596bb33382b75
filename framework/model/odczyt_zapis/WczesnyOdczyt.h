#pragma once

// Walks over a whole tree miss the cache at every object they enter (a
// million objects lie far apart on the heap): asking for the object a few
// list items ahead lets the memory work while the current one is handled.

// How many list items ahead the walks ask.
constexpr int WyprzedzenieOdczytu = 4;

// The first cache lines of p_Obiekt (the object and the start of its fields); null is ignored.
inline void ZaladujZawczasu(const void *p_Obiekt)
{
    if (!p_Obiekt)
        return;
    const char *bajty = static_cast<const char *>(p_Obiekt);
    __builtin_prefetch(bajty);
    __builtin_prefetch(bajty + 64);
    __builtin_prefetch(bajty + 128);
}
