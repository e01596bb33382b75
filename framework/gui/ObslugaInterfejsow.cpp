#include "ObslugaInterfejsow.h"

bool TObslugaInterfejsow::DekodujIdent(QString &p_Ident, QString &p_InterfejsGeneryczny)
{
    p_InterfejsGeneryczny.clear();
    const qsizetype kreska = p_Ident.indexOf(QLatin1Char('|'));
    if (kreska >= 0) {
        p_InterfejsGeneryczny = p_Ident.left(kreska);
        p_Ident = p_Ident.mid(kreska + 1);
        return true;
    }
    if (!p_Ident.isEmpty() && !JestIdentGeneryczny(p_Ident))
        return true;
    p_InterfejsGeneryczny = p_Ident;
    p_Ident.clear();
    return false;
}

QString TObslugaInterfejsow::KodujIdentGeneryczny(const QString &p_InterfejsGeneryczny, const QString &p_Ident)
{
    return p_InterfejsGeneryczny + QLatin1Char('|') + p_Ident;
}

bool TObslugaInterfejsow::JestIdentGeneryczny(const QString &p_Ident)
{
    return p_Ident.contains(QLatin1Char('<'));
}
