#include "JadroKlas.h"
#include "KlasyTestowe.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ObiektReferencje, ZniszczenieCeluZerujeSledzonaReferencjeIBitWlasciciela)
{
    TWezel wlasciciel;
    auto cel = std::make_unique<TWezel>();
    wlasciciel.WpiszDane({QStringLiteral("Cel"), QStringLiteral("Wsk")}, {cel.get(), cel.get()});
    auto &ref = static_cast<TPoleRefObiektu &>(wlasciciel.Pola(TWezel::Cel));
    EXPECT_TRUE(cel->MaRefOd(&ref));
    EXPECT_FALSE(cel->MaRefOd(&wlasciciel.Pola(TWezel::Wsk))) << "a plain pointer is not tracked";
    EXPECT_TRUE(wlasciciel.MaWartosc(TWezel::Cel));

    cel.reset();
    EXPECT_EQ(ref.Wartosc(), nullptr);
    EXPECT_FALSE(wlasciciel.MaWartosc(TWezel::Cel));
}

TEST(ObiektReferencje, ReferencjaZwalnianaPierwszaOpuszczaListeCelu)
{
    TWezel cel;
    {
        TWezel wlasciciel;
        wlasciciel.WpiszDane({int(TWezel::Cel)}, {&cel});
        EXPECT_TRUE(cel.MaJakiesRef());
    }
    EXPECT_FALSE(cel.MaJakiesRef());
}

TEST(ObiektReferencje, RodzicZniszczonyPierwszyZostawiaDzieciBezRodzica)
{
    auto rodzic = std::make_unique<TWezel>();
    TWezel dziecko(rodzic.get());
    EXPECT_EQ(dziecko.Rodzic(), rodzic.get());
    rodzic.reset();
    EXPECT_EQ(dziecko.Rodzic(), nullptr);
}

TEST(ObiektReferencje, KopiaGlebokaPrzepinaReferencjeTylkoWewnatrzKopiowanegoPoddrzewa)
{
    TWezel zewnetrzny;
    TWezel korzen;
    TWezel &a = korzen.Pod(TWezel::Lewy);
    TWezel &b = korzen.Pod(TWezel::Prawy);
    b.UstawTekstowo(TWezel::Nazwa, QStringLiteral("B"));
    a.WpiszDane({int(TWezel::Cel), int(TWezel::Wsk)}, {&b, &b});
    b.WpiszDane({int(TWezel::Cel)}, {&zewnetrzny});

    std::unique_ptr<TObiekt> kopia(korzen.KlonujObiekt());
    auto &kopiaKorzenia = static_cast<TWezel &>(*kopia);
    TWezel &kopiaA = kopiaKorzenia.Pod(TWezel::Lewy);
    TWezel &kopiaB = kopiaKorzenia.Pod(TWezel::Prawy);
    ASSERT_NE(&kopiaB, &b);
    EXPECT_EQ(kopiaB.Tekstowo(TWezel::Nazwa), QStringLiteral("B"));
    EXPECT_EQ(kopiaA.Wskazany(TWezel::Cel), &kopiaB);
    EXPECT_EQ(kopiaA.Wskazany(TWezel::Wsk), &kopiaB);
    EXPECT_EQ(kopiaB.Wskazany(TWezel::Cel), &zewnetrzny);

    // Registrations moved with the tracked reference; the original's stay.
    EXPECT_TRUE(kopiaB.MaRefOd(&kopiaA.Pola(TWezel::Cel)));
    EXPECT_FALSE(b.MaRefOd(&kopiaA.Pola(TWezel::Cel)));
    EXPECT_TRUE(b.MaRefOd(&a.Pola(TWezel::Cel)));
    EXPECT_TRUE(zewnetrzny.MaRefOd(&kopiaB.Pola(TWezel::Cel)));
    EXPECT_EQ(korzen.PorownajZObiektem(kopiaKorzenia), 0);
}

// An instance answering with a descriptor made by hand, without a virtual constructor.
const TOpisKlasy OpisBezFabryki = {"TBezFabryki", &TObiekt::Opis, nullptr};
class TBezFabryki : public TKlasa<TBezFabryki, TObiekt>
{
protected:
    const TOpisKlasy &DajOpisKlasy() const override { return OpisBezFabryki; }
};

TEST(ObiektReferencje, KlonKlasyBezFabrykiToBladNieAwaria)
{
    TBezFabryki obiekt;
    EXPECT_THROW(std::unique_ptr<TObiekt>(obiekt.KlonujObiekt()), LkException);
}

TEST(ObiektReferencje, ZrodloZmienioneLubUsunietePoKopiiNieDotykaKopii)
{
    auto korzen = std::make_unique<TWezel>();
    korzen->Pod(TWezel::Lewy).WpiszDane({int(TWezel::Cel)}, {&korzen->Pod(TWezel::Prawy)});
    korzen->Pod(TWezel::Prawy).UstawTekstowo(TWezel::Nazwa, QStringLiteral("B"));
    TWezel kopia;
    kopia.KopiujDane(*korzen, tkpZawsze);
    korzen.reset();
    EXPECT_EQ(kopia.Pod(TWezel::Lewy).Wskazany(TWezel::Cel), &kopia.Pod(TWezel::Prawy));
    EXPECT_TRUE(kopia.Pod(TWezel::Lewy).MaWartosc(TWezel::Cel));
}

TEST(ObiektReferencje, PrzepnijRefNaPrzenosiSledzoneReferencje)
{
    TWezel stary;
    TWezel nowy;
    TWezel wlasciciel;
    wlasciciel.WpiszDane({int(TWezel::Cel)}, {&stary});
    stary.PrzepnijRefNa(&nowy);
    EXPECT_EQ(wlasciciel.Wskazany(TWezel::Cel), &nowy);
    EXPECT_FALSE(stary.MaJakiesRef());
    EXPECT_TRUE(nowy.MaRefOd(&wlasciciel.Pola(TWezel::Cel)));
}

TEST(ObiektReferencje, PrzepnijRefNaZostawiaDzieciPrzyRodzicu)
{
    auto stary = std::make_unique<TWezel>();
    TWezel nowy;
    TWezel dziecko(stary.get());
    stary->PrzepnijRefNa(&nowy);
    EXPECT_EQ(dziecko.Rodzic(), stary.get());
    EXPECT_TRUE(stary->MaRefOd(&dziecko));
    EXPECT_FALSE(nowy.MaRefOd(&dziecko));

    // The parent still has to tell the child it is gone.
    stary.reset();
    EXPECT_EQ(dziecko.Rodzic(), nullptr);
}

TEST(ObiektReferencje, ZwolnijLinkiOdcinaPoddrzewoOdReferencjiWIZ)
{
    TWezel zewnetrzny;
    TWezel korzen;
    TWezel &poddrzewo = korzen.Pod(TWezel::Lewy);
    TWezel &wnuk = poddrzewo.Pod(TWezel::Prawy);
    zewnetrzny.WpiszDane({int(TWezel::Cel)}, {&wnuk});      // into the subtree
    wnuk.WpiszDane({int(TWezel::Cel), int(TWezel::Wsk)}, {&zewnetrzny, &zewnetrzny}); // out of it
    korzen.WpiszDane({int(TWezel::Wsk)}, {&korzen});         // outside the subtree: stays

    DajJadroKlas().ZwolnijLinki(poddrzewo);
    EXPECT_FALSE(zewnetrzny.MaWartosc(TWezel::Cel));
    EXPECT_FALSE(wnuk.MaWartosc(TWezel::Cel));
    EXPECT_FALSE(wnuk.MaWartosc(TWezel::Wsk));
    EXPECT_FALSE(zewnetrzny.MaJakiesRef());
    EXPECT_EQ(wnuk.Rodzic(), &poddrzewo) << "children keep their parent";
    EXPECT_TRUE(poddrzewo.MaRefOd(&wnuk));
    EXPECT_EQ(korzen.Wskazany(TWezel::Wsk), &korzen);
}

} // namespace
