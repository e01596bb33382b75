#pragma once

#include <QStringList>

#include <functional>

class QWidget;

// A form's action update, run while the application is idle. A program-wide
// nesting count marks it under way: the hint window waits for it to end
// before it closes, so that no window goes while actions are being updated.
bool TrwaAktualizacjaAkcji();

// Runs p_Aktualizacja as p_Forma's action update. With the switch "diag",
// forms that went away during it are written to the log
// <product>UpdateActions.txt in the data directory.
void AktualizujAkcje(const QWidget *p_Forma, const std::function<void()> &p_Aktualizacja);

// "name:class" of every window of the program (not popups or tooltips).
QStringList OpisyForm();
// The log line when the number of forms changed: p_Forma's "name:class",
// " - brak " and the forms of p_Przed missing from p_Po; else empty.
QString OpisBrakujacychForm(const QWidget *p_Forma, const QStringList &p_Przed, const QStringList &p_Po);
