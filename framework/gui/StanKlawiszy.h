#pragma once

// Which keys are down, as the application's own key events tell it, and the
// drain that keeps a key meant for one window from acting in the next one.
// Keys are Qt key codes; the main and the keypad Enter count as one key.

// Starts watching the application's key events; needs the QApplication.
// Idempotent. ZakonczSledzenieKlawiszy stops it.
void InstalujSledzenieKlawiszy();
void ZakonczSledzenieKlawiszy();

// The key is down: pressed, and its release not seen yet.
bool KlawiszWcisniety(int p_Klawisz);

// Waits while the key is held (events keep flowing, this key's own events are
// discarded; a key that stops repeating counts as released), then
// discards the key's events still queued for the application's windows.
// Main thread only; elsewhere, or before InstalujSledzenieKlawiszy, nothing.
void ZwolnijKlawisz(int p_Klawisz);
void ZwolnijEnter();
