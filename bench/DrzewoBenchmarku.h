#pragma once

// The format benchmarks' tree: a root holding a list of groups, each group a
// list of small items with three value fields (a name, a number, a flag);
// every 64th item also points at the first item of the first group, so the
// writers meet shared references. The same data as plain structs feeds the
// reference libraries.

#include "LkTypyBazowe.h"
#include "ListaObiektow.h"
#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"
#include "PomiarFaz.h"
#include "Strumienie.h"
#include "ZapisywaczBinarny.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drzewo {

constexpr int NaGrupe = 1024;
constexpr int CoIlePozycjiWskazanie = 64;

class TPozycja : public TKlasa<TPozycja, TObiekt>
{
public:
    enum : int16_t { Nazwa, Liczba, Aktywny, Wsk };
    static constexpr TOpisPola PolaKlasy[] = {
        {Nazwa, "Nazwa", &TPoleString::Opis},
        {Liczba, "Liczba", &TPoleInteger::Opis},
        {Aktywny, "Aktywny", &TPoleBoolean::Opis},
        {Wsk, "Wsk", &TPoleWskObiektu::Opis},
    };
    using TKlasa::TKlasa;
};

class TListaPozycji : public TKlasa<TListaPozycji, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TPozycja::Opis; }
};

class TGrupa : public TKlasa<TGrupa, TObiekt>
{
public:
    enum : int16_t { Nazwa, Pozycje };
    static constexpr TOpisPola PolaKlasy[] = {
        {Nazwa, "Nazwa", &TPoleString::Opis},
        {Pozycje, "Pozycje", &TListaPozycji::Opis},
    };
    using TKlasa::TKlasa;
    TListaPozycji &ListaPozycji() { return Pole<TListaPozycji>(Pozycje); }
};

class TListaGrup : public TKlasa<TListaGrup, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TGrupa::Opis; }
};

class TDrzewo : public TKlasa<TDrzewo, TObiekt>
{
public:
    enum : int16_t { Grupy };
    static constexpr TOpisPola PolaKlasy[] = {{Grupy, "Grupy", &TListaGrup::Opis}};
    using TKlasa::TKlasa;
    TListaGrup &ListaGrup() { return Pole<TListaGrup>(Grupy); }
};

// The same data as plain structs; the reference is the target's running number.
struct Pozycja
{
    std::string Nazwa;
    int32_t Liczba = 0;
    bool Aktywny = false;
    int32_t Wsk = -1;
};

struct Grupa
{
    std::string Nazwa;
    std::vector<Pozycja> Pozycje;
};

using Drzewo = std::vector<Grupa>;

inline std::string NazwaPozycji(int p_Nr)
{
    return "Pozycja " + std::to_string(p_Nr);
}

inline std::string NazwaGrupy(int p_Nr)
{
    return "Grupa " + std::to_string(p_Nr);
}

inline bool Aktywna(int p_Nr)
{
    return (p_Nr & 1) != 0;
}

inline bool Wskazuje(int p_Nr)
{
    return p_Nr > 0 && p_Nr % CoIlePozycjiWskazanie == 0;
}

// p_Pozycji items (rounded up to whole groups).
inline Drzewo ZbudujStruktury(int p_Pozycji)
{
    Drzewo drzewo((p_Pozycji + NaGrupe - 1) / NaGrupe);
    int nr = 0;
    for (size_t g = 0; g < drzewo.size(); ++g) {
        drzewo[g].Nazwa = NazwaGrupy(static_cast<int>(g));
        drzewo[g].Pozycje.resize(NaGrupe);
        for (Pozycja &pozycja : drzewo[g].Pozycje) {
            pozycja.Nazwa = NazwaPozycji(nr);
            pozycja.Liczba = nr;
            pozycja.Aktywny = Aktywna(nr);
            pozycja.Wsk = Wskazuje(nr) ? 0 : -1;
            ++nr;
        }
    }
    return drzewo;
}

inline void ZbudujObiekty(TDrzewo &p_Drzewo, int p_Pozycji)
{
    const int grup = (p_Pozycji + NaGrupe - 1) / NaGrupe;
    TPozycja *pierwsza = nullptr;
    int nr = 0;
    for (int g = 0; g < grup; ++g) {
        auto &grupa = static_cast<TGrupa &>(*p_Drzewo.ListaGrup().DopiszObiekt(nullptr));
        grupa.UstawPole<TPoleString>(TGrupa::Nazwa, QString::fromStdString(NazwaGrupy(g)));
        TListaPozycji &lista = grupa.ListaPozycji();
        for (int i = 0; i < NaGrupe; ++i, ++nr) {
            auto &pozycja = static_cast<TPozycja &>(*lista.DopiszObiekt(nullptr));
            pozycja.UstawPole<TPoleString>(TPozycja::Nazwa, QString::fromStdString(NazwaPozycji(nr)));
            pozycja.UstawPole<TPoleInteger>(TPozycja::Liczba, nr);
            pozycja.UstawPole<TPoleBoolean>(TPozycja::Aktywny, Aktywna(nr));
            if (!pierwsza)
                pierwsza = &pozycja;
            if (Wskazuje(nr)) {
                pozycja.Pole<TPoleWskObiektu>(TPozycja::Wsk).UstawWartosc(pierwsza);
                pozycja.UstawMaWartosc(TPozycja::Wsk, true);
            }
        }
    }
}

// The same objects made straight from the plain structs, with no format in
// between: what building (and, in a phase, freeing) this model costs any reader.
inline void ObiektyZeStruktur(const Drzewo &p_Zrodlo, TDrzewo &p_Drzewo)
{
    TPozycja *pierwsza = nullptr;
    for (const Grupa &zrodlo : p_Zrodlo) {
        auto &grupa = static_cast<TGrupa &>(*p_Drzewo.ListaGrup().DopiszObiekt(nullptr));
        grupa.UstawPole<TPoleString>(TGrupa::Nazwa, QString::fromUtf8(zrodlo.Nazwa.data(), zrodlo.Nazwa.size()));
        TListaPozycji &lista = grupa.ListaPozycji();
        for (const Pozycja &p : zrodlo.Pozycje) {
            auto &pozycja = static_cast<TPozycja &>(*lista.DopiszObiekt(nullptr));
            pozycja.UstawPole<TPoleString>(TPozycja::Nazwa, QString::fromUtf8(p.Nazwa.data(), p.Nazwa.size()));
            pozycja.UstawPole<TPoleInteger>(TPozycja::Liczba, p.Liczba);
            pozycja.UstawPole<TPoleBoolean>(TPozycja::Aktywny, p.Aktywny);
            if (!pierwsza)
                pierwsza = &pozycja;
            if (p.Wsk >= 0) {
                pozycja.Pole<TPoleWskObiektu>(TPozycja::Wsk).UstawWartosc(pierwsza);
                pozycja.UstawMaWartosc(TPozycja::Wsk, true);
            }
        }
    }
}

// The tree's binary image: trees read back compare by it with the one written.
inline QByteArray ObrazBinarny(TDrzewo &p_Drzewo)
{
    // The written buffer is handed over, as a caller after the bytes would take it.
    TLkRawByteStringMaker strumien;
    TZapisywaczBinarny(strumien).ZapiszObiekt(p_Drzewo);
    return strumien.DajWynik();
}

// Both trees of p_Ile items, and the heap the objects take, announced on
// standard output under the benchmark's name.
struct TDrzewa
{
    TDrzewo Obiekty;
    Drzewo Struktury;
    double ObiektyMB = 0;

    TDrzewa(const char *p_Benchmark, int p_Ile, int p_Rundy)
    {
        ObiektyMB = pomiar::PrzyrostStertyMB([&] { ZbudujObiekty(Obiekty, p_Ile); });
        Struktury = ZbudujStruktury(p_Ile);
        std::printf("%s: %zu groups of %d items, %d rounds; objects built take %.1f MB of heap\n", p_Benchmark,
                    Struktury.size(), NaGrupe, p_Rundy, ObiektyMB);
    }
};

} // namespace drzewo
