// Delphi-style Format: directives, widths, indexes and the conversion error.
#include "Formatuj.h"
#include "Wyjatki.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct TPrzypadekFormatu
{
    const char16_t *Format;
    TArrayOfConst Argumenty;
    const char16_t *Wynik;
};

void PrintTo(const TPrzypadekFormatu &p, std::ostream *os)
{
    *os << QString::fromUtf16(p.Format).toStdString();
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
        TPrzypadekFormatu{u"Brak pliku %s", {QStringLiteral("żółw.xml")}, u"Brak pliku żółw.xml"},
        TPrzypadekFormatu{u"%s", {QByteArray("\xB9\x9C\xBF")}, u"ąśż"}, // Windows-1250 bytes
        TPrzypadekFormatu{u"%d|%d|%.3d", {42, -7, -5}, u"42|-7|-005"},
        TPrzypadekFormatu{u"%d", {std::numeric_limits<int64_t>::min()}, u"-9223372036854775808"},
        TPrzypadekFormatu{u"%u", {-1}, u"4294967295"},
        TPrzypadekFormatu{u"%x|%x|%.4x", {255, -1, 10}, u"FF|FFFFFFFF|000A"},
        TPrzypadekFormatu{u"%x", {static_cast<long long>(-1)}, u"FFFFFFFFFFFFFFFF"},
        TPrzypadekFormatu{u"%.2f|%f|%.0f", {3.14159, -2.5, 2.5}, u"3.14|-2.50|3"},
        TPrzypadekFormatu{u"%n", {-1234567.891}, u"-1,234,567.89"},
        TPrzypadekFormatu{u"%g|%g|%g|%g", {0.5, 100.0, 1e20, 1.5e-7}, u"0.5|100|1E20|1.5E-7"},
        TPrzypadekFormatu{u"%e", {1234.5}, u"1.23450000000000E+003"},
        TPrzypadekFormatu{u"%f|%g|%e", {nieskonczonosc, -nieskonczonosc, std::numeric_limits<double>::quiet_NaN()},
                          u"INF|-INF|NAN"},
        TPrzypadekFormatu{u"[%5s][%-5s][%.2s]", {QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("xyz")},
                          u"[   ab][cd   ][xy]"},
        TPrzypadekFormatu{u"[%*d][%-*d]", {4, 7, 3, 8}, u"[   7][8  ]"},
        TPrzypadekFormatu{u"%1:s %0:s %s", {QStringLiteral("a"), QStringLiteral("b")}, u"b a b"},
        TPrzypadekFormatu{u"%0:s-%0:-3s|", {QStringLiteral("x")}, u"x-x  |"},
        TPrzypadekFormatu{u"100%% %s", {QStringLiteral("OK")}, u"100% OK"},
        TPrzypadekFormatu{u"bez dyrektyw", {}, u"bez dyrektyw"}));

struct TPrzypadekBledu
{
    const char16_t *Format;
    TArrayOfConst Argumenty;
};

void PrintTo(const TPrzypadekBledu &p, std::ostream *os)
{
    *os << QString::fromUtf16(p.Format).toStdString();
}

class FormatBladTest : public ::testing::TestWithParam<TPrzypadekBledu>
{
};

TEST_P(FormatBladTest, ZglaszaEConvertErrorZFormatem)
{
    const QString format = QString::fromUtf16(GetParam().Format);
    try {
        Format(format, GetParam().Argumenty);
        FAIL() << "no exception for " << format.toStdString();
    } catch (const EConvertError &blad) {
        EXPECT_EQ(blad.Message(), QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bledy, FormatBladTest,
    ::testing::Values(TPrzypadekBledu{u"%d", {QStringLiteral("tekst")}}, TPrzypadekBledu{u"%s", {5}},
                      TPrzypadekBledu{u"%f", {5}}, TPrzypadekBledu{u"%s %s", {QStringLiteral("jeden")}},
                      TPrzypadekBledu{u"%2:s", {QStringLiteral("a"), QStringLiteral("b")}},
                      TPrzypadekBledu{u"koniec %", {}}, TPrzypadekBledu{u"%k", {1}},
                      TPrzypadekBledu{u"%*d", {2000000000, 1}}, TPrzypadekBledu{u"%9999999d", {1}}));

} // namespace
