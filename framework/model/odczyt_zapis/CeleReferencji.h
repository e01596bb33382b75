#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class TObiekt;
class TObiektBazowy;

// Which of the fields with a value the walk looks at (field p_Nr of p_Obiekt); without one, all of them.
using TFunCzyPoleCelu = std::function<bool(const TObiekt &p_Obiekt, int16_t p_Nr)>;
// Told of every object with fields the walk enters, before its fields;
// p_Wlasny: it was reached through its owners only (every list on the way holds it as its parent).
using TFunNaObiekcie = std::function<void(TObiekt &p_Obiekt, bool p_Wlasny)>;

// The targets of the pointer fields (with a value) and pointer lists in the
// tree under p_Korzen that lie inside that tree themselves (their chain of
// parents reaches p_Korzen), each once, in the order a pre-order walk over
// the fields and list items meets them. Targets outside the tree cannot be
// written as identifiers. p_NaObiekcie lets a writer learn what else it needs
// of the tree on the same walk.
std::vector<TObiektBazowy *> ZbierzCeleReferencji(TObiektBazowy &p_Korzen, const TFunCzyPoleCelu &p_CzyPole = {},
                                                  const TFunNaObiekcie &p_NaObiekcie = {});
