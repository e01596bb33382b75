#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Parses of field texts that the tokenizers and the fields share.

// The false and true words of Boolean fields ("N"/"T" are their first letters).
inline constexpr char SlowoFalsz[] = "Nie";
inline constexpr char SlowoPrawda[] = "Tak";

// Decimal with an optional sign, or "$" and hex digits; no value on anything else or overflow.
std::optional<qint64> SprobujTekstNaInt64(QByteArrayView p_Tekst);

// Boolean parse; no value when the text is neither a Boolean word nor an integer.
std::optional<bool> SprobujTekstNaBoolean(QByteArrayView p_Tekst);
// The same; raises LkException "błędna wartość boolean = \"%s\"" instead of giving no value.
bool TekstNaBoolean(const QString &p_Tekst);
