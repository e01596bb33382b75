#include "KlasyList.h"

#include "CeleReferencji.h"
#include "JadroKlas.h"
#include "OdczytywaczTekstuZRef.h"
#include "Strumienie.h"

namespace {

class WlasnoscList : public ::testing::Test
{
protected:
    void SetUp() override { TPozycja::Zniszczone = 0; }
};

TEST_F(WlasnoscList, AnOwningListFreesWhatItRemovesAndLetsGoOfWhatLeaves)
{
    TListaPozycji lista;
    TPozycja &pierwsza = lista.Dopisz(QStringLiteral("a"));
    lista.Dopisz(QStringLiteral("b"));
    lista.Dopisz(QStringLiteral("c"));
    EXPECT_EQ(pierwsza.Rodzic(), &lista);

    // Handed back, the item has no parent and is the caller's.
    std::unique_ptr<TObiektBazowy> oddana(lista.UsunObiekt(2, false));
    EXPECT_EQ(oddana->Rodzic(), nullptr);
    EXPECT_EQ(TPozycja::Zniszczone, 0);
    lista.UsunObiekt(1);
    EXPECT_EQ(TPozycja::Zniszczone, 1);

    // An item added elsewhere, or destroyed, leaves the list by itself.
    TListaPozycji inna;
    inna.DopiszObiekt(&pierwsza);
    EXPECT_TRUE(lista.ListaPusta());
    EXPECT_EQ(pierwsza.Rodzic(), &inna);
    delete &inna.Pozycja(0);
    EXPECT_TRUE(inna.ListaPusta());
    EXPECT_EQ(TPozycja::Zniszczone, 2);

    // Adding an item the list holds already moves it instead of holding it twice.
    TPozycja &x = lista.Dopisz(QStringLiteral("x"));
    lista.Dopisz(QStringLiteral("y"));
    lista.DopiszObiekt(&x);
    EXPECT_EQ(lista.IleObiektow(), 2);
    EXPECT_EQ(lista.OstatniObiekt(), &x);
}

TEST_F(WlasnoscList, ResettingOrDestroyingAnOwningListFreesEveryItem)
{
    {
        TDokument dokument;
        dokument.Lista().Dopisz(QStringLiteral("a"));
        dokument.Lista().Dopisz(QStringLiteral("b"));
        dokument.Lista().ZerujDane();
        EXPECT_EQ(TPozycja::Zniszczone, 2);
        dokument.Lista().Dopisz(QStringLiteral("c"));
    }
    EXPECT_EQ(TPozycja::Zniszczone, 3);
}

TEST_F(WlasnoscList, ATypedListCreatesItemsOfItsClass)
{
    TListaPozycji lista;
    TObiektBazowy *nowy = lista.DodajObiekt(nullptr, 0);
    EXPECT_EQ(&nowy->Klasa(), &TPozycja::Opis);
    EXPECT_EQ(nowy->Rodzic(), &lista);
    EXPECT_EQ(TypObiektowListy(TListaPozycji::Opis), &TPozycja::Opis);
    EXPECT_EQ(TypObiektowListy(TPozycja::Opis), nullptr);

    TObiekt *raz = lista.DopiszObiektGdyBrak({int(TPozycja::Nazwa)}, {QStringLiteral("kawa")});
    TObiekt *dwa = lista.DopiszObiektGdyBrak({int(TPozycja::Nazwa)}, {QStringLiteral("KAWA")});
    EXPECT_EQ(raz, dwa);
    EXPECT_EQ(lista.IleObiektow(), 2);
}

TEST_F(WlasnoscList, ATypedListReadsTheDataOfItsItemArrays)
{
    TListaPozycji lista;
    const struct
    {
        const char *Typ;
        bool Wynik;
    } przypadki[] = {
        {"TArrayOfTPozycja", true}, {"arrayoftpozycja", true}, {"ArrayOfTObiekt", true},
        {"TArrayOfTTowar", false},  {"ArrayOf", false},        {"TListaPozycji", true},
    };
    DajJadroKlas().RejestrujKlasy({&TPozycja::Opis, &TObiekt::Opis, &TTowar::Opis});
    for (const auto &przypadek : przypadki)
        EXPECT_EQ(lista.MoznaCzytacDaneTypu(QString::fromLatin1(przypadek.Typ)), przypadek.Wynik) << przypadek.Typ;
    DajJadroKlas().WyrejestrujKlasy({&TPozycja::Opis, &TObiekt::Opis, &TTowar::Opis});
}

TEST_F(WlasnoscList, APointerListLosesEveryEntryOfADestroyedTarget)
{
    TListaWskObiektow wskazania;
    auto *cel = new TPozycja;
    TPozycja inny;
    wskazania.DopiszObiekt(cel);
    wskazania.DopiszObiekt(&inny);
    wskazania.DopiszObiekt(cel);
    EXPECT_TRUE(cel->MaRefOd(&wskazania));
    delete cel;
    ASSERT_EQ(wskazania.IleObiektow(), 1);
    EXPECT_EQ(wskazania.ObiektyListy(0), &inny);

    // Removing the last entry of a target takes the list off its referring list.
    wskazania.UsunObiekt(0);
    EXPECT_FALSE(inny.MaRefOd(&wskazania));
    EXPECT_EQ(TPozycja::Zniszczone, 1);
}

TEST_F(WlasnoscList, APointerListFollowsATargetRepointedElsewhere)
{
    TPozycja stary;
    TPozycja nowy;
    TListaWskObiektow wskazania;
    wskazania.DopiszObiekt(&stary);
    stary.PrzepnijRefNa(&nowy);
    EXPECT_EQ(wskazania.ObiektyListy(0), &nowy);
    EXPECT_TRUE(nowy.MaRefOd(&wskazania));
    EXPECT_FALSE(stary.MaRefOd(&wskazania));
}

// A document with items, a choice pointing at two of them, numbers and remarks.
void WypelnijDokument(TDokument &p_Dokument)
{
    p_Dokument.UstawPole<TPoleString>(TDokument::Numer, QStringLiteral("D/1"));
    TPozycja &a = p_Dokument.Lista().Dopisz(QStringLiteral("a"), 1);
    p_Dokument.Lista().Dopisz(QStringLiteral("b"), 2);
    TPozycja &c = p_Dokument.Lista().Dopisz(QStringLiteral("c"), 3);
    p_Dokument.Wybor().DopiszObiekt(&c);
    p_Dokument.Wybor().DopiszObiekt(&a);
    p_Dokument.Pole<TPoleIntList>(TDokument::Numery).SetJakoString(QStringLiteral("3 1 2"));
    p_Dokument.Pole<TPoleStrList>(TDokument::Uwagi).SetJakoString(QStringLiteral("pierwsza\r\ndruga"));
}

TEST_F(WlasnoscList, ACopyOfATreeHasItsOwnItemsAndPointsIntoItself)
{
    TDokument zrodlo;
    WypelnijDokument(zrodlo);
    TDokument kopia;
    kopia.KopiujDane(zrodlo, tkpZawsze);

    EXPECT_EQ(kopia.PorownajZObiektem(zrodlo), 0);
    ASSERT_EQ(kopia.Lista().IleObiektow(), 3);
    EXPECT_NE(&kopia.Lista().Pozycja(0), &zrodlo.Lista().Pozycja(0));
    EXPECT_EQ(kopia.Lista().Pozycja(0).Rodzic(), &kopia.Lista());
    ASSERT_EQ(kopia.Wybor().IleObiektow(), 2);
    EXPECT_EQ(kopia.Wybor().ObiektyListy(0), &kopia.Lista().Pozycja(2));
    EXPECT_EQ(kopia.Wybor().ObiektyListy(1), &kopia.Lista().Pozycja(0));
    EXPECT_EQ(kopia.Pole<TPoleIntList>(TDokument::Numery).GetJakoString(), QStringLiteral("3 1 2"));

    // A change anywhere in the lists is seen by the comparison.
    kopia.Lista().Pozycja(1).UstawPole<TPoleInteger>(TPozycja::Ilosc, 9);
    EXPECT_NE(kopia.PorownajZObiektem(zrodlo), 0);
    kopia.KopiujDane(zrodlo, tkpZawsze);
    kopia.Wybor().ZamienObiekty(0, 1);
    EXPECT_NE(kopia.PorownajZObiektem(zrodlo), 0);
    kopia.KopiujDane(zrodlo, tkpZawsze);
    kopia.Pole<TPoleStrList>(TDokument::Uwagi).Dodaj(QStringLiteral("trzecia"));
    EXPECT_NE(kopia.PorownajZObiektem(zrodlo), 0);
}

TEST_F(WlasnoscList, WritersCollectTheTargetsOfPointerListsInsideTheTree)
{
    TDokument dokument;
    WypelnijDokument(dokument);
    TPozycja obca;
    dokument.Wybor().DopiszObiekt(&obca);
    const std::vector<TObiektBazowy *> cele = ZbierzCeleReferencji(dokument);
    EXPECT_EQ(cele, (std::vector<TObiektBazowy *>{&dokument.Lista().Pozycja(2), &dokument.Lista().Pozycja(0)}));
}

TEST_F(WlasnoscList, CopyingItemsOfAnotherClassIsRefused)
{
    class TListaTowarow : public TKlasa<TListaTowarow, TListaObiektow>
    {
    public:
        using TKlasa::TKlasa;
        const TOpisKlasy &TypObiektowListy() const override { return TTowar::Opis; }
    };
    TListaTowarow towary;
    TListaPozycji pozycje;
    pozycje.Dopisz(QStringLiteral("a"));
    EXPECT_EQ(KomunikatBledu([&] { towary.KopiujDane(pozycje); }),
              QStringLiteral("Błąd kopiowania w TListaTowarow:\rźródło danych jest typu TListaPozycji"));
    EXPECT_EQ(KomunikatBledu([&] {
                  TListaPozycji wzor;
                  wzor.Dopisz(QStringLiteral("obca"));
                  pozycje.WyrownajDoListy(wzor);
              }),
              QStringLiteral("Brak wyrównania do listy w TListaPozycji"));
}

TEST_F(WlasnoscList, ReadReferencesOfAPointerListAreBoundNowOrAfterTheRead)
{
    TMemoryStream strumien;
    TOdczytywaczTekstuZRef odczytywacz(&strumien);
    TPozycja znany;
    TPozycja pozny;
    TListaWskObiektow lista;
    odczytywacz.PrzypiszObiektDoID(znany, "1");
    odczytywacz.RejestrujListeRef(lista, "2");
    odczytywacz.RejestrujListeRef(lista, "1");
    odczytywacz.RejestrujListeRef(lista, "9");
    // Placed at position 4: the gap waits too, and goes if nothing fills it.
    odczytywacz.RejestrujListeRef(lista, "2", 4);
    EXPECT_EQ(lista.IleObiektow(), 5);
    odczytywacz.PrzypiszObiektDoID(pozny, "2");
    odczytywacz.KorygujReferencje();
    ASSERT_EQ(lista.IleObiektow(), 3);
    EXPECT_EQ(lista.ObiektyListy(0), &pozny);
    EXPECT_EQ(lista.ObiektyListy(1), &znany);
    EXPECT_EQ(lista.ObiektyListy(2), &pozny);
    EXPECT_TRUE(pozny.MaRefOd(&lista));

    // A failed read leaves no entry behind.
    TListaWskObiektow druga;
    odczytywacz.RejestrujListeRef(druga, "1");
    odczytywacz.RejestrujListeRef(druga, "7");
    odczytywacz.ZerujReferencje();
    EXPECT_TRUE(druga.ListaPusta());
    EXPECT_FALSE(znany.MaRefOd(&druga));
}

} // namespace
