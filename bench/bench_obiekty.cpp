// Creating, filling and deep-copying 1 million objects of a three-field
// class, beside the same work on a plain struct for scale. Prints time per
// phase and the process's resident and peak memory after it.
//
//   bench_obiekty [OBJECTS]

#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

class TOsoba : public TObiekt
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Imie", &TPoleString::Opis},
        {1, "Wiek", &TPoleByte::Opis},
        {2, "Aktywna", &TPoleBoolean::Opis},
    };
    static const TOpisKlasy Opis;
    using TObiekt::TObiekt;
    const TOpisKlasy &Klasa() const override { return Opis; }
};
const TOpisKlasy TOsoba::Opis = {
    "TOsoba", &TObiekt::Opis, [](TObiektBazowy *p) -> TPole * { return new TOsoba(p); }, PolaKlasy};

struct Osoba
{
    QString Imie;
    uint8_t Wiek = 0;
    bool Aktywna = false;
};

// "VmRSS" or "VmHWM" of this process, in MB.
double PamiecMB(const char *p_Klucz)
{
    std::ifstream status("/proc/self/status");
    std::string linia;
    while (std::getline(status, linia))
        if (linia.rfind(p_Klucz, 0) == 0)
            return std::strtod(linia.c_str() + std::string(p_Klucz).size() + 1, nullptr) / 1024.0;
    return 0;
}

template <typename Praca> void Faza(const char *p_Nazwa, Praca p_Praca)
{
    const auto start = std::chrono::steady_clock::now();
    p_Praca();
    const double sekundy = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-34s %8.3f s   RSS %7.1f MB   peak %7.1f MB\n", p_Nazwa, sekundy, PamiecMB("VmRSS:"),
                PamiecMB("VmHWM:"));
}

QString Imie(int p_Nr)
{
    return QStringLiteral("Osoba %1").arg(p_Nr);
}

} // namespace

int main(int argc, char **argv)
{
    const int ile = argc > 1 ? std::atoi(argv[1]) : 1000000;
    if (ile <= 0) {
        std::fprintf(stderr, "usage: %s [OBJECTS]\n", argv[0]);
        return 2;
    }
    std::printf("bench_obiekty %d   (start: RSS %.1f MB)\n", ile, PamiecMB("VmRSS:"));

    {
        std::vector<Osoba> proste;
        Faza("struct: create and fill", [&] {
            proste.reserve(static_cast<size_t>(ile));
            for (int i = 0; i < ile; ++i)
                proste.push_back({Imie(i), static_cast<uint8_t>(i % 100), i % 2 == 0});
        });
        std::vector<Osoba> kopie;
        Faza("struct: copy", [&] { kopie = proste; });
    }

    std::vector<std::unique_ptr<TOsoba>> osoby;
    Faza("TObiekt: create and fill", [&] {
        osoby.reserve(static_cast<size_t>(ile));
        for (int i = 0; i < ile; ++i) {
            auto osoba = std::make_unique<TOsoba>();
            static_cast<TPoleString &>(osoba->Pola(0)).Wartosc = Imie(i);
            static_cast<TPoleByte &>(osoba->Pola(1)).Wartosc = static_cast<uint8_t>(i % 100);
            static_cast<TPoleBoolean &>(osoba->Pola(2)).Wartosc = i % 2 == 0;
            for (int16_t nr = 0; nr <= 2; ++nr)
                osoba->UstawMaWartosc(nr, true);
            osoby.push_back(std::move(osoba));
        }
    });
    Faza("TObiekt: fill again by text", [&] {
        for (int i = 0; i < ile; ++i) {
            TOsoba &osoba = *osoby[static_cast<size_t>(i)];
            osoba.UstawTekstowo(1, QStringLiteral("42"));
            osoba.UstawTekstowo(2, QStringLiteral("Tak"));
        }
    });
    std::vector<std::unique_ptr<TObiekt>> kopie;
    Faza("TObiekt: deep copy (KlonujObiekt)", [&] {
        kopie.reserve(osoby.size());
        for (const auto &osoba : osoby)
            kopie.emplace_back(osoba->KlonujObiekt());
    });
    int rozne = 0;
    Faza("TObiekt: compare copies", [&] {
        for (size_t i = 0; i < osoby.size(); ++i)
            rozne += osoby[i]->Porownaj(*kopie[i]) != 0;
    });
    Faza("TObiekt: destroy all", [&] {
        kopie.clear();
        osoby.clear();
    });
    return rozne == 0 ? 0 : 1;
}
