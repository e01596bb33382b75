#include "Przezroczystosc.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>

bool JestPrzezroczystosc()
{
    // The "minimal" platform has no windows to fade; every other one keeps at
    // least the opacity property, which a compositor then shows.
    return QGuiApplication::platformName() != QLatin1String("minimal");
}

void UstawWarstwowe(QWidget *p_Okno, bool p_Wlacz)
{
    if (!JestPrzezroczystosc() || !p_Okno)
        return;
    if (!p_Wlacz)
        p_Okno->setWindowOpacity(1.0);
}

void UstawPrzezroczystosc(QWidget *p_Okno, int p_Alfa)
{
    if (!JestPrzezroczystosc() || !p_Okno)
        return;
    p_Okno->setWindowOpacity(std::clamp(p_Alfa, 0, 255) / 255.0);
}
