#include "LkForm.h"

#include "LkFunGUI.h"

#include <QAbstractButton>

TLkForm::TLkForm(QWidget *p_Owner) : TLkFormBazowe(p_Owner)
{
    // Shortcuts of the form must see keys before its controls do.
    UstawKeyPreview(true);
}

void TLkForm::KeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift)
{
    if (JestEnter(p_Klawisz) && TylkoShift(p_Shift)) {
        QObject *cel = findChild<QObject *>(QStringLiteral("butOk"));
        if (!cel) {
            cel = findChild<QObject *>(QStringLiteral("butWybierz"));
            QAbstractButton *wybierz = JakoPrzycisk(cel);
            if (!wybierz || wybierz->isHidden())
                cel = findChild<QObject *>(QStringLiteral("butZamknij"));
        }
        if (cel) {
            ZatwierdzKlawiszem(this, p_Klawisz, p_Shift, JakoPrzycisk(cel));
            return;
        }
    }
    TLkFormBazowe::KeyDown(p_Klawisz, p_Shift);
}
