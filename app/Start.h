#pragma once

#include <QString>

#include <exception>

class QCoreApplication;

// Environment Qt needs before the application object exists: the offscreen
// platform when there is no display (or p_Okno is false), and Chromium's
// sandbox off when running as root, where it cannot start.
void PrzygotujSrodowiskoQt(bool p_Okno);

// The framework units' initialisation, in their fixed order, and their
// finalisation in reverse when this goes out of scope.
class TJednostkiProgramu
{
public:
    explicit TJednostkiProgramu(QCoreApplication &p_Aplikacja);
    ~TJednostkiProgramu();

    TJednostkiProgramu(const TJednostkiProgramu &) = delete;
    TJednostkiProgramu &operator=(const TJednostkiProgramu &) = delete;
};

// For a program without windows: every message goes to standard error,
// and so does an unexpected exception, as the window's error box would show it.
void PrzekierujKomunikatyNaStderr();
void PokazWyjatekNaStderr(const std::exception &p_Wyjatek);
