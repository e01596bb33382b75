#include "Tokeny.h"

#include "LkJSONParser.h"
#include "PorcjaTokenowJSON.h"

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

std::string Wiersz(int p_Rodzaj, qint64 p_Pozycja, int p_Linia, int p_Kolumna, QByteArrayView p_Tekst)
{
    return std::to_string(p_Rodzaj) + ' ' + std::to_string(p_Pozycja) + ' ' + std::to_string(p_Linia) + ' '
         + std::to_string(p_Kolumna) + ' ' + p_Tekst.toByteArray().toStdString() + '\n';
}

std::string WierszBiezacego(const TLkJSONParser &p_Parser)
{
    return Wiersz(p_Parser.Token(), p_Parser.SourcePos(), p_Parser.SourceLine(), p_Parser.SourceColumn(),
                  p_Parser.TokenView());
}

// Everything a reader can see of a token stream: kind, bytes, position, line,
// column, and the error that ends it.
std::string SladTokenow(const QByteArray &p_Wejscie, TLkJSONParser::TDroga p_Droga)
{
    TMemoryStream strumien(p_Wejscie);
    std::string slad;
    try {
        TLkJSONParser parser(&strumien, p_Droga);
        while (parser.Token() != TLkParser::toEOF) {
            slad += WierszBiezacego(parser);
            parser.NextToken();
        }
    } catch (const ELkParserError &e) {
        slad += e.Message().toStdString();
    }
    return slad;
}

// The same read in batches, with NextToken between them when p_NaPrzemian;
// after each batch the parser must stand on its last token.
std::string SladPorcjami(const QByteArray &p_Wejscie, TLkJSONParser::TDroga p_Droga, bool p_NaPrzemian)
{
    TMemoryStream strumien(p_Wejscie);
    std::string slad;
    try {
        TLkJSONParser parser(&strumien, p_Droga);
        if (parser.Token() != TLkParser::toEOF)
            slad += WierszBiezacego(parser);
        for (int n = 0; parser.Token() != TLkParser::toEOF; ++n) {
            if (p_NaPrzemian && n % 2) {
                parser.NextToken();
                if (parser.Token() != TLkParser::toEOF)
                    slad += WierszBiezacego(parser);
                continue;
            }
            const TPorcjaTokenowJSON &porcja = parser.NastepneTokeny();
            for (size_t i = 0; i < porcja.Ile(); ++i)
                if (porcja[i].Rodzaj != TLkParser::toEOF)
                    slad += Wiersz(porcja[i].Rodzaj, porcja.Pozycja(i), porcja.Linia(i), porcja.Kolumna(i), porcja.Tekst(i));
            const size_t o = porcja.Ile() - 1;
            if (WierszBiezacego(parser)
                != Wiersz(porcja[o].Rodzaj, porcja.Pozycja(o), porcja.Linia(o), porcja.Kolumna(o), porcja.Tekst(o)))
                slad += "the parser does not stand on the batch's last token\n";
        }
    } catch (const ELkParserError &e) {
        slad += e.Message().toStdString();
    }
    return slad;
}

// Every road over the input gives what the byte scan gives.
void SprawdzDrogi(const QByteArray &p_Wejscie)
{
    using D = TLkJSONParser::TDroga;
    const std::string oczekiwany = SladTokenow(p_Wejscie, D::BajtPoBajcie);
    EXPECT_EQ(SladTokenow(p_Wejscie, D::Indeks), oczekiwany);
    EXPECT_EQ(SladTokenow(p_Wejscie, D::IndeksPodstawowy), oczekiwany);
    for (bool naPrzemian : {false, true}) {
        EXPECT_EQ(SladPorcjami(p_Wejscie, D::Indeks, naPrzemian), oczekiwany) << "batches, mixed: " << naPrzemian;
        EXPECT_EQ(SladPorcjami(p_Wejscie, D::IndeksPodstawowy, naPrzemian), oczekiwany) << "batches, mixed: " << naPrzemian;
    }
    EXPECT_EQ(SladPorcjami(p_Wejscie, D::BajtPoBajcie, false), oczekiwany);
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
            SCOPED_TRACE(wejscie.toStdString());
            SprawdzDrogi(wejscie);
        }
    }
}

// The table's inputs and a document with more tokens than a batch holds, its
// lines and columns among them, read by every road.
TEST(TokenyJSONIndeks, PorcjamiJakBajtPoBajcie)
{
    QByteArray dlugi = "[\n";
    for (int i = 0; i < 1500; ++i)
        dlugi += "  {\"a\": [1, 2.5, true], \"b\": null},\n\n";
    dlugi += "  \"z\"]";
    for (const QByteArray &wejscie :
         {QByteArray("{\"a\":[1,-2.5e3,true,null],\"n\":false}"), QByteArray("[\"b\\\"c\",\"x\\\\\",\"\\u0041\"]"),
          QByteArray("\"Łódź\""), QByteArray("{\n \"a\":\"x\ty\"}"), QByteArray("[\"abc"),
          QByteArray("[12"), QByteArray("[1,\n\n 2]\n"), QByteArray(), dlugi}) {
        SCOPED_TRACE(wejscie.left(80).toStdString());
        SprawdzDrogi(wejscie);
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
    EXPECT_NE(SladTokenow(wejscie, TLkJSONParser::TDroga::BajtPoBajcie).find("Nieprawidłowa stała tekstowa"),
              std::string::npos);
    SprawdzDrogi(wejscie);
}

} // namespace
