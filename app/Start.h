#pragma once

#include "JednostkiDrogi.h"

#include <QString>

class QCoreApplication;

// Environment Qt needs before the application object exists: the offscreen
// platform when there is no display (or p_Okno is false), and Chromium's
// sandbox off when running as root, where it cannot start.
void PrzygotujSrodowiskoQt(bool p_Okno);

// Every framework unit of a windowed program: the road's units, then the
// widget layer; ended in reverse when this goes out of scope.
class TJednostkiProgramu
{
public:
    explicit TJednostkiProgramu(QCoreApplication &p_Aplikacja);
    ~TJednostkiProgramu();

    TJednostkiProgramu(const TJednostkiProgramu &) = delete;
    TJednostkiProgramu &operator=(const TJednostkiProgramu &) = delete;

private:
    TJednostkiDrogi FJednostkiDrogi;
};
