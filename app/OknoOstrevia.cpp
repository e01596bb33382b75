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
#include "OstatniePliki.h"
#include "PanelDokumentu.h"
#include "PlikiTymczasowe.h"
#include "UpuszczaniePlikow.h"
#include "UslugiSimpleMAPI.h"
#include "UstawieniaDruku.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
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

// A menu item's text shows "&" as it is; long paths lose their middle.
QString tekstOpcjiPliku(int p_Nr, const QString &p_Plik, const QFontMetrics &p_Czcionka)
{
    QString tekst = p_Czcionka.elidedText(p_Plik, Qt::ElideMiddle, 480);
    tekst.replace(QLatin1Char('&'), QLatin1String("&&"));
    return p_Nr < 10 ? QStringLiteral("&%1 %2").arg(p_Nr).arg(tekst) : QStringLiteral("%1 %2").arg(p_Nr).arg(tekst);
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
    // Narrower by the recent files' arrow beside the folder button.
    FKotwice->Umiesc(edNazwaPliku, QRect(74, 44, 416, 21), rozmiarKlienta, K::akLeft | K::akTop | K::akRight);
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

    // Beside Print, what is done with the page after reading it.
    butZapiszPDF = new TLkButton(QStringLiteral("&Zapisz jako PDF…"), GroupBox1);
    butZapiszPDF->setObjectName(QStringLiteral("butZapiszPDF"));
    butZapiszPDF->setEnabled(false);
    FKotwice->Umiesc(butZapiszPDF, QRect(404, 328, 110, 25), rozmiarGrupy, K::akRight | K::akBottom);
    connect(butZapiszPDF, &QAbstractButton::clicked, this, &TOknoECS::butZapiszPDFClick);

    butWyslij = new TLkButton(QStringLiteral("Wyślij p&otwierdzenie…"), GroupBox1);
    butWyslij->setObjectName(QStringLiteral("butWyslij"));
    butWyslij->setToolTip(QStringLiteral("Potwierdzenie wywozu (komunikat IE599) jako PDF w nowym e-mailu"));
    butWyslij->setEnabled(false);
    FKotwice->Umiesc(butWyslij, QRect(262, 328, 136, 25), rozmiarGrupy, K::akRight | K::akBottom);
    connect(butWyslij, &QAbstractButton::clicked, this, &TOknoECS::butWyslijClick);

    // The engine tells nothing of a printout's progress: the bar only says it runs.
    pasekPostepu = new QProgressBar(GroupBox1);
    pasekPostepu->setObjectName(QStringLiteral("pasekPostepu"));
    pasekPostepu->setRange(0, 0);
    pasekPostepu->setTextVisible(false);
    pasekPostepu->hide();
    FKotwice->Umiesc(pasekPostepu, QRect(16, 333, 80, 15), rozmiarGrupy, K::akLeft | K::akBottom);
    labPostep = new TLkLabel(GroupBox1);
    labPostep->setObjectName(QStringLiteral("labPostep"));
    labPostep->hide();
    FKotwice->Umiesc(labPostep, QRect(102, 334, 154, 13), rozmiarGrupy, K::akLeft | K::akBottom);

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
    FKotwice->Umiesc(butWybierz, QRect(496, 42, 25, 25), rozmiarKlienta, K::akTop | K::akRight);
    connect(butWybierz, &QAbstractButton::clicked, this, &TOknoECS::butWybierzClick);

    // The folder button's drop-down: a button of its own, so that a click on
    // the folder (and Shift+Enter) still opens the dialog at once.
    pmOstatnie = new TLkPopupMenu(this);
    pmOstatnie->setObjectName(QStringLiteral("pmOstatnie"));
    connect(pmOstatnie, &QMenu::aboutToShow, this, &TOknoECS::pmOstatnieAboutToShow);
    butOstatnie = new TLkBitBtn(QString(QChar(0x25BE)), this);
    butOstatnie->setObjectName(QStringLiteral("butOstatnie"));
    butOstatnie->setToolTip(QStringLiteral("Ostatnio otwierane pliki"));
    butOstatnie->UstawPopupMenu(pmOstatnie);
    FKotwice->Umiesc(butOstatnie, QRect(521, 42, 14, 25), rozmiarKlienta, K::akTop | K::akRight);

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

    LkSaveDialog1 = new TLkSaveDialog(this);
    LkSaveDialog1->setObjectName(QStringLiteral("LkSaveDialog1"));
    LkSaveDialog1->setWindowTitle(QStringLiteral("Zapisz jako PDF"));
    LkSaveDialog1->Filter = QStringLiteral("Dokumenty PDF|*.pdf");
    LkSaveDialog1->DefaultExt = QStringLiteral("pdf");
    // A link picked in the list is the name to replace, not a way to its target.
    LkSaveDialog1->setOption(QFileDialog::DontResolveSymlinks, true);
    LkSaveDialog1->setSizeGripEnabled(true);

    UtworzPolecenia();
    pmOstatnieAboutToShow();
    new TUpuszczaniePlikow(*this, [this](const QStringList &p_Pliki) { LkNaglowek1DropFiles(p_Pliki); });

    setTabOrder(edNazwaPliku, butWybierz);
    setTabOrder(butWybierz, butOstatnie);
    setTabOrder(butOstatnie, butWczytaj);
    setTabOrder(butWczytaj, butDrukuj);
    setTabOrder(butDrukuj, butZapiszPDF);
    setTabOrder(butZapiszPDF, butWyslij);
    setTabOrder(butWyslij, panPanel);
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
    opcZapiszPDF = polecenie(QStringLiteral("opcZapiszPDF"), QStringLiteral("Zapisz jako PDF…"),
                             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, &TOknoECS::butZapiszPDFClick);
    opcZapiszPDF->setEnabled(false);
    opcWyslij = polecenie(QStringLiteral("opcWyslij"), QStringLiteral("Wyślij potwierdzenie…"), {},
                          &TOknoECS::butWyslijClick);
    opcWyslij->setEnabled(false);
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
    panel->addAction(opcZapiszPDF);
    panel->addAction(opcWyslij);
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
            FGotowaStrona = TStronaDokumentu{OpiszStrone(p_Adres), FPlikDrogi, FDroga->Dane()};
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
    if (!strona)
        return;
    DodajOstatniPlik(strona->PlikDokumentu);
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
    const bool mozna = mozliweZadanie();
    for (QWidget *kontrolka : std::initializer_list<QWidget *>{butDrukuj, butZapiszPDF})
        kontrolka->setEnabled(mozna);
    for (QAction *opcja : {opcDrukuj, opcZapiszPDF})
        opcja->setEnabled(mozna);
    const bool potwierdzenie = mozna && FPokazana->Dane.JestIE599();
    butWyslij->setEnabled(potwierdzenie);
    opcWyslij->setEnabled(potwierdzenie);
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
    otworzJakWpisany(p_Pliki.constFirst());
}

void TOknoECS::otworzJakWpisany(const QString &p_NazwaPliku)
{
    // As if typed into the box and confirmed.
    edNazwaPliku->setText(p_NazwaPliku);
    WczytajPlik(edNazwaPliku->text());
}

void TOknoECS::pmOstatnieAboutToShow()
{
    // Read afresh: another window of the user may have opened files since.
    pmOstatnie->clear();
    const QStringList pliki = OstatniePliki();
    if (pliki.isEmpty())
        pmOstatnie->addAction(QStringLiteral("Brak ostatnio otwieranych plików"))->setEnabled(false);
    int nr = 0;
    for (const QString &plik : pliki) {
        QAction *opcja = pmOstatnie->addAction(tekstOpcjiPliku(++nr, plik, pmOstatnie->fontMetrics()));
        opcja->setData(plik);
        // Shown all the same: picking one gives the usual message.
        if (!QFileInfo(plik).isFile()) {
            QFont czcionka = opcja->font();
            czcionka.setItalic(true);
            opcja->setFont(czcionka);
            opcja->setToolTip(QStringLiteral("Brak pliku ") + plik);
        }
        connect(opcja, &QAction::triggered, this, [this, plik] { otworzJakWpisany(plik); });
    }
    pmOstatnie->addSeparator();
    QAction *wyczysc = pmOstatnie->addAction(QStringLiteral("Wyczyść listę"));
    wyczysc->setObjectName(QStringLiteral("opcWyczyscOstatnie"));
    wyczysc->setEnabled(!pliki.isEmpty());
    connect(wyczysc, &QAction::triggered, this, [] { WyczyscOstatniePliki(); });
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

bool TOknoECS::mozliweZadanie() const
{
    return FPokazana && !FDruk && browser;
}

bool TOknoECS::stronaDoZadania()
{
    if (!mozliweZadanie())
        return false;
    const QString odmowa = OdmowaWydruku(FPokazana->Strona);
    if (!odmowa.isEmpty()) {
        PokazKomunikat(odmowa, mtError, mbOKOnly, 0);
        return false;
    }
    return true;
}

void TOknoECS::butDrukujClick()
{
    if (!stronaDoZadania())
        return;
    QPrinter drukarka;
    drukarka.setPageSize(QPageSize(QPageSize::A4));
    drukarka.setDocName(QFileInfo(FPokazana->PlikDokumentu).fileName());
    QPrintDialog dialog(&drukarka, this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    uruchomZadanie(UstawieniaDruku(drukarka), drukarka.docName(), QStringLiteral("Przygotowanie wydruku…"));
}

void TOknoECS::butZapiszPDFClick()
{
    if (!stronaDoZadania())
        return;
    // Offered beside the message, under its name.
    const QFileInfo dokument(FPokazana->PlikDokumentu);
    LkSaveDialog1->setDirectory(dokument.absolutePath());
    LkSaveDialog1->selectFile(dokument.completeBaseName() + QStringLiteral(".pdf"));
    if (!LkSaveDialog1->Execute())
        return;
    TUstawieniaDruku ustawienia;
    ustawienia.PlikWyjsciowy = LkSaveDialog1->FileName();
    uruchomZadanie(ustawienia, dokument.fileName(), QStringLiteral("Zapisywanie pliku PDF…"));
}

void TOknoECS::butWyslijClick()
{
    if (!mozliweZadanie() || !FPokazana->Dane.JestIE599() || !stronaDoZadania())
        return;
    const QString mrn = FPokazana->Dane.MRN;
    if (mrn.isEmpty()) {
        PokazKomunikat(QStringLiteral("Nie można przygotować potwierdzenia wywozu:\rkomunikat nie zawiera "
                                      "numeru MRN."),
                       mtError, mbOKOnly, 0);
        return;
    }
    // The attachment's name is what the recipient sees; it lives in the
    // process's temporary folder, where the mail hand-off takes it as it is.
    const QString plik =
        DajNazwePlikuTymczasowego(QStringLiteral("Potwierdzenie_wywozu_") + mrn, QStringLiteral(".pdf"), true);
    if (plik.isEmpty()) {
        PokazKomunikat(QStringLiteral("Nie można uzyskać nazwy pliku tymczasowego"), mtError, mbOKOnly, 0);
        return;
    }
    TUstawieniaDruku ustawienia;
    ustawienia.PlikWyjsciowy = plik;
    uruchomZadanie(ustawienia, QFileInfo(FPokazana->PlikDokumentu).fileName(),
                   QStringLiteral("Przygotowanie potwierdzenia…"),
                   [this, mrn, plik] { wyslijPotwierdzenie(mrn, plik); });
}

void TOknoECS::wyslijPotwierdzenie(const QString &p_MRN, const QString &p_PlikPDF)
{
    TDaneListu list;
    list.TematListu = QStringLiteral("Potwierdzenie wywozu MRN ") + p_MRN;
    list.TrescListu = QStringLiteral("W załączeniu potwierdzenie wywozu towarów poza obszar celny UE "
                                     "(komunikat IE599) dla zgłoszenia o numerze MRN %1.")
                          .arg(p_MRN);
    list.Zalaczniki.push_back({QFileInfo(p_PlikPDF).fileName(), p_PlikPDF});
    QString blad;
    if (!WyslijList(list, blad))
        PokazKomunikatOK(blad, mtWarning);
}

void TOknoECS::uruchomZadanie(const TUstawieniaDruku &p_Ustawienia, const QString &p_Tytul,
                              const QString &p_Postep, std::function<void()> p_PoZapisie)
{
    const TOpisStrony &strona = FPokazana->Strona;
    // Neither the shown document nor the page may be replaced by the job.
    FPoZadaniu = std::move(p_PoZapisie);
    FDruk.reset(browser->Drukuj(strona, p_Ustawienia, p_Tytul,
                                QStringList{FPokazana->PlikDokumentu, strona.Adres.toLocalFile()},
                                [this](const QString &p_Blad) { drukZakonczony(p_Blad); }));
    labPostep->setText(p_Postep);
    labPostep->show();
    pasekPostepu->show();
    ustawDrukowanie();
}

void TOknoECS::drukZakonczony(const QString &p_Blad)
{
    // Called from the job's own signal: it goes once that returns.
    FDruk.release()->deleteLater();
    labPostep->hide();
    pasekPostepu->hide();
    std::function<void()> poZadaniu;
    poZadaniu.swap(FPoZadaniu);
    if (FNowaStrona) {
        const TStronaDokumentu strona = *FNowaStrona;
        FNowaStrona.reset();
        pokazStrone(strona);
    }
    ustawDrukowanie();
    if (!p_Blad.isEmpty())
        PokazKomunikat(p_Blad, mtError, mbOKOnly, 0);
    else if (poZadaniu)
        poZadaniu();
    emit DrukZakonczony();
}
