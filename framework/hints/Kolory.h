#pragma once

#include "StalePodpowiedzi.h"

#include <QColor>
#include <QString>

// The colour identifiers of the markup ("clRed", "clWindowText", ...) and
// integers (decimal, or hexadecimal after "$" or "0x") as colour values.
// False for anything else. Identifiers compare without regard to case.
bool CzytajKolor(const QString &p_Tekst, TKolor &p_Kolor);

// The identifier of a colour when it has one, else the value in decimal;
// CzytajKolor reads either back.
QString KolorJakoTekst(TKolor p_Kolor);

// The colour on screen; system colours come from the application's palette.
QColor KolorQt(TKolor p_Kolor);

// Each of R, G and B moved by p_Delta and held to 0..255.
TKolor PrzesunJasnosc(TKolor p_Kolor, int p_Delta);
