// Throughput of the XML tokenizer against libxml2's streaming reader on the
// same file, side by side in one run.
//
//   bench_tokenizery FILE.xml [ROUNDS]
//
// Each side reads the whole file from disk ROUNDS times (default 5); the best
// round counts, so both run on a warm page cache.

#include "LkXMLParser.h"
#include "Strumienie.h"

#include <libxml/xmlreader.h>

#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using Zegar = std::chrono::steady_clock;

double NajlepszyCzas(int p_Rund, const std::function<long long()> &p_Przebieg, long long &p_Wynik)
{
    double najlepszy = 1e300;
    for (int i = 0; i < p_Rund; ++i) {
        const auto start = Zegar::now();
        p_Wynik = p_Przebieg();
        const double sekundy = std::chrono::duration<double>(Zegar::now() - start).count();
        if (sekundy < najlepszy)
            najlepszy = sekundy;
    }
    return najlepszy;
}

long long TokenyNaszegoParsera(const QString &p_Plik)
{
    TFileStream plik(p_Plik, fmOpenRead);
    TLkXMLParser parser(&plik);
    long long tokenow = 0;
    while (parser.Token() != TLkParser::toEOF) {
        ++tokenow;
        parser.NextToken();
    }
    return tokenow;
}

long long WezlyLibXml2(const QByteArray &p_Plik)
{
    xmlTextReaderPtr czytnik = xmlReaderForFile(p_Plik.constData(), nullptr, XML_PARSE_NONET | XML_PARSE_HUGE);
    if (!czytnik) {
        std::fprintf(stderr, "libxml2 cannot open %s\n", p_Plik.constData());
        std::exit(1);
    }
    long long wezlow = 0;
    int wynik;
    while ((wynik = xmlTextReaderRead(czytnik)) == 1)
        ++wezlow;
    xmlFreeTextReader(czytnik);
    if (wynik != 0) {
        std::fprintf(stderr, "libxml2 failed on %s\n", p_Plik.constData());
        std::exit(1);
    }
    return wezlow;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.xml [ROUNDS]\n", argv[0]);
        return 2;
    }
    const QString plik = QString::fromLocal8Bit(argv[1]);
    const int rund = argc > 2 ? std::atoi(argv[2]) : 5;
    const double mb = static_cast<double>(QFileInfo(plik).size()) / (1024.0 * 1024.0);

    long long tokenow = 0;
    long long wezlow = 0;
    const double nasz = NajlepszyCzas(rund, [&] { return TokenyNaszegoParsera(plik); }, tokenow);
    const double libxml = NajlepszyCzas(rund, [&] { return WezlyLibXml2(plik.toLocal8Bit()); }, wezlow);

    std::printf("file: %s (%.1f MB), best of %d rounds\n", argv[1], mb, rund);
    std::printf("TLkXMLParser        %8.3f s  %8.1f MB/s  %lld tokens\n", nasz, mb / nasz, tokenow);
    std::printf("libxml2 xmlReader   %8.3f s  %8.1f MB/s  %lld nodes\n", libxml, mb / libxml, wezlow);
    std::printf("ratio (TLkXMLParser MB/s / libxml2 MB/s): %.2f\n", libxml / nasz);
    return 0;
}
