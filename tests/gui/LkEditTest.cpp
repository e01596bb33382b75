// The edit box: requirement colours and the defaults they never overwrite,
// field size, Insert and Ctrl+D.
#include "LkButton.h"
#include "LkCheckBox.h"
#include "LkEdit.h"
#include "OknaTestowe.h"

namespace {

const QColor czerwonawy(0xFF, 0xBE, 0xBE);
const QColor szary(0x80, 0x80, 0x80);

QColor tlo(const QWidget *p_Kontrolka)
{
    return p_Kontrolka->palette().color(QPalette::Base);
}

QColor tekst(const QWidget *p_Kontrolka)
{
    return p_Kontrolka->palette().color(QPalette::Text);
}

void wcisnij(QWidget *p_Cel, Qt::Key p_Klawisz, Qt::KeyboardModifiers p_Shift = Qt::NoModifier,
             const QString &p_Tekst = QString())
{
    QKeyEvent klawisz(QEvent::KeyPress, p_Klawisz, p_Shift, p_Tekst);
    QApplication::sendEvent(p_Cel, &klawisz);
}

} // namespace

TEST_F(TestGUI, ARequiredBoxIsLightRedWhileEmptyAndAForbiddenOneGrey)
{
    TLkEdit edit;
    const QColor domyslne = tlo(&edit);
    edit.UstawWymagalnosc(wWymagane);
    EXPECT_EQ(tlo(&edit), czerwonawy);
    edit.setText(QStringLiteral("x"));
    EXPECT_EQ(tlo(&edit), domyslne);
    edit.clear();
    EXPECT_EQ(tlo(&edit), czerwonawy);
    edit.UstawWymagalnosc(wZabronione);
    EXPECT_EQ(tekst(&edit), szary);
    edit.UstawWymagalnosc(wBrak);
    EXPECT_EQ(tlo(&edit), domyslne);
    EXPECT_NE(tekst(&edit), szary);
}

TEST_F(TestGUI, ReadOnlyBoxesAreColouredOnlyWhenRequired)
{
    TLkEdit wymagany, zabroniony;
    const QColor domyslne = tlo(&wymagany);
    wymagany.setReadOnly(true);
    zabroniony.setReadOnly(true);
    wymagany.UstawWymagalnosc(wWymagane);
    zabroniony.UstawWymagalnosc(wZabronione);
    EXPECT_EQ(tlo(&wymagany), czerwonawy);
    EXPECT_EQ(tlo(&zabroniony), domyslne);
}

TEST_F(TestGUI, ColoursSetUnderARequirementAreNotTheOnesToReturnTo)
{
    TLkEdit edit;
    const QColor domyslne = tlo(&edit);
    edit.UstawWymagalnosc(wWymagane);
    edit.UstawKolor(Qt::yellow);
    edit.setText(QStringLiteral("x"));
    EXPECT_EQ(tlo(&edit), domyslne);
    // Under wBrak the author's colour is the default.
    edit.UstawWymagalnosc(wBrak);
    edit.UstawKolor(Qt::yellow);
    edit.UstawWymagalnosc(wWymagane);
    edit.UstawWymagalnosc(wBrak);
    EXPECT_EQ(tlo(&edit), QColor(Qt::yellow));
    // The text colour is the author's except under wZabronione.
    edit.UstawKolorCzcionki(Qt::red);
    edit.UstawWymagalnosc(wZabronione);
    edit.UstawKolorCzcionki(Qt::blue);
    edit.UstawWymagalnosc(wBrak);
    EXPECT_EQ(tekst(&edit), QColor(Qt::red));
}

TEST_F(TestGUI, FieldSizeSetsTheLengthAndForAPositiveCountTheWidth)
{
    TLkEdit edit;
    edit.resize(200, 21);
    edit.UstawRozmiarPola(-10);
    EXPECT_EQ(edit.maxLength(), 10);
    EXPECT_EQ(edit.width(), 200);
    edit.UstawRozmiarPola(10);
    EXPECT_EQ(edit.width(), 78);
    edit.setText(QStringLiteral("0123456789ABC"));
    EXPECT_EQ(edit.text(), QStringLiteral("0123456789"));
}

TEST_F(TestGUI, InsertPressesTheBoxsButtonAndCtrlDPutsThePickedDateInPlaceOfTheSelection)
{
    QWidget okno;
    auto *edit = new TLkEdit(&okno);
    auto *przycisk = new TLkButton(&okno);
    int klikniecia = 0;
    QObject::connect(przycisk, &QAbstractButton::clicked, [&] { ++klikniecia; });
    edit->UstawPrzycisk(przycisk);
    okno.show();
    wcisnij(edit, Qt::Key_Insert);
    EXPECT_EQ(klikniecia, 1);
    wcisnij(edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(klikniecia, 1);

    const auto poprzedni = TLkEdit::WybierzDate;
    int wybrania = 0;
    bool potwierdz = true;
    TLkEdit::WybierzDate = [&](QString &p_Tekst) {
        ++wybrania;
        p_Tekst = QStringLiteral("05.03.2024");
        return potwierdz;
    };
    edit->setText(QStringLiteral("dnia XX r."));
    edit->setSelection(5, 2);
    wcisnij(edit, Qt::Key_D, Qt::ControlModifier, QStringLiteral("\x04"));
    EXPECT_EQ(edit->text(), QStringLiteral("dnia 05.03.2024 r."));
    potwierdz = false;
    wcisnij(edit, Qt::Key_D, Qt::ControlModifier, QStringLiteral("\x04"));
    EXPECT_EQ(edit->text(), QStringLiteral("dnia 05.03.2024 r.")) << "cancelled: unchanged, no character";
    edit->setReadOnly(true);
    wcisnij(edit, Qt::Key_D, Qt::ControlModifier, QStringLiteral("\x04"));
    EXPECT_EQ(wybrania, 2) << "no picker in a read-only box";
    TLkEdit::WybierzDate = poprzedni;
}

TEST_F(TestGUI, ACheckBoxCaptionShowsItsRequirement)
{
    TLkCheckBox chb(QStringLiteral("Zgoda"));
    chb.setTristate(true);
    chb.resize(120, 24);
    EXPECT_FALSE(chb.KolorTlaOpisu().isValid());
    chb.UstawWymagalnosc(wWymagane);
    EXPECT_FALSE(chb.KolorTlaOpisu().isValid()) << "required and not grayed";
    chb.setCheckState(Qt::PartiallyChecked);
    EXPECT_EQ(chb.KolorTlaOpisu(), czerwonawy);
    // Painted behind the caption, not behind the box.
    const QImage obraz = chb.grab().toImage();
    EXPECT_EQ(obraz.pixelColor(110, 2), czerwonawy);
    chb.UstawWymagalnosc(wZabronione);
    EXPECT_EQ(chb.palette().color(QPalette::WindowText), szary);
}
