#include "KlasyList.h"

#include <memory>

namespace {

// A list of n fresh items, owned by the list.
void Wypelnij(TListaPozycji &p_Lista, int p_Ile)
{
    for (int i = 0; i < p_Ile; ++i)
        p_Lista.Dopisz(QString::number(i), i);
}

QString Nazwy(const TListaBazowa &p_Lista)
{
    QStringList nazwy;
    for (TObiektBazowy *obiekt : p_Lista)
        nazwy << static_cast<TObiekt *>(obiekt)->Tekstowo(TPozycja::Nazwa);
    return nazwy.join(QLatin1Char(' '));
}

TEST(ListaBazowa, CapacityGrowsInTheFixedSteps)
{
    TListaPozycji lista;
    std::vector<int> pojemnosci;
    for (int i = 0; i < 13; ++i) {
        lista.DopiszObiekt(nullptr);
        if (pojemnosci.empty() || pojemnosci.back() != lista.PojemnoscListy())
            pojemnosci.push_back(lista.PojemnoscListy());
    }
    EXPECT_EQ(pojemnosci, (std::vector<int>{4, 8, 12, 28}));
    lista.DopiszObiekt(nullptr);
    EXPECT_EQ(TTablicaListy<int>::NowaPojemnosc(28), 44);
    EXPECT_EQ(TTablicaListy<int>::NowaPojemnosc(128), 144);
    EXPECT_EQ(TTablicaListy<int>::NowaPojemnosc(144), 162);

    TListaPozycji pelna;
    pelna.UstawPojemnoscListy(128);
    Wypelnij(pelna, 129);
    EXPECT_EQ(pelna.PojemnoscListy(), 144);
}

TEST(ListaBazowa, RemovalShrinksOnlyWhenAQuarterIsFree)
{
    TListaPozycji lista;
    lista.UstawPojemnoscListy(64);
    Wypelnij(lista, 64);
    while (lista.IleObiektow() > 48) {
        lista.UsunObiekt(0);
        ASSERT_EQ(lista.PojemnoscListy(), 64) << lista.IleObiektow();
    }
    lista.UsunObiekt(0);
    EXPECT_EQ(lista.IleObiektow(), 47);
    EXPECT_EQ(lista.PojemnoscListy(), 52);

    TListaPozycji zachowana;
    zachowana.UstawPojemnoscListy(64);
    Wypelnij(zachowana, 64);
    while (!zachowana.ListaPusta())
        zachowana.UsunObiekt(0, true, true);
    EXPECT_EQ(zachowana.PojemnoscListy(), 64);
}

TEST(ListaBazowa, SkrocListeOnlyLowersTheCount)
{
    TListaPozycji lista;
    Wypelnij(lista, 10);
    lista.SkrocListe(20);
    EXPECT_EQ(lista.IleObiektow(), 10);
    lista.SkrocListe(3);
    EXPECT_EQ(lista.IleObiektow(), 3);
    EXPECT_EQ(lista.PojemnoscListy(), 3);
    lista.SkrocListe(1, true);
    EXPECT_EQ(lista.PojemnoscListy(), 3);
}

TEST(ListaBazowa, PositionsOutsideTheListAppendPrependOrDoNothing)
{
    TListaPozycji lista;
    Wypelnij(lista, 3);
    TObiektBazowy *na100 = lista.DodajObiekt(nullptr, 100);
    EXPECT_EQ(lista.ZnajdzObiekt(na100), 3);
    TObiektBazowy *naMinus5 = lista.DodajObiekt(nullptr, -5);
    EXPECT_EQ(lista.ZnajdzObiekt(naMinus5), 0);

    EXPECT_EQ(lista.ObiektyListy(-1), nullptr);
    EXPECT_EQ(lista.ObiektyListy(5), nullptr);
    EXPECT_EQ(lista.UsunObiekt(5), nullptr);
    EXPECT_EQ(lista.IleObiektow(), 5);
    EXPECT_FALSE(lista.PrzeniesObiekt(0, 5));
    EXPECT_FALSE(lista.PrzeniesObiekt(2, 2));
    EXPECT_EQ(KomunikatBledu([&] { lista.ZamienObiekty(1, 7); }),
              QStringLiteral("TListaPozycji.ZamienObiekty: indeks 7 poza zakresem 0..4"));
}

TEST(ListaBazowa, MovingAndSwappingKeepTheOtherItemsInOrder)
{
    TListaPozycji lista;
    Wypelnij(lista, 5);
    EXPECT_TRUE(lista.PrzeniesObiekt(0, 3));
    EXPECT_EQ(Nazwy(lista), QStringLiteral("1 2 3 0 4"));
    EXPECT_TRUE(lista.PrzeniesObiekt(4, 1));
    EXPECT_EQ(Nazwy(lista), QStringLiteral("1 4 2 3 0"));
    lista.ZamienObiekty(0, 4);
    EXPECT_EQ(Nazwy(lista), QStringLiteral("0 4 2 3 1"));
}

TEST(ListaBazowa, WalkingBackwardsWhileRemovingVisitsEveryItemOnce)
{
    TListaPozycji lista;
    Wypelnij(lista, 6);
    QStringList odwiedzone;
    for (TObiektBazowy *obiekt : lista.ListaOdKonca()) {
        odwiedzone << static_cast<TObiekt *>(obiekt)->Tekstowo(TPozycja::Nazwa);
        lista.UsunTenObiekt(obiekt);
    }
    EXPECT_EQ(odwiedzone.join(QLatin1Char(' ')), QStringLiteral("5 4 3 2 1 0"));
    EXPECT_TRUE(lista.ListaPusta());

    // Removing the current item and the ones after it goes on from the last left.
    Wypelnij(lista, 6);
    odwiedzone.clear();
    TEnumListaBazowaOdKonca wstecz(lista);
    while (wstecz.MoveNext()) {
        auto *obiekt = static_cast<TObiekt *>(wstecz.Current());
        odwiedzone << obiekt->Tekstowo(TPozycja::Nazwa);
        if (obiekt->Tekstowo(TPozycja::Nazwa) == QLatin1String("4"))
            lista.SkrocListe(2);
    }
    EXPECT_EQ(odwiedzone.join(QLatin1Char(' ')), QStringLiteral("5 4 1 0"));
}

TEST(ListaBazowa, ItemsHavePathStepsAndTheListADescription)
{
    TDokument dokument;
    Wypelnij(dokument.Lista(), 3);
    TPozycja &trzecia = dokument.Lista().Pozycja(2);
    EXPECT_EQ(trzecia.DajSciezkeDoSiebie(nullptr, false, false, TPozycja::Nazwa), QStringLiteral("Pozycje[2].Nazwa"));
    EXPECT_EQ(trzecia.DajSciezkeDoSiebie(nullptr, true), QStringLiteral("Pozycje (3)"));
    EXPECT_EQ(trzecia.DajSciezkeDoSiebie(nullptr, false, true), QStringLiteral("Pozycje[]"));
    EXPECT_EQ(dokument.TekstowoWgSciezki(QStringLiteral("Pozycje[2].Nazwa")), QStringLiteral("2"));
    EXPECT_EQ(dokument.PoleONazwie(QStringLiteral("Pozycje[1]")), &dokument.Lista().Pozycja(1));
    EXPECT_EQ(dokument.PoleONazwie(QStringLiteral("Pozycje[7].Nazwa")), nullptr);
    for (const char *zla : {"Pozycje[x].Nazwa", "Pozycje[1].", "Pozycje[1]Nazwa", "Pozycje[-1]"})
        EXPECT_EQ(KomunikatBledu([&] { dokument.PoleONazwie(QString::fromLatin1(zla)); }).section(QLatin1Char(':'), 1, 1),
                  QStringLiteral(" Błędna ścieżka ")) << zla;
    // Classes through a missing item: the list's item class answers.
    int16_t nr = -2;
    EXPECT_EQ(dokument.KlasaIPole(QStringLiteral("Pozycje[9].Ilosc"), nr), &TPozycja::Opis);
    EXPECT_EQ(nr, TPozycja::Ilosc);

    EXPECT_EQ(dokument.Lista().OpisTekstowy(), QStringLiteral("3 elem."));
    EXPECT_TRUE(dokument.MaWartosc(TDokument::Pozycje));
    dokument.Lista().ZerujDane();
    EXPECT_FALSE(dokument.MaWartosc(-1));
}

} // namespace
