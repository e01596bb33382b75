#pragma once

#include "TypyUslugiInternetu.h"

#include <QString>
#include <QStringList>

// Hands a prepared mail to the user's mail program, whose compose window
// opens filled in. Here the desktop's xdg-email does what Simple MAPI did;
// its failures are reported with the same texts.

// The mail of a hint link: recipients, subject, body, copies and one
// attachment path per line. A failure is shown as a warning; true when the
// mail program took the mail.
bool WyslijEmail(const QString &p_Adresaci, const QString &p_Temat, const QString &p_Tresc,
                 const QString &p_AdresaciDW, const QString &p_Zalaczniki);

// The hand-off itself. False with p_Blad set on failure; raises LkException
// off the main thread. The dialog flag, session and parent are kept for
// callers: xdg-email always opens the compose window.
bool WyslijList(const TDaneListu &p_Dane, QString &p_Blad, bool p_ZDialogiem = true, quintptr p_Sesja = 0,
                quintptr p_Rodzic = 0);

// The text of a Simple MAPI error code.
QString OpisBleduMAPI(int p_Kod);

// "Mozilla Thunderbird", "Microsoft Outlook" or empty: the desktop's mailto handler.
QString DajProgramPocztowy();

// The arguments WyslijList gives xdg-email for a mail whose attachments are
// already where the mail program may read them.
QStringList ArgumentyXdgEmail(const TDaneListu &p_Dane, const QString &p_Tresc);
