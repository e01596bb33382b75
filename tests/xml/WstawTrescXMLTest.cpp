#include "NazwaPrzypadku.h"
#include "TrescXML.h"

#include <gtest/gtest.h>

namespace {

struct TPrzypadekTresci
{
    const char *Opis;
    QString Tekst;
    QString Zakodowany;
};

void PrintTo(const TPrzypadekTresci &p, std::ostream *os)
{
    *os << p.Opis;
}

class KodujTekstXMLTest : public ::testing::TestWithParam<TPrzypadekTresci>
{
};

TEST_P(KodujTekstXMLTest, EscapesAsCharacterData)
{
    QString wynik = QStringLiteral("<pre>***TRESCXML***</pre>");
    WstawTrescXML(wynik, GetParam().Tekst);
    EXPECT_EQ(wynik, QStringLiteral("<pre>") + GetParam().Zakodowany + QStringLiteral("</pre>"));
}

INSTANTIATE_TEST_SUITE_P(
    Tabela, KodujTekstXMLTest,
    ::testing::Values(
        TPrzypadekTresci{"markup characters", QStringLiteral("a&b<c>d\"e'f"),
                         QStringLiteral("a&amp;b&lt;c&gt;d&quot;e&apos;f")},
        TPrzypadekTresci{"tab and line breaks", QStringLiteral("x\ty\nz\r"), QStringLiteral("x&#9;y&#10;z&#13;")},
        TPrzypadekTresci{"control characters", QString(QChar(1)) + QChar(31) + QChar(32),
                         QStringLiteral("&#1;&#31; ")},
        TPrzypadekTresci{"Polish letters", QStringLiteral("Zażółć"), QStringLiteral("Zażółć")},
        TPrzypadekTresci{"surrogates and noncharacters",
                         QString::fromUtf16(u"\U0001F600") + QChar(0xFFFF) + QChar(0xFFFE),
                         QStringLiteral("&#55357;&#56832;&#65535;") + QChar(0xFFFE)}),
    NazwaZOpisu());

TEST(WstawTrescXMLTest, ReplacesOnlyTheFirstMarkerAndNothingForEmptyText)
{
    QString wynik = QStringLiteral("1***TRESCXML***2***TRESCXML***");
    WstawTrescXML(wynik, QStringLiteral("<x>"));
    EXPECT_EQ(wynik, QStringLiteral("1&lt;x&gt;2***TRESCXML***"));

    QString bezZmian = QStringLiteral("a***TRESCXML***");
    WstawTrescXML(bezZmian, QString());
    EXPECT_EQ(bezZmian, QStringLiteral("a***TRESCXML***"));

    QString bezZnacznika = QStringLiteral("a**TRESCXML**");
    WstawTrescXML(bezZnacznika, QStringLiteral("b"));
    EXPECT_EQ(bezZnacznika, QStringLiteral("a**TRESCXML**"));
}

} // namespace
