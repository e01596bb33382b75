#include "ZapisywaczDanych.h"

#include "Obiekt.h"

#include <algorithm>
#include <functional>

bool TZapisywaczDanych::CzyZapisacPoleObiektu(int16_t p_NrPola, const TObiekt &p_Obiekt)
{
    if (!p_Obiekt.MaWartosc(p_NrPola))
        return false;
    if (CzyZapisacPole)
        return CzyZapisacPole(p_Obiekt, p_NrPola);
    return ZapisWszystkichPol || p_Obiekt.PoleZapisywane(p_NrPola);
}

void TZapisywaczDanych::DodajObiekt(TObiektBazowy *p_Obiekt)
{
    ZapObiekty.push_back(p_Obiekt);
}

void TZapisywaczDanych::SortujListe()
{
    Posortowane.resize(ZapObiekty.size());
    for (size_t i = 0; i < Posortowane.size(); ++i)
        Posortowane[i] = static_cast<int>(i);
    // std::less gives a total order over unrelated pointers.
    std::sort(Posortowane.begin(), Posortowane.end(), [this](int p_A, int p_B) {
        return std::less<const TObiektBazowy *>()(ZapObiekty[p_A], ZapObiekty[p_B]);
    });
    OstObiekt = nullptr;
    OstGdzie = -1;
}

bool TZapisywaczDanych::PodlegaZapisowi(const TObiektBazowy *p_Obiekt, int &p_Gdzie)
{
    if (p_Obiekt && p_Obiekt == OstObiekt) {
        p_Gdzie = OstGdzie;
        return p_Gdzie >= 0;
    }
    const std::less<const TObiektBazowy *> mniejszy;
    const auto it = std::lower_bound(Posortowane.begin(), Posortowane.end(), p_Obiekt,
                                     [&](int p_Poz, const TObiektBazowy *p_Szukany) {
                                         return mniejszy(ZapObiekty[p_Poz], p_Szukany);
                                     });
    p_Gdzie = it != Posortowane.end() && ZapObiekty[*it] == p_Obiekt ? *it : -1;
    OstObiekt = p_Obiekt;
    OstGdzie = p_Gdzie;
    return p_Gdzie >= 0;
}
