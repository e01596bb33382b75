#pragma once

#include "ListaBazowa.h"

// A list that owns its items: an item added gets the list as its parent
// (leaving its previous parent first), an item removed with freeing is
// destroyed, and a reset destroys them all. An item that gets another parent
// or is destroyed elsewhere leaves the list by itself. An item made with the
// list as its parent is looked for in the list when added (a list never holds
// an item twice): readers add items made without a parent.
class TListaZObiektami : public TKlasa<TListaZObiektami, TListaBazowa>
{
public:
    using TKlasa::TKlasa;
    // Its own hooks free the items, so it dismantles itself while they are reachable.
    ~TListaZObiektami() override { RozbierzWDestruktorze(); }

    // Puts p_Obiekt in place of item p_Nr; the item there before is handed back, not freed.
    TObiektBazowy *WepnijObiekt(int p_Nr, TObiektBazowy *p_Obiekt);
    // Adopts every item of p_Lista (a list that does not own them) at the end.
    void WepnijObiekty(const TListaBazowa &p_Lista);
    // Hands every item to p_Lista (appended there) without a parent; this list is left empty.
    void WypnijObiekty(TListaBazowa &p_Lista);
    // Moves the items p_Ktore holds from this list to p_Dokad.
    void PrzeniesTeObiekty(const TListaBazowa &p_Ktore, TListaBazowa &p_Dokad);

    // Deep: every item copied into a new item of its class.
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;

protected:
    void PrzyjmijObiekt(TObiektBazowy *p_Obiekt) override;
    void OddajObiekt(TObiektBazowy *p_Obiekt, bool p_Zwolnij) override;
    TObiektBazowy *ObiektDoDopisania(const TObiektBazowy *p_Obiekt) override;
    void UsunRefOd(TPole *p_Pole) override;
    // A new instance of p_Wzor's class, ready to be added (overridden by typed lists).
    virtual TObiektBazowy *NowyElement(const TObiektBazowy &p_Wzor);
    // A copy of p_Zrodlo as a new item, through the copier of the copy being made.
    TObiektBazowy *KopiaElementu(const TObiektBazowy &p_Zrodlo, TKopierDanych &p_Kopier);
};
