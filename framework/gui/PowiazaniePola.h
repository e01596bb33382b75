#pragma once

#include "LkKontrolkaEdycji.h"

#include <cstdint>

class TObiekt;

// Keeps one field of a persistent object and one control in step: Wczytaj
// shows the field in the control, and every change of the control's data is
// written into the field (a control without a value clears it).
class TPowiazaniePola : public IObserwatorLkKontrolkiEdycji
{
public:
    TPowiazaniePola(ILkKontrolkaEdycji &p_Kontrolka, TObiekt &p_Obiekt, const QString &p_NazwaPola);
    ~TPowiazaniePola() override;
    TPowiazaniePola(const TPowiazaniePola &) = delete;
    TPowiazaniePola &operator=(const TPowiazaniePola &) = delete;

    void Wczytaj();
    void ZmienionoDaneKontrolki(ILkKontrolkaEdycji &p_Kontrolka) override;

private:
    ILkKontrolkaEdycji &FKontrolka;
    TObiekt &FObiekt;
    int16_t FNrPola;
    bool FWczytywanie = false;
};
