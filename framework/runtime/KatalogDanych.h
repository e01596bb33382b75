#pragma once

#include <QString>

// The data directory (where the error log lives), with a trailing "/".
QString DajKatalogDanych();
// Fixed by UstalKatalogDanych at start-up; tests set it directly.
void UstawKatalogDanych(const QString &p_Katalog);

// $XDG_DATA_HOME (else ~/.local/share) + "/VelmoraSoftware/"; the program's
// directory when neither is known.
QString DomyslnyKatalogDanych();

// True when a probe file could be created, written, read back and deleted in
// p_Katalog.
bool MoznaZapisywacWKatalogu(const QString &p_Katalog);

// Start-up: the data directory from the parameter "KatalogDanych", else the
// registry, else the default; made to exist and be writable, else replaced
// (and the replacement saved for the user). Ends the process with 102 in
// service mode without "KatalogDanych" and with 101 when the final directory
// is not writable. Without p_SprawdzZapis a directory that exists or could be
// made is taken without a probe file (a command-line tool writes there only
// when something went wrong, and its log finds another place then).
void UstalKatalogDanych(bool p_SprawdzZapis = true);

// Exit codes of a data directory that cannot be used.
inline constexpr int KodWyjsciaBrakUprawnienDoKataloguDanych = 101;
inline constexpr int KodWyjsciaBrakKataloguDanychUslugi = 102;
