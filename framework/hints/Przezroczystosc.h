#pragma once

class QWidget;

// Window opacity for the hints' fades. Without a platform that can make a
// window translucent, hints appear and vanish at once.
bool JestPrzezroczystosc();

// On: the window takes its opacity from UstawPrzezroczystosc; off: fully opaque.
void UstawWarstwowe(QWidget *p_Okno, bool p_Wlacz);
// Opacity 0 (invisible) to 255 (opaque).
void UstawPrzezroczystosc(QWidget *p_Okno, int p_Alfa);
