#pragma once

#include <QHash>
#include <QString>

// Interns short strings while reading, so that equal values share one block.
// Case-sensitive; each entry counts its uses. When full it keeps the most used
// MinSizeOfCache entries. Hashed: a file of unique names (every look-up a
// miss and an insert) must not pay for a sorted insert each time.
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
    // Keeps the MinSizeOfCache most used entries; among equally used ones the
    // most recently added, so that trimming is repeatable and compares no texts.
    void OdchudzCacheWgLRU();

    int Count() const { return static_cast<int>(FWpisy.size()); }
    int Uzycia(const QString &p_Tekst) const;

private:
    struct TWpis
    {
        int Uzycia;
        quint32 Kolejny; // order of adding
    };
    // The key is the shared instance handed out.
    QHash<QString, TWpis> FWpisy;
    quint32 FDodanych = 0;
};
