#pragma once

// The GUI helpers: the message service with its real dialog, the Enter drain,
// a text prompt, repainting, modifier keys and the confirm key of forms.
#include "Komunikaty.h"
#include "OknoKomunikatu.h"
#include "StanKlawiszy.h"

#include <QFont>
#include <QString>
#include <Qt>

class QAbstractButton;
class QObject;
class TLkFormBazowe;

// Start-up of the GUI unit, once the QApplication and the runtime services
// are up: silent mode of the message service from the service-mode flag
// TrybUslugi, the key watch, and the real dialog with its Enter drain behind
// PokazKomunikat. ZakonczLkFunGUI undoes it.
void InicjujLkFunGUI();
// The same with the service-mode flag given.
void InicjujLkFunGUI(bool p_TrybUslugi);
void ZakonczLkFunGUI();

// A modal input box with the caption, the prompt, an edit field holding a copy
// of p_Wartosc, and OK and "Anuluj". On OK: true, and the edited text is put
// into p_Wartosc; on cancel: false, and p_Wartosc keeps its old content.
bool ZapytajOTekst(const QString &p_Tytul, const QString &p_Pytanie, QString &p_Wartosc);

// Repaints every top-level window at once. Main thread only; elsewhere nothing.
void OdswiezWszystkieOkna();

// The modifier keys as the keyboard holds them now.
bool WcisnietyShift();
bool WcisnietyCtrl();
bool WcisnieteShiftCtrl();

// Enter, main or keypad; exactly Shift held (the keypad flag aside).
bool JestEnter(int p_Klawisz);
bool TylkoShift(Qt::KeyboardModifiers p_Shift);

// The forms' font, Tahoma where the machine has it, else the metric-compatible
// faces the setup installs, so fixed layouts keep their room.
QFont CzcionkaFormy(int p_Punkty = 8);

// A push or tool button, else nullptr.
QAbstractButton *JakoPrzycisk(QObject *p_Komponent);

// The confirm key of forms: acts only on Enter with exactly Shift, which it
// consumes (p_Klawisz = 0). Without a button the form's modal result becomes
// OK; an enabled button is focused and clicked; a disabled one does nothing.
void ZatwierdzKlawiszem(TLkFormBazowe *p_Form, int &p_Klawisz, Qt::KeyboardModifiers p_Shift,
                        QAbstractButton *p_Przycisk);
