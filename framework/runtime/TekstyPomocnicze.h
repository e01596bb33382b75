#pragma once

#include "FormatSettings.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// Index of p_Tekst in p_Tablica, searched from the last entry down, so the
// highest matching index wins; p_Domyslny when none matches. With
// p_IgnorujWielkosc ASCII letters compare without regard to case.
int16_t IndeksTekstu(const QString &p_Tekst, const QStringList &p_Tablica, bool p_IgnorujWielkosc,
                     int16_t p_Domyslny);

// An HTML fragment reduced to plain text: tags dropped, a small set of named
// and all numeric character references decoded, white space collapsed, line
// breaks kept inside, leading white space and trailing control characters gone.
QString TekstZHTML(const QString &p_Tekst);

// Prepares a number text for parsing with p_Ustawienia: the last "," or "."
// becomes the decimal separator, group marks and (no-break) spaces go. A text
// whose marks are ambiguous is returned unchanged, so the parse rejects it.
QString NormalizujTekstLiczby(const QString &p_Tekst, const TFormatSettings &p_Ustawienia);
