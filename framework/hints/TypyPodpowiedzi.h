#pragma once

#include "StalePodpowiedzi.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <functional>

// Receives the target of a "proc:" link, without the scheme.
using TProcLinkOnClick = std::function<void(const QString &p_Cel)>;

// One request for a hint window, or to hide hints (Ukryj). A worker thread
// fills one in and the main thread acts on it.
struct TDanePodpowiedzi
{
    QString Podpowiedz;
    int32_t MaxSzerOkna = 0;
    QString KodGUIDPodp;
    int32_t PozX = 0;
    int32_t PozY = 0;
    int32_t MaxCzasWSek = 0;
    int32_t Flagi = 0;
    bool Ukryj = false;
    TProcLinkOnClick ProcLinkOnClick;

    void WpiszDane(const QString &p_Podpowiedz, int32_t p_MaxSzerOkna, const QString &p_KodGUIDPodp, int32_t p_PozX,
                   int32_t p_PozY, int32_t p_MaxCzasWSek, int32_t p_Flagi, TProcLinkOnClick p_ProcLinkOnClick);
    void WpiszUkrywana(const QString &p_Podpowiedz, const QString &p_KodGUIDPodp);

    // The text without style tags and link targets, trimmed; no escapes.
    QString DajTresc() const;
    // DajTresc without a "Czy wiesz, że..." or "Uwaga! " opening, at most 80 characters.
    QString DajSkrotTresci() const;

    // 1 plain (also for no flags), 2 warning, 3 error, 4 information.
    uint8_t TypKomunikatu() const;
    // Sets the kind bits; any value but 2, 3 and 4 clears them.
    void UstawTypKomunikatu(uint8_t p_Typ);
};

// The worker threads' requests, oldest first.
using TListaDanePodpowiedzi = std::deque<TDanePodpowiedzi>;
