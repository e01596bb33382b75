#pragma once

#include <QLatin1StringView>
#include <QString>

#include <array>

// The messages the viewer accepts, one row each: the root as the system
// writes it, its local name and namespace (the same message under another
// prefix is the same document), and the stylesheet resource that renders it.
struct TTypDokumentu
{
    QLatin1StringView Korzen;
    QLatin1StringView NazwaLokalna;
    QLatin1StringView Przestrzen;
    QLatin1StringView Zasob;
};

inline constexpr std::array<TTypDokumentu, 2> TypyDokumentow = {{
    {QLatin1StringView("ns5:CC529C"), QLatin1StringView("CC529C"),
     QLatin1StringView("http://www.mf.gov.pl/xsd/AES/CC529C.xsd"), QLatin1StringView("Szablon529Plus")},
    {QLatin1StringView("ns5:CC599C"), QLatin1StringView("CC599C"),
     QLatin1StringView("http://www.mf.gov.pl/xsd/AES/CC599C.xsd"), QLatin1StringView("Szablon599Plus")},
}};

// The row of a root named by its local name ("CC529C"), or null.
const TTypDokumentu *TypDokumentuONazwieLokalnej(const QString &p_NazwaLokalna);

// The row of a root read from a file: its qualified name as written and its
// namespace URI. The exact name wins; otherwise the local name in the
// matching namespace. Null when the root is no accepted message.
const TTypDokumentu *TypDokumentuKorzenia(const QString &p_NazwaKwalifikowana, const QString &p_Przestrzen);
