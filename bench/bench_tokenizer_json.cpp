// Throughput of the JSON tokenizer against simdjson's DOM parser on the same
// bytes in memory, interleaved in one run.
//
//   bench_tokenizer_json FILE.json [ROUNDS] [ours|porcje]
//
// A missing FILE is first generated (about 100 MB: records with names, numbers,
// escaped and Polish texts, nested arrays, two-space indentation). Each round
// runs each side once, in turn; the medians count. Our tokenizer runs two ways:
// token by token (NextToken) and in batches (NastepneTokeny), where the caller
// reads every token's kind, text length and stream position. With "ours" or
// "porcje" only that way runs, for a profiler.

#include "LkJSONParser.h"
#include "LkTypyBazowe.h"

#include <simdjson.h>

#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <time.h>

namespace {

using Zegar = std::chrono::steady_clock;

// The thread's processor time: on a loaded machine the wall clock also counts
// the time others hold the processor, unevenly between the sides.
double CzasProcesora()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

QByteArray Wygeneruj(qint64 p_Bajtow)
{
    QByteArray json;
    json.reserve(p_Bajtow + 4096);
    json += "[\n";
    for (int i = 0; json.size() < p_Bajtow; ++i) {
        if (i > 0)
            json += ",\n";
        json += "  {\n    \"id\": " + QByteArray::number(i)
              + ",\n    \"nazwa\": \"Towar numer " + QByteArray::number(i) + " \\\"ekstra\\\" za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87\","
              + "\n    \"cena\": " + QByteArray::number(i * 0.37 + 1.25, 'g', 12)
              + ",\n    \"aktywny\": " + (i % 3 ? "true" : "false")
              + ",\n    \"opis\": \"Pozycja opisana dłuższym tekstem, który zajmuje kilkadziesiąt bajtów, z\\tznakami\\n.\","
              + "\n    \"kody\": [" + QByteArray::number(i % 97) + ", " + QByteArray::number(i % 89) + ", -"
              + QByteArray::number(i % 83) + "],\n    \"rodzic\": null\n  }";
    }
    json += "\n]\n";
    return json;
}

long long TokenyNaszegoParsera(const QByteArray &p_Json)
{
    TLkReadOnlyRawByteStream strumien(p_Json);
    TLkJSONParser parser(&strumien);
    long long tokenow = 0;
    while (parser.Token() != TLkParser::toEOF) {
        ++tokenow;
        parser.NextToken();
    }
    return tokenow;
}

// The batch road, its tokens read as a caller would: kind, text and position of each.
long long TokenyPorcjami(const QByteArray &p_Json, uint64_t &p_Suma)
{
    TLkReadOnlyRawByteStream strumien(p_Json);
    TLkJSONParser parser(&strumien);
    long long tokenow = 0;
    uint64_t suma = 0;
    if (parser.Token() != TLkParser::toEOF) {
        tokenow = 1;
        suma = parser.Token() + static_cast<uint64_t>(parser.TokenView().size()) + static_cast<uint64_t>(parser.SourcePos());
    }
    while (parser.Token() != TLkParser::toEOF) {
        const TPorcjaTokenowJSON &porcja = parser.NastepneTokeny();
        for (size_t i = 0; i < porcja.Ile(); ++i)
            suma += porcja[i].Rodzaj + static_cast<uint64_t>(porcja.Tekst(i).size()) + static_cast<uint64_t>(porcja.Pozycja(i));
        tokenow += static_cast<long long>(porcja.Ile()) - (parser.Token() == TLkParser::toEOF);
    }
    p_Suma = suma;
    return tokenow;
}

// What the tokenizer's buffer alone costs: the stream read in its chunks, nothing scanned.
long long SamoCzytanie(const QByteArray &p_Json)
{
    TLkReadOnlyRawByteStream strumien(p_Json);
    std::vector<char> bufor(TLkParser::PoczatkowyRozmiarBufora);
    long long bajtow = 0;
    for (int64_t ile; (ile = strumien.Read(bufor.data(), static_cast<int64_t>(bufor.size()) - 1)) > 0;)
        bajtow += ile + bufor[0];
    return bajtow;
}

double Mediana(std::vector<double> p_Czasy)
{
    std::sort(p_Czasy.begin(), p_Czasy.end());
    return p_Czasy[p_Czasy.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.json [ROUNDS]\n", argv[0]);
        return 2;
    }
    const QString sciezka = QString::fromLocal8Bit(argv[1]);
    const int rund = argc > 2 ? std::atoi(argv[2]) : 7;
    QFile plik(sciezka);
    if (!plik.exists()) {
        if (!plik.open(QIODevice::WriteOnly) || plik.write(Wygeneruj(100LL * 1024 * 1024)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
        plik.close();
    }
    if (!plik.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray json = plik.readAll();
    const simdjson::padded_string wyrownany(json.constData(), static_cast<size_t>(json.size()));
    const double mb = static_cast<double>(json.size()) / (1024.0 * 1024.0);

    if (argc > 3 && std::strcmp(argv[3], "ours") == 0) {
        long long tokenow = 0;
        for (int i = 0; i < rund; ++i)
            tokenow += TokenyNaszegoParsera(json);
        std::printf("%lld tokens\n", tokenow);
        return 0;
    }
    if (argc > 3 && std::strcmp(argv[3], "porcje") == 0) {
        long long tokenow = 0;
        uint64_t suma = 0;
        for (int i = 0; i < rund; ++i)
            tokenow += TokenyPorcjami(json, suma);
        std::printf("%lld tokens (sum %llu)\n", tokenow, static_cast<unsigned long long>(suma));
        return 0;
    }
    simdjson::dom::parser simd;
    std::vector<double> nasze, porcjami, simdowe, czytanie, naszeCPU, porcjamiCPU, simdoweCPU;
    long long tokenow = 0;
    for (int i = 0; i < rund; ++i) {
        auto start = Zegar::now();
        double startCPU = CzasProcesora();
        tokenow = TokenyNaszegoParsera(json);
        naszeCPU.push_back(CzasProcesora() - startCPU);
        nasze.push_back(std::chrono::duration<double>(Zegar::now() - start).count());

        start = Zegar::now();
        startCPU = CzasProcesora();
        uint64_t suma = 0;
        if (TokenyPorcjami(json, suma) != tokenow) {
            std::fprintf(stderr, "the batch road counted other tokens on %s\n", argv[1]);
            return 1;
        }
        porcjamiCPU.push_back(CzasProcesora() - startCPU);
        porcjami.push_back(std::chrono::duration<double>(Zegar::now() - start).count());

        start = Zegar::now();
        startCPU = CzasProcesora();
        simdjson::dom::element korzen;
        if (simd.parse(wyrownany).get(korzen)) {
            std::fprintf(stderr, "simdjson failed on %s\n", argv[1]);
            return 1;
        }
        simdoweCPU.push_back(CzasProcesora() - startCPU);
        simdowe.push_back(std::chrono::duration<double>(Zegar::now() - start).count());

        start = Zegar::now();
        SamoCzytanie(json);
        czytanie.push_back(std::chrono::duration<double>(Zegar::now() - start).count());
    }
    const double nasz = Mediana(nasze);
    const double porcjowy = Mediana(porcjami);
    const double simdjson = Mediana(simdowe);
    std::printf("file: %s (%.1f MB), median of %d interleaved rounds, all from memory\n", argv[1], mb, rund);
    std::printf("TLkJSONParser         %8.3f s  %8.1f MB/s  %lld tokens\n", nasz, mb / nasz, tokenow);
    std::printf("  in batches          %8.3f s  %8.1f MB/s  (NastepneTokeny)\n", porcjowy, mb / porcjowy);
    std::printf("simdjson dom::parse   %8.3f s  %8.1f MB/s  (%s)\n", simdjson, mb / simdjson,
                simdjson::get_active_implementation()->name().c_str());
    std::printf("of it the stream read %8.3f s  (the tokenizer's buffer alone)\n", Mediana(czytanie));
    std::printf("ratio (TLkJSONParser MB/s / simdjson MB/s): %.2f, in batches %.2f\n", simdjson / nasz,
                simdjson / porcjowy);
    const double naszCPU = Mediana(naszeCPU), porcjowyCPU = Mediana(porcjamiCPU), simdjsonCPU = Mediana(simdoweCPU);
    std::printf("processor time: TLkJSONParser %.3f s (%.1f MB/s), in batches %.3f s (%.1f MB/s), simdjson %.3f s "
                "(%.1f MB/s), ratios %.2f and %.2f\n",
                naszCPU, mb / naszCPU, porcjowyCPU, mb / porcjowyCPU, simdjsonCPU, mb / simdjsonCPU,
                simdjsonCPU / naszCPU, simdjsonCPU / porcjowyCPU);
    return 0;
}
