// Both programs ended by SIGTERM, SIGINT and SIGHUP while they work: the
// window through its event loop, the render tool in the middle of a long
// transformation. Neither leaves a temporary file or its process folder.
#include "KatalogTestowy.h"
#include "NazwaPrzypadku.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <unistd.h>

namespace {

struct TPrzypadek
{
    const char *Nazwa;
    const char *Program;
    int Sygnal;
};

void PrintTo(const TPrzypadek &p, std::ostream *os)
{
    *os << p.Nazwa;
}

class SygnalyProgramow : public KatalogTestowy, public ::testing::WithParamInterface<TPrzypadek>
{
protected:
    // A message big enough to keep the transformation busy for seconds.
    static void SetUpTestSuite()
    {
        duzy = std::make_unique<QTemporaryDir>();
        QProcess generator;
        generator.start(QStringLiteral("python3"),
                        {QStringLiteral(OSTREVIA_TEST_DATA "/../../bench/generuj_ie529.py"), QStringLiteral("--mb"),
                         QStringLiteral("20"), duzy->filePath(QStringLiteral("duzy.xml"))});
        generator.waitForFinished(120000);
    }
    static void TearDownTestSuite() { duzy.reset(); }

    static bool Czekaj(const std::function<bool()> &p_Warunek)
    {
        QElapsedTimer czas;
        czas.start();
        while (!p_Warunek()) {
            if (czas.elapsed() > 60000)
                return false;
            QThread::msleep(20);
        }
        return true;
    }

    static std::unique_ptr<QTemporaryDir> duzy;
};
std::unique_ptr<QTemporaryDir> SygnalyProgramow::duzy;

} // namespace

TEST_P(SygnalyProgramow, NoTemporaryFileOrFolderStays)
{
    const TPrzypadek &przypadek = GetParam();
    const bool okno = QLatin1String(przypadek.Program) == QLatin1String("ostrevia");
    const QString wejscie = okno ? Dane(QStringLiteral("IE529.xml")) : duzy->filePath(QStringLiteral("duzy.xml"));
    ASSERT_TRUE(QFileInfo(wejscie).size() > 0);
    QProcess proces;
    proces.setWorkingDirectory(FKatalog.path());
    proces.start(QStringLiteral(OSTREVIA_BIN_DIR "/") + QLatin1String(przypadek.Program),
                 {wejscie, QStringLiteral("-o"), Sciezka(QStringLiteral("wynik.html"))});
    ASSERT_TRUE(proces.waitForStarted());
    const QString katalog = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/VelmoraSoftware-")
                            + QString::number(::geteuid()) + QStringLiteral("/Proc_")
                            + QString::number(proces.processId());

    // The window signals once its page is written into its temporary files;
    // the render tool once the page's file beside its target exists and the
    // transformation has begun.
    const QStringList pliki{QStringLiteral("SzablPodgl_*.tmp"), QStringLiteral("PlikWynik_*.html")};
    ASSERT_TRUE(Czekaj([&] {
        if (!okno)
            return !QDir(FKatalog.path())
                        .entryList({QStringLiteral(".wynik.html.*.tmp")}, QDir::Files | QDir::Hidden)
                        .isEmpty();
        const QFileInfoList znalezione = QDir(katalog).entryInfoList(pliki, QDir::Files);
        return znalezione.size() == 2 && znalezione.first().size() > 2 && znalezione.last().size() > 2;
    })) << qPrintable(katalog);
    QThread::msleep(300);
    ASSERT_EQ(proces.state(), QProcess::Running) << "finished before the signal";
    ::kill(static_cast<pid_t>(proces.processId()), przypadek.Sygnal);
    ASSERT_TRUE(proces.waitForFinished(30000));

    if (okno) {
        EXPECT_EQ(proces.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(proces.exitCode(), 128 + przypadek.Sygnal);
    } else {
        EXPECT_EQ(proces.exitStatus(), QProcess::CrashExit);
        EXPECT_EQ(proces.exitCode(), przypadek.Sygnal);
    }
    EXPECT_FALSE(QFileInfo::exists(katalog)) << qPrintable(QDir(katalog).entryList().join(QLatin1Char(' ')));
    EXPECT_TRUE(QDir(FKatalog.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Programy, SygnalyProgramow,
                         ::testing::Values(TPrzypadek{"OknoTerm", "ostrevia", SIGTERM},
                                           TPrzypadek{"OknoInt", "ostrevia", SIGINT},
                                           TPrzypadek{"OknoHup", "ostrevia", SIGHUP},
                                           TPrzypadek{"RenderTerm", "ostrevia-render", SIGTERM},
                                           TPrzypadek{"RenderInt", "ostrevia-render", SIGINT},
                                           TPrzypadek{"RenderHup", "ostrevia-render", SIGHUP}),
                         NazwaZOpisu());
