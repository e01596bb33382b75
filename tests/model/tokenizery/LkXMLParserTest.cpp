#include "Tokeny.h"

#include "LkXMLParser.h"

using P = TLkParser;

namespace {

class TokenyXML : public ::testing::TestWithParam<PrzypadekTokenow>
{
};

TEST_P(TokenyXML, DajeTokenyLubBlad)
{
    SprawdzPrzypadek<TLkXMLParser>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, TokenyXML,
    ::testing::Values(
        PrzypadekTokenow{"qualified names and a namespace declaration",
                         "<ns5:CC529C xmlns:ns5=\"urn:x\">",
                         {Znak('<'), {P::toSymbol, "ns5:CC529C"}, {P::toSymbol, "xmlns:ns5"}, Znak('='),
                          {P::toString, "urn:x"}, Znak('>')},
                         {}},
        PrzypadekTokenow{"prolog characters",
                         "<?xml version='1.0'?><!-- c -->",
                         {Znak('<'), Znak('?'), {P::toSymbol, "xml"}, {P::toSymbol, "version"}, Znak('='),
                          Znak('\''), {P::toFloat, "1.0"}, Znak('\''), Znak('?'), Znak('>'), Znak('<'), Znak('!'),
                          Znak('-'), Znak('-'), {P::toSymbol, "c"}, Znak('-'), Znak('-'), Znak('>')},
                         {}},
        PrzypadekTokenow{"content that begins with a quote runs to the next <",
                         "<a>\"cytat\" i \"dalej</a>",
                         {Znak('<'), {P::toSymbol, "a"}, Znak('>'), {P::toString, "\"cytat\" i \"dalej"}, Znak('<'),
                          Znak('/'), {P::toSymbol, "a"}, Znak('>')},
                         {}},
        PrzypadekTokenow{"a value stops at < without consuming it",
                         "x=\"1<b",
                         {{P::toSymbol, "x"}, Znak('='), {P::toString, "1"}, Znak('<'), {P::toSymbol, "b"}},
                         {}},
        PrzypadekTokenow{"empty value and names with - . _ and letters above 127",
                         "a-b.c_d=\"\" \xC5\xBC\xC3\xB3\xC5\x82w",
                         {{P::toSymbol, "a-b.c_d"}, Znak('='), {P::toString, ""},
                          {P::toSymbol, "\xC5\xBC\xC3\xB3\xC5\x82w"}},
                         {}},
        PrzypadekTokenow{"numbers: a comma makes a float",
                         "12,5 -3 $ff 1e5 - x",
                         {{P::toFloat, "12,5"}, {P::toInteger, "-3"}, {P::toInteger, "$ff"}, {P::toFloat, "1e5"},
                          Znak('-'), {P::toSymbol, "x"}},
                         {}},
        PrzypadekTokenow{"a value to the end of the stream",
                         "<a\n  b=\"xyz",
                         {},
                         QStringLiteral("Nieoczekiwany koniec pliku w linii 2 na pozycji 5")}),
    NazwaZOpisu());

TEST(LkXMLParser, WartoscZLiniamiLiczyLinieIZapamietujeKoniecLinii)
{
    TMemoryStream strumien(QByteArray("a=\"x\r\ny\nz\" b"));
    TLkXMLParser parser(&strumien);
    parser.NextToken();
    EXPECT_EQ(parser.NextToken(), P::toString);
    EXPECT_EQ(parser.TokenString(), "x\r\ny\nz");
    EXPECT_TRUE(parser.WasEndOfLine());
    EXPECT_EQ(parser.SourceLine(), 3);
    parser.NextToken();
    EXPECT_EQ(parser.TokenString(), "b");
    EXPECT_EQ(parser.SourceColumn(), 4);
}

// "=" and a value read in one step leave the parser as two tokens do; any
// other shape reads nothing. A value past the first buffer makes it refill.
TEST(LkXMLParser, RownaSieIWartoscJakDwaTokeny)
{
    // What the parser shows over the value and the token after it, or the error it raised.
    const auto przebieg = [](const QByteArray &p_Tresc, bool p_WJednym) {
        TMemoryStream strumien(p_Tresc);
        TLkXMLParser parser(&strumien);
        QByteArray zapis;
        try {
            if (!p_WJednym || !parser.RownaSieIWartosc()) {
                if (p_WJednym)
                    return QByteArray("nic nie przeczytano");
                parser.NextToken();
                parser.NextToken();
            }
            for (int i = 0; i < 2; ++i) {
                zapis += QByteArray::number(parser.Token()) + ' ' + parser.TokenView().first(std::min<qsizetype>(8, parser.TokenView().size())).toByteArray() + ' '
                    + QByteArray::number(parser.WasEndOfLine()) + ' ' + QByteArray::number(parser.SourceLine()) + ' '
                    + QByteArray::number(parser.SourceColumn()) + ' ' + QByteArray::number(parser.SourcePos()) + ' '
                    + QByteArray::number(parser.TokenView().size()) + ';';
                parser.NextToken();
            }
        } catch (const ELkParserError &e) {
            zapis += e.Message().toUtf8();
        }
        return zapis;
    };
    const QByteArray dlugi = "a=\"" + QByteArray(TLkParser::PoczatkowyRozmiarBufora + 100, 'x') + "\" b";
    for (const QByteArray &tresc : {QByteArray("a=\"x\r\ny\" b"), QByteArray("a=\"\" b"), QByteArray("a=\"1<b"),
                                    QByteArray("a=\"bez konca"), dlugi})
        EXPECT_EQ(przebieg(tresc, true), przebieg(tresc, false)) << tresc.left(20).toStdString();
    for (const char *inny : {"a = \"1\"", "a='1'", "a=1", "a", "a=", "a=\r\n\"1\""}) {
        TMemoryStream strumien{QByteArray(inny)};
        TLkXMLParser parser(&strumien);
        EXPECT_FALSE(parser.RownaSieIWartosc()) << inny;
        EXPECT_EQ(parser.Token(), P::toSymbol);
        EXPECT_EQ(parser.NextToken(), QByteArray(inny).contains('=') ? int('=') : int(P::toEOF)) << inny;
    }
}

TEST(LkXMLParser, TekstElementuOdBiezacegoTokenuDoZnakuMniejszosci)
{
    TMemoryStream strumien(QByteArray("<a>  Zwykły tekst & 'inny'\nciąg</a>"));
    TLkXMLParser parser(&strumien);
    parser.NextToken();
    parser.NextToken();
    parser.NextToken();
    EXPECT_EQ(parser.ReadTextUpTo('<', true), "Zwykły tekst & 'inny'\nciąg");
    EXPECT_TRUE(parser.WasEndOfLine());
    EXPECT_EQ(parser.SourceLine(), 2);
    EXPECT_EQ(parser.NextToken(), '<');
    EXPECT_EQ(parser.NextToken(), '/');
}

TEST(LkXMLParser, ZachowajSpacjeNiePomijaBialychZnakow)
{
    TMemoryStream strumien(QByteArray("<b/>  tekst"));
    TLkXMLParser parser(&strumien);
    parser.NextToken();
    parser.NextToken();
    parser.NextToken();
    parser.ZachowajSpacje = true;
    EXPECT_EQ(parser.NextToken(), ' ');
    EXPECT_FALSE(parser.ZachowajSpacje);
    EXPECT_EQ(parser.NextToken(), P::toSymbol);
}

TEST(LkXMLParser, PomijanieTekstuDoOgranicznikaBezRozdymaniaBufora)
{
    QByteArray tresc = "<!--";
    for (int i = 0; i < 20000; ++i)
        tresc += "komentarz\n";
    tresc += "--><a/>";
    TMemoryStream strumien(tresc);
    TLkXMLParser parser(&strumien);
    parser.SkipTextUpTo('>');
    EXPECT_EQ(parser.SourceLine(), 20001);
    EXPECT_EQ(parser.RozmiarBufora(), TLkParser::PoczatkowyRozmiarBufora);
    EXPECT_EQ(parser.NextToken(), '>');
    EXPECT_EQ(parser.NextToken(), '<');
    EXPECT_EQ(parser.NextToken(), P::toSymbol);
}

} // namespace
