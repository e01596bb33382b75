#include "KlasyTowaru.h"

namespace {

// Two items that differ in the name and the mass only.
class DwaTowary : public ::testing::Test
{
protected:
    // The objects' destructors may raise; a failure there ends the test run.
    ~DwaTowary() noexcept override = default;
    void SetUp() override
    {
        for (TTowar *towar : {&A, &B}) {
            towar->WpiszDane({int(TTowar::NrPozycji), QStringLiteral("Zwolniony")}, {5, true});
            towar->DajAdres().UstawTekstowo(0, QStringLiteral("Gdańsk"));
        }
        A.WpiszDane({QStringLiteral("Nazwa"), QStringLiteral("Masa")}, {QStringLiteral("Kawa"), 1.5});
        B.WpiszDane({QStringLiteral("Nazwa")}, {QStringLiteral("Herbata")});
    }
    TTowar A;
    TTowar B;
};

TEST_F(DwaTowary, PorownanieWybranychPol)
{
    EXPECT_EQ(A.PorownajWgPol(B, {int(TTowar::NrPozycji), QStringLiteral("Adres")}), 0);
    EXPECT_EQ(A.PorownajWgPol(B, {QStringLiteral("Nazwa")}), 1);
    EXPECT_EQ(B.PorownajWgPol(A, {QStringLiteral("Masa"), QStringLiteral("Nazwa")}), -1);
    EXPECT_EQ(A.PorownajOproczPol(B, {QStringLiteral("Nazwa"), QStringLiteral("Masa")}), 0);
    EXPECT_NE(A.PorownajOproczPol(B, {QStringLiteral("Nazwa")}), 0);
    // A value equal to the default counts as no value.
    B.WpiszDane({QStringLiteral("Masa")}, {0.0});
    EXPECT_EQ(A.PorownajWgPol(B, {QStringLiteral("Masa")}), 1);
    A.WpiszDane({QStringLiteral("Masa")}, {0.0});
    A.ZerujDanePol({QStringLiteral("Masa")});
    EXPECT_EQ(A.PorownajWgPol(B, {QStringLiteral("Masa")}), 0);
    EXPECT_EQ(KomunikatBledu([&] { A.PorownajWgPol(B, {QStringLiteral("Waga")}); }),
              QStringLiteral("TTowar.PorownajWgPol: Brak pola o nazwie Waga"));
    EXPECT_EQ(KomunikatBledu([&] { A.PorownajWgPol(B, {42}); }), QStringLiteral("TTowar: Błędny nr pola = 42 w "));
}

TEST_F(DwaTowary, KopiaIZerowanieWybranychPol)
{
    B.KopiujDanePol(A, {QStringLiteral("Nazwa"), QStringLiteral("Adres")});
    EXPECT_EQ(B.Tekstowo(TTowar::Nazwa), QStringLiteral("Kawa"));
    EXPECT_FALSE(B.MaWartosc(TTowar::Masa));

    // An empty source field empties the target field.
    A.KopiujDaneOprocz(TTowar(), {QStringLiteral("Nazwa")});
    EXPECT_EQ(A.Tekstowo(TTowar::Nazwa), QStringLiteral("Kawa"));
    EXPECT_FALSE(A.MaWartosc(TTowar::Masa));
    EXPECT_FALSE(A.MaWartosc(TTowar::Adres));
    EXPECT_TRUE(A.PolaPusteOprocz({QStringLiteral("Nazwa")}));

    B.ZerujDaneOprocz({QStringLiteral("Adres"), int(TTowar::NrPozycji)});
    EXPECT_FALSE(B.MaWartosc(TTowar::Nazwa));
    EXPECT_EQ(B.Tekstowo(TTowar::NrPozycji), QStringLiteral("5"));
    EXPECT_EQ(B.TekstowoWgSciezki(QStringLiteral("Adres.Miasto")), QStringLiteral("Gdańsk"));
    B.ZerujDanePol({QStringLiteral("Adres")});
    EXPECT_FALSE(B.MaWartosc(TTowar::Adres));
}

TEST_F(DwaTowary, ZerowanieWartosciDomyslnych)
{
    A.WpiszDane({QStringLiteral("Zwolniony"), QStringLiteral("Masa")}, {false, 0.0});
    A.DajAdres().UstawTekstowo(1, QStringLiteral("80-001"));
    A.DajAdres().PoleJesliJest(1)->ZerujDane();
    A.ZerujDanePolZDefWart();
    EXPECT_FALSE(A.MaWartosc(TTowar::Zwolniony));
    EXPECT_FALSE(A.MaWartosc(TTowar::Masa));
    EXPECT_FALSE(A.DajAdres().MaWartosc(1));
    EXPECT_TRUE(A.MaWartosc(TTowar::NrPozycji));
    EXPECT_TRUE(A.DajAdres().MaWartosc(0));
}

TEST_F(DwaTowary, WpisLubZerowanie)
{
    A.WpiszLubZeruj(QStringLiteral("Nazwa"), QString());
    EXPECT_FALSE(A.MaWartosc(TTowar::Nazwa));
    A.WpiszLubZeruj(QStringLiteral("Masa"), 0.0);
    EXPECT_TRUE(A.MaWartosc(TTowar::Masa));
    A.WpiszTrueLubZeruj(int(TTowar::Zwolniony), false);
    EXPECT_FALSE(A.MaWartosc(TTowar::Zwolniony));
    A.WpiszTrueLubZeruj(int(TTowar::Zwolniony), true);
    EXPECT_EQ(A.Tekstowo(TTowar::Zwolniony), QStringLiteral("T"));
}

// An order line shares two field names with an item; its number is text.
class TLinia : public TKlasa<TLinia, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Nazwa", &TPoleString::Opis},
        {1, "NrPozycjiTowaru", &TPoleString::Opis},
        {2, "Adres", &TAdres::Opis},
        {3, "Uwagi", &TPoleString::Opis},
    };
    using TKlasa::TKlasa;
};

TEST_F(DwaTowary, PrzepisanieDanychWgNazw)
{
    TLinia linia;
    linia.WpiszDane({QStringLiteral("Uwagi"), QStringLiteral("Nazwa")}, {QStringLiteral("pilne"), QStringLiteral("x")});
    linia.PrzepiszDane(A);
    EXPECT_EQ(linia.Tekstowo(0), QStringLiteral("Kawa"));
    EXPECT_EQ(linia.Tekstowo(1), QStringLiteral("5"));
    EXPECT_EQ(linia.TekstowoWgSciezki(QStringLiteral("Adres.Miasto")), QStringLiteral("Gdańsk"));
    EXPECT_EQ(linia.Tekstowo(3), QStringLiteral("pilne"));
}

TEST_F(DwaTowary, OpisyTekstowe)
{
    A.UstawTekstowo(TTowar::Kod, QStringLiteral("AB"));
    EXPECT_EQ(A.OpisTekstowy(),
              QStringLiteral("Nr pozycji towaru: 5; Nazwa: Kawa; Zwolniony: T; Masa: 1.5; Kod: AB"));
    EXPECT_EQ(A.OpisTekstowyWide(), A.OpisTekstowy());
    EXPECT_EQ(A.OpisTekstowyPol({QStringLiteral("Adres"), QStringLiteral("Nazwa"), QStringLiteral("DataWywozu")}),
              QStringLiteral("Adres: Miasto: Gdańsk; Nazwa: Kawa"));
    EXPECT_EQ(A.OpisTekstowyOprocz({QStringLiteral("Masa"), int(TTowar::NrPozycji)}),
              QStringLiteral("Nazwa: Kawa; Zwolniony: T; Kod: AB"));
    EXPECT_EQ(TTowar().OpisTekstowy(), QString());
}

} // namespace
