#include "ListaWskObiektow.h"

#include "BlokadaObiektu.h"
#include "KopierDanych.h"
#include "PoleWskObiektu.h"

bool TListaWskObiektow::WyszukajTenObiekt(const TObiektBazowy *p_Obiekt, int &p_Gdzie) const
{
    p_Gdzie = ZnajdzObiekt(p_Obiekt);
    return p_Gdzie >= 0;
}

bool TListaWskObiektow::DolaczObiektGdyBrak(TObiektBazowy *p_Obiekt)
{
    TBlokadaObiektu blokada(this);
    if (ZawieraObiekt(p_Obiekt))
        return false;
    DopiszObiekt(p_Obiekt);
    return true;
}

void TListaWskObiektow::UstawObiekt(int p_Nr, TObiektBazowy *p_Obiekt)
{
    TBlokadaObiektu blokada(this);
    if (p_Nr < 0)
        IndeksPozaZakresem("UstawObiekt", p_Nr);
    while (IleObiektow() <= p_Nr)
        DopiszObiekt(nullptr);
    TObiektBazowy *byl = ObiektyListy(p_Nr);
    if (byl == p_Obiekt)
        return;
    PrzyjmijObiekt(p_Obiekt);
    UstawWTablicy(p_Nr, p_Obiekt);
    OddajObiekt(byl, false);
}

void TListaWskObiektow::PrzyjmijObiekt(TObiektBazowy *p_Obiekt)
{
    if (!p_Obiekt)
        return;
    TBlokadaObiektu blokada(p_Obiekt);
    p_Obiekt->DodajRef(this);
}

void TListaWskObiektow::OddajObiekt(TObiektBazowy *p_Obiekt, bool)
{
    // The target forgets the list with its last occurrence.
    if (!p_Obiekt || ZawieraObiekt(p_Obiekt))
        return;
    TBlokadaObiektu blokada(p_Obiekt);
    p_Obiekt->UsunRefOd(this);
}

void TListaWskObiektow::ZerujRefDo(TObiektBazowy *p_Obiekt)
{
    TListaBazowa::ZerujRefDo(p_Obiekt);
    // The target has taken the list off its referring list already (and may
    // be half dismantled): nothing is asked of it.
    UsunGdy([p_Obiekt](TObiektBazowy *p_Elem) { return p_Elem == p_Obiekt; }, false, true);
}

void TListaWskObiektow::PrzepnijRef(TObiektBazowy *p_Stary, TObiektBazowy *p_Nowy)
{
    TBlokadaObiektu blokada(this);
    bool byl = false;
    for (int i = 0; i < IleObiektow(); ++i)
        if (ObiektyListy(i) == p_Stary) {
            UstawWTablicy(i, p_Nowy);
            byl = true;
        }
    if (!byl || p_Stary == p_Nowy)
        return;
    // The old target's PrzepnijRefNa has taken the list off its referring list already.
    if (p_Stary) {
        TBlokadaObiektu blokadaCelu(p_Stary);
        p_Stary->UsunRefOd(this);
    }
    PrzyjmijObiekt(p_Nowy);
}

void TListaWskObiektow::PrzepnijNaKopie(const TKopierDanych &p_Kopier)
{
    TBlokadaObiektu blokada(this);
    for (int i = 0; i < IleObiektow(); ++i)
        if (TObiektBazowy *kopia = p_Kopier.KopiaObiektu(ObiektyListy(i)))
            UstawObiekt(i, kopia);
}

void TListaWskObiektow::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    TListaBazowa::KopiujDane(p_Pole, p_Kopier);
    if (p_Kopier)
        p_Kopier->DodajRef(*this);
}

int16_t TListaWskObiektow::PorownajElementy(const TObiektBazowy *p_A, const TObiektBazowy *p_B,
                                            TPorownywaczDanych &p_Porownywacz) const
{
    return TPoleWskObiektu::PorownajCele(p_A, p_B, &p_Porownywacz);
}

void TListaWskObiektow::DodajDzieci(std::vector<TObiektBazowy *> &p_Dzieci, bool p_ReferencjeTez) const
{
    if (!p_ReferencjeTez)
        return;
    for (TObiektBazowy *obiekt : *this)
        if (obiekt)
            p_Dzieci.push_back(obiekt);
}
