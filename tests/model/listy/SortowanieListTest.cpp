#include "KlasyList.h"

namespace {

// Items named by the letters of p_Nazwy, with the counts given.
void Wypelnij(TListaPozycji &p_Lista, const QString &p_Nazwy, const std::vector<int> &p_Ilosci = {})
{
    for (qsizetype i = 0; i < p_Nazwy.size(); ++i)
        p_Lista.Dopisz(p_Nazwy.mid(i, 1), i < qsizetype(p_Ilosci.size()) ? p_Ilosci[size_t(i)] : 0);
}

QString Nazwy(const TListaPozycji &p_Lista)
{
    QString nazwy;
    for (TObiekt *obiekt : p_Lista)
        nazwy += obiekt->Tekstowo(TPozycja::Nazwa);
    return nazwy;
}

TEST(SortowanieList, SortsByFieldsEachInItsDirection)
{
    TListaPozycji lista;
    Wypelnij(lista, QStringLiteral("dbaec"), {1, 2, 1, 2, 1});
    EXPECT_TRUE(lista.PosortujWgPol({int(TPozycja::Ilosc), QStringLiteral("Nazwa")}, TSortowanie{rsRosnaco, rsMalejaco}));
    EXPECT_EQ(Nazwy(lista), QStringLiteral("dcaeb"));
    EXPECT_TRUE(lista.ListaMaPosortowanie({int(TPozycja::Ilosc), QStringLiteral("Nazwa")}, TSortowanie{rsRosnaco, rsMalejaco}));
    EXPECT_FALSE(lista.ListaMaPosortowanie({QStringLiteral("Nazwa")}));
    // Sorted already: nothing moves.
    EXPECT_FALSE(lista.PosortujWgPol({int(TPozycja::Ilosc), QStringLiteral("Nazwa")}, TSortowanie{rsRosnaco, rsMalejaco}));
    // One direction serves every field after it.
    EXPECT_TRUE(lista.PosortujWgPol({int(TPozycja::Ilosc), int(TPozycja::Nazwa)}, rsMalejaco));
    EXPECT_EQ(Nazwy(lista), QStringLiteral("ebdca"));
    EXPECT_EQ(KomunikatBledu([&] { lista.PosortujWgPol({1.5}); }), QStringLiteral("PWP: Błędny typ indeksu"));
}

TEST(SortowanieList, AnItemWithoutTheFieldSortsFirstUnlessItsFieldHoldsItsDefault)
{
    TListaPozycji lista;
    Wypelnij(lista, QStringLiteral("abc"), {5, 0, -1});
    // "b" has no count at all; "c" holds -1.
    lista.Pozycja(0).Pole<TPoleInteger>(TPozycja::Ilosc);
    lista.PosortujWgPol({int(TPozycja::Ilosc)});
    EXPECT_EQ(Nazwy(lista), QStringLiteral("bca"));
}

TEST(SortowanieList, TheQuicksortFollowsTheClassicPartition)
{
    // The same comparison on the same input gives the same order of equal
    // items as the partition scheme this list has always used.
    TListaPozycji lista;
    Wypelnij(lista, QStringLiteral("abcdefgh"), {2, 1, 2, 1, 2, 1, 2, 1});
    lista.PosortujWgPol({int(TPozycja::Ilosc)});
    EXPECT_EQ(Nazwy(lista), QStringLiteral("dfhbgaec"));
    TListaPozycji jedna;
    Wypelnij(jedna, QStringLiteral("a"));
    EXPECT_FALSE(jedna.PosortujWgFun());
}

TEST(SortowanieList, SearchingASortedListGivesThePositionOrTheInsertionPoint)
{
    TListaPozycji lista;
    Wypelnij(lista, QStringLiteral("bdddf"));
    const struct
    {
        const char *Szukana;
        bool Jest;
        int Gdzie;
    } przypadki[] = {{"a", false, 0}, {"b", true, 0}, {"c", false, 1}, {"D", true, 1},
                     {"e", false, 4}, {"f", true, 4}, {"g", false, 5}};
    for (const auto &p : przypadki) {
        int gdzie = -7;
        EXPECT_EQ(lista.WyszukajWgPol({QStringLiteral("Nazwa")}, {QString::fromLatin1(p.Szukana)}, gdzie), p.Jest) << p.Szukana;
        EXPECT_EQ(gdzie, p.Gdzie) << p.Szukana;
    }
    int od = -1;
    int doo = -1;
    EXPECT_TRUE(lista.WyszukajZakres({QStringLiteral("Nazwa")}, {QStringLiteral("d")}, od, doo));
    EXPECT_EQ(std::make_pair(od, doo), std::make_pair(1, 3));
    // Descending order, and a one-item list.
    lista.PosortujWgPol({QStringLiteral("Nazwa")}, rsMalejaco);
    int gdzie = -1;
    EXPECT_FALSE(lista.WyszukajWgPol({QStringLiteral("Nazwa")}, {QStringLiteral("c")}, gdzie, rlRozmLiterNiewazny, rsMalejaco));
    EXPECT_EQ(gdzie, 4);
    TListaPozycji jedna;
    Wypelnij(jedna, QStringLiteral("m"));
    EXPECT_FALSE(jedna.WyszukajWgPol({QStringLiteral("Nazwa")}, {QStringLiteral("z")}, gdzie));
    EXPECT_EQ(gdzie, 1);
    EXPECT_TRUE(jedna.WyszukajIUsun({QStringLiteral("Nazwa")}, {QStringLiteral("M")}));
    EXPECT_TRUE(jedna.ListaPusta());
}

TEST(SortowanieList, DuplicatesGoFromTheEnd)
{
    TListaPozycji lista;
    Wypelnij(lista, QStringLiteral("aBbAc"), {1, 2, 3, 4, 5});
    EXPECT_TRUE(lista.SaDuplikaty({QStringLiteral("Nazwa")}));
    EXPECT_EQ(lista.UsunDuplikaty({QStringLiteral("Nazwa")}), 2);
    EXPECT_EQ(Nazwy(lista), QStringLiteral("aBc"));
    EXPECT_FALSE(lista.SaDuplikaty({QStringLiteral("Nazwa")}));

    // An item something refers to stays with p_TylkoBezRef; empty ones with p_IgnorujPuste.
    TListaPozycji druga;
    Wypelnij(druga, QStringLiteral("aa"));
    druga.DopiszObiekt(nullptr);
    druga.DopiszObiekt(nullptr);
    TListaWskObiektow wskazania;
    wskazania.DopiszObiekt(&druga.Pozycja(1));
    EXPECT_EQ(druga.UsunDuplikaty({QStringLiteral("Nazwa")}, rlRozmLiterNiewazny, true, true), 0);
    EXPECT_EQ(druga.UsunDuplikaty({QStringLiteral("Nazwa")}), 2);
}

TEST(SortowanieList, SearchesByValuesAndByObjects)
{
    TListaPozycji lista;
    Wypelnij(lista, QStringLiteral("abcab"), {1, 2, 3, 4, 5});
    int gdzie = -1;
    EXPECT_TRUE(lista.JestObiekt({QStringLiteral("Nazwa")}, {QStringLiteral("b")}, gdzie));
    EXPECT_EQ(gdzie, 1);
    EXPECT_TRUE(lista.JestObiekt({QStringLiteral("Nazwa")}, {QStringLiteral("b")}, gdzie, rlRozmLiterNiewazny, rwOdKonca));
    EXPECT_EQ(gdzie, 4);
    EXPECT_TRUE(lista.JestObiekt({QStringLiteral("Nazwa")}, {QStringLiteral("a")}, gdzie, rlRozmLiterNiewazny, rwOdPoczatku, 1));
    EXPECT_EQ(gdzie, 3);
    EXPECT_EQ(lista.IleJestObiektow({QStringLiteral("Nazwa")}, {QStringLiteral("A")}), 2);
    EXPECT_EQ(lista.IleJestObiektow({QStringLiteral("Nazwa")}, {QStringLiteral("A")}, rlRozmLiterWazny), 0);
    EXPECT_TRUE(lista.JestInnyObiekt(lista.Pozycja(0), {QStringLiteral("Nazwa")}, gdzie));
    EXPECT_EQ(gdzie, 3);
    EXPECT_FALSE(lista.JestInnyObiekt(lista.Pozycja(2), {QStringLiteral("Nazwa")}, gdzie));
    EXPECT_EQ(lista.ZnajdzObiekt(&lista.Pozycja(3), rwOdKonca), 3);
    EXPECT_EQ(lista.UsunObiekty({QStringLiteral("Nazwa")}, {QStringLiteral("a")}), 2);
    EXPECT_EQ(lista.UsunObiektyOprocz({QStringLiteral("Nazwa")}, {QStringLiteral("b")}), 1);
    EXPECT_EQ(Nazwy(lista), QStringLiteral("bb"));
}

TEST(SortowanieList, AggregatesOverOneField)
{
    TListaPozycji lista;
    Wypelnij(lista, QStringLiteral("abca"), {4, -2, 7});
    lista.Pozycja(0).UstawPole<TPoleCurrency>(TPozycja::Kwota, int64_t{12345});
    lista.Pozycja(1).UstawPole<TPoleCurrency>(TPozycja::Kwota, int64_t{1});
    EXPECT_EQ(lista.DajSumeWartPola(int(TPozycja::Ilosc)), 9.0);
    EXPECT_EQ(lista.DajMinWartPola(QStringLiteral("Ilosc")), -2.0);
    EXPECT_EQ(lista.DajMaxWartPola(int(TPozycja::Ilosc)), 7.0);
    EXPECT_EQ(lista.GdzieMaxWartPola(int(TPozycja::Ilosc)), 2);
    EXPECT_EQ(lista.DajSumeCurrency(int(TPozycja::Kwota)), 12346);
    EXPECT_EQ(lista.DajMaxCurrency(int(TPozycja::Kwota)), 12345);
    EXPECT_EQ(lista.DajListeWartPola(int(TPozycja::Nazwa)), QStringLiteral("a, b, c, a"));
    EXPECT_EQ(lista.DajListeWartPola(int(TPozycja::Nazwa), QStringLiteral(";"), false, rlRozmLiterNiewazny, false,
                                     true, true, 1),
              QStringLiteral("a;b;c"));
    EXPECT_EQ(lista.DajMaxDlugPola(int(TPozycja::Ilosc)), 2);
    QStringList opisy;
    lista.WpiszDoStrings(opisy);
    EXPECT_EQ(opisy.first(), QStringLiteral("Nazwa: a; Ilosc: 4; Kwota: 1.2345"));
}

TEST(SortowanieList, ItemsMoveBetweenListsByTheirValues)
{
    TListaPozycji zrodlo;
    Wypelnij(zrodlo, QStringLiteral("abcd"), {1, 2, 1, 2});
    TListaPozycji cel;
    cel.PrzeniesObiektyOCechach(zrodlo, {int(TPozycja::Ilosc)}, {1});
    EXPECT_EQ(Nazwy(cel), QStringLiteral("ac"));
    EXPECT_EQ(Nazwy(zrodlo), QStringLiteral("bd"));
    EXPECT_EQ(cel.Pozycja(0).Rodzic(), &cel);
    // Appending from another owning list appends copies.
    cel.DopiszDane(zrodlo);
    EXPECT_EQ(Nazwy(cel), QStringLiteral("acbd"));
    EXPECT_NE(cel.ObiektyListy(2), zrodlo.ObiektyListy(0));
    cel.DopiszObiektyGdyBrak(zrodlo, {QStringLiteral("Nazwa")});
    EXPECT_EQ(cel.IleObiektow(), 4);
    // Items of one list in another's order.
    TListaWskObiektow kolejnosc;
    kolejnosc.DopiszObiekt(cel.ObiektyListy(3));
    kolejnosc.DopiszObiekt(cel.ObiektyListy(1));
    cel.UstawKolejnoscWgListy(kolejnosc);
    EXPECT_EQ(Nazwy(cel), QStringLiteral("dcab"));
    cel.WpiszDaneDoPol({int(TPozycja::Ilosc)}, {9});
    EXPECT_EQ(cel.DajSumeWartPola(int(TPozycja::Ilosc)), 36.0);
    cel.WyrownajDoListy(kolejnosc);
    EXPECT_EQ(Nazwy(cel), QStringLiteral("dc"));
}

} // namespace
