// Input is hostile: no entity reaches outside, no stylesheet reads or writes
// beyond the two documents it was given.
#include "TypyDokumentXML.h"

#include "KatalogTestowy.h"
#include "NagrywaczKomunikatow.h"

#include "KodowanieZnakow.h"
#include "Wyjatki.h"

#include <QFileInfo>

namespace {

const QByteArray Sekret = "SEKRETNA-TRESC-42";

QByteArray arkusz(const QByteArray &p_Szablon, const QByteArray &p_Przestrzenie = QByteArray())
{
    return "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\" " + p_Przestrzenie
           + "><xsl:output method=\"text\"/><xsl:template match=\"/\">" + p_Szablon
           + "</xsl:template></xsl:stylesheet>";
}

class BezpieczenstwoXMLTest : public KatalogTestowy
{
protected:
    QString transformuj(const QByteArray &p_Arkusz)
    {
        const QString xml = ZapiszPlik("dok.xml", "<?xml version=\"1.0\"?><dok>tekst</dok>");
        const QString xsl = ZapiszPlik("arkusz.xsl", p_Arkusz);
        QString wynik;
        EXPECT_TRUE(TransformujXSL(xml, xsl, wynik, false));
        return wynik;
    }

    TNagrywaczKomunikatow FKomunikaty;
};

TEST_F(BezpieczenstwoXMLTest, ExternalEntitiesAreNotExpanded)
{
    const QByteArray tekst = "file://" + ZapiszPlik("sekret.txt", Sekret).toUtf8();
    const QByteArray dtd = "file://" + ZapiszPlik("sekret.dtd", "<!ENTITY s \"" + Sekret + "\">").toUtf8();
    // Refused for their DOCTYPE before anything is read.
    const QByteArray przypadki[] = {
        "<!DOCTYPE dok [<!ENTITY x SYSTEM \"" + tekst + "\">]><dok>&x;</dok>",
        "<!DOCTYPE dok [<!ENTITY % p SYSTEM \"" + dtd + "\"> %p;]><dok>&s;</dok>",
        "<!DOCTYPE dok SYSTEM \"" + dtd + "\"><dok>&s;</dok>",
    };
    const QString xsl = ZapiszPlik("kopia.xsl", arkusz("<xsl:value-of select=\".\"/>|"));
    for (const QByteArray &tresc : przypadki) {
        SCOPED_TRACE(tresc.toStdString());
        TDokumentXML dokument(false, false);
        EXPECT_FALSE(dokument.WczytajZeStringu(tresc, false));
        EXPECT_FALSE(dokument.ZapiszWStringu().contains(QString::fromLatin1(Sekret)));

        const QString plik = ZapiszPlik("xxe.xml", tresc);
        QString wynik;
        EXPECT_FALSE(TransformujXSL(plik, xsl, wynik, false));
        EXPECT_FALSE(wynik.contains(QString::fromLatin1(Sekret)));
    }
}

TEST_F(BezpieczenstwoXMLTest, EntityBombsAndDeepNestingAreRefused)
{
    QByteArray bomba = "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY l0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        bomba += "<!ENTITY l" + QByteArray::number(i) + " \"" + QByteArray("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
    bomba += "]><d>&l9;</d>";
    const QByteArray gleboki = QByteArray("<a>").repeated(5000) + QByteArray("</a>").repeated(5000);

    for (const QByteArray &tresc : {bomba, gleboki}) {
        TDokumentXML dokument(false, false);
        QString blad;
        EXPECT_FALSE(dokument.WczytajZkodemBledu(ZapiszPlik("bomba.xml", tresc), blad));
        EXPECT_FALSE(blad.isEmpty());
    }
}

TEST_F(BezpieczenstwoXMLTest, DocumentFunctionSeesNothingOutside)
{
    const QString sekret = ZapiszPlik("sekret.xml", "<s>" + Sekret + "</s>");
    const QByteArray adresy[] = {"/etc/passwd", sekret.toUtf8(), "file://" + sekret.toUtf8(), "sekret.xml"};
    for (const QByteArray &adres : adresy) {
        SCOPED_TRACE(adres.toStdString());
        const QString wynik = transformuj(
            arkusz("[<xsl:value-of select=\"count(document('" + adres + "')/node())\"/>|<xsl:value-of select=\"document('" + adres + "')\"/>]"));
        EXPECT_EQ(wynik, QStringLiteral("[0|]"));
    }
}

TEST_F(BezpieczenstwoXMLTest, DocumentFunctionOverTheNetworkIsRefused)
{
    const QString xml = ZapiszPlik("dok.xml", "<dok/>");
    const QString xsl = ZapiszPlik("siec.xsl", arkusz("<xsl:value-of select=\"document('http://127.0.0.1:9/x.xml')\"/>"));
    QString wynik;
    try {
        TransformujXSL(xml, xsl, wynik, false);
        ADD_FAILURE() << "no exception";
    } catch (const LkException &e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("refused"))) << e.Message().toStdString();
    }
}

TEST_F(BezpieczenstwoXMLTest, DocumentFunctionStillReachesTheStylesheetAndTheInputThemselves)
{
    const QByteArray wejscie = Sciezka("dok.xml").toUtf8();
    const QString wynik = transformuj(
        arkusz("<xsl:value-of select=\"count(document('')/xsl:stylesheet/xsl:template)\"/>|<xsl:value-of select=\"document('"
               + wejscie + "')/dok\"/>"));
    EXPECT_EQ(wynik, QStringLiteral("1|tekst"));
}

TEST_F(BezpieczenstwoXMLTest, StylesheetsCannotWriteFiles)
{
    const QString cel = Sciezka("wynik.txt");
    const QString podkatalog = Sciezka("nowy/wynik.txt");
    struct TPrzypadek
    {
        const char *Opis;
        QByteArray Arkusz;
    };
    const TPrzypadek przypadki[] = {
        {"exsl:document", arkusz("<exsl:document href=\"" + cel.toUtf8() + "\" method=\"text\">zapis</exsl:document>x",
                                 "xmlns:exsl=\"http://exslt.org/common\" extension-element-prefixes=\"exsl\"")},
        {"exsl:document in a new folder",
         arkusz("<exsl:document href=\"" + podkatalog.toUtf8() + "\" method=\"text\">zapis</exsl:document>x",
                "xmlns:exsl=\"http://exslt.org/common\" extension-element-prefixes=\"exsl\"")},
        {"xsl:document", "<xsl:stylesheet version=\"1.1\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                         "<xsl:template match=\"/\"><xsl:document href=\"" + cel.toUtf8() + "\" method=\"text\">zapis</xsl:document>x"
                         "</xsl:template></xsl:stylesheet>"},
    };
    const QString xml = ZapiszPlik("dok.xml", "<dok/>");
    for (const TPrzypadek &przypadek : przypadki) {
        SCOPED_TRACE(przypadek.Opis);
        const QString xsl = ZapiszPlik("pisz.xsl", przypadek.Arkusz);
        QString wynik;
        try {
            TransformujXSL(xml, xsl, wynik, false);
            ADD_FAILURE() << "the write was not refused";
        } catch (const LkException &e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("refused"))) << e.Message().toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(cel));
        EXPECT_FALSE(QFileInfo::exists(Sciezka("nowy")));
    }
}

TEST_F(BezpieczenstwoXMLTest, StylesheetsCannotImportOtherFiles)
{
    ZapiszPlik("inny.xsl", arkusz("<xsl:text>z innego pliku</xsl:text>"));
    for (const char *instrukcja : {"import", "include"}) {
        SCOPED_TRACE(instrukcja);
        const QString xml = ZapiszPlik("dok.xml", "<dok/>");
        const QString xsl = ZapiszPlik(
            "glowny.xsl", "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\"><xsl:"
                              + QByteArray(instrukcja) + " href=\"inny.xsl\"/></xsl:stylesheet>");
        QString wynik;
        EXPECT_THROW(TransformujXSL(xml, xsl, wynik, false), LkException);
    }
}

} // namespace
