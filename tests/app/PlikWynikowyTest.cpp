// Writing a file the user named: never through a link, never over the
// document shown, nothing half-written left behind.
#include "KatalogTestowy.h"
#include "PlikWynikowy.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class PlikWynikowyTest : public KatalogTestowy
{
protected:
    // Names in the folder, our own hidden intermediates included.
    QStringList Zawartosc() const
    {
        return QDir(FKatalog.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                               QDir::Name);
    }
};

TEST_F(PlikWynikowyTest, WritesANewFileWithTheUsersUmaskAndReplacesAnOldOne)
{
    const mode_t poprzednia = ::umask(022);
    const QString plik = Sciezka(QStringLiteral("wydruk ą.pdf"));
    QString blad;
    ASSERT_TRUE(ZapiszPlikWynikowy(plik, "pierwszy", {}, blad)) << qPrintable(blad);
    ASSERT_TRUE(ZapiszPlikWynikowy(plik, "drugi", {}, blad)) << qPrintable(blad);
    ::umask(poprzednia);
    EXPECT_EQ(CzytajPlik(plik), QByteArray("drugi"));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(plik).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    EXPECT_EQ(Zawartosc(), QStringList{QStringLiteral("wydruk ą.pdf")});
}

TEST_F(PlikWynikowyTest, ALinkAtTheNameIsReplacedItselfNeverWrittenThrough)
{
    const QString ofiara = ZapiszPlik(QStringLiteral("ofiara.txt"), "ważne");
    const QString link = Sciezka(QStringLiteral("wydruk.pdf"));
    ASSERT_TRUE(QFile::link(ofiara, link));
    QString blad;
    ASSERT_TRUE(ZapiszPlikWynikowy(link, "%PDF-", {}, blad)) << qPrintable(blad);
    EXPECT_EQ(CzytajPlik(ofiara), QByteArray("ważne"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(CzytajPlik(link), QByteArray("%PDF-"));
}

TEST_F(PlikWynikowyTest, TheDocumentShownIsNeverReplacedHoweverItIsNamed)
{
    const QString dokument = ZapiszPlik(QStringLiteral("IE529.xml"), "<ns5:CC529C/>");
    const QString dowiazanie = Sciezka(QStringLiteral("dowiazanie.pdf"));
    const QString twarde = Sciezka(QStringLiteral("twarde.pdf"));
    ASSERT_TRUE(QFile::link(dokument, dowiazanie));
    ASSERT_EQ(::link(QFile::encodeName(dokument).constData(), QFile::encodeName(twarde).constData()), 0);
    const QString przezFolder = Sciezka(QStringLiteral("../") + QFileInfo(FKatalog.path()).fileName()
                                        + QStringLiteral("/IE529.xml"));
    for (const QString &nazwa : {dokument, przezFolder, dowiazanie, twarde}) {
        QString blad;
        EXPECT_FALSE(ZapiszPlikWynikowy(nazwa, "%PDF-", {dokument}, blad)) << qPrintable(nazwa);
        EXPECT_EQ(blad, QStringLiteral("Nie można zapisać pliku %1:\rto plik dokumentu źródłowego").arg(nazwa));
    }
    EXPECT_EQ(CzytajPlik(dokument), QByteArray("<ns5:CC529C/>"));
    EXPECT_EQ(Zawartosc().size(), 3);
}

TEST_F(PlikWynikowyTest, FailuresSayWhyAndLeaveNothingBehind)
{
    struct TPrzypadek
    {
        QString Nazwa;
        QString Powod;
    };
    QDir(FKatalog.path()).mkdir(QStringLiteral("folder"));
    const TPrzypadek przypadki[] = {
        {Sciezka(QStringLiteral("folder")), QStringLiteral("to jest folder")},
        {Sciezka(QStringLiteral("brak/wydruk.pdf")), QStringLiteral("brak takiego folderu")},
        {QString(), QStringLiteral("brak nazwy")},
    };
    for (const auto &p : przypadki) {
        QString blad;
        EXPECT_FALSE(ZapiszPlikWynikowy(p.Nazwa, "%PDF-", {}, blad));
        EXPECT_EQ(blad, QStringLiteral("Nie można zapisać pliku %1:\r%2").arg(p.Nazwa, p.Powod));
    }
    EXPECT_EQ(Zawartosc(), QStringList{QStringLiteral("folder")});
    EXPECT_TRUE(QDir(Sciezka(QStringLiteral("folder"))).isEmpty());
}

} // namespace
