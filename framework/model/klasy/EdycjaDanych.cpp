#include "EdycjaDanych.h"

#include "LkParam.h"

TFunEdycji GlobalnaFunEdycji;

bool EdytujDane(TPole &p_Pole, bool p_Podglad, TObiektBazowy *p_ParamEdycji, const TOpisKlasy *p_KlasaGraniczna)
{
    // Only an object that already has holders is held: an unheld one is its
    // creator's, and dropping our hold would free it under the creator's feet.
    auto *param = dynamic_cast<TLkParamBazowy *>(p_ParamEdycji);
    const TWskParam<TLkParamBazowy> trzymany(param && param->RefCount() > 0 ? param : nullptr);
    const TOpisKlasy *granica = p_KlasaGraniczna ? p_KlasaGraniczna : &p_Pole.Klasa();
    TFunEdycji fun;
    for (const TOpisKlasy *klasa = &p_Pole.Klasa(); klasa; klasa = klasa->Rodzic) {
        if (DajJadroKlas().JestFunEdycji(*klasa, fun))
            return fun(p_Pole, p_Podglad, p_ParamEdycji);
        if (klasa == granica)
            break;
    }
    return GlobalnaFunEdycji ? GlobalnaFunEdycji(p_Pole, p_Podglad, p_ParamEdycji) : false;
}

bool EdytujDane(TPole &p_Pole, const TArrayOfConst &p_Parametry, bool p_Podglad,
                const TOpisKlasy *p_KlasaGraniczna)
{
    const TWskParam<TLkParam> parametry(new TLkParam(p_Parametry));
    return EdytujDane(p_Pole, p_Podglad, parametry.get(), p_KlasaGraniczna);
}
