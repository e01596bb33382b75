#include "Tokeny.h"

#include "LkJSONParser.h"

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
