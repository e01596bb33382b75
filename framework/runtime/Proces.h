#pragma once

#include <QString>

// A start-up error for the user: in service mode also to the system log; then
// one line on standard output in a program without a GUI, else a message box
// (on the main thread only).
void PokazBlad(const QString &p_Tekst);

// Ends the process at once with the code; no finalisation runs.
[[noreturn]] void ZakonczProces(int p_KodWyjscia);
