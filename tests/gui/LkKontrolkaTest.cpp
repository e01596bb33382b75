// Neighbour navigation of the framework's controls: a table of form layout,
// key and the control that ends up focused; links made in pairs, the return
// link and links to controls that go.
#include "LkBitBtn.h"
#include "LkCheckBox.h"
#include "LkEdit.h"
#include "LkForm.h"
#include "NazwaPrzypadku.h"
#include "OknaTestowe.h"

#include <memory>

namespace {

//   edA   edB   butC
//   chbD  edE (hidden)
//         butF
// edA.Nastepny none, chbD.Nastepny = edB.
struct TFormaSasiadow : TLkForm
{
    TLkEdit *edA = dodaj<TLkEdit>("edA");
    TLkEdit *edB = dodaj<TLkEdit>("edB");
    TLkButton *butC = dodaj<TLkButton>("butC");
    TLkCheckBox *chbD = dodaj<TLkCheckBox>("chbD");
    TLkEdit *edE = dodaj<TLkEdit>("edE");
    TLkBitBtn *butF = dodaj<TLkBitBtn>("butF");

    TFormaSasiadow()
    {
        edA->UstawPrawo(edB);
        edB->UstawPrawo(butC);
        edA->UstawDol(chbD);
        edB->UstawDol(edE);
        edE->UstawDol(butF);
        chbD->UstawNastepny(edB);
        edE->hide();
        show();
        activateWindow();
        QApplication::setActiveWindow(this);
    }

    template <typename T>
    T *dodaj(const char *p_Nazwa)
    {
        auto *kontrolka = new T(this);
        kontrolka->setObjectName(QString::fromLatin1(p_Nazwa));
        return kontrolka;
    }
};

struct TPrzypadekSasiada
{
    const char *Opis;
    const char *Start;
    QString Tekst;
    int Kursor;      // -1: no change
    int Zaznaczenie; // characters selected from the caret, 0: none
    Qt::Key Klawisz;
    Qt::KeyboardModifiers Shift;
    const char *Fokus;
};

void PrintTo(const TPrzypadekSasiada &p, std::ostream *os)
{
    *os << p.Opis;
}

class NawigacjaTest : public TestGUI, public ::testing::WithParamInterface<TPrzypadekSasiada>
{
};

} // namespace

TEST_P(NawigacjaTest, TheKeyMovesTheFocusAsTheFormIsLaidOut)
{
    const TPrzypadekSasiada &p = GetParam();
    TFormaSasiadow forma;
    auto *start = forma.findChild<QWidget *>(QString::fromLatin1(p.Start));
    if (auto *edit = qobject_cast<TLkEdit *>(start)) {
        edit->setText(p.Tekst);
        if (p.Zaznaczenie > 0)
            edit->setSelection(p.Kursor, p.Zaznaczenie);
        else if (p.Kursor >= 0)
            edit->setCursorPosition(p.Kursor);
    }
    start->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), start);
    QKeyEvent klawisz(QEvent::KeyPress, p.Klawisz, p.Shift);
    QApplication::sendEvent(start, &klawisz);
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(p.Fokus));
    EXPECT_TRUE(klawisz.isAccepted() || QString::fromLatin1(p.Fokus) == QString::fromLatin1(p.Start));
}

INSTANTIATE_TEST_SUITE_P(
    Uklad, NawigacjaTest,
    ::testing::Values(
        TPrzypadekSasiada{"Right at the end of an empty box", "edA", "", -1, 0, Qt::Key_Right, Qt::NoModifier, "edB"},
        TPrzypadekSasiada{"Right inside the text stays", "edB", "abc", 1, 0, Qt::Key_Right, Qt::NoModifier, "edB"},
        TPrzypadekSasiada{"Right at the text's end", "edB", "abc", 3, 0, Qt::Key_Right, Qt::NoModifier, "butC"},
        TPrzypadekSasiada{"Ctrl Left always", "edB", "abc", 2, 0, Qt::Key_Left, Qt::ControlModifier, "edA"},
        TPrzypadekSasiada{"Left at position 0", "edB", "abc", 0, 0, Qt::Key_Left, Qt::NoModifier, "edA"},
        TPrzypadekSasiada{"Shift Left never", "edB", "abc", 0, 0, Qt::Key_Left, Qt::ShiftModifier, "edB"},
        TPrzypadekSasiada{"Left with a selection from 0", "edB", "abc", 0, 2, Qt::Key_Left, Qt::NoModifier, "edB"},
        TPrzypadekSasiada{"Left without a neighbour", "edA", "", 0, 0, Qt::Key_Left, Qt::NoModifier, "edA"},
        TPrzypadekSasiada{"Down skips a hidden control", "edB", "", -1, 0, Qt::Key_Down, Qt::NoModifier, "butF"},
        TPrzypadekSasiada{"Up from a check box", "chbD", "", -1, 0, Qt::Key_Up, Qt::NoModifier, "edA"},
        TPrzypadekSasiada{"Enter on a check box to the next field", "chbD", "", -1, 0, Qt::Key_Return,
                          Qt::NoModifier, "edB"},
        TPrzypadekSasiada{"Enter without a next field", "edA", "", -1, 0, Qt::Key_Return, Qt::NoModifier, "edA"},
        TPrzypadekSasiada{"Left on a button", "butC", "", -1, 0, Qt::Key_Left, Qt::NoModifier, "edB"},
        TPrzypadekSasiada{"Down on a button without a neighbour", "butC", "", -1, 0, Qt::Key_Down, Qt::NoModifier,
                          "butC"}),
    [](const auto &p_Info) { return NazwaPrzypadku(p_Info.param.Opis); });

TEST_F(TestGUI, LinksAreMadeInPairsOnlyWhereTheReverseIsEmpty)
{
    TFormaSasiadow forma;
    EXPECT_EQ(forma.edB->Lewo(), forma.edA) << "edA.Prawo = edB set edB.Lewo";
    EXPECT_EQ(forma.butC->Lewo(), forma.edB);
    // A reverse link already set stays.
    forma.butF->UstawLewo(forma.edA);
    forma.chbD->UstawPrawo(forma.butF);
    EXPECT_EQ(forma.butF->Lewo(), forma.edA);
    // Nastepny has no reverse.
    EXPECT_EQ(forma.edB->Lewo(), forma.edA);
    EXPECT_EQ(forma.edB->DajSasiada(ksSam), forma.edB);
    EXPECT_EQ(forma.butC->DajSasiada(ksNastepny), nullptr) << "buttons have four links";
}

TEST_F(TestGUI, MovingWithoutSkippingMakesTheStartTheReverseNeighbour)
{
    TFormaSasiadow forma;
    forma.edE->UstawGora(forma.butC);
    forma.edE->show();
    ASSERT_TRUE(PrzejdzDoSasiada(forma.edB, ksDol));
    EXPECT_EQ(QApplication::focusWidget(), forma.edE);
    EXPECT_EQ(forma.edE->Gora(), forma.edB);
    // Across a skipped control no return link is made.
    forma.edE->hide();
    forma.butF->UstawGora(forma.butC);
    ASSERT_TRUE(PrzejdzDoSasiada(forma.edB, ksDol));
    EXPECT_EQ(forma.butF->Gora(), forma.butC);
}

TEST_F(TestGUI, ACycleOfUnfocusableControlsEndsWithoutMovingAndACycleToTheStartFocusesIt)
{
    TFormaSasiadow forma;
    forma.edB->UstawNastepny(forma.edE);
    forma.edE->UstawNastepny(forma.edB);
    forma.edA->setFocus();
    EXPECT_TRUE(PrzejdzDoSasiada(forma.edB, ksNastepny));
    EXPECT_EQ(QApplication::focusWidget(), forma.edB);
    forma.edB->setEnabled(false);
    forma.edA->setFocus();
    EXPECT_FALSE(PrzejdzDoSasiada(forma.edE, ksNastepny));
    EXPECT_EQ(QApplication::focusWidget(), forma.edA);
}

TEST_F(TestGUI, AControlThatGoesIsForgottenByItsNeighboursAndItsEditBox)
{
    TFormaSasiadow forma;
    auto *przycisk = new TLkButton(&forma);
    forma.edA->UstawPrawo(nullptr);
    forma.edA->UstawPrzycisk(przycisk);
    EXPECT_EQ(forma.edA->Prawo(), przycisk) << "Przycisk fills an empty right link";
    forma.edB->UstawPrzycisk(przycisk);
    EXPECT_EQ(forma.edB->Prawo(), forma.butC) << "and leaves a set one";
    delete przycisk;
    EXPECT_EQ(forma.edA->Przycisk(), nullptr);
    EXPECT_EQ(forma.edA->Prawo(), nullptr);
    delete forma.edB;
    EXPECT_EQ(forma.chbD->Nastepny(), nullptr);
    EXPECT_EQ(forma.butC->Lewo(), nullptr);
}
