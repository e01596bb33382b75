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

std::vector<TObiektBazowy *> ZbierzCeleReferencji(TObiektBazowy &p_Korzen, const TFunCzyPoleCelu &p_CzyPole)
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
        int Nr;
    };
    std::vector<TWpis> stos;
    // An object reached from its own parent is met once by the walk's order
    // itself: only objects plugged in elsewhere (and the root) go into the
    // set, which also ends cycles through them. Hashing every object took a
    // third of a write.
    std::unordered_set<const TObiektBazowy *> odwiedzone;
    auto wejdz = [&](TObiektBazowy *p_Obiekt, const TObiektBazowy *p_Skad) {
        if ((!p_Skad || p_Obiekt->Rodzic() != p_Skad) && !odwiedzone.insert(p_Obiekt).second)
            return;
        auto *lista = dynamic_cast<TListaBazowa *>(p_Obiekt);
        stos.push_back({p_Obiekt, lista, lista ? nullptr : p_Obiekt->JakoTObiekt(),
                        lista && dynamic_cast<TListaWskObiektow *>(lista), 0});
    };
    wejdz(&p_Korzen, nullptr);
    while (!stos.empty()) {
        TWpis &wpis = stos.back();
        const int nr = wpis.Nr++;
        TObiektBazowy *dalej = nullptr;
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
            wejdz(dalej, wpis.Obiekt);
    }
    return cele;
}
