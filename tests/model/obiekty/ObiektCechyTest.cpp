#include "KlasyTowaru.h"

namespace {

// An item with a number, a name, a date, a flag and a town; its mass has no value.
class CechyTowaru : public ::testing::Test
{
protected:
    // The objects' destructors may raise; a failure there ends the test run.
    ~CechyTowaru() noexcept override = default;
    void SetUp() override
    {
        Towar.WpiszDane({int(TTowar::NrPozycji), QStringLiteral("Nazwa"), QStringLiteral("Zwolniony")},
                        {5, QStringLiteral("Kawa"), true});
        Towar.UstawTekstowo(TTowar::DataWywozu, QStringLiteral("2024-03-01"));
        Towar.DajAdres().UstawTekstowo(0, QStringLiteral("Gdańsk"));
    }
    TTowar Towar;
};

TEST_F(CechyTowaru, MaCechyWedlugTabeli)
{
    struct TPrzypadek
    {
        TArrayOfConst Pola;
        TArrayOfConst Wartosci;
        bool Wynik;
    };
    const TPrzypadek przypadki[] = {
        {{}, {}, true},
        {{int(TTowar::NrPozycji)}, {5}, true},
        {{QStringLiteral("NrPozycjiTowaru")}, {6}, false},
        {{QStringLiteral("nazwa")}, {QStringLiteral("KAWA")}, true},
        {{QStringLiteral("Nazwa")}, {QStringLiteral("Kaw")}, false},
        {{int(TTowar::NrPozycji), QStringLiteral("Nazwa")}, {5, QStringLiteral("Kawa")}, true},
        {{int(TTowar::NrPozycji), QStringLiteral("Nazwa")}, {5, QStringLiteral("Herbata")}, false},
        // A date matches a text of its date or of its number of days.
        {{QStringLiteral("DataWywozu")}, {QStringLiteral("2024-03-01")}, true},
        {{QStringLiteral("DataWywozu")}, {QStringLiteral("45352")}, true},
        {{QStringLiteral("DataWywozu")}, {QStringLiteral("2024-03-02")}, false},
        // A flag matches any Boolean word of its value.
        {{QStringLiteral("Zwolniony")}, {QStringLiteral("tak")}, true},
        {{QStringLiteral("Zwolniony")}, {QStringLiteral("1")}, true},
        {{QStringLiteral("Zwolniony")}, {QStringLiteral("Nie")}, false},
        {{QStringLiteral("Zwolniony")}, {QStringLiteral("może")}, false},
        {{QStringLiteral("Adres.Miasto")}, {QStringLiteral("GDAńSK")}, true},
        // A field without a value matches exactly the zero of the value's kind.
        {{QStringLiteral("Masa")}, {0.0}, true},
        {{QStringLiteral("Masa")}, {0}, true},
        {{QStringLiteral("Masa")}, {false}, true},
        {{QStringLiteral("Masa")}, {QString()}, true},
        {{QStringLiteral("Masa")}, {QByteArray()}, true},
        {{QStringLiteral("Masa")}, {QChar(0)}, true},
        {{QStringLiteral("Masa")}, {static_cast<TObject *>(nullptr)}, true},
        {{QStringLiteral("Masa")}, {static_cast<const void *>(nullptr)}, true},
        {{QStringLiteral("Masa")}, {TVarRec::Currency(0)}, true},
        {{QStringLiteral("Masa")}, {0.5}, false},
        {{QStringLiteral("Masa")}, {QStringLiteral("0")}, false},
        {{QStringLiteral("Masa")}, {QChar(u' ')}, false},
        {{QStringLiteral("Adres.KodPocztowy")}, {QString()}, true},
        // Unknown fields and pointers without target never match.
        {{QStringLiteral("Brak")}, {QString()}, false},
        {{-1}, {0}, false},
        {{70000}, {0}, false},
        {{QStringLiteral("Wskazany.Miasto")}, {QString()}, false},
    };
    for (const TPrzypadek &p : przypadki)
        EXPECT_EQ(Towar.MaCechy(p.Pola, p.Wartosci), p.Wynik) << (p.Pola.empty() ? QString() : p.Pola[0].JakoString()).toStdString()
                                                              << " / " << p.Wartosci.size();
    EXPECT_FALSE(Towar.MaCechy({QStringLiteral("Nazwa")}, {QStringLiteral("KAWA")}, rlRozmLiterWazny));
}

TEST_F(CechyTowaru, PolaPrzezPodobiektIWskaznik)
{
    TTowar swiezy;
    // The sub-object on the way does not exist yet: its fields have no value.
    EXPECT_TRUE(swiezy.MaCechy({QStringLiteral("Adres.Miasto")}, {QString()}));
    EXPECT_EQ(swiezy.PoleJesliJest(TTowar::Adres), nullptr);

    swiezy.WpiszDane({QStringLiteral("Wskazany")}, {&Towar});
    EXPECT_TRUE(swiezy.MaCechy({QStringLiteral("Wskazany.Adres.Miasto")}, {QStringLiteral("Gdańsk")}));
    EXPECT_EQ(swiezy.PorownajCechy({QStringLiteral("Wskazany.NrPozycjiTowaru")}, {4}), 1);
}

TEST_F(CechyTowaru, PorownajCechyDajePierwszaRoznice)
{
    EXPECT_EQ(Towar.PorownajCechy({int(TTowar::NrPozycji)}, {4}), 1);
    EXPECT_EQ(Towar.PorownajCechy({int(TTowar::NrPozycji)}, {6}), -1);
    EXPECT_EQ(Towar.PorownajCechy({int(TTowar::NrPozycji), QStringLiteral("Nazwa")}, {5, QStringLiteral("Kawy")}), -1);
    EXPECT_EQ(Towar.PorownajCechy({int(TTowar::NrPozycji), QStringLiteral("Nazwa")}, {5, QStringLiteral("kawa")}), 0);
    // Without a value, and for an unknown name: an empty value against the loose one.
    EXPECT_EQ(Towar.PorownajCechy({QStringLiteral("Masa")}, {2.5}), -1);
    EXPECT_EQ(Towar.PorownajCechy({QStringLiteral("Masa")}, {0.0}), 0);
    EXPECT_EQ(Towar.PorownajCechy({QStringLiteral("Brak")}, {QStringLiteral("x")}), -1);
    EXPECT_EQ(Towar.PorownajCechy({QStringLiteral("Brak")}, {-3}), 1);
}

TEST_F(CechyTowaru, BlednePolaCech)
{
    EXPECT_EQ(KomunikatBledu([&] { Towar.MaCechy({QStringLiteral("Nazwa.Dlugosc")}, {1}); }),
              QStringLiteral("PMC: Błędny typ pola Nazwa.Dlugosc"));
    EXPECT_EQ(KomunikatBledu([&] { Towar.PorownajCechy({QStringLiteral("Nazwa.Dlugosc")}, {1}); }),
              QStringLiteral("PPONZC: Błędny typ pola Nazwa.Dlugosc"));
    EXPECT_EQ(KomunikatBledu([&] { Towar.MaCechy({1.5}, {1}); }), QStringLiteral("OMC: Błędny typ indeksu"));
    EXPECT_EQ(KomunikatBledu([&] { Towar.PorownajCechy({1.5}, {1}); }), QStringLiteral("POC: Błędny typ indeksu"));
    EXPECT_EQ(KomunikatBledu([&] { Towar.MaCechy({true}, {1}); }), QStringLiteral("OMC: Błędny typ indeksu"));
    EXPECT_EQ(KomunikatBledu([&] { Towar.PorownajCechy({false}, {1}); }), QStringLiteral("POC: Błędny typ indeksu"));
}

TEST_F(CechyTowaru, KtorePolaMajaWartosc)
{
    const TArrayOfConst dwa = {QStringLiteral("Nazwa"), QStringLiteral("Masa")};
    EXPECT_FALSE(Towar.PolaMajaWartosc(dwa, TObiekt::kpdWszystkich));
    EXPECT_TRUE(Towar.PolaMajaWartosc(dwa, TObiekt::kpdKtoregokolwiek));
    EXPECT_TRUE(Towar.PolaMajaWartosc(dwa, TObiekt::kpdDokladnieJednego));
    EXPECT_FALSE(Towar.PolaMajaWartosc({QStringLiteral("Nazwa"), QStringLiteral("Adres")}, TObiekt::kpdDokladnieJednego));
    EXPECT_TRUE(Towar.PolaMajaWartosc({}, TObiekt::kpdWszystkich));
    EXPECT_THROW(Towar.PolaMajaWartosc({QStringLiteral("Brak")}), LkException);

    EXPECT_FALSE(Towar.PolaPusteOprocz({QStringLiteral("Nazwa")}));
    EXPECT_TRUE(Towar.PolaPusteOprocz({int(TTowar::NrPozycji), QStringLiteral("Nazwa"), QStringLiteral("DataWywozu"),
                                       QStringLiteral("Zwolniony"), QStringLiteral("Adres")}));

    // Values equal to their defaults are not data.
    TTowar zera;
    zera.WpiszDane({int(TTowar::NrPozycji), QStringLiteral("Zwolniony")}, {0, false});
    EXPECT_TRUE(zera.MaWartosc(-1));
    EXPECT_FALSE(zera.SaJakiesDane());
    zera.DajAdres().UstawTekstowo(1, QStringLiteral("00-001"));
    EXPECT_TRUE(zera.SaJakiesDane());
}

} // namespace
