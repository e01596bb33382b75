#include "NazwaPrzypadku.h"
#include "TekstyPomocnicze.h"

#include <gtest/gtest.h>

#include <ostream>

TEST(IndeksTekstu, ExactOrAsciiCaseInsensitiveAndHighestIndexWins)
{
    const QStringList korzenie = {QStringLiteral("ns5:CC529C"), QStringLiteral("ns5:CC599C")};
    EXPECT_EQ(IndeksTekstu(QStringLiteral("ns5:CC599C"), korzenie, false, -1), 1);
    EXPECT_EQ(IndeksTekstu(QStringLiteral("ns5:cc529c"), korzenie, false, -1), -1);
    EXPECT_EQ(IndeksTekstu(QStringLiteral("NS5:cc529c"), korzenie, true, -1), 0);
    EXPECT_EQ(IndeksTekstu(QStringLiteral("x"), {}, true, 7), 7);

    const QStringList powtorzenia = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("A")};
    EXPECT_EQ(IndeksTekstu(QStringLiteral("a"), powtorzenia, true, -1), 2);
    EXPECT_EQ(IndeksTekstu(QStringLiteral("a"), powtorzenia, false, -1), 0);
    // only ASCII letters fold
    EXPECT_EQ(IndeksTekstu(QStringLiteral("Ą"), {QStringLiteral("ą")}, true, -1), -1);
}

struct PrzypadekHTML
{
    const char *Opis;
    const char16_t *html;
    const char16_t *tekst;
};

void PrintTo(const PrzypadekHTML &p_Przypadek, std::ostream *p_Wyjscie)
{
    *p_Wyjscie << p_Przypadek.Opis;
}

class TekstZHTMLTest : public ::testing::TestWithParam<PrzypadekHTML>
{
};

TEST_P(TekstZHTMLTest, Reduces)
{
    EXPECT_EQ(TekstZHTML(QString::fromUtf16(GetParam().html)), QString::fromUtf16(GetParam().tekst));
}

INSTANTIATE_TEST_SUITE_P(
    Przypadki, TekstZHTMLTest,
    ::testing::Values(
        PrzypadekHTML{"tags gone and spaces joined", u"   <b>słowo</b>  &amp;  \r\n ", u"słowo &"},
        PrzypadekHTML{"numeric references in every notation", u"&AMP; &#65;&#x41;&#X41;&#$41;&#0x41;&# 65;",
                      u"&AMP; AAAAAA"},
        PrzypadekHTML{"unclosed tag ends the text", u"a < b i c", u"a"},
        PrzypadekHTML{"line breaks kept inside, dropped at the ends", u"\r\n\r\nraz\r\ndwa\r\n", u"raz\r\ndwa"},
        PrzypadekHTML{"tabs and nbsp are one space", u"a\t \t&nbsp; b", u"a b"},
        PrzypadekHTML{"markup and Latin entities", u"&lt;p&gt; &quot;&apos;&sect;&deg;&oacute;&raquo;",
                      u"<p> \"'\u00A7\u00B0\u00F3\u00BB"},
        PrzypadekHTML{"the other twelve entities",
                      u"&copy;&divide;&laquo;&ldquo;&lsaquo;&lsquo;&micro;&plusmn;&rdquo;&reg;&rsaquo;&rsquo;",
                      u"\u00A9\u00F7\u00AB\u201C\u2039\u2018\u00B5\u00B1\u201D\u00AE\u203A\u2019"},
        PrzypadekHTML{"unknown name keeps the ampersand", u"AT&T; x", u"AT&T; x"}, // the rest is read on
        PrzypadekHTML{"no semicolon at all", u"a & b", u"a & b"},
        PrzypadekHTML{"empty name", u"&;", u"&;"},
        PrzypadekHTML{"not a character number kept whole", u"&#abc;&#-5;", u"&#abc;&#-5;"},
        PrzypadekHTML{"above the BMP a surrogate pair, above U+10FFFF nbsp", u"&#128512;&#1114112;",
                      u"\U0001F600\u00A0"},
        PrzypadekHTML{"U+10FFFF is the last character", u"&#1114111;&#x10FFFF;&#x110000;",
                      u"\U0010FFFF\U0010FFFF\u00A0"},
        PrzypadekHTML{"control characters kept", u"x\u0001y", u"x\u0001y"},
        PrzypadekHTML{"only spaces", u"   ", u""}),
    NazwaZOpisu());

TEST(TekstZHTML, ManyAmpersandsStayFast)
{
    const QString tekst = QString(200000, u'&') + QStringLiteral("amp;");
    const QString wynik = TekstZHTML(tekst);
    EXPECT_EQ(wynik.size(), 200000);
}

struct PrzypadekLiczby
{
    const char *Opis;
    const char16_t *tekst;
    const char16_t *wynik;
};

void PrintTo(const PrzypadekLiczby &p_Przypadek, std::ostream *p_Wyjscie)
{
    *p_Wyjscie << p_Przypadek.Opis;
}

class NormalizujTekstLiczbyTest : public ::testing::TestWithParam<PrzypadekLiczby>
{
};

TEST_P(NormalizujTekstLiczbyTest, WithPointAsDecimalSeparator)
{
    TFormatSettings ustawienia;
    ustawienia.DecimalSeparator = u'.';
    EXPECT_EQ(NormalizujTekstLiczby(QString::fromUtf16(GetParam().tekst), ustawienia),
              QString::fromUtf16(GetParam().wynik));
}

INSTANTIATE_TEST_SUITE_P(
    Przypadki, NormalizujTekstLiczbyTest,
    ::testing::Values(PrzypadekLiczby{"space groups comma decimals", u"1 234,56", u"1234.56"},
                      PrzypadekLiczby{"point groups comma decimals", u"1.234,56", u"1234.56"},
                      PrzypadekLiczby{"comma groups point decimals", u"1,234.56", u"1234.56"},
                      PrzypadekLiczby{"comma decimals", u"12,5", u"12.5"},
                      PrzypadekLiczby{"nbsp groups", u"1\u00A0234", u"1234"},
                      PrzypadekLiczby{"two points kept", u"1.234.567", u"1.234.567"},
                      PrzypadekLiczby{"mixed marks kept", u"1,234.567,8", u"1,234.567,8"},
                      PrzypadekLiczby{"point decimals", u"12.5", u"12.5"},
                      PrzypadekLiczby{"line break alone", u"\r\n", u""},
                      PrzypadekLiczby{"line breaks around", u"\n 12,5\r\n", u"12.5"},
                      PrzypadekLiczby{"line break inside kept", u"1\r\n2", u"1\r\n2"},
                      PrzypadekLiczby{"minus sign", u"-7", u"-7"}),
    NazwaZOpisu());

TEST(NormalizujTekstLiczby, CommaAsDecimalSeparator)
{
    TFormatSettings ustawienia;
    ustawienia.DecimalSeparator = u',';
    EXPECT_EQ(NormalizujTekstLiczby(QStringLiteral("1,234.56"), ustawienia), QStringLiteral("1234,56"));
    EXPECT_EQ(NormalizujTekstLiczby(QStringLiteral("1 234,5"), ustawienia), QStringLiteral("1234,5"));
}
