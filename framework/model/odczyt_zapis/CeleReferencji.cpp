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
    // trees must not exhaust the call stack.
    std::vector<std::pair<TObiektBazowy *, int>> stos{{&p_Korzen, 0}};
    std::unordered_set<const TObiektBazowy *> odwiedzone{&p_Korzen};
    while (!stos.empty()) {
        auto [obiekt, nr] = stos.back();
        ++stos.back().second;
        TObiektBazowy *dalej = nullptr;
        if (auto *lista = dynamic_cast<TListaBazowa *>(obiekt)) {
            if (nr >= lista->IleObiektow()) {
                stos.pop_back();
                continue;
            }
            TObiektBazowy *element = lista->ObiektyListy(nr);
            if (dynamic_cast<TListaWskObiektow *>(lista))
                dodajCel(element);
            else
                dalej = element;
        } else if (auto *zPolami = dynamic_cast<TObiekt *>(obiekt); zPolami && nr <= zPolami->RozmPolaNr(-1)) {
            const auto nrPola = static_cast<int16_t>(nr);
            if (p_CzyPole ? !p_CzyPole(*zPolami, nrPola) : !zPolami->MaWartosc(nrPola))
                continue;
            TPole *pole = zPolami->PoleJesliJest(nrPola);
            if (const auto *wskaznik = dynamic_cast<const TPoleWskObiektu *>(pole))
                dodajCel(wskaznik->Wartosc());
            else if (pole)
                dalej = pole->JakoObiekt();
        } else {
            stos.pop_back();
            continue;
        }
        if (dalej && odwiedzone.insert(dalej).second)
            stos.emplace_back(dalej, 0);
    }
    return cele;
}
