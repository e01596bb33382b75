#include "OstatniePliki.h"

#include "RegDefaults.h"
#include "WartosciRejestru.h"

#include <QFileInfo>

namespace {

QString klucz()
{
    return KluczRejestruAplikacji() + QStringLiteral("\\OstatniePliki");
}

// One value per file: a name may hold any character but "/" and NUL.
QString nazwaWartosci(int p_Nr)
{
    return QStringLiteral("Plik%1").arg(p_Nr);
}

void zapisz(const QStringList &p_Pliki)
{
    try {
        TRegDefaults rejestr(KEY_WRITE);
        rejestr.RootKey = HKEY_CURRENT_USER;
        if (!rejestr.OpenKey(klucz(), true))
            return;
        for (int i = 0; i < MaksOstatnichPlikow; ++i) {
            if (i < p_Pliki.size())
                rejestr.WriteString(nazwaWartosci(i + 1), p_Pliki.at(i));
            else
                rejestr.DeleteValue(nazwaWartosci(i + 1));
        }
    } catch (const Exception &) {
        // A store we cannot write keeps the old list.
    }
}

} // namespace

QStringList OstatniePliki()
{
    TRegDefaults rejestr(KEY_READ);
    rejestr.RootKey = HKEY_CURRENT_USER;
    QStringList pliki;
    if (!rejestr.OpenKeyReadOnly(klucz()))
        return pliki;
    // The store is the user's file: holes, repeats and odd types are skipped.
    for (int i = 1; i <= MaksOstatnichPlikow; ++i) {
        const QString plik = rejestr.ReadString(nazwaWartosci(i), QString());
        if (!plik.isEmpty() && !pliki.contains(plik))
            pliki << plik;
    }
    return pliki;
}

QStringList DodajOstatniPlik(const QString &p_Plik)
{
    QStringList pliki = OstatniePliki();
    const QString plik = QFileInfo(p_Plik).absoluteFilePath();
    pliki.removeAll(plik);
    pliki.prepend(plik);
    while (pliki.size() > MaksOstatnichPlikow)
        pliki.removeLast();
    zapisz(pliki);
    return pliki;
}

void WyczyscOstatniePliki()
{
    zapisz({});
}
