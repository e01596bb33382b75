#include "KatalogDanych.h"
#include "KatalogTestowy.h"
#include "KodowanieZnakow.h"
#include "LogBledow.h"
#include "NagrywaczKomunikatow.h"
#include "Wersja.h"
#include "ZglaszanieBledow.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace {

// Each line "\t<text>\r\n" of p_Teksty found exactly once in p_Log; the rest listed.
QStringList niePojedyncze(const QString &p_Log, const QStringList &p_Teksty)
{
    QStringList zle;
    for (const QString &tekst : p_Teksty)
        if (p_Log.count(QLatin1Char('\t') + tekst + QStringLiteral("\r\n")) != 1)
            zle << tekst;
    return zle;
}

const QByteArray bom("\xEF\xBB\xBF");
const QString sprawdzUprawnienia =
    QStringLiteral("Sprawdź uprawnienia systemu Windows do zapisu tego pliku i katalogu z tym plikiem.");

// Warsaw time for one test: winter UTC+1, summer UTC+2.
class StrefaWarszawska
{
public:
    StrefaWarszawska() : FPoprzednia(qgetenv("TZ"))
    {
        qputenv("TZ", "Europe/Warsaw");
        ::tzset();
    }
    ~StrefaWarszawska()
    {
        if (FPoprzednia.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", FPoprzednia);
        ::tzset();
    }

private:
    QByteArray FPoprzednia;
};

} // namespace

// Every test writes through a log of its own; message boxes are recorded.
class LogBledow : public KatalogTestowy
{
protected:
    void SetUp() override
    {
        FNagrywacz.emplace(mrOk, TNagrywaczKomunikatow::TMiejsce::Okno);
        FPlik = Sciezka(QStringLiteral("Errors.txt"));
    }
    void TearDown() override
    {
        QCoreApplication::processEvents();
        FNagrywacz.reset();
    }

    // Recorded as the dialog sees them, caption included.
    const std::vector<TNagrywaczKomunikatow::TKomunikat> &Komunikaty() const { return FNagrywacz->Komunikaty(); }

    void Zapisz(TLogBledow &p_Log, const QString &p_Tekst, int32_t p_Max = 0, const QString &p_Plik = QString())
    {
        p_Log.Zapisz(p_Tekst, p_Plik.isEmpty() ? FPlik : p_Plik, p_Max, QDateTime(), false);
    }

    // A log of p_Rozmiar bytes in 100-byte lines; its last line is Windows-1250.
    qint64 Wypelnij(qint64 p_Rozmiar)
    {
        QByteArray tresc = bom;
        for (int i = 0; tresc.size() < p_Rozmiar - 100; ++i)
            tresc += QByteArray::number(i).rightJustified(8, '0') + QByteArray(90, '.') + "\r\n";
        tresc += TekstNaPolskiAnsi(QStringLiteral("ostatnia: żółw")) + "\r\n";
        ZapiszPlik(QStringLiteral("Errors.txt"), tresc);
        return tresc.size();
    }

    std::optional<TNagrywaczKomunikatow> FNagrywacz;
    QString FPlik;
    TLogBledow FLog;
};

TEST_F(LogBledow, FirstEntryCarriesByteOrderMarkAndBothTimeStamps)
{
    if (!QTimeZone(QByteArrayLiteral("Europe/Warsaw")).isValid())
        GTEST_SKIP() << "no time-zone database";
    StrefaWarszawska strefa;
    FLog.Zapisz(QStringLiteral("Zima"), FPlik, 0, QDateTime(QDate(2025, 12, 9), QTime(15, 30, 12, 345)), true);
    FLog.Zapisz(QStringLiteral("Lato\rdruga linia"), FPlik, 0, QDateTime(QDate(2025, 7, 1), QTime(0, 30)), false);
    EXPECT_EQ(QString::fromUtf8(CzytajPlik(FPlik)),
              QString::fromUtf8(bom) + QStringLiteral("-> 2025-12-09 15:30:12.345\tUTC: 2025-12-09 14:30:12.345\tV ")
                  + WersjaSystemu() + QStringLiteral("\tZima\r\n")
                  + QStringLiteral("-> 2025-07-01 00:30:00.000\tUTC: 2025-06-30 22:30:00.000\tLato\rdruga linia\r\n"));
    EXPECT_FALSE(WersjaSystemu().isEmpty());
    EXPECT_TRUE(Komunikaty().empty());
}

TEST_F(LogBledow, OversizedLogIsTrimmedFromTheTopOnceInTenMinutes)
{
    struct
    {
        int32_t max;
        qint64 rozmiar;
        qint64 docelowy; // 0: not trimmed
    } przypadki[] = {
        {0, 2621440, 524288},
        {0, 2000000, 0},
        {-1, 2621440, 0},
        {102400, 153600, 51200},
        {102400, 100000, 0},
    };
    for (const auto &p : przypadki) {
        TLogBledow log;
        const qint64 rozmiar = Wypelnij(p.rozmiar);
        Zapisz(log, QStringLiteral("nowy wpis"), p.max);
        const QByteArray tresc = CzytajPlik(FPlik);
        const QString opis = QStringLiteral("max %1, size %2").arg(p.max).arg(p.rozmiar);
        EXPECT_TRUE(tresc.startsWith(bom + (p.docelowy ? "" : "00000000"))) << qPrintable(opis);
        EXPECT_TRUE(tresc.endsWith("\tnowy wpis\r\n")) << qPrintable(opis);
        // The kept lines were re-encoded as UTF-8.
        EXPECT_EQ(tresc.contains(QStringLiteral("ostatnia: żółw").toUtf8()), p.docelowy != 0) << qPrintable(opis);
        if (p.docelowy) {
            const qint64 bezWpisu = tresc.size() - (tresc.size() - tresc.lastIndexOf("-> "));
            EXPECT_LE(bezWpisu, p.docelowy + 3) << qPrintable(opis);
            EXPECT_GT(bezWpisu, p.docelowy - 100) << qPrintable(opis);

            // Within ten minutes the same log is not trimmed again.
            Wypelnij(p.rozmiar);
            Zapisz(log, QStringLiteral("drugi wpis"), p.max);
            EXPECT_GT(CzytajPlik(FPlik).size(), rozmiar) << qPrintable(opis);
        } else {
            EXPECT_GT(tresc.size(), rozmiar) << qPrintable(opis);
        }
    }
}

// Trimming keeps the newest whole lines that fit within the target, counted in
// bytes as they are saved (UTF-8, CR LF), and breaks lines at CR only.
TEST_F(LogBledow, TrimKeepsTheNewestWholeLinesThatFitInBytes)
{
    const auto polski = [](int i) {
        return QStringLiteral("%1 zażółć gęślą jaźń ŻÓŁĆ GĘŚLĄ JAŹŃ zażółć gęślą jaźń").arg(i, 8, 10, QLatin1Char('0'));
    };
    const auto jakUtf8 = [&](int i) { return QByteArrayList{polski(i).toUtf8()}; };
    struct
    {
        const char *opis;
        std::function<QByteArray(int)> wpis;   // as found in the log
        std::function<QByteArrayList(int)> linie; // the lines it is split into, as saved
    } przypadki[] = {
        {"Polish UTF-8", [&](int i) { return polski(i).toUtf8() + "\r\n"; }, jakUtf8},
        {"Polish Windows-1250", [&](int i) { return TekstNaPolskiAnsi(polski(i)) + "\r\n"; }, jakUtf8},
        {"LF inside an entry stays", [&](int i) { return polski(i).toUtf8() + "\nciąg dalszy\r\n"; },
         [&](int i) { return QByteArrayList{polski(i).toUtf8() + "\nciąg dalszy"}; }},
        {"lone CR breaks the line", [&](int i) { return polski(i).toUtf8() + "\rtreść\r\n"; },
         [&](int i) { return QByteArrayList{polski(i).toUtf8(), QStringLiteral("treść").toUtf8()}; }},
    };
    for (const auto &p : przypadki) {
        QByteArray tresc = bom;
        QByteArrayList linie;
        for (int i = 0; tresc.size() < 2621440; ++i) {
            tresc += p.wpis(i);
            linie += p.linie(i);
        }
        ZapiszPlik(QStringLiteral("Errors.txt"), tresc);
        TLogBledow log;
        Zapisz(log, QStringLiteral("nowy wpis"));

        QByteArray oczekiwane;
        qint64 rozmiar = bom.size();
        for (qsizetype i = linie.size() - 1; i >= 0 && rozmiar + linie[i].size() + 2 <= DomyslnyDocelowyRozmiarLogu;
             --i) {
            oczekiwane.prepend(linie[i] + "\r\n");
            rozmiar += linie[i].size() + 2;
        }
        const QByteArray wynik = CzytajPlik(FPlik);
        const QByteArray przyciety = wynik.left(wynik.lastIndexOf("-> "));
        EXPECT_EQ(przyciety.size(), rozmiar) << p.opis;
        EXPECT_TRUE(przyciety == bom + oczekiwane) << p.opis;
        EXPECT_TRUE(wynik.endsWith("\tnowy wpis\r\n")) << p.opis;
    }
}

TEST_F(LogBledow, LogOrItsLockThatIsALinkGetsASideFileAndIsNotFollowed)
{
    for (const QString &link : {QStringLiteral("Errors.txt"), QStringLiteral("Errors.txt.lock")}) {
        const QString katalog = Sciezka(link + QStringLiteral(".d"));
        QDir().mkpath(katalog);
        const QString cel = ZapiszPlik(link + QStringLiteral(".cel"), "cudzy plik");
        ASSERT_TRUE(QFile::link(cel, katalog + QLatin1Char('/') + link));
        FLog.Zapisz(QStringLiteral("wpis obok"), katalog + QStringLiteral("/Errors.txt"), 0,
                    QDateTime(QDate(2025, 12, 9), QTime(15, 30, 12, 345)), false);

        EXPECT_EQ(CzytajPlik(cel), QByteArray("cudzy plik")) << qPrintable(link);
        const QStringList boczne = QDir(katalog).entryList({QStringLiteral("2025*")}, QDir::Files);
        ASSERT_EQ(boczne.size(), 1) << qPrintable(link);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^20251209153012345_[0-9A-Za-z@#]{21}[0GWm]_Errors\\.txt$"))
                        .match(boczne.first())
                        .hasMatch())
            << qPrintable(boczne.first());
        EXPECT_TRUE(CzytajPlik(katalog + QLatin1Char('/') + boczne.first()).endsWith("\twpis obok\r\n"));
        EXPECT_FALSE(QFile::exists(katalog + QLatin1Char('/') + boczne.first() + QStringLiteral(".lock")))
            << "a side file is nobody else's: no lock";
    }
    EXPECT_TRUE(Komunikaty().empty());
}

TEST_F(LogBledow, LogLockedTooLongGetsASideFileInBoundedTime)
{
    Zapisz(FLog, QStringLiteral("pierwszy"));
    const QByteArray blokada = QFile::encodeName(FPlik + QStringLiteral(".lock"));
    struct stat stan;
    ASSERT_EQ(::lstat(blokada.constData(), &stan), 0);
    EXPECT_TRUE(S_ISREG(stan.st_mode));
    EXPECT_EQ(stan.st_mode & 07777, 0600u);

    // Another process holding the lock and never letting go.
    const int obcy = ::open(blokada.constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(obcy, 0);
    ASSERT_EQ(::flock(obcy, LOCK_EX), 0);
    FLog.CzasOczekiwaniaNaBlokadeMs = 300;
    const auto poczatek = std::chrono::steady_clock::now();
    FLog.Zapisz(QStringLiteral("drugi"), FPlik, 0, QDateTime(QDate(2025, 12, 9), QTime(15, 30, 12, 345)), false);
    const auto czas = std::chrono::steady_clock::now() - poczatek;
    ::close(obcy);

    EXPECT_GE(czas, std::chrono::milliseconds(300));
    EXPECT_LT(czas, std::chrono::seconds(3));
    EXPECT_FALSE(CzytajPlik(FPlik).contains("drugi"));
    const QStringList boczne = QDir(FKatalog.path()).entryList({QStringLiteral("2025*")}, QDir::Files);
    ASSERT_EQ(boczne.size(), 1);
    EXPECT_TRUE(CzytajPlik(Sciezka(boczne.first())).endsWith("\tdrugi\r\n"));
}

TEST_F(LogBledow, UnwritableLogTellsTheUserOnceAtATime)
{
    const QString produkt = NazwaProduktu;
    NazwaProduktu = QStringLiteral("Ostrevia");
    const QString plik = Sciezka(QStringLiteral("brak/Errors.txt"));
    Zapisz(FLog, QStringLiteral("pierwszy"), 0, plik);
    Zapisz(FLog, QStringLiteral("drugi"), 0, plik);
    EXPECT_TRUE(Komunikaty().empty()) << "shown from the main thread's queue only";
    QCoreApplication::processEvents();
    ASSERT_EQ(Komunikaty().size(), 1u);
    EXPECT_EQ(Komunikaty()[0].Tekst, QStringLiteral("Błąd zapisu wyjątku w logu ") + plik + QStringLiteral(":\rpierwszy"));
    EXPECT_EQ(Komunikaty()[0].Rodzaj, mtError);
    EXPECT_EQ(Komunikaty()[0].Tytul, QStringLiteral("Ostrevia"));

    Zapisz(FLog, QString(1500, QLatin1Char('x')), 0, plik);
    QCoreApplication::processEvents();
    NazwaProduktu = produkt;
    ASSERT_EQ(Komunikaty().size(), 2u);
    EXPECT_TRUE(Komunikaty()[1].Tekst.endsWith(QStringLiteral(":\r") + QString(1000, QLatin1Char('x'))));
}

TEST_F(LogBledow, AfterAHundredSideFilesADayOnlyTheLimitIsReported)
{
    const QString plik = Sciezka(QStringLiteral("brak/Errors.txt"));
    for (int i = 0; i < DziennyLimitPlikowLogu; ++i)
        Zapisz(FLog, QStringLiteral("wpis"), 0, plik);
    QCoreApplication::processEvents();
    FNagrywacz->Wyczysc();
    Zapisz(FLog, QStringLiteral("ponad limit"), 0, plik);
    QCoreApplication::processEvents();
    ASSERT_EQ(Komunikaty().size(), 1u);
    EXPECT_EQ(Komunikaty()[0].Tekst, QStringLiteral("Błąd zapisu wyjątku w logu ") + plik
                                       + QStringLiteral(":\rPrzekroczono dzienny limit 100 plików logów tymczasowych.\r")
                                       + sprawdzUprawnienia + QStringLiteral("\r\rponad limit"));
}

TEST_F(LogBledow, DirectoryWithoutWritePermissionGetsANote)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes everywhere";
    const QString katalog = Sciezka(QStringLiteral("zamkniety"));
    QDir().mkpath(katalog);
    // A log already there takes entries all the same, without a lock file.
    const QString istniejacy = ZapiszPlik(QStringLiteral("zamkniety/Istniejacy.txt"), bom);
    ::chmod(QFile::encodeName(katalog).constData(), 0500);
    const QString plik = katalog + QStringLiteral("/Errors.txt");
    Zapisz(FLog, QStringLiteral("wpis"), 0, plik);
    QCoreApplication::processEvents();
    Zapisz(FLog, QStringLiteral("do istniejącego"), 0, istniejacy);
    ::chmod(QFile::encodeName(katalog).constData(), 0700);
    ASSERT_GE(Komunikaty().size(), 1u);
    EXPECT_EQ(Komunikaty()[0].Tekst,
              QStringLiteral("Błąd zapisu wyjątku w logu ") + plik + QStringLiteral(":\r\r") + sprawdzUprawnienia);
    EXPECT_TRUE(CzytajPlik(istniejacy).endsWith(QStringLiteral("\tdo istniejącego\r\n").toUtf8()));
}

// The worker writes the main thread's entries in order; other threads write
// their own, all through one trim of an oversized log, nothing lost.
TEST_F(LogBledow, WorkerAndOtherThreadsShareTheLogAndItsTrim)
{
    Wypelnij(2621440);
    FLog.UruchomWatek();
    constexpr int watki = 4, wpisyWatku = 100, wpisyGlowne = 40;
    std::atomic<bool> start{false};
    std::vector<std::thread> obce;
    QStringList teksty;
    for (int w = 0; w < watki; ++w) {
        for (int i = 0; i < wpisyWatku; ++i)
            teksty << QStringLiteral("wątek %1 wpis %2").arg(w).arg(i);
        obce.emplace_back([&, w] {
            while (!start)
                std::this_thread::yield();
            for (int i = 0; i < wpisyWatku; ++i)
                Zapisz(FLog, QStringLiteral("wątek %1 wpis %2").arg(w).arg(i));
        });
    }
    start = true;
    for (int i = 0; i < wpisyGlowne; ++i)
        Zapisz(FLog, QStringLiteral("wpis %1").arg(i));
    for (std::thread &w : obce)
        w.join();
    FLog.CzekajNaZapis();
    FLog.ZatrzymajWatek();

    const QString tresc = QString::fromUtf8(CzytajPlik(FPlik));
    qsizetype pozycja = -1;
    for (int i = 0; i < wpisyGlowne; ++i) {
        const qsizetype nastepna = tresc.indexOf(QStringLiteral("\twpis %1\r\n").arg(i));
        ASSERT_GT(nastepna, pozycja) << i;
        pozycja = nastepna;
    }
    const QStringList zle = niePojedyncze(tresc, teksty);
    EXPECT_TRUE(zle.isEmpty()) << zle.size() << " lost or doubled, first: " << qPrintable(zle.value(0));
    EXPECT_LT(tresc.toUtf8().size(), DomyslnyMaksymalnyRozmiarLogu);
}

// Processes writing one oversized log at once: every entry survives the trim.
TEST_F(LogBledow, EntriesOfManyProcessesSurviveTheTrim)
{
    Wypelnij(2621440);
    constexpr int procesy = 16, wpisy = 20;
    std::vector<std::unique_ptr<QProcess>> dzieci;
    QStringList teksty;
    for (int p = 0; p < procesy; ++p) {
        for (int i = 0; i < wpisy; ++i)
            teksty << QStringLiteral("proces %1 wpis %2 zażółć").arg(p).arg(i);
        dzieci.push_back(std::make_unique<QProcess>());
        dzieci.back()->start(QCoreApplication::applicationDirPath() + QStringLiteral("/ostrevia_runtime_pomocnik_logu"),
                             {FPlik, QStringLiteral("0"), QString::number(p), QString::number(wpisy)});
        ASSERT_TRUE(dzieci.back()->waitForStarted());
    }
    // Standard input closed: all start writing.
    for (auto &dziecko : dzieci)
        dziecko->closeWriteChannel();
    for (auto &dziecko : dzieci) {
        ASSERT_TRUE(dziecko->waitForFinished(60000));
        EXPECT_EQ(dziecko->exitCode(), 0);
    }
    const QString tresc = QString::fromUtf8(CzytajPlik(FPlik));
    const QStringList zle = niePojedyncze(tresc, teksty);
    EXPECT_TRUE(zle.isEmpty()) << zle.size() << " lost or doubled, first: " << qPrintable(zle.value(0));
    EXPECT_LT(tresc.toUtf8().size(), DomyslnyMaksymalnyRozmiarLogu);
}

class ZglaszanieBledow : public LogBledow
{
protected:
    void SetUp() override
    {
        LogBledow::SetUp();
        FPlikBledow = PlikBledow;
        PlikBledow = FPlik;
        UstawKatalogDanych(FKatalog.path() + QLatin1Char('/'));
    }
    void TearDown() override
    {
        PlikBledow = FPlikBledow;
        UstawKatalogDanych(QString());
        TrybCichy = false;
        UstawZapisWyjatku(nullptr);
        UstawTytulAplikacji(QString());
        LogBledow::TearDown();
    }
    QString FPlikBledow;
};

TEST_F(ZglaszanieBledow, ReportIsLoggedAndShownWhenAsked)
{
    UstawTytulAplikacji(QStringLiteral("Tytuł okna"));
    ZglosBlad(QStringLiteral("Treść"), true, QStringLiteral("Nagłówek"));
    ZglosBlad(QStringLiteral("Bez nagłówka"), true);
    ZglosBlad(QStringLiteral("Po cichu"), false, QStringLiteral("N"));
    TrybCichy = true;
    ZglosBlad(QStringLiteral("W trybie cichym"), true);
    ZglosBladFmt(QStringLiteral("PokazPodpowiedz ('%s',%d) -> %s"), {QStringLiteral("x"), 5, QStringLiteral("OK")});

    const QString log = QString::fromUtf8(CzytajPlik(FPlik));
    for (const QString &tekst : {QStringLiteral("Nagłówek\rTreść"), QStringLiteral("Bez nagłówka"),
                                 QStringLiteral("N\rPo cichu"), QStringLiteral("W trybie cichym"),
                                 QStringLiteral("PokazPodpowiedz ('x',5) -> OK")})
        EXPECT_TRUE(log.contains(QLatin1Char('\t') + tekst + QStringLiteral("\r\n"))) << qPrintable(tekst);
    EXPECT_TRUE(log.contains(QStringLiteral("\tV ") + WersjaSystemu() + QLatin1Char('\t')));
    ASSERT_EQ(Komunikaty().size(), 2u);
    EXPECT_EQ(Komunikaty()[0].Tekst, QStringLiteral("Nagłówek"));
    EXPECT_EQ(Komunikaty()[0].Rodzaj, mtCustom);
    EXPECT_EQ(Komunikaty()[1].Tekst, QStringLiteral("Bez nagłówka"));
    for (const auto &k : Komunikaty())
        EXPECT_EQ(k.Tytul, QStringLiteral("ostrevia_runtime_tests")) << "the executable's file name";
}

TEST_F(ZglaszanieBledow, RegisteredHandlerTakesTheReportOver)
{
    struct TZapis : IZapisWyjatku
    {
        void ZglosBlad(const QString &p_Komunikat, bool p_Pokaz, const QString &p_Naglowek, bool p_Flaga) override
        {
            Otrzymane = p_Komunikat + QLatin1Char('|') + QString::number(p_Pokaz) + QLatin1Char('|') + p_Naglowek
                        + QLatin1Char('|') + QString::number(p_Flaga);
        }
        QString Otrzymane;
    } zapis;
    UstawZapisWyjatku(&zapis);
    ZglosBlad(QStringLiteral("m"), true, QStringLiteral("h"), true);
    EXPECT_EQ(zapis.Otrzymane, QStringLiteral("m|1|h|1"));
    EXPECT_FALSE(QFile::exists(FPlik));
    EXPECT_TRUE(Komunikaty().empty());
}

// The log named when the entry is made, whenever the worker writes it.
TEST_F(ZglaszanieBledow, EntryGoesToTheLogNamedWhenItWasMade)
{
    FLog.UruchomWatek();
    constexpr int wpisy = 300;
    for (int i = 0; i < wpisy; ++i)
        FLog.Zapisz(QStringLiteral("wpis %1").arg(i), QString(), 0, QDateTime(), false);
    PlikBledow = Sciezka(QStringLiteral("Inny.txt"));
    FLog.CzekajNaZapis();
    FLog.ZatrzymajWatek();
    EXPECT_EQ(CzytajPlik(FPlik).count("\twpis "), wpisy);
    EXPECT_FALSE(QFile::exists(PlikBledow));
}

TEST_F(ZglaszanieBledow, BareFileNameGoesToTheDataDirectory)
{
    ZapiszWyjatekWLogu(QStringLiteral("diagnostyka"), QStringLiteral("OstreviaUpdateActions.txt"), 102400);
    EXPECT_TRUE(CzytajPlik(Sciezka(QStringLiteral("OstreviaUpdateActions.txt"))).endsWith("\tdiagnostyka\r\n"));
}
