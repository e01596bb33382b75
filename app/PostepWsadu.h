#pragma once

#include <QString>

#include <cstdio>
#include <mutex>

// The batch's progress on standard error, from any thread: on a terminal one
// bar redrawn in place (done, total, the file at hand); otherwise one line
// per finished file with its result, for logs.
class TPostepWsadu
{
public:
    TPostepWsadu(int p_Razem, std::FILE *p_Strumien = stderr);
    ~TPostepWsadu();

    TPostepWsadu(const TPostepWsadu &) = delete;
    TPostepWsadu &operator=(const TPostepWsadu &) = delete;

    void Rozpoczeto(const QString &p_Plik);
    // p_Odmowa empty: rendered.
    void Zakonczono(const QString &p_Plik, const QString &p_Odmowa);
    // Ends the bar's line, so that what follows starts on a line of its own.
    void Zamknij();

private:
    void rysujPasek(const QString &p_Plik);

    std::mutex FBlokada;
    std::FILE *FStrumien;
    const int FRazem;
    int FGotowe = 0;
    const bool FTerminal;
    bool FPasekNaEkranie = false;
};
