#include "Tokeny.h"

#include "LkJSONParser.h"

#include <string>
#include <vector>

using P = TLkParser;

namespace {

class TokenyJSON : public ::testing::TestWithParam<PrzypadekTokenow>
{
};

TEST_P(TokenyJSON, DajeTokenyLubBlad)
{
    SprawdzPrzypadek<TLkJSONParser>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, TokenyJSON,
    ::testing::Values(
        PrzypadekTokenow{"members, literals and numbers",
                         "{\"a\":[1,-2.5e3,true,null],\"n\":false}",
                         {Znak('{'), {P::toWString, "a"}, Znak(':'), Znak('['), {P::toInteger, "1"}, Znak(','),
                          {P::toFloat, "-2.5e3"}, Znak(','), {P::toSymbol, "true"}, Znak(','), {P::toSymbol, "null"},
                          Znak(']'), Znak(','), {P::toWString, "n"}, Znak(':'), {P::toSymbol, "false"}, Znak('}')},
                         {}},
        PrzypadekTokenow{"escapes stay in place; an escaped backslash ends nothing",
                         "[\"b\\\"c\",\"x\\\\\",\"\\u0041\"]",
                         {Znak('['), {P::toWString, "b\\\"c"}, Znak(','), {P::toWString, "x\\\\"}, Znak(','),
                          {P::toWString, "\\u0041"}, Znak(']')},
                         {}},
        PrzypadekTokenow{"UTF-8 inside a string", "\"Łódź\"", {{P::toWString, "Łódź"}}, {}},
        PrzypadekTokenow{"control byte inside a string",
                         "{\n \"a\":\"x\ty\"}",
                         {},
                         QStringLiteral("Nieprawidłowa stała tekstowa w linii 2 na pozycji 6")},
        PrzypadekTokenow{"escaped line feed", "[\"a\\\nb\"]", {},
                         QStringLiteral("Nieprawidłowa stała tekstowa w linii 1 na pozycji 2")},
        PrzypadekTokenow{"string to the end of the stream", "[\"abc", {},
                         QStringLiteral("Nieoczekiwany koniec pliku w linii 1 na pozycji 2")},
        PrzypadekTokenow{"number at the end of the stream", "[12", {},
                         QStringLiteral("Nieoczekiwany koniec pliku w linii 1 na pozycji 2")},
        PrzypadekTokenow{"escapes and numbers longer than a 16-byte block",
                         "[\"0123456789abcd\\\"0123456789abcdef\\\\\",123456789012345678901,-0.5e+123456789012345678,7E-1]",
                         {Znak('['), {P::toWString, "0123456789abcd\\\"0123456789abcdef\\\\"}, Znak(','),
                          {P::toInteger, "123456789012345678901"}, Znak(','),
                          {P::toFloat, "-0.5e+123456789012345678"}, Znak(','), {P::toFloat, "7E-1"}, Znak(']')},
                         {}},
        PrzypadekTokenow{"escape before a control byte after long blanks",
                         "[\n\n\n                    \"0123456789abcdef0123\\\x01\"]",
                         {},
                         QStringLiteral("Nieprawidłowa stała tekstowa w linii 4 na pozycji 21")}),
    NazwaZOpisu());

} // namespace

namespace {

// Everything a reader can see of a token stream: kind, bytes, position, line,
// column, and the error that ends it.
std::string SladTokenow(const QByteArray &p_Wejscie, TLkJSONParser::TDroga p_Droga)
{
    TMemoryStream strumien(p_Wejscie);
    std::string slad;
    try {
        TLkJSONParser parser(&strumien, p_Droga);
        while (parser.Token() != TLkParser::toEOF) {
            slad += std::to_string(parser.Token()) + ' ' + std::to_string(parser.SourcePos()) + ' '
                  + std::to_string(parser.SourceLine()) + ' ' + std::to_string(parser.SourceColumn()) + ' '
                  + parser.TokenString().toStdString() + '\n';
            parser.NextToken();
        }
    } catch (const ELkParserError &e) {
        slad += e.Message().toStdString();
    }
    return slad;
}

// The index reads 64-byte blocks and 4 KiB windows and carries string and
// backslash state across them; each motif is tried at every offset around
// such a boundary, and both block scans must give what the byte scan gives.
TEST(TokenyJSONIndeks, JakBajtPoBajcieNaGranicachBlokow)
{
    const std::vector<QByteArray> motywy = {
        "\"ab\\\"cd\"",                    // an escaped quote
        "\"ab\\\\\"",                      // an escaped backslash before the closing quote
        "\"\\\\\\\\\\\"x\\\\\\\\\\\\\"",   // odd and even backslash runs
        "[12ab,-3.5e+2x,truex]",           // runs holding more than one token
        "\"x\"\n\n  \"y\"",                // line feeds between tokens
        "\"bad\tbyte\"",                   // a control byte inside a string
        "\"line\nbreak\"",                 // a line feed inside a string
        "[1, \\\"x\"]",                    // a backslash outside strings
        "{\"a\":[1,2,{\"b\":null}]}",
        QByteArray("[\"a\0b\", 1\0 2]", 14), // zero bytes inside and outside strings
        "\"unterminated",
        "[123",
        "\"ends at the end\"",
    };
    for (const QByteArray &motyw : motywy) {
        for (int przed = 0; przed < 140; ++przed) {
            // Blanks (line feeds among them) push the motif across 16-, 32- and 64-byte
            // boundaries; the first token comes before the index is built.
            QByteArray wejscie = "[" + QByteArray(przed, ' ');
            for (int i = 7; i < przed; i += 11)
                wejscie[i] = '\n';
            wejscie += motyw;
            const std::string oczekiwany = SladTokenow(wejscie, TLkJSONParser::TDroga::BajtPoBajcie);
            SCOPED_TRACE(wejscie.toStdString());
            EXPECT_EQ(SladTokenow(wejscie, TLkJSONParser::TDroga::Indeks), oczekiwany);
            EXPECT_EQ(SladTokenow(wejscie, TLkJSONParser::TDroga::IndeksPodstawowy), oczekiwany);
        }
    }
}

// Past the buffer's first fill (refills) and across many windows, with a long
// string, a backslash outside strings and a bad byte far in.
TEST(TokenyJSONIndeks, JakBajtPoBajciePrzezDoczytania)
{
    QByteArray wejscie = "[\n";
    for (int i = 0; wejscie.size() < 300000; ++i) {
        wejscie += "  {\"id\": " + QByteArray::number(i) + ", \"t\": \"a\\\"b\\\\\", \"x\": [true, -1.5e3, null]},\n";
        if (i == 1000)
            wejscie += "  \"" + QByteArray(5000, 'L') + "\",\n";
        if (i == 2000)
            wejscie += "  \\ 5,\n";
    }
    wejscie += "  \"tab\there\"]";
    const std::string oczekiwany = SladTokenow(wejscie, TLkJSONParser::TDroga::BajtPoBajcie);
    EXPECT_NE(oczekiwany.find("Nieprawidłowa stała tekstowa"), std::string::npos);
    EXPECT_EQ(SladTokenow(wejscie, TLkJSONParser::TDroga::Indeks), oczekiwany);
    EXPECT_EQ(SladTokenow(wejscie, TLkJSONParser::TDroga::IndeksPodstawowy), oczekiwany);
}

} // namespace
