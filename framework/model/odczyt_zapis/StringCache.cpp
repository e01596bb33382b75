#include "StringCache.h"

#include <algorithm>

namespace {

constexpr int DlugoscKrotkiegoGUIDa = 22;

} // namespace

std::vector<TStringCache::TWpis>::const_iterator TStringCache::Znajdz(const QString &p_Tekst) const
{
    const auto it = std::lower_bound(FWpisy.begin(), FWpisy.end(), p_Tekst, Przed);
    return it != FWpisy.end() && it->Tekst == p_Tekst ? it : FWpisy.end();
}

bool TStringCache::UseOn(QString &p_Tekst)
{
    if (p_Tekst.isEmpty() || p_Tekst.size() > MaxCachedSize)
        return false;
    if (!AkceptujGUIDy && p_Tekst.size() == DlugoscKrotkiegoGUIDa && AlfabetKrotkiegoGUIDa(p_Tekst))
        return false;
    auto it = std::lower_bound(FWpisy.begin(), FWpisy.end(), p_Tekst, Przed);
    if (it != FWpisy.end() && it->Tekst == p_Tekst) {
        p_Tekst = it->Tekst;
        ++it->Uzycia;
        return true;
    }
    if (Count() >= MaxSizeOfCache && MaxSizeOfCache > MinSizeOfCache) {
        OdchudzCacheWgLRU();
        it = std::lower_bound(FWpisy.begin(), FWpisy.end(), p_Tekst, Przed);
    }
    FWpisy.insert(it, TWpis{p_Tekst, 1});
    return false;
}

QString TStringCache::GetCachedString(const QString &p_Tekst) const
{
    const auto it = Znajdz(p_Tekst);
    return it != FWpisy.end() ? it->Tekst : p_Tekst;
}

int TStringCache::Uzycia(const QString &p_Tekst) const
{
    const auto it = Znajdz(p_Tekst);
    return it != FWpisy.end() ? it->Uzycia : 0;
}

bool TStringCache::AlfabetKrotkiegoGUIDa(const QString &p_Tekst)
{
    return std::all_of(p_Tekst.begin(), p_Tekst.end(), [](QChar p_Znak) {
        const char16_t c = p_Znak.unicode();
        return c == u'#' || c == u'@' || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')
            || (c >= u'a' && c <= u'z');
    });
}

void TStringCache::OdchudzCacheWgLRU()
{
    if (Count() <= MinSizeOfCache)
        return;
    std::vector<int> kolejnosc(FWpisy.size());
    for (size_t i = 0; i < kolejnosc.size(); ++i)
        kolejnosc[i] = static_cast<int>(i);
    // Most used first; among equals the sorted order decides, so trimming is repeatable.
    std::stable_sort(kolejnosc.begin(), kolejnosc.end(),
                     [this](int p_A, int p_B) { return FWpisy[p_A].Uzycia > FWpisy[p_B].Uzycia; });
    kolejnosc.resize(std::max(MinSizeOfCache, 0));
    std::sort(kolejnosc.begin(), kolejnosc.end());
    std::vector<TWpis> zostaja;
    zostaja.reserve(kolejnosc.size());
    for (const int i : kolejnosc)
        zostaja.push_back(std::move(FWpisy[i]));
    FWpisy = std::move(zostaja);
}
