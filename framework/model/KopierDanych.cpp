#include "KopierDanych.h"

#include "ObiektBazowy.h"
#include "PoleWskObiektu.h"

void TKopierDanych::KopiowanoDane(const TPole &p_Skad, TPole &p_Dokad)
{
    if (auto *dokad = dynamic_cast<TObiektBazowy *>(&p_Dokad)) {
        if (const auto *skad = dynamic_cast<const TObiektBazowy *>(&p_Skad))
            FSkadDokad.emplace(skad, dokad);
    } else if (dynamic_cast<TPoleWskObiektu *>(&p_Dokad)) {
        FRef.push_back(&p_Dokad);
    }
}

void TKopierDanych::DodajRef(TPole &p_Pole)
{
    FRef.push_back(&p_Pole);
}

TObiektBazowy *TKopierDanych::KopiaObiektu(const TObiektBazowy *p_Obiekt) const
{
    const auto kopia = FSkadDokad.find(p_Obiekt);
    return kopia == FSkadDokad.end() ? nullptr : kopia->second;
}

void TKopierDanych::PrzepnijReferencje()
{
    for (TPole *pole : FRef) {
        auto *wskaznik = dynamic_cast<TPoleWskObiektu *>(pole);
        if (!wskaznik)
            continue;
        if (TObiektBazowy *kopia = KopiaObiektu(wskaznik->Wartosc()))
            wskaznik->PrzepnijRef(wskaznik->Wartosc(), kopia);
    }
    FRef.clear();
}
