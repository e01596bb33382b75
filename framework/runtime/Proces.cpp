#include "Proces.h"

#include "DziennikZdarzen.h"
#include "Komunikaty.h"
#include "Parametry.h"
#include "WatekGlowny.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// The runtime links no GUI library, so it asks the application object what it is.
bool programZOknami()
{
    const QCoreApplication *aplikacja = QCoreApplication::instance();
    return aplikacja && aplikacja->inherits("QGuiApplication");
}

} // namespace

void PokazBlad(const QString &p_Tekst)
{
    if (TrybUslugi)
        ZapiszWDziennikuZdarzen(p_Tekst, EVENTLOG_ERROR_TYPE);
    if (!programZOknami()) {
        std::fprintf(stdout, "%s\n", qUtf8Printable(p_Tekst));
        std::fflush(stdout);
    } else if (CzyWatekGlowny()) {
        PokazKomunikatOK(p_Tekst, mtError);
    }
}

void ZakonczProces(int p_KodWyjscia)
{
    std::fflush(nullptr);
    std::_Exit(p_KodWyjscia);
}
