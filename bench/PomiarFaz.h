#pragma once

// The format benchmarks' common driver: named phases run in rounds, each pair
// of phases (reference and ours) taking turns at going first, medians at the
// end in seconds and MB/s; the peak memory of chosen phases; one phase alone
// for perf.

#include <malloc.h>

// The model's objects live in its block pool, outside malloc's heap.
#include "PulaBlokow.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pomiar {

struct TFaza
{
    const char *Nazwa;
    double MB; // of the document the phase writes or reads
    std::function<void()> Wykonaj;
};

inline double Sekundy(const std::function<void()> &p_Faza)
{
    const auto start = std::chrono::steady_clock::now();
    p_Faza();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Mediana(std::vector<double> p_Wartosci)
{
    std::sort(p_Wartosci.begin(), p_Wartosci.end());
    return p_Wartosci[p_Wartosci.size() / 2];
}

// Heap in use, for the size of what a phase built.
inline double ZajetaPamiecMB()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd + pula::ZajeteBajty()) / 1e6;
}

// The heap p_Budowa leaves taken: the size of the objects it built.
inline double PrzyrostStertyMB(const std::function<void()> &p_Budowa)
{
    const double przed = ZajetaPamiecMB();
    p_Budowa();
    return ZajetaPamiecMB() - przed;
}

// A format benchmark's command line: [COUNT] [ROUNDS] [PHASE].
struct TArgumenty
{
    int Ile;
    int Rundy = 5;
    const char *SamaFaza = nullptr;
};

// False (after the usage line) when the numbers make no sense.
inline bool CzytajArgumenty(int argc, char **argv, TArgumenty &p_Arg)
{
    if (argc > 1)
        p_Arg.Ile = std::atoi(argv[1]);
    if (argc > 2)
        p_Arg.Rundy = std::atoi(argv[2]);
    if (argc > 3)
        p_Arg.SamaFaza = argv[3];
    if (p_Arg.Ile >= 1 && p_Arg.Rundy >= 1)
        return true;
    std::fprintf(stderr, "usage: %s [COUNT] [ROUNDS] [PHASE]\n", argv[0]);
    return false;
}

// kB of a line of /proc/self/status ("VmRSS:", "VmHWM:").
inline double KBProcesu(const char *p_Klucz)
{
    FILE *plik = std::fopen("/proc/self/status", "r");
    char wiersz[256];
    double kB = 0;
    while (plik && std::fgets(wiersz, sizeof wiersz, plik))
        if (std::strncmp(wiersz, p_Klucz, std::strlen(p_Klucz)) == 0)
            kB = std::atof(wiersz + std::strlen(p_Klucz));
    if (plik)
        std::fclose(plik);
    return kB;
}

// How far the resident set rises above its level before p_Faza: free heap
// goes back to the system first and the kernel's peak mark is reset.
inline double SzczytMB(const std::function<void()> &p_Faza)
{
    malloc_trim(0);
    // (block pool) Free slabs kept for reuse go back too, so a phase's peak does not ride on the last one's.
    pula::OddajWolne();
    if (FILE *plik = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", plik);
        std::fclose(plik);
    }
    const double przed = KBProcesu("VmRSS:");
    p_Faza();
    return (KBProcesu("VmHWM:") - przed) / 1e3;
}

inline const TFaza *ZnajdzFaze(const std::vector<TFaza> &p_Fazy, const char *p_Nazwa)
{
    const auto faza = std::find_if(p_Fazy.begin(), p_Fazy.end(),
                                   [&](const TFaza &f) { return std::strcmp(f.Nazwa, p_Nazwa) == 0; });
    return faza == p_Fazy.end() ? nullptr : &*faza;
}

// With p_SamaFaza, that phase alone p_Rundy times (2 when there is no such
// phase); otherwise the peak memory of p_Odczyty against p_ObiektyMB, the
// interleaved rounds and the medians. Phases come in pairs: reference, ours.
inline int UruchomFazy(const std::vector<TFaza> &p_Fazy, int p_Rundy, const char *p_SamaFaza,
                       const std::vector<const char *> &p_Odczyty, double p_ObiektyMB)
{
    if (p_SamaFaza) {
        const TFaza *faza = ZnajdzFaze(p_Fazy, p_SamaFaza);
        if (!faza)
            return 2;
        // Processor time beside the clock: A/B runs on a shared machine compare it.
        for (int runda = 0; runda < p_Rundy; ++runda) {
            const std::clock_t procesor = std::clock();
            const double s = Sekundy(faza->Wykonaj);
            std::printf("%s %.3f s (processor %.3f s)\n", faza->Nazwa, s,
                        static_cast<double>(std::clock() - procesor) / CLOCKS_PER_SEC);
        }
        return 0;
    }
    std::printf("peak memory of each read against %.1f MB of objects built:\n", p_ObiektyMB);
    for (const char *nazwa : p_Odczyty)
        if (const TFaza *faza = ZnajdzFaze(p_Fazy, nazwa)) {
            const double szczyt = SzczytMB(faza->Wykonaj);
            std::printf("  %-18s %8.1f MB  (%.2fx)\n", nazwa, szczyt, szczyt / p_ObiektyMB);
        }
    std::map<std::string, std::vector<double>> czasy;
    for (int runda = 0; runda < p_Rundy; ++runda) {
        std::printf("round %d:", runda + 1);
        for (size_t i = 0; i < p_Fazy.size(); ++i) {
            const size_t nr = runda % 2 && (i ^ 1) < p_Fazy.size() ? i ^ 1 : i;
            const TFaza &faza = p_Fazy[nr];
            const double s = Sekundy(faza.Wykonaj);
            czasy[faza.Nazwa].push_back(s);
            std::printf(" %s %.3f s;", faza.Nazwa, s);
        }
        std::printf("\n");
    }
    std::printf("medians:\n");
    for (const TFaza &faza : p_Fazy) {
        const double s = Mediana(czasy[faza.Nazwa]);
        std::printf("  %-18s %8.3f s  %8.1f MB/s\n", faza.Nazwa, s, faza.MB / s);
    }
    return 0;
}

} // namespace pomiar
