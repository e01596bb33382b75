#pragma once

#include "Rejestr.h"

#include <QString>
#include <QStringList>

// The program's registry key: "Software\VelmoraSoftware\" + NazwaAplikacji.
QString KluczRejestruAplikacji();

// Reads a value as a string (a value of another type reads as empty). False
// and empty when the key or value is missing.
bool CzytajWartoscRejestru(const QString &p_Nazwa, QString &p_Wartosc, const QString &p_Klucz,
                           HKEY p_Korzen);

// Writes each "name=value" line as a string value, creating the key if
// needed. False when anything failed.
bool ZapiszWartosciRejestru(const QStringList &p_Wartosci, const QString &p_Klucz, HKEY p_Korzen);
