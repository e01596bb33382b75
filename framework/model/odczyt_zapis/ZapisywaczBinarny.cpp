#include "ZapisywaczBinarny.h"

#include "BlokadaObiektu.h"
#include "Obiekt.h"
#include "ObiektyDoZapisu.h"
#include "StrumienBinarny.h"

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
    DajObiektyDoZapisu(p_Obiekt, *this);
    p_Obiekt.ZapiszWStrumieniu(Strumien, *this);
}

void ZapiszObiektBinarnie(const TObiekt &p_Obiekt, TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz)
{
    const int16_t ostatni = p_Obiekt.OstatniNrPola();
    // Classes of up to 256 fields need no heap for their bitmap.
    uint8_t naStosie[32] = {};
    std::vector<uint8_t> naStercie;
    const size_t ileBajtow = static_cast<size_t>(ostatni + 8) / 8;
    if (ileBajtow > sizeof(naStosie))
        naStercie.resize(ileBajtow);
    uint8_t *bitmapa = naStercie.empty() ? naStosie : naStercie.data();
    int najwyzszy = -1;
    for (int16_t nr = 0; nr <= ostatni; ++nr)
        if (PoleDoZapisu(p_Obiekt, nr, p_Zapisywacz)) {
            bitmapa[nr / 8] |= static_cast<uint8_t>(1u << (nr % 8));
            najwyzszy = nr;
        }
    const int32_t bajty = (najwyzszy + 8) / 8;
    ZapiszKrotkaLiczbe(p_Strumien, bajty);
    if (bajty == 0)
        return;
    p_Strumien.WriteBuffer(bitmapa, bajty);
    for (int16_t nr = 0; nr <= najwyzszy; ++nr)
        if (bitmapa[nr / 8] & (1u << (nr % 8)))
            p_Obiekt.PoleJesliJest(nr)->ZapiszWStrumieniu(p_Strumien, p_Zapisywacz);
}
