#include "RegDefaults.h"

#include <limits>

bool TRegDefaults::ReadBool(const QString &p_Nazwa, bool p_Domyslna) const
{
    try {
        return TRegistry::ReadBool(p_Nazwa);
    } catch (const ERegistryException &) {
        return p_Domyslna;
    }
}

QString TRegDefaults::ReadString(const QString &p_Nazwa, const QString &p_Domyslna) const
{
    QString wynik;
    try {
        wynik = TRegistry::ReadString(p_Nazwa);
    } catch (const ERegistryException &) {
    }
    return wynik.isEmpty() ? p_Domyslna : wynik;
}

int32_t TRegDefaults::ReadInteger(const QString &p_Nazwa, int32_t p_Domyslna) const
{
    try {
        return TRegistry::ReadInteger(p_Nazwa);
    } catch (const ERegistryException &) {
        return p_Domyslna;
    }
}

void TRegDefaults::WriteStrMin(const QString &p_Nazwa, int32_t p_Minimum)
{
    bool liczba = false;
    int32_t obecna = ReadString(p_Nazwa, QString()).trimmed().toInt(&liczba, 10);
    if (!liczba)
        obecna = std::numeric_limits<int32_t>::min();
    if (obecna < p_Minimum)
        WriteString(p_Nazwa, QString::number(p_Minimum));
}

void TRegDefaults::WriteIfNone(const QString &p_Nazwa, const QString &p_Wartosc)
{
    if (!ValueExists(p_Nazwa))
        WriteString(p_Nazwa, p_Wartosc);
}
