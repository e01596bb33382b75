#include "PolaCalkowite.h"

#include <gtest/gtest.h>

#include <functional>

#include <memory>

namespace {

std::unique_ptr<TPoleCalkowitoliczbowe> utworz(const TOpisKlasy &p_Klasa)
{
    return std::unique_ptr<TPoleCalkowitoliczbowe>(static_cast<TPoleCalkowitoliczbowe *>(p_Klasa.Tworz(nullptr)));
}

TEST(PolaCalkowite, TekstZawezonyDoSzerokosciBezKontroli)
{
    struct
    {
        const TOpisKlasy &Klasa;
        const char *Tekst;
        int64_t Wartosc;
    } przypadki[] = {
        {TPoleByte::Opis, "256", 0},
        {TPoleByte::Opis, "-1", 255},
        {TPoleSmallint::Opis, "32768", -32768},
        {TPoleWord::Opis, "65537", 1},
        {TPoleInteger::Opis, "-2147483648", -2147483648LL},
        {TPoleCardinal::Opis, "4294967297", 1},
        {TPoleCardinal::Opis, "-1", 4294967295LL},
        {TPoleInt64::Opis, "-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {TPoleInteger::Opis, " $FF ", 255},
    };
    for (const auto &p : przypadki) {
        auto pole = utworz(p.Klasa);
        pole->SetJakoString(QString::fromLatin1(p.Tekst));
        EXPECT_EQ(pole->JakoInt64(), p.Wartosc) << p.Klasa.Nazwa << " " << p.Tekst;
        EXPECT_EQ(pole->GetJakoString(), QString::number(p.Wartosc));
    }
}

TEST(PolaCalkowite, ZakresOdczytuZTokenu)
{
    EXPECT_FALSE(TPoleByte().MiesciSie(256));
    EXPECT_TRUE(TPoleByte().MiesciSie(255));
    EXPECT_FALSE(TPoleSmallint().MiesciSie(-32769));
    EXPECT_FALSE(TPoleWord().MiesciSie(-1));
    EXPECT_FALSE(TPoleInteger().MiesciSie(2147483648LL));
    EXPECT_TRUE(TPoleCardinal().MiesciSie(-1)); // keeps the low 32 bits
}

TEST(PolaCalkowite, BlednyTekstZostawiaWartosc)
{
    TPoleInteger liczba;
    liczba.Wartosc = 7;
    EXPECT_THROW(liczba.SetJakoString(QStringLiteral("12a")), EConvertError);
    EXPECT_THROW(liczba.SetJakoString(QStringLiteral("4294967296")), EConvertError);
    EXPECT_EQ(liczba.Wartosc, 7);

    TPoleCardinal cardinal;
    cardinal.Wartosc = 9;
    try {
        cardinal.SetJakoString(QStringLiteral("abc"));
        FAIL();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("błędna wartość Cardinal: abc"));
    }
    EXPECT_EQ(cardinal.Wartosc, 9u);
}

TEST(PolaCalkowite, ATextThatIsNoIntegerIsToldInPolish)
{
    const struct
    {
        std::function<void(const QString &)> Ustaw;
        const char *Tekst;
    } przypadki[] = {
        {[](const QString &p_T) { TPoleInteger().SetJakoString(p_T); }, "12a"},
        {[](const QString &p_T) { TPoleInteger().SetJakoString(p_T); }, "4294967296"},
        {[](const QString &p_T) { TPoleSmallint().SetJakoString(p_T); }, ""},
        {[](const QString &p_T) { TPoleInt64().SetJakoString(p_T); }, "1.5"},
        {[](const QString &p_T) { TPoleInt64().SetJakoString(p_T); }, "9223372036854775808"},
    };
    for (const auto &p : przypadki) {
        try {
            p.Ustaw(QString::fromLatin1(p.Tekst));
            ADD_FAILURE() << p.Tekst;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8("'%1' nie jest poprawną liczbą całkowitą").arg(QString::fromLatin1(p.Tekst)));
        }
    }
}

TEST(PolaCalkowite, VariantWSzerokosciPola)
{
    TPoleCardinal cardinal;
    cardinal.Wartosc = 4000000000u;
    EXPECT_EQ(cardinal.GetJakoVariant().Typ(), Variant::TTyp::Int64);
    EXPECT_EQ(cardinal.GetJakoVariant().JakoInt64(), 4000000000LL);

    TPoleByte bajt;
    bajt.SetJakoVariant(Variant::ZBoolean(true));
    EXPECT_EQ(bajt.Wartosc, 1); // a Boolean is 1, not the variant's -1
    bajt.SetJakoVariant(Variant::ZInteger(300));
    EXPECT_EQ(bajt.Wartosc, 44);
    EXPECT_EQ(bajt.GetJakoVariant().Typ(), Variant::TTyp::Byte);
}

TEST(PolaCalkowite, ZerowanieIPorownanie)
{
    TPoleSmallint a;
    TPoleInt64 b;
    a.Wartosc = -5;
    EXPECT_FALSE(a.MaDefWartosc());
    b.Wartosc = 3;
    EXPECT_LT(a.Porownaj(b), 0);
    EXPECT_GT(b.Porownaj(a), 0);
    b.KopiujDane(a);
    EXPECT_EQ(b.Porownaj(a), 0);
    a.ZerujDane();
    EXPECT_TRUE(a.MaDefWartosc());
    EXPECT_EQ(a.Klasa().ClassName(), QStringLiteral("TPoleSmallint"));
    EXPECT_TRUE(a.MoznaPorownywacZ(b) == false);
}

TEST(PolaCalkowite, MaskaListyTekstow)
{
    TPoleInteger liczba;
    const QString maska = QStringLiteral("?zero;one;two");
    const struct
    {
        int Wartosc;
        const char *Tekst;
    } przypadki[] = {{0, "zero"}, {1, "one"}, {2, "two"}, {5, ""}, {-1, ""}};
    for (const auto &p : przypadki) {
        liczba.Wartosc = p.Wartosc;
        EXPECT_EQ(liczba.WartWgMaski(maska), QString::fromLatin1(p.Tekst)) << p.Wartosc;
    }
    EXPECT_EQ(liczba.WartWgMaski(QString()), QStringLiteral("-1"));
}

} // namespace
