#pragma once

#include <utility>
#include <vector>

class TObiektBazowy;
class TPole;

// What happens to a target field per source field: always copied (an empty
// source clears it), copied only from a non-empty source, or only into an empty target.
enum TTrybKopiowaniaPol { tkpZawsze, tkpGdyZrodloNiepuste, tkpGdyCelPusty };
// Whether sub-objects are copied whole or filled field by field (with tkpGdyCelPusty).
enum TTrybObslugiPodob { topPodobiektyJakoCalosc, topPodobiektySzczegolowo };
enum TTrybKopiowaniaDanych { tkdKopiujWszystko, tkdBezChwilowych };

// The state of one deep copy: every copied object with its copy, and the
// pointer fields of the copy. At the end references into the copied subtree
// are re-pointed to the copies; references outside it stay.
class TKopierDanych
{
public:
    TKopierDanych() = default;
    TKopierDanych(const TKopierDanych &) = delete;
    TKopierDanych &operator=(const TKopierDanych &) = delete;

    // A field's value went from p_Skad to p_Dokad: objects are recorded as a
    // pair, pointer fields of the copy as references to re-point.
    void KopiowanoDane(const TPole &p_Skad, TPole &p_Dokad);
    // A field or list of the copy that holds pointers (it re-points through PrzepnijRef).
    void DodajRef(TPole &p_Pole);
    // The copy of p_Obiekt made in this operation, or null.
    TObiektBazowy *KopiaObiektu(const TObiektBazowy *p_Obiekt) const;
    void PrzepnijReferencje();

    TTrybKopiowaniaDanych TrybKopiowania = tkdKopiujWszystko;

private:
    // The first copied object (the root of most copies) and its copy, kept
    // apart so that a copy of one object allocates nothing here.
    std::pair<const TObiektBazowy *, TObiektBazowy *> FPierwszy{nullptr, nullptr};
    // Every further copied object and its copy; sorted by the original only when a
    // reference has to be looked up, so a copy without references stays cheap.
    mutable std::vector<std::pair<const TObiektBazowy *, TObiektBazowy *>> FSkadDokad;
    mutable bool FPosortowane = true;
    std::vector<TPole *> FRef;
};
