#pragma once

#include <QByteArray>
#include <QString>

// A 22-character name from 16 random bytes (a GUID's worth), written with the
// alphabet 0-9 A-Z a-z @ #; empty when the system's random source fails.
QString DajLosowaNazwe();

// The 22 characters of 16 bytes: bytes from the last to the first, bits from
// the most significant, six at a time; the last two bits make the top of a
// final group. Empty unless exactly 16 bytes are given.
QString LosowaNazwaZBajtow(const QByteArray &p_Bajty);
