#include "ListaWskObiektow.h"
#include "ObiegFormatu.h"
#include "OdczytywaczBinarny.h"
#include "ZapisywaczBinarny.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct TFormatBinarny
{
    static void Zapisz(TObiektBazowy &p_Obiekt, TStream &p_Strumien)
    {
        TZapisywaczBinarny zapisywacz(p_Strumien);
        zapisywacz.ZapiszObiekt(p_Obiekt);
    }
    static void Wczytaj(TObiektBazowy &p_Obiekt, TStream &p_Strumien)
    {
        TOdczytywaczBinarny odczytywacz(p_Strumien);
        odczytywacz.WczytajObiekt(p_Obiekt);
    }
};

// A class that nests itself, so that input decides the depth.
class TGalaz : public TKlasa<TGalaz, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Dalej", &TGalaz::Opis},
                                              {1, "Liczba", &TPoleByte::Opis},
                                              {2, "Obok", &TGalaz::Opis},
                                              {3, "Wsk", &TPoleWskObiektu::Opis},
                                              {4, "Wskazania", &TListaWskObiektow::Opis}};
    using TKlasa::TKlasa;

    TGalaz &Pod(int16_t p_Nr) { return Pole<TGalaz>(p_Nr); }
    void WskazTez(TObiektBazowy *p_Cel) { Pole<TListaWskObiektow>(4).DopiszObiekt(p_Cel); }
    void Wskaz(TObiektBazowy *p_Cel)
    {
        Pole<TPoleWskObiektu>(3).UstawWartosc(p_Cel);
        UstawMaWartosc(3, true);
    }
};

using obieg::TCel;
using obieg::TWszystkiePola;

QByteArray obraz(TObiekt &p_Obiekt, TFunCzyZapisac p_Filtr = {})
{
    TMemoryStream strumien;
    TZapisywaczBinarny zapisywacz(strumien);
    zapisywacz.CzyZapisacPole = std::move(p_Filtr);
    zapisywacz.ZapiszObiekt(p_Obiekt);
    return strumien.Bajty();
}

void wczytaj(TObiekt &p_Obiekt, const QByteArray &p_Obraz)
{
    TMemoryStream strumien(p_Obraz);
    TFormatBinarny::Wczytaj(p_Obiekt, strumien);
}

TEST(FormatBinarny, DokumentyBajtPoBajcie)
{
    TWszystkiePola pusty;
    EXPECT_EQ(obraz(pusty).toHex(), "00");

    // Field 9 alone: two bitmap bytes, the second with bit 1.
    TWszystkiePola data;
    data.UstawPole<TPoleDate>(TWszystkiePola::Data, 2.0);
    EXPECT_EQ(obraz(data).toHex(), "020002" "0000000000000040");

    // A sub-object is its own layout in place; the reference is its number in
    // pre-order (the root is 1). A reference to an object outside is left out.
    TWszystkiePola drzewo;
    drzewo.Cel(TWszystkiePola::Pierwszy).UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("cel"));
    drzewo.Pole<TPoleRefObiektu>(TWszystkiePola::Ref).UstawWartosc(&drzewo.Cel(TWszystkiePola::Pierwszy));
    drzewo.UstawMaWartosc(TWszystkiePola::Ref, true);
    TCel obcy;
    drzewo.Pole<TPoleWskObiektu>(TWszystkiePola::Wsk).UstawWartosc(&obcy);
    drzewo.UstawMaWartosc(TWszystkiePola::Wsk, true);
    EXPECT_EQ(obraz(drzewo).toHex(), "03000005" "0101" "0363656c" "0200");
}

TEST(FormatBinarny, FiltrPolDecydujeIOObiektachIONumerach)
{
    TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    // Without the first sub-object its references have no number to point at.
    const QByteArray bezPierwszego = obraz(zrodlo, [](const TObiekt &p_Obiekt, int16_t p_Nr) {
        return !(p_Obiekt.ClassName() == QLatin1String("TWszystkiePola") && p_Nr == TWszystkiePola::Pierwszy);
    });
    TWszystkiePola wczytany;
    wczytaj(wczytany, bezPierwszego);
    EXPECT_FALSE(wczytany.MaWartosc(TWszystkiePola::Pierwszy));
    EXPECT_FALSE(wczytany.MaWartosc(TWszystkiePola::Ref));
    EXPECT_FALSE(wczytany.MaWartosc(TWszystkiePola::Wsk));
    EXPECT_EQ(wczytany.Cel(TWszystkiePola::Drugi).Tekstowo(TCel::Nazwa), QStringLiteral("drugi"));
}

// A reader of its own kind that watches every field still hears of value
// fields, which the plain binary reader skips telling itself about.
class TOdczytywaczSledzacy : public TOdczytywaczBinarny
{
public:
    using TOdczytywaczBinarny::TOdczytywaczBinarny;
    void OdczytywanoPole(TPole &p_Pole) override
    {
        TOdczytywaczBinarny::OdczytywanoPole(p_Pole);
        Pola.push_back(&p_Pole);
    }
    std::vector<TPole *> Pola;
};

TEST(FormatBinarny, PotomekOdczytywaczaSlyszyKazdePole)
{
    TCel zrodlo;
    zrodlo.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("cel"));
    zrodlo.UstawPole<TPoleInteger>(TCel::Licznik, 7);
    TMemoryStream strumien(obraz(zrodlo));
    TCel wczytany;
    TOdczytywaczSledzacy odczytywacz(strumien);
    odczytywacz.WczytajObiekt(wczytany);
    const std::vector<TPole *> oczekiwane = {&wczytany, &wczytany.Pola(TCel::Nazwa), &wczytany.Pola(TCel::Licznik)};
    EXPECT_EQ(odczytywacz.Pola, oczekiwane);
    EXPECT_EQ(wczytany.Tekstowo(TCel::Licznik), QStringLiteral("7"));
}

TEST(FormatBinarny, UcietyDokumentCzysciObiektIReferencje)
{
    TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    const QByteArray caly = obraz(zrodlo);
    for (qsizetype dlugosc = 0; dlugosc < caly.size(); ++dlugosc) {
        SCOPED_TRACE(dlugosc);
        TWszystkiePola wczytany;
        wczytany.Wypelnij();
        EXPECT_THROW(wczytaj(wczytany, caly.left(dlugosc)), Exception);
        EXPECT_FALSE(wczytany.MaWartosc(-1));
        EXPECT_EQ(wczytany.Wskazany(TWszystkiePola::Ref), nullptr);
    }
}

TEST(FormatBinarny, BledneDaneDajaKomunikatyModelu)
{
    const struct
    {
        const char *Nazwa;
        QByteArray Obraz;
        const char *Komunikat;
    } przypadki[] = {
        // TCel has fields 0 and 1 only.
        {"unknown field", QByteArray::fromHex("0104"), "Błędny nr pola = 2"},
        // A count of 32767 bitmap bytes with three present.
        {"hostile bitmap", QByteArray::fromHex("ffff010203"), "Stream read error"},
        // A string claiming a gigabyte.
        {"hostile string", QByteArray::fromHex("0101ffffffff41"), "Stream read error"},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TCel cel;
        try {
            wczytaj(cel, p.Obraz);
            ADD_FAILURE() << "no error";
        } catch (const Exception &e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(p.Komunikat))) << e.Message().toStdString();
        }
    }
}

TEST(FormatBinarny, GlebokoscZagniezdzeniaMaGranice)
{
    // Each level names field 0, the next level; the last one holds a byte.
    auto galaz = [](int p_Poziomy) { return QByteArray::fromHex("0101").repeated(p_Poziomy - 1) + QByteArray::fromHex("010207"); };
    const int granica = TOdczytywaczDanych::MaksGlebokoscOdczytu;
    TGalaz plytka;
    wczytaj(plytka, galaz(granica));
    EXPECT_TRUE(plytka.MaWartosc(0));
    EXPECT_EQ(obraz(plytka), galaz(granica));

    TGalaz gleboka;
    gleboka.UstawPole<TPoleByte>(1, uint8_t{1});
    try {
        wczytaj(gleboka, galaz(granica + 1));
        ADD_FAILURE() << "no error";
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Zbyt głębokie zagnieżdżenie obiektów (więcej niż 200 poziomów)"));
    }
    EXPECT_FALSE(gleboka.MaWartosc(-1));
}

// A sub-object whose image would be empty, or a pointer list with no target
// written, reads back as no value; it is left out at once, with the
// references to it, so that the image (binary and native text alike) stays
// the same from one round trip to the next.
TEST(FormatBinarny, PodobiektBezZapisanychPolZnikaOdRazu)
{
    TGalaz obcy; // outside the written tree
    const struct
    {
        const char *Nazwa;
        std::function<void(TGalaz &)> Buduj;
        const char *Obraz;
    } przypadki[] = {
        {"pointer to an empty sub-object",
         [](TGalaz &p_G) {
             p_G.Pod(0).Wskaz(&p_G.Pod(2));
             p_G.Pod(2).Wskaz(nullptr); // a value bit, nothing to write
         },
         "00"},
        {"doubtful chain held by a byte",
         [](TGalaz &p_G) {
             p_G.Pod(0).Wskaz(&p_G.Pod(2));
             p_G.Pod(2).Wskaz(&p_G.Pod(2).Pod(0));
             p_G.Pod(2).Pod(0).UstawPole<TPoleByte>(1, uint8_t{7});
         },
         "0105" "0108" "0300" "0109" "010207" "0400"},
        {"two sub-objects pointing at each other",
         [](TGalaz &p_G) {
             p_G.Pod(0).Wskaz(&p_G.Pod(2));
             p_G.Pod(2).Wskaz(&p_G.Pod(0));
         },
         "0105" "0108" "0300" "0108" "0200"},
        {"a sub-object pointing at the root, inside one that falls",
         [](TGalaz &p_G) {
             p_G.Pod(0).Wskaz(&p_G);
             p_G.Pod(2).Pod(0).Wskaz(&p_G.Pod(2).Pod(2));
             p_G.Pod(2).Pod(2).Wskaz(nullptr);
         },
         "0101" "0108" "0100"},
        {"pointer list to an object outside", [&](TGalaz &p_G) { p_G.WskazTez(&obcy); }, "00"},
        {"pointer list held by a byte, beside one outside",
         [&](TGalaz &p_G) {
             p_G.Pod(0).WskazTez(&obcy);
             p_G.Pod(0).WskazTez(&p_G.Pod(2));
             p_G.Pod(2).UstawPole<TPoleByte>(1, uint8_t{7});
         },
         "0105" "0110" "0100" "0400" "010207"},
        {"sub-object holding a pointer list to an empty one",
         [&](TGalaz &p_G) {
             p_G.Pod(0).WskazTez(&p_G.Pod(2));
             p_G.Pod(2).WskazTez(nullptr);
         },
         "00"},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TGalaz zrodlo;
        p.Buduj(zrodlo);
        const QByteArray raz = obraz(zrodlo);
        EXPECT_EQ(raz.toHex(), p.Obraz);
        TGalaz wczytany;
        wczytaj(wczytany, raz);
        EXPECT_EQ(obraz(wczytany), raz);
        const QByteArray tekst = zrodlo.ZapiszWTekscie();
        TGalaz zTekstu;
        ASSERT_TRUE(zTekstu.WczytajZTekstu(tekst));
        EXPECT_EQ(zTekstu.ZapiszWTekscie(), tekst);
    }

    // Read from an image that holds the empty sub-object and a reference to it.
    TGalaz wczytany;
    wczytaj(wczytany, QByteArray::fromHex("0105" "0108" "0300" "00"));
    EXPECT_EQ(obraz(wczytany).toHex(), "00");
}

TEST(FormatBinarny, NapisyWin1250NaZyczenieZapisujacego)
{
    TCel cel;
    cel.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("ł"));
    TMemoryStream strumien;
    TZapisywaczBinarny zapisywacz(strumien, false, ozNapisyWin1250);
    zapisywacz.ZapiszObiekt(cel);
    EXPECT_EQ(strumien.Bajty().toHex(), "010101b3");
    strumien.SetPosition(0);
    TCel wczytany;
    TOdczytywaczBinarny odczytywacz(strumien, true);
    odczytywacz.WczytajObiekt(wczytany);
    EXPECT_EQ(wczytany.Tekstowo(TCel::Nazwa), QStringLiteral("ł"));
}

// The value lists the round-trip class leaves out.
class TListyWartosci : public TKlasa<TListyWartosci, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Int64", &TPoleInt64List::Opis},
                                              {1, "Double", &TPoleDoubleList::Opis},
                                              {2, "Extended", &TPoleExtendedList::Opis},
                                              {3, "Szerokie", &TPoleWideStrList::Opis}};
    using TKlasa::TKlasa;
};

TEST(FormatBinarny, ListyBajtPoBajcie)
{
    TListyWartosci listy;
    listy.Pole<TPoleInt64List>(0).DodajWartosc(-1);
    listy.Pole<TPoleDoubleList>(1).DodajWartosc(2.0);
    listy.Pole<TPoleExtendedList>(2).DodajWartosc(2.0L);
    listy.Pole<TPoleWideStrList>(3).Dodaj(QStringLiteral("ł"));
    const QByteArray bajty = obraz(listy);
    // A count, then 8, 8 and 10 bytes a value; wide strings in UTF-8.
    EXPECT_EQ(bajty.toHex(), "010f" "0100ffffffffffffffff" "01000000000000000040" "010000000000000000800040"
                             "010002c582");
    TListyWartosci wczytane;
    wczytaj(wczytane, bajty);
    EXPECT_EQ(listy.PorownajZObiektem(wczytane), 0);

    // Items, targets' numbers in pre-order, duplicates kept: the pointer list closes the image.
    obieg::TListy zrodlo;
    zrodlo.Wypelnij();
    EXPECT_TRUE(obraz(zrodlo).toHex().endsWith("0400" "0500" "0200" "0500" "0400"));

    // A count the input does not hold fails and leaves nothing behind.
    TListyWartosci uciete;
    EXPECT_THROW(wczytaj(uciete, QByteArray::fromHex("0101" "ff7f")), Exception);
    EXPECT_FALSE(uciete.MaWartosc(-1));
}

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Binarny, ObiegFormatu, TFormatBinarny);
INSTANTIATE_TYPED_TEST_SUITE_P(Binarny, ObiegList, TFormatBinarny);
