// The Enter drain around the message dialog: a queued or held Enter neither
// answers the dialog nor reaches the window below.
#include "OknaTestowe.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>

#include <stdexcept>

namespace {

class ZwalnianieEnterTest : public TestGUI
{
protected:
    void SetUp() override
    {
        TestGUI::SetUp();
        FOdbiorca.show();
    }

    void WyslijEnter(QWidget *p_Cel, QEvent::Type p_Rodzaj, bool p_Powtorzenie)
    {
        QKeyEvent zdarzenie(p_Rodzaj, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), p_Powtorzenie);
        QApplication::sendEvent(p_Cel, &zdarzenie);
    }

    static void PostujEnter(QWidget *p_Cel)
    {
        QCoreApplication::postEvent(p_Cel, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                                                         QStringLiteral("\r")));
        QCoreApplication::postEvent(p_Cel, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier,
                                                         QStringLiteral("\r")));
    }

    static QAbstractButton *przycisk(QMessageBox *p_Okno, const QString &p_Napis)
    {
        for (QAbstractButton *b : p_Okno->buttons())
            if (b->text() == p_Napis)
                return b;
        return nullptr;
    }

    TOdbiorcaKlawiszy FOdbiorca;
};

TEST_F(ZwalnianieEnterTest, EnterWKolejcePrzedOknemIPoNimNieDochodziDoNikogo)
{
    // Queued before the message, and (the Enter that answers it) during it.
    PostujEnter(&FOdbiorca);
    ObsluzOkno<QMessageBox>([this](QMessageBox *p_Okno) {
        PostujEnter(&FOdbiorca);
        przycisk(p_Okno, QStringLiteral("&Nie"))->click();
    });

    EXPECT_EQ(PokazKomunikatPrzyciski(QStringLiteral("Zapisać?"), mtConfirmation, mbYesNo), mrNo);
    QCoreApplication::processEvents();
    EXPECT_EQ(FOdbiorca.Entery, 0);
}

TEST_F(ZwalnianieEnterTest, TrzymanyEnterOpozniaOknoDoPuszczeniaINieOdpowiadaNaNie)
{
    // The Enter that raised the message is down when the message comes.
    WyslijEnter(&FOdbiorca, QEvent::KeyPress, false);
    ASSERT_EQ(FOdbiorca.Entery, 1);
    ASSERT_TRUE(KlawiszWcisniety(Qt::Key_Enter));

    bool puszczony = false;
    bool oknoPrzedPuszczeniem = false;
    QTimer::singleShot(30, &FOdbiorca, [this]() {
        QWidget *cel = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &FOdbiorca;
        WyslijEnter(cel, QEvent::KeyPress, true);
        WyslijEnter(cel, QEvent::KeyRelease, true);
        WyslijEnter(cel, QEvent::KeyPress, true);
    });
    QTimer::singleShot(80, &FOdbiorca, [&]() {
        oknoPrzedPuszczeniem = QApplication::activeModalWidget() != nullptr;
        WyslijEnter(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &FOdbiorca,
                    QEvent::KeyRelease, false);
        puszczony = true;
    });
    bool puszczonyPrzedOknem = false;
    ObsluzOkno<QMessageBox>([&](QMessageBox *p_Okno) {
        puszczonyPrzedOknem = puszczony;
        przycisk(p_Okno, QStringLiteral("&Nie"))->click();
    });

    EXPECT_EQ(PokazKomunikatPrzyciski(QStringLiteral("Usunąć?"), mtConfirmation, mbYesNo), mrNo);
    EXPECT_FALSE(oknoPrzedPuszczeniem);
    EXPECT_TRUE(puszczonyPrzedOknem);
    EXPECT_FALSE(KlawiszWcisniety(Qt::Key_Return));
    QCoreApplication::processEvents();
    EXPECT_EQ(FOdbiorca.Entery, 1);
}

TEST_F(ZwalnianieEnterTest, EnterKtoryPrzestalSiePowtarzacNieBlokujeNaZawsze)
{
    // Its release went elsewhere: nothing more comes for this key.
    WyslijEnter(&FOdbiorca, QEvent::KeyPress, false);
    QElapsedTimer czas;
    czas.start();
    ZwolnijEnter();
    EXPECT_LT(czas.elapsed(), 3000);
    EXPECT_FALSE(KlawiszWcisniety(Qt::Key_Return));
}

int oknoKtoreNieMozePowstac(const QString &, const QString &, TMsgDlgType, TMsgDlgButtons, int32_t)
{
    throw std::runtime_error("no dialog");
}

TEST_F(ZwalnianieEnterTest, ZamykajaceZwolnienieDzialaGdyOknoZglaszaWyjatek)
{
    UstawPrezenterKomunikatow(
        [](const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski,
           int32_t p_Kontekst) -> int {
            // Queued while the dialog was being made: must not survive it.
            for (QWidget *okno : QApplication::topLevelWidgets())
                if (auto *odbiorca = dynamic_cast<TOdbiorcaKlawiszy *>(okno))
                    PostujEnter(odbiorca);
            return oknoKtoreNieMozePowstac(p_Tytul, p_Tekst, p_Rodzaj, p_Przyciski, p_Kontekst);
        },
        ZwolnijEnter);

    EXPECT_THROW(PokazKomunikatOK(QStringLiteral("Nie wyjdzie"), mtError), std::runtime_error);
    QCoreApplication::processEvents();
    EXPECT_EQ(FOdbiorca.Entery, 0);
}

TEST_F(ZwalnianieEnterTest, InneKlawiszeWKolejceDochodzaNormalnie)
{
    struct TLicznik : QWidget
    {
        QList<int> Klawisze;
        void keyPressEvent(QKeyEvent *e) override { Klawisze << e->key(); }
    } licznik;
    QCoreApplication::postEvent(&licznik, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    QCoreApplication::postEvent(&licznik, new QKeyEvent(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier));
    QCoreApplication::postEvent(&licznik, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier));
    QCoreApplication::postEvent(&licznik, new QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b"));
    ZwolnijEnter();
    EXPECT_EQ(licznik.Klawisze, (QList<int>{Qt::Key_A, Qt::Key_B}));
}

} // namespace
