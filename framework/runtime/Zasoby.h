#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

// The program's named resources, compiled into the executable by the build.
// Names are looked up ignoring case; the bytes stay where the build put them.
void ZarejestrujZasob(const QString &p_Nazwa, const unsigned char *p_Dane, size_t p_Rozmiar);

// The resource's bytes without a copy; an EResNotFound when there is none.
QByteArray DajZasob(const QString &p_Nazwa);
bool JestZasob(const QString &p_Nazwa);

// A packed resource (a zlib stream of a 4-byte little-endian length and that
// many bytes) inflated. EResNotFound when there is none; EZDecompressionError
// when the stream is corrupt, cut short, longer than its length says or
// claims more than 256 MiB.
QByteArray RozpakujZasob(const QString &p_Nazwa);
