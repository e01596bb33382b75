// ostrevia-render end to end: the real executable on real files.
#include "KatalogTestowy.h"
#include "NazwaPrzypadku.h"

#include <QProcess>

#include <gtest/gtest.h>

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
    const TWynik wynik = Uruchom({wejscie, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(wynik.Kod, 0) << qPrintable(wynik.Bledy);
    const QByteArray html = CzytajPlik(Sciezka(QStringLiteral("zwolnienie.html")));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"")) << html.left(80).constData();
    EXPECT_TRUE(CzytajPlik(pdf).startsWith("%PDF-"));
    EXPECT_TRUE(wynik.Bledy.isEmpty()) << qPrintable(wynik.Bledy);
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
        TPrzypadekOdmowy{"utf16.xml", "Błąd odczytu pliku %1:"}),
    [](const auto &p_Info) { return NazwaPrzypadku(p_Info.param.Plik); });

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

} // namespace
