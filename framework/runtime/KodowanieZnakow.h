#pragma once

#include <QByteArray>
#include <QString>

// Conversions between text (UTF-16) and byte strings. The framework's byte
// strings are Windows-1250 ("Polish ANSI"); one byte is one character, so
// decoding and re-encoding restores every byte, UTF-8 content included.

// Windows-1250 bytes to text, one character per byte.
QString TekstZPolskiegoAnsi(const QByteArray &p_Bajty);

// Text to Windows-1250. Characters 1250 lacks become p_Domyslny and set
// p_Utracono. Base letters followed by combining marks are precomposed first;
// marks that compose with nothing are dropped. Raises Exception
// "PolskiAnsi: błąd konwersji tekstu (dl=0):\r<text>" when nothing is left.
QByteArray PolskiAnsi(const QString &p_Tekst, char p_Domyslny, bool &p_Utracono);

// PolskiAnsi with "?" for missing characters.
QByteArray TekstNaPolskiAnsi(const QString &p_Tekst);

// Text to any code page we know (see TabeleStronKodowych.h), UTF-7 (65000)
// or UTF-8 (65001). An unknown code page gives empty bytes. For UTF-7 and
// UTF-8 no default is used and p_Utracono stays false.
QByteArray TekstNaStroneKodowa(const QString &p_Tekst, int p_StronaKodowa, char p_Domyslny,
                               bool &p_Utracono);
QByteArray TekstNaStroneKodowa(const QString &p_Tekst, int p_StronaKodowa, char p_Domyslny = '?');

// Bytes of a code page to text: one character per byte for single-byte pages;
// UTF-7 (65000) and UTF-8 (65001) are decoded as such. An unknown code page gives empty text.
QString TekstZeStronyKodowej(const QByteArray &p_Bajty, int p_StronaKodowa);
// The same for a zero-terminated byte sequence (nullptr gives empty text).
QString TekstZeStronyKodowej(const char *p_Bajty, int p_StronaKodowa);

// Bytes of a code page re-encoded as UTF-8.
QByteArray NaUTF8ZeStronyKodowej(const QByteArray &p_Bajty, int p_StronaKodowa);
