#include "KatalogTestowy.h"
#include "Obiekt.h"
#include "OdczytZPamieci.h"
#include "OdczytywaczXML.h"
#include "PolaCalkowite.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"
#include "StringCache.h"
#include "Strumienie.h"
#include "WyjatkiModelu.h"
#include "ZapisywaczTekstu.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(OdczytywaczTekstu, NapisyLaczonePlusem)
{
    TOdczytZPamieci odczyt("'za'#13#10+\"\xC5\" +\r\n \"\xBC\" + '\xB9' 7");
    EXPECT_EQ(odczyt.WczytajTekst(), QString::fromUtf8("za\r\n\u017C\u0105"));
    EXPECT_EQ(odczyt.Parser().TokenString(), QByteArray("7"));

    TOdczytZPamieci bajty("'a' + \"\xC5\xBC\" 'b'");
    EXPECT_EQ(bajty.WczytajTekstAnsi(), QByteArray("a\xC5\xBC"));
    EXPECT_EQ(bajty.WczytajTekstAnsi(), QByteArray("b"));

    TOdczytZPamieci bezNapisu("'a' + 5");
    EXPECT_THROW(bezNapisu.WczytajTekstAnsi(), ELkParserError);
}

// A reader built directly over a stream is ready to read, over memory and a file alike.
class OdczytywaczNadStrumieniem : public KatalogTestowy
{
};

TEST_F(OdczytywaczNadStrumieniem, GotowyPoUtworzeniu)
{
    const QByteArray wejscie("'Ka' + 'wa' 12");
    const QString plik = ZapiszPlik(QStringLiteral("wejscie.txt"), wejscie);
    for (const bool zPliku : {false, true}) {
        for (const bool zIdentyfikatorami : {false, true}) {
            SCOPED_TRACE(testing::Message() << "plik " << zPliku << ", identyfikatory " << zIdentyfikatorami);
            std::unique_ptr<TStream> strumien;
            if (zPliku)
                strumien = std::make_unique<TFileStream>(plik, fmOpenRead);
            else
                strumien = std::make_unique<TMemoryStream>(wejscie);
            std::unique_ptr<TOdczytywaczTekstu> odczyt;
            if (zIdentyfikatorami)
                odczyt = std::make_unique<TOdczytywaczTekstuZRef>(strumien.get());
            else
                odczyt = std::make_unique<TOdczytywaczTekstu>(strumien.get());
            EXPECT_EQ(odczyt->WczytajTekst(), QStringLiteral("Kawa"));
            TPoleWskObiektu wskaznik;
            EXPECT_TRUE(odczyt->WczytajRef(wskaznik));
            EXPECT_EQ(odczyt->Parser().Token(), TLkParser::toEOF);
        }
    }
}

TEST(OdczytywaczTekstu, DlugiNapisRosniePonadBuforParsera)
{
    const QByteArray kawalek(4096, 'x');
    QByteArray wejscie;
    for (int i = 0; i < 40; ++i)
        wejscie += (i ? " +\r\n'" : "'") + kawalek + "'";
    wejscie += " koniec";
    TOdczytZPamieci odczyt(wejscie);
    const QByteArray napis = odczyt.WczytajTekstAnsi();
    EXPECT_EQ(napis.size(), 40 * 4096);
    EXPECT_GT(napis.size(), TLkParser::PoczatkowyRozmiarBufora);
    EXPECT_EQ(napis.count('x'), napis.size());
    EXPECT_TRUE(odczyt.Parser().TokenSymbolIs("koniec"));
}

TEST(OdczytywaczTekstu, DekodujTrescUTF8ZPowrotemDoWin1250)
{
    EXPECT_EQ(TOdczytywaczTekstu::DekodujTrescUTF8("\xC4\x85"), QString::fromUtf8("\u0105"));
    EXPECT_EQ(TOdczytywaczTekstu::DekodujTrescUTF8("\xB9"), QString::fromUtf8("\u0105"));
    EXPECT_EQ(TOdczytywaczTekstu::DekodujTrescUTF8(""), QString());
}

// Previous layouts decide how byte strings decode.
class TZmienionaKlasa : public TKlasa<TZmienionaKlasa, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "ByloWide", &TPoleString::Opis},
        {1, "ByloTekstem", &TPoleWideString::Opis},
    };
    using TKlasa::TKlasa;
    const TOpisKlasy *PoprzTypPolaNr(int16_t p_Nr) const override
    {
        return p_Nr == 0 ? &TPoleWideString::Opis : &TPoleString::Opis;
    }
};

TEST(OdczytywaczTekstu, TekstyWgTokenowIPoprzedniegoUkladu)
{
    TStringCache cache;
    TOdczytZPamieci odczyt("'\xC4\x85' '\xB9' \"\xC4\x85\" symbol 'abc' 'abc'", &cache);
    TZmienionaKlasa obiekt;
    TPoleString tekst;
    odczyt.OdczObiekt = &obiekt;
    odczyt.OdczPole = 0;
    tekst.WczytajTekstowo(odczyt);
    EXPECT_EQ(tekst.Wartosc, QString::fromUtf8("\u0105")); // was wide: UTF-8
    odczyt.OdczPole = 1;
    TPoleWideString szeroki;
    szeroki.WczytajTekstowo(odczyt);
    EXPECT_EQ(szeroki.Wartosc, QString::fromUtf8("\u0105")); // was text: Windows-1250
    odczyt.OdczObiekt = nullptr;
    szeroki.WczytajTekstowo(odczyt);
    EXPECT_EQ(szeroki.Wartosc, QString::fromUtf8("\u0105"));
    tekst.WczytajTekstowo(odczyt);
    EXPECT_EQ(tekst.Wartosc, QStringLiteral("symbol"));

    TPoleString a, b;
    a.WczytajTekstowo(odczyt);
    b.WczytajTekstowo(odczyt);
    EXPECT_EQ(a.Wartosc.constData(), b.Wartosc.constData()); // shared through the cache
}

TEST(OdczytywaczTekstu, BajtyRawByteStringBezZmian)
{
    QByteArray wszystkie;
    for (int b = 32; b < 256; ++b)
        if (b != '\'')
            wszystkie += static_cast<char>(b);
    TOdczytZPamieci odczyt("'" + wszystkie + "' \"\xC4\x85\"");
    TPoleRawByteString pole;
    pole.WczytajTekstowo(odczyt);
    EXPECT_EQ(pole.Wartosc, wszystkie);
    pole.WczytajTekstowo(odczyt);
    EXPECT_EQ(pole.Wartosc, QByteArray("\xB9"));
}

struct TekstPola
{
    const TOpisKlasy *Klasa;
    const char *Wartosc; // UTF-8, through SetJakoString
    QByteArray Zapis;
};

TEST(OdczytywaczTekstu, ZapisTekstowyPolIOdczytZPowrotem)
{
    const TekstPola przypadki[] = {
        {&TPoleBoolean::Opis, "tak", "T"},
        {&TPoleInteger::Opis, "-7", "-7"},
        {&TPoleCardinal::Opis, "4294967295", "4294967295"},
        {&TPoleDouble::Opis, "12,5", "12.5"},
        {&TPoleExtended::Opis, "0.1", "0.1"},
        {&TPoleCurrency::Opis, "1.25", "1.25"},
        {&TPoleDate::Opis, "2023-03-15", "2023-03-15"},
        {&TPoleTime::Opis, "10:20:30", "10:20:30"},
        {&TPoleDateTime::Opis, "2023-03-15 10:20:30", "2023-03-15 10:20:30"},
        {&TPoleString::Opis, "\u017C", "\xC5\xBC"},
        {&TPoleRawByteString::Opis, "\u017C", "\xBF"},
    };
    for (const TekstPola &p : przypadki) {
        SCOPED_TRACE(p.Klasa->Nazwa);
        std::unique_ptr<TPole> pole(p.Klasa->Tworz(nullptr));
        pole->SetJakoString(QString::fromUtf8(p.Wartosc));
        TMemoryStream strumien;
        {
            TZapisywaczTekstu zapisywacz(&strumien, false);
            pole->ZapiszTekstowo(zapisywacz);
        }
        EXPECT_EQ(strumien.Bajty(), p.Zapis);

        // the base writer does not quote: readers take the text as a string token
        QByteArray wejscie = p.Zapis;
        if (p.Klasa->DziedziczyPo(TPoleDateTimeBazowe::Opis) || p.Klasa == &TPoleString::Opis)
            wejscie = QByteArray("\"") + p.Zapis + "\"";
        else if (p.Klasa == &TPoleRawByteString::Opis)
            wejscie = QByteArray("'") + p.Zapis + "'";
        TOdczytZPamieci odczyt(wejscie);
        std::unique_ptr<TPole> odczytane(p.Klasa->Tworz(nullptr));
        EXPECT_TRUE(odczytane->WczytajTekstowo(odczyt));
        EXPECT_EQ(odczytane->GetJakoString(), pole->GetJakoString());
    }
}

TEST(OdczytywaczTekstu, DatyZSurowegoTekstuDzielonegoOdstepem)
{
    TOdczytZPamieci odczyt("\"2024-03-05 10:20\" \"2024-03-05 10:20\" \"2024-03-05\" ''");
    TPoleDate data;
    TPoleTime czas;
    TPoleDateTime dataICzas;
    data.WczytajTekstowo(odczyt);
    czas.WczytajTekstowo(odczyt);
    dataICzas.WczytajTekstowo(odczyt);
    EXPECT_EQ(data.GetJakoString(), QStringLiteral("2024-03-05"));
    EXPECT_EQ(czas.GetJakoString(), QStringLiteral("10:20:00"));
    EXPECT_EQ(dataICzas.GetJakoString(), QStringLiteral("2024-03-05"));
    EXPECT_FALSE(data.WczytajTekstowo(odczyt));
    EXPECT_TRUE(data.MaDefWartosc());
}

} // namespace

namespace {

TEST(OdczytywaczTekstu, WideStringPrzywracaKodowanieXMLPoBledzie)
{
    TMemoryStream puste;
    TOdczytywaczXML odczyt(&puste, tzxStandard, tkxUTF8);
    TPoleWideString pole;
    EXPECT_THROW(pole.WczytajXMLowo(odczyt), ELkParserError);
    EXPECT_EQ(odczyt.KodowanieXML, tkxUTF8);
}

} // namespace
