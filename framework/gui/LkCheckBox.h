#pragma once

#include "LkEdit.h"

#include <QCheckBox>

#include <memory>

class TLkKontrolkaEdycjiCheckBox;

// The framework's check box: arrows and Enter move to its neighbours, the
// requirement colours its caption (required: while grayed; forbidden:
// always), and its field-feature adapter is made on first request.
class TLkCheckBox : public QCheckBox, public ILkKontrolka, public IKontrolkaWymagalnosc
{
    Q_OBJECT
    Q_PROPERTY(int Wymagalnosc READ WymagalnoscInt WRITE UstawWymagalnoscInt)
    Q_PROPERTY(bool NoParentHint READ NoParentHint WRITE UstawNoParentHint)
    LK_KONTROLKA_SASIEDZI
    LK_KONTROLKA_WYMAGALNOSC

public:
    explicit TLkCheckBox(QWidget *p_Rodzic = nullptr);
    explicit TLkCheckBox(const QString &p_Tekst, QWidget *p_Rodzic = nullptr);
    ~TLkCheckBox() override;

    void UstawWymagalnosc(TOpcjaWymagalnosci p_Wymagalnosc) override;
    bool NoParentHint() const { return FNoParentHint; }
    void UstawNoParentHint(bool p_Nie) { FNoParentHint = p_Nie; }

    // The background behind the caption that the requirement asks for; invalid for none.
    QColor KolorTlaOpisu() const;

    // The adapter binding the box to a field's features, made on first request.
    TLkKontrolkaEdycjiCheckBox &KontrolkaEdycji();
    bool MaKontrolkeEdycji() const { return static_cast<bool>(FLkKontrolkaEdycji); }

protected:
    void keyPressEvent(QKeyEvent *p_Zdarzenie) override;
    void paintEvent(QPaintEvent *p_Zdarzenie) override;
    bool event(QEvent *p_Zdarzenie) override;

private:
    void poZmianieStanu();

    Qt::CheckState FState = Qt::Unchecked;
    TSasiedzi FSasiedzi{this, 5};
    TOpcjaWymagalnosci FWymagalnosc = wBrak;
    bool FNoParentHint = false;
    std::unique_ptr<TLkKontrolkaEdycjiCheckBox> FLkKontrolkaEdycji;
};
