#include "ZapisywaczBinarny.h"

#include "BlokadaObiektu.h"
#include "Obiekt.h"
#include "ObiektyDoZapisu.h"
#include "StrumienBinarny.h"
#include "WyjscieBlokowe.h"

#include <typeinfo>
#include <vector>

TZapisywaczBinarny::TZapisywaczBinarny(TStream &p_Strumien, bool p_ZChwilowymi, int16_t p_OpcjeZapisu)
    : Strumien(p_Strumien)
{
    ZapisWszystkichPol = p_ZChwilowymi;
    OpcjeZapisu = p_OpcjeZapisu;
}

void TZapisywaczBinarny::ZapiszObiekt(TObiektBazowy &p_Obiekt)
{
    TBlokadaObiektu blokada(&p_Obiekt);
    // A descendant with a choice of its own is asked field by field.
    WyborPolBazowy = typeid(*this) == typeid(TZapisywaczBinarny);
    DajObiektyDoZapisu(p_Obiekt, *this);
    // The many small pieces go to the target in large ones; left by a
    // failure, the output drops what it holds.
    TWyjscieBlokowe wyjscie(&Strumien);
    p_Obiekt.ZapiszWStrumieniu(wyjscie, *this);
    wyjscie.Oproznij();
}

void ZapiszObiektBinarnie(const TObiekt &p_Obiekt, TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz)
{
    // Classes of up to 256 fields need no heap for their bitmap and fields.
    constexpr size_t NaStosie = 256;
    uint8_t bitmapaNaStosie[NaStosie / 8] = {};
    const TPole *polaNaStosie[NaStosie];
    std::vector<uint8_t> bitmapaNaStercie;
    std::vector<const TPole *> polaNaStercie;
    const auto ile = static_cast<size_t>(p_Obiekt.OstatniNrPola() + 1);
    if (ile > NaStosie) {
        bitmapaNaStercie.resize((ile + 7) / 8);
        polaNaStercie.resize(ile);
    }
    uint8_t *bitmapa = bitmapaNaStercie.empty() ? bitmapaNaStosie : bitmapaNaStercie.data();
    const TPole **pola = polaNaStercie.empty() ? polaNaStosie : polaNaStercie.data();
    size_t zapisane = 0;
    int najwyzszy = -1;
    p_Obiekt.DlaPolZWartoscia([&](int16_t p_Nr, const TPole &p_Pole) {
        if (!p_Zapisywacz.CzyZapisacPoleZWartoscia(p_Nr, p_Obiekt) || !CelPolaDoZapisu(p_Pole, p_Zapisywacz))
            return;
        bitmapa[p_Nr / 8] |= static_cast<uint8_t>(1u << (p_Nr % 8));
        pola[zapisane++] = &p_Pole;
        najwyzszy = p_Nr;
    });
    const int32_t bajty = (najwyzszy + 8) / 8;
    if (bajty == 1) {
        // The usual small class: its count and bitmap in one write.
        const uint8_t naglowek[2] = {1, bitmapa[0]};
        p_Strumien.WriteBuffer(naglowek, 2);
    } else {
        ZapiszKrotkaLiczbe(p_Strumien, bajty);
        if (bajty == 0)
            return;
        p_Strumien.WriteBuffer(bitmapa, bajty);
    }
    for (size_t i = 0; i < zapisane; ++i)
        pola[i]->ZapiszWStrumieniu(p_Strumien, p_Zapisywacz);
}
