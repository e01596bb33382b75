#pragma once

#include <QMap>
#include <QRect>
#include <QString>

// The window-state memory: per form name a list of "key=value" pairs joined
// with "|", kept for the life of the program and never written to disk.
using TParyStanu = QMap<QString, QString>;

TParyStanu OdczytajStanOkna(const QString &p_Nazwa);
void ZapamietajStanOkna(const QString &p_Nazwa, const TParyStanu &p_Pary);
void ZapomnijStanyOkien();

// A rectangle moved, and shrunk where it must be, into an area: per axis a size
// larger than the area becomes the area's, a start before the area moves to
// its start, an end beyond it moves the start back.
QRect DopasujDoObszaru(const QRect &p_Prostokat, const QRect &p_Obszar);
// A size centred in an area (halves rounded toward zero).
QRect WysrodkujW(const QSize &p_Rozmiar, const QRect &p_Obszar);
// The work area of the screen nearest to a rectangle.
QRect ObszarRoboczyEkranu(const QRect &p_Prostokat);
