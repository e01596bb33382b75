#pragma once

#include "Rejestr.h"

// Registry access whose readers never raise: a missing value or one of
// another type gives the caller's default.
class TRegDefaults : public TRegistry
{
public:
    using TRegistry::TRegistry;

    bool ReadBool(const QString &p_Nazwa, bool p_Domyslna) const;
    // An empty stored string counts as missing.
    QString ReadString(const QString &p_Nazwa, const QString &p_Domyslna) const;
    int32_t ReadInteger(const QString &p_Nazwa, int32_t p_Domyslna) const;

    // Raises the stored string number to p_Minimum (written as a string); a
    // missing or non-numeric value counts as the smallest integer.
    void WriteStrMin(const QString &p_Nazwa, int32_t p_Minimum);
    // Writes the string only when no value of that name exists.
    void WriteIfNone(const QString &p_Nazwa, const QString &p_Wartosc);
};
