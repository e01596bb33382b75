#pragma once

#include <QByteArray>
#include <QString>

// UTF-7 (RFC 2152), code page 65000. Letters, digits, '(),-./:? space and
// line breaks stay as they are; everything else goes in "+...-" base64 runs;
// "+" itself is "+-".
QByteArray TekstNaUTF7(const QString &p_Tekst);

// Bytes that are not valid UTF-7 (a byte above 7F) become U+FFFD.
QString TekstZUTF7(const QByteArray &p_Bajty);
