#pragma once

#include <QString>
#include <QStringList>

// The files the viewer opened lately, most recent first, kept in the user's
// registry store: every window of the user shares them, and they outlast the
// program. The list is a convenience: a store that cannot be read or written
// gives an empty list or keeps the old one, silently.

inline constexpr int MaksOstatnichPlikow = 10;

QStringList OstatniePliki();
// Puts the file (made absolute) first, drops it from further down, keeps at
// most MaksOstatnichPlikow; returns the new list.
QStringList DodajOstatniPlik(const QString &p_Plik);
void WyczyscOstatniePliki();
