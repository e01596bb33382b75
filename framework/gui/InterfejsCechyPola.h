#pragma once

#include "Variant.h"

#include <QString>
#include <QVector>

#include <bitset>
#include <cstdint>

// Kinds of a field's features that controls act on.
enum TTypCechyPola : uint8_t {
    tcpNazwa = 0, tcpOpis = 1, tcpTylkoDoOdczytu = 2, tcpNiewidoczne = 3, tcpPoleZmieniaCechyPol = 4,
    tcpNazwaSlownika = 5, tcpNrPola = 6, tcpOnChange = 11, tcpPoleKrytyczne = 50, tcpWymagalnosc = 51,
    tcpFunkcjaWalidacji = 53, tcpPolaUnikalne = 57, tcpOpisFormatu = 114, tcpFormatRegEx = 116
};
using TTypyCechPola = std::bitset<128>;

// The name of a feature kind; LkException "nieznana nazwa typu cechy pola: N" for a number without one.
QString NazwaTypuCechyPola(int p_Typ);

// One thing a field says about itself: its kind and its value. Array values
// (the requirement: code, remark, field name) come through Tablica.
class ICechaPola
{
public:
    virtual ~ICechaPola() = default;
    virtual uint8_t Typ() const = 0;
    virtual Variant Wartosc() const = 0;
    virtual QVector<Variant> Tablica() const { return {Wartosc()}; }
};

// Where a field's features come from.
class IZrodloCechPola
{
public:
    virtual ~IZrodloCechPola() = default;
    virtual int IleCech() const = 0;
    virtual const ICechaPola *Cecha(int p_Nr) const = 0;
    // None when the field has no feature of that kind.
    virtual const ICechaPola *CechaTypu(uint8_t p_Typ) const = 0;
};

// A feature as a plain value, for hosts that build features by hand.
class TCechaPola : public ICechaPola
{
public:
    TCechaPola(uint8_t p_Typ, Variant p_Wartosc) : FTyp(p_Typ), FTablica{std::move(p_Wartosc)} {}
    TCechaPola(uint8_t p_Typ, QVector<Variant> p_Tablica) : FTyp(p_Typ), FTablica(std::move(p_Tablica)) {}

    uint8_t Typ() const override { return FTyp; }
    Variant Wartosc() const override { return FTablica.value(0); }
    QVector<Variant> Tablica() const override { return FTablica; }

private:
    uint8_t FTyp;
    QVector<Variant> FTablica;
};

// A list of such features.
class TCechyPola : public IZrodloCechPola
{
public:
    QVector<TCechaPola> Cechy;

    int IleCech() const override { return Cechy.size(); }
    const ICechaPola *Cecha(int p_Nr) const override { return &Cechy.at(p_Nr); }
    const ICechaPola *CechaTypu(uint8_t p_Typ) const override
    {
        for (const TCechaPola &cecha : Cechy)
            if (cecha.Typ() == p_Typ)
                return &cecha;
        return nullptr;
    }
};
