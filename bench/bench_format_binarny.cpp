// The binary and native text formats and the file container over the format
// benchmarks' tree (bench/DrzewoBenchmarku.h: groups of small items in lists,
// three value fields each, every 64th pointing at a shared item), beside a
// reference: the same data as plain structs written to and read from a
// hand-written layout of the same content, the ceiling of any serializer.
// The driver (bench/PomiarFaz.h) alternates which side of a pair runs first,
// quotes medians and the peak memory of each read against the heap the built
// objects take. A PHASE name runs that phase alone ROUNDS times (for perf).
//
//   bench_format_binarny [ITEMS] [ROUNDS] [PHASE]     (ITEMS 1048576 by default)

#include "DrzewoBenchmarku.h"
#include "PomiarFaz.h"

#include "KontenerPliku.h"
#include "LkTypyBazowe.h"
#include "OdczytywaczBinarny.h"
#include "Strumienie.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace drzewo;

namespace {

template <typename T>
void dopisz(std::string &p_Cel, T p_Wartosc)
{
    p_Cel.append(reinterpret_cast<const char *>(&p_Wartosc), sizeof p_Wartosc);
}

template <typename T>
T czytaj(const char *&p)
{
    T wartosc;
    std::memcpy(&wartosc, p, sizeof wartosc);
    p += sizeof wartosc;
    return wartosc;
}

// Length-prefixed names, fixed-width numbers; the reference is the target's
// running number (-1: none), as the format numbers its objects.
void zapiszStruktury(const Drzewo &p_Drzewo, std::string &p_Cel)
{
    dopisz(p_Cel, static_cast<uint32_t>(p_Drzewo.size()));
    for (const Grupa &grupa : p_Drzewo) {
        dopisz(p_Cel, static_cast<uint16_t>(grupa.Nazwa.size()));
        p_Cel += grupa.Nazwa;
        dopisz(p_Cel, static_cast<uint32_t>(grupa.Pozycje.size()));
        for (const Pozycja &pozycja : grupa.Pozycje) {
            dopisz(p_Cel, static_cast<uint8_t>(pozycja.Nazwa.size()));
            p_Cel += pozycja.Nazwa;
            dopisz(p_Cel, pozycja.Liczba);
            dopisz(p_Cel, static_cast<uint8_t>(pozycja.Aktywny));
            dopisz(p_Cel, pozycja.Wsk);
        }
    }
}

Drzewo czytajStruktury(const std::string &p_Zrodlo)
{
    const char *p = p_Zrodlo.data();
    Drzewo drzewo(czytaj<uint32_t>(p));
    for (Grupa &grupa : drzewo) {
        const uint16_t dlugosc = czytaj<uint16_t>(p);
        grupa.Nazwa.assign(p, dlugosc);
        p += dlugosc;
        grupa.Pozycje.resize(czytaj<uint32_t>(p));
        for (Pozycja &pozycja : grupa.Pozycje) {
            const uint8_t n = czytaj<uint8_t>(p);
            pozycja.Nazwa.assign(p, n);
            p += n;
            pozycja.Liczba = czytaj<int32_t>(p);
            pozycja.Aktywny = czytaj<uint8_t>(p) != 0;
            pozycja.Wsk = czytaj<int32_t>(p);
        }
    }
    return drzewo;
}

// Reads go over the bytes in place (TMemoryStream would copy them first).
void czytajBinarnie(const QByteArray &p_Bajty, TDrzewo &p_Cel)
{
    TLkReadOnlyRawByteStream s(p_Bajty);
    TOdczytywaczBinarny(s).WczytajObiekt(p_Cel);
}

QByteArray zapiszKontener(TDrzewo &p_Drzewo, int16_t p_Typ)
{
    TMemoryStream plik;
    p_Drzewo.ZapiszWPliku({}, {}, p_Typ, {}, "haslo", &plik);
    return plik.Bajty();
}

void czytajKontener(const QByteArray &p_Plik, int16_t p_Typ, TDrzewo &p_Cel)
{
    TLkReadOnlyRawByteStream plik(p_Plik);
    p_Cel.WczytajZPliku({}, {}, p_Typ, "haslo", &plik);
}

// Each read's tree, written again, must give the bytes first written: the
// figures are then of complete, correct work.
bool sprawdzOdczyty(TDrzewo &p_Drzewo, const QByteArray &p_Binarny, const QByteArray &p_Tekst,
                    const QByteArray &p_Zlib, const QByteArray &p_Szyfr)
{
    bool zgodne = true;
    auto sprawdz = [&](const char *p_Nazwa, const std::function<void(TDrzewo &)> &p_Czytaj) {
        TDrzewo wczytane;
        p_Czytaj(wczytane);
        if (ObrazBinarny(wczytane) != p_Binarny) {
            std::fprintf(stderr, "%s: the tree read back differs from the one written\n", p_Nazwa);
            zgodne = false;
        }
    };
    sprawdz("binary", [&](TDrzewo &d) { czytajBinarnie(p_Binarny, d); });
    sprawdz("native text", [&](TDrzewo &d) { d.WczytajZTekstu(p_Tekst); });
    sprawdz("zlib", [&](TDrzewo &d) { czytajKontener(p_Zlib, tzpBinarny | tzpSkompresowany, d); });
    sprawdz("Blowfish", [&](TDrzewo &d) { czytajKontener(p_Szyfr, tzpBinarny | tzpSzyfrowany, d); });
    if (ObrazBinarny(p_Drzewo) != p_Binarny)
        zgodne = false;
    return zgodne;
}

} // namespace

int main(int argc, char **argv)
{
    pomiar::TArgumenty arg{1 << 20};
    if (!pomiar::CzytajArgumenty(argc, argv, arg))
        return 2;
    TDrzewa drzewa("bench_format_binarny", arg.Ile, arg.Rundy);
    TDrzewo &drzewo = drzewa.Obiekty;
    const Drzewo &struktury = drzewa.Struktury;
    const double obiektyMB = drzewa.ObiektyMB;

    // Inputs of the reading phases, made once (for one phase alone, only its own).
    const std::string faza = arg.SamaFaza ? arg.SamaFaza : "";
    auto potrzebne = [&](const char *p_Rodzaj) { return faza.empty() || faza.find(p_Rodzaj) != std::string::npos; };
    QByteArray binarny, tekst, zlib, szyfr;
    std::string plain;
    if (potrzebne("binary") || potrzebne("zlib") || potrzebne("Blowfish"))
        binarny = ObrazBinarny(drzewo);
    if (potrzebne("text"))
        tekst = drzewo.ZapiszWTekscie();
    if (potrzebne("reference"))
        zapiszStruktury(struktury, plain);
    if (potrzebne("zlib"))
        zlib = zapiszKontener(drzewo, tzpBinarny | tzpSkompresowany);
    if (potrzebne("Blowfish"))
        szyfr = zapiszKontener(drzewo, tzpBinarny | tzpSzyfrowany);
    if (faza.empty()) {
        std::printf("sizes: binary %.1f MB, reference %.1f MB, native text %.1f MB, zlib %.1f MB (%.0f %% of binary), "
                    "Blowfish %.1f MB (%.0f %%)\n",
                    binarny.size() / 1e6, plain.size() / 1e6, tekst.size() / 1e6, zlib.size() / 1e6,
                    100.0 * zlib.size() / binarny.size(), szyfr.size() / 1e6, 100.0 * szyfr.size() / binarny.size());
        if (!sprawdzOdczyty(drzewo, binarny, tekst, zlib, szyfr))
            return 1;
        std::printf("every read gives back the tree written (its binary image written again is byte-equal)\n");
    }

    // Pairs, the reference first: the plain structs beside the binary and the
    // native text formats, the plain binary format beside each container. The
    // containers are measured in MB of the binary image they carry.
    const double mbBin = binarny.size() / 1e6, mbRef = plain.size() / 1e6;
    const std::vector<pomiar::TFaza> fazy = {
        {"reference write", mbRef, [&] { std::string cel; zapiszStruktury(struktury, cel); }},
        {"binary write", mbBin, [&] { ObrazBinarny(drzewo); }},
        {"reference read", mbRef, [&] { czytajStruktury(plain); }},
        {"binary read", mbBin, [&] { TDrzewo d; czytajBinarnie(binarny, d); }},
        // What building and freeing the objects costs with no format at all:
        // the floor under every reader, beside copying the plain structs.
        {"structs copied", mbRef, [&] { Drzewo kopia = struktury; }},
        {"objects from structs", mbBin, [&] { TDrzewo d; ObiektyZeStruktur(struktury, d); }},
        {"reference write 2", mbRef, [&] { std::string cel; zapiszStruktury(struktury, cel); }},
        {"native text write", tekst.size() / 1e6, [&] { drzewo.ZapiszWTekscie(); }},
        {"reference read 2", mbRef, [&] { czytajStruktury(plain); }},
        {"native text read", tekst.size() / 1e6, [&] { TDrzewo d; d.WczytajZTekstu(tekst); }},
        {"binary write 2", mbBin, [&] { ObrazBinarny(drzewo); }},
        {"zlib write", mbBin, [&] { zapiszKontener(drzewo, tzpBinarny | tzpSkompresowany); }},
        {"binary read 2", mbBin, [&] { TDrzewo d; czytajBinarnie(binarny, d); }},
        {"zlib read", mbBin, [&] { TDrzewo d; czytajKontener(zlib, tzpBinarny | tzpSkompresowany, d); }},
        {"binary write 3", mbBin, [&] { ObrazBinarny(drzewo); }},
        {"Blowfish write", mbBin, [&] { zapiszKontener(drzewo, tzpBinarny | tzpSzyfrowany); }},
        {"binary read 3", mbBin, [&] { TDrzewo d; czytajBinarnie(binarny, d); }},
        {"Blowfish read", mbBin, [&] { TDrzewo d; czytajKontener(szyfr, tzpBinarny | tzpSzyfrowany, d); }},
    };
    return pomiar::UruchomFazy(fazy, arg.Rundy, arg.SamaFaza,
                               {"reference read", "binary read", "native text read", "zlib read", "Blowfish read"},
                               obiektyMB);
}
