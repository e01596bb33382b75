#include "LkFunIO.h"

#include "WatekGlowny.h"

#include <QFileInfo>

namespace {

QString katalogProgramu(const QStringList &p_Argumenty)
{
    QString plik = DajNazweModulu();
    if (plik.isEmpty() && !p_Argumenty.isEmpty())
        plik = QFileInfo(p_Argumenty.first()).absoluteFilePath();
    if (plik.isEmpty())
        return QString();
    QString katalog = QFileInfo(plik).absolutePath();
    if (!katalog.endsWith(QLatin1Char('/')))
        katalog += QLatin1Char('/');
    return katalog;
}

} // namespace

void InicjujLkFunIO(int argc, char **argv)
{
    QStringList argumenty;
    for (int i = 0; i < argc; ++i)
        argumenty << QString::fromLocal8Bit(argv[i]);
    InicjujLkFunIO(argumenty);
}

void InicjujLkFunIO(const QStringList &p_Argumenty, bool p_Narzedzie)
{
    UstawWatekGlowny();
    UstawArgumentyProgramu(p_Argumenty);

    QString wartosc;
    TrybUslugi = DajParametr(QStringLiteral("Service"), wartosc, false);
    NazwaProduktu = DajNazweProduktu();
    KatalogProgramu = katalogProgramu(p_Argumenty);
    const QString plikProgramu = p_Argumenty.value(0);
    NazwaAplikacji = UstalNazweAplikacji(NazwaProduktu, plikProgramu);
    WczytajPlikIni();
    UruchomionyPrzezRundll32 =
        QFileInfo(plikProgramu).fileName().compare(QLatin1String("rundll32.exe"), Qt::CaseInsensitive) == 0;
    UstalKatalogDanych(!p_Narzedzie);
    UtworzLicznikiPlikowTymczasowych();
    PlikBledow = DajKatalogDanych() + QStringLiteral("Errors.txt");
    // Last: until here entries are written on the calling thread, and the
    // worker never sees the settings above half made.
    if (!p_Narzedzie)
        LogBledow().UruchomWatek();
}

void ZakonczLkFunIO()
{
    ZwolnijLicznikiPlikowTymczasowych();
    UsunPusteKatalogiTymczasowe();
    ZwolnijPlikIni();
    LogBledow().ZatrzymajWatek();
}
