#include "KatalogTestowy.h"
#include "RegDefaults.h"
#include "WartosciRejestru.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString klucz = QStringLiteral("Software\\VelmoraSoftware\\Proba");

} // namespace

// HKEY_LOCAL_MACHINE is pointed at the test's own folder.
class RegDefaults : public KatalogTestowy
{
protected:
    void SetUp() override
    {
        FKatalogiKonfiguracji = qgetenv("XDG_CONFIG_DIRS");
        FKatalogiDanych = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(Sciezka(QStringLiteral("etc-xdg"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(Sciezka(QStringLiteral("usr-share"))));
        QFile::remove(PlikRejestru(HKEY_CURRENT_USER));
        FRejestr.RootKey = HKEY_CURRENT_USER;
        ASSERT_TRUE(FRejestr.OpenKey(klucz, true));
        FRejestr.WriteString(QStringLiteral("Tekst"), QStringLiteral("3"));
        FRejestr.WriteInteger(QStringLiteral("Liczba"), 7);
        FRejestr.WriteString(QStringLiteral("Pusty"), QString());
    }
    void TearDown() override
    {
        qputenv("XDG_CONFIG_DIRS", FKatalogiKonfiguracji);
        qputenv("XDG_DATA_DIRS", FKatalogiDanych);
    }

    QByteArray FKatalogiKonfiguracji;
    QByteArray FKatalogiDanych;
    TRegDefaults FRejestr;
};

TEST_F(RegDefaults, ValuesOfAnotherTypeGiveTheDefault)
{
    TRegDefaults odczyt(KEY_READ | KEY_WOW64_64KEY);
    ASSERT_TRUE(odczyt.OpenKeyReadOnly(QStringLiteral("software\\velmorasoftware\\PROBA")));
    EXPECT_EQ(odczyt.ReadInteger(QStringLiteral("Tekst"), -1), -1);
    EXPECT_EQ(odczyt.ReadInteger(QStringLiteral("liczba"), -1), 7);
    EXPECT_EQ(odczyt.ReadString(QStringLiteral("Liczba"), QStringLiteral("dom")), QStringLiteral("dom"));
    EXPECT_EQ(odczyt.ReadString(QStringLiteral("TEKST"), QStringLiteral("dom")), QStringLiteral("3"));
    EXPECT_EQ(odczyt.ReadString(QStringLiteral("Pusty"), QStringLiteral("dom")), QStringLiteral("dom"));
    EXPECT_EQ(odczyt.ReadString(QStringLiteral("Brak"), QStringLiteral("dom")), QStringLiteral("dom"));
    EXPECT_EQ(odczyt.ReadBool(QStringLiteral("Liczba"), false), true);
    EXPECT_EQ(odczyt.ReadBool(QStringLiteral("Tekst"), false), false);
    EXPECT_EQ(odczyt.GetDataType(QStringLiteral("Tekst")), TRegDataType::rdString);
    EXPECT_EQ(odczyt.GetDataType(QStringLiteral("Liczba")), TRegDataType::rdInteger);
    EXPECT_THROW(odczyt.WriteString(QStringLiteral("Tekst"), QStringLiteral("x")), ERegistryException);
    EXPECT_FALSE(odczyt.OpenKeyReadOnly(QStringLiteral("Software\\Brak")));
}

TEST_F(RegDefaults, WriteStrMinRaisesToTheMinimumAsAString)
{
    FRejestr.WriteString(QStringLiteral("Siedem"), QStringLiteral("7"));
    FRejestr.WriteString(QStringLiteral("Slowo"), QStringLiteral("abc"));
    for (const char *nazwa : {"Tekst", "Siedem", "Slowo", "Brak", "Liczba"})
        FRejestr.WriteStrMin(QLatin1String(nazwa), 5);
    const std::pair<const char *, const char *> przypadki[] = {
        {"Tekst", "5"}, {"Siedem", "7"}, {"Slowo", "5"}, {"Brak", "5"}, {"Liczba", "5"},
    };
    for (const auto &[nazwa, wartosc] : przypadki) {
        EXPECT_EQ(FRejestr.GetDataType(QLatin1String(nazwa)), TRegDataType::rdString) << nazwa;
        EXPECT_EQ(FRejestr.ReadString(QLatin1String(nazwa), QString()), QLatin1String(wartosc)) << nazwa;
    }
    FRejestr.WriteStrMin(QStringLiteral("Najmniejsza"), std::numeric_limits<int32_t>::min());
    EXPECT_FALSE(FRejestr.ValueExists(QStringLiteral("Najmniejsza")));
}

TEST_F(RegDefaults, WriteIfNoneKeepsEvenAnEmptyValue)
{
    FRejestr.WriteIfNone(QStringLiteral("Pusty"), QStringLiteral("nowy"));
    FRejestr.WriteIfNone(QStringLiteral("Nowy"), QStringLiteral("nowy"));
    TRegistry odczyt(KEY_READ);
    ASSERT_TRUE(odczyt.OpenKeyReadOnly(klucz));
    EXPECT_EQ(odczyt.ReadString(QStringLiteral("Pusty")), QString());
    EXPECT_EQ(odczyt.ReadString(QStringLiteral("Nowy")), QStringLiteral("nowy"));
}

TEST_F(RegDefaults, HivesAreSeparateStoresAndHelpersReadStrings)
{
    EXPECT_TRUE(PlikRejestru(HKEY_CURRENT_USER).startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    EXPECT_TRUE(QFile::exists(PlikRejestru(HKEY_CURRENT_USER)));
    EXPECT_EQ(PlikRejestru(HKEY_LOCAL_MACHINE), Sciezka(QStringLiteral("etc-xdg/VelmoraSoftware/Rejestr.json")));

    QString wartosc;
    EXPECT_FALSE(CzytajWartoscRejestru(QStringLiteral("Tekst"), wartosc, klucz, HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(ZapiszWartosciRejestru({QStringLiteral("Tekst=z maszyny"), QStringLiteral("Rowne=a=b")}, klucz,
                                       HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(CzytajWartoscRejestru(QStringLiteral("Rowne"), wartosc, klucz, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(wartosc, QStringLiteral("a=b"));
    EXPECT_TRUE(CzytajWartoscRejestru(QStringLiteral("Tekst"), wartosc, klucz, HKEY_CURRENT_USER));
    EXPECT_EQ(wartosc, QStringLiteral("3"));
    // A number read as a string is empty, yet the value exists.
    EXPECT_TRUE(CzytajWartoscRejestru(QStringLiteral("Liczba"), wartosc, klucz, HKEY_CURRENT_USER));
    EXPECT_EQ(wartosc, QString());
    EXPECT_FALSE(CzytajWartoscRejestru(QStringLiteral("Brak"), wartosc, klucz, HKEY_CURRENT_USER));
}

TEST_F(RegDefaults, DamagedStoreIsNeitherReadNorOverwritten)
{
    const QByteArray uszkodzony("{\"Software\\\\VelmoraSoftware\\\\Proba\": {\"Tekst\": ");
    QFile plik(PlikRejestru(HKEY_CURRENT_USER));
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly | QIODevice::Truncate));
    plik.write(uszkodzony);
    plik.close();

    QString wartosc;
    EXPECT_FALSE(CzytajWartoscRejestru(QStringLiteral("Tekst"), wartosc, klucz, HKEY_CURRENT_USER));
    EXPECT_FALSE(ZapiszWartosciRejestru({QStringLiteral("Tekst=nowy")}, klucz, HKEY_CURRENT_USER));
    EXPECT_EQ(CzytajPlik(PlikRejestru(HKEY_CURRENT_USER)), uszkodzony);
}

TEST_F(RegDefaults, MailtoCommandComesFromTheDesktopsDefaultHandler)
{
    TRegDefaults klasy(KEY_READ);
    klasy.RootKey = HKEY_CLASSES_ROOT;
    const QString kluczPoczty = QStringLiteral("mailto\\shell\\open\\command");
    EXPECT_FALSE(klasy.OpenKeyReadOnly(kluczPoczty));

    const QString konfiguracja = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString aplikacje = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications");
    QDir().mkpath(aplikacje);
    QFile skojarzenia(konfiguracja + QStringLiteral("/mimeapps.list"));
    ASSERT_TRUE(skojarzenia.open(QIODevice::WriteOnly | QIODevice::Truncate));
    skojarzenia.write("[Default Applications]\nx-scheme-handler/mailto=brak.desktop;poczta.desktop;\n");
    skojarzenia.close();
    QFile pulpit(aplikacje + QStringLiteral("/poczta.desktop"));
    ASSERT_TRUE(pulpit.open(QIODevice::WriteOnly | QIODevice::Truncate));
    pulpit.write("[Desktop Entry]\nName=Poczta\nExec=/usr/bin/poczta --compose %u --icon %i\n");
    pulpit.close();

    ASSERT_TRUE(klasy.OpenKeyReadOnly(kluczPoczty));
    EXPECT_EQ(klasy.ReadString(QString(), QString()), QStringLiteral("/usr/bin/poczta --compose \"%1\" --icon"));
    QFile::remove(skojarzenia.fileName());
}
