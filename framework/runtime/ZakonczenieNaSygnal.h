#pragma once

#include <functional>

// SIGTERM, SIGINT and SIGHUP end the program cleanly.
//
// The handler only records the signal and writes a byte to two pipes. On the
// main thread a socket notifier reads the first and runs the reaction (by
// default QCoreApplication::exit(128 + signal)), so the event loop returns
// and destructors delete the temporary files. A watchdog thread reads the
// second and gives the process p_SekundyNaReakcje to end that way; when it has
// not (its main thread busy outside the event loop, in a long transformation
// say), at once when that time is 0, or on a second signal, the watchdog
// deletes what RejestrSprzatania holds and ends the process by the signal.
//
// Call on the main thread once the application object exists; a later call
// changes the time and the reaction and installs the handlers again.
void ZakonczNaSygnaly(int p_SekundyNaReakcje, std::function<void(int)> p_Reakcja = {});

// The first of those signals the process got; 0 when none came.
int OdebranySygnal();
