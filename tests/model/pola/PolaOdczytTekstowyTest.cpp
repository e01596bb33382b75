#include "OdczytZPamieci.h"
#include "OdczytywaczTekstu.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleBoolean.h"
#include "Strumienie.h"
#include "WyjatkiModelu.h"

#include <gtest/gtest.h>

namespace {

// Native text input in memory, read field by field.
class OdczytPol : private TWejscieZPamieci, public TOdczytywaczTekstu
{
public:
    explicit OdczytPol(const QByteArray &p_Wejscie) : TWejscieZPamieci(p_Wejscie), TOdczytywaczTekstu(&FStrumien) {}
};

TEST(PolaOdczytTekstowy, LiczbaZPrzecinkiemToDwaTokeny)
{
    for (const char *wejscie : {"12,5 7", "12.5 7"}) {
        OdczytPol odczyt(wejscie);
        TPoleDouble pole;
        EXPECT_TRUE(pole.WczytajTekstowo(odczyt));
        EXPECT_EQ(pole.Wartosc, 12.5) << wejscie;
        EXPECT_EQ(pole.GetJakoString(), QStringLiteral("12.5"));
        // the parser stands after the number
        EXPECT_EQ(odczyt.Parser().TokenString(), QByteArray("7"));
    }
    OdczytPol odczyt("-3,25");
    TPoleCurrency waluta;
    waluta.WczytajTekstowo(odczyt);
    EXPECT_EQ(waluta.Wartosc, -32500);
}

TEST(PolaOdczytTekstowy, ZakresCalkowitychZPozycja)
{
    OdczytPol odczyt("\n  256");
    TPoleByte pole;
    pole.Wartosc = 9;
    try {
        pole.WczytajTekstowo(odczyt);
        FAIL();
    } catch (const ELkParserError &e) {
        EXPECT_TRUE(e.Message().contains(QString::fromUtf8("TPoleByte: wartość poza zakresem = 256"))) << e.what();
        EXPECT_EQ(e.Linia(), 2);
        EXPECT_EQ(e.Pozycja(), 3);
    }
    EXPECT_EQ(pole.Wartosc, 9);

    OdczytPol wZakresie("-32768 4294967297");
    TPoleSmallint krotka;
    TPoleCardinal cardinal;
    krotka.WczytajTekstowo(wZakresie);
    cardinal.WczytajTekstowo(wZakresie);
    EXPECT_EQ(krotka.Wartosc, -32768);
    EXPECT_EQ(cardinal.Wartosc, 1u);
}

TEST(PolaOdczytTekstowy, BooleanITeksty)
{
    OdczytPol odczyt("Tak 0 5 'za\xBF\xF3\xB3\xE6'");
    TPoleBoolean a, b, c;
    EXPECT_TRUE(a.WczytajTekstowo(odczyt));
    EXPECT_FALSE(b.WczytajTekstowo(odczyt));
    EXPECT_TRUE(c.WczytajTekstowo(odczyt));
    EXPECT_TRUE(a.Wartosc);
    EXPECT_FALSE(b.Wartosc);
    EXPECT_TRUE(c.Wartosc);
    TPoleString tekst;
    EXPECT_TRUE(tekst.WczytajTekstowo(odczyt));
    EXPECT_EQ(tekst.Wartosc, QString::fromUtf8("zażółć"));
}

TEST(PolaOdczytTekstowy, BooleanSlowa)
{
    // Words read in place and the text road agree; a word that is none keeps the value.
    OdczytPol odczyt("true false TRUE nie Yes maybe");
    for (const bool oczekiwana : {true, false, true, false, true}) {
        TPoleBoolean pole;
        pole.Wartosc = !oczekiwana;
        EXPECT_EQ(pole.WczytajTekstowo(odczyt), oczekiwana);
    }
    TPoleBoolean pole;
    pole.Wartosc = true;
    try {
        pole.WczytajTekstowo(odczyt);
        ADD_FAILURE() << "no error";
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("błędna wartość boolean = \"maybe\""));
    }
    EXPECT_TRUE(pole.Wartosc);
}

} // namespace
