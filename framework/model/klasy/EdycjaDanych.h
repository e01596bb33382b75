#pragma once

#include "Formatuj.h"
#include "JadroKlas.h"

class TPole;
class TObiektBazowy;
struct TOpisKlasy;

// Called when no editing function is registered along the way; unset by default.
extern TFunEdycji GlobalnaFunEdycji;

// Edits a field through the editing function registered for its class, else
// for its parent class and so on up to p_KlasaGraniczna (null: the field's own
// class only); else through GlobalnaFunEdycji; else false. A parameter object
// that is a TLkParamBazowy is held for the duration of the call.
bool EdytujDane(TPole &p_Pole, bool p_Podglad = false, TObiektBazowy *p_ParamEdycji = nullptr,
                const TOpisKlasy *p_KlasaGraniczna = nullptr);
// The same with loose parameters, packed into a TLkParam.
bool EdytujDane(TPole &p_Pole, const TArrayOfConst &p_Parametry, bool p_Podglad = false,
                const TOpisKlasy *p_KlasaGraniczna = nullptr);
