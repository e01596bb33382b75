#include "TypyDokumentXML.h"

#include "KatalogTestowy.h"
#include "NagrywaczKomunikatow.h"

#include "Strumienie.h"
#include "Wyjatki.h"

#include <atomic>
#include <thread>
#include <vector>

namespace {

class DokumentXMLTest : public KatalogTestowy
{
protected:
    TNagrywaczKomunikatow FKomunikaty;
    TDokumentXML FDokument{false, false};
};

TEST_F(DokumentXMLTest, WczytajReportsTheParserReasonWithFileAndLine)
{
    const QString plik = ZapiszPlik("zly.xml", "<?xml version=\"1.0\"?>\n<a>\n  <b>\n</a>\n");

    EXPECT_FALSE(FDokument.Wczytaj(plik, true));

    EXPECT_EQ(FDokument.NazwaPliku(), plik);
    EXPECT_TRUE(FDokument.ElementGlowny().Pusty());
    ASSERT_EQ(FKomunikaty.Komunikaty().size(), 1u);
    EXPECT_EQ(FKomunikaty.Komunikaty()[0].Rodzaj, mtInformation);
    EXPECT_EQ(FKomunikaty.Komunikaty()[0].Tekst,
              QStringLiteral("Podczas wczytywania pliku: \r") + plik
                  + QStringLiteral("\rwystąpił następujący błąd:\rOpening and ending tag mismatch: b line 3 and a (wiersz 4, kolumna 5)"));
}

TEST_F(DokumentXMLTest, WczytajZkodemBleduGivesTheTextInsteadOfShowingIt)
{
    const QString dobry = ZapiszPlik("dobry.xml", "<a x=\"1\"/>");
    const QString zly = ZapiszPlik("zly.xml", "");
    QString blad = QStringLiteral("stary");

    EXPECT_TRUE(FDokument.WczytajZkodemBledu(dobry, blad));
    EXPECT_TRUE(blad.isEmpty());
    EXPECT_EQ(FDokument.ElementGlowny().Nazwa(), QStringLiteral("a"));

    EXPECT_FALSE(FDokument.WczytajZkodemBledu(zly, blad));
    EXPECT_EQ(blad, QStringLiteral("Podczas wczytywania pliku: \"") + zly
                        + QStringLiteral("\"\rwystąpił następujący błąd: Document is empty (wiersz 1, kolumna 1)"));
    EXPECT_EQ(FDokument.NazwaPliku(), zly);

    EXPECT_FALSE(FDokument.WczytajZkodemBledu(Sciezka("brak.xml"), blad));
    EXPECT_EQ(blad, QStringLiteral("Brak pliku ") + Sciezka("brak.xml"));
    EXPECT_TRUE(FKomunikaty.Komunikaty().empty());
}

TEST_F(DokumentXMLTest, WczytajZeStringuRepairsForbiddenReferencesOnlyAfterAnXmlDeclaration)
{
    const QByteArray zOdwolaniem = "<a>x&#1;y&#x1f;z</a>";

    EXPECT_TRUE(FDokument.WczytajZeStringu("<?xml version=\"1.0\"?>" + zOdwolaniem, true));
    EXPECT_EQ(FDokument.ElementGlowny().Tekst(), QStringLiteral("xyz"));
    EXPECT_TRUE(FKomunikaty.Komunikaty().empty());

    EXPECT_FALSE(FDokument.WczytajZeStringu(zOdwolaniem, true));
    ASSERT_EQ(FKomunikaty.Komunikaty().size(), 1u);
    EXPECT_EQ(FKomunikaty.Komunikaty()[0].Rodzaj, mtCustom);
    EXPECT_TRUE(FKomunikaty.Komunikaty()[0].Tekst.startsWith(
        QStringLiteral("Podczas wczytywania pliku: \r") + QString::fromLatin1(zOdwolaniem)
        + QStringLiteral("\rwystąpił następujący błąd:\rxmlParseCharRef: invalid xmlChar value 1")))
        << FKomunikaty.Komunikaty()[0].Tekst.toStdString();
}

TEST_F(DokumentXMLTest, WczytajZeStringuShowsAtMost500CharactersOfTheContent)
{
    const QByteArray dlugi = "<a>" + QByteArray(600, 'x') + "</b>";

    EXPECT_FALSE(FDokument.WczytajZeStringu(dlugi, true));
    EXPECT_FALSE(FDokument.WczytajZeStringu(dlugi, false));
    EXPECT_FALSE(FDokument.WczytajZeStringu(QByteArray(), true));
    EXPECT_FALSE(FDokument.WczytajZeStringu(QByteArray(), false));

    ASSERT_EQ(FKomunikaty.Komunikaty().size(), 2u);
    EXPECT_TRUE(FKomunikaty.Komunikaty()[0].Tekst.startsWith(
        QStringLiteral("Podczas wczytywania pliku: \r") + QString::fromLatin1(dlugi.left(500)) + QStringLiteral("...\r")));
    EXPECT_EQ(FKomunikaty.Komunikaty()[1].Tekst, QStringLiteral("Brak zawartości pliku XML do wczytania."));
    EXPECT_EQ(FKomunikaty.Komunikaty()[1].Rodzaj, mtCustom);
}

TEST_F(DokumentXMLTest, WczytajZeStringuOfTextGoesThroughPolishAnsi)
{
    EXPECT_TRUE(FDokument.WczytajZeStringu(
        QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1250\"?><a n=\"Łódź\"/>"), false));
    EXPECT_EQ(FDokument.OdczytajAtrybutJakoString(FDokument.ElementGlowny(), QStringLiteral("n")), QStringLiteral("Łódź"));
}

TEST_F(DokumentXMLTest, UstawAtrybutAddsOrReplacesOnlyTheValue)
{
    ASSERT_TRUE(FDokument.WczytajZeStringu(QByteArray("<a xmlns:p=\"urn:p\" x=\"1\" p:y=\"2\" z=\"3\"/>"), false));
    const TWezelXML a = FDokument.ElementGlowny();

    FDokument.UstawAtrybut(a, QStringLiteral("x"), QStringLiteral("<&\"nowa\">"));
    FDokument.UstawAtrybut(a, QStringLiteral("p:y"), QStringLiteral("22"));
    FDokument.UstawAtrybut(a, QStringLiteral("w"), QStringLiteral("4"));
    FDokument.UstawAtrybut(TWezelXML(), QStringLiteral("w"), QStringLiteral("5"));

    EXPECT_EQ(FDokument.ZapiszWStringu().trimmed(),
              QStringLiteral("<a xmlns:p=\"urn:p\" x=\"&lt;&amp;&quot;nowa&quot;&gt;\" p:y=\"22\" z=\"3\" w=\"4\"/>"));
    EXPECT_EQ(FDokument.OdczytajAtrybutJakoString(a, QStringLiteral("x")), QStringLiteral("<&\"nowa\">"));
    EXPECT_EQ(FDokument.OdczytajAtrybutJakoString(a, QStringLiteral("brak")), QString());
    EXPECT_EQ(FDokument.OdczytajAtrybutJakoString(TWezelXML(), QStringLiteral("x")), QString());
    EXPECT_THROW(FDokument.UstawAtrybut(a, QStringLiteral("zła nazwa"), QStringLiteral("1")), LkException);
}

TEST_F(DokumentXMLTest, DatesOfAttributesAndValues)
{
    ASSERT_TRUE(FDokument.WczytajZeStringu(QByteArray("<a d=\"2024.03.15\" c=\"15-03-2024 10:30\">2024.03.16</a>"), false));
    const TWezelXML a = FDokument.ElementGlowny();

    EXPECT_EQ(FDokument.OdczytajAtrybutJakoData(a, QStringLiteral("d")), 45366.0);
    EXPECT_EQ(FDokument.OdczytajAtrybutJakoData(a, QStringLiteral("brak")), 0.0);
    EXPECT_DOUBLE_EQ(FDokument.OdczytajAtrybutJakoData(a, QStringLiteral("c"), QStringLiteral("dd-mm-yyyy hh:nn")),
                     45366.0 + 10.5 / 24);
    EXPECT_EQ(FDokument.OdczytajWartoscJakoData(a.PierwszeDziecko(), QStringLiteral("yyyy.mm.dd")), 45367.0);
    EXPECT_EQ(FDokument.OdczytajWartoscJakoData(a.Atrybut(QStringLiteral("d")), QStringLiteral("yyyy.mm.dd")), 45366.0);
}

TEST_F(DokumentXMLTest, NodesAreAddedWhereAsked)
{
    const TWezelXML korzen = FDokument.DodajWezel(QStringLiteral("korzen"));
    const TWezelXML c = FDokument.DodajWezel(korzen, QStringLiteral("c"));
    FDokument.DodajWezelPrzed(korzen, QStringLiteral("a"), c);
    FDokument.DodajWezelPrzed(korzen, QStringLiteral("d"), TWezelXML());

    EXPECT_EQ(FDokument.ZapiszWStringu().trimmed(), QStringLiteral("<korzen><a/><c/><d/></korzen>"));
    EXPECT_EQ(FDokument.ElementGlowny(), korzen);
    EXPECT_THROW(FDokument.DodajWezel(QStringLiteral("drugi")), LkException);
    EXPECT_THROW(FDokument.DodajWezel(korzen, QStringLiteral("1zla")), LkException);
    EXPECT_THROW(FDokument.DodajWezelPrzed(c, QStringLiteral("x"), korzen), LkException);
}

TEST_F(DokumentXMLTest, ZapiszToAStreamFollowsItsOptions)
{
    ASSERT_TRUE(FDokument.WczytajZeStringu(QByteArray("<a><b>ł</b></a>"), false));
    struct TPrzypadek
    {
        bool BOM;
        bool Deklaracja;
        const char *Kodowanie;
        QByteArray Oczekiwane;
    };
    const TPrzypadek przypadki[] = {
        {false, false, "UTF-8", "<a>\n  <b>\xC5\x82</b>\n</a>\n"},
        {true, true, "UTF-8", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<a>\n  <b>\xC5\x82</b>\n</a>\n"},
        {false, true, "windows-1250", "<?xml version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"?>\n<a>\n  <b>\xB3</b>\n</a>\n"},
        {true, false, "ISO-8859-2", "<a>\n  <b>\xB3</b>\n</a>\n"},
    };
    for (const TPrzypadek &przypadek : przypadki) {
        SCOPED_TRACE(przypadek.Kodowanie);
        TMemoryStream strumien;
        FDokument.Zapisz(strumien, przypadek.BOM, przypadek.Deklaracja, QLatin1String(przypadek.Kodowanie));
        EXPECT_EQ(strumien.Bajty(), przypadek.Oczekiwane);
    }
    {
        // UTF-16 carries exactly one byte-order mark, and only when asked.
        const QString tekst = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"yes\"?>\n<a>\n  <b>ł</b>\n</a>\n");
        const QByteArray utf16(reinterpret_cast<const char *>(tekst.utf16()), tekst.size() * 2);
        TMemoryStream zBOM, bezBOM;
        FDokument.Zapisz(zBOM, true, true, QStringLiteral("UTF-16"));
        FDokument.Zapisz(bezBOM, false, true, QStringLiteral("UTF-16"));
        EXPECT_EQ(zBOM.Bajty(), QByteArray("\xFF\xFE", 2) + utf16);
        EXPECT_EQ(bezBOM.Bajty(), utf16);
    }
    TMemoryStream strumien;
    EXPECT_THROW(FDokument.Zapisz(strumien, false, true, QStringLiteral("nie-ma-takiego")), LkException);
    // The document's own standalone flag is untouched.
    EXPECT_EQ(FDokument.GetDokXML().get() != nullptr, true);
    FDokument.Zapisz(Sciezka("sam.xml"));
    EXPECT_FALSE(CzytajPlik(Sciezka("sam.xml")).contains("standalone"));
}

TEST_F(DokumentXMLTest, SavedFilesLoadBack)
{
    const QString zrodlo = ZapiszPlik("zrodlo.xml", "<?xml version=\"1.0\" encoding=\"windows-1250\"?><a>\xB3</a>");
    ASSERT_TRUE(FDokument.Wczytaj(zrodlo, false));
    FDokument.UstawAtrybut(FDokument.ElementGlowny(), QStringLiteral("n"), QStringLiteral("1"));

    FDokument.Zapisz();
    FDokument.Zapisz1(Sciezka("utf8.xml"));

    EXPECT_EQ(CzytajPlik(zrodlo), QByteArray("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<a n=\"1\">\xB3</a>\n"));
    EXPECT_EQ(CzytajPlik(Sciezka("utf8.xml")), QByteArray("<a n=\"1\">\xC5\x82</a>\n"));
    TDokumentXML kopia(false, false);
    ASSERT_TRUE(kopia.Wczytaj(Sciezka("utf8.xml"), false));
    EXPECT_EQ(kopia.ElementGlowny().Tekst(), QStringLiteral("ł"));
    EXPECT_THROW(FDokument.Zapisz(Sciezka("brak/katalogu.xml")), EFCreateError);
}

TEST_F(DokumentXMLTest, ParseErrorsStayWithTheirOwnCallAcrossThreads)
{
    struct TPrzypadek
    {
        QByteArray Tresc;
        QString Powod;
    };
    const TPrzypadek przypadki[] = {
        {"<a></b>", QStringLiteral("Opening and ending tag mismatch: a line 1 and b (wiersz 1, kolumna 8)")},
        {"<a x='1' x='2'/>", QStringLiteral("Attribute x redefined (wiersz 1, kolumna 15)")},
        {"<a>&nieznana;</a>", QStringLiteral("Entity 'nieznana' not defined (wiersz 1, kolumna 14)")},
    };
    for (const TPrzypadek &przypadek : przypadki) {
        TDokumentXML dokument(false, false);
        QString blad;
        EXPECT_FALSE(dokument.WczytajZkodemBledu(ZapiszPlik(QStringLiteral("jeden.xml"), przypadek.Tresc), blad));
        EXPECT_TRUE(blad.endsWith(QStringLiteral(": ") + przypadek.Powod)) << blad.toStdString();
    }
    std::atomic<int> bledy{0};
    std::vector<std::thread> watki;
    for (const TPrzypadek &przypadek : przypadki)
        watki.emplace_back([&przypadek, &bledy, this] {
            const QString plik = ZapiszPlik(QString::number(qHash(przypadek.Tresc)) + QStringLiteral(".xml"), przypadek.Tresc);
            for (int i = 0; i < 200; ++i) {
                TDokumentXML dokument(false, true);
                QString blad;
                if (dokument.WczytajZkodemBledu(plik, blad) || !blad.endsWith(QStringLiteral(": ") + przypadek.Powod))
                    ++bledy;
            }
        });
    for (std::thread &watek : watki)
        watek.join();
    EXPECT_EQ(bledy.load(), 0);
}

} // namespace
