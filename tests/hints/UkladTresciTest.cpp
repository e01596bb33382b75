// The markup laid out under the bundled monospaced font: 10 pt is a cell of
// 8 x 15 pixels with an ascent of 12, so positions read as cells.
#include "CzcionkaTestowa.h"
#include "NazwaPrzypadku.h"
#include "StylePodpowiedzi.h"
#include "UkladTresci.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

constexpr int S = 8;  // cell width
constexpr int H = 15; // line height
const QString CR(QChar(13));

struct TOczekiwany
{
    const char *Tekst;
    int X0, Y0, X1; // in cells and lines; the piece's height is one line
    int NrLinku;
    int NrStylu;
};

struct TPrzypadekUkladu
{
    const char *Nazwa;
    QString Znaczniki;
    int Szerokosc; // cells
    bool Sformatowany;
    std::vector<TOczekiwany> Elementy;
};

class UkladTresci : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(RodzinaTestowa().isEmpty());
        FUklad.UstawCzcionkeOkna(CzcionkaTestowa(), clWindowText);
    }

    std::vector<TElemDispListy> Uloz(const QString &p_Tekst, int p_Szerokosc, bool *p_Sformatowany = nullptr,
                                      QSize *p_Rozmiar = nullptr)
    {
        bool sformatowany = false;
        QSize rozmiar;
        FUklad.UlozTresc(p_Tekst, p_Szerokosc, sformatowany, rozmiar);
        if (p_Sformatowany)
            *p_Sformatowany = sformatowany;
        if (p_Rozmiar)
            *p_Rozmiar = rozmiar;
        return FUklad.DispLista();
    }

    TUkladTresci FUklad;
};

TEST_F(UkladTresci, BundledFontGivesTheCellTheTablesCountIn)
{
    const QFontMetrics miary(CzcionkaTestowa());
    EXPECT_EQ(miary.horizontalAdvance(QStringLiteral("M")), S);
    EXPECT_EQ(miary.height(), H);
    Uloz(QStringLiteral("x"), 100);
    EXPECT_EQ(FUklad.WysLinii(), H);
    EXPECT_EQ(FUklad.AscLinii(), miary.ascent());
}

class UkladTresciTabela : public UkladTresci, public ::testing::WithParamInterface<TPrzypadekUkladu>
{
};

TEST_P(UkladTresciTabela, PiecesStandWhereTheMarkupPutsThem)
{
    const TPrzypadekUkladu &p = GetParam();
    bool sformatowany = false;
    const auto lista = Uloz(p.Znaczniki, p.Szerokosc * S, &sformatowany);
    EXPECT_EQ(sformatowany, p.Sformatowany);
    ASSERT_EQ(lista.size(), p.Elementy.size());
    for (size_t i = 0; i < lista.size(); ++i) {
        const TOczekiwany &o = p.Elementy[i];
        SCOPED_TRACE(o.Tekst);
        EXPECT_EQ(lista[i].Tekst, QString::fromUtf8(o.Tekst));
        EXPECT_EQ(lista[i].XPocz, o.X0 * S);
        EXPECT_EQ(lista[i].YPocz, o.Y0 * H);
        EXPECT_EQ(lista[i].XKon, o.X1 * S);
        EXPECT_EQ(lista[i].YKon, o.Y0 * H + H);
        EXPECT_EQ(lista[i].NrLinku, o.NrLinku);
        EXPECT_EQ(lista[i].NrStylu, o.NrStylu);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Znaczniki, UkladTresciTabela,
    ::testing::Values(
        TPrzypadekUkladu{"plain text that fits is one piece, spaces kept", QStringLiteral("ab cd "), 20, false,
                         {{"ab cd", 0, 0, 5, 0, 0}}},
        TPrzypadekUkladu{"doubled brackets are literal", QStringLiteral("a[[b a{{b"), 20, true,
                         {{"a[b a{b", 0, 0, 7, 0, 0}}},
        TPrzypadekUkladu{"closing brackets and bars outside are literal", QStringLiteral("[]x]y x|y x}y"), 20, true,
                         {{"x]y x|y x}y", 0, 0, 11, 0, 0}}},
        TPrzypadekUkladu{"a bracket at the very end is literal", QStringLiteral("end["), 20, true,
                         {{"end[", 0, 0, 4, 0, 0}}},
        TPrzypadekUkladu{"a brace at the very end is literal", QStringLiteral("end{"), 20, true,
                         {{"end{", 0, 0, 4, 0, 0}}},
        TPrzypadekUkladu{"words wrap at the limit", QStringLiteral("[]aaaa bbbb cccc"), 10, true,
                         {{"aaaa bbbb", 0, 0, 9, 0, 0}, {"cccc", 0, 1, 4, 0, 0}}},
        TPrzypadekUkladu{"a line may break after a comma", QStringLiteral("[]aaaa,bbbb,cc"), 10, true,
                         {{"aaaa,bbbb,", 0, 0, 10, 0, 0}, {"cc", 0, 1, 2, 0, 0}}},
        TPrzypadekUkladu{"leading spaces move the piece", QStringLiteral("[]   ab"), 10, true,
                         {{"ab", 3, 0, 5, 0, 0}}},
        TPrzypadekUkladu{"spaces that do not fit at a line's end vanish", QStringLiteral("[]abcd      ef"), 6, true,
                         {{"abcd", 0, 0, 4, 0, 0}, {"ef", 0, 1, 2, 0, 0}}},
        TPrzypadekUkladu{"a word wider than a line is split at the widest prefix",
                         QStringLiteral("[]abcdefghijkl"), 5, true,
                         {{"abcde", 0, 0, 5, 0, 0}, {"fghij", 0, 1, 5, 0, 0}, {"kl", 0, 2, 2, 0, 0}}},
        TPrzypadekUkladu{"a long word after text starts a line of its own", QStringLiteral("[]ab cdefghij"), 5, true,
                         {{"ab", 0, 0, 2, 0, 0}, {"cdefg", 0, 1, 5, 0, 0}, {"hij", 0, 2, 3, 0, 0}}},
        TPrzypadekUkladu{"CR breaks lines, an empty line keeps its height", QStringLiteral("[]a") + CR + CR + "b", 10,
                         true, {{"a", 0, 0, 1, 0, 0}, {"b", 0, 2, 1, 0, 0}}},
        TPrzypadekUkladu{"tab and LF are dropped", QStringLiteral("[]a\tb\nc"), 10, true, {{"abc", 0, 0, 3, 0, 0}}},
        TPrzypadekUkladu{"a style tag splits pieces and [] returns to style 0", QStringLiteral("[fsBold]a[]b"), 10,
                         true, {{"a", 0, 0, 1, 0, 1}, {"b", 1, 0, 2, 0, 0}}},
        TPrzypadekUkladu{"a tag describes a whole style", QStringLiteral("[fsBold]a[clRed]b[fsBold]c"), 10, true,
                         {{"a", 0, 0, 1, 0, 1}, {"b", 1, 0, 2, 0, 2}, {"c", 2, 0, 3, 0, 1}}},
        TPrzypadekUkladu{"a link is its own piece with its number",
                         QStringLiteral("see {here|http://x} or {there} now"), 40, true,
                         {{"see", 0, 0, 3, 0, 0}, {"here", 4, 0, 8, 1, 0}, {"or", 9, 0, 11, 0, 0},
                          {"there", 12, 0, 17, 2, 0}, {"now", 18, 0, 21, 0, 0}}},
        TPrzypadekUkladu{"a brace inside a caption starts the next link", QStringLiteral("{ab{cd|t}"), 40, true,
                         {{"ab", 0, 0, 2, 1, 0}, {"cd", 2, 0, 4, 2, 0}}},
        TPrzypadekUkladu{"styles change inside a caption", QStringLiteral("{a[fsItalic]b|t}c"), 40, true,
                         {{"a", 0, 0, 1, 1, 0}, {"b", 1, 0, 2, 1, 1}, {"c", 2, 0, 3, 0, 1}}},
        TPrzypadekUkladu{"an unclosed tag runs to the end", QStringLiteral("ab[fsBold cd"), 40, true,
                         {{"ab", 0, 0, 2, 0, 0}}},
        TPrzypadekUkladu{"an unclosed link target runs to the end", QStringLiteral("{ab|mailto:x|y z"), 40, true,
                         {{"ab", 0, 0, 2, 1, 0}}}),
    [](const auto &p_Info) { return NazwaPrzypadku(p_Info.param.Nazwa); });

TEST_F(UkladTresci, TargetsAreKeptPerLinkNumber)
{
    Uloz(QStringLiteral("{a|mailto:x|S|B|/t/f.txt} {b} {c|}{d|ftp:q}"), 400);
    EXPECT_EQ(FUklad.TresciLinkow(),
              QStringList({QStringLiteral("mailto:x|S|B|/t/f.txt"), QString(), QString(), QStringLiteral("ftp:q")}));
    EXPECT_EQ(FUklad.ListaLinkow().size(), 4u);
}

TEST_F(UkladTresci, AFirstCharacterWiderThanTheLimitLeavesTheWordWholeOnItsLine)
{
    const auto lista = Uloz(QStringLiteral("[]xy abc"), S / 2);
    ASSERT_EQ(lista.size(), 2u);
    EXPECT_EQ(lista[0].Tekst, QStringLiteral("xy"));
    EXPECT_EQ(lista[0].XKon, 2 * S);
    EXPECT_EQ(lista[1].Tekst, QStringLiteral("abc"));
    // The space between them does not fit either: it breaks a line of its own.
    EXPECT_EQ(lista[1].YPocz, 2 * H);
}

TEST_F(UkladTresci, PiecesOfALineShareTheTallestBaseline)
{
    const auto lista = Uloz(QStringLiteral("a[Size=20]B[]c") + CR + "d", 400);
    ASSERT_EQ(lista.size(), 4u);
    const QFontMetrics duza(CzcionkaTestowa(20));
    const int roznica = duza.ascent() - QFontMetrics(CzcionkaTestowa()).ascent();
    ASSERT_GT(roznica, 0);
    EXPECT_EQ(lista[0].YPocz, roznica);
    EXPECT_EQ(lista[1].YPocz, 0);
    EXPECT_EQ(lista[2].YPocz, roznica);
    EXPECT_EQ(lista[0].YPocz + lista[0].AscTekstu, lista[1].YPocz + lista[1].AscTekstu);
    EXPECT_EQ(lista[3].YPocz, duza.height());
}

TEST_F(UkladTresci, OutlineAddsAPixelPerCharacterAndToTheLineHeight)
{
    const auto lista = Uloz(QStringLiteral("[fsOutline,fsShadow]abc"), 400);
    ASSERT_EQ(lista.size(), 1u);
    EXPECT_EQ(lista[0].XKon, 3 * S + 3);
    EXPECT_EQ(lista[0].YKon, H + 2);
}

TEST_F(UkladTresci, ContentSizeIsTheWidestPieceAndTheLowestBottom)
{
    QSize rozmiar;
    Uloz(QStringLiteral("[]abcdef") + CR + "ab", 400, nullptr, &rozmiar);
    EXPECT_EQ(rozmiar, QSize(6 * S, 2 * H));
    // A small piece last on the line must not cut off the large one's descent.
    const auto lista = Uloz(QStringLiteral("[Size=20]Bg[]c"), 400, nullptr, &rozmiar);
    ASSERT_EQ(lista.size(), 2u);
    ASSERT_LT(lista[1].YKon, lista[0].YKon);
    EXPECT_EQ(rozmiar.height(), lista[0].YKon);
    Uloz(QStringLiteral("   "), 400, nullptr, &rozmiar);
    EXPECT_EQ(rozmiar, QSize(0, 0));
}

TEST_F(UkladTresci, LinkHitTestIncludesTopLeftAndExcludesBottomRight)
{
    Uloz(QStringLiteral("ab {cd|t}"), 400);
    // "cd" covers cells 3 and 4 of line 0.
    struct
    {
        QPoint Punkt;
        bool Trafia;
    } przypadki[] = {
        {{3 * S, 0}, true},          {{5 * S - 1, H - 1}, true}, {{5 * S, 0}, false},
        {{3 * S - 1, 0}, false},     {{3 * S, H}, false},        {{4 * S, H / 2}, true},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.Punkt.x() << "," << p.Punkt.y());
        const int i = FUklad.ZnajdzLink(p.Punkt);
        EXPECT_EQ(i >= 0, p.Trafia);
        if (i >= 0) {
            EXPECT_EQ(FUklad.DispLista()[size_t(i)].Tekst, QStringLiteral("cd"));
        }
    }
}

TEST_F(UkladTresci, PlainTextJoinsPiecesAndBreaksWhereALineBegan)
{
    Uloz(QStringLiteral("[fsBold]Line one[]") + CR + CR + "Line two", 400);
    EXPECT_EQ(FUklad.TrescBezFormatowania(), QStringLiteral("Line one") + CR + "Line two");
    Uloz(QStringLiteral("[]see {here|http://x} now"), 400);
    EXPECT_EQ(FUklad.TrescBezFormatowania(), QStringLiteral("seeherenow"));
    // Without a display list the text itself, trailing blanks gone.
    Uloz(QStringLiteral("plain  text \r\n"), 400);
    FUklad.ZwolnijListy();
    EXPECT_EQ(FUklad.TrescBezFormatowania(), QStringLiteral("plain  text"));
}

TEST_F(UkladTresci, HostileMarkupLaysOutWithinBounds)
{
    QSize rozmiar;
    // Sizes: huge, negative and beyond 16 bits are held to 1..144 points.
    for (const char *tekst : {"[Size=32000]x", "[Size=-32000]x", "[Size=99999999999]x", "[Size=0]x", "[Size=-1]x"}) {
        SCOPED_TRACE(tekst);
        const auto lista = Uloz(QString::fromLatin1(tekst), 400, nullptr, &rozmiar);
        ASSERT_EQ(lista.size(), 1u);
        EXPECT_LE(rozmiar.height(), QFontMetrics(CzcionkaTestowa(144)).height() + 2);
    }
    // Many distinct styles: numbers stay non-negative and the list bounded.
    QString wiele;
    for (int i = 0; i < 40000; ++i)
        wiele += QStringLiteral("[%1]x").arg(i);
    const auto lista = Uloz(wiele, 400);
    EXPECT_LE(FUklad.ListaStylow().Ile(), 32768);
    for (const TElemDispListy &e : lista)
        ASSERT_GE(e.NrStylu, 0);
    // A very long word in a narrow window, and a long run of brackets.
    EXPECT_FALSE(Uloz(QString(200000, QLatin1Char('w')), 3 * S).empty());
    Uloz(QString(100000, QLatin1Char('[')), 100);
    Uloz(QString(100000, QLatin1Char('{')), 100);
    EXPECT_EQ(FUklad.ListaLinkow().size(), 0u);
}

TEST_F(UkladTresci, DrawingPaintsLinksInTheirColours)
{
    Uloz(QStringLiteral("{ab|t}"), 400);
    QImage obraz(100, 40, QImage::Format_RGB32);
    const TKolor tlo = 0xC5FEFD;
    auto kolorTekstu = [&](int32_t p_Rodzaj, bool p_Aktywny) {
        obraz.fill(Qt::white);
        QPainter painter(&obraz);
        FUklad.RysujElement(painter, FUklad.DispLista()[0], tlo, p_Rodzaj, p_Aktywny);
        painter.end();
        // The darkest pixel of the piece is its ink.
        QColor ciemny(Qt::white);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < 2 * S; ++x) {
                const QColor c = obraz.pixelColor(x, y);
                if (c.lightness() < ciemny.lightness())
                    ciemny = c;
            }
        return ciemny;
    };
    EXPECT_EQ(kolorTekstu(0, false), QColor(0, 0x80, 0));
    EXPECT_EQ(kolorTekstu(0, true), QColor(0, 0, 0xFF));
}

TEST(StylPodpowiedzi, TagContentBecomesAWholeStyle)
{
    struct
    {
        const char *Tag;
        TDaneStylu Styl;
    } przypadki[] = {
        {"fsBold", {clNone, fsBold, 0, {}, 0}},
        {"fsbold", {clNone, fsBold, 0, {}, 0}},
        {"fsBold, fsItalic", {clNone, fsBold, 0, {}, 0}},
        {"clRed,clBlue", {0x0000FF, 0, 0, {}, 0}},
        {"$FF8000,clRed", {0xFF8000, 0, 0, {}, 0}},
        {"255", {0x0000FF, 0, 0, {}, 0}},
        {"Size=abc", {clNone, 0, 0, {}, 0}},
        {"Size=13,Size=x", {clNone, 0, 0, {}, 13}},
        {"Size=70000", {clNone, 0, 0, {}, 4464}},
        {"Name=Arial Narrow,Size=13,fsBold,clGreen,fsItalic,fsShadow",
         {0x008000, fsBold | fsItalic, fsShadow, QStringLiteral("Arial Narrow"), 13}},
        {"name=a=b", {clNone, 0, 0, QStringLiteral("a=b"), 0}},
        {"Color=clRed,nonsense,fsOutline", {clNone, 0, fsOutline, {}, 0}},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Tag);
        EXPECT_TRUE(CzytajTagStylu(QString::fromLatin1(p.Tag)) == p.Styl);
    }
}

TEST(StylPodpowiedzi, EqualStylesShareAnEntry)
{
    TListaStylow lista;
    EXPECT_EQ(lista.Dodaj(CzytajTagStylu(QStringLiteral("clRed"))), 0);
    EXPECT_EQ(lista.Dodaj(CzytajTagStylu(QStringLiteral("clRed,fsShadow"))), 1);
    EXPECT_EQ(lista.Dodaj(CzytajTagStylu(QStringLiteral("clred"))), 0);
    EXPECT_EQ(lista.Ile(), 2);
}

} // namespace
