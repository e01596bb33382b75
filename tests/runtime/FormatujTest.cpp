// Delphi-style Format: directives, widths, indexes and the conversion error.
#include "Formatuj.h"
#include "NazwaPrzypadku.h"
#include "Wyjatki.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct TPrzypadekFormatu
{
    const char *Opis;
    const char16_t *Format;
    TArrayOfConst Argumenty;
    const char16_t *Wynik;
};

void PrintTo(const TPrzypadekFormatu &p, std::ostream *os)
{
    *os << p.Opis;
}

class FormatTest : public ::testing::TestWithParam<TPrzypadekFormatu>
{
};

TEST_P(FormatTest, Formatuje)
{
    const TPrzypadekFormatu &p = GetParam();
    EXPECT_EQ(Format(QString::fromUtf16(p.Format), p.Argumenty), QString::fromUtf16(p.Wynik));
}

const double nieskonczonosc = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Dyrektywy, FormatTest,
    ::testing::Values(
        TPrzypadekFormatu{"text argument", u"Brak pliku %s", {QStringLiteral("żółw.xml")}, u"Brak pliku żółw.xml"},
        TPrzypadekFormatu{"Windows 1250 bytes", u"%s", {QByteArray("\xB9\x9C\xBF")}, u"ąśż"},
        TPrzypadekFormatu{"integers with precision", u"%d|%d|%.3d", {42, -7, -5}, u"42|-7|-005"},
        TPrzypadekFormatu{"smallest Int64", u"%d", {std::numeric_limits<int64_t>::min()}, u"-9223372036854775808"},
        TPrzypadekFormatu{"unsigned", u"%u", {-1}, u"4294967295"},
        TPrzypadekFormatu{"hexadecimal 32 bit", u"%x|%x|%.4x", {255, -1, 10}, u"FF|FFFFFFFF|000A"},
        TPrzypadekFormatu{"hexadecimal 64 bit", u"%x", {static_cast<long long>(-1)}, u"FFFFFFFFFFFFFFFF"},
        TPrzypadekFormatu{"fixed", u"%.2f|%f|%.0f", {3.14159, -2.5, 2.5}, u"3.14|-2.50|3"},
        TPrzypadekFormatu{"number with thousands", u"%n", {-1234567.891}, u"-1,234,567.89"},
        TPrzypadekFormatu{"general", u"%g|%g|%g|%g", {0.5, 100.0, 1e20, 1.5e-7}, u"0.5|100|1E20|1.5E-7"},
        TPrzypadekFormatu{"scientific", u"%e", {1234.5}, u"1.23450000000000E+003"},
        TPrzypadekFormatu{"infinities and NaN", u"%f|%g|%e",
                          {nieskonczonosc, -nieskonczonosc, std::numeric_limits<double>::quiet_NaN()}, u"INF|-INF|NAN"},
        TPrzypadekFormatu{"width and precision of text", u"[%5s][%-5s][%.2s]",
                          {QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("xyz")}, u"[   ab][cd   ][xy]"},
        TPrzypadekFormatu{"width from arguments", u"[%*d][%-*d]", {4, 7, 3, 8}, u"[   7][8  ]"},
        TPrzypadekFormatu{"indexes", u"%1:s %0:s %s", {QStringLiteral("a"), QStringLiteral("b")}, u"b a b"},
        TPrzypadekFormatu{"index with width", u"%0:s-%0:-3s|", {QStringLiteral("x")}, u"x-x  |"},
        TPrzypadekFormatu{"percent sign", u"100%% %s", {QStringLiteral("OK")}, u"100% OK"},
        TPrzypadekFormatu{"no directives", u"bez dyrektyw", {}, u"bez dyrektyw"}),
    NazwaZOpisu());

struct TPrzypadekBledu
{
    const char *Opis;
    const char16_t *Format;
    TArrayOfConst Argumenty;
};

void PrintTo(const TPrzypadekBledu &p, std::ostream *os)
{
    *os << p.Opis;
}

class FormatBladTest : public ::testing::TestWithParam<TPrzypadekBledu>
{
};

TEST_P(FormatBladTest, ZglaszaEConvertErrorZFormatem)
{
    const QString format = QString::fromUtf16(GetParam().Format);
    EXPECT_THAT([&] { Format(format, GetParam().Argumenty); },
                ::testing::ThrowsMessage<EConvertError>(
                    QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format).toStdString()));
}

INSTANTIATE_TEST_SUITE_P(
    Bledy, FormatBladTest,
    ::testing::Values(TPrzypadekBledu{"text for a number", u"%d", {QStringLiteral("tekst")}},
                      TPrzypadekBledu{"number for a text", u"%s", {5}},
                      TPrzypadekBledu{"integer for a float", u"%f", {5}},
                      TPrzypadekBledu{"too few arguments", u"%s %s", {QStringLiteral("jeden")}},
                      TPrzypadekBledu{"index past the arguments", u"%2:s", {QStringLiteral("a"), QStringLiteral("b")}},
                      TPrzypadekBledu{"percent at the end", u"koniec %", {}},
                      TPrzypadekBledu{"unknown directive", u"%k", {1}},
                      TPrzypadekBledu{"width from arguments too large", u"%*d", {2000000000, 1}},
                      TPrzypadekBledu{"width too large", u"%9999999d", {1}}),
    NazwaZOpisu());

} // namespace
