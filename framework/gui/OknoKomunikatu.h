#pragma once

#include "Komunikaty.h"

// The message dialog of the service: a modal QMessageBox with the caption,
// the kind's icon and the buttons of the set in bit order, captioned as the
// service says; OK, else Yes, else Retry is the default button. Help leaves
// the dialog open. Answers the pressed button's code (Cancel when the dialog
// ends without one). Off the main thread no widget may be made: the message
// goes to standard error and the silent answer comes back.
int PokazOknoKomunikatu(const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType p_Rodzaj,
                        TMsgDlgButtons p_Przyciski, int32_t p_KontekstPomocy);
