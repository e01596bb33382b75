#include "KatalogTestowy.h"
#include "Powloka.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

TEST(Powloka, AddressGetsAWebSchemeUnlessItHasOne)
{
    const std::pair<const char *, const char *> przypadki[] = {
        {"www.velmora-software.pl", "http://www.velmora-software.pl"},
        {"https://velmora-software.pl", "https://velmora-software.pl"},
        {"HTTP://X", "HTTP://X"},
        {"-h", "http://-h"},
    };
    for (const auto &[adres, wynik] : przypadki)
        EXPECT_EQ(AdresDoOtwarcia(QLatin1String(adres)), QLatin1String(wynik)) << adres;
}

// xdg-open is replaced by a script that records what it was given.
class PowlokaOtwieranie : public KatalogTestowy
{
protected:
    void SetUp() override
    {
        FSciezka = qgetenv("PATH");
        FZapis = Sciezka(QStringLiteral("otwarte.txt"));
        const QString skrypt = ZapiszPlik(QStringLiteral("xdg-open"),
                                          "#!/bin/sh\nprintf '%s' \"$*\" > '" + FZapis.toUtf8() + ".tmp' && mv '"
                                              + FZapis.toUtf8() + ".tmp' '" + FZapis.toUtf8() + "'\n");
        QFile::setPermissions(skrypt, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(FKatalog.path()) + ':' + FSciezka);
    }
    void TearDown() override { qputenv("PATH", FSciezka); }

    QByteArray Otwarte()
    {
        QDeadlineTimer termin(10000);
        while (!QFile::exists(FZapis) && !termin.hasExpired())
            QThread::msleep(20);
        const QByteArray wynik = CzytajPlik(FZapis);
        QFile::remove(FZapis);
        return wynik;
    }

    QByteArray FSciezka;
    QString FZapis;
};

TEST_F(PowlokaOtwieranie, HandsAddressesAndAbsoluteFileNamesToTheDesktop)
{
    EXPECT_TRUE(OtworzAdres(QStringLiteral("www.velmora-software.pl")));
    EXPECT_EQ(Otwarte(), QByteArray("http://www.velmora-software.pl"));

    int kod = 0;
    EXPECT_TRUE(OtworzPlik(QStringLiteral("-strona.html"), SW_SHOWNORMAL, &kod));
    EXPECT_GT(kod, 32);
    EXPECT_EQ(Otwarte(), QFile::encodeName(QDir::currentPath() + QStringLiteral("/-strona.html")));

    EXPECT_FALSE(UruchomWPowloce(QStringLiteral("/tmp/a.txt"), SW_SHOWNORMAL, QStringLiteral("print"), &kod));
    EXPECT_LE(kod, 32);
}
