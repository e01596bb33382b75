#pragma once

#include "LkKontrolkaEdycji.h"

#include <QMetaObject>

class TLkEdit;

// The edit box's adapter: its text is the value (empty: null); every change
// of the text is a change of the data.
class TLkKontrolkaEdycjiEdit : public TLkKontrolkaEdycji<TLkEdit>
{
public:
    explicit TLkKontrolkaEdycjiEdit(TLkEdit *p_Edit);
    ~TLkKontrolkaEdycjiEdit() override;

    Variant DajWartoscKontrolki() const override;
    void UstawWartoscKontrolki(const Variant &p_Wartosc) override;

protected:
    void UstawTylkoDoOdczytu(bool p_Tylko) override;

private:
    QMetaObject::Connection FZmianaTekstu;
};
