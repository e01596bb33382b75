// The JSON format over the format benchmarks' tree (bench/DrzewoBenchmarku.h)
// beside nlohmann::json: the same tree built as json values from the plain
// structs, dumped and parsed. The driver (bench/PomiarFaz.h) alternates which
// side of a pair runs first and quotes medians in MB/s of each side's own
// document. Our read runs twice: without and with the string cache (which
// the file entry point takes above 30 MiB); the peak memory
// of each read stands against the heap the built objects take. A PHASE name
// runs that phase alone ROUNDS times (for perf). A second document, the same
// tree with item names from a set of 64, is read without and with the cache
// side by side: what the cache saves where strings repeat.
//
//   bench_format_json [ITEMS] [ROUNDS] [PHASE]     (ITEMS 1048576 by default)

#include "DrzewoBenchmarku.h"
#include "PomiarFaz.h"

#include "LkTypyBazowe.h"
#include "OdczytywaczJSON.h"
#include "StringCache.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace drzewo;

namespace {

// Item names of the tree with repeated strings: "Pozycja 0" to "Pozycja 63".
constexpr int NazwPowtarzanych = 64;

// The members our writer gives the tree: the type of the root, an "ID" on
// each item pointed at, the reference as that ID.
nlohmann::json jakoJson(const Drzewo &p_Drzewo)
{
    std::vector<int> idCelu;
    for (const Grupa &grupa : p_Drzewo)
        for (const Pozycja &pozycja : grupa.Pozycje)
            if (pozycja.Wsk >= 0) {
                if (static_cast<int>(idCelu.size()) <= pozycja.Wsk)
                    idCelu.resize(static_cast<size_t>(pozycja.Wsk) + 1, 0);
                idCelu[static_cast<size_t>(pozycja.Wsk)] = 1;
            }
    int id = 0;
    for (int &cel : idCelu)
        cel = cel ? ++id : 0;
    nlohmann::json grupy = nlohmann::json::array();
    int nr = 0;
    for (const Grupa &grupa : p_Drzewo) {
        nlohmann::json pozycje = nlohmann::json::array();
        for (const Pozycja &pozycja : grupa.Pozycje) {
            nlohmann::json p = {{"Nazwa", pozycja.Nazwa}, {"Liczba", pozycja.Liczba}, {"Aktywny", pozycja.Aktywny}};
            if (nr < static_cast<int>(idCelu.size()) && idCelu[static_cast<size_t>(nr)])
                p["ID"] = idCelu[static_cast<size_t>(nr)];
            if (pozycja.Wsk >= 0)
                p["Wsk"] = idCelu[static_cast<size_t>(pozycja.Wsk)];
            pozycje.push_back(std::move(p));
            ++nr;
        }
        grupy.push_back({{"Nazwa", grupa.Nazwa}, {"Pozycje", std::move(pozycje)}});
    }
    return {{"_type_", "TDrzewo"}, {"Grupy", std::move(grupy)}};
}

// Over the bytes in place, with or without a string cache (the file entry
// point takes one above 30 MiB).
void czytaj(const QByteArray &p_Json, TDrzewo &p_Cel, TStringCache *p_Cache)
{
    TLkReadOnlyRawByteStream strumien(p_Json);
    TOdczytywaczJSON(&strumien, p_Cache).WczytajDokument(p_Cel);
}

} // namespace

int main(int argc, char **argv)
{
    pomiar::TArgumenty arg{1 << 20};
    if (!pomiar::CzytajArgumenty(argc, argv, arg))
        return 2;
    TDrzewa drzewa("bench_format_json", arg.Ile, arg.Rundy);
    TDrzewo &drzewo = drzewa.Obiekty;
    const Drzewo &struktury = drzewa.Struktury;
    const double obiektyMB = drzewa.ObiektyMB;
    const nlohmann::json wartosci = jakoJson(struktury);

    const QByteArray nasz = drzewo.ZapiszWStringuJSON();
    const std::string nlohmanna = wartosci.dump();
    if (!arg.SamaFaza) {
        std::printf("documents: ours %.1f MB, nlohmann's %.1f MB (the string cache takes over above %.1f MB)\n",
                    nasz.size() / 1e6, nlohmanna.size() / 1e6, 31457280 / 1e6);
        const QByteArray obraz = ObrazBinarny(drzewo);
        TDrzewo zNapisu, zCache;
        TStringCache cache;
        zNapisu.WczytajZeStringuJSON(nasz);
        czytaj(nasz, zCache, &cache);
        if (ObrazBinarny(zNapisu) != obraz || ObrazBinarny(zCache) != obraz
            || nlohmann::json::parse(nlohmanna) != wartosci) {
            std::fprintf(stderr, "a tree read back differs from the one written\n");
            return 1;
        }
        std::printf("both reads give back the tree written (its binary image written again is byte-equal)\n");
    }

    // The same tree with its items' names drawn from a small set: the file
    // the string cache is for (equal strings read into one shared block).
    TDrzewo zPowtorzeniami;
    ZbudujObiekty(zPowtorzeniami, arg.Ile);
    for (int g = 0; g < zPowtorzeniami.ListaGrup().IleObiektow(); ++g) {
        TListaPozycji &lista = static_cast<TGrupa *>(zPowtorzeniami.ListaGrup().ObiektyListy(g))->ListaPozycji();
        for (int i = 0; i < lista.IleObiektow(); ++i)
            static_cast<TPozycja *>(lista.ObiektyListy(i))
                ->UstawPole<TPoleString>(TPozycja::Nazwa, QString::fromStdString(NazwaPozycji(i % NazwPowtarzanych)));
    }
    const QByteArray powtarzane = zPowtorzeniami.ZapiszWStringuJSON();
    if (!arg.SamaFaza) {
        TDrzewo bez, zCache;
        TStringCache cache;
        czytaj(powtarzane, bez, nullptr);
        czytaj(powtarzane, zCache, &cache);
        if (ObrazBinarny(bez) != ObrazBinarny(zPowtorzeniami) || ObrazBinarny(zCache) != ObrazBinarny(zPowtorzeniami)) {
            std::fprintf(stderr, "the tree with repeated names read back differs from the one written\n");
            return 1;
        }
        std::printf("with %d repeated item names: %.1f MB, read back equal with and without the cache\n",
                    NazwPowtarzanych, powtarzane.size() / 1e6);
    }

    const double mbNasz = nasz.size() / 1e6, mbRef = nlohmanna.size() / 1e6, mbPowt = powtarzane.size() / 1e6;
    const std::vector<pomiar::TFaza> fazy = {
        {"nlohmann dump", mbRef, [&] { wartosci.dump(); }},
        {"json write", mbNasz, [&] { drzewo.ZapiszWStringuJSON(); }},
        {"nlohmann parse", mbRef, [&] { const nlohmann::json wynik = nlohmann::json::parse(nlohmanna); }},
        {"json read", mbNasz, [&] { TDrzewo d; czytaj(nasz, d, nullptr); }},
        {"nlohmann parse 2", mbRef, [&] { const nlohmann::json wynik = nlohmann::json::parse(nlohmanna); }},
        {"json read, cache", mbNasz, [&] {
             TDrzewo d;
             TStringCache cache;
             czytaj(nasz, d, &cache);
         }},
        {"names, no cache", mbPowt, [&] { TDrzewo d; czytaj(powtarzane, d, nullptr); }},
        {"names, cache", mbPowt, [&] {
             TDrzewo d;
             TStringCache cache;
             czytaj(powtarzane, d, &cache);
         }},
    };
    return pomiar::UruchomFazy(fazy, arg.Rundy, arg.SamaFaza,
                               {"nlohmann parse", "json read", "json read, cache", "names, no cache", "names, cache"},
                               obiektyMB);
}
