#pragma once

#include <QString>

// A field name made readable: "_" becomes a blank and words of a camel-case
// name are split and lowered ("NrPozycjiTowaru" -> "Nr pozycji towaru",
// "Kod_CN" -> "Kod CN").
QString NazwaPolaNaEkran(const QString &p_Nazwa);
