#include "TypyDokumentXML.h"

#include "KatalogTestowy.h"
#include "NagrywaczKomunikatow.h"

#include "KodowanieZnakow.h"
#include "Strumienie.h"
#include "Wyjatki.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QByteArray DokumentTowary = R"(<?xml version="1.0" encoding="UTF-8"?>
<ns5:CC529C xmlns:ns5="http://www.mf.gov.pl/xsd/AES/CC529C.xsd">
  <Towar nr="1">Łożysko kulkowe</Towar>
  <Towar nr="2">Śruba &amp; nakrętka</Towar>
</ns5:CC529C>
)";

const QByteArray ArkuszListy = R"(<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ns5="http://www.mf.gov.pl/xsd/AES/CC529C.xsd">
  <xsl:output method="html" encoding="UTF-8"/>
  <xsl:template match="/ns5:CC529C">
    <html><body><ul><xsl:for-each select="Towar"><li><xsl:value-of select="@nr"/>: <xsl:value-of select="."/></li></xsl:for-each></ul><p>***TRESCXML***</p></body></html>
  </xsl:template>
</xsl:stylesheet>
)";

QByteArray arkusz(const QByteArray &p_Tresc, const QByteArray &p_Wyjscie = "<xsl:output method=\"text\"/>")
{
    return "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">" + p_Wyjscie
           + p_Tresc + "</xsl:stylesheet>";
}

class TransformujXSLTest : public KatalogTestowy
{
protected:
    TNagrywaczKomunikatow FKomunikaty;
};

TEST_F(TransformujXSLTest, GivesTheOutputBytesOneCharacterPerByteAndInsertsTheEscapedText)
{
    const QString xml = ZapiszPlik("dok.xml", DokumentTowary);
    const QString xsl = ZapiszPlik("arkusz.xsl", ArkuszListy);
    QString wynik;

    ASSERT_TRUE(TransformujXSL(xml, xsl, wynik, true, QStringLiteral("<a href=\"x\">&'")));

    EXPECT_TRUE(FKomunikaty.Komunikaty().empty());
    // UTF-8 bytes decoded one per character: re-encoding restores them exactly.
    EXPECT_EQ(wynik, TekstZPolskiegoAnsi(TekstNaPolskiAnsi(wynik)));
    const QByteArray bajty = TekstNaPolskiAnsi(wynik);
    EXPECT_TRUE(bajty.contains("<li>1: \xC5\x81o\xC5\xBCysko kulkowe</li>")) << bajty.toStdString();
    EXPECT_TRUE(bajty.contains("<li>2: \xC5\x9Aruba &amp; nakr\xC4\x99tka</li>")) << bajty.toStdString();
    EXPECT_TRUE(wynik.contains(QStringLiteral("<p>&lt;a href=&quot;x&quot;&gt;&amp;&apos;</p>")));
    EXPECT_FALSE(wynik.contains(QStringLiteral("***TRESCXML***")));
}

TEST_F(TransformujXSLTest, StylesheetThatIsNotWellFormedNamesItsFileAndStops)
{
    const QString xml = ZapiszPlik("dok.xml", DokumentTowary);
    const QString xsl = ZapiszPlik("zly.xsl", arkusz("<xsl:template match=\"/\"><b></xsl:template>"));
    QString wynik = QStringLiteral("stare");

    EXPECT_FALSE(TransformujXSL(xml, xsl, wynik, true));

    EXPECT_TRUE(wynik.isEmpty());
    ASSERT_EQ(FKomunikaty.Komunikaty().size(), 1u);
    const auto &komunikat = FKomunikaty.Komunikaty()[0];
    EXPECT_EQ(komunikat.Rodzaj, mtInformation);
    const QString poczatek = QStringLiteral("Podczas wczytywania pliku: \r") + xsl + QStringLiteral("\rwystąpił następujący błąd:\r");
    EXPECT_TRUE(komunikat.Tekst.startsWith(poczatek)) << komunikat.Tekst.toStdString();
    // libxml2's own reason, with the line where it found the fault.
    EXPECT_TRUE(komunikat.Tekst.contains(QStringLiteral("mismatch"))) << komunikat.Tekst.toStdString();
    EXPECT_TRUE(komunikat.Tekst.contains(QStringLiteral("(wiersz 1"))) << komunikat.Tekst.toStdString();
    EXPECT_FALSE(komunikat.Tekst.contains(QStringLiteral("Błąd transformacji XSL")));
}

TEST_F(TransformujXSLTest, MissingFilesAreReportedByName)
{
    const QString xml = ZapiszPlik("dok.xml", DokumentTowary);
    const QString xsl = ZapiszPlik("arkusz.xsl", ArkuszListy);
    QString wynik;

    EXPECT_FALSE(TransformujXSL(xml, Sciezka("brak.xsl"), wynik, true));
    EXPECT_FALSE(TransformujXSL(Sciezka("brak.xml"), xsl, wynik, true));
    EXPECT_FALSE(TransformujXSL(Sciezka("brak.xml"), xsl, wynik, false));

    ASSERT_EQ(FKomunikaty.Komunikaty().size(), 2u);
    EXPECT_EQ(FKomunikaty.Komunikaty()[0].Tekst, QStringLiteral("Brak pliku ") + Sciezka("brak.xsl"));
    EXPECT_EQ(FKomunikaty.Komunikaty()[1].Tekst, QStringLiteral("Brak pliku ") + Sciezka("brak.xml"));
    EXPECT_EQ(FKomunikaty.Komunikaty()[1].Rodzaj, mtInformation);
}

TEST_F(TransformujXSLTest, EmptyOutputIsATransformationErrorWithTheSupportLine)
{
    const QString xml = ZapiszPlik("dok.xml", DokumentTowary);
    for (const QByteArray &wyjscie : {QByteArray("<xsl:output method=\"text\"/>"), QByteArray()}) {
        const QString xsl = ZapiszPlik("pusty.xsl", arkusz("<xsl:template match=\"/\"/>", wyjscie));
        QString wynik;
        EXPECT_FALSE(TransformujXSL(xml, xsl, wynik, true));
        EXPECT_TRUE(wynik.isEmpty());
    }

    ASSERT_EQ(FKomunikaty.Komunikaty().size(), 2u);
    for (const auto &komunikat : FKomunikaty.Komunikaty()) {
        EXPECT_EQ(komunikat.Tekst, QStringLiteral("Błąd transformacji XSL\rzadzwoń do firmy Velmora Software -\rtel. +48 22 100 20 30"));
        EXPECT_EQ(komunikat.Rodzaj, mtInformation);
        EXPECT_EQ(komunikat.Przyciski, mbOKOnly);
    }
}

TEST_F(TransformujXSLTest, EngineErrorsRaiseWithTheEngineText)
{
    const QString xml = ZapiszPlik("dok.xml", DokumentTowary);
    struct TPrzypadek
    {
        const char *Opis;
        QByteArray Arkusz;
        const char *Fragment;
    };
    const TPrzypadek przypadki[] = {
        {"well-formed but no stylesheet", "<html xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"/>", "stylesheet"},
        {"instruction without its select", arkusz("<xsl:template match=\"/\"><xsl:value-of/></xsl:template>"), "select is missing"},
        {"message that terminates", arkusz("<xsl:template match=\"/\"><xsl:message terminate=\"yes\">stop tutaj</xsl:message></xsl:template>"), "stop tutaj"},
        {"endless recursion", arkusz("<xsl:template match=\"/\"><xsl:call-template name=\"r\"/></xsl:template><xsl:template name=\"r\"><xsl:call-template name=\"r\"/></xsl:template>"), "recursion"},
        {"undefined function", arkusz("<xsl:template match=\"/\"><xsl:value-of select=\"brak-funkcji(1)\"/></xsl:template>"), "brak-funkcji"},
    };
    for (const TPrzypadek &przypadek : przypadki) {
        SCOPED_TRACE(przypadek.Opis);
        const QString xsl = ZapiszPlik("arkusz.xsl", przypadek.Arkusz);
        QString wynik;
        try {
            TransformujXSL(xml, xsl, wynik, true);
            ADD_FAILURE() << "no exception";
        } catch (const LkException &e) {
            EXPECT_TRUE(e.Message().contains(QLatin1String(przypadek.Fragment))) << e.Message().toStdString();
        }
    }
    EXPECT_TRUE(FKomunikaty.Komunikaty().empty());
}

TEST_F(TransformujXSLTest, DocumentsLoadedFromStringsTransformToTheStylesheetsEncoding)
{
    TDokumentXML dokument(false, true);
    TDokumentXML szablon(false, true);
    ASSERT_TRUE(dokument.WczytajZeStringu(DokumentTowary, false));
    ASSERT_TRUE(szablon.WczytajZeStringu(
        arkusz("<xsl:template match=\"/\"><xsl:value-of select=\"//Towar[1]\"/></xsl:template>",
               "<xsl:output method=\"text\" encoding=\"ISO-8859-2\"/>"),
        false));
    QByteArray bajty;

    ASSERT_TRUE(TransformujDokumenty(dokument.GetDokXML(), szablon.GetDokXML(), bajty, true));

    EXPECT_EQ(bajty, QByteArray("\xA3o\xBFysko kulkowe"));
    EXPECT_FALSE(TransformujDokumenty(TDokXML(), szablon.GetDokXML(), bajty, true));
    EXPECT_TRUE(bajty.isEmpty());
    EXPECT_FALSE(TransformujDokumenty(dokument.GetDokXML(), TDokXML(), bajty, true));
    EXPECT_TRUE(FKomunikaty.Komunikaty().empty());
}

TEST_F(TransformujXSLTest, RendersTheRealMessagesWithTheRealStylesheets)
{
    const QString katalogArkuszy = QStringLiteral(OSTREVIA_TEST_DATA "/../../app/stylesheets/");
    struct TPrzypadek
    {
        const char *Dokument;
        const char *Arkusz;
    };
    for (const TPrzypadek &przypadek : {TPrzypadek{"IE529.xml", "Szablon529Plus.xsl"}, TPrzypadek{"IE599.xml", "Szablon599Plus.xsl"}}) {
        SCOPED_TRACE(przypadek.Dokument);
        const QString xsl = katalogArkuszy + QLatin1String(przypadek.Arkusz);
        if (!QFileInfo::exists(xsl) || !QFileInfo::exists(Dane(QLatin1String(przypadek.Dokument))))
            GTEST_SKIP() << "fixtures not present";
        QString wynik;
        ASSERT_TRUE(TransformujXSL(Dane(QLatin1String(przypadek.Dokument)), xsl, wynik, true));
        const QString html = QString::fromUtf8(TekstNaPolskiAnsi(wynik));
        EXPECT_TRUE(html.contains(QStringLiteral("<html"), Qt::CaseInsensitive));
        EXPECT_TRUE(html.contains(QStringLiteral("</html>"), Qt::CaseInsensitive));
    }
    EXPECT_TRUE(FKomunikaty.Komunikaty().empty());
}

// A target that takes a few bytes and then fails, as a full disk does.
class TStrumienPelnegoDysku : public TMemoryStream
{
public:
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override
    {
        return Size() + p_Ile > 10 ? 0 : TMemoryStream::Write(p_Bufor, p_Ile);
    }
};

QByteArray bajtyStrumienia(TMemoryStream &p_Strumien)
{
    return QByteArray(static_cast<const char *>(p_Strumien.Memory()), p_Strumien.Size());
}

TEST_F(TransformujXSLTest, StreamedPagesAreTheTextPagesByteForByte)
{
    const QString katalogArkuszy = QStringLiteral(OSTREVIA_TEST_DATA "/../../app/stylesheets/");
    struct TPrzypadek
    {
        const char *Opis;
        QString Dokument;
        QString Arkusz;
        QString TrescXML;
    };
    const TPrzypadek przypadki[] = {
        {"the message's text asked for", ZapiszPlik("dok.xml", DokumentTowary), ZapiszPlik("lista.xsl", ArkuszListy),
         QStringLiteral("<a href=\"x\">&'")},
        {"another output encoding", ZapiszPlik("dok.xml", DokumentTowary),
         ZapiszPlik("iso.xsl", arkusz("<xsl:template match=\"/\"><xsl:value-of select=\"//Towar[1]\"/></xsl:template>",
                                      "<xsl:output method=\"text\" encoding=\"ISO-8859-2\"/>")),
         QString()},
        {"IE529", Dane(QStringLiteral("IE529.xml")), katalogArkuszy + QStringLiteral("Szablon529Plus.xsl"), QString()},
        {"IE599", Dane(QStringLiteral("IE599.xml")), katalogArkuszy + QStringLiteral("Szablon599Plus.xsl"), QString()},
    };
    for (const TPrzypadek &p : przypadki) {
        SCOPED_TRACE(p.Opis);
        QString tekst;
        ASSERT_TRUE(TransformujXSL(p.Dokument, p.Arkusz, tekst, true, p.TrescXML));
        QByteArray arkuszBajty;
        {
            QFile plik(p.Arkusz);
            ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
            arkuszBajty = plik.readAll();
        }
        TMemoryStream strumien;
        TDokumentyTransformacji dokumenty;
        int czytanoTresc = 0;
        const auto trescXML = [&] {
            ++czytanoTresc;
            return p.TrescXML;
        };
        ASSERT_TRUE(TransformujXSLDoStrumienia(p.Dokument, arkuszBajty, strumien, true, dokumenty, trescXML));
        EXPECT_EQ(bajtyStrumienia(strumien), TekstNaPolskiAnsi(tekst));
        // The message's own text is read only for a stylesheet that wants it.
        EXPECT_EQ(czytanoTresc, arkuszBajty.contains("***TRESCXML***") ? 1 : 0);
        EXPECT_TRUE(dokumenty.Dokument && dokumenty.Szablon);
    }
    EXPECT_TRUE(FKomunikaty.Komunikaty().empty());
}

TEST_F(TransformujXSLTest, StreamingStopsOnAFailedWriteAndRefusesAnEmptyPage)
{
    const QString xml = ZapiszPlik("dok.xml", DokumentTowary);
    TDokumentyTransformacji dokumenty;
    const QByteArray duzo = arkusz("<xsl:template match=\"/\"><xsl:for-each select=\"//Towar\"><xsl:value-of "
                                   "select=\"substring('0123456789012345678901234567890123456789', 1)\"/>"
                                   "</xsl:for-each><xsl:value-of select=\"//Towar\"/></xsl:template>");
    TStrumienPelnegoDysku pelny;
    EXPECT_THROW(TransformujXSLDoStrumienia(xml, duzo, pelny, true, dokumenty), EWriteError);

    TMemoryStream strumien;
    EXPECT_FALSE(TransformujXSLDoStrumienia(xml, arkusz("<xsl:template match=\"/\"/>"), strumien, true, dokumenty));
    ASSERT_EQ(FKomunikaty.Komunikaty().size(), 1u);
    EXPECT_TRUE(FKomunikaty.Komunikaty()[0].Tekst.startsWith(QStringLiteral("Błąd transformacji XSL\r")));
}

TEST_F(TransformujXSLTest, AStylesheetDocumentHeldElsewhereIsLeftAsItWas)
{
    TDokumentXML arkuszXSL(false, true);
    // Whitespace-only text that compiling a stylesheet strips from its own tree.
    ASSERT_TRUE(arkuszXSL.WczytajZeStringu(arkusz("<xsl:template match=\"/\">  <xsl:text>x</xsl:text>  </xsl:template>"), false));
    const QString przed = arkuszXSL.ZapiszWStringu();
    TDokumentXML dokument(false, true);
    ASSERT_TRUE(dokument.WczytajZeStringu(DokumentTowary, false));

    TTemplateXSL wspolny;
    TDokXML trzymany = arkuszXSL.GetDokXML();
    wspolny.UstawArkusz(std::move(trzymany)); // still held by arkuszXSL: compiled from a copy
    EXPECT_EQ(arkuszXSL.ZapiszWStringu(), przed);
    EXPECT_EQ(wspolny.Transformuj(dokument.GetDokXML()), QByteArray("x"));

    TTemplateXSL wlasny;
    {
        TDokumentXML tymczasowy(false, true);
        ASSERT_TRUE(tymczasowy.WczytajZeStringu(arkusz("<xsl:template match=\"/\">y</xsl:template>"), false));
        TDokXML jedyny = tymczasowy.GetDokXML();
        tymczasowy.SetDokXML(nullptr);
        wlasny.UstawArkusz(std::move(jedyny));
    }
    // The lent document lives as long as the stylesheet that uses it.
    EXPECT_EQ(wlasny.Transformuj(dokument.GetDokXML()), QByteArray("y"));
    wlasny.UstawArkusz(arkuszXSL.GetDokXML());
    EXPECT_EQ(wlasny.Transformuj(dokument.GetDokXML()), QByteArray("x"));
}

} // namespace
