#pragma once

#include "InterfejsCechyPola.h"

#include <QPointer>
#include <QVector>
#include <QWidget>

class ILkKontrolkaEdycji;

// Told that a control's data changed.
class IObserwatorLkKontrolkiEdycji
{
public:
    virtual ~IObserwatorLkKontrolkiEdycji() = default;
    virtual void ZmienionoDaneKontrolki(ILkKontrolkaEdycji &p_Kontrolka) = 0;
};

class IEdycjaBazowa
{
public:
    virtual ~IEdycjaBazowa() = default;
    virtual void ZmienionoDane() = 0;
    virtual void ZmienionoDanePol(const QVector<Variant> &p_Zmiany) = 0;
};

// A control bound to the features of the field it edits.
class ILkKontrolkaEdycji : public IEdycjaBazowa
{
public:
    // Null when the control holds no value.
    virtual Variant DajWartoscKontrolki() const = 0;
    virtual void UstawWartoscKontrolki(const Variant &p_Wartosc) = 0;
    virtual bool EdycjaWGridzie() const = 0;
    virtual void UstawEdycjaWGridzie(bool p_W) = 0;
    virtual void ZastosujCechePola(const ICechaPola &p_Cecha) = 0;
    virtual void ZastosujCechyPol(const IZrodloCechPola &p_Zrodlo) = 0;
    virtual void ZerujCechy() = 0;
    virtual void WyczyscKontrolke(bool p_ZCechami) = 0;
    virtual void UstawIgnorowaneTypyCech(const TTypyCechPola &p_Typy) = 0;
    virtual void DodajObserwatora(IObserwatorLkKontrolkiEdycji *p_Obserwator) = 0;
    virtual void UsunObserwatora(IObserwatorLkKontrolkiEdycji *p_Obserwator) = 0;
    virtual void UstawPodglad(bool p_Podglad) = 0;
    virtual void OdswiezPowodWymagalnosci() = 0;
};

// What every adapter shares: the features as the control shows them (its
// tooltip with the description and the requirement's reason, read-only,
// hidden, the requirement through the control's "Wymagalnosc" property) and
// the observers told of every change of the control's data.
class TLkKontrolkaEdycjiBazowa : public ILkKontrolkaEdycji
{
public:
    explicit TLkKontrolkaEdycjiBazowa(QWidget *p_LkKontrolka);

    bool EdycjaWGridzie() const override { return FEdycjaWGridzie; }
    void UstawEdycjaWGridzie(bool p_W) override { FEdycjaWGridzie = p_W; }
    void ZastosujCechePola(const ICechaPola &p_Cecha) override;
    void ZastosujCechyPol(const IZrodloCechPola &p_Zrodlo) override;
    void ZerujCechy() override { FPoleKrytyczne = false; }
    void WyczyscKontrolke(bool p_ZCechami) override;
    void UstawIgnorowaneTypyCech(const TTypyCechPola &p_Typy) override { FIgnorowaneTypyCechPola = p_Typy; }
    void DodajObserwatora(IObserwatorLkKontrolkiEdycji *p_Obserwator) override;
    void UsunObserwatora(IObserwatorLkKontrolkiEdycji *p_Obserwator) override;
    void UstawPodglad(bool p_Podglad) override { FPodglad = p_Podglad; }
    void OdswiezPowodWymagalnosci() override;
    void ZmienionoDane() override;
    void ZmienionoDanePol(const QVector<Variant> &p_Zmiany) override;

    QString PowodWymagalnosci() const { return FPowodWymagalnosci; }
    bool WidocznyPowodWymagalnosci() const { return FWidocznyPowodWymagalnosci; }

protected:
    bool KontrolkaMaWartosc() const { return !DajWartoscKontrolki().JestNull(); }
    // Read-only as the control's kind shows it.
    virtual void UstawTylkoDoOdczytu(bool p_Tylko) = 0;

    QWidget *FLkKontrolka;

private:
    bool ignorowany(int p_Typ) const;
    void odswiezWidocznosc(int p_Kod);
    void zlozPodpowiedz();
    int wymagalnoscKontrolki() const;

    QVector<IObserwatorLkKontrolkiEdycji *> FListaObserwatorow;
    QString FPowodWymagalnosci;
    QString FOryginalnyHint;
    QString FOpis;
    bool FPoleKrytyczne = false;
    bool FTylkoDoOdczytu = false;
    bool FJestWymagalnosc = false;
    bool FWidocznyPowodWymagalnosci = false;
    bool FPodglad = false;
    bool FZmienionoDane = false;
    TTypyCechPola FIgnorowaneTypyCechPola;
    bool FEdycjaWGridzie = false;
};

// The adapter for controls of class T.
template <typename T>
class TLkKontrolkaEdycji : public TLkKontrolkaEdycjiBazowa
{
public:
    explicit TLkKontrolkaEdycji(T *p_LkKontrolka) : TLkKontrolkaEdycjiBazowa(p_LkKontrolka) {}

    T *LkKontrolka() const { return static_cast<T *>(FLkKontrolka); }
};
