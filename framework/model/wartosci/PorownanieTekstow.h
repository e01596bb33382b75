#pragma once

#include <QString>

#include <cstdint>

// Locales with a fixed meaning in text comparisons of fields.
inline constexpr uint32_t LocaleDomyslny = 0;
inline constexpr uint32_t LocaleUzytkownika = 4096;
inline constexpr uint32_t LocalePorzadkowy = 127;

// Negative, 0 or positive. Locale 127 compares UTF-16 units; 0 and 4096 compare
// the characters' Windows-1250 codes (others keep their Unicode value), so that
// Polish letters sort after ASCII as byte strings always did; any other locale
// compares as the user's locale does. p_BezWielkosci folds only ASCII letters
// for the fixed locales.
int PorownajTeksty(const QString &p_A, const QString &p_B, bool p_BezWielkosci, uint32_t p_LocaleID);

// Bytes as unsigned, with ASCII letters folded when p_BezWielkosci.
int PorownajBajty(const QByteArray &p_A, const QByteArray &p_B, bool p_BezWielkosci);
