#include "ObiegFormatu.h"
#include "OdczytywaczNatywny.h"
#include "WyjatkiModelu.h"
#include "ZapisywaczNatywny.h"

#include <gtest/gtest.h>

namespace {

struct TFormatTekstowy
{
    static void Zapisz(TObiektBazowy &p_Obiekt, TStream &p_Strumien)
    {
        TZapisywaczNatywny zapisywacz(&p_Strumien);
        zapisywacz.ZapiszDokument(p_Obiekt);
        zapisywacz.ZakonczZapis();
    }
    static void Wczytaj(TObiektBazowy &p_Obiekt, TStream &p_Strumien)
    {
        TOdczytywaczNatywny odczytywacz(&p_Strumien);
        EXPECT_TRUE(odczytywacz.WczytajObiekt(p_Obiekt)) << "something was skipped";
    }
};

// A class that nests itself, and takes simple values in its "_Value_" field.
class TGalaz : public TKlasa<TGalaz, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Dalej", &TGalaz::Opis}, {1, "Liczba", &TPoleInteger::Opis}, {2, "_Value_", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

using obieg::TCel;
using obieg::TWszystkiePola;

QString komunikat(const std::function<void()> &p_Akcja)
{
    try {
        p_Akcja();
    } catch (const Exception &e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

TEST(FormatTekstowy, DokumentyBajtPoBajcie)
{
    TCel cel;
    cel.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("A\r\nB"));
    cel.UstawPole<TPoleInteger>(TCel::Licznik, -7);
    EXPECT_EQ(cel.ZapiszWTekscie(), QByteArray("object TCel\r\nNazwa=\"A\"#13#10\"B\"\r\nLicznik=-7\r\nend"));

    TWszystkiePola drzewo;
    drzewo.Pole<TPoleBoolean>(TWszystkiePola::Logiczne).Wartosc = true;
    drzewo.UstawMaWartosc(TWszystkiePola::Logiczne, true);
    drzewo.UstawPole<TPoleRawByteString>(TWszystkiePola::TekstAnsi, QByteArray("it's\xb3", 5));
    drzewo.UstawPole<TPoleString>(TWszystkiePola::Tekst, QString());
    drzewo.Cel(TWszystkiePola::Pierwszy).UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("\"ł\""));
    drzewo.Pole<TPoleWskObiektu>(TWszystkiePola::Wsk).UstawWartosc(&drzewo.Cel(TWszystkiePola::Pierwszy));
    drzewo.UstawMaWartosc(TWszystkiePola::Wsk, true);
    EXPECT_EQ(drzewo.ZapiszWTekscie(), QByteArray("object TWszystkiePola\r\n"
                                                  "Logiczne='T'\r\n"
                                                  "Tekst=\"\"\r\n"
                                                  "TekstAnsi='it'#39's\xb3'\r\n"
                                                  "object Pierwszy\r\n"
                                                  "Nazwa=#34\"\xc5\x82\"#34\r\n"
                                                  "end\r\n"
                                                  "Wsk=2\r\n"
                                                  "end"));
}

TEST(FormatTekstowy, DlugiTekstDzielonyBudzetemLinii)
{
    const struct
    {
        const char *Nazwa;
        QByteArray Tekst;
        QByteArray Obraz;
    } przypadki[] = {
        {"exactly the budget", QByteArray(4096, 'a'), '"' + QByteArray(4096, 'a') + '"'},
        {"one byte more", QByteArray(4097, 'a'),
         "\r\n\"" + QByteArray(4096, 'a') + "\" +\r\n\"a\""},
        // A coded byte counts four.
        {"coded bytes", QByteArray(1025, '\t') + 'b',
         "#9" + QByteArray("#9").repeated(1023) + " +\r\n#9\"b\""},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TCel cel;
        cel.UstawPole<TPoleString>(TCel::Nazwa, QString::fromLatin1(p.Tekst));
        EXPECT_EQ(cel.ZapiszWTekscie(), "object TCel\r\nNazwa=" + p.Obraz + "\r\nend");
        TCel wczytany;
        EXPECT_TRUE(wczytany.WczytajZTekstu(cel.ZapiszWTekscie()));
        EXPECT_EQ(wczytany.Tekstowo(TCel::Nazwa), cel.Tekstowo(TCel::Nazwa));
    }
}

TEST(FormatTekstowy, NieznanePolaSaPomijaneILiczone)
{
    TGalaz galaz;
    const QByteArray tekst = "object TGalaz\r\n"
                             "Obce='end' + \"object\"\r\n"
                             "Ulamek=1,5\r\n"
                             "Lista=(1,2,3)\r\n"
                             "object Stare\r\n  x=1\r\n  object Glebiej\r\n  y='end'\r\n  end\r\nend\r\n"
                             "Liczba=12\r\n"
                             "end";
    EXPECT_FALSE(galaz.WczytajZTekstu(tekst));
    EXPECT_EQ(galaz.Pole<TPoleInteger>(1).Wartosc, 12);
    // Field names ignore case; a simple value read into an object goes to its "_Value_".
    EXPECT_TRUE(galaz.WczytajZTekstu("OBJECT TGalaz\r\nliczba=0\r\nDalej='w'\r\nEND"));
    EXPECT_TRUE(galaz.MaWartosc(1)) << "a zero read is a value";
    EXPECT_EQ(galaz.Pole<TGalaz>(0).Tekstowo(2), QStringLiteral("w"));
}

// Names of one length with the same first and last letters meet in one
// place of the reader's name cache: neither may be taken for the other.
class TPodobneNazwy : public TKlasa<TPodobneNazwy, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Kraj", &TPoleString::Opis}, {1, "Kwej", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

TEST(FormatTekstowy, PodobneNazwyPolSieNieMyla)
{
    TPodobneNazwy obiekt;
    EXPECT_TRUE(obiekt.WczytajZTekstu("object TPodobneNazwy\r\nKraj='a'\r\nKwej='b'\r\nKRAJ='c'\r\nend"));
    EXPECT_EQ(obiekt.Tekstowo(0), QStringLiteral("c"));
    EXPECT_EQ(obiekt.Tekstowo(1), QStringLiteral("b"));
}

TEST(FormatTekstowy, BledyZPozycjaIWyczyszczonymObiektem)
{
    const struct
    {
        const char *Nazwa;
        QByteArray Tekst;
        const char *Komunikat;
    } przypadki[] = {
        {"unexpected end", "object TWszystkiePola\r\nobject Pierwszy\r\nNazwa='x'", "Nieoczekiwany koniec pliku"},
        {"end inside a skipped block", "object TWszystkiePola\r\nobject Obcy\r\nx=1", "Nieoczekiwany koniec pliku"},
        {"simple value into an object", "object TWszystkiePola\r\nPierwszy=1\r\nend",
         "próba odczytu pola prostego obiektem"},
        {"bad value names its field", "object TWszystkiePola\r\nobject Pierwszy\r\nLicznik='x'\r\nend\r\nend",
         "Pierwszy.Licznik: Spodziewana liczba"},
        {"missing equals sign", "object TWszystkiePola\r\n\r\nBajt 1\r\nend", "w linii 3 na pozycji 6"},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TWszystkiePola obiekt;
        obiekt.Wypelnij();
        const QString tresc = komunikat([&] { obiekt.WczytajZTekstu(p.Tekst); });
        EXPECT_TRUE(tresc.contains(QString::fromUtf8(p.Komunikat))) << tresc.toStdString();
        EXPECT_FALSE(obiekt.MaWartosc(-1));
        EXPECT_EQ(obiekt.Wskazany(TWszystkiePola::Ref), nullptr);
    }
    TCel cel;
    EXPECT_THROW(cel.WczytajZTekstu("object TWszystkiePola\r\nend"), ELkObcyTypError);
}

TEST(FormatTekstowy, GlebokoscZagniezdzeniaMaGranice)
{
    auto galaz = [](int p_Poziomy) {
        return "object TGalaz" + QByteArray("\r\nobject Dalej").repeated(p_Poziomy - 1) + "\r\nLiczba=1"
            + QByteArray("\r\nend").repeated(p_Poziomy);
    };
    const int granica = TOdczytywaczDanych::MaksGlebokoscOdczytu;
    TGalaz plytka;
    EXPECT_TRUE(plytka.WczytajZTekstu(galaz(granica)));
    EXPECT_EQ(plytka.ZapiszWTekscie(), galaz(granica));
    TGalaz gleboka;
    EXPECT_TRUE(komunikat([&] { gleboka.WczytajZTekstu(galaz(granica + 1)); })
                    .contains(QStringLiteral("Zbyt głębokie zagnieżdżenie obiektów (więcej niż 200 poziomów)")));
    EXPECT_FALSE(gleboka.MaWartosc(-1));
}

TEST(FormatTekstowy, JakoStringIDrzewoObiektu)
{
    TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    TWszystkiePola kopia;
    kopia.SetJakoString(zrodlo.GetJakoString());
    EXPECT_EQ(kopia.PorownajZObiektem(zrodlo), 0);
    kopia.SetJakoString(QString());
    EXPECT_FALSE(kopia.MaWartosc(-1));

    TGalaz galaz;
    galaz.Pole<TGalaz>(0).UstawPole<TPoleInteger>(1, 5);
    EXPECT_EQ(galaz.DrzewoObiektu(), QStringLiteral("object TGalaz\r\n  object Dalej\r\n    Liczba=5\r\n  end\r\nend"));
    EXPECT_EQ(galaz.DrzewoObiektu(1, 5), QStringLiteral("błędne użycie metody"));
    EXPECT_EQ(galaz.DrzewoObiektu(1, 3), QStringLiteral("błędne użycie metody"));
    // The other formats with line breaks and indentation, without a prolog.
    EXPECT_EQ(galaz.DrzewoObiektu(3, 2),
              QStringLiteral("<Galaz>\r\n   <Dalej Liczba=\"5\"/>\r\n</Galaz>"));
    EXPECT_EQ(galaz.DrzewoObiektu(0, 2, tzxWierszowy),
              QStringLiteral("<Galaz>\r\n  <Dalej>\r\n    <Liczba>5</Liczba>\r\n  </Dalej>\r\n</Galaz>"));
    EXPECT_EQ(galaz.DrzewoObiektu(0, 4), QStringLiteral("{\"_type_\":\"TGalaz\",\r\n\"Dalej\":{\r\n\"Liczba\":5\r\n}\r\n}"));
}

TEST(FormatTekstowy, JakoStringPoWpieciuPrzywracaPola)
{
    TWszystkiePola obiekt;
    obiekt.Cel(TWszystkiePola::Pierwszy).UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("swoj"));
    TCel wpiety;
    wpiety.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("obcy"));
    const QString tekst = obiekt.JakoStringPoWpieciu({int(TWszystkiePola::Pierwszy)}, {&wpiety});
    EXPECT_TRUE(tekst.contains(QStringLiteral("\"obcy\""))) << tekst.toStdString();
    EXPECT_EQ(obiekt.Cel(TWszystkiePola::Pierwszy).Tekstowo(TCel::Nazwa), QStringLiteral("swoj"));
    EXPECT_EQ(wpiety.Rodzic(), nullptr);
}

TEST(FormatTekstowy, ListyBajtPoBajcie)
{
    obieg::TListy listy;
    TCel &a = static_cast<TCel &>(*listy.ListaCelow().DopiszObiekt(nullptr));
    a.UstawPole<TPoleInteger>(TCel::Licznik, 1);
    listy.ListaCelow().DopiszObiekt(nullptr);
    listy.ListaLiczb().DodajZArrayOfInt({-1, 2});
    listy.ListaLinii().Wartosci = {QStringLiteral("a"), QStringLiteral("ł")};
    TCel obcy;
    for (TObiektBazowy *cel : {static_cast<TObiektBazowy *>(&a), static_cast<TObiektBazowy *>(&obcy),
                               static_cast<TObiektBazowy *>(&a), static_cast<TObiektBazowy *>(&listy)})
        listy.ListaWskazan().DopiszObiekt(cel);
    // The list is numbered before its items; a target outside is left out.
    const QByteArray tekst("object TListy\r\n"
                           "object Cele\r\nobject\r\nLicznik=1\r\nend\r\nobject\r\nend\r\nend\r\n"
                           "object Liczby\r\n\"-1 2\"\r\nend\r\n"
                           "object Linie\r\n\"a\"#13#10\"\xc5\x82\"\r\nend\r\n"
                           "object Wskazania\r\n(3,3,1)\r\nend\r\n"
                           "end");
    EXPECT_EQ(listy.ZapiszWTekscie(), tekst);

    obieg::TListy wczytane;
    ASSERT_TRUE(wczytane.WczytajZTekstu(tekst));
    EXPECT_EQ(wczytane.ListaCelow().IleObiektow(), 2);
    EXPECT_EQ(wczytane.ListaLinii().Wartosci, listy.ListaLinii().Wartosci);
    ASSERT_EQ(wczytane.ListaWskazan().IleObiektow(), 3);
    EXPECT_EQ(wczytane.ListaWskazan().ObiektyListy(1), wczytane.ListaCelow().ObiektyListy(0));
    EXPECT_EQ(wczytane.ListaWskazan().ObiektyListy(2), &wczytane);

    // One item given by its fields alone takes the list's number.
    ASSERT_TRUE(wczytane.WczytajZTekstu("object TListy\r\nobject Cele\r\nLicznik=5\r\nend\r\n"
                                        "object Wskazania\r\n(2)\r\nend\r\nend"));
    ASSERT_EQ(wczytane.ListaCelow().IleObiektow(), 1);
    EXPECT_EQ(wczytane.ListaCelow().Elementy(0)->Tekstowo(TCel::Licznik), QStringLiteral("5"));
    EXPECT_EQ(wczytane.ListaWskazan().ObiektyListy(0), wczytane.ListaCelow().ObiektyListy(0));

    const QString blad = komunikat([&] { wczytane.WczytajZTekstu("object TListy\r\nCele=1\r\nend"); });
    EXPECT_TRUE(blad.contains(QStringLiteral("próba odczytu pola prostego obiektem"))) << blad.toStdString();

    // A list given twice would free items whose numbers references still use.
    const QString powtorka = komunikat([&] {
        wczytane.WczytajZTekstu("object TListy\r\nobject Cele\r\nobject\r\nend\r\nend\r\n"
                                "object Cele\r\nobject\r\nend\r\nend\r\nobject Wskazania\r\n(3)\r\nend\r\nend");
    });
    EXPECT_TRUE(powtorka.contains(QStringLiteral("Lista obiektów powtórzona w dokumencie"))) << powtorka.toStdString();
    EXPECT_FALSE(wczytane.MaWartosc(-1));
}

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Tekstowy, ObiegFormatu, TFormatTekstowy);
INSTANTIATE_TYPED_TEST_SUITE_P(Tekstowy, ObiegList, TFormatTekstowy);
