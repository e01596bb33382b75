#include "KopierDanych.h"

#include "ListaWskObiektow.h"
#include "ObiektBazowy.h"
#include "PoleWskObiektu.h"

#include <algorithm>

void TKopierDanych::KopiowanoDane(const TPole &p_Skad, TPole &p_Dokad)
{
    if (TObiektBazowy *dokad = p_Dokad.JakoObiekt()) {
        if (const TObiektBazowy *skad = p_Skad.JakoObiekt()) {
            if (!FPierwszy.first) {
                FPierwszy = {skad, dokad};
            } else {
                FSkadDokad.emplace_back(skad, dokad);
                FPosortowane = false;
            }
        }
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
    if (p_Obiekt && p_Obiekt == FPierwszy.first)
        return FPierwszy.second;
    if (!FPosortowane) {
        std::sort(FSkadDokad.begin(), FSkadDokad.end());
        FPosortowane = true;
    }
    const auto kopia = std::lower_bound(FSkadDokad.begin(), FSkadDokad.end(), p_Obiekt,
                                        [](const auto &p_Para, const TObiektBazowy *p_Szukany) {
                                            return p_Para.first < p_Szukany;
                                        });
    return kopia != FSkadDokad.end() && kopia->first == p_Obiekt ? kopia->second : nullptr;
}

void TKopierDanych::PrzepnijReferencje()
{
    for (TPole *pole : FRef) {
        if (auto *lista = dynamic_cast<TListaWskObiektow *>(pole)) {
            lista->PrzepnijNaKopie(*this);
            continue;
        }
        auto *wskaznik = dynamic_cast<TPoleWskObiektu *>(pole);
        if (!wskaznik)
            continue;
        if (TObiektBazowy *kopia = KopiaObiektu(wskaznik->Wartosc()))
            wskaznik->PrzepnijRef(wskaznik->Wartosc(), kopia);
    }
    FRef.clear();
}
