#pragma once

// Records the calling thread as the program's main thread; runtime start-up
// calls it once.
void UstawWatekGlowny();

// True on the main thread: the one recorded by UstawWatekGlowny, else the
// thread of the QCoreApplication, else the thread that loaded the program.
bool CzyWatekGlowny();
