#include "ObiektyDoZapisu.h"

#include "ListaZObiektami.h"
#include "Obiekt.h"
#include "PoleWskObiektu.h"
#include "ZapisywaczDanych.h"

namespace {

void zbierz(TObiektBazowy &p_Obiekt, TZapisywaczDanych &p_Zapisywacz)
{
    p_Zapisywacz.DodajObiekt(&p_Obiekt);
    TObiekt *obiekt = p_Obiekt.JakoTObiekt();
    if (!obiekt) {
        // An owning list's items follow it; a pointer list's targets are written where they live.
        if (const auto *lista = dynamic_cast<const TListaZObiektami *>(&p_Obiekt))
            for (int i = 0; i < lista->IleObiektow(); ++i)
                zbierz(*lista->ObiektyListy(i), p_Zapisywacz);
        return;
    }
    const int16_t ostatni = obiekt->OstatniNrPola();
    for (int16_t nr = 0; nr <= ostatni; ++nr) {
        TPole *pole = obiekt->PoleJesliJest(nr);
        if (pole && pole->JakoObiekt() && p_Zapisywacz.CzyZapisacPoleObiektu(nr, *obiekt))
            zbierz(*pole->JakoObiekt(), p_Zapisywacz);
    }
}

} // namespace

bool PoleDoZapisu(const TObiekt &p_Obiekt, int16_t p_Nr, TZapisywaczDanych &p_Zapisywacz)
{
    if (!p_Zapisywacz.CzyZapisacPoleObiektu(p_Nr, p_Obiekt))
        return false;
    const TPoleWskObiektu *wsk = p_Obiekt.PoleJesliJest(p_Nr)->JakoWskaznik();
    return !wsk || (wsk->Wartosc() && p_Zapisywacz.PodlegaZapisowi(wsk->Wartosc()));
}

void DajObiektyDoZapisu(TObiektBazowy &p_Obiekt, TZapisywaczDanych &p_Zapisywacz)
{
    zbierz(p_Obiekt, p_Zapisywacz);
    p_Zapisywacz.SortujListe();
}

TBlokadaZapisu::TBlokadaZapisu(TObiektBazowy &p_Obiekt) : FObiekt(p_Obiekt)
{
    FObiekt.ZablokujObiekt();
}

TBlokadaZapisu::~TBlokadaZapisu()
{
    FObiekt.OdblokujObiekt();
}
