#include "TypyDokumentXML.h"

#include "NagrywaczKomunikatow.h"

#include "Wyjatki.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

namespace {

// The real libxml2 engine, except for the class names a test declares absent;
// it records every class asked for.
class TFabrykaBezKlas : public TFabrykaLibXml
{
public:
    explicit TFabrykaBezKlas(QSet<QString> p_Brakujace) : FBrakujace(std::move(p_Brakujace)) {}

    TDokXML UtworzDokument(const QString &p_NazwaKlasy) override
    {
        Proby << p_NazwaKlasy;
        return FBrakujace.contains(p_NazwaKlasy) ? TDokXML() : TFabrykaLibXml::UtworzDokument(p_NazwaKlasy);
    }
    std::unique_ptr<TTemplateXSL> UtworzTemplate(const QString &p_NazwaKlasy) override
    {
        Proby << p_NazwaKlasy;
        if (FBrakujace.contains(p_NazwaKlasy))
            throw LkException(QStringLiteral("klasa niezarejestrowana"));
        return TFabrykaLibXml::UtworzTemplate(p_NazwaKlasy);
    }

    QSet<QString> FBrakujace;
    QStringList Proby;
};

const QString DOM6 = QStringLiteral("Msxml2.DOMDocument.6.0");
const QString DOM3 = QStringLiteral("Msxml2.DOMDocument.3.0");
const QString WolnyDOM6 = QStringLiteral("Msxml2.FreeThreadedDOMDocument.6.0");
const QString WolnyDOM3 = QStringLiteral("Msxml2.FreeThreadedDOMDocument.3.0");
const QString Template6 = QStringLiteral("Msxml2.XSLTemplate.6.0");
const QString Template3 = QStringLiteral("Msxml2.XSLTemplate.3.0");
const QString BrakParsera = QStringLiteral("Błąd tworzenia template - brak parsera plików XML - MS XML DOM");

class SilnikXMLTest : public ::testing::Test
{
protected:
    void SetUp() override { ZapomnijKlasyXML(); }
    void TearDown() override
    {
        UstawFabrykeSilnikaXML(nullptr);
        ZapomnijKlasyXML();
    }
};

TEST_F(SilnikXMLTest, NewerEngineIsTriedFirstAndRemembered)
{
    TFabrykaBezKlas fabryka({});
    UstawFabrykeSilnikaXML(&fabryka);

    TDokumentXML pierwszy(false, false);
    TDokumentXML drugi(false, false);

    EXPECT_TRUE(pierwszy.GetDokXML());
    EXPECT_EQ(fabryka.Proby, QStringList({DOM6, DOM6}));
    EXPECT_EQ(ZapamietanaKlasaXML(TRodzajObiektuXML::DOM), DOM6);
    EXPECT_TRUE(ZapamietanaKlasaXML(TRodzajObiektuXML::DOMWolnowatkowy).isEmpty());
}

TEST_F(SilnikXMLTest, FallsBackToTheOlderEngineAndGoesStraightToItAfterwards)
{
    TFabrykaBezKlas fabryka({DOM6, WolnyDOM6, Template6});
    UstawFabrykeSilnikaXML(&fabryka);

    TDokumentXML pierwszy(false, false);
    TDokumentXML drugi(false, false);
    TDokumentXML wolny(false, true);
    const auto szablon = TDokumentXML::UtworzTemplate(false);
    const auto szablon2 = TDokumentXML::UtworzTemplate(false);

    EXPECT_TRUE(drugi.GetDokXML());
    EXPECT_TRUE(wolny.GetDokXML());
    EXPECT_TRUE(szablon2);
    EXPECT_EQ(fabryka.Proby, QStringList({DOM6, DOM3, DOM3, WolnyDOM6, WolnyDOM3, Template6, Template3, Template3}));
    EXPECT_EQ(ZapamietanaKlasaXML(TRodzajObiektuXML::DOM), DOM3);
    EXPECT_EQ(ZapamietanaKlasaXML(TRodzajObiektuXML::DOMWolnowatkowy), WolnyDOM3);
    EXPECT_EQ(ZapamietanaKlasaXML(TRodzajObiektuXML::Template), Template3);
}

TEST_F(SilnikXMLTest, RememberedOlderEngineThatFailsIsReportedAtOnce)
{
    TFabrykaBezKlas fabryka({DOM6});
    UstawFabrykeSilnikaXML(&fabryka);
    TDokumentXML pierwszy(false, false);
    fabryka.FBrakujace.insert(DOM3);
    fabryka.Proby.clear();

    try {
        TDokumentXML drugi(false, false);
        FAIL() << "no exception";
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), BrakParsera);
    }
    EXPECT_EQ(fabryka.Proby, QStringList({DOM3}));
}

TEST_F(SilnikXMLTest, NoEngineAsksAboutTheInstallationPageOnlyWhenShowing)
{
    TFabrykaBezKlas fabryka({Template6, Template3});
    UstawFabrykeSilnikaXML(&fabryka);
    // "No": the installation page must not really open during a test.
    TNagrywaczKomunikatow komunikaty(mrNo);

    try {
        TDokumentXML::UtworzTemplate(true);
        FAIL() << "no exception";
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), BrakParsera);
    }
    try {
        TDokumentXML::UtworzTemplate(false);
        FAIL() << "no exception";
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), BrakParsera);
    }

    ASSERT_EQ(komunikaty.Komunikaty().size(), 1u);
    const auto &pytanie = komunikaty.Komunikaty()[0];
    EXPECT_EQ(pytanie.Tekst, QStringLiteral("Do pracy programu wymagany jest Microsoft DOM. Czy chcesz przenieść się "
                                            "na stronę Velmora Software aby zainstalować ten komponent? (musisz być "
                                            "zalogowany do Internetu)"));
    EXPECT_EQ(pytanie.Rodzaj, mtInformation);
    EXPECT_EQ(pytanie.Przyciski, mbYesNo);
    EXPECT_TRUE(ZapamietanaKlasaXML(TRodzajObiektuXML::Template).isEmpty());
}

} // namespace
