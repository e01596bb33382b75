#include "DatyXML.h"
#include "NazwaPrzypadku.h"

#include <gtest/gtest.h>

namespace {

struct TPrzypadekDaty
{
    const char *Opis;
    const char *Tekst;
    const char *Format;
    double Oczekiwana;
};

void PrintTo(const TPrzypadekDaty &p, std::ostream *os)
{
    *os << p.Opis;
}

class DekodujDateTest : public ::testing::TestWithParam<TPrzypadekDaty>
{
};

TEST_P(DekodujDateTest, DecodesByTheLettersOfTheFormat)
{
    const TPrzypadekDaty &p = GetParam();
    EXPECT_DOUBLE_EQ(DekodujDate(QString::fromUtf8(p.Tekst), QString::fromUtf8(p.Format)), p.Oczekiwana);
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, DekodujDateTest,
    ::testing::Values(
        TPrzypadekDaty{"upper case letters", "2024.03.15", "YYYY.MM.DD", 45366},
        TPrzypadekDaty{"day first", "15/03/2024", "dd/mm/yyyy", 45366},
        TPrzypadekDaty{"day zero", "1899-12-30", "yyyy-mm-dd", 0},
        TPrzypadekDaty{"past the false leap day of 1900", "1900-01-01", "yyyy-mm-dd", 2},
        TPrzypadekDaty{"leap day with time", "2024-02-29T18:00:30", "yyyy-mm-ddThh:nn:ss",
                       45351 + (18 * 3600 + 30) / 86400.0},
        TPrzypadekDaty{"empty text", "", "YYYY.MM.DD", 0},
        TPrzypadekDaty{"month zero", "2024.00.15", "YYYY.MM.DD", 0},
        TPrzypadekDaty{"leap day of a common year", "2023.02.29", "YYYY.MM.DD", 0},
        TPrzypadekDaty{"day past the month", "2024.04.31", "YYYY.MM.DD", 0},
        TPrzypadekDaty{"hour 24", "2024.03.15 24:00", "YYYY.MM.DD hh:nn", 0},
        TPrzypadekDaty{"letter in the month", "2024.O3.15", "YYYY.MM.DD", 0},
        TPrzypadekDaty{"text shorter than the format", "2024.03", "YYYY.MM.DD", 0},
        TPrzypadekDaty{"empty format", "2024.03.15", "", 0}),
    NazwaZOpisu());

TEST(DajCzescDatyTest, TakesTheSpanOfTheLetterIgnoringCase)
{
    EXPECT_EQ(DajCzescDaty(QStringLiteral("2024.03.15"), QStringLiteral("YYYY.MM.DD"), QLatin1Char('m')), 3);
    EXPECT_EQ(DajCzescDaty(QStringLiteral("2024.03.15"), QStringLiteral("yyyy.mm.dd"), QLatin1Char('Y')), 2024);
    EXPECT_EQ(DajCzescDaty(QStringLiteral("2024.03.15"), QStringLiteral("yyyy.mm.dd"), QLatin1Char('h')), 0);
    // As Delphi's StrToInt: leading blanks and "$" hexadecimal pass, anything after the digits fails.
    EXPECT_EQ(DajCzescDaty(QStringLiteral(" 7 $1F"), QStringLiteral("dd yyy"), QLatin1Char('d')), 7);
    EXPECT_EQ(DajCzescDaty(QStringLiteral(" 7 $1F"), QStringLiteral("dd yyy"), QLatin1Char('y')), 31);
    EXPECT_EQ(DajCzescDaty(QStringLiteral("7  2024"), QStringLiteral("dd yyyy"), QLatin1Char('d')), 0);
    EXPECT_EQ(DajCzescDaty(QStringLiteral("x 7"), QStringLiteral("ddd"), QLatin1Char('d')), 0);
    EXPECT_EQ(DajCzescDaty(QStringLiteral("-5"), QStringLiteral("dd"), QLatin1Char('d')), -5);
}

} // namespace
