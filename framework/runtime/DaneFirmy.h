#pragma once

#include <QString>

// The maker's data, in one place: messages, links and the viewer's texts all
// show the same host, numbers and address.

inline const QString NazwaFirmy = QStringLiteral("Velmora Software");
inline const QString AdresWWWFirmy = QStringLiteral("www.velmora-software.pl");
inline const QString EmailPomocyFirmy = QStringLiteral("pomoc@velmora-software.pl");
inline const QString TelefonPomocyFirmy = QStringLiteral("+48 22 100 20 30");
inline const QString TelefonDrugiFirmy = QStringLiteral("+48 22 100 20 31");
inline const QString UlicaFirmy = QStringLiteral("ul. Kopernika 12");
inline const QString KodIMiastoFirmy = QStringLiteral("00-367 Warszawa");

// The line that closes error messages asking the user to call support.
inline QString LiniaPomocyFirmy()
{
    return QStringLiteral("zadzwoń do firmy Velmora Software -\rtel. ") + TelefonPomocyFirmy;
}
