#pragma once

#include <QString>

#include <functional>

// What this process made on disk and must not leave behind: its temporary
// files and folders, and an output's temporary file beside its target. The
// owners delete their files themselves; the registry matters when a signal
// ends the process while no destructor can run.

// Runs p_Utworz under the registry's lock and registers the path it returns
// (empty: nothing was made), so that an emergency end falls before the
// creation or after the registration, never between. Returns that path. A
// path already registered stays there once. Creations on several threads run
// at once: p_Utworz must make a name no other thread can make at the same
// time (O_EXCL, a random name) or hold its own lock.
QString UtworzDoSprzatania(const std::function<QString()> &p_Utworz, bool p_Katalog = false);

// Forgets a path its owner has deleted or moved in place.
void WyrejestrujZeSprzatania(const QString &p_Sciezka);

// At a normal end: removes the registered folders that are empty, newest
// first, and forgets those that are gone.
void UsunPusteKatalogiZRejestru();

// Emergency end: deletes every registered file, removes the registered
// folders that are then empty, and ends the process by p_Sygnal (its default
// action), holding the lock throughout so that nothing new is registered.
[[noreturn]] void ZakonczPoSprzataniu(int p_Sygnal);
