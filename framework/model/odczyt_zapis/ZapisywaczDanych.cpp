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

bool TZapisywaczDanych::CzyZapisacPoleZWartoscia(int16_t p_NrPola, const TObiekt &p_Obiekt)
{
    if (!WyborPolBazowy)
        return CzyZapisacPoleObiektu(p_NrPola, p_Obiekt);
    if (CzyZapisacPole)
        return CzyZapisacPole(p_Obiekt, p_NrPola);
    return ZapisWszystkichPol || p_Obiekt.PoleZapisywane(p_NrPola);
}

void TZapisywaczDanych::DodajObiekt(TObiektBazowy *p_Obiekt)
{
    ZapObiekty.push_back(p_Obiekt);
}

namespace {

size_t miejsceCelu(const TObiektBazowy *p_Obiekt, size_t p_Maska)
{
    // Heap addresses differ in their middle bits; the multiplication spreads them.
    return static_cast<size_t>((reinterpret_cast<uintptr_t>(p_Obiekt) >> 4) * 0x9E3779B97F4A7C15ull >> 17) & p_Maska;
}

} // namespace

void TZapisywaczDanych::SortujListe()
{
    FCele.clear();
    Posortowane.clear();
    FPosortowane = false;
    OstObiekt = nullptr;
    OstGdzie = -1;
}

void TZapisywaczDanych::SortujListe(std::vector<const TObiektBazowy *> p_Cele)
{
    SortujListe();
    if (p_Cele.empty())
        return;
    size_t rozmiar = 16;
    while (rozmiar < 2 * p_Cele.size())
        rozmiar *= 2;
    FCele.assign(rozmiar, TCel{nullptr, -1});
    const size_t maska = rozmiar - 1;
    for (const TObiektBazowy *cel : p_Cele) {
        size_t i = miejsceCelu(cel, maska);
        while (FCele[i].Obiekt && FCele[i].Obiekt != cel)
            i = (i + 1) & maska;
        FCele[i].Obiekt = cel;
    }
    // The first position counts, as in the sorted index.
    for (size_t poz = 0; poz < ZapObiekty.size(); ++poz) {
        const TObiektBazowy *obiekt = ZapObiekty[poz];
        for (size_t i = miejsceCelu(obiekt, maska); FCele[i].Obiekt; i = (i + 1) & maska)
            if (FCele[i].Obiekt == obiekt) {
                if (FCele[i].Gdzie < 0)
                    FCele[i].Gdzie = static_cast<int>(poz);
                break;
            }
    }
}

void TZapisywaczDanych::Posortuj()
{
    FPosortowane = true;
    Posortowane.resize(ZapObiekty.size());
    for (size_t i = 0; i < Posortowane.size(); ++i)
        Posortowane[i] = static_cast<int>(i);
    // std::less gives a total order over unrelated pointers.
    std::sort(Posortowane.begin(), Posortowane.end(), [this](int p_A, int p_B) {
        const std::less<const TObiektBazowy *> mniejszy;
        // Equal addresses by position, so that the first one is found.
        return mniejszy(ZapObiekty[p_A], ZapObiekty[p_B]) || (ZapObiekty[p_A] == ZapObiekty[p_B] && p_A < p_B);
    });
}

bool TZapisywaczDanych::PodlegaZapisowi(const TObiektBazowy *p_Obiekt, int &p_Gdzie)
{
    if (p_Obiekt && p_Obiekt == OstObiekt) {
        p_Gdzie = OstGdzie;
        return p_Gdzie >= 0;
    }
    if (!FCele.empty() && p_Obiekt) {
        const size_t maska = FCele.size() - 1;
        for (size_t i = miejsceCelu(p_Obiekt, maska); FCele[i].Obiekt; i = (i + 1) & maska)
            if (FCele[i].Obiekt == p_Obiekt) {
                p_Gdzie = FCele[i].Gdzie;
                OstObiekt = p_Obiekt;
                OstGdzie = p_Gdzie;
                return p_Gdzie >= 0;
            }
    }
    if (!FPosortowane)
        Posortuj();
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
