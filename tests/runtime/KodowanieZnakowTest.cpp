#include "KodowanieZnakow.h"
#include "TabeleKonwersji.h"
#include "TabeleStronKodowych.h"
#include "Wyjatki.h"

#include <gtest/gtest.h>

namespace {

QByteArray WszystkieBajty()
{
    QByteArray bajty(256, '\0');
    for (int i = 0; i < 256; ++i)
        bajty[i] = char(i);
    return bajty;
}

const QString PolskieLitery = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
const QByteArray LiteryWin1250 = QByteArray::fromHex("B9E6EAB3F1F39C9FBFA5C6CAA3D1D38C8FAF");
const QByteArray LiteryISO88592 = QByteArray::fromHex("B1E6EAB3F1F3B6BCBFA1C6CAA3D1D3A6ACAF");

} // namespace

TEST(PolskiAnsi, EveryByteRoundTripsIncludingTheUnassignedOnes)
{
    const QString tekst = TekstZPolskiegoAnsi(WszystkieBajty());
    ASSERT_EQ(tekst.size(), 256);
    for (int b : {0x81, 0x83, 0x88, 0x90, 0x98})
        EXPECT_EQ(tekst[b].unicode(), b) << std::hex << b;
    EXPECT_EQ(TekstNaPolskiAnsi(tekst), WszystkieBajty());
}

TEST(PolskiAnsi, Utf8BytesPassThroughUnchanged)
{
    const QByteArray utf8 = QStringLiteral("Łódź – ½").toUtf8();
    const QString tekst = TekstZPolskiegoAnsi(utf8);
    EXPECT_EQ(tekst.size(), utf8.size());
    EXPECT_EQ(TekstNaPolskiAnsi(tekst), utf8);
    EXPECT_EQ(TekstZPolskiegoAnsi(QByteArray::fromHex("C582")).size(), 2);
}

TEST(PolskiAnsi, PolishLettersAndEuro)
{
    EXPECT_EQ(TekstNaPolskiAnsi(PolskieLitery), LiteryWin1250);
    EXPECT_EQ(TekstZPolskiegoAnsi(LiteryWin1250), PolskieLitery);
    EXPECT_EQ(TekstNaPolskiAnsi(QStringLiteral("€")), QByteArray("\x80"));
}

TEST(PolskiAnsi, MissingCharactersTakeTheDefaultAndReportLoss)
{
    bool utracono = false;
    EXPECT_EQ(PolskiAnsi(QStringLiteral("aЖb"), '*', utracono), QByteArray("a*b"));
    EXPECT_TRUE(utracono);
    EXPECT_EQ(TekstNaPolskiAnsi(QStringLiteral("Жx")), QByteArray("?x"));
    // a character outside the BMP is one character, so one default byte
    EXPECT_EQ(TekstNaPolskiAnsi(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_EQ(PolskiAnsi(QStringLiteral("zwykły"), '?', utracono), QByteArray("zwyk\xB3y"));
    EXPECT_FALSE(utracono);
}

TEST(PolskiAnsi, CombiningMarksArePrecomposedOrDropped)
{
    struct Przypadek { QString tekst; QByteArray bajty; };
    const Przypadek przypadki[] = {
        {QStringLiteral("e\u0328"), QByteArray("\xEA")},            // e + ogonek = ę
        {QStringLiteral("Z\u0307e"), QByteArray("\xAF" "e")},       // Z + dot above = Ż
        {QStringLiteral("\u0142\u0301"), QByteArray("\xB3")},      // ł takes no acute: mark dropped
        {QStringLiteral("a\u0303"), QByteArray("a")},              // ã is not in 1250: base kept
        {QStringLiteral("\u0301x"), QByteArray("x")},              // a mark with no base
    };
    for (const auto &p : przypadki) {
        bool utracono = true;
        EXPECT_EQ(PolskiAnsi(p.tekst, '?', utracono), p.bajty) << qPrintable(p.tekst);
        EXPECT_FALSE(utracono);
    }
}

TEST(PolskiAnsi, EmptyTextAndTextThatVanishes)
{
    bool utracono = true;
    EXPECT_TRUE(PolskiAnsi(QString(), '?', utracono).isEmpty());
    EXPECT_FALSE(utracono);
    try {
        TekstNaPolskiAnsi(QStringLiteral("\u0301"));
        FAIL() << "no exception";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("PolskiAnsi: błąd konwersji tekstu (dl=0):\r\u0301"));
    }
}

TEST(StronyKodowe, EveryTableIsOneToOneOverAllBytes)
{
    for (int strona : {437, 850, 852, 866, 1250, 1251, 1252, 1253, 1254, 1257, 28591, 28592, 28595,
                       28597, 28599, 28605}) {
        const QString tekst = TekstZeStronyKodowej(WszystkieBajty(), strona);
        ASSERT_EQ(tekst.size(), 256) << strona;
        bool utracono = true;
        EXPECT_EQ(TekstNaStroneKodowa(tekst, strona, '?', utracono), WszystkieBajty()) << strona;
        EXPECT_FALSE(utracono) << strona;
    }
}

TEST(StronyKodowe, KnownCharactersOfEachPage)
{
    struct Przypadek { int strona; QString tekst; QByteArray bajty; };
    const Przypadek przypadki[] = {
        {28592, QStringLiteral("Ąą"), QByteArray("\xA1\xB1")},
        {852, QStringLiteral("Ąą"), QByteArray("\xA4\xA5")},
        {1252, QStringLiteral("é€"), QByteArray("\xE9\x80")},
        {1251, QStringLiteral("Жж"), QByteArray("\xC6\xE6")},
        {866, QStringLiteral("Жж"), QByteArray("\x86\xA6")},
        {437, QStringLiteral("░"), QByteArray("\xB0")},
        {28605, QStringLiteral("€"), QByteArray("\xA4")},
        {0, QStringLiteral("ł"), QByteArray("\xB3")}, // the ANSI page is 1250 here
        {65001, QStringLiteral("ł"), QByteArray("\xC5\x82")},
    };
    for (const auto &p : przypadki) {
        EXPECT_EQ(TekstNaStroneKodowa(p.tekst, p.strona), p.bajty) << p.strona;
        EXPECT_EQ(TekstZeStronyKodowej(p.bajty, p.strona), p.tekst) << p.strona;
    }
}

TEST(StronyKodowe, LossUnknownPagesAndUtf8)
{
    bool utracono = false;
    EXPECT_EQ(TekstNaStroneKodowa(QStringLiteral("ał"), 1252, '#', utracono), QByteArray("a#"));
    EXPECT_TRUE(utracono);
    EXPECT_EQ(TekstNaStroneKodowa(QStringLiteral("Ж\U0001F600"), 65001, '?', utracono),
              QStringLiteral("Ж\U0001F600").toUtf8());
    EXPECT_FALSE(utracono);
    EXPECT_TRUE(TekstNaStroneKodowa(QStringLiteral("abc"), 12345).isEmpty());
    EXPECT_TRUE(TekstZeStronyKodowej(QByteArray("abc"), 12345).isEmpty());
}

TEST(StronyKodowe, ZeroTerminatedFormAndUtf8Output)
{
    EXPECT_EQ(TekstZeStronyKodowej("ab\xB9\0cd", 1250), QStringLiteral("abą"));
    EXPECT_TRUE(TekstZeStronyKodowej(static_cast<const char *>(nullptr), 1250).isEmpty());
    EXPECT_EQ(NaUTF8ZeStronyKodowej(QByteArray("\xB9\xB1"), 1250), QStringLiteral("ą±").toUtf8());
    EXPECT_EQ(NaUTF8ZeStronyKodowej(QByteArray("\xB1"), 28592), QStringLiteral("ą").toUtf8());
}

TEST(TabeleKonwersji, PolishLettersSwapAndEveryOtherByteStays)
{
    EXPECT_EQ(Win1250NaISO88592(LiteryWin1250), LiteryISO88592);
    EXPECT_EQ(ISO88592NaWin1250(LiteryISO88592), LiteryWin1250);

    const QByteArray wszystkie = WszystkieBajty();
    const QByteArray naISO = Win1250NaISO88592(wszystkie);
    const QByteArray naWin = ISO88592NaWin1250(wszystkie);
    for (int b = 0; b < 256; ++b) {
        const qsizetype wWin = LiteryWin1250.indexOf(char(b));
        const qsizetype wISO = LiteryISO88592.indexOf(char(b));
        EXPECT_EQ(naISO[b], wWin >= 0 ? LiteryISO88592[wWin] : char(b)) << b;
        EXPECT_EQ(naWin[b], wISO >= 0 ? LiteryWin1250[wISO] : char(b)) << b;
    }
}

TEST(TabeleKonwersji, BuildStartsFromIdentityAndAddsPairsOnTop)
{
    TTabKonw tabela;
    EXPECT_EQ(KonwertujTabela("abc", tabela), QByteArray("abc")); // not built yet: copied
    ZbudujTabeleKonw(tabela, "ab", "xy");
    ASSERT_EQ(tabela.size(), 256);
    ZbudujTabeleKonw(tabela, "c", "z");
    EXPECT_EQ(KonwertujTabela("abcd", tabela), QByteArray("xyzd"));
}

TEST(StronyKodowe, Utf7RunsAndRoundTrip)
{
    EXPECT_EQ(TekstNaStroneKodowa(QStringLiteral("日本語"), 65000), QByteArray("+ZeVnLIqe-"));
    EXPECT_EQ(TekstNaStroneKodowa(QStringLiteral("1+1"), 65000), QByteArray("1+-1"));
    EXPECT_EQ(TekstZeStronyKodowej(QByteArray("A+ImIDkQ."), 65000), QStringLiteral("A\u2262\u0391."));
    EXPECT_EQ(TekstZeStronyKodowej(QByteArray("Hi Mom -+Jjo--!"), 65000), QStringLiteral("Hi Mom -\u263A-!"));

    const QString tekst = QStringLiteral("Zażółć gęślą jaźń! <a href=\"x\">1+2=3</a> \U0001F600 ~\\");
    bool utracono = true;
    const QByteArray utf7 = TekstNaStroneKodowa(tekst, 65000, '?', utracono);
    EXPECT_FALSE(utracono);
    for (const char b : utf7)
        EXPECT_LT(uint8_t(b), 0x80);
    EXPECT_EQ(TekstZeStronyKodowej(utf7, 65000), tekst);
}
