#pragma once

#include "LkKontrolka.h"
#include "StaleWalidacji.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <functional>

// A requirement that a control shows by its colours.
class IKontrolkaWymagalnosc
{
public:
    virtual ~IKontrolkaWymagalnosc() = default;
    virtual TOpcjaWymagalnosci Wymagalnosc() const = 0;
    virtual void UstawWymagalnosc(TOpcjaWymagalnosci p_Wymagalnosc) = 0;
};

// The framework's edit box: neighbour navigation (arrows at the text's ends,
// Up, Down, Enter to the next field), the requirement's colours, Insert
// pressing its Przycisk and Ctrl+D opening the calendar.
class TLkEdit : public QLineEdit, public ILkKontrolka, public IKontrolkaWymagalnosc
{
    Q_OBJECT
    Q_PROPERTY(int Wymagalnosc READ WymagalnoscInt WRITE UstawWymagalnoscInt)
    LK_KONTROLKA_SASIEDZI
    LK_KONTROLKA_WYMAGALNOSC

public:
    explicit TLkEdit(QWidget *p_Rodzic = nullptr);

    void UstawWymagalnosc(TOpcjaWymagalnosci p_Wymagalnosc) override;

    // The button Insert presses; it also becomes the right neighbour when that is empty.
    QAbstractButton *Przycisk() const { return FPrzycisk; }
    void UstawPrzycisk(QAbstractButton *p_Przycisk);

    // The colours the box returns to when the requirement does not own them.
    QColor KolorDomyslny() const { return FDefColor; }
    QColor KolorCzcionkiDomyslny() const { return FDefFontColor; }
    // The background and text colour as the form's author sets them.
    void UstawKolor(const QColor &p_Kolor);
    void UstawKolorCzcionki(const QColor &p_Kolor);

    // MaxLength = |p_IleZnakow|; a positive count also sets the width to 7 pixels a character + 8.
    void UstawRozmiarPola(int p_IleZnakow);
    int OstKlawisz() const { return FOstKlawisz; }

    // The form's own key handler of the box, before the box's own handling; 0 consumes the key.
    std::function<void(int &p_Klawisz, Qt::KeyboardModifiers p_Shift)> OnKeyDown;

    // Runs the date picker for Ctrl+D; replaceable so that a host (or a test)
    // can answer it. Answers false when cancelled.
    static std::function<bool(QString &p_Tekst)> WybierzDate;

protected:
    void keyPressEvent(QKeyEvent *p_Zdarzenie) override;
    void changeEvent(QEvent *p_Zdarzenie) override;

private:
    void Przekoloruj();
    bool obsluzKlawisz(int p_Klawisz, Qt::KeyboardModifiers p_Shift);

    QPointer<QAbstractButton> FPrzycisk;
    TSasiedzi FSasiedzi{this, 5};
    TOpcjaWymagalnosci FWymagalnosc = wBrak;
    QColor FDefColor;
    QColor FDefFontColor;
    int FOstKlawisz = 0;
    bool FTrwaKolorowanie = false;
};
