#pragma once

#include <QString>
#include <QStringList>

// Command-line switches and parameters, with section "Params" of the
// parameter file as fall-back. Fixed at start-up by InicjujLkFunIO.

// Directory of the executable, with a trailing "/".
extern QString KatalogProgramu;
// Service mode: the parameter "Service" is given (its value is not used).
extern bool TrybUslugi;
// Kept for code that asks; no Linux program is hosted by rundll32.
extern bool UruchomionyPrzezRundll32;

// The command-line items, the program first. Until they are set the
// QCoreApplication's arguments are used.
void UstawArgumentyProgramu(const QStringList &p_Argumenty);
QStringList ArgumentyProgramu();

// A switch: "-name" or "/name" (the whole rest of the item), else a key of
// that name in [Params]. "IniFile" is never looked up in the parameter file.
bool JestParametr(const QString &p_Nazwa, bool p_WielkoscLiter = false);

// A valued parameter: "-(name)value", or for a one-letter name "-Xvalue";
// else the non-blank value of the key in [Params].
bool DajParametr(const QString &p_Nazwa, QString &p_Wartosc, bool p_WielkoscLiter = false);

// The value of a key in [Params] of the loaded parameter file (the command
// line is not asked); empty without a file or key.
QString WartoscZPlikuParametrow(const QString &p_Nazwa);

// The parameter "IniFile" from the command line, else the program's directory
// + application name + ".ini".
QString DajNazwePlikuIni();

// Loads the parameter file named by DajNazwePlikuIni if it exists (start-up);
// later changes on disk are not seen.
void WczytajPlikIni();
// Forgets the loaded parameter file.
void ZwolnijPlikIni();
