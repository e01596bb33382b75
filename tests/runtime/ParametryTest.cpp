#include "KatalogTestowy.h"
#include "KodowanieZnakow.h"
#include "Parametry.h"
#include "PlikIni.h"
#include "Wersja.h"

#include <gtest/gtest.h>

// Each test sets its own command line and parameter file and puts the
// process-wide values back afterwards.
class Parametry : public KatalogTestowy
{
protected:
    void SetUp() override
    {
        FKatalogProgramu = KatalogProgramu;
        FNazwaAplikacji = NazwaAplikacji;
        KatalogProgramu = FKatalog.path() + QLatin1Char('/');
        NazwaAplikacji = QStringLiteral("Ostrevia");
    }
    void TearDown() override
    {
        ZwolnijPlikIni();
        UstawArgumentyProgramu(QStringList{QStringLiteral("program")});
        KatalogProgramu = FKatalogProgramu;
        NazwaAplikacji = FNazwaAplikacji;
    }
    void Uruchom(QStringList p_Argumenty)
    {
        p_Argumenty.prepend(QStringLiteral("/opt/ostrevia/ostrevia"));
        UstawArgumentyProgramu(p_Argumenty);
        WczytajPlikIni();
    }
    static QString Wartosc(const QString &p_Nazwa, bool p_WielkoscLiter = false)
    {
        QString wartosc = QStringLiteral("(nie)");
        return DajParametr(p_Nazwa, wartosc, p_WielkoscLiter) ? wartosc : QStringLiteral("(brak)");
    }

    QString FKatalogProgramu;
    QString FNazwaAplikacji;
};

TEST_F(Parametry, SwitchesMatchTheWholeItem)
{
    Uruchom({QStringLiteral("/DIAG"), QStringLiteral("-v=1"), QStringLiteral("plik.xml"), QStringLiteral("-p")});
    const struct
    {
        const char *nazwa;
        bool wielkosc;
        bool wynik;
    } przypadki[] = {
        {"diag", false, true}, {"diag", true, false}, {"DIAG", true, true}, {"v", false, false},
        {"v=1", false, true},  {"plik.xml", false, false}, {"p", false, true}, {"ostrevia", false, false},
    };
    for (const auto &p : przypadki)
        EXPECT_EQ(JestParametr(QLatin1String(p.nazwa), p.wielkosc), p.wynik) << p.nazwa << " " << p.wielkosc;
}

TEST_F(Parametry, ValuedParametersInParenthesesAndOneLetterForms)
{
    Uruchom({QStringLiteral("-(KatalogDanych)/srv/dane"), QStringLiteral("-(Pusty)"), QStringLiteral("-Xabc"),
             QStringLiteral("/xdrugi"), QStringLiteral("-(A)b)c")});
    EXPECT_EQ(Wartosc(QStringLiteral("KatalogDanych")), QStringLiteral("/srv/dane"));
    EXPECT_EQ(Wartosc(QStringLiteral("katalogdanych")), QStringLiteral("/srv/dane"));
    EXPECT_EQ(Wartosc(QStringLiteral("katalogdanych"), true), QStringLiteral("(brak)"));
    // Given but empty: true, with an empty value.
    EXPECT_EQ(Wartosc(QStringLiteral("Pusty")), QString());
    // The first item with that letter wins; a case-sensitive ask skips -X.
    EXPECT_EQ(Wartosc(QStringLiteral("x")), QStringLiteral("abc"));
    EXPECT_EQ(Wartosc(QStringLiteral("x"), true), QStringLiteral("drugi"));
    EXPECT_EQ(Wartosc(QStringLiteral("A")), QStringLiteral("b)c"));
    EXPECT_EQ(Wartosc(QStringLiteral("Brak")), QStringLiteral("(brak)"));
}

TEST_F(Parametry, ParameterFileBesideTheProgramIsTheFallBack)
{
    ZapiszPlik(QStringLiteral("Ostrevia.ini"),
               "[Inne]\r\nKatalogDanych=/zla\r\n[params]\r\n KatalogDanych = /srv/z pliku \r\nFlaga=\r\n"
               "Spacje=   \r\nIniFile=/gdzies.ini\r\nService=1\r\n");
    Uruchom({QStringLiteral("-(Service)")});
    EXPECT_EQ(DajNazwePlikuIni(), Sciezka(QStringLiteral("Ostrevia.ini")));
    EXPECT_EQ(Wartosc(QStringLiteral("katalogdanych")), QStringLiteral("/srv/z pliku"));
    // A key that is there switches on whatever its value; a blank value is no value.
    EXPECT_TRUE(JestParametr(QStringLiteral("Flaga")));
    EXPECT_EQ(Wartosc(QStringLiteral("Flaga")), QStringLiteral("(brak)"));
    EXPECT_EQ(Wartosc(QStringLiteral("Spacje")), QStringLiteral("(brak)"));
    // The command line comes first; IniFile is never taken from the file.
    EXPECT_EQ(Wartosc(QStringLiteral("Service")), QString());
    EXPECT_FALSE(JestParametr(QStringLiteral("IniFile")));
    EXPECT_EQ(Wartosc(QStringLiteral("IniFile")), QStringLiteral("(brak)"));
    EXPECT_FALSE(JestParametr(QStringLiteral("Nieznany")));
}

TEST_F(Parametry, IniFileParameterNamesAnotherFile)
{
    const QString inny = ZapiszPlik(QStringLiteral("inny.ini"), "[Params]\nKatalogDanych=/z/innego\n");
    ZapiszPlik(QStringLiteral("Ostrevia.ini"), "[Params]\nKatalogDanych=/z/domyslnego\n");
    Uruchom({QStringLiteral("-(IniFile)") + inny});
    EXPECT_EQ(DajNazwePlikuIni(), inny);
    EXPECT_EQ(Wartosc(QStringLiteral("KatalogDanych")), QStringLiteral("/z/innego"));

    Uruchom({QStringLiteral("-(IniFile)") + Sciezka(QStringLiteral("brak.ini"))});
    EXPECT_EQ(Wartosc(QStringLiteral("KatalogDanych")), QStringLiteral("(brak)"));
}

TEST(PlikIni, EncodingFollowsTheByteOrderMark)
{
    const QString zolw = QStringLiteral("żółw");
    const QByteArray linia = QByteArrayLiteral("[Params]\r\nNazwa=");
    const auto utf16 = [&](bool p_LE) {
        const QString tekst = QString::fromLatin1(linia) + zolw;
        QByteArray wynik = p_LE ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        for (QChar znak : tekst) {
            const char gorny = char(znak.unicode() >> 8), dolny = char(znak.unicode() & 0xFF);
            wynik += p_LE ? QByteArray{&dolny, 1} + gorny : QByteArray{&gorny, 1} + dolny;
        }
        return wynik;
    };
    const QByteArray pliki[] = {
        QByteArray("\xEF\xBB\xBF") + linia + zolw.toUtf8(),
        linia + zolw.toUtf8(),
        linia + TekstNaPolskiAnsi(zolw),
        utf16(true),
        utf16(false),
    };
    for (const QByteArray &plik : pliki) {
        TPlikIni ini;
        ini.WczytajZBajtow(plik);
        EXPECT_EQ(ini.Wartosc(QStringLiteral("PARAMS"), QStringLiteral("nazwa")), zolw) << plik.toHex().constData();
    }
}
