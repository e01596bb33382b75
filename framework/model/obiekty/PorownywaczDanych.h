#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class TObiektBazowy;

enum TRozmiarLiter { rlRozmLiterNiewazny, rlRozmLiterWazny };
// How pointer fields compare: by their targets' data, by the targets' paths, or not at all.
enum TTrybPorownRef { tprObiekty, tprRefJakoSciezki, tprIgnorujRef };
enum TRodzajPorownPol { rpWszystkie, rpBezChwilowych };
// All fields, or only those of the two objects' common ancestor class.
enum TTrybPorownaniaDanych { tpdWszystkiePola, tpdPolaPrzodka };

// The state of one comparison of two object graphs. Every pair of objects is
// compared once: a pair met again counts as equal, which keeps cycles finite.
class TPorownywaczDanych
{
public:
    TPorownywaczDanych(const TObiektBazowy *p_ObiektCo, const TObiektBazowy *p_ObiektZCzym)
        : ObiektCo(p_ObiektCo), ObiektZCzym(p_ObiektZCzym)
    {
    }

    // True when the pair was met already; otherwise records it.
    bool TrwaPorownanie(const TObiektBazowy *p_Co, const TObiektBazowy *p_ZCzym);

    const TObiektBazowy *ObiektCo;
    const TObiektBazowy *ObiektZCzym;
    bool PominChwilowe = false;
    TTrybPorownRef TrybPorownRef = tprObiekty;
    TRozmiarLiter RozmLiter = rlRozmLiterNiewazny;
    uint32_t LocaleID = 0;
    TTrybPorownaniaDanych TrybPorownania = tpdWszystkiePola;

private:
    // The first pair (the two roots of most comparisons), kept apart so that
    // comparing two flat objects allocates nothing here.
    std::pair<const TObiektBazowy *, const TObiektBazowy *> FPierwsza{nullptr, nullptr};
    // The other pairs, sorted, so that a pair is found by binary search.
    std::vector<std::pair<const TObiektBazowy *, const TObiektBazowy *>> FPary;
};
