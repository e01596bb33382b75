#include "KatalogTestowy.h"
#include "KodowanieZnakow.h"
#include "PlikiTekstowe.h"

#include <QFile>

#include <sys/stat.h>

class PlikiTekstowe : public KatalogTestowy
{
};

TEST_F(PlikiTekstowe, TextRoundTripsAsExactBytes)
{
    QByteArray bajty;
    for (int i = 0; i < 256; ++i)
        bajty.append(char(i));
    bajty += QStringLiteral("zażółć").toUtf8();
    const QString nazwa = Sciezka(QStringLiteral("wynik.html"));

    ASSERT_TRUE(ZapiszTekstDoPliku(TekstZPolskiegoAnsi(bajty), nazwa));
    EXPECT_EQ(CzytajPlik(nazwa), bajty); // no byte-order mark, nothing added

    QString tekst;
    ASSERT_TRUE(WczytajTekstZPliku(tekst, nazwa));
    EXPECT_EQ(tekst, TekstZPolskiegoAnsi(bajty));
}

TEST_F(PlikiTekstowe, EmptyTextMakesAnEmptyFileAndReplacesALongerOne)
{
    const QString nazwa = ZapiszPlik(QStringLiteral("stary.txt"), QByteArray(5000, 'x'));
    ASSERT_TRUE(ZapiszTekstDoPliku(QStringLiteral("krótki"), nazwa));
    EXPECT_EQ(CzytajPlik(nazwa), QByteArray("kr\xF3tki"));
    ASSERT_TRUE(ZapiszTekstDoPliku(QString(), nazwa));
    EXPECT_TRUE(QFile::exists(nazwa));
    EXPECT_EQ(QFile(nazwa).size(), 0);
}

TEST_F(PlikiTekstowe, ReadFailuresLeaveTheTextAlone)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(Sciezka(QStringLiteral("kolejka"))).constData(), 0600), 0);
    const QString nazwy[] = {
        Sciezka(QStringLiteral("brak.xml")),
        FKatalog.path(),                        // a directory
        Sciezka(QStringLiteral("kolejka")),     // a FIFO would block a plain read
    };
    for (const QString &nazwa : nazwy) {
        QString tekst = QStringLiteral("bez zmian");
        EXPECT_FALSE(WczytajTekstZPliku(tekst, nazwa)) << qPrintable(nazwa);
        EXPECT_EQ(tekst, QStringLiteral("bez zmian"));
    }
}

TEST_F(PlikiTekstowe, WriteRefusesLinksAndMissingFolders)
{
    const QString cel = ZapiszPlik(QStringLiteral("cel.txt"), "cudzy");
    const QString link = Sciezka(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(cel, link));
    EXPECT_FALSE(ZapiszTekstDoPliku(QStringLiteral("podrzucony"), link));
    EXPECT_EQ(CzytajPlik(cel), QByteArray("cudzy"));

    const QString wiszacy = Sciezka(QStringLiteral("wiszacy.txt"));
    ASSERT_TRUE(QFile::link(Sciezka(QStringLiteral("nie-ma.txt")), wiszacy));
    EXPECT_FALSE(ZapiszTekstDoPliku(QStringLiteral("x"), wiszacy));
    EXPECT_FALSE(QFile::exists(Sciezka(QStringLiteral("nie-ma.txt"))));

    EXPECT_FALSE(ZapiszTekstDoPliku(QStringLiteral("x"), Sciezka(QStringLiteral("brak/plik.txt"))));
}

TEST_F(PlikiTekstowe, FailedConversionLeavesTheFileUntouched)
{
    const QString nazwa = ZapiszPlik(QStringLiteral("plik.txt"), "poprzedni");
    EXPECT_FALSE(ZapiszTekstDoPliku(QStringLiteral("\u0301"), nazwa));
    EXPECT_EQ(CzytajPlik(nazwa), QByteArray("poprzedni"));
}
