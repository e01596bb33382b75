#pragma once

#include "FormatSettings.h"

#include <QString>

#include <optional>

// A number by a display mask: sections "positive;negative;zero", "0" a digit
// always shown, "#" a digit shown when significant, "." the decimal separator,
// a "," before it turns on thousands grouping; text around the placeholders is
// kept; "E+00" / "E-00" after the mantissa give scientific notation. No value
// for infinities and NaN.
std::optional<QString> FormatujLiczbeWgMaski(const QString &p_Maska, double p_Wartosc, const TFormatSettings &p_FS);

// The display rule of float fields: the mask's decimals are shown only when
// the value has a non-zero fraction at that precision; an exponent mask formats as is.
std::optional<QString> FormatujUlamekWgMaski(const QString &p_Maska, double p_Wartosc, const QString &p_TekstLiczby,
                                             const TFormatSettings &p_FS);
