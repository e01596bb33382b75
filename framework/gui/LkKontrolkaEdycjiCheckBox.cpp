#include "LkKontrolkaEdycjiCheckBox.h"

#include "LkCheckBox.h"

TLkKontrolkaEdycjiCheckBox::TLkKontrolkaEdycjiCheckBox(TLkCheckBox *p_CheckBox) : TLkKontrolkaEdycji(p_CheckBox) {}

bool TLkKontrolkaEdycjiCheckBox::AllowGrayed() const
{
    return LkKontrolka()->isTristate();
}

Variant TLkKontrolkaEdycjiCheckBox::DajWartoscKontrolki() const
{
    switch (LkKontrolka()->checkState()) {
    case Qt::Checked:
        return Variant::ZBoolean(true);
    case Qt::Unchecked:
        return AllowGrayed() ? Variant::ZBoolean(false) : Variant::Null();
    case Qt::PartiallyChecked:
        break;
    }
    return Variant::Null();
}

void TLkKontrolkaEdycjiCheckBox::UstawWartoscKontrolki(const Variant &p_Wartosc)
{
    if (p_Wartosc.JestNull() || p_Wartosc.JestPusty())
        LkKontrolka()->setCheckState(AllowGrayed() ? Qt::PartiallyChecked : Qt::Unchecked);
    else
        LkKontrolka()->setChecked(p_Wartosc.JakoBoolean());
}

void TLkKontrolkaEdycjiCheckBox::UstawTylkoDoOdczytu(bool p_Tylko)
{
    // A check box in preview is disabled, and enabled again for editing.
    LkKontrolka()->setEnabled(!p_Tylko);
}
