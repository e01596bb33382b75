// Blowfish over a 64 MB memory stream, in place, as the file container uses
// it: encryption (with padding) and decryption, best of a few runs, in MB/s.
// A CRC-32 pass over the same data is printed beside it for scale.
//
//   bench_blowfish [MEGABYTES] [REPEATS]

#include "BlowFish.h"
#include "ProsteHaszowanie.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

template <typename Praca>
double NajlepszySekundy(int p_Powtorzen, Praca p_Praca)
{
    double najlepszy = 1e30;
    for (int i = 0; i < p_Powtorzen; ++i) {
        const auto start = std::chrono::steady_clock::now();
        p_Praca();
        const auto czas = std::chrono::steady_clock::now() - start;
        najlepszy = std::min(najlepszy, std::chrono::duration<double>(czas).count());
    }
    return najlepszy;
}

} // namespace

int main(int argc, char **argv)
{
    const int megabajty = argc > 1 ? std::atoi(argv[1]) : 64;
    const int powtorzen = argc > 2 ? std::atoi(argv[2]) : 3;
    if (megabajty <= 0 || powtorzen <= 0) {
        std::fprintf(stderr, "usage: %s [MEGABYTES] [REPEATS]\n", argv[0]);
        return 2;
    }

    QByteArray dane(qsizetype(megabajty) * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(29).fillRange(reinterpret_cast<quint32 *>(dane.data()), dane.size() / 4);
    const TSzyfrator szyfrator("haslo testowe");

    TMemoryStream strumien;
    double szyfrowanie = 1e30;
    double odszyfrowanie = 1e30;
    for (int i = 0; i < powtorzen; ++i) {
        strumien.Clear();
        strumien.WriteBuffer(dane.constData(), dane.size());
        szyfrowanie = std::min(szyfrowanie, NajlepszySekundy(1, [&] { szyfrator.SzyfrujStrumien(strumien); }));
        odszyfrowanie = std::min(odszyfrowanie, NajlepszySekundy(1, [&] { szyfrator.OdszyfrujStrumien(strumien); }));
        if (strumien.Size() != dane.size()) {
            std::fprintf(stderr, "round trip changed the size\n");
            return 1;
        }
    }
    uint32_t crc = 0;
    const double sumaKontrolna = NajlepszySekundy(powtorzen, [&] { crc = CRC32(dane); });

    std::printf("Blowfish, %d MB in memory, best of %d runs\n", megabajty, powtorzen);
    std::printf("  encrypt (pad + ECB, in place): %8.1f MB/s\n", megabajty / szyfrowanie);
    std::printf("  decrypt (ECB + unpad, in place): %6.1f MB/s\n", megabajty / odszyfrowanie);
    std::printf("  CRC-32 of the same data:      %8.1f MB/s (crc %08X)\n", megabajty / sumaKontrolna, crc);
    return 0;
}
