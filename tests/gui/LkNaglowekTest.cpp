// The banner's painting at sampled pixels, its layout at narrowing widths,
// the shortened title, the inactive grey and the corner switch.
#include "LkNaglowek.h"
#include "OknaTestowe.h"

#include <QMouseEvent>

namespace {

// A window with a banner, painted into an image as the window shows it.
struct TOknoZNaglowkiem
{
    QWidget Okno;
    TLkNaglowek *Naglowek = new TLkNaglowek(&Okno);

    explicit TOknoZNaglowkiem(int p_Szerokosc, TOpcjeNaglowkaSAD p_Opcje = 0)
    {
        Okno.resize(p_Szerokosc, 100);
        Naglowek->UstawOpcje(p_Opcje);
        // Shown, so that resizes arrive, but never on screen and never active.
        Okno.setAttribute(Qt::WA_DontShowOnScreen);
        Okno.show();
    }
    QImage Obraz() const { return Naglowek->grab().toImage(); }
};

class NaglowekTest : public TestGUI
{
protected:
    void TearDown() override
    {
        TLkGradientBazowy::UstawPrzelacznikV(false);
        TestGUI::TearDown();
    }
};

} // namespace

TEST_F(NaglowekTest, ColoursGreyToHalfwayTowardsLightGrey)
{
    EXPECT_EQ(Wyszarz(QColor(0, 0, 128)), QColor(119, 119, 183));
    EXPECT_EQ(Wyszarz(QColor(255, 255, 255)), QColor(246, 246, 246));
    EXPECT_EQ(KolorWin(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(Rozjasnij(QColor(250, 10, 0), 42), QColor(255, 52, 42));
}

TEST_F(NaglowekTest, TheBannerSitsAtTheTopFullWidthAndFollowsItsWindow)
{
    TOknoZNaglowkiem okno(400, LogoFirmy);
    EXPECT_EQ(okno.Naglowek->geometry(), QRect(0, 0, 400, 38));
    okno.Okno.resize(520, 100);
    EXPECT_EQ(okno.Naglowek->width(), 520);
}

TEST_F(NaglowekTest, GlassTurnsPaleWhileTheWindowIsInactiveUnlessTold)
{
    // The glass strip's last row is the end colour at 60 %; default colours become 0x601000..0xFF8000.
    const QColor aktywny = Przeskaluj(KolorWin(0xFF8000), 60);
    const QColor blady = Przeskaluj(Wyszarz(KolorWin(0xFF8000)), 60);
    struct
    {
        const char *Opis;
        bool NieWyszarzaj;
        QColor Oczekiwany;
    } const przypadki[] = {
        {"inactive", false, blady},
        {"NieWyszarzaj", true, aktywny},
    };
    for (const auto &p : przypadki) {
        TOknoZNaglowkiem okno(300);
        okno.Naglowek->UstawNieWyszarzaj(p.NieWyszarzaj);
        // Never shown, so never the active window.
        EXPECT_EQ(okno.Obraz().pixelColor(150, 37), p.Oczekiwany) << p.Opis;
    }
    // The switch "v" makes every window active and the default background the plain gradient.
    TLkGradientBazowy::UstawPrzelacznikV(true);
    TOknoZNaglowkiem okno(300);
    EXPECT_FALSE(okno.Naglowek->CzyRysowacSzklo(true));
    const QImage obraz = okno.Obraz();
    EXPECT_EQ(obraz.pixelColor(0, 37).blue(), 128) << "the gradient starts at navy";
    EXPECT_GT(obraz.pixelColor(299, 37).blue(), 200) << "and ends near 0xD08410";
}

// The logo is placed before the squares, so the squares, which need more
// room, go before the logo does.
TEST_F(NaglowekTest, NarrowWindowsDropTheAddressThenTheSquaresThenTheLogo)
{
    const TOpcjeNaglowkaSAD wszystko = Prostokaty | LogoFirmy | DaneFirmy;
    TOknoZNaglowkiem okno(1000, wszystko);
    okno.Naglowek->UstawCaption(QStringLiteral("Tytuł"));
    const int e = okno.Naglowek->Rozklad().KoniecTytulu;
    const int logo = TLkNaglowek::Logo(true).width() + 6;
    // The block's room: 204 pixels, more where the machine's face is wider.
    const int dane = okno.Naglowek->width() - okno.Naglowek->KolumnyDanych().first;
    ASSERT_GE(dane, 204);
    struct
    {
        int Szerokosc;
        bool Dane, Logo, Prostokaty;
    } const przypadki[] = {
        {e + dane + 1 + logo + 55, true, true, true},
        {e + dane, false, true, true},
        {e + logo + 55, false, true, true},
        {e + logo + 54, false, true, false},
        {e + logo, false, false, false},
    };
    for (const auto &p : przypadki) {
        okno.Okno.resize(p.Szerokosc, 100);
        const TLkNaglowek::TRozklad rozklad = okno.Naglowek->Rozklad();
        EXPECT_EQ(rozklad.Dane, p.Dane) << p.Szerokosc;
        EXPECT_EQ(rozklad.XLogo >= 0, p.Logo) << p.Szerokosc;
        EXPECT_EQ(rozklad.XProstokatow >= 0, p.Prostokaty) << p.Szerokosc;
    }
}

TEST_F(NaglowekTest, SquaresAreFilledInTheirColoursBesideTheTitle)
{
    TLkGradientBazowy::UstawPrzelacznikV(true); // active, plain gradient
    TOknoZNaglowkiem okno(600, Prostokaty);
    okno.Naglowek->UstawKolory(Qt::red, Qt::green, Qt::blue);
    const int x = okno.Naglowek->Rozklad().XProstokatow;
    ASSERT_GT(x, 0);
    const QImage obraz = okno.Obraz();
    EXPECT_EQ(obraz.pixelColor(x + 7, 20), QColor(Qt::red));
    EXPECT_EQ(obraz.pixelColor(x + 18 + 7, 20), QColor(Qt::green));
    EXPECT_EQ(obraz.pixelColor(x + 36 + 7, 20), QColor(Qt::blue));
    EXPECT_NE(obraz.pixelColor(x + 36 + 20, 20), QColor(Qt::blue)) << "no fourth square";
}

TEST_F(NaglowekTest, ALongTitleEndsInAnEllipsisAndTheTitleIsDrawnInWhite)
{
    TLkGradientBazowy::UstawPrzelacznikV(true);
    TOknoZNaglowkiem okno(120);
    okno.Naglowek->UstawCaption(QStringLiteral("Bardzo długi tytuł okna, który się nie mieści"));
    const QString widoczny = okno.Naglowek->WidocznyTytul();
    EXPECT_TRUE(widoczny.endsWith(QStringLiteral(" ..."))) << qPrintable(widoczny);
    EXPECT_LE(okno.Naglowek->fontMetrics().horizontalAdvance(widoczny), 110);
    okno.Okno.resize(900, 100);
    EXPECT_EQ(okno.Naglowek->WidocznyTytul(), okno.Naglowek->Caption());

    // Some pixel of the title's row is the font's white; none right of it.
    const QImage obraz = okno.Obraz();
    const int koniec = okno.Naglowek->Rozklad().KoniecTytulu;
    auto bialy = [&](int od, int doX) {
        for (int x = od; x < doX; ++x)
            for (int y = 0; y < obraz.height(); ++y)
                if (obraz.pixelColor(x, y) == QColor(Qt::white))
                    return true;
        return false;
    };
    EXPECT_TRUE(bialy(10, koniec));
    EXPECT_FALSE(bialy(koniec, 900));
}

TEST_F(NaglowekTest, ShiftCtrlClickInTheTopLeftCornerTogglesGlassAndGradient)
{
    TOknoZNaglowkiem okno(300);
    auto klik = [&](QPoint p_Punkt) {
        const Qt::KeyboardModifiers klawisze = Qt::ShiftModifier | Qt::ControlModifier;
        QMouseEvent wcisniecie(QEvent::MouseButtonPress, p_Punkt, okno.Naglowek->mapToGlobal(p_Punkt),
                               Qt::LeftButton, Qt::LeftButton, klawisze);
        QApplication::sendEvent(okno.Naglowek, &wcisniecie);
        EXPECT_TRUE(okno.Naglowek->Celownik());
        QMouseEvent puszczenie(QEvent::MouseButtonRelease, p_Punkt, okno.Naglowek->mapToGlobal(p_Punkt),
                               Qt::LeftButton, Qt::NoButton, klawisze);
        QApplication::sendEvent(okno.Naglowek, &puszczenie);
        EXPECT_FALSE(okno.Naglowek->Celownik());
    };
    ASSERT_TRUE(okno.Naglowek->CzyRysowacSzklo(true));
    klik(QPoint(3, 3));
    EXPECT_EQ(okno.Naglowek->TloNaglowka(), ttGradient);
    klik(QPoint(7, 7));
    EXPECT_EQ(okno.Naglowek->TloNaglowka(), ttSzklo);
}

TEST_F(NaglowekTest, DraggingTheBannerMovesTheWindowButAHitTestCanKeepAPointClickable)
{
    TOknoZNaglowkiem okno(300);
    okno.Okno.move(100, 100);
    const QPoint start = okno.Okno.pos();
    auto przeciagnij = [&](QPoint p_Od) {
        QMouseEvent wcisniecie(QEvent::MouseButtonPress, p_Od, okno.Naglowek->mapToGlobal(p_Od), Qt::LeftButton,
                               Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(okno.Naglowek, &wcisniecie);
        const QPoint doP = p_Od + QPoint(30, 20);
        QMouseEvent ruch(QEvent::MouseMove, doP, okno.Naglowek->mapToGlobal(doP), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(okno.Naglowek, &ruch);
        QMouseEvent puszczenie(QEvent::MouseButtonRelease, doP, okno.Naglowek->mapToGlobal(doP), Qt::LeftButton,
                               Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(okno.Naglowek, &puszczenie);
    };
    przeciagnij(QPoint(50, 10));
    EXPECT_EQ(okno.Okno.pos(), start + QPoint(30, 20));
    okno.Naglowek->OnHitTest = [](const QPoint &p_Punkt, bool &p_Pomin) { p_Pomin = p_Punkt.x() < 100; };
    przeciagnij(QPoint(50, 10));
    EXPECT_EQ(okno.Okno.pos(), start + QPoint(30, 20));
}
