#include "KatalogTestowy.h"
#include "LogBledow.h"
#include "NazwaPrzypadku.h"
#include "PlikiTymczasowe.h"
#include "Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <utility>

namespace {

QString oczekiwanyKatalog()
{
    return qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/VelmoraSoftware-") + QString::number(::geteuid())
           + QStringLiteral("/Proc_") + QString::number(::getpid()) + QLatin1Char('/');
}

// Points the temporary root somewhere else for one test.
class InnyKorzen
{
public:
    explicit InnyKorzen(const QString &p_Baza) : FPoprzedni(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(p_Baza));
    }
    ~InnyKorzen() { qputenv("XDG_RUNTIME_DIR", FPoprzedni); }

private:
    QByteArray FPoprzedni;
};

} // namespace

class PlikiTymczasowe : public KatalogTestowy
{
};

TEST(PlikiTymczasoweNumery, Base36Digits)
{
    const std::pair<int, const char *> przypadki[] = {{0, ""},   {1, "1"},   {9, "9"},      {10, "a"},
                                                      {35, "z"}, {36, "10"}, {1295, "zz"}, {100000, "255s"}};
    for (const auto &[liczba, tekst] : przypadki)
        EXPECT_EQ(LiczbaWSystemie36(liczba), QLatin1String(tekst)) << liczba;
}

TEST_F(PlikiTymczasowe, ViewerNamesRiseAndAreNeverReused)
{
    const QString katalog = oczekiwanyKatalog();
    const QString pierwszy = DajNazwePlikuTymczasowego(QStringLiteral("SzablPodgl"));
    EXPECT_EQ(pierwszy, katalog + QStringLiteral("SzablPodgl_1.tmp"));
    EXPECT_EQ(DajNazwePlikuTymczasowego(QStringLiteral("PlikWynik"), QString()),
              katalog + QStringLiteral("PlikWynik_1.tmp"));
    EXPECT_EQ(CzytajPlik(pierwszy), QByteArray("\r\n"));
    ASSERT_TRUE(QFile::remove(pierwszy));
    EXPECT_EQ(DajNazwePlikuTymczasowego(QStringLiteral("szablpodgl")), katalog + QStringLiteral("szablpodgl_2.tmp"));

    struct stat stan;
    ASSERT_EQ(::lstat(QFile::encodeName(katalog).constData(), &stan), 0);
    EXPECT_EQ(stan.st_mode & 0777, 0700u);
    ASSERT_EQ(::lstat(QFile::encodeName(katalog + QStringLiteral("PlikWynik_1.tmp")).constData(), &stan), 0);
    EXPECT_EQ(stan.st_mode & 0077, 0u);
}

TEST_F(PlikiTymczasowe, ExistingNamesAndLinksAreSkipped)
{
    const QString katalog = DajKatalogTymczasowy();
    ASSERT_FALSE(katalog.isEmpty());
    const QString cel = ZapiszPlik(QStringLiteral("cel.txt"), "nie ruszać");
    ASSERT_TRUE(QFile::link(cel, katalog + QStringLiteral("Zajety_1.log")));
    ZapiszPlik(QStringLiteral("x"), QByteArray());
    ASSERT_TRUE(QFile::copy(Sciezka(QStringLiteral("x")), katalog + QStringLiteral("Zajety_2.log")));

    EXPECT_EQ(DajNazwePlikuTymczasowego(QStringLiteral("Zajety"), QStringLiteral(".log")),
              katalog + QStringLiteral("Zajety_3.log"));
    EXPECT_EQ(CzytajPlik(cel), QByteArray("nie ruszać"));
}

TEST_F(PlikiTymczasowe, PlainNameFirstWhenAsked)
{
    const QString katalog = DajKatalogTymczasowy();
    EXPECT_EQ(DajNazwePlikuTymczasowego(QStringLiteral("Prosty"), QStringLiteral(".html"), true),
              katalog + QStringLiteral("Prosty.html"));
    EXPECT_EQ(DajNazwePlikuTymczasowego(QStringLiteral("Prosty"), QStringLiteral(".html"), true),
              katalog + QStringLiteral("Prosty_1.html"));
}

TEST_F(PlikiTymczasowe, PrefixMustNotBeAPathOrADevice)
{
    for (const char *zly : {"a/b", "a\\b", "c:", "x*", "a?b", "\"", "<", ">", "|", "COM1", "com1", "lpt9", "Clock$"}) {
        try {
            DajNazwePlikuTymczasowego(QString::fromUtf8(zly));
            ADD_FAILURE() << zly;
        } catch (const Exception &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("nieprawidłowy prefiks pliku = ") + QString::fromUtf8(zly));
        }
    }
    EXPECT_FALSE(DajNazwePlikuTymczasowego(QStringLiteral("com1x")).isEmpty());
    EXPECT_FALSE(DajNazwePlikuTymczasowego(QStringLiteral("COM0")).isEmpty());
    EXPECT_TRUE(DajNazwePlikuTymczasowego(QString()).endsWith(QStringLiteral("/_1.tmp")));
}

// A root another user got to first, in each form it can take.
struct TZajetyKorzen
{
    const char *Nazwa;
    // Makes the squat in p_Baza, with p_Obcy a folder the squatter owns; the
    // path that is refused and why.
    std::function<std::pair<QString, QString>(const QString &p_Baza, const QString &p_Obcy)> Zajmij;
};

void PrintTo(const TZajetyKorzen &p, std::ostream *os)
{
    *os << p.Nazwa;
}

class ZajetyKorzen : public PlikiTymczasowe, public ::testing::WithParamInterface<TZajetyKorzen>
{
};

QString zwyklyKorzenW(const QString &p_Baza)
{
    return p_Baza + QStringLiteral("/VelmoraSoftware-") + QString::number(::geteuid());
}

TEST_P(ZajetyKorzen, NamesComeFromAFreshPrivateRootAndTheLogSaysWhy)
{
    const QString baza = Sciezka(QStringLiteral("baza"));
    const QString obcy = Sciezka(QStringLiteral("obcy"));
    ASSERT_TRUE(QDir().mkpath(baza) && QDir().mkpath(obcy));
    const auto [odrzucony, powod] = GetParam().Zajmij(baza, obcy);
    if (odrzucony.isEmpty())
        GTEST_SKIP() << "only root can hand a folder to another user";
    const QString log = Sciezka(QStringLiteral("Errors.txt"));
    const QString poprzedniLog = std::exchange(PlikBledow, log);
    InnyKorzen korzen(baza);

    const QString nazwa = DajNazwePlikuTymczasowego(QStringLiteral("Squat"));
    const QString zastepczy = nazwa.section(QLatin1Char('/'), 0, -3);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1-[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(zwyklyKorzenW(baza))))
                    .match(zastepczy)
                    .hasMatch())
        << qPrintable(nazwa);
    const QString katalog = zastepczy + QStringLiteral("/Proc_") + QString::number(::getpid()) + QLatin1Char('/');
    EXPECT_TRUE(nazwa.startsWith(katalog) && QFileInfo(nazwa).isFile()) << qPrintable(nazwa);
    struct stat stan;
    ASSERT_EQ(::lstat(QFile::encodeName(zastepczy).constData(), &stan), 0);
    EXPECT_TRUE(S_ISDIR(stan.st_mode));
    EXPECT_EQ(stan.st_uid, ::geteuid());
    EXPECT_EQ(stan.st_mode & 0777, 0700u);

    // The stand-in is kept: the next names follow in the same folder.
    EXPECT_EQ(DajKorzenTymczasowy(), zastepczy + QLatin1Char('/'));
    EXPECT_EQ(DajKatalogTymczasowy(), katalog);
    EXPECT_TRUE(QDir(obcy).isEmpty());

    const QString wpisy = QString::fromUtf8(CzytajPlik(log));
    const QString wpis = QStringLiteral("\tKatalog tymczasowy %1 odrzucony: %2. Pliki tymczasowe trafią do %3\r\n")
                             .arg(odrzucony, powod, zastepczy);
    EXPECT_EQ(wpisy.count(wpis), 1) << qPrintable(wpisy) << qPrintable(wpis);
    PlikBledow = poprzedniLog;
}

INSTANTIATE_TEST_SUITE_P(
    Formy, ZajetyKorzen,
    ::testing::Values(
        TZajetyKorzen{"Plik",
                      [](const QString &p_Baza, const QString &) {
                          QFile plik(zwyklyKorzenW(p_Baza));
                          EXPECT_TRUE(plik.open(QIODevice::WriteOnly));
                          return std::make_pair(plik.fileName(), QStringLiteral("nie jest katalogiem"));
                      }},
        TZajetyKorzen{"Dowiazanie",
                      [](const QString &p_Baza, const QString &p_Obcy) {
                          EXPECT_TRUE(QFile::link(p_Obcy, zwyklyKorzenW(p_Baza)));
                          return std::make_pair(zwyklyKorzenW(p_Baza), QStringLiteral("jest dowiązaniem symbolicznym"));
                      }},
        TZajetyKorzen{"KatalogInnegoUzytkownikaOtwartyDlaWszystkich",
                      [](const QString &p_Baza, const QString &) {
                          const QByteArray korzen = QFile::encodeName(zwyklyKorzenW(p_Baza));
                          EXPECT_EQ(::mkdir(korzen.constData(), 0777), 0);
                          ::chmod(korzen.constData(), 0777);
                          if (::chown(korzen.constData(), 65534, 65534) != 0)
                              return std::make_pair(QString(), QString());
                          return std::make_pair(zwyklyKorzenW(p_Baza),
                                                QStringLiteral("należy do innego użytkownika (uid 65534)"));
                      }},
        TZajetyKorzen{"DowiazanieZamiastKataloguProcesu",
                      [](const QString &p_Baza, const QString &p_Obcy) {
                          // Planted while our own root was open to others.
                          const QString proc = zwyklyKorzenW(p_Baza) + QStringLiteral("/Proc_") + QString::number(::getpid());
                          EXPECT_TRUE(QDir().mkpath(zwyklyKorzenW(p_Baza)));
                          EXPECT_TRUE(QFile::link(p_Obcy, proc));
                          return std::make_pair(proc, QStringLiteral("jest dowiązaniem symbolicznym"));
                      }}),
    NazwaZOpisu());

TEST_F(PlikiTymczasowe, FirstUseRemovesEmptyFoldersOfProcessesThatAreGone)
{
    const auto zmarly = [] {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(0);
        ::waitpid(pid, nullptr, 0);
        return pid;
    };
    const QString korzen = zwyklyKorzenW(Sciezka(QStringLiteral("baza")));
    const auto proc = [&](pid_t p_Pid) { return korzen + QStringLiteral("/Proc_") + QString::number(p_Pid); };
    const QString pusty = proc(zmarly());
    const QString zPlikiem = proc(zmarly());
    const QString zywy = proc(::getppid());
    const QString dowiazanie = proc(zmarly());
    const QString cel = Sciezka(QStringLiteral("cel"));
    for (const QString &katalog : {pusty, zPlikiem, zywy, cel})
        ASSERT_TRUE(QDir().mkpath(katalog));
    ASSERT_EQ(::chmod(QFile::encodeName(korzen).constData(), 0700), 0);
    ZapiszPlik(zPlikiem.sliced(FKatalog.path().size() + 1) + QStringLiteral("/SzablPodgl_1.tmp"), "zostaje");
    ASSERT_TRUE(QFile::link(cel, dowiazanie));

    InnyKorzen inny(Sciezka(QStringLiteral("baza")));
    ASSERT_EQ(DajKatalogTymczasowy(), proc(::getpid()) + QLatin1Char('/'));
    EXPECT_FALSE(QFileInfo::exists(pusty));
    EXPECT_TRUE(QFileInfo(zPlikiem + QStringLiteral("/SzablPodgl_1.tmp")).isFile());
    EXPECT_TRUE(QFileInfo(zywy).isDir());
    EXPECT_TRUE(QFileInfo(dowiazanie).isSymLink());
    EXPECT_TRUE(QFileInfo(cel).isDir());
}

TEST_F(PlikiTymczasowe, EmptyFoldersOfTheProcessGoAtTheEnd)
{
    // A squatted root, so that the stand-in root is the process's own too.
    const QString baza = Sciezka(QStringLiteral("baza"));
    ASSERT_TRUE(QDir().mkpath(baza));
    ZapiszPlik(QStringLiteral("baza/VelmoraSoftware-") + QString::number(::geteuid()), "zajęte");
    InnyKorzen inny(baza);
    const QString nazwa = DajNazwePlikuTymczasowego(QStringLiteral("Koniec"));
    const QString katalog = DajKatalogTymczasowy();
    const QString korzen = DajKorzenTymczasowy();
    ASSERT_TRUE(nazwa.startsWith(katalog) && katalog.startsWith(korzen)) << qPrintable(nazwa);

    UsunPusteKatalogiTymczasowe();
    EXPECT_TRUE(QFileInfo(nazwa).isFile()) << "a file someone left keeps its folder";

    ASSERT_TRUE(QFile::remove(nazwa));
    UsunPusteKatalogiTymczasowe();
    EXPECT_FALSE(QFileInfo::exists(katalog));
    EXPECT_FALSE(QFileInfo::exists(korzen));

    // Names asked for later still come, from the same stand-in.
    EXPECT_EQ(DajNazwePlikuTymczasowego(QStringLiteral("Koniec")), katalog + QStringLiteral("Koniec_2.tmp"));
}

TEST_F(PlikiTymczasowe, RootWithLooseModeIsTightened)
{
    const QString baza = Sciezka(QStringLiteral("luzny"));
    const QString korzen = baza + QStringLiteral("/VelmoraSoftware-") + QString::number(::geteuid());
    QDir().mkpath(korzen);
    ASSERT_EQ(::chmod(QFile::encodeName(korzen).constData(), 0777), 0);
    InnyKorzen inny(baza);
    EXPECT_EQ(DajKorzenTymczasowy(), korzen + QLatin1Char('/'));
    struct stat stan;
    ASSERT_EQ(::lstat(QFile::encodeName(korzen).constData(), &stan), 0);
    EXPECT_EQ(stan.st_mode & 0777, 0700u);
}

TEST_F(PlikiTymczasowe, OldNumberedFilesAreCleanedUp)
{
    const QString katalog = DajKatalogTymczasowy();
    const auto utworz = [&](const char *p_Nazwa, int p_DniTemu) {
        QFile plik(katalog + QLatin1String(p_Nazwa));
        EXPECT_TRUE(plik.open(QIODevice::WriteOnly));
        plik.close();
        EXPECT_TRUE(plik.open(QIODevice::ReadWrite));
        plik.setFileTime(QDateTime::currentDateTime().addDays(-p_DniTemu), QFileDevice::FileModificationTime);
    };
    utworz("Stary_1.tmp", 3);
    utworz("Stary_a.tmp", 3);
    utworz("Stary_2.tmp", 0);
    utworz("Stary_7.xml", 3);
    utworz("StaryX_8.tmp", 3);
    const QDateTime wczoraj(QDate::currentDate().addDays(-1), QTime(0, 0));
    EXPECT_TRUE(UsunStarePlikiTymczasowe(QStringLiteral("Stary"), QStringLiteral(".tmp"), wczoraj));
    QStringList zostaly = QDir(katalog).entryList({QStringLiteral("Stary*")}, QDir::Files);
    zostaly.sort();
    EXPECT_EQ(zostaly, (QStringList{QStringLiteral("StaryX_8.tmp"), QStringLiteral("Stary_2.tmp"),
                                    QStringLiteral("Stary_7.xml"), QStringLiteral("Stary_a.tmp")}));
    EXPECT_FALSE(UsunStarePlikiTymczasowe(QStringLiteral("Stary"), QStringLiteral(".tmp"), wczoraj));
}
