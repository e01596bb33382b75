#include "KatalogTestowy.h"
#include "KlasyTestowe.h"
#include "ObiegFormatu.h"
#include "OdczytywaczJSON.h"
#include "WyjatkiModelu.h"
#include "ZapisywaczJSON.h"

#include <functional>

namespace {

struct TFormatJSON
{
    static void Zapisz(TObiektBazowy &p_Obiekt, TStream &p_Strumien) { p_Obiekt.ZapiszWPlikuJSON({}, &p_Strumien); }
    static void Wczytaj(TObiektBazowy &p_Obiekt, TStream &p_Strumien) { p_Obiekt.WczytajZPlikuJSON({}, &p_Strumien); }
};

class TOsoba : public TKlasa<TOsoba, TObiekt>
{
public:
    enum : int16_t { Imie, Wiek };
    static constexpr TOpisPola PolaKlasy[] = {
        {Imie, "Imie", &TPoleString::Opis},
        {Wiek, "Wiek", &TPoleInteger::Opis},
    };
    using TKlasa::TKlasa;
};

QString BladOdczytu(TObiekt &p_Obiekt, const QByteArray &p_JSON)
{
    try {
        p_Obiekt.WczytajZeStringuJSON(p_JSON);
    } catch (const Exception &e) {
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(JSON, ObiegFormatu, TFormatJSON);
INSTANTIATE_TYPED_TEST_SUITE_P(JSON, ObiegList, TFormatJSON);

// ---- the documented shapes, byte for byte

struct PrzypadekZapisu
{
    const char *Nazwa;
    std::function<void(TOsoba &)> Wypelnij;
    bool PominTyp;
    TFunCzyZapisac Filtr;
    QByteArray Oczekiwany;
};

class ZapisJSON : public ::testing::TestWithParam<PrzypadekZapisu>
{
};

TEST_P(ZapisJSON, WritesTheDocumentedBytes)
{
    TOsoba osoba;
    GetParam().Wypelnij(osoba);
    EXPECT_EQ(osoba.ZapiszWStringuJSON(false, GetParam().PominTyp, GetParam().Filtr), GetParam().Oczekiwany);
}

const auto JanLat42 = [](TOsoba &p_Osoba) {
    p_Osoba.UstawTekstowo(TOsoba::Imie, QStringLiteral("Jan"));
    p_Osoba.UstawTekstowo(TOsoba::Wiek, QStringLiteral("42"));
};
const auto Imie = [](const QString &p_Imie) {
    return [p_Imie](TOsoba &p_Osoba) { p_Osoba.UstawTekstowo(TOsoba::Imie, p_Imie); };
};

INSTANTIATE_TEST_SUITE_P(
    Przyklady, ZapisJSON,
    ::testing::Values(
        PrzypadekZapisu{"Typed", JanLat42, false, {}, "{\"_type_\":\"TOsoba\",\r\n\"Imie\":\"Jan\",\r\n\"Wiek\":42\r\n}"},
        PrzypadekZapisu{"Untyped", JanLat42, true, {}, "{\r\n\"Imie\":\"Jan\",\r\n\"Wiek\":42\r\n}"},
        PrzypadekZapisu{"Empty", [](TOsoba &) {}, false, {}, "{\"_type_\":\"TOsoba\"\r\n}"},
        PrzypadekZapisu{"FilterTakesAFieldWithoutDataAsNull", Imie(QStringLiteral("Jan")), true,
                        [](const TObiekt &, int16_t p_Nr) { return p_Nr == TOsoba::Wiek; },
                        "{\r\n\"Wiek\":null\r\n}"},
        PrzypadekZapisu{"TabQuoteAndPolishLetter", Imie(QStringLiteral("\t\"ł")), true, {},
                        "{\r\n\"Imie\":\"\\t\\\"\xc5\x82\"\r\n}"},
        PrzypadekZapisu{"ControlByteAsUnicodeEscape", Imie(QStringLiteral("\x01\x1f")), true, {},
                        "{\r\n\"Imie\":\"\\u0001\\u001F\"\r\n}"},
        PrzypadekZapisu{"SlashDelAndBackslash", Imie(QStringLiteral("/\x7f\\")), true, {},
                        "{\r\n\"Imie\":\"/\x7f\\\\\"\r\n}"},
        PrzypadekZapisu{"ShortEscapes", Imie(QStringLiteral("\b\f\n\r")), true, {},
                        "{\r\n\"Imie\":\"\\b\\f\\n\\r\"\r\n}"}),
    [](const auto &p_Info) { return std::string(p_Info.param.Nazwa); });

TEST(ZapisJSONUcieczek, OneUnitNeedingMoreAnywhereInALongString)
{
    // Plain ASCII is copied many units at a time: an escape or a non-ASCII
    // unit must be caught wherever it falls against those runs.
    struct TZnak
    {
        QString Znak;
        QByteArray Zapis;
    };
    const TZnak znaki[] = {{QStringLiteral("\""), "\\\""},       {QStringLiteral("\\"), "\\\\"},
                           {QStringLiteral("\x01"), "\\u0001"},     {QStringLiteral("\x1f"), "\\u001F"},
                           {QStringLiteral("\x7f"), "\x7f"},         {QStringLiteral("\u00ff"), "\xc3\xbf"},
                           {QStringLiteral("\u0100"), "\xc4\x80"},  {QStringLiteral("\u8000"), "\xe8\x80\x80"},
                           {QStringLiteral("\U0001F600"), "\xf0\x9f\x98\x80"}};
    for (const int przed : {0, 7, 8, 15, 16, 17, 31, 40})
        for (const TZnak &znak : znaki) {
            TOsoba osoba;
            osoba.UstawTekstowo(TOsoba::Imie, QString(przed, QLatin1Char('a')) + znak.Znak + QStringLiteral("bcdefghijklmnopq"));
            EXPECT_EQ(osoba.ZapiszWStringuJSON(false, true),
                      "{\r\n\"Imie\":\"" + QByteArray(przed, 'a') + znak.Zapis + "bcdefghijklmnopq\"\r\n}")
                << przed << " " << znak.Zapis.toHex().constData();
        }
}

TEST(ZapisJSONReferencji, SharedTargetGetsIDOneAndBothReferencesComeBackToIt)
{
    TWezel wezel;
    wezel.Pod(TWezel::Lewy).UstawTekstowo(TWezel::Nazwa, QStringLiteral("L"));
    static_cast<TPoleWskObiektu &>(wezel.Pola(TWezel::Cel)).UstawWartosc(&wezel.Pod(TWezel::Lewy));
    wezel.UstawMaWartosc(TWezel::Cel, true);
    static_cast<TPoleWskObiektu &>(wezel.Pola(TWezel::Wsk)).UstawWartosc(&wezel.Pod(TWezel::Lewy));
    wezel.UstawMaWartosc(TWezel::Wsk, true);

    const QByteArray json = wezel.ZapiszWStringuJSON();
    EXPECT_EQ(json, QByteArray("{\"_type_\":\"TWezel\",\r\n\"Cel\":1,\r\n\"Wsk\":1,\r\n"
                               "\"Lewy\":{\"ID\":1,\r\n\"Nazwa\":\"L\"\r\n}\r\n}"));

    TWezel wczytany;
    EXPECT_TRUE(wczytany.WczytajZeStringuJSON(json));
    EXPECT_EQ(wczytany.Wskazany(TWezel::Cel), &wczytany.Pod(TWezel::Lewy));
    EXPECT_EQ(wczytany.Wskazany(TWezel::Wsk), &wczytany.Pod(TWezel::Lewy));
}

TEST(ZapisJSONReferencji, ReferenceOutsideTheTreeIsOmitted)
{
    TWezel obcy;
    TWezel wezel;
    wezel.UstawTekstowo(TWezel::Nazwa, QStringLiteral("x"));
    static_cast<TPoleWskObiektu &>(wezel.Pola(TWezel::Wsk)).UstawWartosc(&obcy);
    wezel.UstawMaWartosc(TWezel::Wsk, true);

    EXPECT_EQ(wezel.ZapiszWStringuJSON(), QByteArray("{\"_type_\":\"TWezel\",\r\n\"Nazwa\":\"x\"\r\n}"));
}

TEST(ZapisJSONList, ArraysOfEveryListKind)
{
    obieg::TListy listy;
    auto &a = static_cast<obieg::TCel &>(*listy.ListaCelow().DopiszObiekt(nullptr));
    a.UstawPole<TPoleInteger>(obieg::TCel::Licznik, 1);
    listy.ListaCelow().DopiszObiekt(nullptr);
    listy.ListaLinii().Wartosci = {QStringLiteral("a"), QStringLiteral("ł")};
    obieg::TCel obcy;
    listy.ListaWskazan().DopiszObiekt(&a);
    listy.ListaWskazan().DopiszObiekt(&obcy);
    listy.ListaWskazan().DopiszObiekt(&a);
    // 40 numbers: one line break, after the comma before element 32.
    std::vector<int32_t> liczby(40);
    std::iota(liczby.begin(), liczby.end(), 0);
    listy.ListaLiczb().DodajZArrayOfInt(liczby);
    QByteArray tablica = "[";
    for (int i = 0; i < 40; ++i)
        tablica += (i ? (i == 32 ? ",\r\n" : ",") : "") + QByteArray::number(i);
    tablica += "]";

    const QByteArray json = listy.ZapiszWStringuJSON();
    EXPECT_EQ(json, "{\"_type_\":\"TListy\",\r\n\"Cele\":[\r\n{\"ID\":1,\r\n\"Licznik\":1\r\n},\r\n{\r\n}\r\n],\r\n"
                    "\"Liczby\":" + tablica + ",\r\n\"Linie\":[\r\n\"a\",\r\n\"\xc5\x82\"\r\n],\r\n\"Wskazania\":[1,1]\r\n}");

    obieg::TListy wczytane;
    ASSERT_TRUE(wczytane.WczytajZeStringuJSON(json));
    EXPECT_EQ(wczytane.ListaLiczb().Rozmiar(), 40);
    ASSERT_EQ(wczytane.ListaWskazan().IleObiektow(), 2);
    EXPECT_EQ(wczytane.ListaWskazan().ObiektyListy(1), wczytane.ListaCelow().ObiektyListy(0));

    // One object without brackets is the list's single item.
    ASSERT_TRUE(wczytane.WczytajZeStringuJSON("{\"_type_\":\"TListy\",\"Cele\":{\"Licznik\":5}}"));
    ASSERT_EQ(wczytane.ListaCelow().IleObiektow(), 1);
    EXPECT_EQ(wczytane.ListaCelow().Elementy(0)->Tekstowo(obieg::TCel::Licznik), QStringLiteral("5"));

    EXPECT_TRUE(BladOdczytu(wczytane, "{\"_type_\":\"TListy\",\"Liczby\":[1,\"x\"]}")
                    .contains(QStringLiteral("Spodziewana liczba całkowita")));
    // A list given twice would free items whose IDs references still use.
    EXPECT_TRUE(BladOdczytu(wczytane, "{\"_type_\":\"TListy\",\"Cele\":[{\"ID\":1}],\"Cele\":[{}],"
                                      "\"Wskazania\":[1]}")
                    .contains(QStringLiteral("Lista obiektów powtórzona w dokumencie")));
    EXPECT_FALSE(wczytane.MaWartosc(-1));
}

TEST(ZapisJSONList, ATypedRootListSitsUnderValue)
{
    TPoleDoubleList liczby;
    liczby.DodajWartosc(0.5);
    liczby.DodajWartosc(-2);
    const QByteArray json = liczby.ZapiszWStringuJSON();
    EXPECT_EQ(json, "{\"_type_\":\"TPoleDoubleList\",\r\n\"value\":[0.5,-2]\r\n}");
    TPoleDoubleList wczytane;
    wczytane.WczytajZeStringuJSON(json);
    EXPECT_EQ(wczytane.Porownaj(liczby), 0);
}

// ---- reading

struct PrzypadekUcieczki
{
    const char *Nazwa;
    QByteArray Literal;
    QString Tekst;
};

class UcieczkiJSON : public ::testing::TestWithParam<PrzypadekUcieczki>
{
};

TEST_P(UcieczkiJSON, ReadsTheEscapedString)
{
    TOsoba osoba;
    osoba.WczytajZeStringuJSON("{\"Imie\":\"" + GetParam().Literal + "\"}");
    EXPECT_EQ(osoba.Tekstowo(TOsoba::Imie), GetParam().Tekst);
}

INSTANTIATE_TEST_SUITE_P(
    Przyklady, UcieczkiJSON,
    ::testing::Values(PrzypadekUcieczki{"Short", "\\\"\\/\\\\\\b\\f\\n\\r\\t", QStringLiteral("\"/\\\b\f\n\r\t")},
                      PrzypadekUcieczki{"UnicodeEitherCase", "\\u0142\\u00E9\\u00e9", QStringLiteral("łéé")},
                      PrzypadekUcieczki{"SurrogatePairAsTwoUnits", "\\uD83D\\ude00", QStringLiteral("\U0001F600")},
                      PrzypadekUcieczki{"RawUTF8AndDel", "\xc5\x82\x7f/", QStringLiteral("ł\x7f/")},
                      PrzypadekUcieczki{"EscapedBackslashBeforeQuote", "a\\\\", QStringLiteral("a\\")}),
    [](const auto &p_Info) { return std::string(p_Info.param.Nazwa); });

TEST(OdczytJSON, WrongEscapesAreRefused)
{
    for (const QByteArray &literal : {QByteArray("\\x"), QByteArray("\\u12G4"), QByteArray("\\u12"), QByteArray("\\U0041")}) {
        TOsoba osoba;
        EXPECT_EQ(BladOdczytu(osoba, "{\"Imie\":\"" + literal + "\"}"),
                  QStringLiteral("Nieprawidłowa stała tekstowa podczas odczytu pola \"Imie\""))
            << literal.constData();
    }
}

TEST(OdczytJSON, EmptyStringAndNullLeaveTheFieldWithoutData)
{
    TOsoba osoba;
    EXPECT_TRUE(osoba.WczytajZeStringuJSON("{\"Imie\":\"\",\"Wiek\":null}"));
    EXPECT_FALSE(osoba.MaWartosc(TOsoba::Imie));
    EXPECT_FALSE(osoba.MaWartosc(TOsoba::Wiek));
}

TEST(OdczytJSON, WithoutTypeReadsAsOwnTypeAndUnknownMembersAreSkippedWhole)
{
    TOsoba osoba;
    EXPECT_FALSE(osoba.WczytajZeStringuJSON(
        "{\"Obce\":{\"a\":[1,{\"b\":[]}],\"c\":null},\"Imie\":[\"Ala\",\"Jan\"],\"Tez\":true,\"Wiek\":7}"));
    EXPECT_EQ(osoba.Tekstowo(TOsoba::Imie), QStringLiteral("Jan"));
    EXPECT_EQ(osoba.Tekstowo(TOsoba::Wiek), QStringLiteral("7"));
}

TEST(OdczytJSON, AnotherTypeRaisesForeignTypeAndLeavesTheObjectCleared)
{
    TOsoba osoba;
    JanLat42(osoba);
    try {
        osoba.WczytajZeStringuJSON("{\"_type_\":\"TWezel\",\"Imie\":\"Ewa\"}");
        ADD_FAILURE() << "no foreign type raised";
    } catch (const ELkObcyTypError &e) {
        EXPECT_EQ(e.OdczytanyTyp(), QStringLiteral("TWezel"));
        EXPECT_EQ(e.SpodziewanyTyp(), QStringLiteral("TOsoba"));
    }
    EXPECT_FALSE(osoba.MaWartosc(-1));
}

TEST(OdczytJSON, EmptyInputOnlyClears)
{
    TOsoba osoba;
    JanLat42(osoba);
    EXPECT_TRUE(osoba.WczytajZeStringuJSON({}));
    EXPECT_FALSE(osoba.MaWartosc(-1));
}

// ---- malformed documents: the error with its place; the object cleared, no reference left

struct PrzypadekBledu
{
    const char *Nazwa;
    QByteArray JSON;
    QString Komunikat;
};

class BledyJSON : public ::testing::TestWithParam<PrzypadekBledu>
{
};

TEST_P(BledyJSON, RaisesWithPlaceAndLeavesNothingBehind)
{
    TWezel wezel;
    wezel.UstawTekstowo(TWezel::Nazwa, QStringLiteral("stary"));
    EXPECT_EQ(BladOdczytu(wezel, GetParam().JSON).toStdString(), GetParam().Komunikat.toStdString());
    EXPECT_FALSE(wezel.MaWartosc(-1));
    EXPECT_EQ(wezel.Wskazany(TWezel::Cel), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Przyklady, BledyJSON,
    ::testing::Values(
        PrzypadekBledu{"NotAnObject", "[1]", QStringLiteral("Spodziewany znak #123 ('{') w linii 1 na pozycji 1")},
        PrzypadekBledu{"MissingColon", "{\"Nazwa\" \"x\"}",
                       QStringLiteral("Spodziewany znak #58 (':') w linii 1 na pozycji 10 podczas odczytu pola \"Nazwa\"")},
        PrzypadekBledu{"MemberNameNotAString", "{\r\n\"Nazwa\":\"x\",\r\n7:1}",
                       QStringLiteral("Spodziewany tekst w linii 3 na pozycji 1")},
        PrzypadekBledu{"IntegerExpected", "{\"Nazwa\":\"x\",\r\n\"IloscSztuk\":}",
                       QStringLiteral("Spodziewana liczba całkowita w linii 2 na pozycji 14 podczas odczytu pola \"IloscSztuk\"")},
        PrzypadekBledu{"OutOfRange", "{\"IloscSztuk\":2147483648}",
                       QStringLiteral("TPoleInteger: wartość poza zakresem = 2147483648 w linii 1 na pozycji 15 "
                                      "podczas odczytu pola \"IloscSztuk\"")},
        PrzypadekBledu{"ControlByteInString", "{\"Nazwa\":\"a\x01\"}",
                       QStringLiteral("Nieprawidłowa stała tekstowa w linii 1 na pozycji 10 podczas odczytu pola \"Nazwa\"")},
        PrzypadekBledu{"Truncated", "{\"Nazwa\":\"x\"",
                       QStringLiteral("Nieoczekiwany koniec pliku w linii 1 na pozycji 13")},
        PrzypadekBledu{"MismatchedBracketInSkippedValue", "{\"Obce\":[1}",
                       QStringLiteral("Spodziewany znak #93 (']') w linii 1 na pozycji 11 podczas odczytu pola \"Obce\"")},
        PrzypadekBledu{"NestedFieldErrorNamesThePath", "{\"Cel\":1,\"Lewy\":{\"ID\":1,\"Prawy\":{\"IloscSztuk\":\"x\"}}}",
                       QStringLiteral("Spodziewana liczba całkowita w linii 1 na pozycji 47 "
                                      "podczas odczytu pola \"Lewy.Prawy.IloscSztuk\"")},
        PrzypadekBledu{"DuplicateID", "{\"Lewy\":{\"ID\":1},\"Prawy\":{\"ID\":1}}",
                       QStringLiteral("zdublowany ID=\"1\" podczas odczytu pola \"Prawy.ID\"")}),
    [](const auto &p_Info) { return std::string(p_Info.param.Nazwa); });

TEST(OdczytJSON, NestingFromInputIsBounded)
{
    constexpr int glebokosc = 100000;
    QByteArray json;
    for (int i = 0; i < glebokosc; ++i)
        json += "{\"Lewy\":";
    json += "{}";
    json += QByteArray(glebokosc, '}');
    TWezel wezel;
    const QString blad = BladOdczytu(wezel, json);
    EXPECT_TRUE(blad.startsWith(QStringLiteral("Zbyt głęboko zagnieżdżone obiekty (więcej niż 500 poziomów) w linii 1")))
        << blad.toStdString();
    EXPECT_FALSE(wezel.MaWartosc(-1));

    // Values nobody reads may nest without bound: they are skipped without recursion.
    TOsoba osoba;
    EXPECT_FALSE(osoba.WczytajZeStringuJSON("{\"Obce\":" + QByteArray(glebokosc, '[') + QByteArray(glebokosc, ']')
                                            + ",\"Wiek\":3}"));
    EXPECT_EQ(osoba.Tekstowo(TOsoba::Wiek), QStringLiteral("3"));
}

// ---- files

class PlikiJSON : public KatalogTestowy
{
};

TEST_F(PlikiJSON, WritesReplacingAndReadsBack)
{
    const QString plik = ZapiszPlik(QStringLiteral("osoba.json"), "stara, dluzsza tresc pliku ktora musi zniknac");
    TOsoba osoba;
    JanLat42(osoba);
    osoba.ZapiszWPlikuJSON(plik);
    EXPECT_EQ(CzytajPlik(plik), osoba.ZapiszWStringuJSON());

    TOsoba wczytana;
    EXPECT_TRUE(wczytana.WczytajZPlikuJSON(plik));
    EXPECT_EQ(wczytana.PorownajZObiektem(osoba), 0);
}

TEST_F(PlikiJSON, FailuresNameTheFile)
{
    TOsoba osoba;
    const QString brak = Sciezka(QStringLiteral("brak.json"));
    try {
        osoba.WczytajZPlikuJSON(brak);
        ADD_FAILURE() << "a missing file was read";
    } catch (const EFCreateError &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Błąd otwarcia pliku ") + brak + QStringLiteral(":\r")));
    }
    try {
        osoba.ZapiszWPlikuJSON(Sciezka(QStringLiteral("nie/ma/katalogu.json")));
        ADD_FAILURE() << "a file was created in a missing folder";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Błąd utworzenia pliku "))) << e.Message().toStdString();
    }

    const QString zly = ZapiszPlik(QStringLiteral("zly.json"), "{\"Imie\":\"Jan\",\r\n\"Wiek\":x}");
    try {
        osoba.WczytajZPlikuJSON(zly);
        ADD_FAILURE() << "a broken file was read";
    } catch (const ELkParserError &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Błąd odczytu pliku ") + zly + QStringLiteral(":\r")));
        EXPECT_TRUE(e.Message().contains(QStringLiteral("w linii 2 na pozycji 8")));
        EXPECT_TRUE(e.Message().contains(QStringLiteral(" at "))) << e.Message().toStdString();
    }
}
