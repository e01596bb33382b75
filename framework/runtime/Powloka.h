#pragma once

#include <QString>

// Opening files and addresses with the desktop's handler (xdg-open), detached.

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;

// True when the handler was started; p_Kod gets a shell-style result (above
// 32 on success, 31 when nothing could handle it). Only the verbs "open"
// (also empty) and "explore" are known.
bool UruchomWPowloce(const QString &p_Plik, int p_TrybPokazania, const QString &p_Czasownik,
                     int *p_Kod = nullptr);
bool OtworzPlik(const QString &p_Plik, int p_TrybPokazania = SW_SHOWNORMAL, int *p_Kod = nullptr);

// Opens a web address; "http://" is put in front unless it begins with "http".
bool OtworzAdres(const QString &p_Adres);
// The address as OtworzAdres hands it over.
QString AdresDoOtwarcia(const QString &p_Adres);

// True in a remote (SSH) session.
bool CzySesjaZdalna();
