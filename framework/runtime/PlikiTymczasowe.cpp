#include "PlikiTymczasowe.h"

#include "Formatuj.h"
#include "PlikiBezpieczne.h"
#include "Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <optional>

namespace {

constexpr int najwiekszyNumer = 100000;

// The counter lock and table: last number handed out per prefix (with its
// "_"), keys folded so that prefixes compare without regard to case.
std::mutex &blokadaLicznikow()
{
    static std::mutex blokada;
    return blokada;
}
QMap<QString, int> liczniki;

// Makes p_Sciezka a directory only we can enter. An existing entry is
// accepted only when it is a real directory (not a link) owned by us.
bool utworzKatalogPrywatny(const QString &p_Sciezka)
{
    const QByteArray sciezka = QFile::encodeName(p_Sciezka);
    if (::mkdir(sciezka.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat stan;
    if (::lstat(sciezka.constData(), &stan) != 0 || !S_ISDIR(stan.st_mode) || stan.st_uid != ::geteuid())
        return false;
    if ((stan.st_mode & 077) != 0 && ::chmod(sciezka.constData(), 0700) != 0)
        return false;
    return true;
}

QString bezKoncowegoUkosnika(QString p_Sciezka)
{
    while (p_Sciezka.size() > 1 && p_Sciezka.endsWith(QLatin1Char('/')))
        p_Sciezka.chop(1);
    return p_Sciezka;
}

void sprawdzPrefiks(const QString &p_Prefiks)
{
    static const QString zakazane = QStringLiteral("\\/:*?\"<>|");
    static const QStringList urzadzenia = [] {
        QStringList nazwy{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                          QStringLiteral("CLOCK$"), QStringLiteral("NUL")};
        for (int i = 1; i <= 9; ++i)
            nazwy << QStringLiteral("COM%1").arg(i) << QStringLiteral("LPT%1").arg(i);
        return nazwy;
    }();
    bool poprawny = true;
    for (QChar znak : p_Prefiks)
        if (zakazane.contains(znak))
            poprawny = false;
    if (urzadzenia.contains(p_Prefiks, Qt::CaseInsensitive))
        poprawny = false;
    if (!poprawny)
        throw Exception(Format(QStringLiteral("nieprawidłowy prefiks pliku = %s"), {p_Prefiks}));
}

// Numbers from p_Od up: the first name that could be created, with its number.
std::optional<std::pair<QString, int>> pierwszyWolny(const QString &p_Rdzen, const QString &p_Rozszerzenie,
                                                     int p_Od)
{
    for (int n = p_Od; n <= najwiekszyNumer; ++n) {
        const QString kandydat = p_Rdzen + LiczbaWSystemie36(n) + p_Rozszerzenie;
        if (UtworzNowyPlik(kandydat, "\r\n"))
            return std::make_pair(kandydat, n);
    }
    return std::nullopt;
}

} // namespace

QString LiczbaWSystemie36(int p_Liczba)
{
    static const char cyfry[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QString wynik;
    for (; p_Liczba > 0; p_Liczba /= 36)
        wynik.prepend(QLatin1Char(cyfry[p_Liczba % 36]));
    return wynik;
}

QString DajKorzenTymczasowy()
{
    QString baza = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (baza.isEmpty())
        baza = qEnvironmentVariable("TMPDIR");
    if (baza.isEmpty())
        baza = QStringLiteral("/tmp");
    const QString korzen =
        bezKoncowegoUkosnika(baza) + QStringLiteral("/VelmoraSoftware-") + QString::number(::geteuid());
    return utworzKatalogPrywatny(korzen) ? korzen + QLatin1Char('/') : QString();
}

QString DajKatalogTymczasowy()
{
    const QString korzen = DajKorzenTymczasowy();
    if (korzen.isEmpty())
        return QString();
    const QString katalog = korzen + QStringLiteral("Proc_") + QString::number(::getpid());
    return utworzKatalogPrywatny(katalog) ? katalog + QLatin1Char('/') : QString();
}

QString DajNazwePlikuTymczasowego(const QString &p_Prefiks, const QString &p_Rozszerzenie,
                                  bool p_NajpierwBezNumeru)
{
    sprawdzPrefiks(p_Prefiks);
    const QString katalog = DajKatalogTymczasowy();
    if (katalog.isEmpty())
        return QString();
    const QString prefiks = p_Prefiks + QLatin1Char('_');
    const QString rozszerzenie = p_Rozszerzenie.isEmpty() ? QStringLiteral(".tmp") : p_Rozszerzenie;
    const QString rdzen = katalog + prefiks;

    if (p_NajpierwBezNumeru) {
        const QString prosta = katalog + p_Prefiks + rozszerzenie;
        if (UtworzNowyPlik(prosta, "\r\n"))
            return prosta;
    }

    const QString klucz = prefiks.toCaseFolded();
    int ostatni;
    {
        std::lock_guard blokada(blokadaLicznikow());
        ostatni = liczniki.value(klucz, 0);
        liczniki.insert(klucz, ostatni);
    }
    auto wolny = pierwszyWolny(rdzen, rozszerzenie, ostatni + 1);
    if (!wolny && ostatni != 0) {
        const QDateTime wczoraj(QDate::currentDate().addDays(-1), QTime(0, 0));
        if (UsunStarePlikiTymczasowe(p_Prefiks, rozszerzenie, wczoraj))
            wolny = pierwszyWolny(rdzen, rozszerzenie, 0);
    }
    if (!wolny)
        return QString();
    std::lock_guard blokada(blokadaLicznikow());
    liczniki.insert(klucz, qMax(liczniki.value(klucz, 0), wolny->second));
    return wolny->first;
}

bool UsunStarePlikiTymczasowe(const QString &p_Prefiks, const QString &p_Rozszerzenie,
                              const QDateTime &p_Granica)
{
    const QString katalog = DajKatalogTymczasowy();
    if (katalog.isEmpty())
        return false;
    const QString prefiks = p_Prefiks + QLatin1Char('_');
    bool usunieto = false;
    const QFileInfoList pliki = QDir(katalog).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &plik : pliki) {
        const QString nazwa = plik.fileName();
        if (!nazwa.startsWith(prefiks, Qt::CaseInsensitive) || !nazwa.endsWith(p_Rozszerzenie, Qt::CaseInsensitive)
            || nazwa.size() < prefiks.size() + p_Rozszerzenie.size())
            continue;
        const QString bezRozszerzenia =
            p_Rozszerzenie.isEmpty() ? plik.completeBaseName() : nazwa.chopped(p_Rozszerzenie.size());
        bool liczba = false;
        bezRozszerzenia.sliced(qMin(prefiks.size(), bezRozszerzenia.size())).toInt(&liczba, 10);
        if (liczba && plik.lastModified() < p_Granica && QFile::remove(plik.filePath()))
            usunieto = true;
    }
    return usunieto;
}

void UtworzLicznikiPlikowTymczasowych()
{
    std::lock_guard blokada(blokadaLicznikow());
    liczniki.clear();
}

void ZwolnijLicznikiPlikowTymczasowych()
{
    std::lock_guard blokada(blokadaLicznikow());
    liczniki.clear();
}
