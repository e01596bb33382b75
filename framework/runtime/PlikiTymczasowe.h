#pragma once

#include <QDateTime>
#include <QString>

// Temporary files live in a private folder of the user:
//   ($XDG_RUNTIME_DIR, else $TMPDIR, else /tmp) + "/VelmoraSoftware-<uid>/"
// created 0700 and refused unless it is a real directory of ours, with a
// folder "Proc_<pid>/" per process inside. A refused root (another user got
// there first) is replaced for the rest of the process by a fresh private
// folder beside it, "VelmoraSoftware-<uid>-XXXXXX", and the reason goes to
// the error log. The first use of a root removes the empty "Proc_" folders of
// processes that are gone. Files are created exclusively, never through a
// link, and registered for an emergency clean-up (RejestrSprzatania.h).

// The private root in use with a trailing "/", created if missing; empty when
// neither it nor a stand-in can be made.
QString DajKorzenTymczasowy();

// The per-process folder with a trailing "/", created if missing; empty when
// no private root is available.
QString DajKatalogTymczasowy();

// A new, already created file (holding one CR LF): folder + prefix + "_" + a
// number in base 36 + extension (".tmp" when empty); with p_NajpierwBezNumeru
// the name without "_" and number is tried first. Numbers rise per prefix
// within the process. Empty when no name could be made. Raises Exception
// "nieprawidłowy prefiks pliku = %s" for a prefix with path or wildcard
// characters or a device name.
QString DajNazwePlikuTymczasowego(const QString &p_Prefiks, const QString &p_Rozszerzenie = QString(),
                                  bool p_NajpierwBezNumeru = false);

// Deletes prefix_<decimal number><extension> files of the per-process folder
// last written before p_Granica. True when at least one was deleted.
bool UsunStarePlikiTymczasowe(const QString &p_Prefiks, const QString &p_Rozszerzenie,
                              const QDateTime &p_Granica);

// n in base 36 with the digits 0-9 a-z; 0 gives an empty text.
QString LiczbaWSystemie36(int p_Liczba);

// Start-up and shutdown of the per-prefix counters.
void UtworzLicznikiPlikowTymczasowych();
void ZwolnijLicznikiPlikowTymczasowych();

// At the end of the process: removes its per-process folder and a stand-in
// root when they are empty. Files the owners left stay, and so do their folders.
void UsunPusteKatalogiTymczasowe();
