// Uniform access to controls of different kinds, and the errors for a kind
// an operation does not serve.
#include "DostepDoKontrolek.h"
#include "LkCheckBox.h"
#include "LkEdit.h"
#include "OknaTestowe.h"
#include "Wyjatki.h"

#include <QComboBox>
#include <QLabel>

namespace {

QString blad(const std::function<void()> &p_Dzialanie)
{
    try {
        p_Dzialanie();
    } catch (const Exception &e) {
        return e.Message();
    }
    return QString();
}

} // namespace

TEST_F(TestGUI, SelectionsOfEditsAndEditableComboBoxesAndTheErrorsOfOtherKinds)
{
    TLkEdit edit;
    QComboBox combo;
    combo.setEditable(true);
    QLabel label(QStringLiteral("Napis"));
    for (QWidget *kontrolka : {static_cast<QWidget *>(&edit), static_cast<QWidget *>(&combo)}) {
        UstawLkText(kontrolka, QStringLiteral("Kopernika 12"));
        UstawLkSelStart(kontrolka, 2);
        UstawLkSelLength(kontrolka, 6);
        EXPECT_EQ(LkSelText(kontrolka), QStringLiteral("pernik"));
        EXPECT_EQ(LkSelStart(kontrolka), 2);
        UstawLkSelText(kontrolka, QStringLiteral("X"));
        EXPECT_EQ(LkText(kontrolka), QStringLiteral("KoXa 12"));
    }
    EXPECT_EQ(LkText(&label), QStringLiteral("Napis"));
    EXPECT_EQ(blad([&] { LkSelStart(&label); }), QStringLiteral("LkGetSelStart: błędna klasaQLabel"));
    EXPECT_EQ(blad([&] { UstawLkSelText(&label, {}); }), QStringLiteral("LkSetSelText: błędna klasaQLabel"));
    EXPECT_EQ(blad([&] { LkReadOnly(&combo); }), QStringLiteral("LkGetReadonly: błędna klasaQComboBox"));
    UstawLkReadOnly(&edit, true);
    EXPECT_TRUE(edit.isReadOnly());
}

TEST_F(TestGUI, TheRequirementOfAnyControlThatHasOne)
{
    TLkCheckBox chb;
    UstawLkWymagalnosc(&chb, wZabronione);
    EXPECT_EQ(LkWymagalnosc(&chb), wZabronione);
    QLabel label;
    EXPECT_EQ(blad([&] { LkWymagalnosc(&label); }), QStringLiteral("Kontrolka QLabel bez wymagalności"));
}

TEST_F(TestGUI, EmptyMasksReadAsEmptyTexts)
{
    EXPECT_TRUE(DataBezMaski(QStringLiteral("____-__-__")).isEmpty());
    EXPECT_EQ(DataBezMaski(QStringLiteral("2024-__-__")), QStringLiteral("2024-__-__"));
    EXPECT_TRUE(GodzinaBezMaski(QStringLiteral("__:__:__")).isEmpty());
    EXPECT_TRUE(GodzinaBezMaski(QStringLiteral("__:__")).isEmpty());
    EXPECT_TRUE(DataCzasBezMaski(QStringLiteral("____-__-__ __:__:__")).isEmpty());
    EXPECT_EQ(DataCzasBezMaski(QStringLiteral("____-__-__")), QStringLiteral("____-__-__"));
}

TEST_F(TestGUI, AControlMovedToAnotherParentKeepsItsPlaceOnTheForm)
{
    QWidget forma;
    auto *panel = new QWidget(&forma);
    panel->setGeometry(40, 30, 200, 100);
    auto *edit = new TLkEdit(panel);
    edit->setGeometry(10, 5, 80, 21);
    auto *drugi = new QWidget(&forma);
    drugi->setGeometry(20, 10, 300, 200);
    UstawLkParent(edit, drugi);
    EXPECT_EQ(edit->parentWidget(), drugi);
    EXPECT_EQ(edit->geometry(), QRect(30, 25, 80, 21));
    UstawLkParent(edit, &forma);
    EXPECT_EQ(edit->geometry(), QRect(50, 35, 80, 21));
    ChangeTop(edit, 30);
    EXPECT_EQ(edit->geometry(), QRect(50, 30, 80, 26));
    ChangeBottom(edit, 40);
    EXPECT_EQ(edit->geometry(), QRect(50, 30, 80, 10));
}
