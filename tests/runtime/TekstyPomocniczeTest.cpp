#include "TekstyPomocnicze.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Case texts as readable, one-line names in test listings.
void WypiszTekst(const char16_t *p_Tekst, std::ostream *p_Wyjscie)
{
    QString tekst = QString::fromUtf16(p_Tekst);
    tekst.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n")).replace(u'\t', QStringLiteral("\\t"));
    *p_Wyjscie << '"' << tekst.toUtf8().constData() << '"';
}

} // namespace

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
    const char16_t *html;
    const char16_t *tekst;
};

void PrintTo(const PrzypadekHTML &p_Przypadek, std::ostream *p_Wyjscie)
{
    WypiszTekst(p_Przypadek.html, p_Wyjscie);
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
        PrzypadekHTML{u"   <b>słowo</b>  &amp;  \r\n ", u"słowo &"},
        PrzypadekHTML{u"&AMP; &#65;&#x41;&#X41;&#$41;&#0x41;&# 65;", u"&AMP; AAAAAA"},
        PrzypadekHTML{u"a < b i c", u"a"},
        PrzypadekHTML{u"\r\n\r\nraz\r\ndwa\r\n", u"raz\r\ndwa"},
        PrzypadekHTML{u"a\t \t&nbsp; b", u"a b"},
        PrzypadekHTML{u"&lt;p&gt; &quot;&apos;&sect;&deg;&oacute;&raquo;", u"<p> \"'\u00A7\u00B0\u00F3\u00BB"},
        PrzypadekHTML{u"AT&T; x", u"AT&T; x"},        // unknown name: "&" kept, the rest read on
        PrzypadekHTML{u"a & b", u"a & b"},             // no ";" at all
        PrzypadekHTML{u"&;", u"&;"},
        PrzypadekHTML{u"&#abc;&#-5;", u"&#abc;&#-5;"}, // not a character number: kept whole
        PrzypadekHTML{u"&#128512;&#1114112;", u"\U0001F600\u00A0"},
        PrzypadekHTML{u"x\u0001y", u"x\u0001y"},
        PrzypadekHTML{u"   ", u""}));

TEST(TekstZHTML, ManyAmpersandsStayFast)
{
    const QString tekst = QString(200000, u'&') + QStringLiteral("amp;");
    const QString wynik = TekstZHTML(tekst);
    EXPECT_EQ(wynik.size(), 200000);
}

struct PrzypadekLiczby
{
    const char16_t *tekst;
    const char16_t *wynik;
};

void PrintTo(const PrzypadekLiczby &p_Przypadek, std::ostream *p_Wyjscie)
{
    WypiszTekst(p_Przypadek.tekst, p_Wyjscie);
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
    ::testing::Values(PrzypadekLiczby{u"1 234,56", u"1234.56"}, PrzypadekLiczby{u"1.234,56", u"1234.56"},
                      PrzypadekLiczby{u"1,234.56", u"1234.56"}, PrzypadekLiczby{u"12,5", u"12.5"},
                      PrzypadekLiczby{u"1\u00A0234", u"1234"}, PrzypadekLiczby{u"1.234.567", u"1.234.567"},
                      PrzypadekLiczby{u"1,234.567,8", u"1,234.567,8"}, PrzypadekLiczby{u"12.5", u"12.5"},
                      PrzypadekLiczby{u"\r\n", u""}, PrzypadekLiczby{u"\n 12,5\r\n", u"12.5"},
                      PrzypadekLiczby{u"1\r\n2", u"1\r\n2"}, PrzypadekLiczby{u"-7", u"-7"}));

TEST(NormalizujTekstLiczby, CommaAsDecimalSeparator)
{
    TFormatSettings ustawienia;
    ustawienia.DecimalSeparator = u',';
    EXPECT_EQ(NormalizujTekstLiczby(QStringLiteral("1,234.56"), ustawienia), QStringLiteral("1234,56"));
    EXPECT_EQ(NormalizujTekstLiczby(QStringLiteral("1 234,5"), ustawienia), QStringLiteral("1234,5"));
}
