#pragma once

#include <QString>

#include <cstdint>

// Identity of the program: product and application name, file version.
// An empty file name everywhere means the program's own executable.

// ProductName of the own executable; fixed at start-up.
extern QString NazwaProduktu;
// Names the registry key and the parameter file; fixed at start-up.
extern QString NazwaAplikacji;

// Full path of the running executable; empty when the system does not say.
QString DajNazweModulu();

// A string of the version block: p_Sciezka is a sub-block path such as
// "\StringFileInfo\%LANGID%\ProductName"; "%LANGID%" stands for the block's
// first translation. Empty when the file has no block or no such value.
QString OdczytajVersionInfo(const QString &p_Sciezka, const QString &p_NazwaPliku = QString());

QString DajNazweProduktu(const QString &p_NazwaPliku = QString());

// The four parts of the file version, from the fixed record or, without one,
// from the "FileVersion" string. False when neither gives all four.
bool OdczytajNumeryWersji(const QString &p_NazwaPliku, uint16_t &p_Glowny, uint16_t &p_Pomocniczy,
                          uint16_t &p_Wydanie, uint16_t &p_Kompilacja);

// major * 100 + minor; 0 when unknown.
int32_t DajNumerWersji(const QString &p_NazwaPliku = QString());

// 100 -> "1.00", 1203 -> "12.03", 5 -> "0.05".
QString WersjaJakoTekst(int32_t p_NumerWersji);

// The application name for a module whose product name is given: that name,
// unless it begins with "LkMod" (any case; a plug-in's own name), when the
// product name of the executable that started the process is used.
QString UstalNazweAplikacji(const QString &p_NazwaProduktuModulu, const QString &p_PlikProgramu);
