#include "KlasyTowaru.h"

namespace {

TEST(ObiektSciezki, PolaPodobiektyRodzicIWskaznik)
{
    TTowar towar;
    int16_t nr = 0;
    EXPECT_EQ(towar.ObiektIPole(QStringLiteral("nazwa"), nr), &towar);
    EXPECT_EQ(nr, TTowar::Nazwa);
    EXPECT_EQ(towar.ObiektIPole(QStringLiteral("SELF"), nr), &towar);
    EXPECT_EQ(nr, -1);

    // An empty sub-object is not followed unless the path may create it.
    EXPECT_EQ(towar.ObiektIPole(QStringLiteral("Adres.Miasto"), nr), nullptr);
    EXPECT_FALSE(towar.SciezkaIstnieje(QStringLiteral("Adres.Miasto")));
    EXPECT_EQ(towar.ObiektIPole(QStringLiteral("Adres.Miasto"), nr, true), &towar.DajAdres());
    EXPECT_EQ(nr, 0);
    EXPECT_FALSE(towar.MaWartosc(-1));

    towar.UstawTekstowoWgSciezki(QStringLiteral("Adres.Miasto"), QStringLiteral("Gdańsk"));
    EXPECT_EQ(towar.TekstowoWgSciezki(QStringLiteral("Adres.Miasto")), QStringLiteral("Gdańsk"));
    EXPECT_TRUE(towar.SciezkiIstnieja({QStringLiteral("Adres"), QStringLiteral("Adres.KodPocztowy")}));
    EXPECT_EQ(towar.ObiektIPole(QStringLiteral("Adres"), nr), &towar.DajAdres());
    EXPECT_EQ(nr, -1);

    TAdres &adres = towar.DajAdres();
    EXPECT_EQ(adres.ObiektIPole(QStringLiteral("^"), nr), &towar);
    EXPECT_EQ(nr, -1);
    EXPECT_EQ(adres.ObiektIPole(QStringLiteral("^Nazwa"), nr), &towar);
    EXPECT_EQ(nr, TTowar::Nazwa);
    EXPECT_EQ(adres.ObiektIPole(QStringLiteral("^Adres.^Adres.Miasto"), nr), &adres);

    // A pointer leads into its target; without one the path ends in nothing.
    EXPECT_FALSE(towar.SciezkaIstnieje(QStringLiteral("Wskazany.Miasto")));
    EXPECT_TRUE(towar.SciezkaIstnieje(QStringLiteral("Wskazany")));
    EXPECT_THROW(towar.UstawTekstowoWgSciezki(QStringLiteral("Wskazany.Miasto"), QStringLiteral("X")), LkException);
    TAdres inny;
    towar.WpiszDane({QStringLiteral("Wskazany")}, {&inny});
    towar.SetVariantowoWgSciezki(QStringLiteral("Wskazany.KodPocztowy"), Variant::ZString(QStringLiteral("80-001")));
    EXPECT_EQ(inny.Tekstowo(1), QStringLiteral("80-001"));
    EXPECT_EQ(towar.VariantowoWgSciezki(QStringLiteral("Wskazany.KodPocztowy")),
              Variant::ZString(QStringLiteral("80-001")));

    towar.UstawTekstowoWgSciezki(QStringLiteral("NrPozycjiTowaru"), QStringLiteral("7"));
    EXPECT_EQ(towar.DajTrescWgSciezki(QStringLiteral("NrPozycjiTowaru")), Variant::ZInteger(7));
    EXPECT_EQ(towar.DajTrescWgSciezki(QStringLiteral("NrPozycjiTowaru"), true), Variant::ZString(QStringLiteral("7")));
    EXPECT_TRUE(towar.DajTrescWgSciezki(QStringLiteral("Masa")).JestPusty());
}

TEST(ObiektSciezki, BlednaSciezkaZglaszaLubDajePustaTresc)
{
    TTowar towar;
    towar.UstawTekstowo(TTowar::Nazwa, QStringLiteral("Kawa"));
    EXPECT_EQ(KomunikatBledu([&] { towar.SciezkaIstnieje(QStringLiteral("x")); }), QString());
    EXPECT_EQ(KomunikatBledu([&] { towar.DajTrescWgSciezki(QStringLiteral("Nazwa.Dlugosc")); }),
              QStringLiteral("TTowar: Błędna ścieżka : Nazwa.Dlugosc"));
    for (const char *bledna : {"Brak", "Nazwa.Dlugosc", "Adres.", "Adres.Ulica", "Adres[0]", "Nazwa[1]", "^Nazwa", "",
                               ".Nazwa"}) {
        const QString sciezka = QString::fromLatin1(bledna);
        EXPECT_FALSE(towar.SciezkaIstnieje(sciezka)) << bledna;
        EXPECT_TRUE(towar.DajTrescWgSciezki(sciezka, true, false).JestPusty()) << bledna;
        int16_t nr = 0;
        EXPECT_THROW(towar.ObiektIPole(sciezka, nr, true), LkException) << bledna;
    }
    EXPECT_EQ(KomunikatBledu([&] { towar.DajPoleONazwie(QStringLiteral("Wskazany.Miasto")); }),
              QStringLiteral("TTowar.DajPoleONazwie: Brak pola o nazwie Wskazany.Miasto"));
    EXPECT_EQ(KomunikatBledu([&] { towar.DajPoleONazwie(QStringLiteral("Nazwa"), &TPoleBoolean::Opis); }),
              QStringLiteral("TTowar: Błędny typ pola Nazwa"));
    TPole &miasto = towar.DajPoleONazwie(QStringLiteral("Adres.Miasto"), &TPoleString::Opis);
    EXPECT_EQ(&miasto, towar.DajAdres().PoleJesliJest(0));
}

TEST(ObiektSciezki, DlugaSciezkaNieWyczerpujeStosu)
{
    TTowar towar;
    towar.DajAdres().UstawTekstowo(0, QStringLiteral("Gdańsk"));
    const QString sciezka = QStringLiteral("Adres.^").repeated(300000) + QStringLiteral("Adres.Miasto");
    EXPECT_TRUE(towar.SciezkaIstnieje(sciezka));
    int16_t nr = 0;
    EXPECT_EQ(towar.KlasaIPole(sciezka, nr), &TAdres::Opis);
    EXPECT_EQ(nr, 0);
}

TEST(ObiektSciezki, KlasaIPoleBezDanychNaDrodze)
{
    const TTowar towar;
    int16_t nr = 0;
    EXPECT_EQ(towar.KlasaIPole(QStringLiteral("Adres.KodPocztowy"), nr), &TAdres::Opis);
    EXPECT_EQ(nr, 1);
    EXPECT_EQ(towar.PoleJesliJest(TTowar::Adres), nullptr);
    EXPECT_EQ(towar.KlasaIPole(QStringLiteral("Adres"), nr), &TAdres::Opis);
    EXPECT_EQ(nr, -1);
    EXPECT_EQ(towar.KlasaIPole(QStringLiteral("Masa"), nr), &TTowar::Opis);
    EXPECT_EQ(nr, TTowar::Masa);
    EXPECT_EQ(towar.KlasaIPole(QStringLiteral("Wskazany.Miasto"), nr), nullptr);
    EXPECT_THROW(towar.KlasaIPole(QStringLiteral("Adres.Ulica"), nr), LkException);
}

TEST(ObiektSciezki, SciezkaDoSiebieINaEkranie)
{
    TTowar towar;
    TAdres &adres = towar.DajAdres();
    EXPECT_EQ(adres.DajSciezkeDoSiebie(), QStringLiteral("Adres"));
    EXPECT_EQ(adres.DajSciezkeDoSiebie(nullptr, false, false, 1), QStringLiteral("Adres.KodPocztowy"));
    EXPECT_EQ(adres.DajSciezkeDoSiebie(nullptr, true, false, 1), QStringLiteral("Adres -> Kod pocztowy"));
    EXPECT_EQ(adres.DajSciezkeDoSiebie(&adres, false, false, 1), QStringLiteral("KodPocztowy"));
    EXPECT_EQ(towar.DajSciezkeDoSiebie(nullptr, false, false, TTowar::NrPozycji), QStringLiteral("NrPozycjiTowaru"));
    TAdres obcy;
    EXPECT_EQ(adres.DajSciezkeDoSiebie(&obcy), QString());
    // A child its parent does not hold in a field.
    TAdres rzekomy(&towar);
    EXPECT_EQ(rzekomy.DajSciezkeDoSiebie(nullptr, false, false, 0), QStringLiteral("<TTowar, rodzic rzekomy>.Miasto"));

    EXPECT_EQ(towar.SciezkaNaEkran(QStringLiteral("Adres.KodPocztowy")), QStringLiteral("Adres -> Kod pocztowy"));
    EXPECT_EQ(towar.SciezkaNaEkran(QStringLiteral("NrPozycjiTowaru")), QStringLiteral("Nr pozycji towaru"));
    EXPECT_EQ(towar.SciezkaNaEkran(QStringLiteral("Pozycje[2].NrPozycjiTowaru")),
              QStringLiteral("Pozycje (3) -> NrPozycjiTowaru"));
    EXPECT_EQ(adres.SciezkaNaEkran(QStringLiteral("^DataWywozu")), QStringLiteral("^Data wywozu"));
    EXPECT_EQ(towar.SciezkaNaEkran(QStringLiteral("Adres[x")), QStringLiteral("Adres[x"));
}

} // namespace
