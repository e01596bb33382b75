#pragma once

#include "ObiektBazowy.h"

// The object stays locked for a whole load or save, also when it fails.
class TBlokadaObiektu
{
public:
    explicit TBlokadaObiektu(TObiektBazowy &p_Obiekt) : FObiekt(p_Obiekt) { FObiekt.ZablokujObiekt(); }
    ~TBlokadaObiektu() { FObiekt.OdblokujObiekt(); }
    TBlokadaObiektu(const TBlokadaObiektu &) = delete;
    TBlokadaObiektu &operator=(const TBlokadaObiektu &) = delete;

private:
    TObiektBazowy &FObiekt;
};
