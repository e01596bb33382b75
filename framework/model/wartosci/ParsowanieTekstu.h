#pragma once

#include <QByteArrayView>
#include <QString>

#include <limits>
#include <optional>

// Parses of field texts that the tokenizers and the fields share.

// The false and true words of Boolean fields ("N"/"T" are their first letters).
inline constexpr char SlowoFalsz[] = "Nie";
inline constexpr char SlowoPrawda[] = "Tak";

// Decimal with an optional sign, or "$" and hex digits; no value on anything else or overflow.
std::optional<qint64> SprobujTekstNaInt64(QByteArrayView p_Tekst);
// The same of a text (blanks around it ignored) within p_Min..p_Max; EConvertError
// "'%s' nie jest poprawną liczbą całkowitą" otherwise.
qint64 TekstNaInt64(const QString &p_Tekst, qint64 p_Min = std::numeric_limits<qint64>::min(),
                    qint64 p_Max = std::numeric_limits<qint64>::max());

// Boolean parse; no value when the text is neither a Boolean word nor an integer.
std::optional<bool> SprobujTekstNaBoolean(QByteArrayView p_Tekst);
// The same; raises LkException "błędna wartość boolean = \"%s\"" instead of giving no value.
bool TekstNaBoolean(const QString &p_Tekst);
