#include "Parametry.h"

#include "PlikIni.h"
#include "Wersja.h"

#include <QCoreApplication>

#include <memory>
#include <mutex>
#include <optional>

QString KatalogProgramu;
bool TrybUslugi = false;
bool UruchomionyPrzezRundll32 = false;

namespace {

const QString sekcjaParametrow = QStringLiteral("Params");
const QString parametrPlikuIni = QStringLiteral("IniFile");

// The parameter lock: the command line as set at start-up and the parameter file.
std::mutex &blokadaParametrow()
{
    static std::mutex blokada;
    return blokada;
}
std::optional<QStringList> argumenty;
std::unique_ptr<TPlikIni> plikIni;

Qt::CaseSensitivity wielkosc(bool p_WielkoscLiter)
{
    return p_WielkoscLiter ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

bool jestPusty(const QString &p_Tekst)
{
    for (QChar znak : p_Tekst)
        if (znak.unicode() > 32)
            return false;
    return true;
}

bool jestPrzelacznikiem(const QString &p_Element)
{
    return p_Element.startsWith(QLatin1Char('-')) || p_Element.startsWith(QLatin1Char('/'));
}

} // namespace

void UstawArgumentyProgramu(const QStringList &p_Argumenty)
{
    std::lock_guard blokada(blokadaParametrow());
    argumenty = p_Argumenty;
}

QStringList ArgumentyProgramu()
{
    {
        std::lock_guard blokada(blokadaParametrow());
        if (argumenty)
            return *argumenty;
    }
    return QCoreApplication::instance() ? QCoreApplication::arguments() : QStringList();
}

bool JestParametr(const QString &p_Nazwa, bool p_WielkoscLiter)
{
    const QStringList elementy = ArgumentyProgramu();
    for (qsizetype i = 1; i < elementy.size(); ++i)
        if (jestPrzelacznikiem(elementy[i])
            && QStringView(elementy[i]).sliced(1).compare(p_Nazwa, wielkosc(p_WielkoscLiter)) == 0)
            return true;
    if (p_Nazwa.compare(parametrPlikuIni, Qt::CaseInsensitive) == 0)
        return false;
    std::lock_guard blokada(blokadaParametrow());
    return plikIni && plikIni->ZawieraKlucz(sekcjaParametrow, p_Nazwa);
}

bool DajParametr(const QString &p_Nazwa, QString &p_Wartosc, bool p_WielkoscLiter)
{
    const QStringList elementy = ArgumentyProgramu();
    for (qsizetype i = 1; i < elementy.size(); ++i) {
        const QString &element = elementy[i];
        const qsizetype nawias = element.indexOf(QLatin1Char(')'));
        if (element.startsWith(QLatin1String("-(")) && nawias >= 0) {
            if (QStringView(element).sliced(2, nawias - 2).compare(p_Nazwa, wielkosc(p_WielkoscLiter)) == 0) {
                p_Wartosc = element.sliced(nawias + 1);
                return true;
            }
        } else if (p_Nazwa.size() == 1 && element.size() >= 2 && jestPrzelacznikiem(element)
                   && (p_WielkoscLiter ? element[1] == p_Nazwa[0]
                                       : element[1].toUpper() == p_Nazwa[0].toUpper())) {
            p_Wartosc = element.sliced(2);
            return true;
        }
    }
    if (p_Nazwa.compare(parametrPlikuIni, Qt::CaseInsensitive) == 0) {
        p_Wartosc.clear();
        return false;
    }
    p_Wartosc = WartoscZPlikuParametrow(p_Nazwa);
    return !jestPusty(p_Wartosc);
}

QString WartoscZPlikuParametrow(const QString &p_Nazwa)
{
    std::lock_guard blokada(blokadaParametrow());
    return plikIni ? plikIni->Wartosc(sekcjaParametrow, p_Nazwa) : QString();
}

QString DajNazwePlikuIni()
{
    QString nazwa;
    if (DajParametr(parametrPlikuIni, nazwa))
        return nazwa;
    return KatalogProgramu + NazwaAplikacji + QStringLiteral(".ini");
}

void WczytajPlikIni()
{
    auto nowy = std::make_unique<TPlikIni>();
    const bool wczytano = nowy->Wczytaj(DajNazwePlikuIni());
    std::lock_guard blokada(blokadaParametrow());
    plikIni = wczytano ? std::move(nowy) : nullptr;
}

void ZwolnijPlikIni()
{
    std::lock_guard blokada(blokadaParametrow());
    plikIni.reset();
}
