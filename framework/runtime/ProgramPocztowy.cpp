#include "ProgramPocztowy.h"

#include "PlikIni.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace {

const QString typMailto = QStringLiteral("x-scheme-handler/mailto");

QStringList katalogi(const char *p_Zmienna, const QString &p_Domyslne)
{
    const QString wartosc = qEnvironmentVariable(p_Zmienna);
    return (wartosc.isEmpty() ? p_Domyslne : wartosc).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QString katalogUzytkownika(const char *p_Zmienna, const QString &p_Podkatalog)
{
    const QString wartosc = qEnvironmentVariable(p_Zmienna);
    return wartosc.isEmpty() ? QDir::homePath() + p_Podkatalog : wartosc;
}

// The freedesktop.org order of mimeapps.list files, most important first.
QStringList plikiSkojarzen()
{
    QStringList pliki;
    const QString konfiguracja = katalogUzytkownika("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    const QString dane = katalogUzytkownika("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    const QStringList pulpity =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").toLower().split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const QStringList katalogiKonfiguracji = QStringList{konfiguracja} + katalogi("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    for (const QString &katalog : katalogiKonfiguracji) {
        for (const QString &pulpit : pulpity)
            pliki << katalog + QLatin1Char('/') + pulpit + QStringLiteral("-mimeapps.list");
        pliki << katalog + QStringLiteral("/mimeapps.list");
    }
    const QStringList katalogiDanych =
        QStringList{dane} + katalogi("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (const QString &katalog : katalogiDanych)
        pliki << katalog + QStringLiteral("/applications/mimeapps.list");
    return pliki;
}

QString plikPulpitu(const QString &p_Identyfikator)
{
    const QString dane = katalogUzytkownika("XDG_DATA_HOME", QStringLiteral("/.local/share"));
    const QStringList katalogiDanych =
        QStringList{dane} + katalogi("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (const QString &katalog : katalogiDanych) {
        const QString sciezka = katalog + QStringLiteral("/applications/") + p_Identyfikator;
        if (QFileInfo(sciezka).isFile())
            return sciezka;
    }
    return QString();
}

// Exec's field codes: the address takes the place of %u (and its kin).
QString polecenieZExec(QString p_Exec)
{
    static const QRegularExpression kod(QStringLiteral("%[a-zA-Z%]"));
    QString wynik;
    qsizetype od = 0;
    for (auto dopasowanie : kod.globalMatch(p_Exec)) {
        wynik += QStringView(p_Exec).sliced(od, dopasowanie.capturedStart() - od);
        const QChar litera = dopasowanie.captured().at(1);
        if (litera == QLatin1Char('%'))
            wynik += QLatin1Char('%');
        else if (QStringLiteral("uUfF").contains(litera))
            wynik += QStringLiteral("\"%1\"");
        od = dopasowanie.capturedEnd();
    }
    wynik += QStringView(p_Exec).sliced(od);
    return wynik.simplified();
}

} // namespace

QString PolecenieProgramuPocztowego()
{
    for (const QString &plik : plikiSkojarzen()) {
        TPlikIni skojarzenia;
        if (!skojarzenia.Wczytaj(plik))
            continue;
        const QString lista = skojarzenia.Wartosc(QStringLiteral("Default Applications"), typMailto);
        for (const QString &identyfikator : lista.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            TPlikIni pulpit;
            if (!pulpit.Wczytaj(plikPulpitu(identyfikator.trimmed())))
                continue;
            const QString exec = pulpit.Wartosc(QStringLiteral("Desktop Entry"), QStringLiteral("Exec"));
            if (!exec.isEmpty())
                return polecenieZExec(exec);
        }
    }
    return QString();
}
