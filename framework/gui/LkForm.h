#pragma once

#include "LkFormBazowe.h"

// The base of the framework's dialog windows: the keyboard conventions by
// component name. Shift+Enter confirms the window: it presses "butOk", or
// else a visible "butWybierz" button, or else "butZamknij".
class TLkForm : public TLkFormBazowe
{
    Q_OBJECT

public:
    explicit TLkForm(QWidget *p_Owner = nullptr);

    void KeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift) override;
};
