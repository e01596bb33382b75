// The viewer window driven through its slots, with the message hook
// recording what the user would be told.
#include "KatalogTestowy.h"
#include "Komunikaty.h"
#include "NazwaPrzypadku.h"
#include "OknoOstrevia.h"
#include "Start.h"
#include "TypyPolBazowe.h"
#include "WidokDokumentu.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct TKomunikat
{
    QString Tekst;
    TMsgDlgType Rodzaj;
    TMsgDlgButtons Przyciski;
};

std::vector<TKomunikat> komunikaty;

int zapiszKomunikat(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski, int32_t)
{
    komunikaty.push_back({p_Tekst, p_Rodzaj, p_Przyciski});
    return mrOk;
}

const QString odmowaTypu = QStringLiteral(
    "Program obsługuje wyłącznie pliki XML\rIE529 i IE599, pochodzące z systemu ECS.\rWskazany plik nie będzie wczytany");
const QString nieUdaloSie = QStringLiteral("Nie udało się przygotowanie pliku XML do wyświetlania");

class OknoTest : public KatalogTestowy
{
protected:
    static void SetUpTestSuite() { jednostki = std::make_unique<TJednostkiProgramu>(*qApp); }
    static void TearDownTestSuite() { jednostki.reset(); }

    void SetUp() override
    {
        komunikaty.clear();
        ProcKomunikatu = zapiszKomunikat;
    }
    void TearDown() override { ProcKomunikatu = nullptr; }

    static QString Html(const TOknoECS &p_Okno) { return QString::fromUtf8(CzytajPlik(p_Okno.Droga().NazwaPlikuHTML())); }

    static std::unique_ptr<TJednostkiProgramu> jednostki;
};
std::unique_ptr<TJednostkiProgramu> OknoTest::jednostki;

TEST_F(OknoTest, StartsWithVersionCaptionAndTwoReservedTemporaryFiles)
{
    TOknoECS okno({});
    // The test binary carries no version block.
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Ostrevia ver. ?.??"));
    EXPECT_FALSE(okno.butDrukuj->isEnabled());
    EXPECT_TRUE(komunikaty.empty());
    const QString szablon = okno.Droga().NazwaPlikuSzabl();
    const QString html = okno.Droga().NazwaPlikuHTML();
    EXPECT_TRUE(QFileInfo(szablon).fileName().startsWith(QLatin1String("SzablPodgl_")));
    EXPECT_TRUE(QFileInfo(html).fileName().startsWith(QLatin1String("PlikWynik_")));
    EXPECT_TRUE(QFileInfo::exists(szablon));
    EXPECT_TRUE(QFileInfo::exists(html));
}

TEST_F(OknoTest, ClosingDeletesBothTemporaryFilesEvenWithoutADocument)
{
    QString szablon, html;
    {
        TOknoECS okno({});
        szablon = okno.Droga().NazwaPlikuSzabl();
        html = okno.Droga().NazwaPlikuHTML();
    }
    EXPECT_FALSE(QFileInfo::exists(szablon));
    EXPECT_FALSE(QFileInfo::exists(html));
}

struct TPrzypadekWczytania
{
    const char *Plik;
    bool Przyjety;
    const char *FragmentStrony; // a text the page must carry when accepted
};

class WczytanieTest : public OknoTest, public ::testing::WithParamInterface<TPrzypadekWczytania>
{
};

TEST_P(WczytanieTest, AcceptsTheTwoMessagesByTheirNamespaceAndRefusesTheRest)
{
    const auto &przypadek = GetParam();
    TOknoECS okno({});
    okno.WczytajPlik(Dane(QString::fromLatin1(przypadek.Plik)));
    if (przypadek.Przyjety) {
        EXPECT_TRUE(komunikaty.empty()) << qPrintable(komunikaty.front().Tekst);
        EXPECT_TRUE(okno.butDrukuj->isEnabled());
        EXPECT_TRUE(okno.browser->url().isLocalFile());
        EXPECT_EQ(okno.browser->url().toLocalFile(), okno.Droga().NazwaPlikuHTML());
        EXPECT_TRUE(Html(okno).contains(QString::fromUtf8(przypadek.FragmentStrony)));
    } else {
        ASSERT_EQ(komunikaty.size(), 1u);
        EXPECT_EQ(komunikaty[0].Tekst, odmowaTypu);
        EXPECT_EQ(komunikaty[0].Rodzaj, mtError);
        EXPECT_EQ(komunikaty[0].Przyciski, mbOKOnly);
        EXPECT_FALSE(okno.butDrukuj->isEnabled());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pliki, WczytanieTest,
    ::testing::Values(TPrzypadekWczytania{"IE529.xml", true, "<!DOCTYPE"},
                      TPrzypadekWczytania{"IE599.xml", true, "<!DOCTYPE"},
                      TPrzypadekWczytania{"IE529_prefiks_inny.xml", true, "<!DOCTYPE"},
                      TPrzypadekWczytania{"IE529_prefiks_domyslny.xml", true, "<!DOCTYPE"},
                      TPrzypadekWczytania{"obcy_korzen.xml", false, ""}),
    [](const auto &p_Info) { return NazwaPrzypadku(p_Info.param.Plik); });

TEST_F(OknoTest, MissingFileAndEmptyNameAreRefused)
{
    TOknoECS okno({});
    const QString brak = Sciezka(QStringLiteral("nie ma.xml"));
    okno.WczytajPlik(brak);
    okno.edNazwaPliku->clear();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(okno.edNazwaPliku, &enter);
    ASSERT_EQ(komunikaty.size(), 2u);
    EXPECT_EQ(komunikaty[0].Tekst, QStringLiteral("Brak pliku ") + brak);
    EXPECT_EQ(komunikaty[1].Tekst, QStringLiteral("Brak pliku "));
    EXPECT_EQ(komunikaty[1].Rodzaj, mtError);
}

TEST_F(OknoTest, MalformedAfterTheRootIsRecognisedThenRefusedByTheXmlComponent)
{
    TOknoECS okno({});
    okno.WczytajPlik(Dane(QStringLiteral("IE529.xml")));
    const QUrl pokazany = okno.browser->url();
    komunikaty.clear();

    const QString plik = Dane(QStringLiteral("IE529_uszkodzony.xml"));
    okno.WczytajPlik(plik);
    ASSERT_EQ(komunikaty.size(), 2u);
    EXPECT_TRUE(komunikaty[0].Tekst.startsWith(QStringLiteral("Podczas wczytywania pliku: \r") + plik + QLatin1Char('\r')))
        << qPrintable(komunikaty[0].Tekst);
    EXPECT_EQ(komunikaty[0].Rodzaj, mtInformation);
    EXPECT_EQ(komunikaty[1].Tekst, nieUdaloSie);
    EXPECT_EQ(komunikaty[1].Rodzaj, mtError);
    // The pane keeps what it showed, and Print stays enabled.
    EXPECT_EQ(okno.browser->url(), pokazany);
    EXPECT_TRUE(okno.butDrukuj->isEnabled());
}

TEST_F(OknoTest, NotXmlAndUtf16RaiseTheReadersErrorWithTheFileName)
{
    TOknoECS okno({});
    for (const char *nazwa : {"nie_xml.xml", "utf16.xml"}) {
        const QString plik = Dane(QString::fromLatin1(nazwa));
        try {
            okno.WczytajPlik(plik);
            ADD_FAILURE() << nazwa << " was not refused";
        } catch (const ELkParserError &e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Błąd odczytu pliku ") + plik + QStringLiteral(":\r")))
                << qPrintable(e.Message());
        }
    }
    EXPECT_TRUE(komunikaty.empty());
}

TEST_F(OknoTest, SecondDocumentReusesTheSameTemporaryFiles)
{
    TOknoECS okno({});
    okno.WczytajPlik(Dane(QStringLiteral("IE529.xml")));
    const QString pierwsza = Html(okno);
    const QUrl adres = okno.browser->url();
    okno.WczytajPlik(Dane(QStringLiteral("IE599.xml")));
    EXPECT_EQ(okno.browser->url(), adres);
    EXPECT_NE(Html(okno), pierwsza);
    EXPECT_TRUE(komunikaty.empty());
}

TEST_F(OknoTest, CommandLineArgumentIsJudgedByItsExtension)
{
    const QString duzymi = Sciezka(QStringLiteral("KOMUNIKAT.XML"));
    QFile::copy(Dane(QStringLiteral("IE529.xml")), duzymi);
    TOknoECS przyjete(duzymi);
    EXPECT_TRUE(komunikaty.empty());
    EXPECT_EQ(przyjete.edNazwaPliku->text(), duzymi);
    EXPECT_TRUE(przyjete.butDrukuj->isEnabled());

    TOknoECS odrzucone(QStringLiteral("notatka.xml.txt"));
    ASSERT_EQ(komunikaty.size(), 1u);
    EXPECT_EQ(komunikaty[0].Tekst,
              QStringLiteral("Program do podglądu plików z systemu ECS\robsługuje wyłącznie pliki *.xml"));
    EXPECT_EQ(komunikaty[0].Rodzaj, mtInformation);
    EXPECT_TRUE(odrzucone.edNazwaPliku->text().isEmpty());
}

TEST_F(OknoTest, NameBoxTurnsRedUntilItNamesAnExistingFile)
{
    TOknoECS okno({});
    okno.edNazwaPliku->setText(Sciezka(QStringLiteral("IE5")));
    EXPECT_EQ(okno.edNazwaPliku->palette().color(QPalette::Text), QColor(255, 0, 0));
    okno.edNazwaPliku->setText(Dane(QStringLiteral("IE529.xml")));
    EXPECT_EQ(okno.edNazwaPliku->palette().color(QPalette::Text), QColor(Qt::black));
}

TEST_F(OknoTest, PrintAsksThroughThePrintDialog)
{
    TOknoECS okno({});
    okno.WczytajPlik(Dane(QStringLiteral("IE529.xml")));
    ASSERT_TRUE(okno.butDrukuj->isEnabled());
    bool zapytano = false;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
            zapytano = true;
            dialog->reject();
        }
    });
    okno.butDrukuj->click();
    EXPECT_TRUE(zapytano);
}

TEST_F(OknoTest, LoadButtonWithUnknownNameAndShiftEnterOpenTheFileDialog)
{
    TOknoECS okno({});
    okno.edNazwaPliku->setText(Sciezka(QStringLiteral("nie-ma.xml")));
    const std::vector<std::pair<const char *, std::function<void()>>> sposoby = {
        {"Wczytaj", [&] { okno.butWczytajClick(); }},
        {"Shift+Enter", [&] {
             QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier);
             QApplication::sendEvent(okno.edNazwaPliku, &enter);
         }},
    };
    for (const auto &[nazwa, sposob] : sposoby) {
        bool otwarty = false;
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                otwarty = dialog->windowTitle() == QStringLiteral("Wybierz plik z ECS");
                dialog->reject();
            }
        });
        sposob();
        EXPECT_TRUE(otwarty) << nazwa;
    }
    // Neither tried to load the missing name.
    EXPECT_TRUE(komunikaty.empty());
}

} // namespace
