#pragma once

#include <QLabel>
#include <QMenu>

// The platform's label and pop-up menu under the framework's names.
class TLkLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
};

// Alignment of a drop-down button's menu against the button.
enum TAlignmentMenu { paLeft, paRight, paCenter };

class TLkPopupMenu : public QMenu
{
    Q_OBJECT

public:
    using QMenu::QMenu;

    TAlignmentMenu Alignment = paLeft;
};
