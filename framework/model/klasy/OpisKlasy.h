#pragma once

#include <QString>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <typeinfo>

class TPole;
class TObiektBazowy;
class TUkladPol;
struct TOpisKlasy;

// One field of a persistent class: its number, its name and its field class.
struct TOpisPola
{
    int16_t Numer;
    const char *Nazwa;
    const TOpisKlasy *Klasa;
};

// What only the complete C++ class can tell about itself (see TKlasa).
struct TCechyKlasy
{
    std::size_t Rozmiar;
    std::size_t Wyrownanie;
    // Builds the field inside an object's block of fields; null for classes
    // kept behind a pointer (objects) and for abstract ones.
    TPole *(*TworzW)(void *p_Miejsce, TObiektBazowy *p_Rodzic);
    // The class, and the intermediate class its instances are while their
    // bases are built or dismantled (see JestInstancja below).
    const std::type_info *Typ;
    const std::type_info *TypPoziomu;
    // The class answers TypPolaNr from its table alone (it keeps TObiekt's).
    bool TypyPolZTabeli;
};

// What a class reference is in this model: the class's name, its parent's
// descriptor, its virtual constructor and the fields the class itself declares
// (its ancestors' fields come from their descriptors). Every persistent class
// has one static descriptor, made for it by TKlasa.
struct TOpisKlasy
{
    const char *Nazwa;
    const TOpisKlasy *Rodzic;
    // Null, or a null result, for abstract classes.
    TPole *(*Tworz)(TObiektBazowy *p_Rodzic);
    // The class's own fields. A function: a class naming itself in its own
    // table is not complete yet when its descriptor is made.
    std::span<const TOpisPola> (*PolaKlasy)() = nullptr;
    // Null for a descriptor without a C++ class of its own.
    const TCechyKlasy &(*Cechy)() = nullptr;
    // Whether p_Pole is an instance of exactly this class (or is being built
    // or dismantled as one); false means a derived class did not declare itself.
    bool (*JestInstancja)(const TPole &p_Pole) = nullptr;
    // The resolved field table, built on first use (TUkladPol::Dla) and freed with the descriptor.
    mutable std::atomic<const TUkladPol *> Uklad{nullptr};

    ~TOpisKlasy();

    QString ClassName() const { return QString::fromLatin1(Nazwa); }
    std::span<const TOpisPola> Pola() const { return PolaKlasy ? PolaKlasy() : std::span<const TOpisPola>(); }
    bool DziedziczyPo(const TOpisKlasy &p_Przodek) const
    {
        for (const TOpisKlasy *k = this; k; k = k->Rodzic)
            if (k == &p_Przodek)
                return true;
        return false;
    }
    // The field of that number in this class or its ancestors (the most
    // derived declaration); null when none.
    const TOpisPola *PoleNr(int16_t p_Nr) const
    {
        for (const TOpisKlasy *k = this; k; k = k->Rodzic)
            for (const TOpisPola &pole : k->Pola())
                if (pole.Numer == p_Nr)
                    return &pole;
        return nullptr;
    }
    // The highest field number, -1 for a class without fields.
    int16_t MaxNrPola() const
    {
        int16_t maks = -1;
        for (const TOpisKlasy *k = this; k; k = k->Rodzic)
            for (const TOpisPola &pole : k->Pola())
                if (pole.Numer > maks)
                    maks = pole.Numer;
        return maks;
    }
};
