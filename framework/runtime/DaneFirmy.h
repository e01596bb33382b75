#pragma once

#include <QString>

// The maker's data, in one place: messages, links and the viewer's texts all
// show the same host, numbers and address. Functions, not globals, so that
// any start-up code may use them whatever the order of initialisation.

inline QString NazwaFirmy() { return QStringLiteral("Velmora Software"); }
inline QString AdresWWWFirmy() { return QStringLiteral("www.velmora-software.pl"); }
inline QString EmailPomocyFirmy() { return QStringLiteral("pomoc@velmora-software.pl"); }
inline QString TelefonPomocyFirmy() { return QStringLiteral("+48 22 100 20 30"); }
inline QString TelefonDrugiFirmy() { return QStringLiteral("+48 22 100 20 31"); }
inline QString UlicaFirmy() { return QStringLiteral("ul. Kopernika 12"); }
inline QString KodIMiastoFirmy() { return QStringLiteral("00-367 Warszawa"); }

// The line that closes error messages asking the user to call support.
inline QString LiniaPomocyFirmy()
{
    return QStringLiteral("zadzwoń do firmy Velmora Software -\rtel. ") + TelefonPomocyFirmy();
}
