#pragma once

#include <QString>

#include <cstdint>
#include <span>

class TPole;
class TObiektBazowy;
struct TOpisKlasy;

// One field of a persistent class: its number, its name and its field class.
struct TOpisPola
{
    int16_t Numer;
    const char *Nazwa;
    const TOpisKlasy *Klasa;
};

// What a class reference is in this model: the class's name, its parent's
// descriptor, its virtual constructor and the fields the class itself declares
// (its ancestors' fields come from their descriptors). Every persistent class
// defines one static descriptor.
struct TOpisKlasy
{
    const char *Nazwa;
    const TOpisKlasy *Rodzic;
    // Null for abstract classes.
    TPole *(*Tworz)(TObiektBazowy *p_Rodzic);
    std::span<const TOpisPola> Pola;

    QString ClassName() const { return QString::fromLatin1(Nazwa); }
    bool DziedziczyPo(const TOpisKlasy &p_Przodek) const
    {
        for (const TOpisKlasy *k = this; k; k = k->Rodzic)
            if (k == &p_Przodek)
                return true;
        return false;
    }
    // The field of that number in this class or its ancestors; null when none.
    const TOpisPola *PoleNr(int16_t p_Nr) const
    {
        for (const TOpisKlasy *k = this; k; k = k->Rodzic)
            for (const TOpisPola &pole : k->Pola)
                if (pole.Numer == p_Nr)
                    return &pole;
        return nullptr;
    }
    // The highest field number, -1 for a class without fields.
    int16_t MaxNrPola() const
    {
        int16_t maks = -1;
        for (const TOpisKlasy *k = this; k; k = k->Rodzic)
            for (const TOpisPola &pole : k->Pola)
                if (pole.Numer > maks)
                    maks = pole.Numer;
        return maks;
    }
};
