#pragma once

#include "LkKontrolkaEdycji.h"

class TLkCheckBox;

class ILkKontrolkaEdycjiCheckBox
{
public:
    virtual ~ILkKontrolkaEdycjiCheckBox() = default;
    virtual bool AllowGrayed() const = 0;
};

// The check box's adapter. A grayable box reads false, true, or null when
// grayed; a two-state box reads true when checked and null otherwise, so a
// required one counts as filled only when checked.
class TLkKontrolkaEdycjiCheckBox : public TLkKontrolkaEdycji<TLkCheckBox>, public ILkKontrolkaEdycjiCheckBox
{
public:
    explicit TLkKontrolkaEdycjiCheckBox(TLkCheckBox *p_CheckBox);

    bool AllowGrayed() const override;
    Variant DajWartoscKontrolki() const override;
    void UstawWartoscKontrolki(const Variant &p_Wartosc) override;

protected:
    void UstawTylkoDoOdczytu(bool p_Tylko) override;
};
