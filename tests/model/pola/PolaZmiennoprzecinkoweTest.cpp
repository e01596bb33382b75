#include "PolaZmiennoprzecinkowe.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(PolaZmiennoprzecinkowe, TekstLiczby)
{
    struct
    {
        double Wartosc;
        const char *Tekst;
    } przypadki[] = {
        {0, "0"},
        {12.5, "12.5"},
        {-12.5, "-12.5"},
        {0.1, "0.1"},
        {100, "100"},
        {1e20, "1E20"},
        {1.5e-7, "1.5E-7"},
        {0.00001, "0.00001"},
        {0.000012345, "0.000012345"},
        {0.0000099, "9.9E-6"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E15"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-1e-300, "-1E-300"},
    };
    for (const auto &p : przypadki) {
        TPoleDouble pole;
        pole.Wartosc = p.Wartosc;
        EXPECT_EQ(pole.GetJakoString().toStdString(), p.Tekst);
    }
    TPoleExtended dluga;
    dluga.Wartosc = 1.0L / 3;
    EXPECT_EQ(dluga.GetJakoString(), QStringLiteral("0.333333333333333333"));
}

// Doubles of up to three decimals take a shorter way than the others: both must
// give the shortest text that reads back, in fixed notation in this range.
TEST(PolaZmiennoprzecinkowe, TekstLiczbyKrotkichJakNajkrotszy)
{
    std::mt19937_64 los(11);
    auto najkrotszy = [](double p_Wartosc) {
        char bufor[64];
        const auto r = std::to_chars(bufor, bufor + sizeof bufor, p_Wartosc, std::chars_format::fixed);
        return std::string(bufor, r.ptr);
    };
    std::vector<double> wartosci = {0.001, 0.005, 0.1, 0.3, 1.005, 2.675, 99999999999.999, 99999999999.5,
                                     4503599627370.5, 0.0015, 1e-4, 123.4567, 0.07, 1e10 + 0.001};
    for (int i = 0; i < 200000; ++i) {
        const int miejsc = static_cast<int>(los() % 6);
        const auto calosc = static_cast<int64_t>(los() % 100000000000000ULL) >> (los() % 40);
        wartosci.push_back(static_cast<double>(calosc) / std::pow(10.0, miejsc) * (los() % 2 ? 1 : -1));
        wartosci.push_back(std::ldexp(static_cast<double>(los() % (1ULL << 53)), -static_cast<int>(los() % 60)));
    }
    for (const double w : wartosci) {
        if (w == 0 || std::fabs(w) < 1e-5 || std::fabs(w) >= 1e15 || najkrotszy(std::fabs(w)).size() > 16)
            continue; // outside fixed notation of at most 15 digits
        TPoleDouble pole;
        pole.Wartosc = w;
        ASSERT_EQ(pole.GetJakoString().toStdString(), najkrotszy(w)) << w;
    }
}

TEST(PolaZmiennoprzecinkowe, TekstCurrency)
{
    struct
    {
        int64_t Wartosc;
        const char *Tekst;
    } przypadki[] = {
        {0, "0"},          {125000, "12.5"},      {-125000, "-12.5"}, {1, "0.0001"},     {-1, "-0.0001"},
        {12345678, "1234.5678"}, {10000000, "1000"}, {std::numeric_limits<int64_t>::min(), "-922337203685477.5808"},
    };
    for (const auto &p : przypadki) {
        TPoleCurrency pole;
        pole.Wartosc = p.Wartosc;
        EXPECT_EQ(pole.GetJakoString().toStdString(), p.Tekst);
    }
}

TEST(PolaZmiennoprzecinkowe, ParsowanieZPrzecinkiemIOdstepami)
{
    const struct
    {
        const char *Tekst;
        double Wartosc;
    } przypadki[] = {
        {"12,5", 12.5}, {"12.5", 12.5}, {"1 234,5", 1234.5}, {"-0,25", -0.25}, {"1e3", 1000},
    };
    for (const auto &p : przypadki) {
        TPoleDouble pole;
        pole.SetJakoString(QString::fromUtf8(p.Tekst));
        EXPECT_EQ(pole.Wartosc, p.Wartosc) << p.Tekst;
        EXPECT_EQ(pole.GetJakoString(), TekstLiczbyZmiennoprzecinkowej(p.Wartosc, 15));
    }
    const struct
    {
        const char *Tekst;
        int64_t Wartosc;
    } waluty[] = {
        // ties of the fifth decimal go away from zero
        {"12,34567", 123457}, {"0,00025", 3}, {"-0.00025", -3}, {"0,00005", 1},
    };
    for (const auto &p : waluty) {
        TPoleCurrency waluta;
        waluta.SetJakoString(QString::fromLatin1(p.Tekst));
        EXPECT_EQ(waluta.Wartosc, p.Wartosc) << p.Tekst;
    }
}

TEST(PolaZmiennoprzecinkowe, BlednyTekstZostawiaWartosc)
{
    TPoleDouble pole;
    pole.Wartosc = 3;
    for (const char *tekst : {"abc", "", "inf", "nan", "0x10", "1e999"}) {
        try {
            pole.SetJakoString(QString::fromLatin1(tekst));
            ADD_FAILURE() << tekst;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(),
                      QString::fromUtf8("'%1' nie jest poprawną liczbą zmiennoprzecinkową").arg(QString::fromLatin1(tekst)));
        }
    }
    EXPECT_EQ(pole.Wartosc, 3);

    TPoleCurrency waluta;
    waluta.Wartosc = 5;
    try {
        waluta.SetJakoString(QStringLiteral("1e16"));
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("'1e16' nie jest poprawną liczbą Currency"));
    }
    EXPECT_EQ(waluta.Wartosc, 5);
}

TEST(PolaZmiennoprzecinkowe, Zaokraglanie)
{
    const struct
    {
        double Wartosc;
        uint8_t Miejsca;
        double Wynik;
    } przypadki[] = {
        {2.675, 2, 2.68}, {-2.675, 2, -2.68}, {2.5, 0, 3}, {-2.5, 0, -3}, {1.23456, 3, 1.235},
        {123456.00049, 3, 123456.0}, {0.125, 2, 0.13}, {7, 4, 7},
    };
    for (const auto &p : przypadki) {
        TPoleDouble pole;
        pole.Wartosc = p.Wartosc;
        pole.Zaokraglij(p.Miejsca);
        EXPECT_DOUBLE_EQ(pole.Wartosc, p.Wynik) << p.Wartosc << " " << int(p.Miejsca);
    }
    TPoleCurrency waluta;
    waluta.Wartosc = 26750; // 2.675
    waluta.Zaokraglij(2);
    EXPECT_EQ(waluta.Wartosc, 26800);
}

TEST(PolaZmiennoprzecinkowe, VariantKopiaIPorownanie)
{
    TPoleCurrency waluta;
    waluta.SetJakoVariant(Variant::ZDouble(12.5));
    EXPECT_EQ(waluta.Wartosc, 125000);
    EXPECT_EQ(waluta.GetJakoVariant().Typ(), Variant::TTyp::Currency);

    TPoleDouble liczba;
    liczba.KopiujDane(waluta);
    EXPECT_EQ(liczba.Wartosc, 12.5);
    EXPECT_EQ(liczba.Porownaj(waluta), 0);
    liczba.Wartosc = 12.49;
    EXPECT_LT(liczba.Porownaj(waluta), 0);
    EXPECT_GT(waluta.Porownaj(liczba), 0);

    TPoleInteger calkowita;
    calkowita.Wartosc = 13;
    EXPECT_GT(calkowita.Porownaj(waluta), 0);
    EXPECT_FALSE(liczba.MaDefWartosc());
    liczba.ZerujDane();
    EXPECT_TRUE(liczba.MaDefWartosc());

    // An extended keeps the digits a double has not.
    TPoleExtended zrodlo;
    zrodlo.Wartosc = -1.25e-300L;
    TPoleExtended kopia;
    kopia.KopiujDane(zrodlo);
    EXPECT_EQ(kopia.Wartosc, zrodlo.Wartosc);
    EXPECT_EQ(kopia.Porownaj(zrodlo), 0);
}

} // namespace

namespace {

TEST(PolaZmiennoprzecinkowe, MaskiPokazujaUlamekTylkoGdyJest)
{
    const struct
    {
        double Wartosc;
        const char *Maska;
        const char *Tekst;
    } przypadki[] = {
        {12.5, "0.00", "12.50"},
        {12.0, "0.00", "12"},
        {12.001, "0.00", "12"},
        {1234567.25, "#,##0.00", "1 234 567.25"},
        {-12.5, "0.00", "-12.50"},
        {0.5, "#.##", ".5"},
        {7, "0000", "0007"},
        {-3, "0;(0)", "(3)"},
        {0, "0;(0);zero", "zero"},
        {2.5, "0.0 zł", "2.5 zł"},
        // Exact binary halves round away from zero.
        {0.25, "0.0", "0.3"},
        {2.5, "0", "3"},
        {9.995, "0.00", "9.99"},
    };
    for (const auto &p : przypadki) {
        TPoleDouble pole;
        pole.Wartosc = p.Wartosc;
        EXPECT_EQ(pole.WartWgMaski(QString::fromUtf8(p.Maska)).toStdString(), p.Tekst) << p.Wartosc << " " << p.Maska;
    }
    TPoleInteger liczba;
    liczba.Wartosc = -1234;
    EXPECT_EQ(liczba.WartWgMaski(QStringLiteral("#,##0")), QStringLiteral("-1 234"));
    TPoleCurrency waluta;
    waluta.Wartosc = 125000;
    EXPECT_EQ(waluta.WartWgMaski(QStringLiteral("0.00")), QStringLiteral("12.50"));
    EXPECT_EQ(waluta.WartWgMaski(QString()), QStringLiteral("12.5"));
    EXPECT_EQ(waluta.WartWgMaski(QStringLiteral("0.0E+00")), QStringLiteral("1.3E+01"));
}

TEST(PolaZmiennoprzecinkowe, MaskiWykladnicze)
{
    struct Przypadek
    {
        double Wartosc;
        const char *Maska;
        const char *Tekst;
    };
    const Przypadek przypadki[] = {
        {12345, "0.00E+00", "1.23E+04"},  {0.000123, "0.00E+00", "1.23E-04"}, {0.000123, "0.0E-0", "1.2E-4"},
        {12345, "0.0E-0", "1.2E4"},       {-12345, "0.00E+00", "-1.23E+04"},  {9.999, "0.00E+00", "1.00E+01"},
        {12345, "00.0E+0", "12.3E+3"},    {0, "0.00E+00", "0.00E+00"},        {12345, "#.##E+000 m", "1.23E+004 m"},
    };
    for (const Przypadek &p : przypadki) {
        TPoleDouble pole;
        pole.Wartosc = p.Wartosc;
        EXPECT_EQ(pole.WartWgMaski(QString::fromUtf8(p.Maska)).toStdString(), p.Tekst) << p.Wartosc << " " << p.Maska;
    }
    TPoleInteger liczba;
    liczba.Wartosc = 1500;
    EXPECT_EQ(liczba.WartWgMaski(QStringLiteral("0.0E+0")), QStringLiteral("1.5E+3"));
}

} // namespace
