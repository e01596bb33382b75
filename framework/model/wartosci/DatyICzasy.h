#pragma once

#include "FormatSettings.h"

#include <QString>

#include <functional>
#include <optional>

// Date-time values are days since 1899-12-30; the fraction is the part of the day.

// The model's own settings, held by the class core: "yyyy-MM-dd", "hh:mm:ss",
// separators "-" and ":".
const TFormatSettings &UstawieniaDatModelu();

// Text by a Delphi-style date-time format: yyyy yy MM/mm dd hh nn ss zzz
// (m right after h means minutes), "/" and ":" are the settings' separators,
// text in quotes is literal. A value outside the years 1..9999, or not a number,
// raises EConvertError "'%s' nie jest poprawną datą i czasem".
QString FormatujDateCzas(const QString &p_Format, double p_Wartosc, const TFormatSettings &p_FS);

// The standard conversions: numbers in the short date format's order with the
// date separator; h:n[:s[.z]] with the time separator. No value when the text does not fit.
std::optional<double> SprobujTekstNaDate(const QString &p_Tekst, const TFormatSettings &p_FS);
std::optional<double> SprobujTekstNaCzas(const QString &p_Tekst, const TFormatSettings &p_FS);

// A program's own reading of dates the lenient parse does not know (e.g. "dziś");
// asked last. No value: not a date either.
using TKonwersjaDaty = std::function<std::optional<double>(const QString &p_Tekst)>;
extern TKonwersjaDaty GlobalnaKonwersjaDaty;

// The lenient date parse of fields (other separators, "yyyymmdd", "dd-MMM-yyyy");
// p_FS null means the model's settings and allows the fixed-layout forms.
std::optional<double> SprobujParsowacDate(const QString &p_Tekst, const TFormatSettings *p_FS);
// Same; EConvertError "'%s' nie jest poprawną datą".
double ParsujDate(const QString &p_Tekst, const TFormatSettings *p_FS);
// Date, then "T" or a blank, then a time with an optional fraction of a second
// and a zone suffix that is dropped; EConvertError "'%s' nie jest poprawną datą i czasem".
double ParsujDateCzas(const QString &p_Tekst, const TFormatSettings *p_FS);
// Time of a text, with an optional leading date and a zone suffix dropped; no value when it fails.
std::optional<double> SprobujParsowacCzas(const QString &p_Tekst, const TFormatSettings &p_FS);
