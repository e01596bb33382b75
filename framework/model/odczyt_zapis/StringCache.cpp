#include "StringCache.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int DlugoscKrotkiegoGUIDa = 22;

} // namespace

bool TStringCache::UseOn(QString &p_Tekst)
{
    if (p_Tekst.isEmpty() || p_Tekst.size() > MaxCachedSize)
        return false;
    if (!AkceptujGUIDy && p_Tekst.size() == DlugoscKrotkiegoGUIDa && AlfabetKrotkiegoGUIDa(p_Tekst))
        return false;
    if (const auto it = FWpisy.find(p_Tekst); it != FWpisy.end()) {
        p_Tekst = it.key();
        ++it->Uzycia;
        return true;
    }
    if (Count() >= MaxSizeOfCache && MaxSizeOfCache > MinSizeOfCache)
        OdchudzCacheWgLRU();
    FWpisy.insert(p_Tekst, TWpis{1, FDodanych++});
    return false;
}

QString TStringCache::GetCachedString(const QString &p_Tekst) const
{
    const auto it = FWpisy.constFind(p_Tekst);
    return it != FWpisy.cend() ? it.key() : p_Tekst;
}

int TStringCache::Uzycia(const QString &p_Tekst) const
{
    const auto it = FWpisy.constFind(p_Tekst);
    return it != FWpisy.cend() ? it->Uzycia : 0;
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
    std::vector<QHash<QString, TWpis>::const_iterator> wpisy;
    wpisy.reserve(static_cast<size_t>(FWpisy.size()));
    for (auto it = FWpisy.cbegin(); it != FWpisy.cend(); ++it)
        wpisy.push_back(it);
    const auto przed = [](const auto &p_A, const auto &p_B) {
        return p_A->Uzycia != p_B->Uzycia ? p_A->Uzycia > p_B->Uzycia : p_A->Kolejny > p_B->Kolejny;
    };
    const size_t zostaje = static_cast<size_t>(std::max(MinSizeOfCache, 0));
    std::nth_element(wpisy.begin(), wpisy.begin() + static_cast<std::ptrdiff_t>(zostaje), wpisy.end(), przed);
    QHash<QString, TWpis> nowe;
    nowe.reserve(static_cast<qsizetype>(zostaje));
    for (size_t i = 0; i < zostaje; ++i)
        nowe.insert(wpisy[i].key(), wpisy[i].value());
    FWpisy = std::move(nowe);
}
