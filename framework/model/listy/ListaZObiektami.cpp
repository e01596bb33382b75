#include "ListaZObiektami.h"

#include "BlokadaObiektu.h"
#include "KopierDanych.h"

#include <memory>

void TListaZObiektami::PrzyjmijObiekt(TObiektBazowy *p_Obiekt)
{
    if (!p_Obiekt)
        return;
    // Held twice, an item would be freed twice: one already here moves instead.
    if (p_Obiekt->Rodzic() == this) {
        const int gdzie = ZnajdzObiekt(p_Obiekt);
        if (gdzie >= 0)
            WyjmijZTablicy(gdzie, true);
    }
    // The previous parent lets go of it (a list it was in drops it).
    p_Obiekt->ZmienRodzica(this);
}

void TListaZObiektami::OddajObiekt(TObiektBazowy *p_Obiekt, bool p_Zwolnij)
{
    // What the array held is ours, also when a list being dismantled has
    // already made its items forget it.
    if (!p_Obiekt)
        return;
    if (p_Zwolnij)
        delete p_Obiekt;
    else if (p_Obiekt->Rodzic() == this)
        p_Obiekt->ZmienRodzica(nullptr);
}

void TListaZObiektami::UsunRefOd(TPole *p_Pole)
{
    TListaBazowa::UsunRefOd(p_Pole);
    // An item given another parent, or destroyed elsewhere, is no longer ours.
    const TObiektBazowy *obiekt = p_Pole->JakoObiekt();
    if (!obiekt || obiekt->Rodzic() != this)
        return;
    for (int gdzie = ZnajdzObiekt(obiekt); gdzie >= 0; gdzie = ZnajdzObiekt(obiekt, rwOdPoczatku, gdzie))
        WyjmijZTablicy(gdzie, true);
}

TObiektBazowy *TListaZObiektami::WepnijObiekt(int p_Nr, TObiektBazowy *p_Obiekt)
{
    TBlokadaObiektu blokada(this);
    if (p_Nr < 0 || p_Nr >= IleObiektow())
        IndeksPozaZakresem("WepnijObiekt", p_Nr);
    TObiektBazowy *byl = UsunObiekt(p_Nr, false, true);
    DodajObiekt(p_Obiekt, p_Nr);
    return byl;
}

void TListaZObiektami::WepnijObiekty(const TListaBazowa &p_Lista)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : p_Lista)
        DopiszObiekt(obiekt);
}

void TListaZObiektami::WypnijObiekty(TListaBazowa &p_Lista)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : Tablica().Oproznij()) {
        OddajObiekt(obiekt, false);
        p_Lista.DopiszObiekt(obiekt);
    }
}

void TListaZObiektami::PrzeniesTeObiekty(const TListaBazowa &p_Ktore, TListaBazowa &p_Dokad)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : p_Ktore) {
        const int gdzie = ZnajdzObiekt(obiekt);
        if (gdzie >= 0)
            p_Dokad.PrzeniesZListy(*this, gdzie, p_Dokad.IleObiektow());
    }
}

TObiektBazowy *TListaZObiektami::NowyElement(const TObiektBazowy &p_Wzor)
{
    const TOpisKlasy &klasa = p_Wzor.Klasa();
    std::unique_ptr<TPole> nowy(klasa.Tworz ? klasa.Tworz(this) : nullptr);
    TObiektBazowy *obiekt = nowy ? nowy->JakoObiekt() : nullptr;
    if (!obiekt)
        throw LkException(Format(QStringLiteral("Błąd kopiowania w %s:\rźródło danych jest typu %s"),
                                 {ClassName(), klasa.ClassName()}));
    nowy.release();
    return obiekt;
}

TObiektBazowy *TListaZObiektami::KopiaElementu(const TObiektBazowy &p_Zrodlo, TKopierDanych &p_Kopier)
{
    TObiektBazowy *kopia = NowyElement(p_Zrodlo);
    try {
        kopia->KopiujDane(p_Zrodlo, &p_Kopier);
    } catch (...) {
        delete kopia;
        throw;
    }
    return kopia;
}

TObiektBazowy *TListaZObiektami::ObiektDoDopisania(const TObiektBazowy *p_Obiekt)
{
    if (!p_Obiekt)
        return nullptr;
    TKopierDanych kopier;
    TObiektBazowy *kopia = KopiaElementu(*p_Obiekt, kopier);
    kopier.PrzepnijReferencje();
    return kopia;
}

void TListaZObiektami::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    const auto *zrodlo = dynamic_cast<const TListaBazowa *>(&p_Pole);
    if (!zrodlo)
        BledneWywolanie("KopiujDane");
    if (zrodlo == this)
        return;
    if (!p_Kopier) {
        // References between the copied items go to the copies.
        TKopierDanych kopier;
        KopiujDane(p_Pole, &kopier);
        kopier.PrzepnijReferencje();
        return;
    }
    TBlokadaObiektu blokada(this);
    TPole::KopiujDane(p_Pole, p_Kopier);
    ZerujDane();
    UstawPojemnoscListy(zrodlo->IleObiektow());
    for (const TObiektBazowy *obiekt : *zrodlo)
        if (obiekt)
            DopiszObiekt(KopiaElementu(*obiekt, *p_Kopier));
}
