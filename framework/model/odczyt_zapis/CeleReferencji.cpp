#include "CeleReferencji.h"

#include "ListaWskObiektow.h"
#include "Obiekt.h"
#include "PoleWskObiektu.h"
#include "WczesnyOdczyt.h"

#include <algorithm>
#include <cstddef>
#include <unordered_set>
#include <utility>

namespace {

bool wDrzewie(const TObiektBazowy *p_Obiekt, const TObiektBazowy &p_Korzen)
{
    for (; p_Obiekt; p_Obiekt = p_Obiekt->Rodzic())
        if (p_Obiekt == &p_Korzen)
            return true;
    return false;
}

} // namespace

std::vector<TObiektBazowy *> ZbierzCeleReferencji(TObiektBazowy &p_Korzen, const TFunCzyPoleCelu &p_CzyPole,
                                                  const TFunNaObiekcie &p_NaObiekcie)
{
    std::vector<TObiektBazowy *> cele;
    std::unordered_set<const TObiektBazowy *> znane;
    auto dodajCel = [&](TObiektBazowy *p_Cel) {
        if (p_Cel && wDrzewie(p_Cel, p_Korzen) && znane.insert(p_Cel).second)
            cele.push_back(p_Cel);
    };
    // An explicit stack: deep trees must not exhaust the call stack. An
    // object's fields are read once, when it is entered (the class's table at
    // a time, not field by field), and what they lead to goes on the stack in
    // reverse, so that it comes off in field order; a list stays one entry
    // walking its items.
    enum class TRodzaj : uint8_t { Cel, Obiekt, Lista, ListaWsk };
    struct TWpis
    {
        TObiektBazowy *Obiekt;
        const TObiektBazowy *Skad;
        TRodzaj Rodzaj;
        bool Wlasny;
        int Nr;
    };
    std::vector<TWpis> stos;
    // Inside a tree of owners every object is met once, through its owner, and
    // no set of visited objects is needed: it is built only once an object
    // turns up under another (hashing every object took most of the walk).
    std::unordered_set<const TObiektBazowy *> odwiedzone;
    std::vector<const TObiektBazowy *> wejscia;
    bool zeZbiorem = false;
    auto wejdz = [&](TObiektBazowy *p_Obiekt, const TObiektBazowy *p_Skad, bool p_Wlasny) {
        if (!zeZbiorem && p_Skad && p_Obiekt->Rodzic() != p_Skad) {
            zeZbiorem = true;
            odwiedzone.insert(wejscia.begin(), wejscia.end());
            wejscia = {};
        }
        if (!zeZbiorem)
            wejscia.push_back(p_Obiekt);
        else if (!odwiedzone.insert(p_Obiekt).second)
            return;
        TObiekt *zPolami = p_Obiekt->JakoTObiekt();
        if (!zPolami) {
            if (auto *lista = dynamic_cast<TListaBazowa *>(p_Obiekt))
                stos.push_back({lista, nullptr, dynamic_cast<TListaWskObiektow *>(lista) ? TRodzaj::ListaWsk : TRodzaj::Lista,
                                p_Wlasny, 0});
            return;
        }
        if (p_NaObiekcie)
            p_NaObiekcie(*zPolami, p_Wlasny);
        const size_t od = stos.size();
        zPolami->DlaPolZWartoscia([&](int16_t p_Nr, TPole &p_Pole) {
            if (p_CzyPole && !p_CzyPole(*zPolami, p_Nr))
                return;
            if (const TPoleWskObiektu *wskaznik = p_Pole.JakoWskaznik())
                stos.push_back({wskaznik->Wartosc(), nullptr, TRodzaj::Cel, false, 0});
            else if (TObiektBazowy *podobiekt = p_Pole.JakoObiekt())
                stos.push_back({podobiekt, zPolami, TRodzaj::Obiekt, p_Wlasny, 0});
        });
        std::reverse(stos.begin() + static_cast<std::ptrdiff_t>(od), stos.end());
    };
    wejdz(&p_Korzen, nullptr, true);
    while (!stos.empty()) {
        TWpis &wpis = stos.back();
        if (wpis.Rodzaj == TRodzaj::Cel || wpis.Rodzaj == TRodzaj::Obiekt) {
            const TWpis zdjety = wpis;
            stos.pop_back();
            if (zdjety.Rodzaj == TRodzaj::Cel)
                dodajCel(zdjety.Obiekt);
            else
                wejdz(zdjety.Obiekt, zdjety.Skad, zdjety.Wlasny);
            continue;
        }
        auto *lista = static_cast<TListaBazowa *>(wpis.Obiekt);
        const int nr = wpis.Nr++;
        if (nr >= lista->IleObiektow()) {
            stos.pop_back();
            continue;
        }
        TObiektBazowy *element = lista->ObiektyListy(nr);
        if (wpis.Rodzaj == TRodzaj::Lista)
            ZaladujZawczasu(lista->ObiektyListy(nr + WyprzedzenieOdczytu));
        if (wpis.Rodzaj == TRodzaj::ListaWsk)
            dodajCel(element);
        else if (element)
            wejdz(element, lista, wpis.Wlasny && element->Rodzic() == lista);
    }
    return cele;
}
