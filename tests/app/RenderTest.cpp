// ostrevia-render end to end: the real executable on real files.
#include "KatalogTestowy.h"
#include "NazwaPrzypadku.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct TWynik
{
    int Kod;
    QString Wyjscie;
    QString Bledy;
};

class RenderTest : public KatalogTestowy
{
protected:
    TWynik Uruchom(const QStringList &p_Argumenty) const
    {
        QProcess proces;
        proces.setWorkingDirectory(FKatalog.path());
        proces.start(QStringLiteral(OSTREVIA_BIN_DIR "/ostrevia-render"), p_Argumenty);
        EXPECT_TRUE(proces.waitForFinished(180000));
        return {proces.exitCode(), QString::fromUtf8(proces.readAllStandardOutput()),
                QString::fromUtf8(proces.readAllStandardError())};
    }
};

TEST_F(RenderTest, WritesHtmlNextToTheInputAndPdfOnRequest)
{
    const QString wejscie = Sciezka(QStringLiteral("zwolnienie.xml"));
    QFile::copy(Dane(QStringLiteral("IE529.xml")), wejscie);
    const QString pdf = Sciezka(QStringLiteral("zwolnienie.pdf"));
    const mode_t maska = ::umask(022);
    const TWynik wynik = Uruchom({wejscie, QStringLiteral("--pdf"), pdf});
    ::umask(maska);
    ASSERT_EQ(wynik.Kod, 0) << qPrintable(wynik.Bledy);
    const QString html = Sciezka(QStringLiteral("zwolnienie.html"));
    EXPECT_TRUE(CzytajPlik(html).startsWith("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\""));
    EXPECT_TRUE(CzytajPlik(pdf).startsWith("%PDF-"));
    EXPECT_TRUE(wynik.Bledy.isEmpty()) << qPrintable(wynik.Bledy);
    EXPECT_EQ(wynik.Wyjscie, html + QLatin1Char('\n') + pdf + QLatin1Char('\n'));
    // Both outputs as any new file of the user's.
    for (const QString &plik : {html, pdf})
        EXPECT_EQ(QFileInfo(plik).permissions() & 0x0777, QFileDevice::Permissions(0x0644)) << qPrintable(plik);
}

TEST_F(RenderTest, ExplicitOutputNameIsHonoured)
{
    const QString html = Sciezka(QStringLiteral("wynik 599.html"));
    const TWynik wynik = Uruchom({Dane(QStringLiteral("IE599.xml")), QStringLiteral("-o"), html});
    ASSERT_EQ(wynik.Kod, 0) << qPrintable(wynik.Bledy);
    EXPECT_TRUE(CzytajPlik(html).startsWith("<!DOCTYPE"));
}

struct TPrzypadekOdmowy
{
    const char *Plik;
    const char *Komunikat; // the start of what standard error must say
};

void PrintTo(const TPrzypadekOdmowy &p, std::ostream *os)
{
    *os << p.Plik;
}

class OdmowaRenderTest : public RenderTest, public ::testing::WithParamInterface<TPrzypadekOdmowy>
{
};

TEST_P(OdmowaRenderTest, RefusalsExitWithOneAndSayWhy)
{
    const QString plik = Dane(QString::fromLatin1(GetParam().Plik));
    const TWynik wynik = Uruchom({plik, QStringLiteral("-o"), Sciezka(QStringLiteral("x.html"))});
    EXPECT_EQ(wynik.Kod, 1);
    EXPECT_TRUE(wynik.Bledy.contains(QString::fromUtf8(GetParam().Komunikat).arg(plik))) << qPrintable(wynik.Bledy);
    EXPECT_FALSE(QFile::exists(Sciezka(QStringLiteral("x.html"))));
}

INSTANTIATE_TEST_SUITE_P(
    Pliki, OdmowaRenderTest,
    ::testing::Values(
        TPrzypadekOdmowy{"obcy_korzen.xml", "Program obsługuje wyłącznie pliki XML\nIE529 i IE599"},
        TPrzypadekOdmowy{"brak.xml", "Brak pliku %1"},
        TPrzypadekOdmowy{"IE529_uszkodzony.xml", "Nie udało się przygotowanie pliku XML do wyświetlania"},
        TPrzypadekOdmowy{"nie_xml.xml", "Błąd odczytu pliku %1:"},
        TPrzypadekOdmowy{"utf16.xml", "Błąd odczytu pliku %1:"},
        TPrzypadekOdmowy{"z_doctype.xml", "deklarację DOCTYPE, której program nie przyjmuje"}),
    NazwaZOpisu());

TEST_F(RenderTest, UsageErrorsExitWithTwo)
{
    for (const QStringList &argumenty : {QStringList{}, QStringList{QStringLiteral("--nieznana")},
                                         QStringList{QStringLiteral("a.xml"), QStringLiteral("b.xml")},
                                         QStringList{QStringLiteral("a.xml"), QStringLiteral("-o")},
                                         QStringList{QStringLiteral("--export-stylesheet"), QStringLiteral("CC000C")}})
        EXPECT_EQ(Uruchom(argumenty).Kod, 2) << qPrintable(argumenty.join(QLatin1Char(' ')));
}

TEST_F(RenderTest, ExportsTheBuiltInStylesheetAsUnpacked)
{
    const QString plik = Sciezka(QStringLiteral("529.xsl"));
    ASSERT_EQ(Uruchom({QStringLiteral("--export-stylesheet"), QStringLiteral("CC529C"), QStringLiteral("-o"), plik}).Kod, 0);
    const QByteArray tresc = CzytajPlik(plik);
    EXPECT_TRUE(tresc.startsWith("<?xml")) << tresc.left(60).constData();
    EXPECT_TRUE(tresc.contains("http://www.mf.gov.pl/xsd/AES/CC529C.xsd"));
    EXPECT_TRUE(tresc.contains("\r\n"));
}

TEST_F(RenderTest, TakesHelpVersionFrameworkSwitchesAndTheEndOfOptions)
{
    const TWynik pomoc = Uruchom({QStringLiteral("--help")});
    EXPECT_EQ(pomoc.Kod, 0);
    EXPECT_TRUE(pomoc.Wyjscie.startsWith(QStringLiteral("Użycie: ostrevia-render"))) << qPrintable(pomoc.Wyjscie);
    EXPECT_TRUE(pomoc.Bledy.isEmpty());
    const TWynik wersja = Uruchom({QStringLiteral("--version")});
    EXPECT_EQ(wersja.Kod, 0);
    EXPECT_EQ(wersja.Wyjscie, QStringLiteral("ostrevia-render 1.00\n"));

    const TWynik nieznana = Uruchom({QStringLiteral("--nieznana"), Dane(QStringLiteral("IE529.xml"))});
    EXPECT_EQ(nieznana.Kod, 2);
    EXPECT_TRUE(nieznana.Bledy.contains(QStringLiteral("nieznana opcja: nieznana"))) << qPrintable(nieznana.Bledy);

    const QString dane = Sciezka(QStringLiteral("dane"));
    const TWynik przelaczniki = Uruchom({QStringLiteral("-(KatalogDanych)") + dane, QStringLiteral("-(Service)"),
                                         Dane(QStringLiteral("IE529.xml")), QStringLiteral("-o"),
                                         Sciezka(QStringLiteral("a.html"))});
    EXPECT_EQ(przelaczniki.Kod, 0) << qPrintable(przelaczniki.Bledy);
    EXPECT_TRUE(QFileInfo(dane).isDir());

    // A file whose name starts with "-" after "--".
    QFile::copy(Dane(QStringLiteral("IE529.xml")), Sciezka(QStringLiteral("-x.xml")));
    const TWynik kreska = Uruchom({QStringLiteral("--"), QStringLiteral("-x.xml")});
    EXPECT_EQ(kreska.Kod, 0) << qPrintable(kreska.Bledy);
    EXPECT_TRUE(CzytajPlik(Sciezka(QStringLiteral("-x.html"))).startsWith("<!DOCTYPE"));
}

TEST_F(RenderTest, ReadsTheInputThroughALinkAndNeverWritesThroughOneNorOverTheInput)
{
    const QString wejscie = Sciezka(QStringLiteral("we.xml"));
    QFile::copy(Dane(QStringLiteral("IE529.xml")), wejscie);
    const QByteArray tresc = CzytajPlik(wejscie);
    ASSERT_TRUE(QFile::link(wejscie, Sciezka(QStringLiteral("link.xml"))));
    const TWynik przezLink = Uruchom({Sciezka(QStringLiteral("link.xml")), QStringLiteral("-o"), Sciezka(QStringLiteral("z-linku.html"))});
    EXPECT_EQ(przezLink.Kod, 0) << qPrintable(przezLink.Bledy);

    // A link planted at the output's name is replaced, its target untouched.
    const QString ofiara = ZapiszPlik(QStringLiteral("ofiara.txt"), "nie ruszać");
    const QString podrzucony = Sciezka(QStringLiteral("podrzucony.html"));
    ASSERT_TRUE(QFile::link(ofiara, podrzucony));
    EXPECT_EQ(Uruchom({wejscie, QStringLiteral("-o"), podrzucony}).Kod, 0);
    EXPECT_EQ(CzytajPlik(ofiara), QByteArray("nie ruszać"));
    EXPECT_FALSE(QFileInfo(podrzucony).isSymLink());
    EXPECT_TRUE(CzytajPlik(podrzucony).startsWith("<!DOCTYPE"));

    // The input under any name is never an output.
    ASSERT_TRUE(QFile::link(QStringLiteral("we.xml"), Sciezka(QStringLiteral("do-wejscia.html"))));
    ASSERT_EQ(::link(QFile::encodeName(wejscie).constData(), QFile::encodeName(Sciezka(QStringLiteral("twardy.xml"))).constData()), 0);
    const QString html = Sciezka(QStringLiteral("we.html"));
    for (const QStringList &argumenty :
         {QStringList{wejscie, QStringLiteral("-o"), wejscie},
          QStringList{wejscie, QStringLiteral("-o"), Sciezka(QStringLiteral("x/../we.xml"))},
          QStringList{wejscie, QStringLiteral("-o"), Sciezka(QStringLiteral("twardy.xml"))},
          QStringList{wejscie, QStringLiteral("-o"), Sciezka(QStringLiteral("do-wejscia.html"))},
          QStringList{wejscie, QStringLiteral("-o"), html, QStringLiteral("--pdf"), wejscie}}) {
        QDir().mkpath(Sciezka(QStringLiteral("x")));
        const TWynik wynik = Uruchom(argumenty);
        EXPECT_EQ(wynik.Kod, 1) << qPrintable(argumenty.join(QLatin1Char(' ')));
        EXPECT_TRUE(wynik.Bledy.contains(QStringLiteral("to plik wejściowy"))) << qPrintable(wynik.Bledy);
        EXPECT_EQ(CzytajPlik(wejscie), tresc);
    }
    // A refused PDF stops the run before the page is written.
    EXPECT_FALSE(QFileInfo::exists(html));
    // A page named like its input has no default output but the input itself.
    QFile::copy(wejscie, Sciezka(QStringLiteral("strona.html")));
    EXPECT_EQ(Uruchom({Sciezka(QStringLiteral("strona.html"))}).Kod, 1);
    EXPECT_EQ(CzytajPlik(Sciezka(QStringLiteral("strona.html"))), tresc);
}

TEST_F(RenderTest, ThePageMayGoToStandardOutputAndAFailedWriteSaysWhy)
{
    const TWynik naWyjscie = Uruchom({Dane(QStringLiteral("IE599.xml")), QStringLiteral("-o"), QStringLiteral("-")});
    EXPECT_EQ(naWyjscie.Kod, 0) << qPrintable(naWyjscie.Bledy);
    EXPECT_TRUE(naWyjscie.Wyjscie.startsWith(QStringLiteral("<!DOCTYPE"))) << qPrintable(naWyjscie.Wyjscie.left(80));
    EXPECT_TRUE(naWyjscie.Wyjscie.trimmed().endsWith(QStringLiteral("</html>")));

    const TWynik brakKatalogu = Uruchom({Dane(QStringLiteral("IE599.xml")), QStringLiteral("-o"), Sciezka(QStringLiteral("nie/ma/x.html"))});
    EXPECT_EQ(brakKatalogu.Kod, 1);
    EXPECT_TRUE(brakKatalogu.Bledy.contains(QStringLiteral("Nie można zapisać pliku"))) << qPrintable(brakKatalogu.Bledy);
    EXPECT_TRUE(brakKatalogu.Bledy.contains(QStringLiteral("brak katalogu"))) << qPrintable(brakKatalogu.Bledy);
}

TEST_F(RenderTest, AMessageInTheDefaultNamespaceRendersAsItsPrefixedTwin)
{
    const QString zPrefiksem = Sciezka(QStringLiteral("prefiks.html"));
    const QString domyslna = Sciezka(QStringLiteral("domyslna.html"));
    ASSERT_EQ(Uruchom({Dane(QStringLiteral("IE529_minimalny.xml")), QStringLiteral("-o"), zPrefiksem}).Kod, 0);
    ASSERT_EQ(Uruchom({Dane(QStringLiteral("IE529_przestrzen_domyslna.xml")), QStringLiteral("-o"), domyslna}).Kod, 0);
    EXPECT_EQ(CzytajPlik(domyslna), CzytajPlik(zPrefiksem));
    EXPECT_TRUE(CzytajPlik(domyslna).contains("SD/2026/0093"));
}

} // namespace
