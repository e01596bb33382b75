#pragma once

#include "FormatSettings.h"

#include <QString>

#include <optional>

// A number by a display mask: sections "positive;negative;zero", "0" a digit
// always shown, "#" a digit shown when significant, "." the decimal separator,
// a "," before it turns on thousands grouping; text around the placeholders is
// kept. No value for masks with an exponent ("E+", "E-"), which are not supported.
std::optional<QString> FormatujLiczbeWgMaski(const QString &p_Maska, double p_Wartosc, const TFormatSettings &p_FS);

// The display rule of float fields: the mask's decimals are shown only when
// the value has a non-zero fraction at that precision.
std::optional<QString> FormatujUlamekWgMaski(const QString &p_Maska, double p_Wartosc, const QString &p_TekstLiczby,
                                             const TFormatSettings &p_FS);
