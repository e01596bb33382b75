#pragma once

#include <QByteArray>
#include <QString>

// What a small file is here: the size of many messages, read whole at once.
inline constexpr qint64 MaksMalegoPliku = 1024 * 1024;

// A small regular file read whole, in a few system calls: for the many
// small messages of a batch, which would otherwise be read in many pieces.
// False for anything else (no such file, not a regular file, larger than
// p_Maks, a read error, a file growing while read): the caller then reads it
// its usual way, which says why. Never waits on a FIFO or a device.
bool WczytajMalyPlik(const QString &p_NazwaPliku, qint64 p_Maks, QByteArray &p_Bajty);
