#pragma once

#include <exception>

class QCoreApplication;

// The framework units the document road needs (runtime services, the object
// model, the stylesheet resources), started in their fixed order and ended in
// reverse when this goes out of scope. Widgets are not among them: a program
// without windows starts only these. A command-line tool (p_Narzedzie) starts
// the runtime services as lightly as its run allows.
class TJednostkiDrogi
{
public:
    TJednostkiDrogi(QCoreApplication &p_Aplikacja, bool p_Narzedzie);
    ~TJednostkiDrogi();

    TJednostkiDrogi(const TJednostkiDrogi &) = delete;
    TJednostkiDrogi &operator=(const TJednostkiDrogi &) = delete;
};

// For a program without windows: an unexpected exception goes to standard
// error as the window's error box would show it.
void PokazWyjatekNaStderr(const std::exception &p_Wyjatek);
