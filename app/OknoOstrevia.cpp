#include "OknoOstrevia.h"

#include "Kotwice.h"
#include "Komunikaty.h"
#include "LkAplikacja.h"
#include "LkFunGUI.h"
#include "LkFunIO.h"
#include "WidokDokumentu.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr QSize rozmiarKlienta(624, 444);
constexpr QSize rozmiarGrupy(608, 365);
constexpr QSize rozmiarPanelu(579, 306);
constexpr int wysokoscNaglowka = 38;

// The extension as the viewer judges it: from the last "." after the last
// path separator, dot included; empty when there is none.
QString rozszerzenie(const QString &p_Nazwa)
{
    const qsizetype separator = std::max(p_Nazwa.lastIndexOf(QLatin1Char('/')), p_Nazwa.lastIndexOf(QLatin1Char(':')));
    const qsizetype kropka = p_Nazwa.lastIndexOf(QLatin1Char('.'));
    return kropka > separator ? p_Nazwa.mid(kropka) : QString();
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
    UtworzKontrolki();
    // The window exists whatever start-up meets; an exception ends start-up
    // early and is shown as any other uncaught one.
    try {
        FormCreate(p_Argument);
    } catch (const std::exception &e) {
        TLkAplikacja::PokazWyjatek(KomunikatWyjatku(e));
    }
}

TOknoECS::~TOknoECS() = default;

void TOknoECS::UtworzKontrolki()
{
    setObjectName(QStringLiteral("OknoECS"));
    setWindowTitle(QStringLiteral("Ostrevia"));
    // Tahoma where the machine has it, else the metric-compatible Liberation
    // Sans the setup installs, so the fixed layout keeps its room.
    QFont czcionka;
    czcionka.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    czcionka.setPointSize(8);
    setFont(czcionka);
    resize(rozmiarKlienta);
    setMinimumSize(rozmiarKlienta);
    UstawKeyPreview(true);
    if (const QScreen *ekran = screen())
        move(ekran->availableGeometry().center() - rect().center());

    using K = TKotwice;
    LkNaglowek1 = new QLabel(QStringLiteral("Ostrevia"), this);
    LkNaglowek1->setObjectName(QStringLiteral("LkNaglowek1"));
    LkNaglowek1->setAutoFillBackground(true);
    LkNaglowek1->setIndent(12);
    QFont czcionkaNaglowka = czcionka;
    czcionkaNaglowka.setPointSize(14);
    czcionkaNaglowka.setBold(true);
    LkNaglowek1->setFont(czcionkaNaglowka);
    LkNaglowek1->setStyleSheet(QStringLiteral("background: #1f4e79; color: white;"));
    FKotwice->Umiesc(LkNaglowek1, QRect(0, 0, rozmiarKlienta.width(), wysokoscNaglowka), rozmiarKlienta,
                     K::akLeft | K::akTop | K::akRight);

    labNazwaPliku = new QLabel(QStringLiteral("&Nazwa pliku:"), this);
    labNazwaPliku->setObjectName(QStringLiteral("labNazwaPliku"));
    // Labels size themselves to their caption, as the form's labels do.
    FKotwice->Umiesc(labNazwaPliku, QRect(QPoint(8, 47), labNazwaPliku->sizeHint().expandedTo(QSize(60, 13))),
                     rozmiarKlienta, K::akLeft | K::akTop);

    edNazwaPliku = new QLineEdit(this);
    edNazwaPliku->setObjectName(QStringLiteral("edNazwaPliku"));
    edNazwaPliku->setToolTip(QStringLiteral("Możesz otworzyć plik naciskając klawisz ENTER"));
    labNazwaPliku->setBuddy(edNazwaPliku);
    FKotwice->Umiesc(edNazwaPliku, QRect(74, 44, 430, 21), rozmiarKlienta, K::akLeft | K::akTop | K::akRight);
    connect(edNazwaPliku, &QLineEdit::textChanged, this, &TOknoECS::edNazwaPlikuChange);
    edNazwaPliku->installEventFilter(this);

    GroupBox1 = new QGroupBox(QStringLiteral(" Zawartość pliku: "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    FKotwice->Umiesc(GroupBox1, QRect(QPoint(8, 71), rozmiarGrupy), rozmiarKlienta,
                     K::akLeft | K::akTop | K::akRight | K::akBottom);

    butDrukuj = new QPushButton(QStringLiteral("&Drukuj"), GroupBox1);
    butDrukuj->setObjectName(QStringLiteral("butDrukuj"));
    butDrukuj->setEnabled(false);
    FKotwice->Umiesc(butDrukuj, QRect(520, 328, 75, 25), rozmiarGrupy, K::akRight | K::akBottom);
    connect(butDrukuj, &QPushButton::clicked, this, &TOknoECS::butDrukujClick);

    panPanel = new QFrame(GroupBox1);
    panPanel->setObjectName(QStringLiteral("panPanel"));
    panPanel->setFrameShape(QFrame::StyledPanel);
    FKotwice->Umiesc(panPanel, QRect(QPoint(16, 16), rozmiarPanelu), rozmiarGrupy,
                     K::akLeft | K::akTop | K::akRight | K::akBottom);
    browser = new TWidokDokumentu(panPanel);
    browser->setObjectName(QStringLiteral("browser"));
    auto *ukladPanelu = new QVBoxLayout(panPanel);
    ukladPanelu->setContentsMargins(1, 1, 1, 1);
    ukladPanelu->addWidget(browser);

    butWybierz = new QToolButton(this);
    butWybierz->setObjectName(QStringLiteral("butWybierz"));
    butWybierz->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    butWybierz->setIconSize(QSize(16, 16));
    FKotwice->Umiesc(butWybierz, QRect(510, 42, 25, 25), rozmiarKlienta, K::akTop | K::akRight);
    connect(butWybierz, &QToolButton::clicked, this, &TOknoECS::butWybierzClick);

    butWczytaj = new QPushButton(QStringLiteral("&Wczytaj"), this);
    butWczytaj->setObjectName(QStringLiteral("butWczytaj"));
    FKotwice->Umiesc(butWczytaj, QRect(541, 40, 75, 25), rozmiarKlienta, K::akTop | K::akRight);
    connect(butWczytaj, &QPushButton::clicked, this, &TOknoECS::butWczytajClick);

    LkOpenDialog1 = new QFileDialog(this, QStringLiteral("Wybierz plik z ECS"));
    LkOpenDialog1->setObjectName(QStringLiteral("LkOpenDialog1"));
    LkOpenDialog1->setNameFilter(QStringLiteral("Pliki XML z systemu ECS (*.xml)"));
    LkOpenDialog1->setFileMode(QFileDialog::ExistingFile);
    LkOpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    LkOpenDialog1->setOption(QFileDialog::ReadOnly, false);
    LkOpenDialog1->setSizeGripEnabled(true);

    setTabOrder(edNazwaPliku, butWybierz);
    setTabOrder(butWybierz, butWczytaj);
    setTabOrder(butWczytaj, butDrukuj);
    setTabOrder(butDrukuj, panPanel);
}

void TOknoECS::FormCreate(const QString &p_Argument)
{
    setWindowTitle(windowTitle() + QStringLiteral(" ver. ") + tekstWersji());

    FDroga = std::make_unique<TDrogaDokumentu>();
    FDroga->PokazStrone = [this](const QUrl &p_Adres) {
        browser->setUrl(p_Adres);
        butDrukuj->setEnabled(true);
    };

    if (p_Argument.isEmpty())
        return;
    if (rozszerzenie(p_Argument).compare(QLatin1String(".xml"), Qt::CaseInsensitive) == 0) {
        edNazwaPliku->setText(p_Argument);
        WczytajPlik(p_Argument);
    } else {
        PokazKomunikat(QStringLiteral("Program do podglądu plików z systemu ECS\robsługuje wyłącznie pliki *.xml"),
                       mtInformation, mbOKOnly, 0);
    }
}

void TOknoECS::WczytajPlik(const QString &p_NazwaPliku)
{
    FDroga->WczytajPlik(p_NazwaPliku);
}

void TOknoECS::FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift)
{
    ZatwierdzKlawiszem(this, p_Klawisz, p_Shift, nullptr);
}

void TOknoECS::edNazwaPlikuChange()
{
    QPalette paleta = edNazwaPliku->palette();
    const bool istnieje = QFileInfo(edNazwaPliku->text()).isFile();
    paleta.setColor(QPalette::Text, istnieje ? QColor(Qt::black) : QColor(255, 0, 0));
    edNazwaPliku->setPalette(paleta);
}

bool TOknoECS::eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie)
{
    if (p_Obiekt == edNazwaPliku && p_Zdarzenie->type() == QEvent::KeyPress) {
        const auto *klawisz = static_cast<QKeyEvent *>(p_Zdarzenie);
        if (klawisz->key() == Qt::Key_Return || klawisz->key() == Qt::Key_Enter) {
            WczytajPlik(edNazwaPliku->text());
            return true; // the box consumes Enter; the focus stays put
        }
    }
    return TLkForm::eventFilter(p_Obiekt, p_Zdarzenie);
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
    if (LkOpenDialog1->exec() != QDialog::Accepted || LkOpenDialog1->selectedFiles().isEmpty())
        return;
    edNazwaPliku->setText(LkOpenDialog1->selectedFiles().constFirst());
    WczytajPlik(edNazwaPliku->text());
}

void TOknoECS::butDrukujClick()
{
    FDrukarka = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(FDrukarka.get(), this);
    if (dialog.exec() == QDialog::Accepted)
        browser->print(FDrukarka.get()); // the printer must live until printFinished
}
