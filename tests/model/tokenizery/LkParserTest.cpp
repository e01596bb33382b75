#include "Tokeny.h"

#include "KatalogTestowy.h"
#include "LkParser.h"
#include "Strumienie.h"

#include <QByteArray>

using P = TLkParser;

namespace {

class NatywneTokeny : public ::testing::TestWithParam<PrzypadekTokenow>
{
};

TEST_P(NatywneTokeny, DajeTokenyLubBlad)
{
    SprawdzPrzypadek<TLkParser>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, NatywneTokeny,
    ::testing::Values(
        PrzypadekTokenow{"doubled quote and char codes", "'It''s'#13#10", {{P::toString, "It's\r\n"}}, {}},
        PrzypadekTokenow{"double quote after a byte-string segment is literal",
                         "'ab'\"c\"d\"",
                         {{P::toString, "ab\""}, {P::toSymbol, "c"}, {P::toWString, "d"}},
                         {}},
        PrzypadekTokenow{"apostrophe between wide segments is literal", "\"a\"'\"b\"", {{P::toWString, "a'b"}}, {}},
        PrzypadekTokenow{"codes only make a byte string; # alone is byte 0",
                         "#65#321# x",
                         {{P::toString, QByteArray("AA\0", 3)}, {P::toSymbol, "x"}},
                         {}},
        PrzypadekTokenow{"empty string", "'' ''", {{P::toString, ""}, {P::toString, ""}}, {}},
        PrzypadekTokenow{"signs and numbers",
                         "-5 - 5 1.5E-3 $1F 7",
                         {{P::toInteger, "-5"}, Znak('-'), {P::toInteger, "5"}, {P::toFloat, "1.5E-3"},
                          {P::toInteger, "$1F"}, {P::toInteger, "7"}},
                         {}},
        PrzypadekTokenow{"12,5 is two numbers around a comma",
                         "12,5",
                         {{P::toInteger, "12"}, Znak(','), {P::toInteger, "5"}},
                         {}},
        PrzypadekTokenow{"property assignment",
                         "object Obj1: TDok\r\n  Pole_2 = 'x'\r\nend",
                         {{P::toSymbol, "object"}, {P::toSymbol, "Obj1"}, Znak(':'), {P::toSymbol, "TDok"},
                          {P::toSymbol, "Pole_2"}, Znak('='), {P::toString, "x"}, {P::toSymbol, "end"}},
                         {}},
        PrzypadekTokenow{"UTF-8 bytes only open a symbol",
                         "\xC5\xBB" "a",
                         {{P::toSymbol, "\xC5"}, {P::toSymbol, "\xBB" "a"}},
                         {}},
        PrzypadekTokenow{"bytes 254 and 255 are characters", "\xFE\xFF", {Znak('\xFE'), Znak('\xFF')}, {}},
        PrzypadekTokenow{"line break inside a string, at its start column",
                         "x\n  'ab\ncd'",
                         {},
                         QStringLiteral("Nieprawidłowa stała tekstowa w linii 2 na pozycji 3")},
        PrzypadekTokenow{"carriage return inside a string", "'a\rb'", {},
                         QStringLiteral("Nieprawidłowa stała tekstowa w linii 1 na pozycji 1")},
        PrzypadekTokenow{"string to the end of the stream", "a\n\n   b 'abc", {},
                         QStringLiteral("Nieoczekiwany koniec pliku w linii 3 na pozycji 6")}),
    NazwaZOpisu());

// A stream over the bytes, memory or file, so that each test runs on both.
class ZrodloStrumienia : public KatalogTestowy, public ::testing::WithParamInterface<bool>
{
protected:
    std::unique_ptr<TStream> Strumien(const QByteArray &p_Tresc)
    {
        if (!GetParam())
            return std::make_unique<TMemoryStream>(p_Tresc);
        return std::make_unique<TFileStream>(ZapiszPlik(QStringLiteral("wejscie.txt"), p_Tresc), fmOpenRead);
    }
};

TEST_P(ZrodloStrumienia, TokenWiekszyNizBuforPodwajaBufor)
{
    const QByteArray dlugi(200000, 'a');
    auto strumien = Strumien("x '" + dlugi + "' y");
    TLkParser parser(strumien.get());
    EXPECT_EQ(parser.TokenString(), "x");
    EXPECT_EQ(parser.NextToken(), P::toString);
    EXPECT_EQ(parser.TokenStringLength(), 200000);
    EXPECT_EQ(parser.TokenString(), dlugi);
    EXPECT_EQ(parser.RozmiarBufora(), 262144);
    EXPECT_EQ(parser.NextToken(), P::toSymbol);
    EXPECT_EQ(parser.TokenString(), "y");
    EXPECT_EQ(parser.SourcePos(), 200005);
}

// Many refills: tokens that straddle the buffer's end, line counting and the
// error column after the start of the line has left the buffer.
TEST_P(ZrodloStrumienia, TokenPonadLimitBuforaToBlad)
{
    auto strumien = Strumien("x\n '" + QByteArray(300000, 'a') + "'");
    TLkParser parser(strumien.get());
    parser.UstawMaksRozmiarBufora(262144);
    try {
        parser.NextToken();
        FAIL() << "token read whole";
    } catch (const ELkParserError &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Token dłuższy niż "))) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().endsWith(QStringLiteral(" bajtów w linii 2 na pozycji 2"))) << e.Message().toStdString();
    }
    EXPECT_EQ(parser.RozmiarBufora(), 262144);
}

TEST_P(ZrodloStrumienia, TokenyNaGranicachBuforaIPozycjaBledu)
{
    QByteArray tresc;
    const int wierszy = 30000;
    for (int i = 0; i < wierszy; ++i)
        tresc += "abc " + QByteArray::number(i) + " 'q''r' -1.5\n";
    tresc += "  zle 'koniec\n";
    auto strumien = Strumien(tresc);
    TLkParser parser(strumien.get());
    for (int i = 0; i < wierszy; ++i) {
        ASSERT_EQ(parser.TokenString(), "abc") << "line " << i + 1;
        parser.NextToken();
        ASSERT_EQ(parser.TokenInt(), i);
        ASSERT_EQ(parser.NextToken(), P::toString);
        ASSERT_EQ(parser.TokenString(), "q'r");
        ASSERT_EQ(parser.NextToken(), P::toFloat);
        ASSERT_EQ(parser.TokenString(), "-1.5");
        parser.NextToken();
    }
    EXPECT_EQ(parser.TokenString(), "zle");
    EXPECT_EQ(parser.SourceLine(), wierszy + 1);
    EXPECT_EQ(parser.RozmiarBufora(), TLkParser::PoczatkowyRozmiarBufora);
    try {
        parser.NextToken();
        FAIL() << "no error";
    } catch (const ELkParserError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Nieprawidłowa stała tekstowa w linii 30001 na pozycji 7"));
        EXPECT_EQ(e.Linia(), 30001);
        EXPECT_EQ(e.Pozycja(), 7);
    }
}

TEST_P(ZrodloStrumienia, ZniszczenieZostawiaStrumienNaBiezacymTokenie)
{
    auto strumien = Strumien("abc  def ghi");
    {
        TLkParser parser(strumien.get());
        parser.NextToken();
        EXPECT_EQ(parser.TokenString(), "def");
    }
    EXPECT_EQ(strumien->Position(), 5);
    TLkParser dalej(strumien.get());
    EXPECT_EQ(dalej.TokenString(), "def");
    EXPECT_EQ(dalej.SourcePos(), 5);
}

INSTANTIATE_TEST_SUITE_P(PamiecIPlik, ZrodloStrumienia, ::testing::Bool(),
                         [](const auto &p_Info) { return std::string(p_Info.param ? "Plik" : "Pamiec"); });

TEST(LkParser, TokenIntLiczbyIBooleany)
{
    struct
    {
        QByteArray Wejscie;
        qint64 Wartosc;
    } przypadki[] = {{"$1F", 31}, {"-5", -5}, {"T", 1}, {"Nie", 0}, {"'tak'", 1}, {"9223372036854775807", INT64_MAX}};
    for (const auto &p : przypadki) {
        TMemoryStream strumien(p.Wejscie);
        TLkParser parser(&strumien);
        EXPECT_EQ(parser.TokenInt(), p.Wartosc) << p.Wejscie.constData();
    }
    TMemoryStream strumien(QByteArray("\n abc"));
    TLkParser parser(&strumien);
    try {
        parser.TokenInt();
        FAIL() << "abc read as an integer";
    } catch (const ELkParserError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Spodziewana liczba całkowita w linii 2 na pozycji 2"));
    }
}

TEST(LkParser, CheckTokenPrzepuszczaLubZglasza)
{
    struct
    {
        QByteArray Wejscie;
        unsigned char Oczekiwany;
        QString Blad; // empty: passes
    } przypadki[] = {
        {"12", P::toInteger, {}},
        {"'12'", P::toInteger, {}},
        {"'N'", P::toInteger, {}},
        {"'5000000000'", P::toInteger, QStringLiteral("Spodziewana liczba całkowita")},
        {"'5000000000'", P::toInt64, {}},
        {"12", P::toInt64, {}},
        {"'x'", P::toInt64, QStringLiteral("Spodziewana liczba całkowita")},
        {"12", P::toFloat, {}},
        {"'1,5'", P::toFloat, {}},
        {"abc", P::toFloat, QStringLiteral("Spodziewana liczba ułamkowa")},
        {"12", P::toSymbol, QStringLiteral("Spodziewany identyfikator")},
        {"abc", P::toString, QStringLiteral("Spodziewany tekst")},
        {"abc", P::toWString, QStringLiteral("Spodziewany tekst")},
        {"abc", '=', QStringLiteral("Spodziewany znak #61 ('=')")},
        {"abc", 10, QStringLiteral("Spodziewany znak #10")},
    };
    for (const auto &p : przypadki) {
        TMemoryStream strumien(p.Wejscie);
        TLkParser parser(&strumien);
        QString blad;
        try {
            parser.CheckToken(p.Oczekiwany);
        } catch (const ELkParserError &e) {
            blad = e.Message();
        }
        const QString oczekiwany = p.Blad.isEmpty() ? QString() : p.Blad + QStringLiteral(" w linii 1 na pozycji 1");
        EXPECT_EQ(blad, oczekiwany) << p.Wejscie.constData() << " as " << int(p.Oczekiwany);
    }
}

TEST(LkParser, SymbolPorownanyBezWielkosciLiter)
{
    TMemoryStream strumien(QByteArray("Encoding"));
    TLkParser parser(&strumien);
    EXPECT_TRUE(parser.TokenSymbolIs("ENCODING"));
    EXPECT_FALSE(parser.TokenSymbolIs("Encod"));
    try {
        parser.CheckTokenSymbol("version");
        FAIL();
    } catch (const ELkParserError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Spodziewany symbol version w linii 1 na pozycji 1"));
    }
}

TEST(LkParser, WartoscPozaZakresemZLiniaIPozycja)
{
    TMemoryStream strumien(QByteArray("Pole =\n    300"));
    TLkParser parser(&strumien);
    parser.NextToken();
    parser.NextToken();
    parser.SprawdzZakres(parser.TokenInt(), -300, 300, QStringLiteral("TPoleSmallint"));
    try {
        parser.SprawdzZakres(parser.TokenInt(), 0, 255, QStringLiteral("TPoleByte"));
        FAIL();
    } catch (const ELkParserError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TPoleByte: wartość poza zakresem = 300 w linii 2 na pozycji 5"));
    }
}

TEST(LkParser, LiczbyUlamkoweICurrency)
{
    TMemoryStream strumien(QByteArray("x"));
    TLkParser parser(&strumien);
    EXPECT_DOUBLE_EQ(parser.StringToFloat("12,5"), 12.5);
    EXPECT_DOUBLE_EQ(parser.StringToFloat("1 234,56"), 1234.56);
    EXPECT_DOUBLE_EQ(parser.StringToFloat("-1.5E-3"), -0.0015);
    EXPECT_EQ(parser.StringToCurrency("1,23456"), 12346);
    EXPECT_EQ(parser.StringToCurrency("0,00025"), 3);
    EXPECT_EQ(parser.StringToCurrency("-0.00025"), -3);
    for (const char *zly : {"abc", "", "1.234.567", "inf", "nan", "0x10"}) {
        try {
            parser.StringToFloat(zly);
            ADD_FAILURE() << zly << " read as a float";
        } catch (const ELkParserError &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Spodziewana liczba ułamkowa w linii 1 na pozycji 1"));
        }
    }
}

TEST(LkParser, DaneBinarneHeksadecymalnie)
{
    TMemoryStream strumien(QByteArray("{0A1b\n  ff }"));
    TLkParser parser(&strumien);
    ASSERT_EQ(parser.Token(), '{');
    TMemoryStream cel;
    parser.HexToBinary(&cel);
    EXPECT_EQ(parser.Token(), '}');
    EXPECT_EQ(parser.SourceLine(), 2);
    EXPECT_EQ(cel.Bajty(), QByteArray("\x0A\x1B\xFF"));

    for (const char *zle : {"{0A 0G}", "{0A1", "{ABC}"}) {
        TMemoryStream wejscie{QByteArray(zle)};
        TLkParser p(&wejscie);
        TMemoryStream c;
        try {
            p.HexToBinary(&c);
            ADD_FAILURE() << zle;
        } catch (const ELkParserError &e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Nieprawidłowa wartość binarna w linii 1"))) << zle;
        }
    }
}

TEST(LkParser, DlugiCiagHeksadecymalnyNieRozdymaBufora)
{
    QByteArray tresc = "{";
    for (int i = 0; i < 200000; ++i)
        tresc += "0f";
    tresc += "}";
    TMemoryStream strumien(tresc);
    TLkParser parser(&strumien);
    TMemoryStream cel;
    parser.HexToBinary(&cel);
    EXPECT_EQ(cel.Size(), 200000);
    EXPECT_EQ(parser.RozmiarBufora(), TLkParser::PoczatkowyRozmiarBufora);
}

TEST(LkParser, ZnakPoZnakuIKoniecPliku)
{
    TMemoryStream strumien(QByteArray("a\nb"));
    TLkParser parser(&strumien);
    EXPECT_EQ(parser.ReadNextChar(), '\n');
    EXPECT_EQ(parser.SourceLine(), 2);
    EXPECT_EQ(parser.ReadNextChar(), 'b');
    try {
        parser.ReadNextChar();
        FAIL();
    } catch (const ELkParserError &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Nieoczekiwany koniec pliku w linii 2")));
    }
}

} // namespace
