// The viewer window driven through its slots, with the message hook
// recording what the user would be told.
#include "KatalogTestowy.h"
#include "NagrywaczKomunikatow.h"
#include "Komunikaty.h"
#include "LkAplikacja.h"
#include "LkBitBtn.h"
#include "LkButton.h"
#include "LkEdit.h"
#include "LkNaglowek.h"
#include "NazwaPrzypadku.h"
#include "OknoOstrevia.h"
#include "OstatniePliki.h"
#include "Start.h"
#include "TypyPolBazowe.h"
#include "WidokDokumentu.h"
#include "WydrukPDF.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QWebEnginePage>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace {

const QString odmowaTypu = QStringLiteral(
    "Program obsługuje wyłącznie pliki XML\rIE529 i IE599, pochodzące z systemu ECS.\rWskazany plik nie będzie wczytany");
const QString nieUdaloSie = QStringLiteral("Nie udało się przygotowanie pliku XML do wyświetlania");

// The window as the program runs it: an exception out of one of its events
// goes to the application's handler (TLkAplikacja::notify does this for the
// whole program; the test suite runs on a plain QApplication).
class TOknoTestowe : public TOknoECS
{
public:
    explicit TOknoTestowe(const QString &p_Argument = {}) : TOknoECS(p_Argument) {}

protected:
    bool event(QEvent *p_Zdarzenie) override
    {
        try {
            return TOknoECS::event(p_Zdarzenie);
        } catch (const std::exception &e) {
            TLkAplikacja::PokazWyjatek(KomunikatWyjatku(e));
            return true;
        }
    }
};

// Runs the event loop until p_Warunek holds, or fails after p_LimitMs.
bool czekaj(const std::function<bool()> &p_Warunek, int p_LimitMs = 120000)
{
    QElapsedTimer zegar;
    zegar.start();
    while (!p_Warunek()) {
        if (zegar.elapsed() > p_LimitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// Hands every event of the objects it filters to a function.
class TFiltrZdarzen : public QObject
{
public:
    explicit TFiltrZdarzen(std::function<void(QObject *, QEvent *)> p_Obsluga) : FObsluga(std::move(p_Obsluga)) {}

protected:
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override
    {
        FObsluga(p_Obiekt, p_Zdarzenie);
        return false;
    }

private:
    std::function<void(QObject *, QEvent *)> FObsluga;
};

// The roads asked for, and those they queued, have ended.
void czekajNaDroge(const TOknoECS &p_Okno)
{
    ASSERT_TRUE(czekaj([&] { return !p_Okno.DrogaTrwa(); }));
}

void wczytaj(TOknoECS &p_Okno, const QString &p_Plik)
{
    p_Okno.WczytajPlik(p_Plik);
    czekajNaDroge(p_Okno);
}

// The browser pane comes from its library after the road has shown a page
// (or after the window's first paint).
void czekajNaPanel(const TOknoECS &p_Okno)
{
    ASSERT_TRUE(czekaj([&] { return p_Okno.browser != nullptr; }));
}

void wczytajStrone(TOknoECS &p_Okno, const QString &p_Plik)
{
    wczytaj(p_Okno, p_Plik);
    czekajNaPanel(p_Okno);
}

TWidokDokumentu &widok(const TOknoECS &p_Okno)
{
    return static_cast<TWidokDokumentu &>(*p_Okno.browser);
}

// What poppler makes of a PDF: its page count (0 when it is no PDF) and text.
int liczbaStron(const QString &p_Plik)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {p_Plik});
    pdfinfo.waitForFinished(60000);
    static const QRegularExpression strony(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption);
    return strony.match(QString::fromUtf8(pdfinfo.readAllStandardOutput())).captured(1).toInt();
}

QString tekstPdf(const QString &p_Plik)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), p_Plik,
                                                  QStringLiteral("-")});
    pdftotext.waitForFinished(60000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

class OknoTest : public KatalogTestowy
{
protected:
    static void SetUpTestSuite() { jednostki = std::make_unique<TJednostkiProgramu>(*qApp); }
    static void TearDownTestSuite() { jednostki.reset(); }

    void SetUp() override { FNagrywacz.emplace(); }
    void TearDown() override { FNagrywacz.reset(); }

    const std::vector<TNagrywaczKomunikatow::TKomunikat> &Komunikaty() const { return FNagrywacz->Komunikaty(); }
    std::optional<TNagrywaczKomunikatow> FNagrywacz;

    static QString Html(const TOknoECS &p_Okno) { return QString::fromUtf8(CzytajPlik(p_Okno.Droga().NazwaPlikuHTML())); }

    static std::unique_ptr<TJednostkiProgramu> jednostki;
};
std::unique_ptr<TJednostkiProgramu> OknoTest::jednostki;

TEST_F(OknoTest, StartsWithVersionCaptionAndTwoReservedTemporaryFiles)
{
    TOknoTestowe okno;
    // The test binary carries no version block.
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Ostrevia ver. ?.??"));
    EXPECT_FALSE(okno.butDrukuj->isEnabled());
    EXPECT_TRUE(Komunikaty().empty());
    const QString szablon = okno.Droga().NazwaPlikuSzabl();
    const QString html = okno.Droga().NazwaPlikuHTML();
    EXPECT_TRUE(QFileInfo(szablon).fileName().startsWith(QLatin1String("SzablPodgl_")));
    EXPECT_TRUE(QFileInfo(html).fileName().startsWith(QLatin1String("PlikWynik_")));
    EXPECT_TRUE(QFileInfo::exists(szablon));
    EXPECT_TRUE(QFileInfo::exists(html));
}

TEST_F(OknoTest, ClosingDeletesBothTemporaryFilesEvenWithoutADocumentOrDuringARoad)
{
    for (const bool wDrodze : {false, true}) {
        QString szablon, html;
        {
            TOknoTestowe okno;
            szablon = okno.Droga().NazwaPlikuSzabl();
            html = okno.Droga().NazwaPlikuHTML();
            if (wDrodze)
                okno.WczytajPlik(Dane(QStringLiteral("IE529.xml")));
        }
        EXPECT_FALSE(QFileInfo::exists(szablon)) << wDrodze;
        EXPECT_FALSE(QFileInfo::exists(html)) << wDrodze;
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(Komunikaty().empty());
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
    TOknoTestowe okno;
    wczytaj(okno, Dane(QString::fromLatin1(przypadek.Plik)));
    if (przypadek.Przyjety) {
        czekajNaPanel(okno);
        EXPECT_TRUE(Komunikaty().empty()) << qPrintable(Komunikaty().front().Tekst);
        EXPECT_TRUE(okno.butDrukuj->isEnabled());
        EXPECT_TRUE(okno.browser->Adres().isLocalFile());
        EXPECT_EQ(okno.browser->Adres().toLocalFile(), okno.Droga().NazwaPlikuHTML());
        EXPECT_TRUE(Html(okno).contains(QString::fromUtf8(przypadek.FragmentStrony)));
    } else {
        ASSERT_EQ(Komunikaty().size(), 1u);
        EXPECT_EQ(Komunikaty()[0].Tekst, odmowaTypu);
        EXPECT_EQ(Komunikaty()[0].Rodzaj, mtError);
        EXPECT_EQ(Komunikaty()[0].Przyciski, mbOKOnly);
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
    TOknoTestowe okno;
    const QString brak = Sciezka(QStringLiteral("nie ma.xml"));
    wczytaj(okno, brak);
    okno.edNazwaPliku->clear();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(okno.edNazwaPliku, &enter);
    czekajNaDroge(okno);
    ASSERT_EQ(Komunikaty().size(), 2u);
    EXPECT_EQ(Komunikaty()[0].Tekst, QStringLiteral("Brak pliku ") + brak);
    EXPECT_EQ(Komunikaty()[1].Tekst, QStringLiteral("Brak pliku "));
    EXPECT_EQ(Komunikaty()[1].Rodzaj, mtError);
}

TEST_F(OknoTest, TheBannerCarriesTheTitleAndAFileDroppedOnTheWindowOpens)
{
    TOknoTestowe okno;
    EXPECT_EQ(okno.LkNaglowek1->Caption(), QStringLiteral("Ostrevia"));
    EXPECT_EQ(okno.LkNaglowek1->Opcje(), Prostokaty | LogoFirmy | DaneFirmy);
    EXPECT_TRUE(okno.LkNaglowek1->BezPluginow());
    EXPECT_EQ(okno.LkNaglowek1->width(), okno.width());
    EXPECT_TRUE(okno.acceptDrops());
    QMimeData dane;
    dane.setUrls({QUrl::fromLocalFile(Dane(QStringLiteral("IE599.xml"))),
                  QUrl::fromLocalFile(Dane(QStringLiteral("IE529.xml")))});
    // Qt hands a drop only to the widget that accepted the drag's entry.
    QDragEnterEvent wejscie(QPoint(300, 200), Qt::CopyAction, &dane, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&okno, &wejscie);
    EXPECT_TRUE(wejscie.isAccepted());
    QDropEvent upuszczenie(QPointF(300, 200), Qt::CopyAction, &dane, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&okno, &upuszczenie);
    EXPECT_TRUE(upuszczenie.isAccepted());
    EXPECT_EQ(okno.edNazwaPliku->text(), Dane(QStringLiteral("IE599.xml")));
    czekajNaDroge(okno);
    EXPECT_TRUE(Komunikaty().empty());
    EXPECT_TRUE(Html(okno).contains(QStringLiteral("<!DOCTYPE")));
}

TEST_F(OknoTest, MalformedAfterTheRootIsRecognisedThenRefusedByTheXmlComponent)
{
    TOknoTestowe okno;
    wczytajStrone(okno, Dane(QStringLiteral("IE529.xml")));
    const QUrl pokazany = okno.browser->Adres();
    FNagrywacz->Wyczysc();

    const QString plik = Dane(QStringLiteral("IE529_uszkodzony.xml"));
    wczytaj(okno, plik);
    ASSERT_EQ(Komunikaty().size(), 2u);
    EXPECT_TRUE(Komunikaty()[0].Tekst.startsWith(QStringLiteral("Podczas wczytywania pliku: \r") + plik + QLatin1Char('\r')))
        << qPrintable(Komunikaty()[0].Tekst);
    EXPECT_EQ(Komunikaty()[0].Rodzaj, mtInformation);
    EXPECT_EQ(Komunikaty()[1].Tekst, nieUdaloSie);
    EXPECT_EQ(Komunikaty()[1].Rodzaj, mtError);
    // The pane keeps what it showed, and Print stays enabled.
    EXPECT_EQ(okno.browser->Adres(), pokazany);
    EXPECT_TRUE(okno.butDrukuj->isEnabled());
}

TEST_F(OknoTest, NotXmlAndUtf16RaiseTheReadersErrorWithTheFileNameOnTheGuiThread)
{
    TOknoTestowe okno;
    for (const char *nazwa : {"nie_xml.xml", "utf16.xml"}) {
        FNagrywacz->Wyczysc();
        const QString plik = Dane(QString::fromLatin1(nazwa));
        wczytaj(okno, plik);
        // The application's handler shows the reader's exception; nothing else is said.
        ASSERT_EQ(Komunikaty().size(), 1u) << nazwa;
        EXPECT_TRUE(Komunikaty()[0].Tekst.startsWith(QStringLiteral("Błąd odczytu pliku ") + plik + QStringLiteral(":\r")))
            << qPrintable(Komunikaty()[0].Tekst);
        EXPECT_EQ(Komunikaty()[0].Rodzaj, mtError);
        EXPECT_FALSE(okno.butDrukuj->isEnabled());
    }
}

TEST_F(OknoTest, SecondDocumentReusesTheSameTemporaryFiles)
{
    TOknoTestowe okno;
    wczytajStrone(okno, Dane(QStringLiteral("IE529.xml")));
    const QString pierwsza = Html(okno);
    const QUrl adres = okno.browser->Adres();
    wczytajStrone(okno, Dane(QStringLiteral("IE599.xml")));
    EXPECT_EQ(okno.browser->Adres(), adres);
    EXPECT_NE(Html(okno), pierwsza);
    EXPECT_TRUE(Komunikaty().empty());
}

TEST_F(OknoTest, CommandLineArgumentIsJudgedByItsExtension)
{
    const QString duzymi = Sciezka(QStringLiteral("KOMUNIKAT.XML"));
    QFile::copy(Dane(QStringLiteral("IE529.xml")), duzymi);
    TOknoTestowe przyjete(duzymi);
    // The window is up before the road has ended.
    EXPECT_TRUE(przyjete.DrogaTrwa());
    czekajNaDroge(przyjete);
    czekajNaPanel(przyjete);
    EXPECT_TRUE(Komunikaty().empty());
    EXPECT_EQ(przyjete.edNazwaPliku->text(), duzymi);
    EXPECT_TRUE(przyjete.butDrukuj->isEnabled());

    TOknoTestowe odrzucone(QStringLiteral("notatka.xml.txt"));
    ASSERT_EQ(Komunikaty().size(), 1u);
    EXPECT_EQ(Komunikaty()[0].Tekst,
              QStringLiteral("Program do podglądu plików z systemu ECS\robsługuje wyłącznie pliki *.xml"));
    EXPECT_EQ(Komunikaty()[0].Rodzaj, mtInformation);
    EXPECT_TRUE(odrzucone.edNazwaPliku->text().isEmpty());
}

TEST_F(OknoTest, TheWindowIsPaintedBeforeItsPaneWhichThenShowsTheFileGivenAtStart)
{
    TOknoTestowe okno(Dane(QStringLiteral("IE599.xml")));
    // Whether the pane was there at the window's first paint.
    std::optional<bool> panelPrzyMalowaniu;
    TFiltrZdarzen filtr([&](QObject *p_Obiekt, QEvent *p_Zdarzenie) {
        if (p_Obiekt == &okno && p_Zdarzenie->type() == QEvent::Paint && !panelPrzyMalowaniu)
            panelPrzyMalowaniu = okno.browser != nullptr;
    });
    okno.installEventFilter(&filtr);
    okno.show();
    czekajNaPanel(okno);
    ASSERT_TRUE(panelPrzyMalowaniu.has_value());
    EXPECT_FALSE(*panelPrzyMalowaniu);
    EXPECT_EQ(okno.browser->Kontrolka()->parentWidget(), okno.panPanel);
    EXPECT_EQ(okno.browser->Kontrolka()->objectName(), QStringLiteral("browser"));
    czekajNaDroge(okno);
    ASSERT_TRUE(czekaj([&] { return widok(okno).Zaladowana(); }));
    EXPECT_EQ(okno.browser->Adres().toLocalFile(), okno.Droga().NazwaPlikuHTML());
    EXPECT_TRUE(okno.butDrukuj->isEnabled());
    EXPECT_TRUE(Komunikaty().empty());
}

TEST_F(OknoTest, TheViewerProgramDoesNotLinkTheBrowserEngine)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(OSTREVIA_BIN_DIR "/ostrevia")});
    ASSERT_TRUE(ldd.waitForFinished(60000));
    const QString biblioteki = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    EXPECT_TRUE(biblioteki.contains(QStringLiteral("libQt6Widgets")));
    EXPECT_FALSE(biblioteki.contains(QStringLiteral("WebEngine"))) << qPrintable(biblioteki);
    EXPECT_FALSE(biblioteki.contains(QStringLiteral("libQt6Quick"))) << qPrintable(biblioteki);
}

TEST_F(OknoTest, NameBoxTurnsRedUntilItNamesAnExistingFile)
{
    TOknoTestowe okno;
    okno.edNazwaPliku->setText(Sciezka(QStringLiteral("IE5")));
    EXPECT_EQ(okno.edNazwaPliku->palette().color(QPalette::Text), QColor(255, 0, 0));
    okno.edNazwaPliku->setText(Dane(QStringLiteral("IE529.xml")));
    EXPECT_EQ(okno.edNazwaPliku->palette().color(QPalette::Text), QColor(Qt::black));
}

// Answers the print dialog once it is up: print to p_Plik, pages p_Od..p_Do
// (all when 0), as a user would fill it in.
void drukujDoPliku(TOknoECS &p_Okno, const QString &p_Plik, int p_Od = 0, int p_Do = 0)
{
    bool wypelniono = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // Printing to a file is the last of the printers the dialog offers.
        auto *drukarki = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        drukarki->setCurrentIndex(drukarki->count() - 1);
        dialog->findChild<QLineEdit *>(QStringLiteral("filename"))->setText(p_Plik);
        if (p_Od > 0) {
            dialog->findChild<QRadioButton *>(QStringLiteral("printRange"))->setChecked(true);
            dialog->findChild<QSpinBox *>(QStringLiteral("to"))->setValue(p_Do);
            dialog->findChild<QSpinBox *>(QStringLiteral("from"))->setValue(p_Od);
        }
        wypelniono = true;
        dialog->accept();
    });
    p_Okno.butDrukuj->click();
    ASSERT_TRUE(wypelniono);
}

void czekajNaDruk(const TOknoECS &p_Okno)
{
    ASSERT_TRUE(czekaj([&] { return !p_Okno.DrukTrwa(); }));
}

TEST_F(OknoTest, PrintingToAFileWritesTheShownPageAsTheRenderToolsVectorPdf)
{
    TOknoTestowe okno;
    wczytajStrone(okno, Dane(QStringLiteral("IE529.xml")));
    const QString wydruk = Sciezka(QStringLiteral("wydruk.pdf"));
    drukujDoPliku(okno, wydruk);
    // No second printout may start over this one.
    EXPECT_TRUE(okno.DrukTrwa());
    EXPECT_FALSE(okno.butDrukuj->isEnabled());
    EXPECT_FALSE(okno.opcDrukuj->isEnabled());
    czekajNaDruk(okno);
    EXPECT_TRUE(okno.butDrukuj->isEnabled());
    EXPECT_TRUE(okno.opcDrukuj->isEnabled());
    EXPECT_TRUE(Komunikaty().empty()) << qPrintable(Komunikaty().front().Tekst);

    const QString wzorzec = Sciezka(QStringLiteral("render.pdf"));
    QString blad;
    ASSERT_TRUE(WydrukujDoPDF(okno.browser->Adres(), wzorzec, blad)) << qPrintable(blad);
    EXPECT_EQ(liczbaStron(wydruk), 3);
    // Text, not pictures of it, on the same pages as the render tool's.
    const QString tekst = tekstPdf(wydruk);
    EXPECT_TRUE(tekst.contains(QStringLiteral("Zwolnienie do procedury wywozu")));
    EXPECT_EQ(tekst, tekstPdf(wzorzec));
}

TEST_F(OknoTest, PrintingPagesFromToGivesThosePagesOnlyAndNothingWhenNoneExists)
{
    TOknoTestowe okno;
    wczytajStrone(okno, Dane(QStringLiteral("IE529.xml")));
    const QString wydruk = Sciezka(QStringLiteral("strony.pdf"));
    drukujDoPliku(okno, wydruk, 2, 9);
    czekajNaDruk(okno);
    EXPECT_TRUE(Komunikaty().empty()) << qPrintable(Komunikaty().front().Tekst);
    EXPECT_EQ(liczbaStron(wydruk), 2);
    EXPECT_FALSE(tekstPdf(wydruk).contains(QStringLiteral("Zwolnienie do procedury wywozu")));

    // Fewer pages than the first one asked for: the last page, rightly.
    const QString ostatnia = Sciezka(QStringLiteral("ostatnia.pdf"));
    drukujDoPliku(okno, ostatnia, 3, 9);
    czekajNaDruk(okno);
    EXPECT_TRUE(Komunikaty().empty()) << qPrintable(Komunikaty().front().Tekst);
    EXPECT_EQ(liczbaStron(ostatnia), 1);

    // The engine alone would print the whole document here.
    const QString poza = Sciezka(QStringLiteral("poza.pdf"));
    drukujDoPliku(okno, poza, 5, 9);
    czekajNaDruk(okno);
    ASSERT_EQ(Komunikaty().size(), 1u);
    EXPECT_EQ(Komunikaty()[0].Tekst, QStringLiteral("Nie ma czego drukować:\rwybranych stron (5-9) nie ma w "
                                                  "dokumencie, który ma stron: 3."));
    EXPECT_FALSE(QFile::exists(poza));
}

TEST_F(OknoTest, APrintoutNeverReplacesTheShownDocumentAndTheButtonComesBack)
{
    const QString dokument = Sciezka(QStringLiteral("IE529.xml"));
    QFile::copy(Dane(QStringLiteral("IE529.xml")), dokument);
    const QByteArray tresc = CzytajPlik(dokument);
    TOknoTestowe okno;
    wczytajStrone(okno, dokument);
    // Qt's dialog asks before replacing an existing file; the user says yes.
    QTimer::singleShot(200, [] {
        if (auto *pytanie = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            pytanie->button(QMessageBox::Yes)->click();
    });
    drukujDoPliku(okno, dokument);
    czekajNaDruk(okno);
    ASSERT_EQ(Komunikaty().size(), 1u);
    EXPECT_EQ(Komunikaty()[0].Tekst,
              QStringLiteral("Nie można zapisać pliku %1: to plik wejściowy").arg(dokument));
    EXPECT_EQ(Komunikaty()[0].Rodzaj, mtError);
    EXPECT_EQ(CzytajPlik(dokument), tresc);
    EXPECT_TRUE(okno.butDrukuj->isEnabled());
}

TEST_F(OknoTest, LoadButtonWithUnknownNameAndShiftEnterOpenTheFileDialog)
{
    TOknoTestowe okno;
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
    EXPECT_TRUE(Komunikaty().empty());
}

TEST_F(OknoTest, TheOpenDialogStartsInTheFolderOfWhatTheBoxNames)
{
    QDir(FKatalog.path()).mkdir(QStringLiteral("komunikaty"));
    const QString folder = Sciezka(QStringLiteral("komunikaty"));
    const QString plik = folder + QStringLiteral("/zwolnienie.xml");
    QFile::copy(Dane(QStringLiteral("IE529.xml")), plik);
    struct TPrzypadek
    {
        QString Wpis;
        QString Folder;
        QString Wybrany;
    };
    const TPrzypadek przypadki[] = {{plik, folder, plik}, {folder, folder, QString()}};
    TOknoTestowe okno;
    for (const auto &p : przypadki) {
        okno.edNazwaPliku->setText(p.Wpis);
        QString folderDialogu, wybrany;
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                folderDialogu = dialog->directory().absolutePath();
                wybrany = dialog->selectedFiles().value(0);
                dialog->reject();
            }
        });
        okno.butWybierzClick();
        EXPECT_EQ(folderDialogu, p.Folder) << qPrintable(p.Wpis);
        if (!p.Wybrany.isEmpty()) {
            EXPECT_EQ(wybrany, p.Wybrany);
        }
    }
}

TEST_F(OknoTest, ThePanesMenuOffersOnlyWhatWorksHere)
{
    TOknoTestowe okno;
    okno.resize(800, 600);
    okno.show();
    wczytajStrone(okno, Dane(QStringLiteral("IE529.xml")));
    ASSERT_TRUE(czekaj([&] { return widok(okno).Zaladowana(); }));

    // What a right click on the page opens (the engine asks for the menu).
    auto otworzMenu = [&] {
        QTest::mouseClick(widok(okno).focusProxy(), Qt::RightButton, {}, QPoint(20, 20));
        czekaj([] { return QApplication::activePopupWidget() != nullptr; }, 10000);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        std::map<QString, QAction *> akcje;
        if (menu)
            for (QAction *akcja : menu->actions())
                if (!akcja->isSeparator())
                    akcje[akcja->text()] = akcja;
        return std::pair{menu, akcje};
    };
    auto [menu, akcje] = otworzMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<QString> teksty;
    for (QAction *akcja : menu->actions())
        if (!akcja->isSeparator())
            teksty.push_back(akcja->text());
    EXPECT_EQ(teksty, (std::vector<QString>{QStringLiteral("Kopiuj"), QStringLiteral("Zaznacz wszystko"),
                                            QStringLiteral("Drukuj…"), QStringLiteral("Zapisz jako PDF…"),
                                            QStringLiteral("Wyślij potwierdzenie…")}));
    EXPECT_FALSE(akcje[QStringLiteral("Kopiuj")]->isEnabled()); // nothing selected yet
    EXPECT_TRUE(akcje[QStringLiteral("Drukuj…")]->isEnabled());
    menu->close();

    // Each does what it says.
    akcje[QStringLiteral("Zaznacz wszystko")]->trigger();
    ASSERT_TRUE(czekaj([&] { return widok(okno).page()->hasSelection(); }));
    QApplication::clipboard()->clear();
    auto [menu2, akcje2] = otworzMenu();
    ASSERT_TRUE(akcje2[QStringLiteral("Kopiuj")]->isEnabled());
    akcje2[QStringLiteral("Kopiuj")]->trigger();
    menu2->close();
    EXPECT_TRUE(czekaj([] {
        return QApplication::clipboard()->text().contains(QStringLiteral("Zwolnienie do procedury wywozu"));
    }));

    bool dialogDruku = false;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
            dialogDruku = true;
            dialog->reject();
        }
    });
    okno.opcDrukuj->trigger();
    EXPECT_TRUE(dialogDruku);
}

TEST_F(OknoTest, KeysOpenPrintAndZoomAlsoFromThePane)
{
    TOknoTestowe okno;
    okno.show();
    QApplication::setActiveWindow(&okno);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
    wczytajStrone(okno, Dane(QStringLiteral("IE529.xml")));
    ASSERT_TRUE(czekaj([&] { return widok(okno).Zaladowana(); }));
    widok(okno).setFocus();
    QWidget *panel = QApplication::focusWidget();
    ASSERT_EQ(panel, widok(okno).focusProxy());

    // Ctrl+O and Ctrl+P open their dialogs.
    for (const auto &[klawisz, tytul] : {std::pair{Qt::Key_O, "open"}, std::pair{Qt::Key_P, "print"}}) {
        // Without a window manager nothing gives the window back its focus after a dialog.
        QApplication::setActiveWindow(&okno);
        QString otwarty;
        QTimer::singleShot(0, [&] {
            QWidget *okienko = QApplication::activeModalWidget();
            if (qobject_cast<QFileDialog *>(okienko))
                otwarty = QStringLiteral("open");
            else if (qobject_cast<QPrintDialog *>(okienko))
                otwarty = QStringLiteral("print");
            if (okienko)
                static_cast<QDialog *>(okienko)->reject();
        });
        QTest::keyClick(panel, klawisz, Qt::ControlModifier);
        EXPECT_EQ(otwarty, QString::fromLatin1(tytul));
    }

    // Ctrl++ (or Ctrl+=), Ctrl+- and Ctrl+0 zoom the page.
    const std::pair<Qt::Key, double> kroki[] = {
        {Qt::Key_Plus, 1.1}, {Qt::Key_Equal, 1.25}, {Qt::Key_Minus, 1.1}, {Qt::Key_Minus, 1.0},
        {Qt::Key_Minus, 0.9}, {Qt::Key_0, 1.0}};
    QApplication::setActiveWindow(&okno);
    for (const auto &[klawisz, zoom] : kroki) {
        QTest::keyClick(panel, klawisz, Qt::ControlModifier);
        EXPECT_DOUBLE_EQ(widok(okno).zoomFactor(), zoom) << klawisz;
    }
}

TEST_F(OknoTest, ARequestDuringARoadWaitsForItsEndAndTheLatestWins)
{
    TOknoTestowe okno;
    int zakonczone = 0;
    QObject::connect(&okno, &TOknoECS::DrogaZakonczona, [&] { ++zakonczone; });
    okno.WczytajPlik(Dane(QStringLiteral("IE529.xml")));
    EXPECT_TRUE(okno.DrogaTrwa());
    okno.WczytajPlik(Sciezka(QStringLiteral("nie ma.xml"))); // replaced before its turn
    okno.WczytajPlik(Dane(QStringLiteral("IE599.xml")));
    czekajNaDroge(okno);
    EXPECT_EQ(zakonczone, 2);
    EXPECT_TRUE(Komunikaty().empty()) << qPrintable(Komunikaty().front().Tekst);
    EXPECT_TRUE(Html(okno).contains(QStringLiteral("Potwierdzenie wywozu (CC599C)")));
    EXPECT_TRUE(okno.butDrukuj->isEnabled());
}

// Answers the save dialog once it is up with p_Plik, as a user would type it;
// a question about replacing a file is answered yes.
void zapiszJakoPDF(TOknoECS &p_Okno, const QString &p_Plik)
{
    QString tytul;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        tytul = dialog->windowTitle();
        QTimer::singleShot(200, [] {
            if (auto *pytanie = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                pytanie->button(QMessageBox::Yes)->click();
        });
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(p_Plik);
        static_cast<QDialog *>(dialog)->accept();
    });
    p_Okno.butZapiszPDF->click();
    EXPECT_EQ(tytul, QStringLiteral("Zapisz jako PDF"));
}

TEST_F(OknoTest, SaveAsPdfWritesTheShownPageNeverOverTheMessageNorThroughALink)
{
    TOknoTestowe okno;
    EXPECT_FALSE(okno.butZapiszPDF->isEnabled());
    EXPECT_FALSE(okno.opcZapiszPDF->isEnabled());
    const QString dokument = Sciezka(QStringLiteral("zwolnienie.xml"));
    QFile::copy(Dane(QStringLiteral("IE529.xml")), dokument);
    const QByteArray tresc = CzytajPlik(dokument);
    wczytajStrone(okno, dokument);
    ASSERT_TRUE(okno.butZapiszPDF->isEnabled());

    const QString pdf = Sciezka(QStringLiteral("zwolnienie.pdf"));
    zapiszJakoPDF(okno, pdf);
    // One job at a time, and the user sees it running.
    EXPECT_TRUE(okno.DrukTrwa());
    EXPECT_FALSE(okno.butZapiszPDF->isEnabled());
    EXPECT_FALSE(okno.butDrukuj->isEnabled());
    EXPECT_FALSE(okno.pasekPostepu->isHidden());
    EXPECT_EQ(okno.labPostep->text(), QStringLiteral("Zapisywanie pliku PDF…"));
    czekajNaDruk(okno);
    EXPECT_TRUE(okno.pasekPostepu->isHidden());
    EXPECT_TRUE(okno.butZapiszPDF->isEnabled());
    EXPECT_TRUE(Komunikaty().empty()) << qPrintable(Komunikaty().front().Tekst);
    EXPECT_TRUE(CzytajPlik(pdf).startsWith("%PDF-"));
    EXPECT_EQ(liczbaStron(pdf), 3);
    EXPECT_TRUE(tekstPdf(pdf).contains(QStringLiteral("Zwolnienie do procedury wywozu")));

    // A link at the chosen name is replaced, and what it pointed at stays.
    const QString inny = ZapiszPlik(QStringLiteral("inny.txt"), "nie ruszać");
    const QString link = Sciezka(QStringLiteral("link.pdf"));
    ASSERT_TRUE(QFile::link(inny, link));
    zapiszJakoPDF(okno, link);
    czekajNaDruk(okno);
    EXPECT_TRUE(Komunikaty().empty()) << qPrintable(Komunikaty().front().Tekst);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(CzytajPlik(link).startsWith("%PDF-"));
    EXPECT_EQ(CzytajPlik(inny), QByteArray("nie ruszać"));

    // The message itself is never the output.
    zapiszJakoPDF(okno, dokument);
    czekajNaDruk(okno);
    ASSERT_EQ(Komunikaty().size(), 1u);
    EXPECT_EQ(Komunikaty()[0].Tekst, QStringLiteral("Nie można zapisać pliku %1: to plik wejściowy").arg(dokument));
    EXPECT_EQ(CzytajPlik(dokument), tresc);
}

TEST_F(OknoTest, RecentFilesOutliveTheWindowMostRecentFirstAndAMissingOneGivesTheUsualMessage)
{
    QStringList pliki;
    for (const char *nazwa : {"IE529.xml", "IE599.xml", "IE599_maly.xml"}) {
        pliki << Sciezka(QString::fromLatin1(nazwa));
        QFile::copy(Dane(QString::fromLatin1(nazwa)), pliki.last());
    }
    {
        TOknoTestowe pierwsze;
        for (const QString &plik : pliki)
            wczytaj(pierwsze, plik);
        wczytaj(pierwsze, pliki[0]); // again: moves up, not twice
        wczytaj(pierwsze, Sciezka(QStringLiteral("nie ma.xml"))); // refused: not listed
    }
    FNagrywacz->Wyczysc();
    QFile::remove(pliki[1]);

    TOknoTestowe drugie;
    emit drugie.pmOstatnie->aboutToShow();
    const QList<QAction *> opcje = drugie.pmOstatnie->actions();
    ASSERT_EQ(opcje.size(), 5); // three files, a separator, clearing
    const QStringList oczekiwane{pliki[0], pliki[2], pliki[1]};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(opcje[i]->data().toString(), oczekiwane[i]);
        EXPECT_TRUE(opcje[i]->text().startsWith(QStringLiteral("&%1 ").arg(i + 1))) << qPrintable(opcje[i]->text());
        EXPECT_EQ(opcje[i]->font().italic(), i == 2);
    }
    // More than one item: the framework's drop-down opens the menu, it does not pick.
    EXPECT_GT(drugie.butOstatnie->WidoczneOpcje().size(), 1);

    opcje[2]->trigger();
    czekajNaDroge(drugie);
    ASSERT_EQ(Komunikaty().size(), 1u);
    EXPECT_EQ(Komunikaty()[0].Tekst, QStringLiteral("Brak pliku ") + pliki[1]);
    EXPECT_EQ(drugie.edNazwaPliku->text(), pliki[1]);

    opcje[1]->trigger();
    czekajNaDroge(drugie);
    czekajNaPanel(drugie);
    EXPECT_EQ(Komunikaty().size(), 1u);
    EXPECT_TRUE(drugie.butWyslij->isEnabled());
    EXPECT_EQ(OstatniePliki().constFirst(), pliki[2]);

    // At most ten, the oldest dropped; clearing empties the list.
    for (int i = 0; i < MaksOstatnichPlikow + 2; ++i)
        DodajOstatniPlik(Sciezka(QStringLiteral("k%1.xml").arg(i)));
    EXPECT_EQ(OstatniePliki().size(), MaksOstatnichPlikow);
    EXPECT_EQ(OstatniePliki().constFirst(), Sciezka(QStringLiteral("k%1.xml").arg(MaksOstatnichPlikow + 1)));
    emit drugie.pmOstatnie->aboutToShow();
    drugie.pmOstatnie->findChild<QAction *>(QStringLiteral("opcWyczyscOstatnie"))->trigger();
    EXPECT_TRUE(OstatniePliki().isEmpty());
    emit drugie.pmOstatnie->aboutToShow();
    EXPECT_FALSE(drugie.pmOstatnie->actions().constFirst()->isEnabled());
}

TEST_F(OknoTest, FilesDroppedOnAnyChildOpenAsIfTypedAndThePaneNeverNavigatesToThem)
{
    TOknoTestowe okno;
    okno.show();
    wczytajStrone(okno, Dane(QStringLiteral("IE529.xml")));
    TWidokDokumentu &panel = widok(okno);
    ASSERT_TRUE(czekaj([&] { return panel.Zaladowana(); }));
    const QUrl strona = panel.url();
    ASSERT_NE(panel.focusProxy(), nullptr);
    QList<QUrl> adresy;
    QObject::connect(&panel, &QWebEngineView::urlChanged, [&](const QUrl &p_Adres) { adresy << p_Adres; });
    // The name box takes text drops and the pane would load a file: both would, unasked.
    const std::pair<const char *, QWidget *> cele[] = {
        {"edNazwaPliku", okno.edNazwaPliku}, {"browser", panel.focusProxy()}, {"GroupBox1", okno.GroupBox1}};
    QString plik = Dane(QStringLiteral("IE599.xml"));
    for (const auto &[nazwa, cel] : cele) {
        QMimeData dane;
        dane.setUrls({QUrl::fromLocalFile(plik)});
        QDragEnterEvent wejscie(QPoint(5, 5), Qt::CopyAction, &dane, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cel, &wejscie);
        EXPECT_TRUE(wejscie.isAccepted()) << nazwa;
        QDropEvent upuszczenie(QPointF(5, 5), Qt::CopyAction, &dane, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cel, &upuszczenie);
        EXPECT_TRUE(upuszczenie.isAccepted()) << nazwa;
        EXPECT_EQ(okno.edNazwaPliku->text(), plik) << nazwa;
        czekajNaDroge(okno);
        EXPECT_TRUE(Komunikaty().empty()) << nazwa;
        ASSERT_TRUE(czekaj([&] { return panel.Zaladowana(); })) << nazwa;
        EXPECT_EQ(panel.url(), strona) << nazwa;
        plik = Dane(plik.endsWith(QLatin1String("IE599.xml")) ? QStringLiteral("IE529.xml") : QStringLiteral("IE599.xml"));
    }
    for (const QUrl &adres : adresy)
        EXPECT_EQ(adres, strona);
    EXPECT_TRUE(Html(okno).contains(QStringLiteral("<!DOCTYPE")));
}

// A stand-in xdg-email on PATH that writes its arguments, one per line, to p_Zapis.
class PotwierdzenieTest : public OknoTest
{
protected:
    void SetUp() override
    {
        OknoTest::SetUp();
        QDir(FKatalog.path()).mkdir(QStringLiteral("bin"));
        FZapis = Sciezka(QStringLiteral("xdg-email.txt"));
        const QString skrypt = ZapiszPlik(
            QStringLiteral("bin/xdg-email"),
            QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n").arg(FZapis).toUtf8());
        QFile::setPermissions(skrypt, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        FStaraSciezka = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(Sciezka(QStringLiteral("bin"))) + ':' + FStaraSciezka);
    }
    void TearDown() override
    {
        qputenv("PATH", FStaraSciezka);
        OknoTest::TearDown();
    }
    QStringList Argumenty() const { return QString::fromUtf8(CzytajPlik(FZapis)).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    QString FZapis;
    QByteArray FStaraSciezka;
};

TEST_F(PotwierdzenieTest, AnIE599GoesAsAPdfAttachmentWithTheMrnInTheSubject)
{
    TOknoTestowe okno;
    EXPECT_FALSE(okno.butWyslij->isEnabled());
    // Only an exit confirmation is one.
    wczytajStrone(okno, Dane(QStringLiteral("IE529.xml")));
    EXPECT_TRUE(okno.butZapiszPDF->isEnabled());
    EXPECT_FALSE(okno.butWyslij->isEnabled());
    EXPECT_FALSE(okno.opcWyslij->isEnabled());

    // The MRN comes the same whichever way the message writes its namespace.
    for (const char *nazwa : {"IE599.xml", "IE599_przestrzen_domyslna.xml"}) {
        QFile::remove(FZapis);
        wczytajStrone(okno, Dane(QString::fromLatin1(nazwa)));
        ASSERT_TRUE(okno.butWyslij->isEnabled()) << nazwa;
        okno.butWyslij->click();
        EXPECT_EQ(okno.labPostep->text(), QStringLiteral("Przygotowanie potwierdzenia…"));
        czekajNaDruk(okno);
        EXPECT_TRUE(Komunikaty().empty()) << qPrintable(Komunikaty().front().Tekst);
        const QStringList argumenty = Argumenty();
        const qsizetype temat = argumenty.indexOf(QStringLiteral("--subject"));
        ASSERT_GE(temat, 0) << nazwa;
        EXPECT_EQ(argumenty.value(temat + 1), QStringLiteral("Potwierdzenie wywozu MRN 26PL32201000503318"));
        const qsizetype zalacznik = argumenty.indexOf(QStringLiteral("--attach"));
        ASSERT_GE(zalacznik, 0) << nazwa;
        const QString pdf = argumenty.value(zalacznik + 1);
        EXPECT_TRUE(QFileInfo(pdf).fileName().startsWith(QStringLiteral("Potwierdzenie_wywozu_26PL32201000503318")))
            << qPrintable(pdf);
        EXPECT_TRUE(CzytajPlik(pdf).startsWith("%PDF-")) << qPrintable(pdf);
        EXPECT_TRUE(tekstPdf(pdf).contains(QStringLiteral("26PL32201000503318")));
    }
}

TEST_F(PotwierdzenieTest, AMissingOrForgedMrnStopsTheMailWithAMessage)
{
    const QByteArray wzor = CzytajPlik(Dane(QStringLiteral("IE599_maly.xml")));
    ASSERT_TRUE(wzor.contains("<MRN>26PL32201000503318</MRN>"));
    const std::pair<const char *, QByteArray> przypadki[] = {
        {"bez_mrn.xml", QByteArray(wzor).replace("<MRN>26PL32201000503318</MRN>", "")},
        {"obce_mrn.xml", QByteArray(wzor).replace("<MRN>26PL32201000503318</MRN>",
                                                  "<MRN>26PL\n--attach /etc/passwd</MRN>")}};
    TOknoTestowe okno;
    for (const auto &[nazwa, tresc] : przypadki) {
        FNagrywacz->Wyczysc();
        wczytajStrone(okno, ZapiszPlik(QString::fromLatin1(nazwa), tresc));
        ASSERT_TRUE(okno.butWyslij->isEnabled()) << nazwa;
        okno.butWyslij->click();
        ASSERT_EQ(Komunikaty().size(), 1u) << nazwa;
        EXPECT_EQ(Komunikaty()[0].Tekst,
                  QStringLiteral("Nie można przygotować potwierdzenia wywozu:\rkomunikat nie zawiera numeru MRN."));
        EXPECT_FALSE(okno.DrukTrwa());
    }
    EXPECT_FALSE(QFile::exists(FZapis));
}

} // namespace
