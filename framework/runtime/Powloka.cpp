#include "Powloka.h"

#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {

constexpr int kodUruchomiono = 42;
constexpr int kodBrakSkojarzenia = 31;

bool uruchomXdgOpen(const QString &p_Cel)
{
    return QProcess::startDetached(QStringLiteral("xdg-open"), {p_Cel});
}

// Local names become absolute paths, so that no name is taken for an option.
QString celOtwarcia(const QString &p_Plik)
{
    const QUrl adres(p_Plik);
    if (adres.isValid() && adres.scheme().size() > 1)
        return p_Plik;
    return QFileInfo(p_Plik).absoluteFilePath();
}

} // namespace

bool UruchomWPowloce(const QString &p_Plik, int p_TrybPokazania, const QString &p_Czasownik, int *p_Kod)
{
    const bool znanyCzasownik = p_Czasownik.isEmpty()
                                || p_Czasownik.compare(QLatin1String("open"), Qt::CaseInsensitive) == 0
                                || p_Czasownik.compare(QLatin1String("explore"), Qt::CaseInsensitive) == 0;
    const bool uruchomiono = znanyCzasownik && !p_Plik.isEmpty() && uruchomXdgOpen(celOtwarcia(p_Plik));
    if (p_Kod)
        *p_Kod = uruchomiono ? kodUruchomiono : kodBrakSkojarzenia;
    return uruchomiono;
}

bool OtworzPlik(const QString &p_Plik, int p_TrybPokazania, int *p_Kod)
{
    return UruchomWPowloce(p_Plik, p_TrybPokazania, QStringLiteral("open"), p_Kod);
}

QString AdresDoOtwarcia(const QString &p_Adres)
{
    if (p_Adres.startsWith(QLatin1String("http"), Qt::CaseInsensitive))
        return p_Adres;
    return QStringLiteral("http://") + p_Adres;
}

bool OtworzAdres(const QString &p_Adres)
{
    return uruchomXdgOpen(AdresDoOtwarcia(p_Adres));
}

bool CzySesjaZdalna()
{
    return !qEnvironmentVariableIsEmpty("SSH_CONNECTION") || !qEnvironmentVariableIsEmpty("SSH_CLIENT");
}
