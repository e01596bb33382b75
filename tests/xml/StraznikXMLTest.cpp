// What would cost the parser more than linear time, or expand beyond every
// bound, is refused before libxml2 sees it; nothing well-formed and ordinary is.
#include "StraznikXML.h"
#include "TypyDokumentXML.h"

#include "KatalogTestowy.h"
#include "NagrywaczKomunikatow.h"
#include "NazwaPrzypadku.h"
#include "WrogieDokumenty.h"

#include <chrono>
#include <random>
#include <vector>

namespace {

struct TPrzypadek
{
    const char *Opis;
    QByteArray Tresc;
    QString Powod = QString(); // the reason's end; empty for a document that loads
};

void PrintTo(const TPrzypadek &p, std::ostream *os)
{
    *os << p.Opis;
}

QByteArray utf16LE(const QString &p_Tekst)
{
    return QByteArray(reinterpret_cast<const char *>(p_Tekst.utf16()), p_Tekst.size() * 2);
}

QByteArray utf16BE(const QString &p_Tekst)
{
    QByteArray bajty = utf16LE(p_Tekst);
    for (qsizetype i = 0; i + 1 < bajty.size(); i += 2)
        std::swap(bajty[i], bajty[i + 1]);
    return bajty;
}

QByteArray zagniezdzone(int p_Poziomy)
{
    return QByteArray("<a>").repeated(p_Poziomy) + QByteArray("</a>").repeated(p_Poziomy);
}

// p_Ile namespace declarations, prefixes p_Prefiks0..
QByteArray deklaracje(int p_Ile, const QByteArray &p_Prefiks)
{
    QByteArray tresc;
    for (int i = 0; i < p_Ile; ++i)
        tresc += " xmlns:" + p_Prefiks + QByteArray::number(i) + "=\"urn:" + QByteArray::number(i) + "\"";
    return tresc;
}

const QString Doctype = QStringLiteral("Dokument XML zawiera deklarację DOCTYPE, której program nie przyjmuje");

std::vector<TPrzypadek> Odrzucane()
{
    const auto kodowanie = [](const char *p_Nazwa) {
        return QStringLiteral("Dokument XML ma kodowanie \"%1\", którego program nie przyjmuje (wiersz 1, kolumna 1)")
            .arg(QLatin1String(p_Nazwa));
    };
    return {
        {"DOCTYPE without an internal subset", "<?xml version=\"1.0\"?>\n<!DOCTYPE dok SYSTEM \"dok.dtd\">\n<dok/>",
         Doctype + QStringLiteral(" (wiersz 2, kolumna 1)")},
        {"entities amplified", DokumentWzmacniajacyEncje(), Doctype + QStringLiteral(" (wiersz 2, kolumna 1)")},
        {"DOCTYPE after a byte-order mark and a comment", "\xEF\xBB\xBF<!-- \xC5\x82 -->\r\n  <!DOCTYPE dok><dok/>",
         Doctype + QStringLiteral(" (wiersz 2, kolumna 3)")},
        {"a declaration in content", "<dok>\xC5\x82<!ENTITY e 'v'></dok>",
         QStringLiteral("Dokument XML zawiera niedozwoloną konstrukcję \"<!\" (wiersz 1, kolumna 7)")},
        // Where the refusal is found counts characters and lines through every kind of run before it.
        {"a declaration after values, text, comments and CDATA over several lines",
         "<dok a='\xC5\x82\n\xC5\xBC' b=\"x\">\xC4\x85 \xC4\x99\r\n  <!-- \xC3\xB3\n -->x<![CDATA[\xC5\x9B\r]]><e></e  >"
         "\n\t\xC5\x82\xC5\x82<!x></dok>",
         QStringLiteral("Dokument XML zawiera niedozwoloną konstrukcję \"<!\" (wiersz 6, kolumna 4)")},
        {"257 attributes", ElementZAtrybutami(257),
         QStringLiteral("Element dokumentu XML ma więcej niż 256 atrybutów (wiersz 1, kolumna 1)")},
        {"257 namespace declarations on one element", "<dok" + deklaracje(257, "p") + "/>",
         QStringLiteral("Element dokumentu XML ma więcej niż 256 atrybutów (wiersz 1, kolumna 1)")},
        {"namespaces piling up in scope", "<a" + deklaracje(200, "p") + ">\n<b xmlns='u'" + deklaracje(56, "q") + "/></a>",
         QStringLiteral("Element dokumentu XML ma w zasięgu więcej niż 256 deklaracji przestrzeni nazw (wiersz 2, kolumna 1)")},
        {"257 levels", zagniezdzone(257),
         QStringLiteral("Zagnieżdżenie elementów dokumentu XML przekracza 256 poziomów (wiersz 1, kolumna 769)")},
        // Each of these reads as well-formed XML to libxml2, but its markup is invisible in the bytes.
        {"UTF-7", "<?xml version=\"1.0\" encoding=\"UTF-7\"?>+ADw-dok/+AD4-", kodowanie("UTF-7")},
        {"EBCDIC", "\x4C\x6F\xA7\x94\x93\x40\xA5\x85\x99\xA2\x89\x96\x95\x7E\x7F\xF1\x4B\xF0\x7F\x6F\x6E\x4C\x84\x96\x92\x61\x6E",
         kodowanie("EBCDIC")},
        {"UCS-4", QByteArray("<\0\0\0d\0\0\0/\0\0\0>\0\0\0", 16), kodowanie("UCS-4")},
        {"UTF-16 switching to UTF-7", "\xFF\xFE" + utf16LE(QStringLiteral("<?xml version='1.0' encoding='utf-7'?><dok/>")),
         kodowanie("UTF-7")},
        {"UTF-16 switching its byte order", utf16LE(QStringLiteral("<?xml version='1.0' encoding='UTF-16BE'?><dok/>")),
         kodowanie("UTF-16BE")},
    };
}

std::vector<TPrzypadek> Przyjmowane()
{
    const QByteArray wiele = QByteArray(" x=\"1\" ").repeated(300);
    return {
        {"declarations in a comment",
         "<!-- <!DOCTYPE dok [<!ENTITY e 'v'>]> - \"'" + wiele + " -->\n<dok><!----><!-- - -><!- --></dok>"},
        {"CDATA", "<dok><![CDATA[<!DOCTYPE dok><a " + wiele + "> ]] ]>]]]]><![CDATA[]]></dok>"},
        {"processing instructions", "<?xml-stylesheet type=\"text/xsl\" href=\"a.xsl\"?><dok><?pi <!DOCTYPE x> ?" + wiele
                                        + " ?\?></dok>"},
        {"attribute values", "<dok a='\"!DOCTYPE\"' b=\"x=y>z '\" c='&lt;!DOCTYPE dok&gt;'>" + wiele + "</dok>"},
        {"text", "<dok>" + QByteArray("=\"'>").repeated(1000) + "!DOCTYPE ]] ]></dok>"},
        {"256 attributes", ElementZAtrybutami(256)},
        {"256 attributes on each of many elements", "<dok>" + ElementZAtrybutami(256, "e").repeated(20) + "</dok>"},
        {"256 namespaces in scope", "<a" + deklaracje(128, "p") + "><b" + deklaracje(128, "q") + "/></a>"},
        {"namespaces going out of scope",
         "<dok>" + ("<a" + deklaracje(200, "p") + "><b" + deklaracje(56, "q") + "/></a>").repeated(5) + "</dok>"},
        {"256 levels", zagniezdzone(256)},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?><dok>\xC5\x82</dok>"},
        {"windows-1250", "<?xml version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"?><dok a=\"\xB3\"/>"},
        {"ISO-8859-2", "<?xml version = '1.0'\n encoding = 'ISO-8859-2' ?><dok>\xB3</dok>"},
        {"UTF-16LE with a byte-order mark",
         "\xFF\xFE" + utf16LE(QStringLiteral("<?xml version='1.0' encoding='UTF-16'?><dok a='ł'><!-- <!DOCTYPE --></dok>"))},
        {"UTF-16BE without a byte-order mark", utf16BE(QStringLiteral("<?xml version='1.0' encoding='UTF-16'?><dok>ł</dok>"))},
    };
}

class StraznikXMLTest : public KatalogTestowy, public ::testing::WithParamInterface<TPrzypadek>
{
protected:
    // The reason a file fails to load for (empty when it loads); bytes load or fail alike.
    QString Wczytaj(const QByteArray &p_Tresc)
    {
        TDokumentXML zPliku(false, false);
        QString blad;
        const bool wczytany = zPliku.WczytajZkodemBledu(ZapiszPlik(QStringLiteral("dok.xml"), p_Tresc), blad);
        TDokumentXML zBajtow(false, false);
        EXPECT_EQ(zBajtow.WczytajZeStringu(p_Tresc, false), wczytany);
        return blad;
    }

    TNagrywaczKomunikatow FKomunikaty;
};

using OdrzucaneXML = StraznikXMLTest;
using PrzyjmowaneXML = StraznikXMLTest;
using PorcjeXML = StraznikXMLTest;

TEST_P(OdrzucaneXML, RefusedWithTheReasonAndWhere)
{
    const QString blad = Wczytaj(GetParam().Tresc);
    EXPECT_TRUE(blad.endsWith(QStringLiteral("wystąpił następujący błąd: ") + GetParam().Powod)) << blad.toStdString();
}

TEST_P(PrzyjmowaneXML, Loads)
{
    const QString blad = Wczytaj(GetParam().Tresc);
    EXPECT_TRUE(blad.isEmpty()) << blad.toStdString();
}

// Whatever the pieces the bytes arrive in, the verdict is the same.
TEST_P(PorcjeXML, SameVerdictInAnyPieces)
{
    const QByteArray &tresc = GetParam().Tresc;
    std::mt19937 losowanie(static_cast<unsigned>(tresc.size()));
    for (int proba = 0; proba < 6; ++proba) {
        SCOPED_TRACE(proba);
        TStraznikXML straznik;
        for (qsizetype i = 0; i < tresc.size();) {
            // The first try goes byte by byte, the others in random pieces.
            const qsizetype ile = proba == 0 ? 1 : std::uniform_int_distribution<qsizetype>(0, 40)(losowanie);
            straznik.Sprawdz(tresc.constData() + i, std::min(ile, tresc.size() - i));
            i += ile;
        }
        straznik.Zakoncz();
        EXPECT_EQ(straznik.Odrzucony(), !GetParam().Powod.isEmpty());
        EXPECT_EQ(straznik.Powod(), GetParam().Powod);
    }
}

std::vector<TPrzypadek> Wszystkie()
{
    std::vector<TPrzypadek> wszystkie = Odrzucane();
    for (TPrzypadek &przypadek : Przyjmowane())
        wszystkie.push_back(std::move(przypadek));
    return wszystkie;
}

INSTANTIATE_TEST_SUITE_P(Straznik, OdrzucaneXML, ::testing::ValuesIn(Odrzucane()), NazwaZOpisu());
INSTANTIATE_TEST_SUITE_P(Straznik, PrzyjmowaneXML, ::testing::ValuesIn(Przyjmowane()), NazwaZOpisu());
INSTANTIATE_TEST_SUITE_P(Straznik, PorcjeXML, ::testing::ValuesIn(Wszystkie()), NazwaZOpisu());

TEST_F(StraznikXMLTest, AmplifiedEntitiesNeverReachTheTransformation)
{
    const QString xsl = ZapiszPlik(QStringLiteral("arkusz.xsl"),
                                   "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                                   "<xsl:template match=\"/\"><xsl:value-of select=\".\"/></xsl:template></xsl:stylesheet>");
    QString wynik;
    EXPECT_FALSE(TransformujXSL(ZapiszPlik(QStringLiteral("bomba.xml"), DokumentWzmacniajacyEncje()), xsl, wynik, false));
    EXPECT_TRUE(wynik.isEmpty());
}

TEST_F(StraznikXMLTest, HugeStartTagsAreRefusedInLinearTime)
{
    const QByteArray atrybuty = ElementZAtrybutami(200000);
    const TPrzypadek przypadki[] = {
        {"200,000 attributes", atrybuty, QStringLiteral("Element dokumentu XML ma więcej niż 256 atrybutów (wiersz 1, kolumna 1)")},
        {"200,000 namespace declarations", "<dok" + deklaracje(200000, "p") + "/>",
         QStringLiteral("Element dokumentu XML ma więcej niż 256 atrybutów (wiersz 1, kolumna 1)")},
        // libxml2 recovers from the bad character and would read the start
        // tag that the guard took for a comment: it must get no further.
        {"a start tag behind an error", "<r><!-- \x01 " + atrybuty + " --></r>",
         QStringLiteral("xmlParseComment: invalid xmlChar value 1 (wiersz 1, kolumna 9)")},
    };
    for (const TPrzypadek &przypadek : przypadki) {
        SCOPED_TRACE(przypadek.Opis);
        const auto start = std::chrono::steady_clock::now();
        const QString blad = Wczytaj(przypadek.Tresc);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_TRUE(blad.endsWith(przypadek.Powod)) << blad.toStdString();
    }
}

} // namespace
