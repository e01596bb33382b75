#pragma once

#include <QString>

#include <vector>

// Interns short strings while reading, so that equal values share one block.
// Sorted, case-sensitive; each entry counts its uses. When full it keeps the
// most used MinSizeOfCache entries.
class TStringCache
{
public:
    int MaxCachedSize = 35;
    int MinSizeOfCache = 15000;
    int MaxSizeOfCache = 30000;
    // 22-character short-GUID texts are unique names: not cached unless set.
    bool AkceptujGUIDy = false;

    // True when p_Tekst was replaced by the cached instance; otherwise the text
    // is added (or left alone when it is not worth caching).
    bool UseOn(QString &p_Tekst);
    // The cached instance, or the text itself when it is not cached.
    QString GetCachedString(const QString &p_Tekst) const;
    // "#", "@", digits and ASCII letters only.
    static bool AlfabetKrotkiegoGUIDa(const QString &p_Tekst);
    // Keeps the MinSizeOfCache most used entries, in their sorted order.
    void OdchudzCacheWgLRU();

    int Count() const { return static_cast<int>(FWpisy.size()); }
    int Uzycia(const QString &p_Tekst) const;

private:
    struct TWpis
    {
        QString Tekst;
        int Uzycia;
    };
    static bool Przed(const TWpis &p_Wpis, const QString &p_Szukany) { return p_Wpis.Tekst < p_Szukany; }
    std::vector<TWpis>::const_iterator Znajdz(const QString &p_Tekst) const;

    std::vector<TWpis> FWpisy;
};
