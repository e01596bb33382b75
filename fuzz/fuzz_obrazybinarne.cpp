// Any input: binary field images read into fields, or fail with one of our
// exceptions; never an out-of-bounds read, a hostile length's allocation or a loop.
// Input: a byte choosing the field class (or, past the classes, the bare
// numbers of the format) and the reader's options, then the stream's portion
// byte and images one after another.
#include "KlasyPol.h"
#include "Obiekt.h"
#include "OdczytywaczDanych.h"
#include "StringCache.h"
#include "StrumienBinarny.h"
#include "StrumienPorcjami.h"
#include "Wyjatki.h"
#include "ZapisywaczDanych.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

bool maDane(TStream &p_Strumien)
{
    return p_Strumien.Position() < p_Strumien.Size();
}

// Each number read is one the writer accepts, and its image reads back the same.
void czytajLiczby(TStream &p_Strumien)
{
    using TCzytaj = int32_t (*)(TStream &);
    using TZapisz = void (*)(TStream &, int32_t);
    const struct
    {
        TCzytaj Czytaj;
        TZapisz Zapisz;
    } rodzaje[] = {{CzytajKrotkaLiczbe, ZapiszKrotkaLiczbe}, {CzytajLiczbe, ZapiszLiczbe}, {CzytajRozmiar, ZapiszRozmiar}};
    for (size_t i = 0; maDane(p_Strumien); ++i) {
        const auto &rodzaj = rodzaje[i % std::size(rodzaje)];
        const int32_t wartosc = rodzaj.Czytaj(p_Strumien);
        TMemoryStream obraz;
        rodzaj.Zapisz(obraz, wartosc);
        obraz.SetPosition(0);
        if (rodzaj.Czytaj(obraz) != wartosc || maDane(obraz))
            std::abort();
    }
}

// The value a field holds survives its own image.
void sprawdzPowrot(const TPole &p_Pole)
{
    TZapisywaczDanych zapisywacz;
    TMemoryStream obraz;
    p_Pole.ZapiszWStrumieniu(obraz, zapisywacz);
    obraz.SetPosition(0);
    std::unique_ptr<TPole> kopia(p_Pole.Klasa().Tworz(nullptr));
    TOdczytywaczDanych odczytywacz;
    kopia->WczytajZeStrumienia(obraz, odczytywacz);
    if (maDane(obraz) || kopia->Porownaj(p_Pole) != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    if (p_Rozmiar == 0)
        return 0;
    const uint8_t wybor = p_Dane[0];
    TStrumienPorcjami strumien(p_Dane + 1, p_Rozmiar - 1);
    const size_t nrKlasy = (wybor & 0x3F) % (LiczbaKlasPol + 1);
    try {
        if (nrKlasy == LiczbaKlasPol) {
            czytajLiczby(strumien);
            return 0;
        }
        const TOpisKlasy &klasa = *KlasyPol[nrKlasy];
        TStringCache cache;
        TOdczytywaczDanych odczytywacz(wybor & 0x80 ? &cache : nullptr);
        odczytywacz.FOdczytANSI = wybor & 0x40;
        // Targets for the pointer images' numbers; they outlive the fields.
        TObiekt cele[3];
        for (TObiekt &cel : cele)
            odczytywacz.OdczytywanoPole(cel);
        std::vector<std::unique_ptr<TPole>> pola;
        while (maDane(strumien)) {
            pola.emplace_back(klasa.Tworz(nullptr));
            pola.back()->WczytajZeStrumienia(strumien, odczytywacz);
            if (!JestWskaznikiem(klasa))
                sprawdzPowrot(*pola.back());
        }
        odczytywacz.KorygujReferencje();
        // Whatever the fields took must show as text or fail with our exception.
        for (const auto &pole : pola)
            try {
                pole->GetJakoString();
            } catch (const Exception &) {
            }
    } catch (const Exception &) {
    }
    return 0;
}
