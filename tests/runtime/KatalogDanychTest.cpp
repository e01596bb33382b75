#include "KatalogDanych.h"
#include "KatalogTestowy.h"
#include "RegDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Cannot be created, not even by root.
const QString niedostepny = QStringLiteral("/proc/ostrevia-brak/");
const QString kluczOstrevii = QStringLiteral("Software\\VelmoraSoftware\\Ostrevia");

struct TWynikStartu
{
    int Kod = -1;
    QString Wyjscie;
    QString Wartosc(const char *p_Nazwa) const
    {
        const QRegularExpression wzor(QStringLiteral("^%1=(.*)$").arg(QLatin1String(p_Nazwa)),
                                      QRegularExpression::MultilineOption);
        return wzor.match(Wyjscie).captured(1);
    }
};

} // namespace

// Start-up runs in a child process (the helper beside the tests), with the
// user's folders and the machine-wide registry inside the test's folder.
class KatalogDanychStart : public KatalogTestowy
{
protected:
    void SetUp() override
    {
        FSrodowisko = QProcessEnvironment::systemEnvironment();
        for (const char *zmienna : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_DIRS"}) {
            const QString katalog = Sciezka(QLatin1String(zmienna));
            QDir().mkpath(katalog);
            FSrodowisko.insert(QLatin1String(zmienna), katalog);
        }
    }

    TWynikStartu Uruchom(const QStringList &p_Argumenty)
    {
        QProcess proces;
        proces.setProcessEnvironment(FSrodowisko);
        proces.start(QCoreApplication::applicationDirPath() + QStringLiteral("/ostrevia_runtime_pomocnik"),
                     p_Argumenty);
        EXPECT_TRUE(proces.waitForFinished(30000));
        TWynikStartu wynik;
        wynik.Kod = proces.exitStatus() == QProcess::NormalExit ? proces.exitCode() : -1;
        wynik.Wyjscie = QString::fromUtf8(proces.readAllStandardOutput());
        return wynik;
    }

    QString Domyslny() const { return FSrodowisko.value(QStringLiteral("XDG_DATA_HOME")) + QStringLiteral("/VelmoraSoftware/"); }

    // Registry values as the child sees them.
    void UstawWRejestrze(HKEY p_Korzen, const QStringList &p_Wartosci)
    {
        const QByteArray konfiguracja = qgetenv("XDG_CONFIG_HOME"), katalogi = qgetenv("XDG_CONFIG_DIRS");
        qputenv("XDG_CONFIG_HOME", FSrodowisko.value(QStringLiteral("XDG_CONFIG_HOME")).toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", FSrodowisko.value(QStringLiteral("XDG_CONFIG_DIRS")).toLocal8Bit());
        TRegDefaults rejestr;
        rejestr.RootKey = p_Korzen;
        EXPECT_TRUE(rejestr.OpenKey(kluczOstrevii, true));
        for (const QString &linia : p_Wartosci)
            rejestr.WriteString(linia.section(QLatin1Char('='), 0, 0), linia.section(QLatin1Char('='), 1));
        FOdczytane.clear();
        for (const char *nazwa : {"Katalog danych", "Data zapisu"})
            FOdczytane << rejestr.ReadString(QLatin1String(nazwa), QString());
        qputenv("XDG_CONFIG_HOME", konfiguracja);
        qputenv("XDG_CONFIG_DIRS", katalogi);
    }

    QProcessEnvironment FSrodowisko;
    QStringList FOdczytane;
};

TEST_F(KatalogDanychStart, StartUpFixesNamesDirectoriesAndFiles)
{
    // A command-line tool starts the same, but without the log's worker.
    for (const bool narzedzie : {false, true}) {
        SCOPED_TRACE(narzedzie ? "tool" : "window");
        if (narzedzie)
            FSrodowisko.insert(QStringLiteral("OSTREVIA_NARZEDZIE"), QStringLiteral("1"));
        QFile::remove(Domyslny() + QStringLiteral("Errors.txt"));
        const TWynikStartu wynik = Uruchom({QStringLiteral("-(KatalogDanych)")});
        ASSERT_EQ(wynik.Kod, 0) << qPrintable(wynik.Wyjscie);
        EXPECT_EQ(wynik.Wartosc("Watki"), narzedzie ? QStringLiteral("1") : QStringLiteral("2"));
        EXPECT_EQ(wynik.Wartosc("NazwaProduktu"), QStringLiteral("Ostrevia"));
        EXPECT_EQ(wynik.Wartosc("NazwaAplikacji"), QStringLiteral("Ostrevia"));
        EXPECT_EQ(wynik.Wartosc("KatalogProgramu"), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
        EXPECT_EQ(wynik.Wartosc("KatalogDanych"), Domyslny());
        EXPECT_EQ(wynik.Wartosc("PlikBledow"), Domyslny() + QStringLiteral("Errors.txt"));
        EXPECT_EQ(wynik.Wartosc("TrybUslugi"), QStringLiteral("0"));
        EXPECT_EQ(wynik.Wartosc("Wersja"), QStringLiteral("1.00"));
        const QString katalogProcesu = FSrodowisko.value(QStringLiteral("XDG_RUNTIME_DIR"))
                                       + QStringLiteral("/VelmoraSoftware-") + QString::number(::geteuid())
                                       + QStringLiteral("/Proc_");
        for (const char *prefiks : {"SzablPodgl", "PlikWynik"}) {
            const QString nazwa = wynik.Wartosc(prefiks);
            EXPECT_TRUE(nazwa.startsWith(katalogProcesu)) << qPrintable(nazwa);
            EXPECT_TRUE(nazwa.endsWith(QLatin1Char('/') + QLatin1String(prefiks) + QStringLiteral("_1.tmp")))
                << qPrintable(nazwa);
        }
        // The entry is written before shutdown returns, by the worker or at once.
        const QByteArray log = CzytajPlik(Domyslny() + QStringLiteral("Errors.txt"));
        EXPECT_TRUE(log.startsWith("\xEF\xBB\xBF-> ")) << log.constData();
        EXPECT_TRUE(log.endsWith("\tWpis pomocnika\r\n")) << log.constData();
    }
}

TEST_F(KatalogDanychStart, ServiceModeEndsWithoutADataDirectoryOrWithAnUnwritableOne)
{
    const TWynikStartu bezKatalogu = Uruchom({QStringLiteral("-(Service)")});
    EXPECT_EQ(bezKatalogu.Kod, KodWyjsciaBrakKataloguDanychUslugi);
    EXPECT_EQ(bezKatalogu.Wyjscie, QStringLiteral("Brak wymaganego parametru KatalogDanych dla trybu usługi.\n"));

    const TWynikStartu niezapisywalny = Uruchom({QStringLiteral("-(service)1"), QStringLiteral("-(KatalogDanych)") + niedostepny});
    EXPECT_EQ(niezapisywalny.Kod, KodWyjsciaBrakUprawnienDoKataloguDanych);
    EXPECT_EQ(niezapisywalny.Wyjscie,
              QStringLiteral("Brak uprawnień do zapisu i modyfikacji w katalogu danych: ") + niedostepny
                  + QStringLiteral("\rJeśli posiadasz odpowiednie uprawnienia, sprawdź, czy dostęp do folderu nie "
                                   "jest blokowany przez program antywirusowy.\r\rProgram zostanie zamknięty.\n"));

    // The parameter file is read before the data directory is set up.
    const QString ini = ZapiszPlik(QStringLiteral("p.ini"), "[Params]\nKatalogDanych=" + Sciezka(QStringLiteral("usluga")).toUtf8());
    const TWynikStartu zPliku = Uruchom({QStringLiteral("-(Service)"), QStringLiteral("-(IniFile)") + ini});
    EXPECT_EQ(zPliku.Kod, 0) << qPrintable(zPliku.Wyjscie);
    EXPECT_EQ(zPliku.Wartosc("KatalogDanych"), Sciezka(QStringLiteral("usluga/")));
    EXPECT_EQ(zPliku.Wartosc("TrybUslugi"), QStringLiteral("1"));
}

TEST_F(KatalogDanychStart, UnusableDirectoryIsReplacedAndRemembered)
{
    const TWynikStartu wynik = Uruchom({QStringLiteral("-(KatalogDanych)") + niedostepny});
    ASSERT_EQ(wynik.Kod, 0) << qPrintable(wynik.Wyjscie);
    EXPECT_TRUE(wynik.Wyjscie.startsWith(QStringLiteral("Błąd tworzenia katalogu danych: ") + niedostepny
                                         + QStringLiteral("\rZmieniono katalog danych na katalog: ") + Domyslny()
                                         + QLatin1Char('\n')))
        << qPrintable(wynik.Wyjscie);
    EXPECT_EQ(wynik.Wartosc("KatalogDanych"), Domyslny());

    UstawWRejestrze(HKEY_CURRENT_USER, {});
    EXPECT_EQ(FOdczytane.value(0), Domyslny());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]{10}$")).match(FOdczytane.value(1)).hasMatch())
        << qPrintable(FOdczytane.value(1));
}

TEST_F(KatalogDanychStart, RegistryStampChoosesBetweenUserAndMachine)
{
    const QString uzytkownika = Sciezka(QStringLiteral("uzytkownika")), maszyny = Sciezka(QStringLiteral("maszyny"));
    struct
    {
        const char *stempelUzytkownika;
        const char *stempelMaszyny;
        QString oczekiwany;
    } przypadki[] = {
        {"2201011200", "2512091530", maszyny + QLatin1Char('/')},
        {"2512091530", "2512091530", uzytkownika + QLatin1Char('/')},
        {"", "", uzytkownika + QLatin1Char('/')},
        {"nie liczba", "1", maszyny + QLatin1Char('/')},
    };
    for (const auto &p : przypadki) {
        UstawWRejestrze(HKEY_CURRENT_USER, {QStringLiteral("Katalog danych=") + uzytkownika,
                                            QStringLiteral("Data zapisu=") + QLatin1String(p.stempelUzytkownika)});
        UstawWRejestrze(HKEY_LOCAL_MACHINE, {QStringLiteral("Katalog danych= ") + maszyny + QLatin1Char(' '),
                                             QStringLiteral("Data zapisu=") + QLatin1String(p.stempelMaszyny)});
        const TWynikStartu wynik = Uruchom({});
        EXPECT_EQ(wynik.Wartosc("KatalogDanych"), p.oczekiwany) << p.stempelUzytkownika << " " << p.stempelMaszyny;
    }
}

class MoznaZapisywac : public KatalogTestowy
{
};

TEST_F(MoznaZapisywac, ProbeLeavesNothingBehind)
{
    EXPECT_TRUE(MoznaZapisywacWKatalogu(FKatalog.path()));
    EXPECT_TRUE(QDir(FKatalog.path()).isEmpty());
    EXPECT_FALSE(MoznaZapisywacWKatalogu(Sciezka(QStringLiteral("brak"))));
    EXPECT_FALSE(MoznaZapisywacWKatalogu(QStringLiteral("/proc")));
    EXPECT_FALSE(MoznaZapisywacWKatalogu(QString()));
}
