#pragma once

#include <cstdint>

class TObiekt;
class TObiektBazowy;
class TPole;
class TZapisywaczDanych;

// What a document of the binary and native text formats holds, and how its
// objects are numbered: an object before the objects in its fields, fields
// in number order; a reference counts only when its target is written too,
// since its number would name a stranger on reading. A sub-object whose
// image would hold no field, or a pointer list with no target written, is
// left out (with what points at it): it would read back as no value and
// change the next image.

// Whether field p_Nr of p_Obiekt is written under the writer's choice of
// fields; references and sub-objects only when DajObiektyDoZapisu kept their objects.
bool PoleDoZapisu(const TObiekt &p_Obiekt, int16_t p_Nr, TZapisywaczDanych &p_Zapisywacz);
// The second half of it, for a field already accepted: its reference's
// target, or its sub-object, is written.
bool CelPolaDoZapisu(const TPole &p_Pole, TZapisywaczDanych &p_Zapisywacz);
// Appends p_Obiekt and every object written inside it to the writer's
// ZapObiekty, in pre-order, and sorts the look-up; a position is a number less one.
void DajObiektyDoZapisu(TObiektBazowy &p_Obiekt, TZapisywaczDanych &p_Zapisywacz);
