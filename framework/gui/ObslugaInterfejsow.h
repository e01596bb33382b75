#pragma once

#include <QString>

// Text identifiers of interfaces: "Generic<T>|ident" names an interface of a
// generic kind; a text with "<" is generic.
class TObslugaInterfejsow
{
public:
    // Splits p_Ident: true with the identifier left in p_Ident (and the generic
    // part apart); false for an empty text or a generic one without identifier.
    static bool DekodujIdent(QString &p_Ident, QString &p_InterfejsGeneryczny);
    static QString KodujIdentGeneryczny(const QString &p_InterfejsGeneryczny, const QString &p_Ident);
    static bool JestIdentGeneryczny(const QString &p_Ident);
};
