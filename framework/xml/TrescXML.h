#pragma once

#include <QString>

// XML text as character data: & < > " ' as entities; tab, line feed, every
// other character below 32, each UTF-16 surrogate unit and U+FFFF as a
// decimal character reference.
QString KodujTekstXML(const QString &p_Tekst);

// Where a stylesheet wants the source document's own text in its page.
inline constexpr char ZnacznikTresciXML[] = "***TRESCXML***";

// Replaces the first "***TRESCXML***" in p_Wynik with p_TrescXML escaped by
// KodujTekstXML; nothing happens when p_TrescXML is empty or there is no marker.
void WstawTrescXML(QString &p_Wynik, const QString &p_TrescXML);
