#pragma once

#include "ObiektBazowy.h"

#include <cstdint>

// The general persistent object: its fields are numbered and declared per
// class in the class's descriptor (a bare TObiekt has none).
class TObiekt : public TObiektBazowy
{
public:
    static const TOpisKlasy Opis;

    explicit TObiekt(TObiektBazowy *p_Rodzic = nullptr) : TObiektBazowy(p_Rodzic) {}
    const TOpisKlasy &Klasa() const override { return Opis; }

    void ZerujDane() override {}

    // Per-class metadata by field number; -1 stands for the object itself.
    virtual const TOpisKlasy *TypPolaNr(int16_t p_Nr) const;
    // -1: the class name without its first letter ("Obiekt").
    virtual QString NazwaPolaNr(int16_t p_Nr) const;
    // -1: the number of fields less one; otherwise 0 (no limit).
    virtual int16_t RozmPolaNr(int16_t p_Nr) const;
    virtual QString AliasXMLPolaNr(int16_t p_Nr) const { return NazwaPolaNr(p_Nr); }
    // Ignoring case; -1 when none.
    virtual int16_t NrPolaONazwie(const QString &p_Nazwa) const;

    bool MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const override;
    void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) override;

protected:
    bool CzyKorzenXMLTegoTypu(const QString &p_Nazwa) const override;
};
