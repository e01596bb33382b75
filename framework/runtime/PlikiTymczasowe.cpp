#include "PlikiTymczasowe.h"

#include "Formatuj.h"
#include "LogBledow.h"
#include "OpisBleduSystemu.h"
#include "PlikiBezpieczne.h"
#include "RejestrSprzatania.h"
#include "Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
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
// accepted only when it is a real directory (not a link) owned by us; a loose
// mode of our own is tightened. Returns why it cannot be ours, empty if it is.
QString utworzKatalogPrywatny(const QString &p_Sciezka)
{
    const QByteArray sciezka = QFile::encodeName(p_Sciezka);
    if (::mkdir(sciezka.constData(), 0700) != 0 && errno != EEXIST)
        return OpisBleduSystemu(errno);
    struct stat stan;
    if (::lstat(sciezka.constData(), &stan) != 0)
        return OpisBleduSystemu(errno);
    if (S_ISLNK(stan.st_mode))
        return QStringLiteral("jest dowiązaniem symbolicznym");
    if (!S_ISDIR(stan.st_mode))
        return QStringLiteral("nie jest katalogiem");
    if (stan.st_uid != ::geteuid())
        return QStringLiteral("należy do innego użytkownika (uid %1)").arg(stan.st_uid);
    if ((stan.st_mode & 077) != 0 && ::chmod(sciezka.constData(), 0700) != 0)
        return QStringLiteral("inni mają do niego dostęp");
    return QString();
}

// Folders of this process's temporary files per usual root: the private
// stand-in of a root that was refused (kept for the rest of the process), and
// the roots already swept. Guarded by their own lock.
std::mutex &blokadaKatalogow()
{
    static std::mutex blokada;
    return blokada;
}
QMap<QString, QString> zastepcze;
QSet<QString> przejrzane;

// The usual root of this environment, without a trailing "/".
QString zwyklyKorzen()
{
    QString baza = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (baza.isEmpty())
        baza = qEnvironmentVariable("TMPDIR");
    if (baza.isEmpty())
        baza = QStringLiteral("/tmp");
    while (baza.size() > 1 && baza.endsWith(QLatin1Char('/')))
        baza.chop(1);
    return baza + QStringLiteral("/VelmoraSoftware-") + QString::number(::geteuid());
}

// Empty "Proc_<pid>" folders of processes that are gone. Nothing is followed,
// and rmdir leaves a folder that still holds anything.
void usunKatalogiZmarlychProcesow(const QString &p_Korzen)
{
    const int korzen =
        ::open(QFile::encodeName(p_Korzen).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (korzen < 0)
        return;
    DIR *katalog = ::fdopendir(korzen);
    if (!katalog) {
        ::close(korzen);
        return;
    }
    static const QRegularExpression wzorzec(QStringLiteral("^Proc_([1-9][0-9]{0,8})$"));
    while (const dirent *pozycja = ::readdir(katalog)) {
        const QRegularExpressionMatch trafienie = wzorzec.match(QString::fromLatin1(pozycja->d_name));
        if (!trafienie.hasMatch())
            continue;
        const pid_t pid = trafienie.captured(1).toInt();
        if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        struct stat stan;
        if (::fstatat(korzen, pozycja->d_name, &stan, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(stan.st_mode)
            && stan.st_uid == ::geteuid())
            ::unlinkat(korzen, pozycja->d_name, AT_REMOVEDIR);
    }
    ::closedir(katalog);
}

// A private folder, registered so that an emergency end removes it when
// it is empty. Returns why it cannot be had, empty when it can.
QString utworzKatalogDoSprzatania(const QString &p_Sciezka)
{
    QString powod;
    UtworzDoSprzatania(
        [&] {
            powod = utworzKatalogPrywatny(p_Sciezka);
            return powod.isEmpty() ? p_Sciezka : QString();
        },
        true);
    return powod;
}

// A fresh private root beside the usual one (mkdtemp makes it 0700 and never
// takes over an entry). The reason goes to the error log, where a report of
// the failure can find it.
QString zastepczyKorzen(const QString &p_Zwykly, const QString &p_Odrzucony, const QString &p_Powod)
{
    int blad = 0;
    const QString zastepczy = UtworzDoSprzatania(
        [&] {
            QByteArray wzor = QFile::encodeName(p_Zwykly) + "-XXXXXX";
            if (::mkdtemp(wzor.data()))
                return QFile::decodeName(wzor);
            blad = errno;
            return QString();
        },
        true);
    if (zastepczy.isEmpty()) {
        ZapiszWyjatekWLogu(Format(QStringLiteral("Katalog tymczasowy %s odrzucony: %s. Nie można utworzyć "
                                                 "katalogu zastępczego: %s"),
                                  {p_Odrzucony, p_Powod, OpisBleduSystemu(blad)}));
        return QString();
    }
    ZapiszWyjatekWLogu(Format(QStringLiteral("Katalog tymczasowy %s odrzucony: %s. Pliki tymczasowe trafią do %s"),
                              {p_Odrzucony, p_Powod, zastepczy}));
    zastepcze.insert(p_Zwykly, zastepczy);
    return zastepczy;
}

// The root in use for p_Zwykly, without a trailing "/"; empty when neither
// it nor a stand-in can be had. Under blokadaKatalogow.
QString korzenDla(const QString &p_Zwykly)
{
    // A stand-in stays in use; it is made again if the clean-up at the end took it.
    const QString zastepczy = zastepcze.value(p_Zwykly);
    if (!zastepczy.isEmpty() && utworzKatalogDoSprzatania(zastepczy).isEmpty())
        return zastepczy;
    const QString powod = utworzKatalogPrywatny(p_Zwykly);
    if (!powod.isEmpty())
        return zastepczyKorzen(p_Zwykly, p_Zwykly, powod);
    if (!przejrzane.contains(p_Zwykly)) {
        przejrzane.insert(p_Zwykly);
        usunKatalogiZmarlychProcesow(p_Zwykly);
    }
    return p_Zwykly;
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

// The name when the empty text file could be created there.
QString utworzPlik(const QString &p_Nazwa)
{
    return UtworzDoSprzatania([&] { return UtworzNowyPlik(p_Nazwa, "\r\n") ? p_Nazwa : QString(); });
}

// Numbers from p_Od up: the first name that could be created, with its number.
std::optional<std::pair<QString, int>> pierwszyWolny(const QString &p_Rdzen, const QString &p_Rozszerzenie,
                                                     int p_Od)
{
    for (int n = p_Od; n <= najwiekszyNumer; ++n) {
        if (const QString nazwa = utworzPlik(p_Rdzen + LiczbaWSystemie36(n) + p_Rozszerzenie); !nazwa.isEmpty())
            return std::make_pair(nazwa, n);
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
    std::lock_guard blokada(blokadaKatalogow());
    const QString korzen = korzenDla(zwyklyKorzen());
    return korzen.isEmpty() ? korzen : korzen + QLatin1Char('/');
}

QString DajKatalogTymczasowy()
{
    std::lock_guard blokada(blokadaKatalogow());
    const QString zwykly = zwyklyKorzen();
    QString korzen = korzenDla(zwykly);
    if (korzen.isEmpty())
        return QString();
    const QString nazwa = QStringLiteral("/Proc_") + QString::number(::getpid());
    QString powod = utworzKatalogDoSprzatania(korzen + nazwa);
    // Our own root may still hold an entry planted while its mode was loose.
    if (!powod.isEmpty() && korzen == zwykly) {
        korzen = zastepczyKorzen(zwykly, korzen + nazwa, powod);
        if (korzen.isEmpty())
            return QString();
        powod = utworzKatalogDoSprzatania(korzen + nazwa);
    }
    if (!powod.isEmpty()) {
        ZapiszWyjatekWLogu(Format(QStringLiteral("Nie można utworzyć katalogu tymczasowego %s: %s"),
                                  {korzen + nazwa, powod}));
        return QString();
    }
    return korzen + nazwa + QLatin1Char('/');
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
        if (const QString prosta = utworzPlik(katalog + p_Prefiks + rozszerzenie); !prosta.isEmpty())
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

void UsunPusteKatalogiTymczasowe()
{
    UsunPusteKatalogiZRejestru();
}
