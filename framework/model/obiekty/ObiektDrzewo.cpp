#include "Obiekt.h"

#include "PoleWskObiektu.h"

#include <algorithm>
#include <unordered_set>

bool TObiektBazowy::WykonajWDrzewie(const std::function<bool(TObiektBazowy &)> &p_Fun, const TOpisKlasy *p_DlaKlasy,
                                    bool p_ReferencjeTez)
{
    // A stack instead of recursion: trees read from files may be deep, and
    // references may lead back, so every object is visited once.
    std::vector<TObiektBazowy *> doOdwiedzenia{this};
    std::unordered_set<const TObiektBazowy *> odwiedzone;
    while (!doOdwiedzenia.empty()) {
        TObiektBazowy *obiekt = doOdwiedzenia.back();
        doOdwiedzenia.pop_back();
        if (!odwiedzone.insert(obiekt).second)
            continue;
        if ((!p_DlaKlasy || obiekt->Klasa().DziedziczyPo(*p_DlaKlasy)) && p_Fun(*obiekt))
            return true;
        const size_t przed = doOdwiedzenia.size();
        obiekt->DodajDzieci(doOdwiedzenia, p_ReferencjeTez);
        // Children come off the stack in field order.
        std::reverse(doOdwiedzenia.begin() + static_cast<std::ptrdiff_t>(przed), doOdwiedzenia.end());
    }
    return false;
}

void TObiektBazowy::ZmienRodzica(TObiektBazowy *p_Rodzic)
{
    if (p_Rodzic == FRodzic)
        return;
    if (FRodzic)
        FRodzic->UsunRefOd(this);
    FRodzic = p_Rodzic;
    if (FRodzic)
        FRodzic->DodajRef(this);
}

void TObiekt::DodajDzieci(std::vector<TObiektBazowy *> &p_Dzieci, bool p_ReferencjeTez) const
{
    for (int16_t nr = 0; nr <= OstatniNrPola(); ++nr) {
        TPole *pole = PoleJesliJest(nr);
        if (auto *podobiekt = dynamic_cast<TObiektBazowy *>(pole))
            p_Dzieci.push_back(podobiekt);
        else if (auto *wskaznik = dynamic_cast<TPoleWskObiektu *>(pole);
                 p_ReferencjeTez && wskaznik && wskaznik->Wartosc() && Bit(nr))
            p_Dzieci.push_back(wskaznik->Wartosc());
    }
}
