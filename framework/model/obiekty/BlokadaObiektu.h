#pragma once

#include "ObiektBazowy.h"

// Holds an object's lock for a scope (none for a null object).
class TBlokadaObiektu
{
public:
    explicit TBlokadaObiektu(const TObiektBazowy *p_Obiekt) : FObiekt(const_cast<TObiektBazowy *>(p_Obiekt))
    {
        if (FObiekt)
            FObiekt->ZablokujObiekt();
    }
    ~TBlokadaObiektu()
    {
        if (FObiekt)
            FObiekt->OdblokujObiekt();
    }
    TBlokadaObiektu(const TBlokadaObiektu &) = delete;
    TBlokadaObiektu &operator=(const TBlokadaObiektu &) = delete;

private:
    TObiektBazowy *FObiekt;
};
