#pragma once

#include <cstdint>

class TObiekt;
class TObiektBazowy;
class TZapisywaczDanych;

// What a document of the binary and native text formats holds, and how its
// objects are numbered: an object before the objects in its fields, fields
// in number order; a reference counts only when its target is written too,
// since its number would name a stranger on reading.

// Whether field p_Nr of p_Obiekt is written under the writer's choice of fields.
bool PoleDoZapisu(const TObiekt &p_Obiekt, int16_t p_Nr, TZapisywaczDanych &p_Zapisywacz);
// Appends p_Obiekt and every object written inside it to the writer's
// ZapObiekty, in pre-order, and sorts the look-up; a position is a number less one.
void DajObiektyDoZapisu(TObiektBazowy &p_Obiekt, TZapisywaczDanych &p_Zapisywacz);
