#pragma once

#include <QString>

// Dates written in XML attributes by a fixed pattern of letters: d (day),
// m (month), y (year), h (hour), n (minute), s (second), e.g. "YYYY.MM.DD".
// A date-time is a count of days since 1899-12-30 with the time as a fraction.

// The integer that p_Tekst holds where p_Litera spans in p_Format (from its
// first to its last occurrence, letter case ignored); 0 when the letter is
// absent or those characters are no integer.
int DajCzescDaty(const QString &p_Tekst, const QString &p_Format, QChar p_Litera);

// The date and time p_Tekst holds by p_Format; 0 for an empty text or an
// impossible date or time (month 0, 31 April, hour 24).
double DekodujDate(const QString &p_Tekst, const QString &p_Format);
