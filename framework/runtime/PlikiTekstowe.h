#pragma once

#include <QString>

// Whole-file text as Windows-1250 bytes (see KodowanieZnakow.h): the file
// holds exactly the bytes of the text, no byte-order mark.

// Reads a regular file into p_Tekst. False (p_Tekst untouched) when the file
// is missing, unreadable or not a regular file.
bool WczytajTekstZPliku(QString &p_Tekst, const QString &p_NazwaPliku);

// Creates or replaces p_NazwaPliku with the text's bytes. False on any
// failure; a symbolic link or other non-regular file in its place is refused
// and left alone. A failed conversion leaves the file untouched.
bool ZapiszTekstDoPliku(const QString &p_Tekst, const QString &p_NazwaPliku);
