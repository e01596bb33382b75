// The hint window under the offscreen platform: geometry, stacking, the life
// cycle on a hand-moved clock, and the don't-show-again choice.
#include "PomocnikPodpowiedzi.h"

#include "AktualizacjaAkcji.h"
#include "Komunikaty.h"
#include "Parametry.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QTest>
#include <QWindow>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

const QString CR(QChar(13));

QRect obszarRoboczy()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

TEST_F(PodpowiedziTest, ABottomRightNoticeSitsInTheCornerWithItsControls)
{
    PokazPodpowiedz(QStringLiteral("[fsBold]Velmora[]") + CR + "Tekst powiadomienia", 300, QString(), pozKoniec,
                    pozKoniec, 40, fpInformacja);
    TOknoPodpowiedzi *okno = Ostatnie();
    ASSERT_NE(okno, nullptr);
    const QRect g = okno->geometry();
    const QRect wa = obszarRoboczy();
    // The slide to the right in steps of 10 ends 2 pixels from the edge.
    EXPECT_EQ(wa.right() - g.right(), 2);
    EXPECT_EQ(wa.bottom() - g.bottom(), 12);
    EXPECT_LE(g.width(), 300);
    ASSERT_NE(okno->Obrazek(), nullptr);
    EXPECT_EQ(okno->Obrazek()->geometry(), QRect(12, 12, 32, 32));
    EXPECT_EQ(okno->butOk()->geometry(), QRect(g.width() - 72, g.height() - 32, 60, 20));
    EXPECT_FALSE(okno->chbNiePokazujWiecej()->isVisible());
    // The pieces start right of the icon.
    EXPECT_EQ(okno->Uklad().DispLista().front().XPocz, 12 + 32 + 12);
    // Rounded corners: the corner pixel is cut away, the middle stays.
    EXPECT_FALSE(okno->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(okno->mask().contains(QPoint(g.width() / 2, g.height() / 2)));
    EXPECT_EQ(okno->MaxCzas(), 40000);
}

TEST_F(PodpowiedziTest, ACodeAddsTheDontShowAgainRow)
{
    PokazPodpowiedz(QStringLiteral("Krótko"), 300, QStringLiteral("KOD-1"), pozSrodek, pozSrodek, 0, fpOstrzezenie);
    TOknoPodpowiedzi *okno = Ostatnie();
    ASSERT_NE(okno, nullptr);
    EXPECT_TRUE(okno->chbNiePokazujWiecej()->isVisible());
    EXPECT_EQ(okno->chbNiePokazujWiecej()->x(), 12);
    EXPECT_EQ(okno->labNiePokazujWiecej()->x(), 30);
    const QRect wa = obszarRoboczy();
    EXPECT_EQ(okno->x() - wa.x(), (wa.width() - okno->width()) / 2);
    EXPECT_EQ(okno->MaxCzas(), 0);
}

TEST_F(PodpowiedziTest, BottomRightHintsStackUpwardsWithoutOverlapping)
{
    for (int i = 0; i < 3; ++i)
        PokazPodpowiedz(QStringLiteral("Powiadomienie %1").arg(i), 200, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    const auto okna = OknaPodpowiedzi();
    ASSERT_EQ(okna.size(), 3);
    EXPECT_EQ(okna[0]->x(), okna[1]->x());
    EXPECT_EQ(okna[1]->geometry().bottom(), okna[0]->y() - 1);
    EXPECT_EQ(okna[2]->geometry().bottom(), okna[1]->y() - 1);
}

TEST_F(PodpowiedziTest, AFullColumnContinuesToTheLeft)
{
    const int wysokosc = obszarRoboczy().height();
    // Hints a little over a third of the work area high: two fit in a column.
    QString tekst = QStringLiteral("[]w");
    QList<TOknoPodpowiedzi *> okna;
    while (true) {
        PokazPodpowiedz(tekst + QStringLiteral("0"), 200, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
        TOknoPodpowiedzi *okno = Ostatnie();
        ASSERT_NE(okno, nullptr);
        if (okno->height() > wysokosc / 3)
            break;
        ZakonczOknoPokazPodpowiedz();
        InicjujOknoPokazPodpowiedz();
        tekst += CR + QStringLiteral("w");
    }
    // Digits are equally wide: three hints of one size, but different texts.
    PokazPodpowiedz(tekst + QStringLiteral("1"), 200, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    PokazPodpowiedz(tekst + QStringLiteral("2"), 200, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    okna = OknaPodpowiedzi();
    ASSERT_EQ(okna.size(), 3);
    EXPECT_EQ(okna[1]->x(), okna[0]->x());
    EXPECT_LT(okna[2]->geometry().right(), okna[0]->x());
    for (int i = 0; i < 3; ++i)
        for (int k = i + 1; k < 3; ++k)
            EXPECT_FALSE(okna[i]->geometry().intersects(okna[k]->geometry())) << i << " " << k;
}

TEST_F(PodpowiedziTest, FadesInThenClosesAfterItsSecondsWithoutFading)
{
    PokazPodpowiedz(QStringLiteral("Zniknę"), -1, QString(), pozKoniec, pozKoniec, 40, fpInformacja);
    QPointer<TOknoPodpowiedzi> okno = Ostatnie();
    ASSERT_TRUE(okno);
    EXPECT_EQ(okno->StanOknaPodp(), TStanOknaPodp::sopAktywacja);
    EXPECT_EQ(okno->windowOpacity(), 0.0);
    Tyknij(okno, 250);
    EXPECT_NEAR(okno->windowOpacity(), 127 / 255.0, 0.01);
    Tyknij(okno, 250);
    EXPECT_EQ(okno->StanOknaPodp(), TStanOknaPodp::sopWidoczne);
    EXPECT_EQ(okno->windowOpacity(), 1.0);
    EXPECT_TRUE(okno->Zegar()->isActive());
    EXPECT_EQ(okno->Zegar()->interval(), 40000);
    Tyknij(okno, 40000);
    EXPECT_FALSE(okno->isVisible());
    Sprzatnij();
    EXPECT_FALSE(okno);
}

TEST_F(PodpowiedziTest, AFormUpdatingItsActionsDefersTheCloseToTheNextTick)
{
    PokazPodpowiedz(QStringLiteral("Poczekam"), -1, QString(), pozKoniec, pozKoniec, 1, fpInformacja | fpBezPojawiania);
    QPointer<TOknoPodpowiedzi> okno = Ostatnie();
    ASSERT_TRUE(okno);
    QWidget forma;
    AktualizujAkcje(&forma, [&] {
        Tyknij(okno, 1000);
        Sprzatnij();
        ASSERT_TRUE(okno);
        EXPECT_FALSE(okno->isVisible());
        EXPECT_EQ(okno->StanOknaPodp(), TStanOknaPodp::sopZamkniete);
        EXPECT_EQ(okno->Zegar()->interval(), int(KrokAnimacji));
    });
    ASSERT_TRUE(okno);
    Tyknij(okno, KrokAnimacji);
    Sprzatnij();
    EXPECT_FALSE(okno);
}

TEST_F(PodpowiedziTest, OkClosesAtOnceButACloseFromOutsideFadesOut)
{
    PokazPodpowiedz(QStringLiteral("Pierwsza"), -1, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    QPointer<TOknoPodpowiedzi> pierwsza = Ostatnie();
    ASSERT_TRUE(pierwsza);
    EXPECT_EQ(pierwsza->StanOknaPodp(), TStanOknaPodp::sopWidoczne);
    pierwsza->butOk()->click();
    Sprzatnij();
    EXPECT_FALSE(pierwsza);

    PokazPodpowiedz(QStringLiteral("Druga"), -1, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    QPointer<TOknoPodpowiedzi> druga = Ostatnie();
    ASSERT_TRUE(druga);
    druga->close();
    EXPECT_EQ(druga->StanOknaPodp(), TStanOknaPodp::sopDeaktywacja);
    Tyknij(druga, 675);
    EXPECT_NEAR(druga->windowOpacity(), 0.5, 0.01);
    // OK is ignored while fading out.
    druga->butOk()->click();
    EXPECT_EQ(druga->StanOknaPodp(), TStanOknaPodp::sopDeaktywacja);
    Tyknij(druga, 700);
    Sprzatnij();
    EXPECT_FALSE(druga);
}

TEST_F(PodpowiedziTest, TheSameHintAgainRestartsTheShownOne)
{
    PokazPodpowiedz(QStringLiteral("Raz"), -1, QStringLiteral("K"), pozKoniec, pozKoniec, 10, fpBezPojawiania);
    PokazPodpowiedz(QStringLiteral("Raz"), -1, QStringLiteral("K"), pozKoniec, pozKoniec, 10, fpBezPojawiania);
    EXPECT_EQ(OknaPodpowiedzi().size(), 1);
    PokazPodpowiedz(QStringLiteral("Raz"), -1, QStringLiteral("L"), pozKoniec, pozKoniec, 10, fpBezPojawiania);
    EXPECT_EQ(OknaPodpowiedzi().size(), 2);
}

TEST_F(PodpowiedziTest, ATickedCodeIsNotShownAgainEvenAfterARestart)
{
    PokazPodpowiedz(QStringLiteral("Nie wracaj"), -1, QStringLiteral("KOD-X"), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    TOknoPodpowiedzi *okno = Ostatnie();
    ASSERT_NE(okno, nullptr);
    okno->chbNiePokazujWiecej()->setChecked(true);
    okno->butOk()->click();
    Sprzatnij();
    PokazPodpowiedz(QStringLiteral("Nie wracaj"), -1, QStringLiteral("kod-x"), pozKoniec, pozKoniec, 0,
                    fpBezPojawiania);
    EXPECT_TRUE(OknaPodpowiedzi().isEmpty());
    ZakonczOknoPokazPodpowiedz();
    InicjujOknoPokazPodpowiedz();
    EXPECT_TRUE(CzyNiePokazywac(QStringLiteral("KOD-X")));

    // Unticked, the choice is taken back.
    ZapamietajWybor(QStringLiteral("KOD-X"), false);
    PokazPodpowiedz(QStringLiteral("Wracaj"), -1, QStringLiteral("KOD-X"), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    okno = Ostatnie();
    ASSERT_NE(okno, nullptr);
    okno->butOk()->click();
    Sprzatnij();
    ZakonczOknoPokazPodpowiedz();
    InicjujOknoPokazPodpowiedz();
    EXPECT_FALSE(CzyNiePokazywac(QStringLiteral("KOD-X")));
}

TEST_F(PodpowiedziTest, HidingClosesByCodeAndText)
{
    PokazPodpowiedz(QStringLiteral("a"), -1, QStringLiteral("A"), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    PokazPodpowiedz(QStringLiteral("b"), -1, QStringLiteral("A"), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    PokazPodpowiedz(QStringLiteral("c"), -1, QStringLiteral("C"), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    UkryjPodpowiedz(QStringLiteral("A"), QStringLiteral("b"));
    Sprzatnij();
    ASSERT_EQ(OknaPodpowiedzi().size(), 2);
    UkryjPodpowiedz(QStringLiteral("A"), QString());
    Sprzatnij();
    ASSERT_EQ(OknaPodpowiedzi().size(), 1);
    UkryjPodpowiedz(QString(), QString());
    Sprzatnij();
    EXPECT_TRUE(OknaPodpowiedzi().isEmpty());
}

TEST_F(PodpowiedziTest, SkippedInServiceModeAndWithTheSkipFlag)
{
    PokazPodpowiedz(QStringLiteral("x"), -1, QString(), pozKoniec, pozKoniec, 0, fpPomin);
    const bool cichy = TrybCichy;
    TrybCichy = true;
    PokazPodpowiedz(QStringLiteral("x"));
    TrybCichy = cichy;
    EXPECT_TRUE(OknaPodpowiedzi().isEmpty());
}

TEST_F(PodpowiedziTest, WithTheSwitchPOnlyErrorsAppear)
{
    const QStringList argumenty = ArgumentyProgramu();
    UstawArgumentyProgramu({QStringLiteral("program"), QStringLiteral("-p")});
    // The switch is read when the unit starts.
    ZakonczOknoPokazPodpowiedz();
    InicjujOknoPokazPodpowiedz();
    UstawArgumentyProgramu(argumenty);
    for (const int32_t rodzaj : {fpInformacja, fpOstrzezenie, fpBlad})
        PokazPodpowiedz(QStringLiteral("rodzaj %1").arg(rodzaj), -1, QString(), pozKoniec, pozKoniec, 0,
                        rodzaj | fpBezPojawiania);
    const auto okna = OknaPodpowiedzi();
    ASSERT_EQ(okna.size(), 1);
    EXPECT_EQ(okna.first()->FlagiOkna() & fpRodzaj, fpBlad);
}

TEST_F(PodpowiedziTest, OkWithCtrlAndShiftClosesEveryHint)
{
    for (const QString &tekst : {QStringLiteral("jeden"), QStringLiteral("dwa"), QStringLiteral("trzy")})
        PokazPodpowiedz(tekst, -1, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    ASSERT_EQ(OknaPodpowiedzi().size(), 3);
    QPushButton *ok = OknaPodpowiedzi().first()->butOk();
    // A plain OK closes only its own window.
    OknaPodpowiedzi().last()->butOk()->click();
    Sprzatnij();
    ASSERT_EQ(OknaPodpowiedzi().size(), 2);
    QWindow *okno = ok->window()->windowHandle();
    ASSERT_NE(okno, nullptr);
    QTest::keyPress(okno, Qt::Key_Shift, Qt::ControlModifier | Qt::ShiftModifier);
    ok->click();
    QTest::keyRelease(okno, Qt::Key_Shift, Qt::NoModifier);
    Sprzatnij();
    EXPECT_TRUE(OknaPodpowiedzi().isEmpty());
}

// Hints stay above other programs' windows only while the application is
// active, unless they are always on top; a state change keeps them where they are.
TEST_F(PodpowiedziTest, LeavingTheApplicationLowersHintsThatAreNotAlwaysOnTop)
{
    PokazPodpowiedz(QStringLiteral("zwykła"), -1, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    TOknoPodpowiedzi *zwykla = Ostatnie();
    PokazPodpowiedz(QStringLiteral("zawsze"), -1, QString(), pozKoniec, pozKoniec, 0,
                    fpBezPojawiania | fpZawszeNaWierzchu);
    TOknoPodpowiedzi *zawsze = Ostatnie();
    ASSERT_TRUE(zwykla && zawsze);
    const QRect gdzie = zwykla->geometry();
    auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    emit gui->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(zwykla->NaWierzchu());
    EXPECT_TRUE(zawsze->NaWierzchu());
    EXPECT_TRUE(zwykla->isVisible());
    EXPECT_EQ(zwykla->geometry(), gdzie);
    emit gui->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(zwykla->NaWierzchu());
    EXPECT_TRUE(zawsze->NaWierzchu());
    EXPECT_TRUE(zwykla->isVisible());
    EXPECT_EQ(zwykla->geometry(), gdzie);
}

TEST(NaglowekUwaga, AWarningOpeningBecomesTheHeader)
{
    const QString naglowek = QStringLiteral("[Size=16,fsBold,clWhite,fsOutline,fsItalic,fsShadow]Uwaga![][Size=4]\r[]");
    EXPECT_EQ(DodajNaglowekUwaga(QStringLiteral("Uwaga!\rTreść  ")), naglowek + QStringLiteral("Treść"));
    EXPECT_EQ(DodajNaglowekUwaga(QStringLiteral("uwaga! dalej")), naglowek + QStringLiteral(" dalej"));
    EXPECT_EQ(DodajNaglowekUwaga(QStringLiteral("Bez nagłówka\r")), QStringLiteral("Bez nagłówka"));
}

TEST(DanePodpowiedzi, StrippedTextAndShortForm)
{
    TDanePodpowiedzi d;
    d.Podpowiedz = QStringLiteral("  [fsBold]Uwaga! Kliknij {tutaj|http://x} albo {tam}[] ");
    EXPECT_EQ(d.DajTresc(), QStringLiteral("Uwaga! Kliknij tutaj albo {tam}"));
    EXPECT_EQ(d.DajSkrotTresci(), QStringLiteral("Kliknij tutaj albo {tam}"));
    d.Podpowiedz = QString(100, QLatin1Char('x'));
    EXPECT_EQ(d.DajSkrotTresci(), QString(77, QLatin1Char('x')) + QStringLiteral("..."));
    d.Flagi = -1;
    EXPECT_EQ(d.TypKomunikatu(), 1);
    d.UstawTypKomunikatu(3);
    EXPECT_EQ(d.Flagi, fpBlad);
    EXPECT_EQ(d.TypKomunikatu(), 3);
    d.UstawTypKomunikatu(9);
    EXPECT_EQ(d.TypKomunikatu(), 1);
}

} // namespace
