#include "PolaTekstowe.h"
#include "PoleBoolean.h"
#include "PolaCalkowite.h"
#include "PorownanieTekstow.h"
#include "PorownywaczDanych.h"
#include "Formatuj.h"

#include <gtest/gtest.h>

namespace {

TEST(PoleWideString, PodrozPrzezWindows1250)
{
    TPoleWideString pole;
    pole.Wartosc = QString::fromUtf8("ą");
    const QString tekst = pole.GetJakoString();
    ASSERT_EQ(tekst.size(), 2);
    EXPECT_EQ(pole.GetJakoLkAnsiString(), QByteArray("\xC4\x85"));

    TPoleWideString kopia;
    kopia.SetJakoString(tekst);
    EXPECT_EQ(kopia.Wartosc, QString::fromUtf8("ą"));

    // Characters outside Windows-1250 survive too: they travel as UTF-8 bytes.
    pole.Wartosc = QString::fromUtf8("日本 €");
    kopia.SetJakoLkAnsiString(pole.GetJakoLkAnsiString());
    EXPECT_EQ(kopia.Wartosc, pole.Wartosc);
}

TEST(PoleRawByteString, BajtyBezZmianITekstPrzez1250)
{
    TPoleRawByteString pole;
    pole.SetJakoString(QString::fromUtf8("zażółć 日"));
    EXPECT_EQ(pole.Wartosc, QByteArray("za\xBF\xF3\xB3\xE6 ?"));
    EXPECT_EQ(pole.GetJakoString(), QString::fromUtf8("zażółć ?"));
    const QByteArray dowolne("\x00\x81\xFF", 3);
    pole.SetJakoLkAnsiString(dowolne);
    EXPECT_EQ(pole.GetJakoLkAnsiString(), dowolne);
    EXPECT_EQ(pole.GetJakoVariant().JakoAnsiString(), dowolne);
}

TEST(PolaTekstowe, DomyslnaWartoscToPustyTekst)
{
    TPoleString tekst;
    TPoleRawByteString bajty;
    TPoleWideString szeroki;
    for (TPole *pole : std::initializer_list<TPole *>{&tekst, &bajty, &szeroki}) {
        EXPECT_TRUE(pole->MaDefWartosc());
        pole->SetJakoString(QStringLiteral("x"));
        EXPECT_FALSE(pole->MaDefWartosc());
        pole->ZerujDane();
        EXPECT_TRUE(pole->MaDefWartosc()) << pole->ClassName().toStdString();
    }
}

TEST(PorownanieTekstow, RegulaWgLocale)
{
    struct
    {
        const char *A;
        const char *B;
        bool BezWielkosci;
        uint32_t Locale;
        int Znak;
    } przypadki[] = {
        {"abc", "ABC", true, LocaleDomyslny, 0},
        {"abc", "ABC", false, LocaleDomyslny, 1},
        {"ab", "abc", true, LocaleDomyslny, -1},
        // Windows-1250 codes: "ą" (B9) sorts after "z" (7A) and before "ż" (BF)
        {"ą", "z", false, LocaleDomyslny, 1},
        {"ą", "ż", false, LocaleDomyslny, -1},
        // only ASCII letters fold
        {"ą", "Ą", true, LocaleDomyslny, 1},
        {"abc", "ABD", true, LocalePorzadkowy, -1},
        {"b", "A", false, LocalePorzadkowy, 1},
    };
    for (const auto &p : przypadki) {
        const int wynik = PorownajTeksty(QString::fromUtf8(p.A), QString::fromUtf8(p.B), p.BezWielkosci, p.Locale);
        EXPECT_EQ((wynik > 0) - (wynik < 0), p.Znak) << p.A << " " << p.B;
    }
}

TEST(PolaTekstowe, PorownanieBezWielkosciLiter)
{
    TPoleString a, b;
    a.Wartosc = QStringLiteral("Alfa");
    b.Wartosc = QStringLiteral("ALFA");
    EXPECT_EQ(a.Porownaj(b), 0);
    b.Wartosc = QStringLiteral("ALFAB");
    EXPECT_EQ(a.Porownaj(b), -1);

    TPoleRawByteString c, d;
    c.Wartosc = "abc";
    d.Wartosc = "ABC";
    EXPECT_EQ(c.Porownaj(d), 0);
    TPorownywaczDanych porownywacz(nullptr, nullptr);
    porownywacz.RozmLiter = rlRozmLiterWazny;
    EXPECT_EQ(c.Porownaj(d, &porownywacz), 1);
    porownywacz.RozmLiter = rlRozmLiterNiewazny;
    EXPECT_EQ(c.Porownaj(d, &porownywacz), 0);
}

TEST(PoleString, MaskaToFormat)
{
    TPoleString pole;
    pole.Wartosc = QStringLiteral("Jan");
    EXPECT_EQ(pole.WartWgMaski(QStringLiteral("[%s]")), QStringLiteral("[Jan]"));
    EXPECT_EQ(pole.WartWgMaski(QString()), QStringLiteral("Jan"));
}

TEST(PoleBoolean, SlowaTekstIVariant)
{
    TPoleBoolean pole;
    for (const char *tekst : {"Tak", "tak", "TAK", "yes", "T", "Y", "1", "5"}) {
        pole.Wartosc = false;
        pole.SetJakoString(QString::fromLatin1(tekst));
        EXPECT_TRUE(pole.Wartosc) << tekst;
        EXPECT_EQ(pole.GetJakoString(), QStringLiteral("T"));
    }
    for (const char *tekst : {"Nie", "no", "N", "F", "0", ""}) {
        pole.Wartosc = true;
        pole.SetJakoString(QString::fromLatin1(tekst));
        EXPECT_FALSE(pole.Wartosc) << tekst;
        EXPECT_EQ(pole.GetJakoString(), QStringLiteral("N"));
    }
    pole.Wartosc = true;
    try {
        pole.SetJakoString(QStringLiteral("maybe"));
        FAIL();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("błędna wartość boolean = \"maybe\""));
    }
    EXPECT_TRUE(pole.Wartosc);

    pole.SetJakoVariant(Variant::ZString(QStringLiteral("nie")));
    EXPECT_FALSE(pole.Wartosc);
    pole.SetJakoVariant(Variant::ZInteger(2));
    EXPECT_TRUE(pole.Wartosc);
    EXPECT_THROW(pole.SetJakoVariant(Variant::ZDouble(0.5)), LkException);
}

TEST(PoleBoolean, Maski)
{
    TPoleBoolean pole;
    const struct
    {
        const char *Maska;
        bool Wartosc;
        const char *Tekst;
    } przypadki[] = {
        {"Yes;No", false, "No"}, {"Yes;No", true, "Yes"}, {"Yes;No;x", false, "No"},
        {"Yes", true, "Yes"},    {"Yes", false, ""},      {"", false, "N"},
    };
    for (const auto &p : przypadki) {
        pole.Wartosc = p.Wartosc;
        EXPECT_EQ(pole.WartWgMaski(QString::fromLatin1(p.Maska)), QString::fromLatin1(p.Tekst)) << p.Maska;
    }
}

} // namespace

namespace {

TEST(PoleMaCeche, LuzneWartosci)
{
    TPoleString tekst;
    tekst.Wartosc = QStringLiteral("Alfa");
    EXPECT_TRUE(tekst.PoleMaCeche(QStringLiteral("ALFA")));
    EXPECT_FALSE(tekst.PoleMaCeche(QStringLiteral("ALFA"), false));
    EXPECT_FALSE(tekst.PoleMaCeche(QStringLiteral("Alf")));
    EXPECT_TRUE(tekst.PoleMaCeche(QByteArray("alfa")));

    TPoleWideString szeroki;
    szeroki.Wartosc = QString::fromUtf8("ą");
    EXPECT_TRUE(szeroki.PoleMaCeche(QString::fromUtf8("ą")));
    EXPECT_GT(szeroki.PorownajZCecha(QStringLiteral("z")), 0);

    TPoleInteger liczba;
    EXPECT_TRUE(liczba.PoleMaCeche(0)); // an empty field is the zero of the element's kind
    liczba.Wartosc = 5;
    EXPECT_TRUE(liczba.PoleMaCeche(5));
    EXPECT_TRUE(liczba.PoleMaCeche(5.0));
    EXPECT_LT(liczba.PorownajZCecha(6LL), 0);
    EXPECT_TRUE(liczba.PoleMaCeche(TVarRec::Currency(50000)));
    EXPECT_TRUE(liczba.PoleMaCeche(QStringLiteral("5")));

    TPoleBoolean logiczne;
    logiczne.Wartosc = true;
    EXPECT_TRUE(logiczne.PoleMaCeche(true));
    EXPECT_TRUE(logiczne.PoleMaCeche(1));
    EXPECT_GT(logiczne.PorownajZCecha(false), 0);

    int zmienna = 0;
    try {
        liczba.PorownajZCecha(static_cast<const void *>(&zmienna));
        FAIL();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("błędny typ parametru: 5"));
    }
}

} // namespace
