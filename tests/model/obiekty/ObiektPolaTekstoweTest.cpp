#include "KlasyTowaru.h"

namespace {

TEST(ObiektPolaTekstowe, TrymowanieIZnakiSterujaceTakzeWPodobiektach)
{
    TTowar towar;
    towar.UstawTekstowo(TTowar::Nazwa, QStringLiteral("  Ka\twa \r\n"));
    towar.UstawTekstowo(TTowar::Kod, QStringLiteral("   "));
    towar.UstawTekstowo(TTowar::NrPozycji, QStringLiteral("12"));
    towar.DajAdres().UstawTekstowo(0, QStringLiteral(" Gdańsk "));

    towar.TrymujPolaTekstowe(false);
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Ka\twa"));
    // A text trimmed to nothing is no value.
    EXPECT_FALSE(towar.MaWartosc(TTowar::Kod));
    EXPECT_EQ(towar.DajAdres().Tekstowo(0), QStringLiteral(" Gdańsk "));
    towar.TrymujPolaTekstowe();
    EXPECT_EQ(towar.DajAdres().Tekstowo(0), QStringLiteral("Gdańsk"));

    towar.UsunZnakiSterujZPol();
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Kawa"));
    towar.PoprawPolaTekstowe([](const QString &p_Tekst) { return p_Tekst.toUpper(); });
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("KAWA"));
    EXPECT_EQ(towar.DajAdres().Tekstowo(0), QStringLiteral("GDAŃSK"));
    EXPECT_EQ(towar.Tekstowo(TTowar::NrPozycji), QStringLiteral("12"));
}

TEST(ObiektPolaTekstowe, PrzycinanieDoRozmiaruZeZgloszeniem)
{
    TTowar towar;
    towar.UstawTekstowo(TTowar::Kod, QStringLiteral(" AB\u4E2DCDE\nFG"));
    towar.UstawTekstowo(TTowar::Nazwa, QStringLiteral("Nazwa bez limitu"));
    QStringList zgloszone;
    const TObiekt::TOnPrzycieto zglos = [&](TObiekt &p_Obiekt, int16_t p_Nr, const QString &p_Przed,
                                            const QString &p_Po) {
        zgloszone << p_Obiekt.NazwaPolaNr(p_Nr) + QLatin1Char(':') + p_Przed + QLatin1Char('>') + p_Po;
    };
    towar.PrzytnijPolaWgRozm(false, false, false, zglos);
    // The byte-string field has already lost the character 1250 lacks.
    EXPECT_EQ(zgloszone, QStringList({QStringLiteral("Kod: AB?CDE\nFG> AB?")}));
    zgloszone.clear();

    towar.UstawTekstowo(TTowar::Kod, QStringLiteral(" Ab\nCDEF"));
    towar.PrzytnijPolaWgRozm(true, true, true, zglos);
    EXPECT_EQ(towar.Tekstowo(TTowar::Kod), QStringLiteral("Ab"));
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Nazwa bez limitu"));
    EXPECT_EQ(zgloszone.size(), 1);
}

TEST(ObiektPolaTekstowe, ZaokraglanieTylkoPolZmiennoprzecinkowych)
{
    TTowar towar;
    towar.WpiszDane({QStringLiteral("Masa")}, {2.345});
    towar.ZaokraglPola({QStringLiteral("Masa")}, 2);
    EXPECT_EQ(towar.Tekstowo(TTowar::Masa), QStringLiteral("2.35"));
    EXPECT_EQ(KomunikatBledu([&] { towar.ZaokraglPola({QStringLiteral("Nazwa")}, 2); }),
              QStringLiteral("TTowar: Błędny typ pola Nazwa"));
}

} // namespace
