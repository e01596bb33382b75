#include "KatalogTestowy.h"
#include "PlikiTymczasowe.h"
#include "Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

TEST_F(PlikiTymczasowe, RootThatIsALinkOrNotOursIsRefused)
{
    const QString obcy = Sciezka(QStringLiteral("obcy"));
    QDir().mkpath(obcy);
    const QString baza = Sciezka(QStringLiteral("baza"));
    QDir().mkpath(baza);
    ASSERT_TRUE(QFile::link(obcy, baza + QStringLiteral("/VelmoraSoftware-") + QString::number(::geteuid())));
    {
        InnyKorzen korzen(baza);
        EXPECT_EQ(DajKorzenTymczasowy(), QString());
        EXPECT_EQ(DajKatalogTymczasowy(), QString());
        EXPECT_EQ(DajNazwePlikuTymczasowego(QStringLiteral("Przez")), QString());
    }
    EXPECT_TRUE(QDir(obcy).isEmpty());

    const QString zPlikiem = Sciezka(QStringLiteral("zplikiem"));
    QDir().mkpath(zPlikiem);
    ZapiszPlik(QStringLiteral("zplikiem/VelmoraSoftware-") + QString::number(::geteuid()), "plik");
    InnyKorzen korzen(zPlikiem);
    EXPECT_EQ(DajKatalogTymczasowy(), QString());
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
