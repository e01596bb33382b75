// Stress of the error log: many processes, each with several threads, write
// numbered entries with Polish text into one log at the same moment; the
// main thread of each child goes through the log's worker, the others write
// directly. Two rounds: without trimming, then with a small limit and no
// pause between trims, so that the log is trimmed again and again while the
// others append. Each child notes when it made each entry; the trims are seen
// as they happen (inotify: each one renames a fresh file onto the log).
// Afterwards the log is read back:
//  - without trimming: every entry present exactly once, whole, in its
//    thread's order;
//  - with trimming: no line broken, no entry twice, the log within its limit
//    (plus the one entry appended after the last trim), of every thread a
//    gapless run of its newest entries, and every entry made after the last
//    trim present.
// In both rounds no entry may fall back to a side file.
//
//   bench_log_bledow [PROCESSES] [THREADS] [ENTRIES] [LIMIT_BYTES]
//   defaults: 16 4 1000 262144

#include "LogBledow.h"
#include "WatekGlowny.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

const QByteArray znacznikKolejnosciBajtow("\xEF\xBB\xBF");

// Unique per entry; its length varies so that trims cut at varying places.
QString tekstWpisu(int p_Proces, int p_Watek, int p_Numer)
{
    return QStringLiteral("id=P%1-W%2-N%3 zażółć gęślą jaźń ŻÓŁĆ GĘŚLĄ JAŹŃ %4")
        .arg(p_Proces, 2, 10, QLatin1Char('0'))
        .arg(p_Watek)
        .arg(p_Numer, 4, 10, QLatin1Char('0'))
        .arg(QString(p_Numer % 37, QChar(0x17C)));
}

// Where a child notes the moments (ms since the epoch) its entries were made.
QString plikCzasow(const QString &p_Log, int p_Proces)
{
    return p_Log + QStringLiteral(".czasy.") + QString::number(p_Proces);
}

// Child: waits for its standard input to close, then writes.
int dziecko(const QStringList &p_Argumenty)
{
    const QString plik = p_Argumenty.value(0);
    const int32_t limit = p_Argumenty.value(1).toInt();
    const int proces = p_Argumenty.value(2).toInt();
    const int watki = p_Argumenty.value(3).toInt();
    const int wpisy = p_Argumenty.value(4).toInt();

    UstawWatekGlowny();
    LogBledow().OdstepPrzycinaniaMs = 0;
    LogBledow().UruchomWatek();
    while (std::getchar() != EOF) {
    }
    std::vector<std::vector<qint64>> czasy(watki, std::vector<qint64>(wpisy));
    const auto pisz = [&](int p_Watek) {
        for (int n = 0; n < wpisy; ++n) {
            czasy[p_Watek][n] = QDateTime::currentMSecsSinceEpoch();
            ZapiszWyjatekWLogu(tekstWpisu(proces, p_Watek, n), plik, limit);
        }
    };
    std::vector<std::thread> inne;
    for (int w = 1; w < watki; ++w)
        inne.emplace_back(pisz, w);
    pisz(0);
    for (std::thread &w : inne)
        w.join();
    LogBledow().ZatrzymajWatek();

    QFile raport(plikCzasow(plik, proces));
    if (!raport.open(QIODevice::WriteOnly))
        return 1;
    for (int w = 0; w < watki; ++w)
        for (int n = 0; n < wpisy; ++n)
            raport.write(QByteArray::number(czasy[w][n]) + '\n');
    return raport.flush() ? 0 : 1;
}

// Watches a folder for trims of the log: each renames a fresh, uniquely named
// file onto it. Notes how many and when the last one was seen.
class TObserwatorPrzyciec
{
public:
    explicit TObserwatorPrzyciec(const QString &p_Log)
        : FWzor("." + QFile::encodeName(QFileInfo(p_Log).fileName()) + "."),
          FPowiadomienia(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (FPowiadomienia >= 0)
            ::inotify_add_watch(FPowiadomienia, QFile::encodeName(QFileInfo(p_Log).path()).constData(), IN_MOVED_FROM);
        FWatek = std::thread([this] { obserwuj(); });
    }
    ~TObserwatorPrzyciec()
    {
        Zatrzymaj();
        if (FPowiadomienia >= 0)
            ::close(FPowiadomienia);
    }
    // Reads what is left and stops.
    void Zatrzymaj()
    {
        FKoniec = true;
        if (FWatek.joinable())
            FWatek.join();
    }
    int Liczba() const { return FLiczba; }
    qint64 Ostatnie() const { return FOstatnie; }

private:
    void obserwuj()
    {
        pollfd czekaj{FPowiadomienia, POLLIN, 0};
        alignas(inotify_event) char bufor[65536];
        while (!FKoniec || ::poll(&czekaj, 1, 0) > 0) {
            if (::poll(&czekaj, 1, 20) <= 0)
                continue;
            const ssize_t n = ::read(FPowiadomienia, bufor, sizeof bufor);
            const qint64 teraz = QDateTime::currentMSecsSinceEpoch();
            for (ssize_t i = 0; i < n;) {
                const auto *zdarzenie = reinterpret_cast<const inotify_event *>(bufor + i);
                if (zdarzenie->len && QByteArray(zdarzenie->name).startsWith(FWzor)) {
                    ++FLiczba;
                    FOstatnie = teraz;
                }
                i += sizeof(inotify_event) + zdarzenie->len;
            }
        }
    }

    QByteArray FWzor;
    int FPowiadomienia;
    std::atomic<bool> FKoniec{false};
    std::atomic<int> FLiczba{0};
    std::atomic<qint64> FOstatnie{0};
    std::thread FWatek;
};

struct TWynikRundy
{
    double Sekundy = 0;
    int Przyciecia = 0; // renames onto the log seen by inotify
    int DzieciZBledem = 0;
    qint64 Rozmiar = 0;
    qsizetype Linie = 0;
    qsizetype Zlamane = 0;
    qsizetype Podwojne = 0;
    qsizetype Brakujace = 0; // without trimming: any; with: a gap in a thread's newest run
    qsizetype PoOstatnimPrzycieciu = 0; // entries made after the last trim
    qsizetype BrakujacePoPrzycieciu = 0;
    qsizetype PlikiBoczne = 0;
    qsizetype NajdluzszaLinia = 0;
};

// Reads the log back and checks it; p_Przycinanie tells which round.
void sprawdz(const QString &p_Plik, int p_Procesy, int p_Watki, int p_Wpisy, bool p_Przycinanie, qint64 p_OstatniePrzyciecie,
             TWynikRundy &p_Wynik)
{
    QFile plik(p_Plik);
    if (!plik.open(QIODevice::ReadOnly)) {
        p_Wynik.Zlamane = -1;
        return;
    }
    QByteArray tresc = plik.readAll();
    p_Wynik.Rozmiar = tresc.size();
    if (!tresc.startsWith(znacznikKolejnosciBajtow) || !tresc.endsWith("\r\n"))
        ++p_Wynik.Zlamane;
    // Every line then ends in its CR, the one CR it has.
    tresc = tresc.mid(znacznikKolejnosciBajtow.size());
    tresc.chop(1);

    static const QRegularExpression wzor(QStringLiteral(
        "^-> \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\tUTC: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}"
        "\\t(id=P(\\d+)-W(\\d+)-N(\\d+) .*)$"));
    // Per thread, the numbers in the order the log holds them.
    std::vector<std::vector<int>> numery(size_t(p_Procesy) * p_Watki);
    std::vector<char> widziane(size_t(p_Procesy) * p_Watki * p_Wpisy, 0);
    for (const QByteArray &bajty : tresc.split('\n')) {
        ++p_Wynik.Linie;
        p_Wynik.NajdluzszaLinia = qMax(p_Wynik.NajdluzszaLinia, bajty.size() + 1);
        if (!bajty.endsWith('\r') || bajty.count('\r') != 1) {
            ++p_Wynik.Zlamane;
            continue;
        }
        const QString linia = QString::fromUtf8(bajty.chopped(1));
        const QRegularExpressionMatch m = wzor.match(linia);
        const int proces = m.captured(2).toInt(), watek = m.captured(3).toInt(), numer = m.captured(4).toInt();
        if (!m.hasMatch() || proces >= p_Procesy || watek >= p_Watki || numer >= p_Wpisy
            || m.captured(1) != tekstWpisu(proces, watek, numer) || linia.toUtf8() != bajty.chopped(1)) {
            ++p_Wynik.Zlamane;
            continue;
        }
        char &byl = widziane[(size_t(proces) * p_Watki + watek) * p_Wpisy + numer];
        if (byl++) {
            ++p_Wynik.Podwojne;
            continue;
        }
        numery[size_t(proces) * p_Watki + watek].push_back(numer);
    }
    for (const std::vector<int> &watek : numery) {
        // In order and without a gap up to the last, from the first one kept
        // (0 without trimming; a thread that finished early may have none left).
        int oczekiwany = p_Przycinanie && !watek.empty() ? watek.front() : 0;
        for (int numer : watek) {
            if (numer != oczekiwany)
                p_Wynik.Brakujace += qMax(1, numer - oczekiwany);
            oczekiwany = numer + 1;
        }
        if (!p_Przycinanie || !watek.empty())
            p_Wynik.Brakujace += p_Wpisy - oczekiwany;
    }
    for (int p = 0; p < p_Procesy; ++p) {
        QFile raport(plikCzasow(p_Plik, p));
        const QList<QByteArray> czasy = raport.open(QIODevice::ReadOnly) ? raport.readAll().split('\n') : QList<QByteArray>();
        for (int i = 0; i < p_Watki * p_Wpisy; ++i) {
            if (czasy.value(i).toLongLong() <= p_OstatniePrzyciecie)
                continue;
            ++p_Wynik.PoOstatnimPrzycieciu;
            if (!widziane[size_t(p) * p_Watki * p_Wpisy + i])
                ++p_Wynik.BrakujacePoPrzycieciu;
        }
    }
    p_Wynik.PlikiBoczne =
        QDir(QFileInfo(p_Plik).path()).entryList({QStringLiteral("*_") + QFileInfo(p_Plik).fileName()}, QDir::Files).size();
}

TWynikRundy runda(const QString &p_Katalog, int p_Procesy, int p_Watki, int p_Wpisy, int32_t p_Limit)
{
    TWynikRundy wynik;
    QDir().mkpath(p_Katalog);
    const QString log = p_Katalog + QStringLiteral("/Errors.txt");
    std::vector<std::unique_ptr<QProcess>> dzieci;
    for (int p = 0; p < p_Procesy; ++p) {
        dzieci.push_back(std::make_unique<QProcess>());
        dzieci.back()->setProcessChannelMode(QProcess::ForwardedChannels);
        dzieci.back()->start(QCoreApplication::applicationFilePath(),
                             {QStringLiteral("--dziecko"), log, QString::number(p_Limit), QString::number(p),
                              QString::number(p_Watki), QString::number(p_Wpisy)});
        if (!dzieci.back()->waitForStarted())
            ++wynik.DzieciZBledem;
    }
    // Watched from when the children are ready to write; started only after
    // the forks, which a thread sanitizer asks of a process that forks.
    TObserwatorPrzyciec przyciecia(log);
    QElapsedTimer zegar;
    zegar.start();
    for (auto &d : dzieci)
        d->closeWriteChannel();
    for (auto &d : dzieci)
        if (!d->waitForFinished(-1) || d->exitStatus() != QProcess::NormalExit || d->exitCode() != 0)
            ++wynik.DzieciZBledem;
    wynik.Sekundy = zegar.nsecsElapsed() / 1e9;
    przyciecia.Zatrzymaj();
    wynik.Przyciecia = przyciecia.Liczba();
    sprawdz(log, p_Procesy, p_Watki, p_Wpisy, p_Limit > 0, przyciecia.Ostatnie(), wynik);
    return wynik;
}

bool wypisz(const QByteArray &p_Nazwa, const TWynikRundy &p_Wynik, int p_Wszystkie, int32_t p_Limit)
{
    std::printf("%s: %.2f s, %.0f entries/s, %d trims, log %lld bytes in %lld lines (longest %lld bytes)\n",
                p_Nazwa.constData(),
                p_Wynik.Sekundy, p_Wszystkie / p_Wynik.Sekundy, p_Wynik.Przyciecia, (long long)p_Wynik.Rozmiar,
                (long long)p_Wynik.Linie, (long long)p_Wynik.NajdluzszaLinia);
    std::printf("  broken lines %lld, doubled %lld, missing %lld, side files %lld, failed children %d\n",
                (long long)p_Wynik.Zlamane, (long long)p_Wynik.Podwojne, (long long)p_Wynik.Brakujace,
                (long long)p_Wynik.PlikiBoczne, p_Wynik.DzieciZBledem);
    bool dobrze = p_Wynik.Zlamane == 0 && p_Wynik.Podwojne == 0 && p_Wynik.Brakujace == 0
                  && p_Wynik.PlikiBoczne == 0 && p_Wynik.DzieciZBledem == 0;
    if (p_Limit > 0) {
        const bool wLimicie = p_Wynik.Rozmiar <= p_Limit + p_Wynik.NajdluzszaLinia;
        std::printf("  within the limit of %d bytes (+ one entry): %s\n", p_Limit, wLimicie ? "yes" : "NO");
        std::printf("  entries made after the last trim %lld, missing of them %lld\n",
                    (long long)p_Wynik.PoOstatnimPrzycieciu, (long long)p_Wynik.BrakujacePoPrzycieciu);
        dobrze = dobrze && wLimicie && p_Wynik.Przyciecia > 0 && p_Wynik.BrakujacePoPrzycieciu == 0;
    } else {
        std::printf("  entries in the log %lld of %d\n", (long long)p_Wynik.Linie, p_Wszystkie);
        dobrze = dobrze && p_Wynik.Linie == p_Wszystkie;
    }
    std::printf("  %s\n", dobrze ? "OK" : "FAILED");
    return dobrze;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication aplikacja(argc, argv);
    const QStringList argumenty = aplikacja.arguments().mid(1);
    if (argumenty.value(0) == QLatin1String("--dziecko"))
        return dziecko(argumenty.mid(1));

    const int procesy = argumenty.size() > 0 ? argumenty[0].toInt() : 16;
    const int watki = argumenty.size() > 1 ? argumenty[1].toInt() : 4;
    const int wpisy = argumenty.size() > 2 ? argumenty[2].toInt() : 1000;
    const int32_t limit = argumenty.size() > 3 ? argumenty[3].toInt() : 262144;
    if (procesy <= 0 || procesy > 99 || watki <= 0 || wpisy <= 0 || wpisy > 9999 || limit <= 0) {
        std::fprintf(stderr, "usage: %s [PROCESSES<100] [THREADS] [ENTRIES<10000] [LIMIT_BYTES]\n", argv[0]);
        return 2;
    }
    QTemporaryDir katalog;
    if (!katalog.isValid())
        return 2;
    const int wszystkie = procesy * watki * wpisy;
    std::printf("%d processes x %d threads x %d entries = %d entries, Polish text in each\n", procesy, watki, wpisy,
                wszystkie);
    std::fflush(stdout);
    bool dobrze = wypisz("without trimming", runda(katalog.filePath(QStringLiteral("bez")), procesy, watki, wpisy, -1),
                         wszystkie, -1);
    dobrze = wypisz("trimmed above " + QByteArray::number(limit),
                    runda(katalog.filePath(QStringLiteral("z")), procesy, watki, wpisy, limit), wszystkie, limit)
             && dobrze;
    return dobrze ? 0 : 1;
}
