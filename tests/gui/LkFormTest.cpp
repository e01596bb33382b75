// Shift+Enter on the framework's forms and the confirm-key routine.
#include "LkForm.h"
#include "NazwaPrzypadku.h"
#include "OknaTestowe.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// A form with the named buttons the case asks for and a focused edit box that
// counts the keys which reach it.
class TFormaTestowa : public TLkForm
{
public:
    TOdbiorcaKlawiszy *Pole = new TOdbiorcaKlawiszy;
    QMap<QString, int> Klikniecia;

    QAbstractButton *DodajPrzycisk(const QString &p_Nazwa, bool p_Narzedziowy = false)
    {
        QAbstractButton *przycisk = p_Narzedziowy ? static_cast<QAbstractButton *>(new QToolButton(this))
                                                  : new QPushButton(p_Nazwa, this);
        przycisk->setObjectName(p_Nazwa);
        connect(przycisk, &QAbstractButton::clicked, this, [this, p_Nazwa]() { ++Klikniecia[p_Nazwa]; });
        return przycisk;
    }

    TFormaTestowa()
    {
        Pole->setParent(this);
        Pole->setFocusPolicy(Qt::StrongFocus);
    }
};

void shiftEnter(QWidget *p_Cel, Qt::Key p_Klawisz = Qt::Key_Return, Qt::KeyboardModifiers p_Shift = Qt::ShiftModifier)
{
    QKeyEvent wcisniecie(QEvent::KeyPress, p_Klawisz, p_Shift);
    QApplication::sendEvent(p_Cel, &wcisniecie);
    QKeyEvent puszczenie(QEvent::KeyRelease, p_Klawisz, p_Shift);
    QApplication::sendEvent(p_Cel, &puszczenie);
}

enum class TStan { Brak, Widoczny, Ukryty, Wylaczony };

struct TPrzypadekFormy
{
    const char *Opis;
    TStan Ok, Wybierz, Zamknij;
    QString Klikniety;   // empty: nothing clicked
    bool KlawiszDoPola;  // the edit box still got the key
};

void PrintTo(const TPrzypadekFormy &p, std::ostream *os)
{
    *os << p.Opis;
}

class ShiftEnterTest : public TestGUI, public ::testing::WithParamInterface<TPrzypadekFormy>
{
};

TEST_P(ShiftEnterTest, NaciskaPrzyciskWedlugNazwy)
{
    const TPrzypadekFormy &p = GetParam();
    TFormaTestowa forma;
    const std::pair<const char *, TStan> przyciski[] = {{"butOk", p.Ok}, {"butWybierz", p.Wybierz}, {"butZamknij", p.Zamknij}};
    for (auto [nazwa, stan] : przyciski) {
        if (stan == TStan::Brak)
            continue;
        QAbstractButton *b = forma.DodajPrzycisk(QString::fromLatin1(nazwa), nazwa[3] == 'W');
        b->setVisible(stan != TStan::Ukryty);
        b->setEnabled(stan != TStan::Wylaczony);
    }
    forma.show();

    shiftEnter(forma.Pole);

    QStringList klikniete = forma.Klikniecia.keys();
    EXPECT_EQ(klikniete, p.Klikniety.isEmpty() ? QStringList() : QStringList{p.Klikniety}) << p.Opis;
    EXPECT_EQ(forma.Pole->Entery, p.KlawiszDoPola ? 1 : 0) << p.Opis;
    EXPECT_EQ(forma.ModalResult(), 0) << p.Opis;
}

INSTANTIATE_TEST_SUITE_P(
    Nazwy, ShiftEnterTest,
    ::testing::Values(
        TPrzypadekFormy{"butOk first", TStan::Widoczny, TStan::Widoczny, TStan::Widoczny, "butOk", false},
        TPrzypadekFormy{"visible butWybierz", TStan::Brak, TStan::Widoczny, TStan::Widoczny, "butWybierz", false},
        TPrzypadekFormy{"hidden butWybierz", TStan::Brak, TStan::Ukryty, TStan::Widoczny, "butZamknij", false},
        TPrzypadekFormy{"only butZamknij", TStan::Brak, TStan::Brak, TStan::Widoczny, "butZamknij", false},
        TPrzypadekFormy{"none of them", TStan::Brak, TStan::Brak, TStan::Brak, "", true},
        TPrzypadekFormy{"disabled target", TStan::Brak, TStan::Wylaczony, TStan::Widoczny, "", false},
        TPrzypadekFormy{"hidden butOk still wins", TStan::Ukryty, TStan::Widoczny, TStan::Brak, "butOk", false}),
    NazwaZOpisu());

TEST_F(TestGUI, InneKlawiszeIShiftZCtrlIdaDoKontrolki)
{
    TFormaTestowa forma;
    forma.DodajPrzycisk(QStringLiteral("butWybierz"));
    forma.show();
    shiftEnter(forma.Pole, Qt::Key_Return, Qt::NoModifier);
    shiftEnter(forma.Pole, Qt::Key_Return, Qt::ShiftModifier | Qt::ControlModifier);
    shiftEnter(forma.Pole, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(forma.Pole->Entery, 2);
    EXPECT_EQ(forma.Klikniecia.value(QStringLiteral("butWybierz")), 1);
}

TEST_F(TestGUI, ButOkKtoryNieJestPrzyciskiemKonczyOknoModalneWynikiemOK)
{
    TFormaTestowa forma;
    (new QLabel(&forma))->setObjectName(QStringLiteral("butOk"));
    QTimer::singleShot(20, &forma, [&forma]() { shiftEnter(forma.Pole); });
    QTimer::singleShot(2000, &forma, [&forma]() { forma.close(); }); // a failing case still ends
    EXPECT_EQ(forma.ShowModal(), mrOk);
    EXPECT_FALSE(forma.isVisible());
}

TEST_F(TestGUI, ZamkniecieOknaModalnegoDajeAnuluj)
{
    TFormaTestowa forma;
    QTimer::singleShot(20, &forma, [&forma]() { forma.close(); });
    EXPECT_EQ(forma.ShowModal(), mrCancel);
}

TEST_F(TestGUI, ZatwierdzKlawiszemDzialaTylkoNaShiftEnter)
{
    TFormaTestowa forma;
    auto *przycisk = static_cast<QPushButton *>(forma.DodajPrzycisk(QStringLiteral("butDalej")));
    forma.show();

    int klawisz = Qt::Key_Return;
    ZatwierdzKlawiszem(&forma, klawisz, Qt::NoModifier, przycisk);
    EXPECT_EQ(klawisz, Qt::Key_Return);
    klawisz = Qt::Key_Space;
    ZatwierdzKlawiszem(&forma, klawisz, Qt::ShiftModifier, nullptr);
    EXPECT_EQ(klawisz, Qt::Key_Space);
    EXPECT_EQ(forma.ModalResult(), 0);

    klawisz = Qt::Key_Return;
    ZatwierdzKlawiszem(&forma, klawisz, Qt::ShiftModifier, przycisk);
    EXPECT_EQ(klawisz, 0);
    EXPECT_EQ(forma.Klikniecia.value(QStringLiteral("butDalej")), 1);
    EXPECT_EQ(forma.ModalResult(), 0);

    klawisz = Qt::Key_Enter;
    ZatwierdzKlawiszem(&forma, klawisz, Qt::ShiftModifier | Qt::KeypadModifier, nullptr);
    EXPECT_EQ(klawisz, 0);
    EXPECT_EQ(forma.ModalResult(), mrOk);
}

// The viewer's own handler sees the keys its controls would get, once each.
class TFormaZObsluga : public TLkForm
{
public:
    QList<int> Widziane;

protected:
    void FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers) override { Widziane << p_Klawisz; }
};

TEST_F(TestGUI, FormKeyDownWidziKlawiszRazPrzedKontrolka)
{
    TFormaZObsluga forma;
    auto *panel = new QWidget(&forma);
    auto *pole = new QWidget(panel); // leaves every key to its parents
    forma.show();
    shiftEnter(pole, Qt::Key_A, Qt::NoModifier);
    shiftEnter(pole, Qt::Key_Return, Qt::ShiftModifier); // no target button: reaches the handler
    EXPECT_EQ(forma.Widziane, (QList<int>{Qt::Key_A, Qt::Key_Return}));
}

} // namespace
