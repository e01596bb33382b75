#include "KlasyTestowe.h"

#include <gtest/gtest.h>

namespace {

// Two equal graphs in which every node refers back to the root.
struct TDwaCykle
{
    TWezel Pierwszy;
    TWezel Drugi;

    TDwaCykle()
    {
        for (TWezel *korzen : {&Pierwszy, &Drugi}) {
            korzen->WpiszDane({int(TWezel::Nazwa), int(TWezel::Cel)}, {QStringLiteral("k"), korzen});
            korzen->Pod(TWezel::Lewy).WpiszDane({int(TWezel::Nazwa), int(TWezel::Cel)}, {QStringLiteral("l"), korzen});
        }
    }
};

TEST(ObiektPorownanie, GrafyZCyklamiPorownujaSieSkonczenie)
{
    TDwaCykle grafy;
    EXPECT_EQ(grafy.Pierwszy.Porownaj(grafy.Drugi), 0);

    grafy.Drugi.Pod(TWezel::Lewy).UstawTekstowo(TWezel::Nazwa, QStringLiteral("m"));
    EXPECT_EQ(grafy.Pierwszy.Porownaj(grafy.Drugi), -1);
    EXPECT_EQ(grafy.Drugi.Porownaj(grafy.Pierwszy), 1);
}

TEST(ObiektPorownanie, TrybyReferencji)
{
    TWezel a;
    TWezel b;
    TWezel celA;
    celA.WpiszDane({int(TWezel::Nazwa)}, {QStringLiteral("x")});
    TWezel celB;
    celB.WpiszDane({int(TWezel::Nazwa)}, {QStringLiteral("y")});
    a.WpiszDane({int(TWezel::Wsk)}, {&celA});
    b.WpiszDane({int(TWezel::Wsk)}, {&celB});
    EXPECT_EQ(a.PorownajZObiektem(b), -1) << "targets compare by their data";
    EXPECT_EQ(a.PorownajZObiektem(b, rpWszystkie, rlRozmLiterNiewazny, 0, tprIgnorujRef), 0);
    // Both targets are roots outside the compared trees: their paths are equal.
    EXPECT_EQ(a.PorownajZObiektem(b, rpWszystkie, rlRozmLiterNiewazny, 0, tprRefJakoSciezki), 0);

    b.WpiszDane({int(TWezel::Wsk)}, {static_cast<const void *>(nullptr)});
    EXPECT_EQ(a.PorownajZObiektem(b), 1) << "a field without target sorts first";
}

TEST(ObiektPorownanie, PoleBezWartosciAleZDomyslnaNieRozni)
{
    TWezel a;
    TWezel b;
    a.UstawTekstowo(TWezel::Ilosc, QStringLiteral("0"));
    EXPECT_EQ(a.Porownaj(b), 0);
    a.UstawTekstowo(TWezel::Ilosc, QStringLiteral("3"));
    EXPECT_EQ(a.Porownaj(b), 1);
    EXPECT_EQ(b.Porownaj(a), -1);
}

TEST(ObiektPorownanie, WielkoscLiterWedlugPorownywacza)
{
    TWezel a;
    a.WpiszDane({int(TWezel::Nazwa)}, {QStringLiteral("abc")});
    TWezel b;
    b.WpiszDane({int(TWezel::Nazwa)}, {QStringLiteral("ABC")});
    EXPECT_EQ(a.PorownajZObiektem(b), 0);
    EXPECT_EQ(a.PorownajZObiektem(b, rpWszystkie, rlRozmLiterWazny), 1);
}

} // namespace
