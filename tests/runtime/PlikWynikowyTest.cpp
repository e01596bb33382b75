#include "KatalogTestowy.h"
#include "PlikWynikowy.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>

namespace {

mode_t tryb(const QString &p_Sciezka)
{
    struct stat stan;
    return ::lstat(QFile::encodeName(p_Sciezka).constData(), &stan) == 0 ? stan.st_mode : 0;
}

// Standard output sent to a file for one test.
class PrzekierowaneWyjscie
{
public:
    explicit PrzekierowaneWyjscie(const QString &p_Plik, int p_Flagi = O_WRONLY | O_CREAT | O_TRUNC)
        : FPoprzednie(::dup(STDOUT_FILENO))
    {
        const int plik = ::open(QFile::encodeName(p_Plik).constData(), p_Flagi, 0644);
        ::dup2(plik, STDOUT_FILENO);
        ::close(plik);
    }
    ~PrzekierowaneWyjscie()
    {
        ::dup2(FPoprzednie, STDOUT_FILENO);
        ::close(FPoprzednie);
    }

private:
    int FPoprzednie;
};

} // namespace

class PlikWynikowy : public KatalogTestowy
{
protected:
    // Everything in the test folder, hidden entries too: a temporary file
    // left behind shows here.
    QStringList Zawartosc() const
    {
        return QDir(FKatalog.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    static bool Zapisz(const QString &p_Nazwa, const QByteArray &p_Tresc, const QString &p_Wejscie = QString(),
                       QString *p_Blad = nullptr)
    {
        TPlikWynikowy plik;
        const bool zapisano = plik.Otworz(p_Nazwa, p_Wejscie) && plik.Zapisz(p_Tresc) && plik.Zatwierdz();
        if (p_Blad)
            *p_Blad = plik.Blad();
        return zapisano;
    }
};

TEST_F(PlikWynikowy, ALinkAtTheNameIsReplacedAndItsTargetLeftAlone)
{
    const QString ofiara = ZapiszPlik(QStringLiteral("ofiara.txt"), "ważne");
    const QString raport = Sciezka(QStringLiteral("raport.html"));
    const QString wiszacy = Sciezka(QStringLiteral("wiszacy.html"));
    ASSERT_TRUE(QFile::link(ofiara, raport));
    ASSERT_TRUE(QFile::link(Sciezka(QStringLiteral("brak")), wiszacy));

    for (const QString &nazwa : {raport, wiszacy}) {
        QString blad;
        ASSERT_TRUE(Zapisz(nazwa, "strona", QString(), &blad)) << qPrintable(blad);
        EXPECT_TRUE(S_ISREG(tryb(nazwa))) << qPrintable(nazwa);
        EXPECT_EQ(CzytajPlik(nazwa), QByteArray("strona"));
    }
    EXPECT_EQ(CzytajPlik(ofiara), QByteArray("ważne"));
    EXPECT_EQ(Zawartosc(), (QStringList{QStringLiteral("ofiara.txt"), QStringLiteral("raport.html"),
                                        QStringLiteral("wiszacy.html")}));
}

TEST_F(PlikWynikowy, TheInputIsNeverTheOutputHoweverNamed)
{
    const QString wejscie = ZapiszPlik(QStringLiteral("wejscie.xml"), "<dane/>");
    ASSERT_TRUE(QDir(FKatalog.path()).mkdir(QStringLiteral("pod")));
    ASSERT_EQ(::link(QFile::encodeName(wejscie).constData(), QFile::encodeName(Sciezka(QStringLiteral("twardy.html"))).constData()), 0);
    ASSERT_TRUE(QFile::link(wejscie, Sciezka(QStringLiteral("miekki.html"))));
    const QStringList przed = Zawartosc();

    for (const char *nazwa : {"wejscie.xml", "pod/../wejscie.xml", "twardy.html", "miekki.html"}) {
        const QString wyjscie = Sciezka(QLatin1String(nazwa));
        QString blad;
        EXPECT_FALSE(Zapisz(wyjscie, "strona", wejscie, &blad)) << nazwa;
        EXPECT_EQ(blad, QStringLiteral("Nie można zapisać pliku %1: to plik wejściowy").arg(wyjscie));
    }
    // Named through a link, the input is still the file it points to.
    QString blad;
    EXPECT_FALSE(Zapisz(wejscie, "strona", Sciezka(QStringLiteral("miekki.html")), &blad));
    {
        PrzekierowaneWyjscie wyjscie(wejscie, O_WRONLY | O_APPEND);
        EXPECT_FALSE(Zapisz(QStringLiteral("-"), "strona", wejscie, &blad));
    }
    EXPECT_EQ(blad, QStringLiteral("Nie można zapisać pliku -: to plik wejściowy"));
    // Any of several protected files, through the whole-file writer.
    const QString strona = ZapiszPlik(QStringLiteral("strona.html"), "<html/>");
    EXPECT_FALSE(ZapiszPlikWynikowy(Sciezka(QStringLiteral("twardy.html")), "%PDF-", {strona, wejscie}, blad));
    EXPECT_FALSE(ZapiszPlikWynikowy(strona, "%PDF-", {wejscie, strona}, blad));
    EXPECT_EQ(blad, QStringLiteral("Nie można zapisać pliku %1: to plik wejściowy").arg(strona));
    EXPECT_EQ(CzytajPlik(strona), QByteArray("<html/>"));
    EXPECT_EQ(CzytajPlik(wejscie), QByteArray("<dane/>"));
    QStringList oczekiwana = przed + QStringList{QStringLiteral("strona.html")};
    oczekiwana.sort();
    EXPECT_EQ(Zawartosc(), oczekiwana);
}

TEST_F(PlikWynikowy, StandardOutputAndDevicesAreWrittenInPlace)
{
    // A writer of its own fills the name it is given; the bytes reach the stream.
    const auto przezNazwe = [](const QString &p_Nazwa, const QByteArray &p_Tresc) {
        TPlikWynikowy plik;
        EXPECT_TRUE(plik.Otworz(p_Nazwa)) << qPrintable(plik.Blad());
        const QString doZapisu = plik.NazwaDoZapisu();
        QFile zapis(doZapisu);
        EXPECT_TRUE(zapis.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(doZapisu);
        zapis.write(p_Tresc);
        zapis.close();
        EXPECT_TRUE(plik.Zatwierdz()) << qPrintable(plik.Blad());
        EXPECT_FALSE(QFileInfo::exists(doZapisu));
    };
    const QString wyjscie = Sciezka(QStringLiteral("stdout.txt"));
    {
        PrzekierowaneWyjscie przekierowanie(wyjscie);
        EXPECT_TRUE(Zapisz(QStringLiteral("-"), "strona "));
        przezNazwe(QStringLiteral("-"), "%PDF-1.4");
    }
    EXPECT_EQ(CzytajPlik(wyjscie), QByteArray("strona %PDF-1.4"));

    // A pipe with its reader, and the null device made again in the test
    // folder (where root may), so that a fault cannot take the system's own.
    const QString potok = Sciezka(QStringLiteral("potok"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(potok).constData(), 0600), 0);
    const int czytelnik = ::open(QFile::encodeName(potok).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(czytelnik, 0);
    EXPECT_TRUE(Zapisz(potok, "strona "));
    przezNazwe(potok, "%PDF-1.4");
    char odebrane[32] = {};
    EXPECT_EQ(::read(czytelnik, odebrane, sizeof odebrane), 15);
    EXPECT_STREQ(odebrane, "strona %PDF-1.4");
    ::close(czytelnik);
    EXPECT_TRUE(S_ISFIFO(tryb(potok)));

    const QString null = Sciezka(QStringLiteral("null"));
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "only root makes device nodes";
    EXPECT_TRUE(Zapisz(null, "strona"));
    przezNazwe(null, "%PDF-1.4");
    EXPECT_TRUE(S_ISCHR(tryb(null)));
}

TEST_F(PlikWynikowy, NewFilesFollowTheUmaskAndAReplacedFileKeepsItsMode)
{
    const mode_t poprzednia = ::umask(022);
    const QString nowy = Sciezka(QStringLiteral("nowy.html"));
    EXPECT_TRUE(Zapisz(nowy, "a"));
    EXPECT_EQ(tryb(nowy) & 07777, 0644u);

    const QString prywatny = ZapiszPlik(QStringLiteral("prywatny.html"), "stary");
    ASSERT_TRUE(QFile::setPermissions(prywatny, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_TRUE(Zapisz(prywatny, "nowy"));
    EXPECT_EQ(tryb(prywatny) & 07777, 0600u);

    // A PDF maker that makes its file anew, private, still gives the usual mode.
    const QString pdf = Sciezka(QStringLiteral("wydruk.pdf"));
    TPlikWynikowy plik;
    ASSERT_TRUE(plik.Otworz(pdf));
    const QByteArray doZapisu = QFile::encodeName(plik.NazwaDoZapisu());
    ASSERT_EQ(::unlink(doZapisu.constData()), 0);
    const int deskryptor = ::open(doZapisu.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_EQ(::write(deskryptor, "%PDF", 4), 4);
    ::close(deskryptor);
    EXPECT_TRUE(plik.Zatwierdz()) << qPrintable(plik.Blad());
    EXPECT_EQ(tryb(pdf) & 07777, 0644u);
    EXPECT_EQ(CzytajPlik(pdf), QByteArray("%PDF"));
    ::umask(poprzednia);
}

TEST_F(PlikWynikowy, FailuresSayWhyAndLeaveTheNameAsItWas)
{
    // Root writes into any folder it may not; the kernel's own files it may not make.
    const QString tylkoDoOdczytu = Sciezka(QStringLiteral("tylko_odczyt"));
    ASSERT_TRUE(QDir().mkpath(tylkoDoOdczytu));
    ASSERT_EQ(::chmod(QFile::encodeName(tylkoDoOdczytu).constData(), 0555), 0);
    const QString chroniony = (::geteuid() == 0 ? QStringLiteral("/sys") : tylkoDoOdczytu) + QStringLiteral("/raport.html");
    const QString brakKatalogu = Sciezka(QStringLiteral("nie_ma"));
    ASSERT_TRUE(QDir(FKatalog.path()).mkdir(QStringLiteral("katalog.html")));

    const std::pair<QString, QString> przypadki[] = {
        {chroniony, QStringLiteral("brak uprawnień")},
        {brakKatalogu + QStringLiteral("/raport.html"), QStringLiteral("brak katalogu ") + brakKatalogu},
        {Sciezka(QStringLiteral("katalog.html")), QStringLiteral("to jest katalog")},
    };
    for (const auto &[nazwa, powod] : przypadki) {
        QString blad;
        EXPECT_FALSE(Zapisz(nazwa, "strona", QString(), &blad));
        EXPECT_EQ(blad, QStringLiteral("Nie można zapisać pliku %1: %2").arg(nazwa, powod));
    }
    EXPECT_TRUE(QDir(tylkoDoOdczytu).isEmpty());
    EXPECT_TRUE(QDir(Sciezka(QStringLiteral("katalog.html"))).isEmpty());
}

TEST_F(PlikWynikowy, WhatIsNotCommittedIsDiscarded)
{
    const QString raport = ZapiszPlik(QStringLiteral("raport.html"), "stary");
    {
        TPlikWynikowy plik;
        ASSERT_TRUE(plik.Otworz(raport));
        ASSERT_TRUE(plik.Zapisz("nowy"));
        // Written beside the name, hidden, until committed.
        const QStringList w_trakcie = Zawartosc();
        ASSERT_EQ(w_trakcie.size(), 2);
        EXPECT_TRUE(w_trakcie.first().startsWith(QStringLiteral(".raport.html."))) << qPrintable(w_trakcie.first());
        EXPECT_EQ(CzytajPlik(raport), QByteArray("stary"));
    }
    EXPECT_EQ(CzytajPlik(raport), QByteArray("stary"));
    EXPECT_EQ(Zawartosc(), QStringList{QStringLiteral("raport.html")});
}
