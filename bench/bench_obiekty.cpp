// Objects of a three-field class beside a plain struct holding the same data:
// create and fill, copy, compare, destroy; time per phase and the heap the
// data takes (bytes in use by malloc and the model's block pool after the
// phase, less before). The two run in turns, ROUNDS times, the side that
// starts alternating; the medians of each phase follow, then the resident
// set once everything is freed: at once, idle, and with the pool's free slabs given back.
//
//   bench_obiekty [OBJECTS] [ROUNDS]

#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"
#include "PomiarFaz.h"
#include "PulaBlokow.h"

#include <QString>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

class TOsoba : public TKlasa<TOsoba, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Imie", &TPoleString::Opis}, {1, "Wiek", &TPoleByte::Opis}, {2, "Aktywna", &TPoleBoolean::Opis}};
};

struct Osoba
{
    QString Imie;
    uint8_t Wiek = 0;
    bool Aktywna = false;
    bool operator==(const Osoba &) const = default;
};

QString Imie(int p_Nr)
{
    return QStringLiteral("Osoba %1").arg(p_Nr);
}

struct TWynik
{
    double Sekundy = 0;
    double PamiecMB = 0;
};

// Phase name -> one result per round.
using TWyniki = std::map<std::string, std::vector<TWynik>>;

void Faza(TWyniki &p_Wyniki, const std::string &p_Nazwa, double p_PamiecPrzed, const std::function<void()> &p_Praca)
{
    const auto start = std::chrono::steady_clock::now();
    p_Praca();
    const double sekundy = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double pamiec = pomiar::ZajetaPamiecMB() - p_PamiecPrzed;
    p_Wyniki[p_Nazwa].push_back({sekundy, pamiec});
    std::printf("  %-26s %8.3f s  %8.1f MB\n", p_Nazwa.c_str(), sekundy, pamiec);
}

int StrukturaRaz(TWyniki &p_Wyniki, int p_Ile)
{
    const double przed = pomiar::ZajetaPamiecMB();
    std::vector<Osoba> osoby;
    Faza(p_Wyniki, "struct: create and fill", przed, [&] {
        osoby.reserve(static_cast<size_t>(p_Ile));
        for (int i = 0; i < p_Ile; ++i)
            osoby.push_back({Imie(i), static_cast<uint8_t>(i % 100), i % 2 == 0});
    });
    std::vector<Osoba> kopie;
    Faza(p_Wyniki, "struct: copy", przed, [&] { kopie = osoby; });
    int rozne = 0;
    Faza(p_Wyniki, "struct: compare", przed, [&] {
        for (size_t i = 0; i < osoby.size(); ++i)
            rozne += !(osoby[i] == kopie[i]);
    });
    Faza(p_Wyniki, "struct: destroy", przed, [&] {
        std::vector<Osoba>().swap(kopie);
        std::vector<Osoba>().swap(osoby);
    });
    return rozne;
}

int ObiektyRaz(TWyniki &p_Wyniki, int p_Ile)
{
    const double przed = pomiar::ZajetaPamiecMB();
    std::vector<std::unique_ptr<TOsoba>> osoby;
    Faza(p_Wyniki, "TObiekt: create and fill", przed, [&] {
        osoby.reserve(static_cast<size_t>(p_Ile));
        for (int i = 0; i < p_Ile; ++i) {
            auto osoba = std::make_unique<TOsoba>();
            osoba->UstawPole<TPoleString>(0, Imie(i));
            osoba->UstawPole<TPoleByte>(1, static_cast<uint8_t>(i % 100));
            osoba->UstawPole<TPoleBoolean>(2, i % 2 == 0);
            osoby.push_back(std::move(osoba));
        }
    });
    std::vector<std::unique_ptr<TObiekt>> kopie;
    Faza(p_Wyniki, "TObiekt: copy", przed, [&] {
        kopie.reserve(osoby.size());
        for (const auto &osoba : osoby)
            kopie.emplace_back(osoba->KlonujObiekt());
    });
    int rozne = 0;
    Faza(p_Wyniki, "TObiekt: compare", przed, [&] {
        for (size_t i = 0; i < osoby.size(); ++i)
            rozne += osoby[i]->Porownaj(*kopie[i]) != 0;
    });
    Faza(p_Wyniki, "TObiekt: destroy", przed, [&] {
        std::vector<std::unique_ptr<TObiekt>>().swap(kopie);
        std::vector<std::unique_ptr<TOsoba>>().swap(osoby);
    });
    return rozne;
}

// The pool keeps slabs freed for a while: what stays resident once the objects are gone.
void PamiecPoZwolnieniu()
{
    auto stan = [](const char *p_Kiedy) {
        std::printf("  %-34s resident %7.1f MB, pool slabs %7.1f MB\n", p_Kiedy, pomiar::KBProcesu("VmRSS:") / 1e3,
                    static_cast<double>(pula::TrzymaneBajty()) / 1e6);
    };
    std::printf("memory after the last round (objects freed)\n");
    stan("at once");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    stan("after 1 s idle");
    std::this_thread::sleep_for(std::chrono::seconds(3));
    stan("after 4 s idle");
    pula::OddajWolne();
    malloc_trim(0);
    stan("after OddajWolne and malloc_trim");
}

double Mediana(std::vector<double> p_Wartosci)
{
    std::sort(p_Wartosci.begin(), p_Wartosci.end());
    const size_t n = p_Wartosci.size();
    return n % 2 ? p_Wartosci[n / 2] : (p_Wartosci[n / 2 - 1] + p_Wartosci[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    const int ile = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int rundy = argc > 2 ? std::atoi(argv[2]) : 5;
    if (ile <= 0 || rundy <= 0) {
        std::fprintf(stderr, "usage: %s [OBJECTS] [ROUNDS]\n", argv[0]);
        return 2;
    }
    std::printf("bench_obiekty %d objects, %d rounds\n", ile, rundy);
    TWyniki wyniki;
    int rozne = 0;
    for (int runda = 0; runda < rundy; ++runda) {
        std::printf("round %d\n", runda + 1);
        if (runda % 2) {
            rozne += ObiektyRaz(wyniki, ile);
            rozne += StrukturaRaz(wyniki, ile);
        } else {
            rozne += StrukturaRaz(wyniki, ile);
            rozne += ObiektyRaz(wyniki, ile);
        }
    }
    std::printf("medians (time, heap in use after the phase)\n");
    for (const char *faza : {"create and fill", "copy", "compare", "destroy"}) {
        auto mediany = [&](const std::string &p_Strona) {
            std::vector<double> czasy;
            std::vector<double> pamiec;
            for (const TWynik &w : wyniki[p_Strona + ": " + faza]) {
                czasy.push_back(w.Sekundy);
                pamiec.push_back(w.PamiecMB);
            }
            return std::pair{Mediana(czasy), Mediana(pamiec)};
        };
        const auto [czasS, pamiecS] = mediany("struct");
        const auto [czasO, pamiecO] = mediany("TObiekt");
        std::printf("  %-16s struct %7.3f s %7.1f MB   TObiekt %7.3f s %7.1f MB   ratio %5.2fx time %5.2fx heap\n", faza,
                    czasS, pamiecS, czasO, pamiecO, czasO / czasS, pamiecS > 1 ? pamiecO / pamiecS : 0.0);
    }
    PamiecPoZwolnieniu();
    return rozne == 0 ? 0 : 1;
}
