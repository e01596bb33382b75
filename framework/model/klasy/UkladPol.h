#pragma once

#include "OpisKlasy.h"

#include <QString>

#include <cstdint>
#include <typeinfo>
#include <vector>

// A class's field table resolved once: for every field number the most
// derived declaration, its name, and where an object keeps the field in its
// block of fields. The block opens with two bit sets (has-value and
// present: built in place, or its pointer set; one bit per field number); then value fields sit in it as
// objects, each at its own offset, and fields that are objects themselves
// (their identity counts: children, referring lists) as pointers.
class TUkladPol
{
public:
    struct TMiejsce
    {
        // Null where the class has no field of that number.
        const TOpisPola *Pole = nullptr;
        QString Nazwa;
        uint32_t Przesuniecie = 0;
        // The field object itself is in the block (not a pointer to it), built there by this.
        bool WBloku = false;
        TPole *(*TworzW)(void *p_Miejsce, TObiektBazowy *p_Rodzic) = nullptr;
    };

    // Built and checked on the class's first use: every field has a class,
    // every number is taken once (a descendant may declare its ancestor's
    // field again under the same name), names unique ignoring case. A wrong table raises LkException
    // "Błąd generowania opisu klasy %s dla pola %s: Błąd dodania właściwości".
    static const TUkladPol &Dla(const TOpisKlasy &p_Klasa)
    {
        const TUkladPol *uklad = p_Klasa.Uklad.load(std::memory_order_acquire);
        return uklad ? *uklad : Zbuduj(p_Klasa);
    }

    // Field numbers 0 .. Ile() - 1.
    int16_t Ile() const { return static_cast<int16_t>(FMiejsca.size()); }
    const TMiejsce &operator[](int16_t p_Nr) const { return FMiejsca[static_cast<size_t>(p_Nr)]; }
    const TMiejsce *Miejsce(int16_t p_Nr) const
    {
        return p_Nr >= 0 && p_Nr < Ile() ? &FMiejsca[static_cast<size_t>(p_Nr)] : nullptr;
    }
    // Whether an object of dynamic type p_Typ is of the class laid out (or is
    // being built or dismantled as one); always for a class without a C++ type.
    bool JestInstancja(const std::type_info &p_Typ) const
    {
        return !FTyp || p_Typ == *FTyp || p_Typ == *FTypPoziomu;
    }
    // Field classes come from this table alone: TypPolaNr need not be asked.
    bool TypyZTabeli() const { return FTypyZTabeli; }
    // Bytes of one bit set.
    uint32_t BajtyBitow() const { return FBajtyBitow; }
    // The bytes an empty block starts with zeroed: the bits and every pointer.
    uint32_t DoWyzerowania() const { return FDoWyzerowania; }
    // The whole block, 0 for a class without fields, and the alignment it needs.
    uint32_t Rozmiar() const { return FRozmiar; }
    uint32_t Wyrownanie() const { return FWyrownanie; }

private:
    explicit TUkladPol(const TOpisKlasy &p_Klasa);
    static const TUkladPol &Zbuduj(const TOpisKlasy &p_Klasa);

    std::vector<TMiejsce> FMiejsca;
    uint32_t FBajtyBitow = 0;
    uint32_t FRozmiar = 0;
    uint32_t FDoWyzerowania = 0;
    uint32_t FWyrownanie = 1;
    const std::type_info *FTyp = nullptr;
    const std::type_info *FTypPoziomu = nullptr;
    bool FTypyZTabeli = false;
};
