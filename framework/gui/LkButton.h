#pragma once

#include "LkKontrolka.h"
#include "LkUnicodeCtrls.h"

#include <QPushButton>

// The framework's push button: arrow keys move to its neighbours, a button
// with a PopupMenu and no click handler of its own is a drop-down button, and
// NoParentHint keeps a parent's tooltip from showing through.
class TLkButton : public QPushButton, public ILkKontrolka
{
    Q_OBJECT
    LK_KONTROLKA_SASIEDZI

public:
    explicit TLkButton(QWidget *p_Rodzic = nullptr);
    explicit TLkButton(const QString &p_Tekst, QWidget *p_Rodzic = nullptr);

    TLkPopupMenu *PopupMenu() const { return FPopupMenu; }
    void UstawPopupMenu(TLkPopupMenu *p_Menu) { FPopupMenu = p_Menu; }
    bool NoParentHint() const { return FNoParentHint; }
    void UstawNoParentHint(bool p_Nie) { FNoParentHint = p_Nie; }
    void ClickIfEnabled();

    // Where the drop-down menu opens, in global coordinates.
    QPoint PunktMenu() const;
    // The menu's visible top-level items.
    QList<QAction *> WidoczneOpcje() const;

protected:
    void keyPressEvent(QKeyEvent *p_Zdarzenie) override;
    void mousePressEvent(QMouseEvent *p_Zdarzenie) override;
    bool event(QEvent *p_Zdarzenie) override;

private:
    bool maWlasnaObsluge() const;
    void poKliknieciu();

    TSasiedzi FSasiedzi{this, 4};
    QPointer<TLkPopupMenu> FPopupMenu;
    bool FNoParentHint = false;
};
