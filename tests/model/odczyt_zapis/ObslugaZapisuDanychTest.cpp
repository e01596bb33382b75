#include "Obiekt.h"
#include "ObslugaZapisuDanych.h"
#include "PolaCalkowite.h"
#include "ZapisywaczDanych.h"

#include <gtest/gtest.h>

namespace {

class TCzteryPola : public TKlasa<TCzteryPola, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "P0", &TPoleInteger::Opis},
        {1, "P1", &TPoleInteger::Opis},
        {2, "P2", &TPoleInteger::Opis},
        {3, "P3", &TPoleInteger::Opis},
    };
    using TKlasa::TKlasa;
    bool PoleZapisywane(int16_t p_Nr) const override { return p_Nr != 2; }
};

QString zapisywane(TZapisywaczDanych &p_Zapisywacz, const TCzteryPola &p_Obiekt)
{
    QString wynik;
    for (int16_t nr = 0; nr <= 3; ++nr)
        if (p_Zapisywacz.CzyZapisacPoleObiektu(nr, p_Obiekt))
            wynik += QString::number(nr);
    return wynik;
}

TEST(ObslugaZapisuDanych, FiltrPolKorzenia)
{
    TCzteryPola korzen, inny;
    for (int16_t nr = 0; nr <= 2; ++nr) { // field 3 has no value
        korzen.UstawTekstowo(nr, QStringLiteral("5"));
        inny.UstawTekstowo(nr, QStringLiteral("5"));
    }
    TZapisywaczDanych zapisywacz;
    EXPECT_EQ(zapisywane(zapisywacz, korzen), QStringLiteral("01")); // transient 2 skipped
    zapisywacz.ZapisWszystkichPol = true;
    EXPECT_EQ(zapisywane(zapisywacz, korzen), QStringLiteral("012"));

    const struct
    {
        TArrayOfConst Pola;
        bool Zapisz;
        int16_t Maks;
        const char *Korzen;
    } przypadki[] = {
        {{0, 2, 3}, true, 9, "02"},
        {{0, 2}, false, 9, "1"},
        {{0}, false, 1, "1"},
        {{0, 1}, true, 0, "0"},
    };
    for (const auto &p : przypadki) {
        TObslugaZapisuDanych obsluga(korzen, p.Pola, p.Zapisz, p.Maks);
        zapisywacz.CzyZapisacPole = obsluga.Filtr();
        EXPECT_EQ(zapisywane(zapisywacz, korzen), QString::fromLatin1(p.Korzen)) << p.Korzen;
        // below the root every field with a value goes, the filter replaces PoleZapisywane
        EXPECT_EQ(zapisywane(zapisywacz, inny), QStringLiteral("012"));
    }
    try {
        TObslugaZapisuDanych obsluga(korzen, {0, QStringLiteral("P1")}, true, 9);
        FAIL();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("OBW: Błędny typ indeksu"));
    }
}

} // namespace
