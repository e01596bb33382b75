// Recognition of a message by its root (a bare TObiekt loading the file) on a
// small and a large file: the time must not grow with the file.
//
//   bench_rozpoznanie SMALL.xml LARGE.xml [REPEATS]

#include "Obiekt.h"
#include "WyjatkiModelu.h"

#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// Mean microseconds of one recognition; the root's name goes to p_Typ.
double Rozpoznawanie(const QString &p_Plik, int p_Powtorzen, QString &p_Typ)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < p_Powtorzen; ++i) {
        TObiekt obiekt;
        try {
            obiekt.WczytajZPlikuXML(p_Plik, tzxECS);
        } catch (const ELkObcyTypError &e) {
            p_Typ = e.OdczytanyTyp(false);
        }
    }
    const auto czas = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::micro>(czas).count() / p_Powtorzen;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SMALL.xml LARGE.xml [REPEATS]\n", argv[0]);
        return 2;
    }
    const int powtorzen = argc > 3 ? std::atoi(argv[3]) : 2000;
    for (int i = 1; i <= 2; ++i) {
        const QString plik = QString::fromLocal8Bit(argv[i]);
        QString typ;
        Rozpoznawanie(plik, 10, typ); // warm the page cache
        const double us = Rozpoznawanie(plik, powtorzen, typ);
        std::printf("%-40s %12lld bytes  root %-12s %8.1f us per recognition (mean of %d)\n", argv[i],
                    static_cast<long long>(QFileInfo(plik).size()), qPrintable(typ), us, powtorzen);
    }
    return 0;
}
