#include "KlasyTestowe.h"
#include "KlasyTowaru.h"
#include "NazwaPolaNaEkran.h"
#include "WyjatkiModelu.h"
#include "ZglaszanieBledow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

TEST(ObiektDane, PolaPowstajaPrzyPierwszymUzyciuABitWartosciSledziTekst)
{
    TWezel wezel;
    EXPECT_EQ(wezel.PoleJesliJest(TWezel::Nazwa), nullptr);
    EXPECT_FALSE(wezel.MaWartosc(-1));
    EXPECT_EQ(wezel.Tekstowo(TWezel::Nazwa), QString());

    wezel.UstawTekstowo(TWezel::Ilosc, QStringLiteral("0"));
    EXPECT_TRUE(wezel.MaWartosc(TWezel::Ilosc)) << "a zero that was written is a value";
    EXPECT_EQ(wezel.Tekstowo(TWezel::Ilosc), QStringLiteral("0"));
    EXPECT_TRUE(wezel.MaWartosc(-1));

    wezel.UstawTekstowo(TWezel::Ilosc, QString());
    EXPECT_FALSE(wezel.MaWartosc(TWezel::Ilosc));
    EXPECT_EQ(static_cast<TPoleInteger *>(wezel.PoleJesliJest(TWezel::Ilosc))->Wartosc, 0);

    // A sub-object has a value exactly when it holds data.
    TWezel &lewy = wezel.Pod(TWezel::Lewy);
    EXPECT_EQ(lewy.Rodzic(), &wezel);
    wezel.UstawMaWartosc(TWezel::Lewy, true);
    EXPECT_FALSE(wezel.MaWartosc(TWezel::Lewy));
    lewy.UstawTekstowo(TWezel::Nazwa, QStringLiteral("x"));
    EXPECT_TRUE(wezel.MaWartosc(TWezel::Lewy));
    EXPECT_TRUE(wezel.MaWartosc(-1));

    wezel.UstawMaWartosc(-1, false);
    EXPECT_FALSE(wezel.MaWartosc(-1));
    EXPECT_EQ(wezel.PoleJesliJest(TWezel::Lewy), nullptr);
}

TEST(ObiektDane, BlednyNumerPolaPodajeKlaseNumerISciezke)
{
    TWezel korzen;
    try {
        korzen.Pod(TWezel::Lewy).Pola(40);
        FAIL();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TWezel: Błędny nr pola = 40 w Lewy"));
    }
    EXPECT_THROW(korzen.Pola(-2), LkException);
}

// Comparing and copying read the field object behind every set bit.
TEST(ObiektDane, BitUstawionyBezPolaTworzyPoleZDomyslnaWartoscia)
{
    TWezel wezel;
    wezel.UstawMaWartosc(TWezel::Ilosc, true);
    ASSERT_NE(wezel.PoleJesliJest(TWezel::Ilosc), nullptr);
    EXPECT_TRUE(wezel.MaWartosc(TWezel::Ilosc));
    EXPECT_EQ(wezel.Tekstowo(TWezel::Ilosc), QStringLiteral("0"));

    TWezel pusty;
    EXPECT_EQ(wezel.PorownajZObiektem(pusty), 0) << "a default counts as no value";
    EXPECT_EQ(pusty.PorownajZObiektem(wezel), 0);
    pusty.KopiujDane(wezel, tkpZawsze);
    EXPECT_TRUE(pusty.MaWartosc(TWezel::Ilosc));

    // A number the class does not have raises rather than growing the bit set.
    for (const int16_t nr : {int16_t(-5), int16_t(100)})
        EXPECT_THROW(wezel.UstawMaWartosc(nr, true), LkException) << nr;
}

TEST(ObiektDane, WpiszDaneWgNumeruLubNazwy)
{
    TWezel wezel;
    wezel.WpiszDane({QStringLiteral("nazwa"), int(TWezel::Ilosc)}, {QStringLiteral("Śruba"), 12});
    EXPECT_EQ(wezel.Tekstowo(TWezel::Nazwa), QStringLiteral("Śruba"));
    EXPECT_EQ(wezel.Variantowo(TWezel::Ilosc).JakoInt64(), 12);

    wezel.WpiszDane({int(TWezel::Nazwa)}, {static_cast<const void *>(nullptr)});
    EXPECT_FALSE(wezel.MaWartosc(TWezel::Nazwa)) << "a nil pointer clears the field";

    struct Przypadek
    {
        TArrayOfConst Pola;
        TArrayOfConst Wartosci;
        const char16_t *Komunikat;
    };
    int zmienna = 0;
    const Przypadek bledne[] = {
        {{QStringLiteral("Brak")}, {1}, u"TWezel.WpiszDane: Brak pola o nazwie Brak"},
        {{int(TWezel::Ilosc)}, {static_cast<const void *>(&zmienna)},
         u"Błąd inicjalizacji w TWezel:\rźródło danych jest typu Pointer"},
        {{2.5}, {1}, u"WD: Błędny typ indeksu"},
        // A Boolean is no field number, not even 1.
        {{true}, {QStringLiteral("x")}, u"WD: Błędny typ indeksu"},
        {{int(TWezel::Lewy)}, {&wezel.Pola(TWezel::Nazwa)},
         u"Błąd inicjalizacji w TWezel:\rpróba wpisania wartości typu TPoleString do pola Lewy"},
    };
    for (const Przypadek &p : bledne) {
        try {
            wezel.WpiszDane(p.Pola, p.Wartosci);
            ADD_FAILURE() << QString::fromUtf16(p.Komunikat).toStdString();
        } catch (const LkException &e) {
            EXPECT_EQ(e.Message(), QString::fromUtf16(p.Komunikat));
        }
    }
}

// Values as callers write them: a plain literal is UTF-8 text, and a text goes
// into any field as UstawTekstowo takes it, dates included.
TEST(ObiektDane, WpiszDaneBierzeTekstJakUstawTekstowo)
{
    struct Przypadek
    {
        int16_t Nr;
        const char *Tekst;
        const char *Wynik;
    };
    const Przypadek przypadki[] = {
        {TTowar::Nazwa, "Śruba", "Śruba"},
        {TTowar::DataWywozu, "2024-03-05", "2024-03-05"},
        {TTowar::DataWywozu, "05-MAR-2024", "2024-03-05"},
        {TTowar::DataWywozu, "20240305", "2024-03-05"},
        {TTowar::DataWywozu, "2024-03-05T10:20:30", "2024-03-05"},
        {TTowar::Zwolniony, "Tak", "T"},
        {TTowar::Masa, "12,5", "12.5"},
        {TTowar::NrPozycji, "42", "42"},
    };
    for (const Przypadek &p : przypadki) {
        TTowar wpisany;
        TTowar ustawiony;
        wpisany.WpiszDane({wpisany.NazwaPolaNr(p.Nr)}, {p.Tekst});
        ustawiony.UstawTekstowo(p.Nr, QString::fromUtf8(p.Tekst));
        EXPECT_EQ(wpisany.Tekstowo(p.Nr), QString::fromUtf8(p.Wynik)) << p.Tekst;
        EXPECT_EQ(ustawiony.Tekstowo(p.Nr), QString::fromUtf8(p.Wynik)) << p.Tekst;
    }
    TTowar towar;
    towar.WpiszDane({"Nazwa"}, {"Kawa"});
    EXPECT_EQ(towar.Tekstowo(TTowar::Nazwa), QStringLiteral("Kawa")) << "a literal field name is a name";

    // Texts that do not convert fail in Polish, as the text forms do.
    const std::pair<Przypadek, const char *> bledne[] = {
        {{TTowar::DataWywozu, "jutro", nullptr}, "'jutro' nie jest poprawną datą i czasem"},
        {{TTowar::NrPozycji, "abc", nullptr}, "Nie można przekształcić wariantu typu (String) na typ (Int64)"},
        {{TTowar::Masa, "abc", nullptr}, "Nie można przekształcić wariantu typu (String) na typ (Double)"},
    };
    for (const auto &[p, komunikat] : bledne) {
        try {
            towar.WpiszDane({int(p.Nr)}, {p.Tekst});
            ADD_FAILURE() << p.Tekst;
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(komunikat));
        }
    }
}

TEST(ObiektDane, WpisanieObiektuDoPodobiektuKopiujeDane)
{
    TWezel zrodlo;
    zrodlo.WpiszDane({int(TWezel::Nazwa)}, {QStringLiteral("A")});
    TWezel wezel;
    wezel.WpiszDane({int(TWezel::Lewy)}, {&zrodlo});
    EXPECT_EQ(wezel.Pod(TWezel::Lewy).Tekstowo(TWezel::Nazwa), QStringLiteral("A"));
    EXPECT_NE(&wezel.Pod(TWezel::Lewy), &zrodlo);
}

TEST(ObiektDane, TrybyKopiowaniaPol)
{
    auto przygotuj = [](TWezel &p_Cel, TWezel &p_Zrodlo) {
        p_Cel.WpiszDane({int(TWezel::Nazwa), int(TWezel::Ilosc)}, {QStringLiteral("cel"), 1});
        p_Cel.Pod(TWezel::Lewy).WpiszDane({int(TWezel::Nazwa)}, {QStringLiteral("cel-lewy")});
        p_Zrodlo.WpiszDane({int(TWezel::Nazwa)}, {QStringLiteral("zrodlo")});
        p_Zrodlo.Pod(TWezel::Lewy).WpiszDane({int(TWezel::Nazwa), int(TWezel::Ilosc)}, {QStringLiteral("z"), 7});
    };
    struct Przypadek
    {
        TTrybKopiowaniaPol Tryb;
        TTrybObslugiPodob Podobiekty;
        const char *Nazwa, *Ilosc, *LewyNazwa, *LewyIlosc;
    };
    const Przypadek przypadki[] = {
        {tkpZawsze, topPodobiektyJakoCalosc, "zrodlo", "", "z", "7"},
        {tkpGdyZrodloNiepuste, topPodobiektyJakoCalosc, "zrodlo", "1", "z", "7"},
        {tkpGdyCelPusty, topPodobiektyJakoCalosc, "cel", "1", "cel-lewy", ""},
        {tkpGdyCelPusty, topPodobiektySzczegolowo, "cel", "1", "cel-lewy", "7"},
    };
    for (const Przypadek &p : przypadki) {
        TWezel cel;
        TWezel zrodlo;
        przygotuj(cel, zrodlo);
        cel.KopiujDane(zrodlo, p.Tryb, p.Podobiekty);
        const QString opis = QStringLiteral("tryb %1/%2").arg(p.Tryb).arg(p.Podobiekty);
        EXPECT_EQ(cel.Tekstowo(TWezel::Nazwa), QLatin1String(p.Nazwa)) << opis.toStdString();
        EXPECT_EQ(cel.Tekstowo(TWezel::Ilosc), QLatin1String(p.Ilosc)) << opis.toStdString();
        EXPECT_EQ(cel.Pod(TWezel::Lewy).Tekstowo(TWezel::Nazwa), QLatin1String(p.LewyNazwa)) << opis.toStdString();
        EXPECT_EQ(cel.Pod(TWezel::Lewy).Tekstowo(TWezel::Ilosc), QLatin1String(p.LewyIlosc)) << opis.toStdString();
    }
}

TEST(ObiektDane, SciezkaDoSiebie)
{
    TWezel korzen;
    TWezel &gleboki = korzen.Pod(TWezel::Lewy).Pod(TWezel::Prawy);
    EXPECT_EQ(korzen.DajSciezkeDoSiebie(), QString());
    EXPECT_EQ(gleboki.DajSciezkeDoSiebie(), QStringLiteral("Lewy.Prawy"));
    EXPECT_EQ(gleboki.DajSciezkeDoSiebie(nullptr, false, false, TWezel::Ilosc), QStringLiteral("Lewy.Prawy.IloscSztuk"));
    EXPECT_EQ(gleboki.DajSciezkeDoSiebie(nullptr, true, false, TWezel::Ilosc),
              QStringLiteral("Lewy -> Prawy -> Ilosc sztuk"));
    EXPECT_EQ(gleboki.DajSciezkeDoSiebie(&korzen.Pod(TWezel::Lewy)), QStringLiteral("Prawy"));
    EXPECT_EQ(gleboki.DajSciezkeDoSiebie(&gleboki.Pod(TWezel::Lewy)), QString()) << "not on the way up";

    TWezel przybrany(&korzen.Pod(TWezel::Lewy));
    EXPECT_EQ(przybrany.DajSciezkeDoSiebie(), QStringLiteral("Lewy.<TWezel, rodzic rzekomy>"));
}

// A sub-object whose data fails to go once, to show that the object reports
// the failures and still frees the rest.
int ZwolnionePodobiekty = 0;
class TZepsuty : public TKlasa<TZepsuty, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Nazwa", &TPoleString::Opis}};
    ~TZepsuty() override
    {
        RozbierzWDestruktorze();
        ++ZwolnionePodobiekty;
    }

protected:
    void ZwolnijDane() override
    {
        const bool mialDane = MaWartosc(0);
        TObiekt::ZwolnijDane();
        if (mialDane)
            throw LkException(QStringLiteral("zepsute"));
    }
};

class TZZepsutymi : public TKlasa<TZZepsutymi, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "A", &TZepsuty::Opis}, {1, "B", &TZepsuty::Opis}};
};

// The framework's error report as a host takes it over.
struct TZgloszenia : IZapisWyjatku
{
    TZgloszenia() { UstawZapisWyjatku(this); }
    ~TZgloszenia() override { UstawZapisWyjatku(nullptr); }
    void ZglosBlad(const QString &p_Komunikat, bool p_Pokaz, const QString &, bool) override
    {
        Komunikaty << p_Komunikat + (p_Pokaz ? QStringLiteral(" (pokazany)") : QString());
    }
    QStringList Komunikaty;
};

std::unique_ptr<TZZepsutymi> zZepsutymi()
{
    auto obiekt = std::make_unique<TZZepsutymi>();
    for (const int16_t nr : {0, 1})
        obiekt->Pole<TZepsuty>(nr).UstawTekstowo(0, QStringLiteral("x"));
    return obiekt;
}

const QString BledyZepsutych = QStringLiteral("Wyjątek w ZerujDane w TZZepsutymi.Destroy (): "
                                              "Wyjątek w ZerujDane w TZepsuty.Destroy (): zepsute\r"
                                              "Wyjątek w ZerujDane w TZepsuty.Destroy (): zepsute");

// Destructors never raise: what fails under a unique_ptr (whose destructor
// may not raise) goes to the error report, silently, and the rest is freed.
TEST(ObiektDane, NiszczenieZglaszaBledyZamiastRzucac)
{
    TZgloszenia zgloszenia;
    ZwolnionePodobiekty = 0;
    std::unique_ptr<TZZepsutymi> obiekt = zZepsutymi();
    obiekt.reset();
    EXPECT_EQ(zgloszenia.Komunikaty, QStringList({BledyZepsutych}));
    EXPECT_EQ(ZwolnionePodobiekty, 2);
}

// Zniszcz raises the same failures, after everything is freed.
TEST(ObiektDane, ZniszczRzucaZebraneBledy)
{
    TZgloszenia zgloszenia;
    ZwolnionePodobiekty = 0;
    try {
        zZepsutymi().release()->Zniszcz();
        ADD_FAILURE();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), BledyZepsutych);
    }
    EXPECT_EQ(ZwolnionePodobiekty, 2);
    EXPECT_TRUE(zgloszenia.Komunikaty.isEmpty());

    // Without failures it only destroys.
    auto *zdrowy = new TZZepsutymi;
    zdrowy->Pole<TZepsuty>(0);
    EXPECT_NO_THROW(zdrowy->Zniszcz());
    EXPECT_EQ(ZwolnionePodobiekty, 3);
}

TEST(ObiektDane, NazwaPolaNaEkran)
{
    const std::pair<const char *, const char *> przypadki[] = {
        {"DataWystawieniaDokumentu", "Data wystawienia dokumentu"},
        {"NrPozycjiTowaru", "Nr pozycji towaru"},
        {"Kod_CN", "Kod CN"},
        {"_Ukryte_", "Ukryte"},
        {"NIP", "NIP"},
        {"KodCN", "Kod CN"},
        {"", ""},
    };
    for (const auto &[nazwa, naEkran] : przypadki)
        EXPECT_EQ(NazwaPolaNaEkran(QLatin1String(nazwa)), QLatin1String(naEkran)) << nazwa;
}

} // namespace

namespace {

TEST(ObiektDane, BlokadaObiektuTSWielokrotnaIZwalnianaPrzezWlasciciela)
{
    TObiektTS obiekt;
    obiekt.ZablokujObiekt();
    obiekt.ZablokujObiekt(); // re-entrant for its thread

    std::atomic<bool> odrzucony = false;
    std::atomic<bool> wziety = false;
    QString bladObcego;
    std::thread obcy([&] {
        try {
            obiekt.OdblokujObiekt();
        } catch (const LkException &e) {
            bladObcego = e.Message();
        }
        odrzucony = true;
        obiekt.ZablokujObiekt(); // waits for the owner
        wziety = true;
        obiekt.OdblokujObiekt();
    });
    while (!odrzucony)
        std::this_thread::yield();
    EXPECT_EQ(bladObcego, QStringLiteral("TObiektTS -> zwolnienie blokady, której ten wątek nie trzyma"));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(wziety);
    obiekt.OdblokujObiekt();
    obiekt.OdblokujObiekt();
    obcy.join();
    EXPECT_TRUE(wziety);
    EXPECT_THROW(obiekt.OdblokujObiekt(), LkException);
}

} // namespace
