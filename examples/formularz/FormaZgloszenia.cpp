#include "FormaZgloszenia.h"

#include "Kalendarz.h"
#include "Komunikaty.h"
#include "LkBitBtn.h"
#include "LkCheckBox.h"
#include "LkEdit.h"
#include "LkFunGUI.h"
#include "LkKontrolkaEdycjiCheckBox.h"
#include "LkKontrolkaEdycjiEdit.h"
#include "LkNaglowek.h"
#include "OknoPodgladu.h"
#include "PowiazaniePola.h"

namespace {

template <typename T>
T *kontrolka(QWidget *p_Rodzic, const char *p_Nazwa, const QRect &p_Polozenie, const QString &p_Tekst = QString())
{
    T *nowa = new T(p_Rodzic);
    if (!p_Tekst.isEmpty())
        nowa->setText(p_Tekst);
    nowa->setObjectName(QString::fromLatin1(p_Nazwa));
    nowa->setGeometry(p_Polozenie);
    return nowa;
}

TLkLabel *etykieta(QWidget *p_Rodzic, const QString &p_Tekst, int p_Y, QWidget *p_Kontrolka)
{
    auto *label = new TLkLabel(p_Tekst, p_Rodzic);
    label->setGeometry(12, p_Y, 110, 17);
    label->setBuddy(p_Kontrolka);
    return label;
}

TCechaPola wymagane(const QString &p_Uwaga, const QString &p_Pole)
{
    return TCechaPola(tcpWymagalnosc,
                      QVector<Variant>{Variant::ZInteger(wWymagane), Variant::ZString(p_Uwaga), Variant::ZString(p_Pole)});
}

} // namespace

TFormaZgloszenia::TFormaZgloszenia(TZgloszenieWywozu &p_Zgloszenie, QWidget *p_Owner)
    : TLkForm(p_Owner), FZgloszenie(p_Zgloszenie)
{
    UtworzKontrolki();
    PowiazPola();
}

TFormaZgloszenia::~TFormaZgloszenia()
{
    // The bindings go before the adapters they observe.
    FPowiazania.clear();
}

void TFormaZgloszenia::UtworzKontrolki()
{
    setObjectName(QStringLiteral("FormaZgloszenia"));
    setWindowTitle(QStringLiteral("Zgłoszenie wywozu"));
    setFont(CzcionkaFormy(9));
    setFixedSize(470, 215);

    Naglowek = new TLkNaglowek(this);
    Naglowek->UstawCaption(QStringLiteral("Zgłoszenie wywozu"));
    Naglowek->UstawOpcje(Prostokaty | LogoFirmy);

    edNadawca = kontrolka<TLkEdit>(this, "edNadawca", QRect(126, 50, 330, 22));
    edNadawca->setToolTip(QStringLiteral("Nadawca towaru"));
    edNumer = kontrolka<TLkEdit>(this, "edNumer", QRect(126, 78, 180, 22));
    edNumer->UstawRozmiarPola(-18);
    edData = kontrolka<TLkEdit>(this, "edData", QRect(126, 106, 100, 22));
    butData = kontrolka<TLkBitBtn>(this, "butData", QRect(230, 105, 24, 24), QStringLiteral("…"));
    butData->setToolTip(QStringLiteral("Kalendarz (Insert)"));
    chbZgoda = kontrolka<TLkCheckBox>(this, "chbZgoda", QRect(126, 134, 330, 22),
                                       QStringLiteral("&Zgoda na przetwarzanie danych"));
    etykieta(this, QStringLiteral("&Nadawca:"), 52, edNadawca);
    etykieta(this, QStringLiteral("Numer &MRN:"), 80, edNumer);
    etykieta(this, QStringLiteral("&Data wywozu:"), 108, edData);

    pmOpcje = new TLkPopupMenu(this);
    pmOpcje->addAction(QStringLiteral("Wyczyść formularz"), this, &TFormaZgloszenia::opcWyczyscClick);
    pmOpcje->addAction(QStringLiteral("Pokaż podgląd danych"), this, &TFormaZgloszenia::opcPodgladClick);
    pmPodglad = new TLkPopupMenu(this);
    pmPodglad->addAction(QStringLiteral("Pokaż podgląd danych"), this, &TFormaZgloszenia::opcPodgladClick);
    butOpcje = kontrolka<TLkButton>(this, "butOpcje", QRect(12, 176, 90, 27), QStringLiteral("&Opcje ▾"));
    butOpcje->UstawPopupMenu(pmOpcje);
    butPodglad = kontrolka<TLkButton>(this, "butPodglad", QRect(108, 176, 90, 27), QStringLiteral("&Podgląd"));
    butPodglad->UstawPopupMenu(pmPodglad);
    butOk = kontrolka<TLkButton>(this, "butOk", QRect(270, 176, 90, 27), QStringLiteral("&Ok"));
    butAnuluj = kontrolka<TLkButton>(this, "butAnuluj", QRect(366, 176, 90, 27), QStringLiteral("Anuluj"));
    connect(butData, &QAbstractButton::clicked, this, &TFormaZgloszenia::butDataClick);
    connect(butOk, &QAbstractButton::clicked, this, &TFormaZgloszenia::butOkClick);
    connect(butAnuluj, &QAbstractButton::clicked, this, &QWidget::close);

    // The layout as the keys see it: down the fields, Enter to the next one,
    // left and right along the buttons. Reverse links follow by themselves.
    edNadawca->UstawDol(edNumer);
    edNumer->UstawDol(edData);
    edData->UstawPrzycisk(butData);
    edData->UstawDol(chbZgoda);
    chbZgoda->UstawDol(butOk);
    edNadawca->UstawNastepny(edNumer);
    edNumer->UstawNastepny(edData);
    edData->UstawNastepny(chbZgoda);
    chbZgoda->UstawNastepny(butOk);
    butOpcje->UstawPrawo(butPodglad);
    butPodglad->UstawPrawo(butOk);
    butOk->UstawPrawo(butAnuluj);
    butPodglad->UstawGora(chbZgoda);
}

void TFormaZgloszenia::PowiazPola()
{
    FNadawca = std::make_unique<TLkKontrolkaEdycjiEdit>(edNadawca);
    FNumer = std::make_unique<TLkKontrolkaEdycjiEdit>(edNumer);
    FData = std::make_unique<TLkKontrolkaEdycjiEdit>(edData);

    TCechyPola nadawca, numer, dataWywozu, zgoda;
    nadawca.Cechy << TCechaPola(tcpOpis, Variant::ZString(QStringLiteral("Nazwa lub firma, jak w zgłoszeniu")));
    numer.Cechy << TCechaPola(tcpPoleKrytyczne, Variant::ZBoolean(true))
                << wymagane(QStringLiteral("18 znaków"), QStringLiteral("Numer MRN"));
    dataWywozu.Cechy << TCechaPola(tcpOpis, Variant::ZString(QStringLiteral("Ctrl+D lub Insert: kalendarz")));
    zgoda.Cechy << wymagane(QString(), QStringLiteral("Zgoda"));
    FNadawca->ZastosujCechyPol(nadawca);
    FNumer->ZastosujCechyPol(numer);
    FData->ZastosujCechyPol(dataWywozu);
    chbZgoda->KontrolkaEdycji().ZastosujCechyPol(zgoda);

    const std::pair<ILkKontrolkaEdycji *, const char *> pola[] = {{FNadawca.get(), "Nadawca"},
                                                                   {FNumer.get(), "NumerMRN"},
                                                                   {FData.get(), "DataWywozu"},
                                                                   {&chbZgoda->KontrolkaEdycji(), "ZgodaNaPrzetwarzanie"}};
    for (const auto &[adapter, pole] : pola) {
        FPowiazania.push_back(std::make_unique<TPowiazaniePola>(*adapter, FZgloszenie, QString::fromLatin1(pole)));
        FPowiazania.back()->Wczytaj();
        adapter->DodajObserwatora(this);
        adapter->OdswiezPowodWymagalnosci();
    }
}

QDate TFormaZgloszenia::MinData() const
{
    return QDate::currentDate().addDays(-30);
}

QDate TFormaZgloszenia::MaxData() const
{
    return QDate::currentDate().addDays(90);
}

void TFormaZgloszenia::ZmienionoDaneKontrolki(ILkKontrolkaEdycji &)
{
    if (FPodglad)
        FPodglad->Odswiez();
}

void TFormaZgloszenia::butDataClick()
{
    QString tekst = edData->text();
    if (WybierzDateDoTekstu(tekst, QStringLiteral("Data wywozu"), MinData(), MaxData()))
        edData->setText(tekst);
    edData->setFocus();
}

void TFormaZgloszenia::butOkClick()
{
    if (!FZgloszenie.MaWartosc(TZgloszenieWywozu::NumerMRN)) {
        PokazKomunikat(QStringLiteral("Uzupełnij numer MRN"), mtWarning, mbOKOnly, 0);
        edNumer->setFocus();
        return;
    }
    PokazKomunikat(QStringLiteral("Zapisano zgłoszenie ") + FZgloszenie.Tekstowo(TZgloszenieWywozu::NumerMRN),
                   mtInformation, mbOKOnly, 0);
    close();
}

void TFormaZgloszenia::opcWyczyscClick()
{
    FNadawca->WyczyscKontrolke(false);
    FNumer->WyczyscKontrolke(false);
    FData->WyczyscKontrolke(false);
    chbZgoda->KontrolkaEdycji().WyczyscKontrolke(false);
}

void TFormaZgloszenia::opcPodgladClick()
{
    if (!FPodglad)
        FPodglad = new TOknoPodgladu(FZgloszenie, this);
    FPodglad->setWindowFlag(Qt::Window);
    FPodglad->show();
    TLkFormBazowe::ActivateForm(FPodglad);
}
