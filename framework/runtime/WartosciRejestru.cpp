#include "WartosciRejestru.h"

#include "RegDefaults.h"
#include "Wersja.h"

QString KluczRejestruAplikacji()
{
    return QStringLiteral("Software\\VelmoraSoftware\\") + NazwaAplikacji;
}

bool CzytajWartoscRejestru(const QString &p_Nazwa, QString &p_Wartosc, const QString &p_Klucz, HKEY p_Korzen)
{
    p_Wartosc.clear();
    TRegDefaults rejestr(KEY_READ | KEY_WOW64_64KEY);
    rejestr.RootKey = p_Korzen;
    if (!rejestr.OpenKeyReadOnly(p_Klucz) || !rejestr.ValueExists(p_Nazwa))
        return false;
    p_Wartosc = rejestr.ReadString(p_Nazwa, QString());
    return true;
}

bool ZapiszWartosciRejestru(const QStringList &p_Wartosci, const QString &p_Klucz, HKEY p_Korzen)
{
    try {
        TRegDefaults rejestr(KEY_WRITE);
        rejestr.RootKey = p_Korzen;
        if (!rejestr.OpenKey(p_Klucz, true))
            return false;
        for (const QString &linia : p_Wartosci) {
            const qsizetype rowna = linia.indexOf(QLatin1Char('='));
            if (rowna < 0)
                rejestr.WriteString(linia, QString());
            else
                rejestr.WriteString(linia.first(rowna), linia.sliced(rowna + 1));
        }
        return true;
    } catch (const Exception &) {
        return false;
    }
}
