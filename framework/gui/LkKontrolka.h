#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <initializer_list>
#include <utility>

// Neighbour directions of the framework's controls; the reverse of d (1..4) is 5 - d.
enum TKierunekSasiada { ksSam = 0, ksGora = 1, ksLewo = 2, ksPrawo = 3, ksDol = 4, ksNastepny = 5 };

// A control that knows its neighbours above, left, right, below and (edits,
// check boxes) the next field, so that arrows and Enter move the focus the
// way the form's author laid the form out.
class ILkKontrolka
{
public:
    virtual ~ILkKontrolka() = default;
    // 0: the control itself; past the control's last direction: none.
    virtual QWidget *DajSasiada(int p_Indeks) const = 0;
    virtual void UstawSasiada(int p_Indeks, QWidget *p_Cel) = 0;
};

// The links of one control, weak: a control that goes is forgotten.
class TSasiedzi
{
public:
    TSasiedzi(QWidget *p_Wlasciciel, int p_Ostatni) : FWlasciciel(p_Wlasciciel), FOstatni(p_Ostatni) {}

    QWidget *Daj(int p_Indeks) const;
    // Links are made in pairs: the target's reverse link, when empty, points back.
    void Ustaw(int p_Indeks, QWidget *p_Cel);

private:
    QWidget *FWlasciciel;
    int FOstatni;
    std::array<QPointer<QWidget>, 6> FLinki;
};

// Moves the focus from p_Kontrolka to its neighbour in direction p_Kierunek
// (0: the control itself), skipping neighbours that cannot take the focus and
// stopping at a cycle. True when a control received the focus.
bool PrzejdzDoSasiada(QWidget *p_Kontrolka, int p_Kierunek);

// Visible (with its window, or as its window will show it) and enabled with all its parents.
bool MozeMiecFokus(const QWidget *p_Kontrolka);

class QKeyEvent;

// Arrow keys (and for some controls Enter) that move to a neighbour: a key
// found in p_Klawisze moves in its direction and is consumed, even when no
// neighbour takes the focus. False for other keys.
bool ObsluzKlawiszSasiada(QWidget *p_Kontrolka, QKeyEvent *p_Zdarzenie,
                          std::initializer_list<std::pair<int, int>> p_Klawisze);

// With NoParentHint, a control without a tooltip of its own keeps its
// parent's from showing: true when the tooltip event was stopped here.
bool ZatrzymajPodpowiedzRodzica(QWidget *p_Kontrolka, QEvent *p_Zdarzenie, bool p_NoParentHint);

// Defines the neighbour interface of a control class over its member FSasiedzi.
#define LK_KONTROLKA_SASIEDZI                                                                                      \
public:                                                                                                            \
    QWidget *DajSasiada(int p_Indeks) const override { return FSasiedzi.Daj(p_Indeks); }                           \
    void UstawSasiada(int p_Indeks, QWidget *p_Cel) override { FSasiedzi.Ustaw(p_Indeks, p_Cel); }                 \
    QWidget *Gora() const { return DajSasiada(ksGora); }                                                           \
    QWidget *Lewo() const { return DajSasiada(ksLewo); }                                                           \
    QWidget *Prawo() const { return DajSasiada(ksPrawo); }                                                         \
    QWidget *Dol() const { return DajSasiada(ksDol); }                                                             \
    void UstawGora(QWidget *p_Cel) { UstawSasiada(ksGora, p_Cel); }                                                \
    void UstawLewo(QWidget *p_Cel) { UstawSasiada(ksLewo, p_Cel); }                                                \
    void UstawPrawo(QWidget *p_Cel) { UstawSasiada(ksPrawo, p_Cel); }                                              \
    void UstawDol(QWidget *p_Cel) { UstawSasiada(ksDol, p_Cel); }

// The next field and the requirement of an edit or check box, over FSasiedzi
// and FWymagalnosc; the class declares the property "Wymagalnosc" itself.
#define LK_KONTROLKA_WYMAGALNOSC                                                                                   \
public:                                                                                                            \
    QWidget *Nastepny() const { return DajSasiada(ksNastepny); }                                                   \
    void UstawNastepny(QWidget *p_Cel) { UstawSasiada(ksNastepny, p_Cel); }                                        \
    TOpcjaWymagalnosci Wymagalnosc() const override { return FWymagalnosc; }                                       \
    int WymagalnoscInt() const { return FWymagalnosc; }                                                            \
    void UstawWymagalnoscInt(int p_Wymagalnosc) { UstawWymagalnosc(static_cast<TOpcjaWymagalnosci>(p_Wymagalnosc)); }
