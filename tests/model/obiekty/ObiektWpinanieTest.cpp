#include "KlasyTowaru.h"

#include <stdexcept>

namespace {

TEST(ObiektWpinanie, PoWpieciuWszystkoWracaTakzePoWyjatku)
{
    TTowar towar;
    towar.UstawTekstowo(TTowar::Nazwa, QStringLiteral("Kawa"));
    TPole *wlasnaNazwa = towar.PoleJesliJest(TTowar::Nazwa);
    TAdres &wlasnyAdres = towar.DajAdres();

    TTowar inny;
    TAdres &obcyAdres = inny.DajAdres();
    obcyAdres.UstawTekstowo(0, QStringLiteral("Sopot"));
    TPoleString obcaNazwa;
    obcaNazwa.Wartosc = QStringLiteral("Herbata");
    TPoleDouble obcaMasa;

    for (const bool zWyjatkiem : {false, true}) {
        QString widziane;
        auto procedura = [&] {
            widziane = towar.OpisTekstowyPol({QStringLiteral("Nazwa"), QStringLiteral("Adres"), QStringLiteral("Masa")})
                       + QStringLiteral(" | ") + obcyAdres.DajSciezkeDoSiebie();
            // Changes to other fields stay.
            towar.UstawTekstowo(TTowar::NrPozycji, QStringLiteral("3"));
            if (zWyjatkiem)
                throw std::runtime_error("przerwane");
        };
        const TArrayOfConst pola = {QStringLiteral("Nazwa"), QStringLiteral("Adres"), int(TTowar::Masa)};
        if (zWyjatkiem)
            EXPECT_THROW(towar.WykonajPoWpieciu(pola, {&obcaNazwa, &obcyAdres, &obcaMasa}, procedura),
                         std::runtime_error);
        else
            towar.WykonajPoWpieciu(pola, {&obcaNazwa, &obcyAdres, &obcaMasa}, procedura);

        EXPECT_EQ(widziane, QStringLiteral("Nazwa: Herbata; Adres: Miasto: Sopot; Masa: 0 | Adres"));
        EXPECT_EQ(towar.PoleJesliJest(TTowar::Nazwa), wlasnaNazwa);
        EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Kawa"));
        EXPECT_EQ(towar.PoleJesliJest(TTowar::Adres), &wlasnyAdres);
        EXPECT_EQ(towar.PoleJesliJest(TTowar::Masa), nullptr);
        EXPECT_FALSE(towar.MaWartosc(TTowar::Masa));
        EXPECT_EQ(towar.Tekstowo(TTowar::NrPozycji), QStringLiteral("3"));
        EXPECT_EQ(obcyAdres.Rodzic(), &inny);
        EXPECT_TRUE(inny.MaRefOd(&obcyAdres));
        EXPECT_FALSE(towar.MaRefOd(&obcyAdres));
        towar.UstawTekstowo(TTowar::NrPozycji, QString());
    }
}

// A procedure that resets the object frees neither the plugged-in fields (the
// caller's) nor the object's own hidden ones, which come back afterwards.
TEST(ObiektWpinanie, ZerowanieWTrakcieProceduryNieRuszaCudzychAniUkrytych)
{
    TTowar towar;
    towar.WpiszDane({"Nazwa", "Masa"}, {"Kawa", 2.0});
    TPole *nazwa = towar.PoleJesliJest(TTowar::Nazwa);
    TAdres &adres = towar.DajAdres();
    TTowar inny;
    TAdres &obcyAdres = inny.DajAdres();
    TPoleString obcaNazwa;
    obcaNazwa.Wartosc = QStringLiteral("Herbata");

    towar.WykonajPoWpieciu({QStringLiteral("Nazwa"), QStringLiteral("Adres")}, {&obcaNazwa, &obcyAdres}, [&] {
        towar.ZerujDane();
        EXPECT_EQ(towar.PoleJesliJest(TTowar::Nazwa), nullptr);
        EXPECT_FALSE(towar.MaWartosc(TTowar::Masa));
    });
    EXPECT_EQ(obcaNazwa.Wartosc, QStringLiteral("Herbata"));
    EXPECT_EQ(obcyAdres.Rodzic(), &inny);
    EXPECT_EQ(towar.PoleJesliJest(TTowar::Adres), &adres);
    EXPECT_EQ(towar.PoleJesliJest(TTowar::Nazwa), nazwa);
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Kawa"));

    towar.WykonajPoWypieciu({QStringLiteral("Nazwa")}, [&] {
        towar.UstawTekstowo(TTowar::Nazwa, QStringLiteral("Inna"));
        towar.ZerujDane();
    });
    EXPECT_EQ(towar.PoleJesliJest(TTowar::Nazwa), nazwa);
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Kawa"));
}

TEST(ObiektWpinanie, WepnijIWypnijPole)
{
    TTowar towar;
    towar.UstawTekstowo(TTowar::Nazwa, QStringLiteral("Kawa"));
    auto *nowa = new TPoleString;
    nowa->Wartosc = QStringLiteral("Ryż");
    TObiektBazowy *poprzRodzic = &towar;
    EXPECT_EQ(towar.WepnijPole(TTowar::Nazwa, nowa, poprzRodzic, true), nullptr);
    EXPECT_EQ(poprzRodzic, nullptr);
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Ryż"));
    // Plugging a field into its own place keeps it.
    EXPECT_EQ(towar.WepnijPole(TTowar::Nazwa, nowa, poprzRodzic, true), nowa);
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Ryż"));

    std::unique_ptr<TPole> wypiete(towar.WypnijPole(TTowar::Nazwa, nullptr));
    EXPECT_EQ(wypiete.get(), nowa);
    EXPECT_FALSE(towar.MaWartosc(TTowar::Nazwa));
    EXPECT_THROW(towar.WepnijPole(99, nowa, poprzRodzic, false), LkException);
}

// A field of another kind plugged where a sub-object or a pointer is declared leads nowhere.
TEST(ObiektWpinanie, ObcyRodzajPolaNieProwadziDalejWSciezce)
{
    TTowar towar;
    TPoleString zamiastAdresu;
    TPoleString zamiastWskaznika;
    zamiastWskaznika.Wartosc = QStringLiteral("nie adres");
    towar.WykonajPoWpieciu({int(TTowar::Adres), int(TTowar::Wskazany)}, {&zamiastAdresu, &zamiastWskaznika}, [&] {
        EXPECT_FALSE(towar.SciezkaIstnieje(QStringLiteral("Wskazany.Miasto")));
        EXPECT_FALSE(towar.MaCechy({QStringLiteral("Wskazany.Miasto")}, {QStringLiteral("x")}));
        EXPECT_THROW(towar.MaCechy({QStringLiteral("Adres.Miasto")}, {QStringLiteral("x")}), LkException);
    });
}

TEST(ObiektWpinanie, PoWypieciuPolaWracaja)
{
    TTowar towar;
    towar.WpiszDane({QStringLiteral("Nazwa"), QStringLiteral("Masa")}, {QStringLiteral("Kawa"), 2.0});
    TPole *nazwa = towar.PoleJesliJest(TTowar::Nazwa);
    EXPECT_THROW(towar.WykonajPoWypieciu({QStringLiteral("Nazwa")},
                                         [&] {
                                             EXPECT_EQ(towar.OpisTekstowy(), QStringLiteral("Masa: 2"));
                                             towar.UstawTekstowo(TTowar::Nazwa, QStringLiteral("Inna"));
                                             throw std::runtime_error("przerwane");
                                         }),
                 std::runtime_error);
    EXPECT_EQ(towar.PoleJesliJest(TTowar::Nazwa), nazwa);
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Kawa"));
}

TEST(ObiektWpinanie, WykonajWDrzewieRazNaObiektIWgKlasy)
{
    TTowar towar;
    towar.DajAdres();
    TTowar drugi;
    drugi.DajAdres();
    // References lead across and back: each object is met once.
    towar.WpiszDane({QStringLiteral("Wskazany")}, {&drugi});
    drugi.WpiszDane({QStringLiteral("Wskazany")}, {&towar});

    QStringList kolejnosc;
    auto zapisz = [&](TObiektBazowy &p_Obiekt) {
        kolejnosc << p_Obiekt.ClassName() + QLatin1Char(':') + p_Obiekt.DajSciezkeDoSiebie();
        return false;
    };
    EXPECT_FALSE(towar.WykonajWDrzewie(zapisz));
    EXPECT_EQ(kolejnosc, QStringList({QStringLiteral("TTowar:"), QStringLiteral("TAdres:Adres")}));
    kolejnosc.clear();
    EXPECT_FALSE(towar.WykonajWDrzewie(zapisz, &TAdres::Opis, true));
    EXPECT_EQ(kolejnosc.size(), 2);
    int ile = 0;
    EXPECT_TRUE(towar.WykonajWDrzewie([&](TObiektBazowy &) { return ++ile == 2; }, nullptr, true));
    EXPECT_EQ(ile, 2);
}

} // namespace
