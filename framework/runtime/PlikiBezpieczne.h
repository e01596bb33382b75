#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// File creation that never follows a link and never takes over a file that
// is already there: what temporary files, probes and log notes need.

// Creates p_Nazwa (mode 0600) only if no entry of that name exists, writes
// p_Tresc; false (and nothing left behind by us) on any failure.
bool UtworzNowyPlik(const QString &p_Nazwa, const QByteArray &p_Tresc);

// Opens p_Nazwa with p_Flagi (creating it p_Tryb when O_CREAT is among them)
// only if it is a regular file: never through a link, never waiting on a
// pipe put in its place. -1 with errno on failure (EINVAL: not a regular file).
int OtworzZwyklyPlik(const QString &p_Nazwa, int p_Flagi, unsigned p_Tryb = 0600);

// Writes all bytes to an open descriptor, resuming after interruptions.
bool ZapiszWszystko(int p_Deskryptor, QByteArrayView p_Dane);
