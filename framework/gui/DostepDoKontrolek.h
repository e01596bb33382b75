#pragma once

#include "StaleWalidacji.h"

#include <QString>

class QWidget;

// The framework's one way to reach texts, selections and states of controls
// of different kinds. Selections serve edit boxes and editable combo boxes,
// read-only state edit boxes; another class raises Exception
// "<operation>: błędna klasa" followed by its class name.
QString LkText(const QWidget *p_Kontrolka);
void UstawLkText(QWidget *p_Kontrolka, const QString &p_Tekst);
int LkSelStart(const QWidget *p_Kontrolka);
void UstawLkSelStart(QWidget *p_Kontrolka, int p_Poczatek);
int LkSelLength(const QWidget *p_Kontrolka);
void UstawLkSelLength(QWidget *p_Kontrolka, int p_Dlugosc);
QString LkSelText(const QWidget *p_Kontrolka);
void UstawLkSelText(QWidget *p_Kontrolka, const QString &p_Tekst);
bool LkReadOnly(const QWidget *p_Kontrolka);
void UstawLkReadOnly(QWidget *p_Kontrolka, bool p_Tylko);
// Through the control's requirement; "Kontrolka <class> bez wymagalności" without one.
TOpcjaWymagalnosci LkWymagalnosc(const QWidget *p_Kontrolka);
void UstawLkWymagalnosc(QWidget *p_Kontrolka, TOpcjaWymagalnosci p_Wymagalnosc);
// Moves the control to another parent keeping its place on the form; its size stays.
void UstawLkParent(QWidget *p_Kontrolka, QWidget *p_Rodzic);

// The text, or empty when it is only an empty input mask.
QString GodzinaBezMaski(const QString &p_Tekst);
QString DataBezMaski(const QString &p_Tekst);
QString DataCzasBezMaski(const QString &p_Tekst);

// Moves the top edge keeping the bottom one; sets the bottom edge keeping the top.
void ChangeTop(QWidget *p_Kontrolka, int p_Top);
void ChangeBottom(QWidget *p_Kontrolka, int p_Bottom);
