#include "OknoOstrevia.h"

#include "Kotwice.h"
#include "LadowaniePanelu.h"
#include "Komunikaty.h"
#include "LkAplikacja.h"
#include "LkFunGUI.h"
#include "LkBitBtn.h"
#include "LkEdit.h"
#include "LkFunIO.h"
#include "LkNaglowek.h"
#include "LkOpenDialog.h"
#include "PanelDokumentu.h"
#include "UstawieniaDruku.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr QSize rozmiarKlienta(624, 444);
constexpr QSize rozmiarGrupy(608, 365);
constexpr QSize rozmiarPanelu(579, 306);

// The extension as the viewer judges it: from the last "." after the last
// path separator, dot included; empty when there is none.
QString rozszerzenie(const QString &p_Nazwa)
{
    const qsizetype separator = std::max(p_Nazwa.lastIndexOf(QLatin1Char('/')), p_Nazwa.lastIndexOf(QLatin1Char(':')));
    const qsizetype kropka = p_Nazwa.lastIndexOf(QLatin1Char('.'));
    return kropka > separator ? p_Nazwa.mid(kropka) : QString();
}

// The first argument names a file to open when its extension is ".xml", in any case.
bool jestPlikiemXML(const QString &p_Argument)
{
    return !p_Argument.isEmpty() && rozszerzenie(p_Argument).compare(QLatin1String(".xml"), Qt::CaseInsensitive) == 0;
}

QString tekstWersji()
{
    const int wersja = DajNumerWersji(QCoreApplication::applicationFilePath());
    return wersja != 0 ? WersjaJakoTekst(wersja) : QStringLiteral("?.??");
}

} // namespace

TOknoECS::TOknoECS(const QString &p_Argument, QWidget *p_Rodzic)
    : TLkForm(p_Rodzic), FKotwice(new TKotwice(this))
{
    // The road of the file named at start sets out before the browser pane
    // exists: it runs while the engine starts up below.
    PrzygotujDroge();
    if (jestPlikiemXML(p_Argument))
        WczytajPlik(p_Argument);
    try {
        UtworzKontrolki();
    } catch (...) {
        if (FWatekDrogi.joinable())
            FWatekDrogi.join();
        throw;
    }
    // The window exists whatever start-up meets; an exception ends start-up
    // early and is shown as any other uncaught one.
    try {
        FormCreate(p_Argument);
    } catch (const std::exception &e) {
        TLkAplikacja::PokazWyjatek(KomunikatWyjatku(e));
    }
    // A short road may be done already: the page then starts loading while
    // the window is being shown, not after.
    pokazGotowaStrone();
}

TOknoECS::~TOknoECS()
{
    // The road's thread works on FDroga and posts to this window; a printout
    // uses the pane. Both end before either goes.
    if (FWatekDrogi.joinable())
        FWatekDrogi.join();
    FDruk.reset();
}

void TOknoECS::UtworzKontrolki()
{
    setObjectName(QStringLiteral("OknoECS"));
    UstawJakoFormeGlowna();
    setWindowTitle(QStringLiteral("Ostrevia"));
    setFont(CzcionkaFormy());
    resize(rozmiarKlienta);
    setMinimumSize(rozmiarKlienta);
    UstawKeyPreview(true);

    using K = TKotwice;
    // The banner keeps itself at the top, full width.
    LkNaglowek1 = new TLkNaglowek(this);
    LkNaglowek1->setObjectName(QStringLiteral("LkNaglowek1"));
    LkNaglowek1->UstawCaption(QStringLiteral("Ostrevia"));
    LkNaglowek1->UstawOpcje(Prostokaty | LogoFirmy | DaneFirmy);
    LkNaglowek1->UstawBezPluginow(true);
    LkNaglowek1->UstawOnDropFiles([this](const QStringList &p_Pliki) { LkNaglowek1DropFiles(p_Pliki); });

    labNazwaPliku = new TLkLabel(QStringLiteral("&Nazwa pliku:"), this);
    labNazwaPliku->setObjectName(QStringLiteral("labNazwaPliku"));
    // Labels size themselves to their caption, as the form's labels do.
    FKotwice->Umiesc(labNazwaPliku, QRect(QPoint(8, 47), labNazwaPliku->sizeHint().expandedTo(QSize(60, 13))),
                     rozmiarKlienta, K::akLeft | K::akTop);

    edNazwaPliku = new TLkEdit(this);
    edNazwaPliku->setObjectName(QStringLiteral("edNazwaPliku"));
    edNazwaPliku->setToolTip(QStringLiteral("Możesz otworzyć plik naciskając klawisz ENTER"));
    labNazwaPliku->setBuddy(edNazwaPliku);
    FKotwice->Umiesc(edNazwaPliku, QRect(74, 44, 430, 21), rozmiarKlienta, K::akLeft | K::akTop | K::akRight);
    connect(edNazwaPliku, &QLineEdit::textChanged, this, &TOknoECS::edNazwaPlikuChange);
    edNazwaPliku->OnKeyDown = [this](int &p_Klawisz, Qt::KeyboardModifiers p_Shift) {
        edNazwaPlikuKeyDown(p_Klawisz, p_Shift);
    };

    GroupBox1 = new QGroupBox(QStringLiteral(" Zawartość pliku: "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    FKotwice->Umiesc(GroupBox1, QRect(QPoint(8, 71), rozmiarGrupy), rozmiarKlienta,
                     K::akLeft | K::akTop | K::akRight | K::akBottom);

    butDrukuj = new TLkButton(QStringLiteral("&Drukuj"), GroupBox1);
    butDrukuj->setObjectName(QStringLiteral("butDrukuj"));
    butDrukuj->setEnabled(false);
    FKotwice->Umiesc(butDrukuj, QRect(520, 328, 75, 25), rozmiarGrupy, K::akRight | K::akBottom);
    connect(butDrukuj, &QAbstractButton::clicked, this, &TOknoECS::butDrukujClick);

    panPanel = new QFrame(GroupBox1);
    panPanel->setObjectName(QStringLiteral("panPanel"));
    panPanel->setFrameShape(QFrame::StyledPanel);
    FKotwice->Umiesc(panPanel, QRect(QPoint(16, 16), rozmiarPanelu), rozmiarGrupy,
                     K::akLeft | K::akTop | K::akRight | K::akBottom);
    auto *ukladPanelu = new QVBoxLayout(panPanel);
    ukladPanelu->setContentsMargins(1, 1, 1, 1);
    FLadowaniePanelu =
        new TLadowaniePanelu(*this, *panPanel, [this](TPanelDokumentu *p_Panel) { panelGotowy(p_Panel); });

    butWybierz = new TLkBitBtn(this);
    butWybierz->setObjectName(QStringLiteral("butWybierz"));
    butWybierz->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    butWybierz->setIconSize(QSize(16, 16));
    FKotwice->Umiesc(butWybierz, QRect(510, 42, 25, 25), rozmiarKlienta, K::akTop | K::akRight);
    connect(butWybierz, &QAbstractButton::clicked, this, &TOknoECS::butWybierzClick);

    butWczytaj = new TLkButton(QStringLiteral("&Wczytaj"), this);
    butWczytaj->setObjectName(QStringLiteral("butWczytaj"));
    FKotwice->Umiesc(butWczytaj, QRect(541, 40, 75, 25), rozmiarKlienta, K::akTop | K::akRight);
    connect(butWczytaj, &QAbstractButton::clicked, this, &TOknoECS::butWczytajClick);

    LkOpenDialog1 = new TLkOpenDialog(this);
    LkOpenDialog1->setObjectName(QStringLiteral("LkOpenDialog1"));
    LkOpenDialog1->setWindowTitle(QStringLiteral("Wybierz plik z ECS"));
    LkOpenDialog1->Filter = QStringLiteral("Pliki XML z systemu ECS|*.xml");
    LkOpenDialog1->setOption(QFileDialog::ReadOnly, false);
    LkOpenDialog1->setSizeGripEnabled(true);

    UtworzPolecenia();

    setTabOrder(edNazwaPliku, butWybierz);
    setTabOrder(butWybierz, butWczytaj);
    setTabOrder(butWczytaj, butDrukuj);
    setTabOrder(butDrukuj, panPanel);
}

void TOknoECS::UtworzPolecenia()
{
    auto polecenie = [this](const QString &p_Nazwa, const QString &p_Tekst, QList<QKeySequence> p_Klawisze,
                            auto p_Obsluga) {
        auto *akcja = new QAction(p_Tekst, this);
        akcja->setObjectName(p_Nazwa);
        akcja->setShortcuts(p_Klawisze);
        connect(akcja, &QAction::triggered, this, p_Obsluga);
        addAction(akcja);
        return akcja;
    };
    opcOtworz = polecenie(QStringLiteral("opcOtworz"), QStringLiteral("Otwórz…"), {QKeySequence::Open},
                          &TOknoECS::butWybierzClick);
    opcDrukuj = polecenie(QStringLiteral("opcDrukuj"), QStringLiteral("Drukuj…"), {QKeySequence::Print},
                          &TOknoECS::butDrukujClick);
    opcDrukuj->setEnabled(false);
    // Ctrl+= too: "+" needs Shift on most keyboards.
    opcPowieksz = polecenie(QStringLiteral("opcPowieksz"), QStringLiteral("Powiększ"),
                            {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                            [this] {
                                if (browser)
                                    browser->Powieksz();
                            });
    opcPomniejsz = polecenie(QStringLiteral("opcPomniejsz"), QStringLiteral("Pomniejsz"), {QKeySequence::ZoomOut},
                             [this] {
                                 if (browser)
                                     browser->Pomniejsz();
                             });
    opcRozmiarDomyslny = polecenie(QStringLiteral("opcRozmiarDomyslny"), QStringLiteral("Rozmiar domyślny"),
                                   {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] {
                                       if (browser)
                                           browser->RozmiarDomyslny();
                                   });
}

void TOknoECS::panelGotowy(TPanelDokumentu *p_Panel)
{
    browser = p_Panel;
    QWidget *panel = browser->Kontrolka();
    panel->setObjectName(QStringLiteral("browser"));
    // The pane's own menu offers printing beside copying.
    panel->addAction(opcDrukuj);
    panPanel->layout()->addWidget(panel);
    if (FPokazana)
        browser->PokazStrone(FPokazana->Strona.Adres);
    ustawDrukowanie();
}

void TOknoECS::PrzygotujDroge()
{
    FDroga = std::make_unique<TDrogaDokumentu>();
    // Called on the road's thread, once the page file is whole: it is read
    // there for what printing needs, and shown from the GUI thread.
    FDroga->PokazStrone = [this](const QUrl &p_Adres) {
        {
            const std::lock_guard blokada(FBlokadaStrony);
            FGotowaStrona = TStronaDokumentu{OpiszStrone(p_Adres), FPlikDrogi};
        }
        QMetaObject::invokeMethod(this, &TOknoECS::pokazGotowaStrone, Qt::QueuedConnection);
    };
}

void TOknoECS::FormCreate(const QString &p_Argument)
{
    setWindowTitle(windowTitle() + QStringLiteral(" ver. ") + tekstWersji());
    if (p_Argument.isEmpty())
        return;
    // A message file's road is on its way already.
    if (jestPlikiemXML(p_Argument))
        edNazwaPliku->setText(p_Argument);
    else
        PokazKomunikat(QStringLiteral("Program do podglądu plików z systemu ECS\robsługuje wyłącznie pliki *.xml"),
                       mtInformation, mbOKOnly, 0);
}

void TOknoECS::WczytajPlik(const QString &p_NazwaPliku)
{
    // One road at a time. A newer request replaces one still waiting: the
    // pane shows one document, and it should be the last one asked for.
    if (FDrogaTrwa)
        FOczekujacy = p_NazwaPliku;
    else
        uruchomDroge(p_NazwaPliku);
}

void TOknoECS::uruchomDroge(const QString &p_NazwaPliku)
{
    FDrogaTrwa = true;
    FPlikDrogi = p_NazwaPliku;
    FWatekDrogi = std::thread([this, p_NazwaPliku] {
        TWynikDrogi wynik;
        {
            TZbieraczKomunikatow zbieracz;
            try {
                FDroga->WczytajPlik(p_NazwaPliku);
            } catch (...) {
                wynik.Wyjatek = std::current_exception();
            }
            wynik.Komunikaty = zbieracz.Zabierz();
        }
        QMetaObject::invokeMethod(this, [this, wynik] { zakonczDroge(wynik); }, Qt::QueuedConnection);
    });
}

void TOknoECS::zakonczDroge(const TWynikDrogi &p_Wynik)
{
    FWatekDrogi.join();
    // Every message of the road is an OK-only one: shown now, in its order.
    TZbieraczKomunikatow::Odtworz(p_Wynik.Komunikaty);
    FDrogaTrwa = false;
    emit DrogaZakonczona();
    if (FOczekujacy) {
        const QString nastepny = *FOczekujacy;
        FOczekujacy.reset();
        uruchomDroge(nastepny);
    }
    // Raised here, inside an event of the GUI thread, so the application's
    // handler shows it as any other.
    if (p_Wynik.Wyjatek)
        std::rethrow_exception(p_Wynik.Wyjatek);
}

void TOknoECS::pokazGotowaStrone()
{
    std::optional<TStronaDokumentu> strona;
    {
        const std::lock_guard blokada(FBlokadaStrony);
        strona.swap(FGotowaStrona);
    }
    if (strona)
        pokazStrone(*strona);
}

void TOknoECS::pokazStrone(const TStronaDokumentu &p_Strona)
{
    // A printout in progress prints the page it was asked for.
    if (FDruk) {
        FNowaStrona = p_Strona;
        return;
    }
    FPokazana = p_Strona;
    if (browser)
        browser->PokazStrone(p_Strona.Strona.Adres);
    else
        FLadowaniePanelu->Zamow();
    ustawDrukowanie();
}

void TOknoECS::ustawDrukowanie()
{
    const bool mozna = FPokazana && !FDruk && browser;
    butDrukuj->setEnabled(mozna);
    opcDrukuj->setEnabled(mozna);
}

void TOknoECS::FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift)
{
    ZatwierdzKlawiszem(this, p_Klawisz, p_Shift, nullptr);
}

void TOknoECS::edNazwaPlikuChange()
{
    const bool istnieje = QFileInfo(edNazwaPliku->text()).isFile();
    edNazwaPliku->UstawKolorCzcionki(istnieje ? QColor(Qt::black) : QColor(255, 0, 0));
}

void TOknoECS::edNazwaPlikuKeyDown(int &p_Klawisz, Qt::KeyboardModifiers)
{
    // The box then consumes Enter; with no next field set the focus stays put.
    if (JestEnter(p_Klawisz))
        WczytajPlik(edNazwaPliku->text());
}

void TOknoECS::LkNaglowek1DropFiles(const QStringList &p_Pliki)
{
    // As if the first file were typed into the box and confirmed.
    edNazwaPliku->setText(p_Pliki.constFirst());
    WczytajPlik(edNazwaPliku->text());
}

void TOknoECS::butWczytajClick()
{
    const QString nazwa = edNazwaPliku->text();
    if (QFileInfo(nazwa).isFile())
        WczytajPlik(nazwa);
    else
        butWybierzClick();
}

void TOknoECS::butWybierzClick()
{
    // Start where the box points, when it names something that exists.
    const QString nazwa = edNazwaPliku->text();
    const QFileInfo wskazany(nazwa);
    if (!nazwa.isEmpty() && wskazany.isDir()) {
        LkOpenDialog1->setDirectory(wskazany.absoluteFilePath());
    } else if (!nazwa.isEmpty() && wskazany.exists()) {
        LkOpenDialog1->setDirectory(wskazany.absolutePath());
        LkOpenDialog1->selectFile(wskazany.fileName());
    }
    if (!LkOpenDialog1->Execute())
        return;
    edNazwaPliku->setText(LkOpenDialog1->FileName());
    WczytajPlik(edNazwaPliku->text());
}

void TOknoECS::butDrukujClick()
{
    if (!FPokazana || FDruk || !browser)
        return;
    const TOpisStrony &strona = FPokazana->Strona;
    const QString odmowa = OdmowaWydruku(strona);
    if (!odmowa.isEmpty()) {
        PokazKomunikat(odmowa, mtError, mbOKOnly, 0);
        return;
    }
    QPrinter drukarka;
    drukarka.setPageSize(QPageSize(QPageSize::A4));
    drukarka.setDocName(QFileInfo(FPokazana->PlikDokumentu).fileName());
    QPrintDialog dialog(&drukarka, this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    // Neither the shown document nor the page may be replaced by the printout.
    FDruk.reset(browser->Drukuj(strona, UstawieniaDruku(drukarka), drukarka.docName(),
                                QStringList{FPokazana->PlikDokumentu, strona.Adres.toLocalFile()},
                                [this](const QString &p_Blad) { drukZakonczony(p_Blad); }));
    ustawDrukowanie();
}

void TOknoECS::drukZakonczony(const QString &p_Blad)
{
    // Called from the job's own signal: it goes once that returns.
    FDruk.release()->deleteLater();
    if (FNowaStrona) {
        const TStronaDokumentu strona = *FNowaStrona;
        FNowaStrona.reset();
        pokazStrone(strona);
    }
    ustawDrukowanie();
    if (!p_Blad.isEmpty())
        PokazKomunikat(p_Blad, mtError, mbOKOnly, 0);
    emit DrukZakonczony();
}
