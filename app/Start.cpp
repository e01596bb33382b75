#include "Start.h"

#include "LkFunGUI.h"
#include "Parametry.h"

#include <QCoreApplication>

#include <unistd.h>

void PrzygotujSrodowiskoQt(bool p_Okno)
{
    const bool jestEkran = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if ((!p_Okno || !jestEkran) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

TJednostkiProgramu::TJednostkiProgramu(QCoreApplication &p_Aplikacja) : FJednostkiDrogi(p_Aplikacja, false)
{
    InicjujLkFunGUI(TrybUslugi);
}

TJednostkiProgramu::~TJednostkiProgramu()
{
    ZakonczLkFunGUI();
}
