// The binary and native text formats and the file container over a tree of
// about a million small objects (three value fields each, some shared
// references), beside a reference: the same data as plain structs written to
// and read from the same bytes by a hand-written loop, the ceiling of any
// serializer of this layout. Each round runs every phase once, the side
// that starts alternating; medians close the output. Peak memory of each read
// is the rise of the resident set while it runs (the input held already),
// against the heap the built objects take. A PHASE name runs that phase alone
// ROUNDS times (for perf).
//
//   bench_format_binarny [DEPTH] [ROUNDS] [PHASE]     (DEPTH 20: 2^20 - 1 objects)

#include "KontenerPliku.h"
#include "Obiekt.h"
#include "OdczytywaczBinarny.h"
#include "OdczytywaczNatywny.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"
#include "PomiarFaz.h"
#include "StrumienBinarny.h"
#include "Strumienie.h"
#include "ZapisywaczBinarny.h"
#include "ZapisywaczNatywny.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

class TWezel : public TKlasa<TWezel, TObiekt>
{
public:
    enum : int16_t { Nazwa, Liczba, Aktywny, Lewy, Prawy, Wsk };
    static constexpr TOpisPola PolaKlasy[] = {
        {Nazwa, "Nazwa", &TPoleString::Opis}, {Liczba, "Liczba", &TPoleInteger::Opis},
        {Aktywny, "Aktywny", &TPoleBoolean::Opis}, {Lewy, "Lewy", &TWezel::Opis},
        {Prawy, "Prawy", &TWezel::Opis}, {Wsk, "Wsk", &TPoleWskObiektu::Opis}};
    using TKlasa::TKlasa;
};

// The reference: the same node as a struct, the same bytes out and in.
struct Wezel
{
    QString Nazwa;
    int32_t Liczba = 0;
    bool Aktywny = false;
    std::unique_ptr<Wezel> Lewy, Prawy;
    int32_t Wsk = 0; // the target's number, as the format keeps it
};

QString nazwa(int p_Nr)
{
    return QStringLiteral("Pozycja %1").arg(p_Nr);
}

// Every 64th node points at the node numbered 2 (the root's left child).
void zbuduj(TWezel &p_Wezel, int p_Glebokosc, int &p_Nr, TWezel *p_Cel)
{
    const int nr = p_Nr++;
    p_Wezel.UstawPole<TPoleString>(TWezel::Nazwa, nazwa(nr));
    p_Wezel.UstawPole<TPoleInteger>(TWezel::Liczba, nr);
    p_Wezel.UstawPole<TPoleBoolean>(TWezel::Aktywny, (nr & 1) != 0);
    if (p_Cel && nr % 64 == 0) {
        p_Wezel.Pole<TPoleWskObiektu>(TWezel::Wsk).UstawWartosc(p_Cel);
        p_Wezel.UstawMaWartosc(TWezel::Wsk, true);
    }
    if (p_Glebokosc <= 1)
        return;
    auto &lewy = p_Wezel.Pole<TWezel>(TWezel::Lewy);
    zbuduj(lewy, p_Glebokosc - 1, p_Nr, p_Cel ? p_Cel : &lewy);
    zbuduj(p_Wezel.Pole<TWezel>(TWezel::Prawy), p_Glebokosc - 1, p_Nr, p_Cel ? p_Cel : &lewy);
}

std::unique_ptr<Wezel> zbudujStruct(int p_Glebokosc, int &p_Nr)
{
    auto wezel = std::make_unique<Wezel>();
    const int nr = p_Nr++;
    wezel->Nazwa = nazwa(nr);
    wezel->Liczba = nr;
    wezel->Aktywny = (nr & 1) != 0;
    wezel->Wsk = nr % 64 == 0 && nr > 0 ? 2 : 0;
    if (p_Glebokosc > 1) {
        wezel->Lewy = zbudujStruct(p_Glebokosc - 1, p_Nr);
        wezel->Prawy = zbudujStruct(p_Glebokosc - 1, p_Nr);
    }
    return wezel;
}

void zapiszStruct(const Wezel &p_Wezel, QByteArray &p_Cel)
{
    uint8_t bity = 0x07;
    if (p_Wezel.Lewy)
        bity |= 0x08;
    if (p_Wezel.Prawy)
        bity |= 0x10;
    if (p_Wezel.Wsk)
        bity |= 0x20;
    p_Cel.append(char(1)).append(char(bity));
    const QByteArray utf8 = p_Wezel.Nazwa.toUtf8();
    p_Cel.append(char(utf8.size())).append(utf8);
    p_Cel.append(reinterpret_cast<const char *>(&p_Wezel.Liczba), 4).append(char(p_Wezel.Aktywny));
    if (p_Wezel.Lewy)
        zapiszStruct(*p_Wezel.Lewy, p_Cel);
    if (p_Wezel.Prawy)
        zapiszStruct(*p_Wezel.Prawy, p_Cel);
    if (p_Wezel.Wsk)
        p_Cel.append(reinterpret_cast<const char *>(&p_Wezel.Wsk), 2);
}

std::unique_ptr<Wezel> czytajStruct(const char *&p)
{
    auto wezel = std::make_unique<Wezel>();
    const uint8_t bity = static_cast<uint8_t>(p[1]);
    p += 2;
    const int dlugosc = static_cast<uint8_t>(*p++);
    wezel->Nazwa = QString::fromUtf8(p, dlugosc);
    p += dlugosc;
    std::memcpy(&wezel->Liczba, p, 4);
    wezel->Aktywny = p[4] != 0;
    p += 5;
    if (bity & 0x08)
        wezel->Lewy = czytajStruct(p);
    if (bity & 0x10)
        wezel->Prawy = czytajStruct(p);
    if (bity & 0x20) {
        uint16_t wsk;
        std::memcpy(&wsk, p, 2);
        wezel->Wsk = wsk;
        p += 2;
    }
    return wezel;
}

QByteArray zapiszKontener(TWezel &p_Korzen, int16_t p_Typ)
{
    TMemoryStream plik;
    p_Korzen.ZapiszWPliku({}, {}, p_Typ, {}, "haslo", &plik);
    return plik.Bajty();
}

void wczytajKontener(const QByteArray &p_Plik, int16_t p_Typ)
{
    TMemoryStream plik(p_Plik);
    TWezel wczytany;
    wczytany.WczytajZPliku({}, {}, p_Typ, "haslo", &plik);
}

} // namespace

int main(int argc, char **argv)
{
    const int glebokosc = argc > 1 ? std::atoi(argv[1]) : 20;
    const int rundy = argc > 2 ? std::atoi(argv[2]) : 5;
    if (glebokosc < 2 || glebokosc > 24 || rundy < 1) {
        std::fprintf(stderr, "usage: %s [DEPTH 2..24] [ROUNDS]\n", argv[0]);
        return 2;
    }
    const double przed = pomiar::ZajetaPamiecMB();
    TWezel korzen;
    int nr = 1;
    zbuduj(korzen, glebokosc, nr, nullptr);
    const double obiektyMB = pomiar::ZajetaPamiecMB() - przed;
    int nrStruct = 1;
    const std::unique_ptr<Wezel> drzewo = zbudujStruct(glebokosc, nrStruct);
    std::printf("bench_format_binarny: %d objects, depth %d, %d rounds; objects built take %.1f MB of heap\n", nr - 1,
                glebokosc, rundy, obiektyMB);

    // Inputs of the reading phases, made once (for one phase alone, only its own).
    const std::string samaFaza = argc > 3 ? argv[3] : "";
    auto potrzebne = [&](const char *p_Rodzaj) { return samaFaza.empty() || samaFaza.find(p_Rodzaj) != std::string::npos; };
    QByteArray binarny, tekst, plain, zlib, szyfr;
    if (potrzebne("binary")) {
        TMemoryStream s;
        TZapisywaczBinarny(s).ZapiszObiekt(korzen);
        binarny = s.Bajty();
    }
    if (potrzebne("text"))
        tekst = korzen.ZapiszWTekscie();
    if (potrzebne("reference"))
        zapiszStruct(*drzewo, plain);
    if (potrzebne("zlib"))
        zlib = zapiszKontener(korzen, tzpBinarny | tzpSkompresowany);
    if (potrzebne("Blowfish"))
        szyfr = zapiszKontener(korzen, tzpBinarny | tzpSzyfrowany);
    if (samaFaza.empty())
        std::printf("sizes: binary %.1f MB, reference %.1f MB, native text %.1f MB, zlib %.1f MB (%.0f %%), "
                    "Blowfish %.1f MB (%.0f %%)\n",
                    binarny.size() / 1e6, plain.size() / 1e6, tekst.size() / 1e6, zlib.size() / 1e6,
                    100.0 * zlib.size() / binarny.size(), szyfr.size() / 1e6, 100.0 * szyfr.size() / binarny.size());

    const std::vector<pomiar::TFaza> fazy = {
        {"reference write", plain.size() / 1e6,
         [&] {
             QByteArray cel;
             zapiszStruct(*drzewo, cel);
         }},
        {"binary write", binarny.size() / 1e6,
         [&] {
             TMemoryStream s;
             TZapisywaczBinarny(s).ZapiszObiekt(korzen);
         }},
        {"reference read", plain.size() / 1e6,
         [&] {
             const char *p = plain.constData();
             czytajStruct(p);
         }},
        {"binary read", binarny.size() / 1e6,
         [&] {
             TMemoryStream s(binarny);
             TWezel wczytany;
             TOdczytywaczBinarny(s).WczytajObiekt(wczytany);
         }},
        {"native text write", tekst.size() / 1e6, [&] { korzen.ZapiszWTekscie(); }},
        {"native text read", tekst.size() / 1e6,
         [&] {
             TWezel wczytany;
             wczytany.WczytajZTekstu(tekst);
         }},
        {"zlib write", binarny.size() / 1e6, [&] { zapiszKontener(korzen, tzpBinarny | tzpSkompresowany); }},
        {"zlib read", binarny.size() / 1e6, [&] { wczytajKontener(zlib, tzpBinarny | tzpSkompresowany); }},
        {"Blowfish write", binarny.size() / 1e6, [&] { zapiszKontener(korzen, tzpBinarny | tzpSzyfrowany); }},
        {"Blowfish read", binarny.size() / 1e6, [&] { wczytajKontener(szyfr, tzpBinarny | tzpSzyfrowany); }},
    };
    return pomiar::UruchomFazy(fazy, rundy, argc > 3 ? argv[3] : nullptr,
                               {"reference read", "binary read", "native text read", "zlib read", "Blowfish read"},
                               obiektyMB);
}
