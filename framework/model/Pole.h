#pragma once

#include "OpisKlasy.h"

#include <QString>

// Base of everything an object is made of: typed fields and, as fields that
// hold other fields, the persistent objects themselves.
class TPole
{
public:
    static const TOpisKlasy Opis;

    TPole() = default;
    TPole(const TPole &) = delete;
    TPole &operator=(const TPole &) = delete;
    virtual ~TPole() = default;

    // The class reference of this instance.
    virtual const TOpisKlasy &Klasa() const { return Opis; }
    QString ClassName() const { return Klasa().ClassName(); }

    // Back to the empty state; objects free their fields.
    virtual void ZerujDane() = 0;
};
