#include "KatalogDanych.h"
#include "KatalogTestowy.h"
#include "KodowanieZnakow.h"
#include "Komunikaty.h"
#include "LogBledow.h"
#include "ZglaszanieBledow.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <thread>

namespace {

struct TKomunikat
{
    QString Tekst;
    TMsgDlgType Rodzaj;
};
std::vector<TKomunikat> komunikaty;

int zapamietajKomunikat(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons, int32_t)
{
    komunikaty.push_back({p_Tekst, p_Rodzaj});
    return mrOk;
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
        komunikaty.clear();
        ProcKomunikatu = zapamietajKomunikat;
        FPlik = Sciezka(QStringLiteral("Errors.txt"));
    }
    void TearDown() override
    {
        QCoreApplication::processEvents();
        ProcKomunikatu = nullptr;
    }

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
    EXPECT_TRUE(komunikaty.empty());
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

TEST_F(LogBledow, LogThatIsALinkGetsASideFileAndIsNotFollowed)
{
    const QString cel = ZapiszPlik(QStringLiteral("cel.txt"), "cudzy plik");
    ASSERT_TRUE(QFile::link(cel, FPlik));
    FLog.Zapisz(QStringLiteral("wpis obok"), FPlik, 0, QDateTime(QDate(2025, 12, 9), QTime(15, 30, 12, 345)), false);

    EXPECT_EQ(CzytajPlik(cel), QByteArray("cudzy plik"));
    const QStringList boczne = QDir(FKatalog.path()).entryList({QStringLiteral("2025*")}, QDir::Files);
    ASSERT_EQ(boczne.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^20251209153012345_[0-9A-Za-z@#]{21}[0GWm]_Errors\\.txt$"))
                    .match(boczne.first())
                    .hasMatch())
        << qPrintable(boczne.first());
    EXPECT_TRUE(CzytajPlik(Sciezka(boczne.first())).endsWith("\twpis obok\r\n"));
    EXPECT_TRUE(komunikaty.empty());
}

TEST_F(LogBledow, UnwritableLogTellsTheUserOnceAtATime)
{
    const QString plik = Sciezka(QStringLiteral("brak/Errors.txt"));
    Zapisz(FLog, QStringLiteral("pierwszy"), 0, plik);
    Zapisz(FLog, QStringLiteral("drugi"), 0, plik);
    EXPECT_TRUE(komunikaty.empty()) << "shown from the main thread's queue only";
    QCoreApplication::processEvents();
    ASSERT_EQ(komunikaty.size(), 1u);
    EXPECT_EQ(komunikaty[0].Tekst, QStringLiteral("Błąd zapisu wyjątku w logu ") + plik + QStringLiteral(":\rpierwszy"));
    EXPECT_EQ(komunikaty[0].Rodzaj, mtError);

    Zapisz(FLog, QString(1500, QLatin1Char('x')), 0, plik);
    QCoreApplication::processEvents();
    ASSERT_EQ(komunikaty.size(), 2u);
    EXPECT_TRUE(komunikaty[1].Tekst.endsWith(QStringLiteral(":\r") + QString(1000, QLatin1Char('x'))));
}

TEST_F(LogBledow, AfterAHundredSideFilesADayOnlyTheLimitIsReported)
{
    const QString plik = Sciezka(QStringLiteral("brak/Errors.txt"));
    for (int i = 0; i < DziennyLimitPlikowLogu; ++i)
        Zapisz(FLog, QStringLiteral("wpis"), 0, plik);
    QCoreApplication::processEvents();
    komunikaty.clear();
    Zapisz(FLog, QStringLiteral("ponad limit"), 0, plik);
    QCoreApplication::processEvents();
    ASSERT_EQ(komunikaty.size(), 1u);
    EXPECT_EQ(komunikaty[0].Tekst, QStringLiteral("Błąd zapisu wyjątku w logu ") + plik
                                       + QStringLiteral(":\rPrzekroczono dzienny limit 100 plików logów tymczasowych.\r")
                                       + sprawdzUprawnienia + QStringLiteral("\r\rponad limit"));
}

TEST_F(LogBledow, DirectoryWithoutWritePermissionGetsANote)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes everywhere";
    const QString katalog = Sciezka(QStringLiteral("zamkniety"));
    QDir().mkpath(katalog);
    ::chmod(QFile::encodeName(katalog).constData(), 0500);
    const QString plik = katalog + QStringLiteral("/Errors.txt");
    Zapisz(FLog, QStringLiteral("wpis"), 0, plik);
    QCoreApplication::processEvents();
    ::chmod(QFile::encodeName(katalog).constData(), 0700);
    ASSERT_GE(komunikaty.size(), 1u);
    EXPECT_EQ(komunikaty[0].Tekst,
              QStringLiteral("Błąd zapisu wyjątku w logu ") + plik + QStringLiteral(":\r\r") + sprawdzUprawnienia);
}

TEST_F(LogBledow, WorkerWritesTheMainThreadsEntriesInOrder)
{
    FLog.UruchomWatek();
    std::thread obcy([&] { Zapisz(FLog, QStringLiteral("z innego wątku")); });
    for (int i = 0; i < 40; ++i)
        Zapisz(FLog, QStringLiteral("wpis %1").arg(i));
    obcy.join();
    FLog.CzekajNaZapis();
    const QString tresc = QString::fromUtf8(CzytajPlik(FPlik));
    qsizetype pozycja = 0;
    for (int i = 0; i < 40; ++i) {
        const qsizetype nastepna = tresc.indexOf(QStringLiteral("\twpis %1\r\n").arg(i));
        ASSERT_GT(nastepna, pozycja - (i == 0 ? 1 : 0)) << i;
        pozycja = nastepna;
    }
    EXPECT_TRUE(tresc.contains(QStringLiteral("\tz innego wątku\r\n")));
    FLog.ZatrzymajWatek();
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
        LogBledow::TearDown();
    }
    QString FPlikBledow;
};

TEST_F(ZglaszanieBledow, ReportIsLoggedAndShownWhenAsked)
{
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
    ASSERT_EQ(komunikaty.size(), 2u);
    EXPECT_EQ(komunikaty[0].Tekst, QStringLiteral("Nagłówek"));
    EXPECT_EQ(komunikaty[0].Rodzaj, mtCustom);
    EXPECT_EQ(komunikaty[1].Tekst, QStringLiteral("Bez nagłówka"));
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
    EXPECT_TRUE(komunikaty.empty());
}

TEST_F(ZglaszanieBledow, BareFileNameGoesToTheDataDirectory)
{
    ZapiszWyjatekWLogu(QStringLiteral("diagnostyka"), QStringLiteral("OstreviaUpdateActions.txt"), 102400);
    EXPECT_TRUE(CzytajPlik(Sciezka(QStringLiteral("OstreviaUpdateActions.txt"))).endsWith("\tdiagnostyka\r\n"));
}
