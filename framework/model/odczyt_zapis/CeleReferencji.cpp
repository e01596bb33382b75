#include "CeleReferencji.h"

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
    // An explicit stack (object, next field number): deep trees must not exhaust the call stack.
    std::vector<std::pair<TObiekt *, int>> stos;
    std::unordered_set<const TObiekt *> odwiedzone;
    if (auto *korzen = dynamic_cast<TObiekt *>(&p_Korzen)) {
        stos.emplace_back(korzen, 0);
        odwiedzone.insert(korzen);
    }
    while (!stos.empty()) {
        auto &[obiekt, nr] = stos.back();
        if (nr > obiekt->RozmPolaNr(-1)) {
            stos.pop_back();
            continue;
        }
        const int16_t nrPola = static_cast<int16_t>(nr++);
        if (p_CzyPole ? !p_CzyPole(*obiekt, nrPola) : !obiekt->MaWartosc(nrPola))
            continue;
        TPole *pole = obiekt->PoleJesliJest(nrPola);
        if (const auto *wskaznik = dynamic_cast<const TPoleWskObiektu *>(pole)) {
            TObiektBazowy *cel = wskaznik->Wartosc();
            if (cel && wDrzewie(cel, p_Korzen) && znane.insert(cel).second)
                cele.push_back(cel);
        } else if (auto *podobiekt = dynamic_cast<TObiekt *>(pole)) {
            if (odwiedzone.insert(podobiekt).second)
                stos.emplace_back(podobiekt, 0); // invalidates obiekt and nr, used no more
        }
    }
    return cele;
}
