#include "DatyICzasy.h"
#include "PolaDatyICzasu.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 2024-03-05 as days since 1899-12-30.
constexpr double Dzien20240305 = 45356;

double godzina(int h, int m, double s)
{
    return (h * 3600 + m * 60 + s) / 86400.0;
}

TEST(PoleDateTime, FormyTekstu)
{
    const struct
    {
        const char *Tekst;
        double Wartosc;
    } przypadki[] = {
        {"2024-03-05T10:20:30.5+01:00", Dzien20240305 + godzina(10, 20, 30.5)},
        {"2024-03-05T10:20:30Z", Dzien20240305 + godzina(10, 20, 30)},
        {"2024-03-05T10:20:30.125Z", Dzien20240305 + godzina(10, 20, 30.125)},
        {"2024-03-05 10:20", Dzien20240305 + godzina(10, 20, 0)},
        {"2024-03-05T10:20:30-05:00", Dzien20240305 + godzina(10, 20, 30)},
        {"2024-03-05", Dzien20240305},
        {"05-MAR-2024", Dzien20240305},
        {"05-mar-2024", Dzien20240305},
        {"20240305", Dzien20240305},
        {"05.03.2024", Dzien20240305},
        {"2024/03/05", Dzien20240305},
    };
    for (const auto &p : przypadki) {
        TPoleDateTime pole;
        pole.SetJakoString(QString::fromLatin1(p.Tekst));
        EXPECT_NEAR(pole.Wartosc, p.Wartosc, 1e-9) << p.Tekst;
    }
}

TEST(PoleDateTime, BlednyTekst)
{
    TPoleDateTime pole;
    pole.Wartosc = 7;
    for (const char *tekst : {"2024-02-30", "2024-03-05T25:00:00", "2024-03-05T10:20:30.x", "jutro", "05-XYZ-2024"}) {
        try {
            pole.SetJakoString(QString::fromLatin1(tekst));
            ADD_FAILURE() << tekst;
        } catch (const EConvertError &e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("'%1' nie jest poprawn").arg(QString::fromLatin1(tekst))))
                << e.what();
        }
    }
    EXPECT_EQ(pole.Wartosc, 7);
    try {
        TPoleDate data;
        data.SetJakoString(QStringLiteral("jutro"));
        FAIL();
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("'jutro' nie jest poprawną datą i czasem"));
    }
}

TEST(PoleDateTime, GlobalnaKonwersjaDatyPytanaNaKoncu)
{
    GlobalnaKonwersjaDaty = [](const QString &p_Tekst) -> std::optional<double> {
        if (p_Tekst == QLatin1String("jutro"))
            return 45001;
        return std::nullopt;
    };
    TPoleDate data;
    data.SetJakoString(QStringLiteral("jutro"));
    EXPECT_EQ(data.Wartosc, 45001);
    TPoleDateTime dataICzas;
    dataICzas.SetJakoString(QStringLiteral("jutro 10:00"));
    EXPECT_DOUBLE_EQ(dataICzas.Wartosc, 45001 + 10.0 / 24);
    data.SetJakoString(QStringLiteral("2023-03-15"));
    EXPECT_EQ(data.Wartosc, 45000) << "the standard forms come first";
    EXPECT_THROW(data.SetJakoString(QStringLiteral("pojutrze")), EConvertError);
    GlobalnaKonwersjaDaty = nullptr;
}

TEST(PolaDatyICzasu, NiezmiennikiDatyICzasu)
{
    TPoleTime czas;
    czas.SetJakoString(QStringLiteral("2024-03-05 10:20"));
    EXPECT_NEAR(czas.Wartosc, godzina(10, 20, 0), 1e-12);
    EXPECT_EQ(czas.GetJakoString(), QStringLiteral("10:20:00"));
    czas.SetJakoVariant(Variant::ZDate(45000.25));
    EXPECT_DOUBLE_EQ(czas.Wartosc, 0.25);

    TPoleDate data;
    data.SetJakoVariant(Variant::ZDate(45000.75));
    EXPECT_EQ(data.Wartosc, 45000);
    EXPECT_EQ(data.GetJakoString(), QStringLiteral("2023-03-15"));
    data.SetJakoString(QStringLiteral("2024-03-05T23:59:59"));
    EXPECT_EQ(data.Wartosc, Dzien20240305);
    EXPECT_EQ(data.GetJakoVariant().Typ(), Variant::TTyp::Date);
}

TEST(PoleDateTime, TekstWybieraCzesci)
{
    TPoleDateTime pole;
    const struct
    {
        double Wartosc;
        const char *Tekst;
    } przypadki[] = {
        {45000.0, "2023-03-15"},
        {45000.5, "2023-03-15 12:00:00"},
        {0.75, "18:00:00"},
        {45000 + godzina(23, 59, 59.9996), "2023-03-16 00:00:00"},
    };
    for (const auto &p : przypadki) {
        pole.Wartosc = p.Wartosc;
        EXPECT_EQ(pole.GetJakoString().toStdString(), p.Tekst);
    }
    pole.SetJakoVariant(Variant::ZString(QStringLiteral("45000.5")));
    EXPECT_EQ(pole.Wartosc, 45000.5);
    pole.SetJakoVariant(Variant::ZString(QStringLiteral("2023-03-15")));
    EXPECT_EQ(pole.Wartosc, 45000);
}

TEST(PoleDateTime, Maski)
{
    TPoleDateTime pole;
    pole.Wartosc = Dzien20240305 + godzina(7, 8, 9.123);
    EXPECT_EQ(pole.WartWgMaski(QStringLiteral("dd.mm.yyyy hh:mm:ss.zzz")), QStringLiteral("05.03.2024 07:08:09.123"));
    EXPECT_EQ(pole.WartWgMaski(QStringLiteral("yy/mm/dd 'T' hh:nn")), QStringLiteral("24-03-05 T 07:08"));
    TFormatSettings fs = UstawieniaDatModelu();
    fs.DateSeparator = QLatin1Char('.');
    fs.ShortDateFormat = QStringLiteral("dd/MM/yyyy");
    EXPECT_EQ(pole.WartWgMaski(QString(), &fs), QStringLiteral("05.03.2024 07:08:09"));
    TPoleDate data;
    data.WczytajZTekstu(QStringLiteral("05.03.2024"), &fs);
    EXPECT_EQ(data.Wartosc, Dzien20240305);
    EXPECT_THROW(data.WczytajZTekstu(QStringLiteral("20240305"), &fs), EConvertError); // fixed layouts need the model's settings
    EXPECT_THROW(data.Zaokraglij(2), LkException);
}

} // namespace
