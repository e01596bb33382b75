#include "LkButton.h"

#include <QKeyEvent>
#include <QMetaMethod>

TLkButton::TLkButton(QWidget *p_Rodzic) : TLkButton(QString(), p_Rodzic) {}

TLkButton::TLkButton(const QString &p_Tekst, QWidget *p_Rodzic) : QPushButton(p_Tekst, p_Rodzic)
{
    connect(this, &QAbstractButton::clicked, this, &TLkButton::poKliknieciu);
}

void TLkButton::ClickIfEnabled()
{
    if (isEnabled())
        click();
}

bool TLkButton::maWlasnaObsluge() const
{
    // The button's own connection aside, somebody handles its clicks.
    return receivers(SIGNAL(clicked(bool))) > 1;
}

QList<QAction *> TLkButton::WidoczneOpcje() const
{
    QList<QAction *> opcje;
    if (FPopupMenu)
        for (QAction *opcja : FPopupMenu->actions())
            if (opcja->isVisible())
                opcje << opcja;
    return opcje;
}

QPoint TLkButton::PunktMenu() const
{
    const QPoint poczatek = mapToGlobal(QPoint(0, 0));
    int x = poczatek.x();
    if (FPopupMenu && FPopupMenu->Alignment == paRight)
        x += width();
    else if (FPopupMenu && FPopupMenu->Alignment == paCenter)
        x += width() / 2;
    return QPoint(x, poczatek.y() + height());
}

void TLkButton::mousePressEvent(QMouseEvent *p_Zdarzenie)
{
    // With more than one choice the menu opens at once under the button; no click follows.
    if (FPopupMenu && !maWlasnaObsluge() && WidoczneOpcje().size() > 1) {
        FPopupMenu->popup(PunktMenu());
        p_Zdarzenie->accept();
        return;
    }
    QPushButton::mousePressEvent(p_Zdarzenie);
}

void TLkButton::poKliknieciu()
{
    if (!FPopupMenu || maWlasnaObsluge())
        return;
    const QList<QAction *> opcje = WidoczneOpcje();
    if (opcje.size() == 1)
        opcje.constFirst()->trigger();
    else if (opcje.size() > 1)
        FPopupMenu->popup(PunktMenu());
}

void TLkButton::keyPressEvent(QKeyEvent *p_Zdarzenie)
{
    if (!ObsluzKlawiszSasiada(this, p_Zdarzenie,
                              {{Qt::Key_Left, ksLewo}, {Qt::Key_Up, ksGora}, {Qt::Key_Right, ksPrawo}, {Qt::Key_Down, ksDol}}))
        QPushButton::keyPressEvent(p_Zdarzenie);
}

bool TLkButton::event(QEvent *p_Zdarzenie)
{
    if (ZatrzymajPodpowiedzRodzica(this, p_Zdarzenie, FNoParentHint))
        return true;
    return QPushButton::event(p_Zdarzenie);
}
