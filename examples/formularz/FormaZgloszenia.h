#pragma once

#include "LkForm.h"
#include "LkKontrolkaEdycji.h"
#include "ZgloszenieWywozu.h"

#include <QPointer>

#include <memory>
#include <vector>

class TLkBitBtn;
class TLkButton;
class TLkCheckBox;
class TLkEdit;
class TLkKontrolkaEdycjiCheckBox;
class TLkKontrolkaEdycjiEdit;
class TLkNaglowek;
class TLkPopupMenu;
class TOknoPodgladu;
class TPowiazaniePola;

// The example's one form: an export declaration edited field by field. Each
// control is bound to its field through the adapter (no code copies values
// back and forth); the fields' features give the tooltips and the required
// number; arrows and Enter follow the layout; Ctrl+D or Insert in the date
// opens the calendar within the allowed dates.
class TFormaZgloszenia : public TLkForm, private IObserwatorLkKontrolkiEdycji
{
    Q_OBJECT

public:
    explicit TFormaZgloszenia(TZgloszenieWywozu &p_Zgloszenie, QWidget *p_Owner = nullptr);
    ~TFormaZgloszenia() override;

    TLkNaglowek *Naglowek;
    TLkEdit *edNadawca;
    TLkEdit *edNumer;
    TLkEdit *edData;
    TLkBitBtn *butData;
    TLkCheckBox *chbZgoda;
    TLkButton *butOpcje;
    TLkButton *butPodglad;
    TLkButton *butOk;
    TLkButton *butAnuluj;
    TLkPopupMenu *pmOpcje;
    TLkPopupMenu *pmPodglad;

    // The earliest and latest date of export the calendar admits.
    QDate MinData() const;
    QDate MaxData() const;

public slots:
    void butDataClick();
    void butOkClick();
    void opcWyczyscClick();
    void opcPodgladClick();

private:
    void UtworzKontrolki();
    void PowiazPola();
    void ZmienionoDaneKontrolki(ILkKontrolkaEdycji &p_Kontrolka) override;

    TZgloszenieWywozu &FZgloszenie;
    std::unique_ptr<TLkKontrolkaEdycjiEdit> FNadawca, FNumer, FData;
    std::vector<std::unique_ptr<TPowiazaniePola>> FPowiazania;
    QPointer<TOknoPodgladu> FPodglad;
};
