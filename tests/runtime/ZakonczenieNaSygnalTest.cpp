// Signals sent to a real child process: whether its main thread reacts in its
// event loop or is busy elsewhere, nothing temporary is left behind.
#include "KatalogTestowy.h"
#include "NazwaPrzypadku.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

namespace {

struct TPrzypadek
{
    const char *Nazwa;
    const char *Tryb;
    int Sekundy;
    int Sygnal;
    bool DrugiSygnal;
    // Through the event loop the process returns 128 + signal; the watchdog
    // lets it die of the signal.
    bool PrzezPetle;
};

void PrintTo(const TPrzypadek &p, std::ostream *os)
{
    *os << p.Nazwa;
}

class ZakonczenieNaSygnal : public KatalogTestowy, public ::testing::WithParamInterface<TPrzypadek>
{
};

} // namespace

TEST_P(ZakonczenieNaSygnal, NothingTemporaryIsLeft)
{
    const TPrzypadek &przypadek = GetParam();
    const QString wyjscie = Sciezka(QStringLiteral("wynik.html"));
    QProcess proces;
    proces.start(QCoreApplication::applicationDirPath() + QStringLiteral("/ostrevia_runtime_sygnaly"),
                 {QLatin1String(przypadek.Tryb), QString::number(przypadek.Sekundy), wyjscie});
    ASSERT_TRUE(proces.waitForStarted());
    QByteArray linia;
    while (!linia.endsWith('\n') && proces.waitForReadyRead(10000))
        linia += proces.readAllStandardOutput();
    ASSERT_TRUE(linia.startsWith("gotowy /")) << linia.constData() << proces.readAllStandardError().constData();
    const QString katalog = QString::fromUtf8(linia.mid(7).trimmed());
    ASSERT_EQ(QDir(katalog).entryList(QDir::Files).size(), 2);
    ASSERT_EQ(QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "the output's temporary file";

    QElapsedTimer czas;
    czas.start();
    ::kill(static_cast<pid_t>(proces.processId()), przypadek.Sygnal);
    if (przypadek.DrugiSygnal) {
        EXPECT_FALSE(proces.waitForFinished(500));
        ::kill(static_cast<pid_t>(proces.processId()), przypadek.Sygnal);
    }
    ASSERT_TRUE(proces.waitForFinished(20000));
    if (przypadek.PrzezPetle) {
        EXPECT_EQ(proces.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(proces.exitCode(), 128 + przypadek.Sygnal);
    } else {
        EXPECT_EQ(proces.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(proces.exitCode(), przypadek.Sygnal);
        // Not before its time to react, unless a second signal cut it short.
        if (!przypadek.DrugiSygnal) {
            EXPECT_GE(czas.elapsed(), przypadek.Sekundy * 1000 - 100);
        }
    }
    EXPECT_FALSE(QFileInfo::exists(katalog)) << qPrintable(katalog);
    EXPECT_TRUE(QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Przypadki, ZakonczenieNaSygnal,
    ::testing::Values(TPrzypadek{"TermWPetli", "petla", 5, SIGTERM, false, true},
                      TPrzypadek{"IntWPetli", "petla", 5, SIGINT, false, true},
                      TPrzypadek{"HupWPetli", "petla", 5, SIGHUP, false, true},
                      TPrzypadek{"TermGdyZajetyPoCzasieNaReakcje", "zajety", 1, SIGTERM, false, false},
                      TPrzypadek{"IntBezCzasuNaReakcje", "zajety", 0, SIGINT, false, false},
                      TPrzypadek{"DrugiHupGdyZajety", "zajety", 60, SIGHUP, true, false}),
    NazwaZOpisu());
