// Drop-down buttons, where their menu opens, and NoParentHint.
#include "LkButton.h"
#include "OknaTestowe.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace {

struct TPrzyciskZMenu
{
    QWidget Okno;
    TLkButton *Przycisk = new TLkButton(QStringLiteral("Więcej"), &Okno);
    TLkPopupMenu *Menu = new TLkPopupMenu(&Okno);
    QStringList Wybrane;

    explicit TPrzyciskZMenu(int p_Opcje)
    {
        for (int i = 0; i < p_Opcje; ++i) {
            const QString nazwa = QStringLiteral("opc%1").arg(i);
            Menu->addAction(nazwa, [this, nazwa] { Wybrane << nazwa; });
        }
        Przycisk->UstawPopupMenu(Menu);
        Przycisk->setGeometry(20, 30, 80, 25);
        Okno.resize(300, 200);
        Okno.show();
    }
    void wcisnijMysz()
    {
        QMouseEvent zdarzenie(QEvent::MouseButtonPress, QPointF(5, 5), Przycisk->mapToGlobal(QPointF(5, 5)),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Przycisk, &zdarzenie);
    }
};

} // namespace

TEST_F(TestGUI, ADropDownButtonWithOneItemRunsItWithoutTheMenu)
{
    TPrzyciskZMenu p(1);
    p.Przycisk->click();
    EXPECT_EQ(p.Wybrane, QStringList{QStringLiteral("opc0")});
    EXPECT_FALSE(p.Menu->isVisible());
}

TEST_F(TestGUI, ADropDownButtonWithMoreItemsShowsTheMenuOnPressUnderItself)
{
    TPrzyciskZMenu p(2);
    p.wcisnijMysz();
    EXPECT_TRUE(p.Menu->isVisible());
    EXPECT_EQ(p.Menu->pos(), p.Przycisk->mapToGlobal(QPoint(0, 25)));
    p.Menu->hide();
    EXPECT_TRUE(p.Wybrane.isEmpty());
    // The same from the keyboard's click.
    p.Przycisk->click();
    EXPECT_TRUE(p.Menu->isVisible());
    p.Menu->hide();
}

TEST_F(TestGUI, TheMenuOpensAtTheLeftTheRightCornerOrTheMiddle)
{
    TPrzyciskZMenu p(2);
    const QPoint lewy = p.Przycisk->mapToGlobal(QPoint(0, 25));
    const std::pair<TAlignmentMenu, QPoint> przypadki[] = {
        {paLeft, lewy}, {paRight, lewy + QPoint(80, 0)}, {paCenter, lewy + QPoint(40, 0)}};
    for (const auto &[wyrownanie, punkt] : przypadki) {
        p.Menu->Alignment = wyrownanie;
        EXPECT_EQ(p.Przycisk->PunktMenu(), punkt) << wyrownanie;
    }
}

TEST_F(TestGUI, AButtonWithItsOwnClickHandlerIsAnOrdinaryButton)
{
    TPrzyciskZMenu p(2);
    int klikniecia = 0;
    QObject::connect(p.Przycisk, &QAbstractButton::clicked, [&] { ++klikniecia; });
    p.Przycisk->click();
    p.wcisnijMysz();
    EXPECT_EQ(klikniecia, 1);
    EXPECT_FALSE(p.Menu->isVisible());
}

TEST_F(TestGUI, NoParentHintKeepsTheParentsTooltipAway)
{
    QWidget okno;
    okno.setToolTip(QStringLiteral("podpowiedź okna"));
    auto *przycisk = new TLkButton(QStringLiteral("Ok"), &okno);
    okno.show();
    // The tooltip label fades out slowly: each round asks for a text of its own.
    auto pokazano = [&](const QString &p_Tekst) {
        okno.setToolTip(p_Tekst);
        QHelpEvent zdarzenie(QEvent::ToolTip, QPoint(2, 2), przycisk->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(przycisk, &zdarzenie);
        return QToolTip::isVisible() && QToolTip::text() == p_Tekst;
    };
    EXPECT_TRUE(pokazano(QStringLiteral("pierwsza")));
    przycisk->UstawNoParentHint(true);
    EXPECT_FALSE(pokazano(QStringLiteral("druga")));
    QToolTip::hideText();
}
