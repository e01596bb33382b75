#include "CeleReferencji.h"

#include "ListaWskObiektow.h"
#include "Obiekt.h"
#include "PoleWskObiektu.h"

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
    // An explicit stack (object, next field number or item position): deep
    // trees must not exhaust the call stack. Each entry's kind is found once
    // when it is pushed: casting at every step took most of a write's walk.
    struct TWpis
    {
        TObiektBazowy *Obiekt;
        TListaBazowa *Lista;
        TObiekt *ZPolami;
        bool ListaWsk;
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
        auto *lista = dynamic_cast<TListaBazowa *>(p_Obiekt);
        TObiekt *zPolami = lista ? nullptr : p_Obiekt->JakoTObiekt();
        if (zPolami && p_NaObiekcie)
            p_NaObiekcie(*zPolami, p_Wlasny);
        stos.push_back({p_Obiekt, lista, zPolami, lista && dynamic_cast<TListaWskObiektow *>(lista), p_Wlasny, 0});
    };
    wejdz(&p_Korzen, nullptr, true);
    while (!stos.empty()) {
        TWpis &wpis = stos.back();
        const int nr = wpis.Nr++;
        TObiektBazowy *dalej = nullptr;
        bool wlasny = wpis.Wlasny;
        if (TListaBazowa *lista = wpis.Lista) {
            if (nr >= lista->IleObiektow()) {
                stos.pop_back();
                continue;
            }
            TObiektBazowy *element = lista->ObiektyListy(nr);
            if (wpis.ListaWsk)
                dodajCel(element);
            else
                dalej = element;
            wlasny = wlasny && element && element->Rodzic() == lista;
        } else if (TObiekt *zPolami = wpis.ZPolami; zPolami && nr <= zPolami->RozmPolaNr(-1)) {
            const auto nrPola = static_cast<int16_t>(nr);
            if (p_CzyPole ? !p_CzyPole(*zPolami, nrPola) : !zPolami->MaWartosc(nrPola))
                continue;
            TPole *pole = zPolami->PoleJesliJest(nrPola);
            if (const TPoleWskObiektu *wskaznik = pole ? pole->JakoWskaznik() : nullptr)
                dodajCel(wskaznik->Wartosc());
            else if (pole)
                dalej = pole->JakoObiekt();
        } else {
            stos.pop_back();
            continue;
        }
        if (dalej)
            wejdz(dalej, wpis.Obiekt, wlasny);
    }
    return cele;
}
