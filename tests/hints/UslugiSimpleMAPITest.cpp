// The mail hand-off through a stand-in xdg-email on PATH that writes down its
// arguments: a real program started the real way.
#include "PomocnikPodpowiedzi.h"

#include "KatalogTestowy.h"
#include "NagrywaczKomunikatow.h"
#include "PlikiTymczasowe.h"
#include "UslugiSimpleMAPI.h"
#include "Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>

#include <thread>

namespace {

const QString CR(QChar(13));

class UslugiPoczty : public KatalogTestowy
{
protected:
    void SetUp() override
    {
        FStaryPath = qgetenv("PATH");
        qputenv("PATH", QByteArray(OSTREVIA_ATRAPA_POCZTY ":") + FStaryPath);
        FLog = Sciezka(QStringLiteral("argumenty.txt"));
        qputenv("ATRAPA_POCZTY_LOG", FLog.toLocal8Bit());
        qunsetenv("ATRAPA_POCZTY_KOD");
    }
    void TearDown() override
    {
        qputenv("PATH", FStaryPath);
        qunsetenv("ATRAPA_POCZTY_LOG");
        qunsetenv("ATRAPA_POCZTY_KOD");
    }

    // The stand-in's arguments, as it received them.
    QStringList Argumenty() const
    {
        QStringList wynik = QString::fromUtf8(CzytajPlik(FLog)).split(QStringLiteral("\n--\n"));
        if (!wynik.isEmpty() && wynik.last().isEmpty())
            wynik.removeLast();
        return wynik;
    }

    QByteArray FStaryPath;
    QString FLog;
};

TEST_F(UslugiPoczty, EveryFieldReachesTheMailProgram)
{
    const QString z1 = ZapiszPlik(QStringLiteral("raport z błędem.txt"), "jeden");
    const QString z2 = ZapiszPlik(QStringLiteral("Żółć.log"), "dwa");
    TNagrywaczKomunikatow nagrywacz;
    ASSERT_TRUE(WyslijEmail(QStringLiteral("a@x.pl;b@y.pl"), QStringLiteral("Temat z ąę"),
                            QStringLiteral("Wiersz<BR>drugi<P>trzeci</P>"), QStringLiteral("c@z.pl"),
                            z1 + CR + z2 + CR));
    EXPECT_TRUE(nagrywacz.Komunikaty().empty());
    const QStringList a = Argumenty();
    ASSERT_EQ(a.size(), 13) << a.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(a.mid(0, 7), QStringList({QStringLiteral("--utf8"), QStringLiteral("--subject"),
                                         QStringLiteral("Temat z ąę"), QStringLiteral("--body"),
                                         QStringLiteral("Wiersz\ndrugi\ntrzeci"), QStringLiteral("--cc"),
                                         QStringLiteral("c@z.pl")}));
    EXPECT_EQ(a.at(7), QStringLiteral("--attach"));
    EXPECT_EQ(a.at(9), QStringLiteral("--attach"));
    // Copied where the mail program can still read them after we are gone,
    // under their own names.
    for (int i : {8, 10}) {
        EXPECT_TRUE(a.at(i).startsWith(DajKatalogTymczasowy())) << a.at(i).toStdString();
        EXPECT_TRUE(QFileInfo::exists(a.at(i)));
    }
    EXPECT_EQ(QFileInfo(a.at(8)).fileName(), QStringLiteral("raport z błędem.txt"));
    EXPECT_EQ(QFileInfo(a.at(10)).fileName(), QStringLiteral("Żółć.log"));
    EXPECT_EQ(a.mid(11), QStringList({QStringLiteral("a@x.pl"), QStringLiteral("b@y.pl")}));
}

TEST_F(UslugiPoczty, FailuresAreWarningsWithTheMailTexts)
{
    struct
    {
        const char *Kod;
        QString Komunikat;
    } przypadki[] = {
        {"2", QStringLiteral("Nie wysłano listu.\rThe specified attachment was not found.\rNo message was sent.")},
        {"4", QStringLiteral("Nie wysłano listu.\rOne or more unspecified errors occurred.\rNo message was sent.")},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Kod);
        qputenv("ATRAPA_POCZTY_KOD", p.Kod);
        TNagrywaczKomunikatow nagrywacz;
        EXPECT_FALSE(WyslijEmail(QStringLiteral("a@x.pl"), QString(), QString(), QString(), QString()));
        ASSERT_EQ(nagrywacz.Komunikaty().size(), 1u);
        EXPECT_EQ(nagrywacz.Komunikaty()[0].Tekst, p.Komunikat);
        EXPECT_EQ(nagrywacz.Komunikaty()[0].Rodzaj, mtWarning);
    }
    // A missing attachment never reaches the mail program.
    qunsetenv("ATRAPA_POCZTY_KOD");
    QFile::remove(FLog);
    TNagrywaczKomunikatow nagrywacz;
    EXPECT_FALSE(WyslijEmail(QStringLiteral("a@x.pl"), QString(), QString(), QString(), Sciezka(QStringLiteral("brak"))));
    EXPECT_FALSE(QFileInfo::exists(FLog));
}

TEST_F(UslugiPoczty, WithoutXdgEmailTheLoadFailureIsNamed)
{
    qputenv("PATH", FKatalog.path().toLocal8Bit());
    TNagrywaczKomunikatow nagrywacz;
    EXPECT_FALSE(WyslijEmail(QStringLiteral("a@x.pl"), QString(), QString(), QString(), QString()));
    ASSERT_EQ(nagrywacz.Komunikaty().size(), 1u);
    EXPECT_TRUE(nagrywacz.Komunikaty()[0].Tekst.startsWith(QStringLiteral("Nie udało się załadować biblioteki xdg-email: ")));
}

TEST_F(UslugiPoczty, OnlyTheMainThreadMayHandMailOver)
{
    bool zgloszono = false;
    std::thread([&] {
        QString blad;
        try {
            WyslijList(TDaneListu(), blad);
        } catch (const LkException &e) {
            zgloszono = e.Message() == QStringLiteral("Próba wysłania e-maila w wątku!");
        }
    }).join();
    EXPECT_TRUE(zgloszono);
}

TEST(OpisBleduMAPI, KnownAndUnknownCodes)
{
    EXPECT_EQ(OpisBleduMAPI(1), QStringLiteral("The user canceled one of the dialog boxes.\rNo message was sent."));
    EXPECT_EQ(OpisBleduMAPI(26), QStringLiteral("Nieznany błąd MAPI: 26"));
}

// A click on a hint's mailto link hands its fields over.
class LinkPoczty : public UslugiPoczty
{
protected:
    void SetUp() override
    {
        UslugiPoczty::SetUp();
        InicjujOknoPokazPodpowiedz();
    }
    void TearDown() override
    {
        ZakonczOknoPokazPodpowiedz();
        UslugiPoczty::TearDown();
    }
};

TEST_F(LinkPoczty, PressAndReleaseOnTheSameLinkSendsIt)
{
    const QString zalacznik = ZapiszPlik(QStringLiteral("zał ą.txt"), "x");
    PokazPodpowiedz(QStringLiteral("Napisz {tutaj|mailto:pomoc@x.pl|Temat|Treść|") + zalacznik
                        + QStringLiteral("} albo {tam|mailto:inny@x.pl}"),
                    300, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania);
    const auto okna = OknaPodpowiedzi();
    ASSERT_EQ(okna.size(), 1);
    TOknoPodpowiedzi *okno = okna.first();
    const auto &lista = okno->Uklad().DispLista();
    const auto &linki = okno->Uklad().ListaLinkow();
    ASSERT_EQ(linki.size(), 2u);
    auto srodek = [&](int i) {
        const TElemDispListy &e = lista[size_t(linki[size_t(i)])];
        return QPointF((e.XPocz + e.XKon) / 2, (e.YPocz + e.YKon) / 2);
    };
    auto mysz = [&](QEvent::Type p_Typ, QPointF p_Gdzie) {
        QMouseEvent zdarzenie(p_Typ, p_Gdzie, okno->mapToGlobal(p_Gdzie), Qt::LeftButton,
                              p_Typ == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(okno, &zdarzenie);
    };
    // Pressed on one link and released on the other: nothing.
    mysz(QEvent::MouseButtonPress, srodek(0));
    mysz(QEvent::MouseButtonRelease, srodek(1));
    EXPECT_FALSE(QFileInfo::exists(FLog));

    TNagrywaczKomunikatow nagrywacz;
    mysz(QEvent::MouseButtonPress, srodek(0));
    mysz(QEvent::MouseButtonRelease, srodek(0));
    const QStringList a = Argumenty();
    ASSERT_EQ(a.size(), 8) << a.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(a.at(2), QStringLiteral("Temat"));
    EXPECT_EQ(a.at(4), QStringLiteral("Treść"));
    EXPECT_EQ(QFileInfo(a.at(6)).fileName(), QStringLiteral("zał ą.txt"));
    EXPECT_EQ(a.at(7), QStringLiteral("pomoc@x.pl"));
    EXPECT_TRUE(nagrywacz.Komunikaty().empty());
}

} // namespace
