#pragma once

#include <QByteArray>

// Byte-to-byte conversion table: 256 bytes, output byte = table[input byte].
// An empty table is "not built yet".
using TTabKonw = QByteArray;

// Makes p_Tabela the identity when it is still empty, then maps every byte of
// p_Z to the byte at the same position of p_Na. Thread-safe.
void ZbudujTabeleKonw(TTabKonw &p_Tabela, const QByteArray &p_Z, const QByteArray &p_Na);

// Every byte replaced through the table; same length. An unbuilt table copies.
QByteArray KonwertujTabela(const QByteArray &p_Bajty, const TTabKonw &p_Tabela);

// The 18 Polish letters of one encoding replaced by the same letters of the
// other; every other byte is copied unchanged.
QByteArray Win1250NaISO88592(const QByteArray &p_Bajty);
QByteArray ISO88592NaWin1250(const QByteArray &p_Bajty);
