#include "OknoPodpowiedzi.h"

#include "AktualizacjaAkcji.h"
#include "Kolory.h"
#include "LkFunGUI.h"
#include "OknoPokazPodpowiedz.h"
#include "Powloka.h"
#include "Przezroczystosc.h"
#include "UslugiSimpleMAPI.h"
#include "Wyjatki.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <limits>

namespace {

uint32_t zegarSystemowy()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TZegarPodpowiedzi zegar = &zegarSystemowy;

constexpr int szerPrzycisku = 60;
constexpr int wysPrzycisku = 20;
constexpr int szerPolaWyboru = 17;
constexpr int wysPolaWyboru = 13;
constexpr int rozmiarIkony = 32;
constexpr int domyslnaSzerokosc = 300;

QFont czcionkaOkna()
{
    QFont czcionka(QStringLiteral("Arial"));
    czcionka.setPointSize(8); // 11 pixels at 96 dpi
    return czcionka;
}

QFont czcionkaEtykiet()
{
    QFont czcionka(QStringLiteral("Arial"));
    czcionka.setPixelSize(9);
    return czcionka;
}

void ustawKolorTekstu(QWidget *p_Kontrolka, TKolor p_Kolor)
{
    QPalette paleta = p_Kontrolka->palette();
    paleta.setColor(QPalette::WindowText, KolorQt(p_Kolor));
    p_Kontrolka->setPalette(paleta);
}

QPixmap ikonaRodzaju(int32_t p_Rodzaj)
{
    QStyle::StandardPixmap ikona;
    switch (p_Rodzaj) {
    case fpOstrzezenie: ikona = QStyle::SP_MessageBoxWarning; break;
    case fpBlad: ikona = QStyle::SP_MessageBoxCritical; break;
    case fpInformacja: ikona = QStyle::SP_MessageBoxInformation; break;
    default: return QPixmap();
    }
    return QApplication::style()->standardIcon(ikona).pixmap(rozmiarIkony, rozmiarIkony);
}

// A position given by one of the named places, else clamped into the work area.
int pozycja(int p_Poz, int p_Margines, int p_Obszar, int p_Rozmiar, int p_NadOknem)
{
    int x;
    switch (p_Poz) {
    case pozPoczatek: return p_Margines;
    case pozKoniec: return p_Obszar - p_Margines - p_Rozmiar;
    case pozSrodek: return (p_Obszar - p_Rozmiar) / 2;
    case pozNadOknem: x = p_NadOknem; break;
    default: x = p_Poz; break;
    }
    if (x + p_Rozmiar > p_Obszar)
        x = p_Obszar - p_Rozmiar;
    else if (x < 0)
        x = 0;
    return x;
}

} // namespace

void UstawZegarPodpowiedzi(TZegarPodpowiedzi p_Zegar)
{
    zegar = p_Zegar ? p_Zegar : &zegarSystemowy;
}

TOknoPodpowiedzi::TOknoPodpowiedzi(QWidget *p_Owner) : TLkFormBazowe(p_Owner)
{
    setObjectName(QStringLiteral("OknoPodpowiedzi"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(czcionkaOkna());
    UstawKeyPreview(true);
    resize(382, 241);
    setMouseTracking(true);

    FZegar = new QTimer(this);
    FZegar->setInterval(1);
    connect(FZegar, &QTimer::timeout, this, &TOknoPodpowiedzi::ZegarTimer);

    FbutOk = new QPushButton(QStringLiteral("&Ok"), this);
    FbutOk->setObjectName(QStringLiteral("butOk"));
    FbutOk->resize(szerPrzycisku, wysPrzycisku);
    connect(FbutOk, &QPushButton::clicked, this, &TOknoPodpowiedzi::butOkClick);

    FchbNiePokazujWiecej = new QCheckBox(this);
    FchbNiePokazujWiecej->setObjectName(QStringLiteral("chbNiePokazujWiecej"));
    FchbNiePokazujWiecej->resize(szerPolaWyboru, wysPolaWyboru);
    FchbNiePokazujWiecej->hide();
    connect(FchbNiePokazujWiecej, &QCheckBox::clicked, this, &TOknoPodpowiedzi::WznowOdliczanie);

    FlabNiePokazujWiecej = new QLabel(QStringLiteral("Nie pokazuj więcej "), this);
    FlabNiePokazujWiecej->setObjectName(QStringLiteral("labNiePokazujWiecej"));
    FlabTegoKomunikatu = new QLabel(QStringLiteral("tego komunikatu"), this);
    FlabTegoKomunikatu->setObjectName(QStringLiteral("labTegoKomunikatu"));
    for (QLabel *etykieta : {FlabNiePokazujWiecej, FlabTegoKomunikatu}) {
        etykieta->setFont(czcionkaEtykiet());
        etykieta->setCursor(Qt::ArrowCursor);
        etykieta->adjustSize();
        etykieta->hide();
        // The labels answer clicks like the check box's own caption.
        etykieta->installEventFilter(this);
    }

    FpmMenu = new QMenu(this);
    FpmMenu->addAction(QStringLiteral("kopiuj do schowka jako tekst"), this,
                       &TOknoPodpowiedzi::opcDoSchowkaJakoTekstClick);
    FpmMenu->addAction(QStringLiteral("kopiuj do schowka jako obrazek"), this,
                       &TOknoPodpowiedzi::opcDoSchowkaJakoObrazekClick);
}

TOknoPodpowiedzi::~TOknoPodpowiedzi()
{
    FZegar->stop();
}

void TOknoPodpowiedzi::RozpakujDane(const QString &p_Podpowiedz, int32_t p_MaxSzerOkna, const QString &p_KodGUIDPodp,
                                    int32_t p_PozX, int32_t p_PozY, int32_t p_MaxCzasWSek, int32_t p_Flagi,
                                    TProcLinkOnClick p_ProcLinkOnClick)
{
    FProcLinkOnClick = std::move(p_ProcLinkOnClick);
    const int w0 = p_MaxSzerOkna == -1 ? domyslnaSzerokosc : p_MaxSzerOkna;
    const int32_t flagi = FlagiLubZero(p_Flagi);
    const bool maleMarginesy = flagi & fpMaleMarginesy;
    FMarginX = maleMarginesy ? 8 : 12;
    FMarginY = maleMarginesy ? 6 : 12;
    FFlagiOkna = flagi;
    FKlawiszOk = !(flagi & fpBezOk);
    FKodGUID = p_KodGUIDPodp;

    QWidget *aktywne = QApplication::activeWindow();
    QScreen *ekran = aktywne && aktywne->screen() ? aktywne->screen() : QGuiApplication::primaryScreen();
    const QRect obszar = ekran ? ekran->availableGeometry() : QRect(0, 0, 1024, 768);
    const int wa = obszar.width();
    const int ha = obszar.height();

    int m = 2 * FMarginX;
    if (FKlawiszOk)
        m += szerPrzycisku;
    else
        FbutOk->hide();

    FRodzajOkna = flagi & fpRodzaj;
    const TWygladRodzaju wyglad = WygladRodzaju(FRodzajOkna);
    FKolorOkna = wyglad.Tlo;
    FKolorRamki = wyglad.Ramka;
    FUklad.UstawCzcionkeOkna(font(), wyglad.Tekst);
    ustawKolorTekstu(FlabNiePokazujWiecej, wyglad.Etykiety);
    ustawKolorTekstu(FlabTegoKomunikatu, wyglad.Etykiety);
    ustawKolorTekstu(FchbNiePokazujWiecej, wyglad.Tekst);
    const QPixmap ikona = ikonaRodzaju(FRodzajOkna);
    const int szerIkony = ikona.isNull() ? 0 : rozmiarIkony;
    if (!ikona.isNull()) {
        FObrazek = new QLabel(this);
        FObrazek->setObjectName(QStringLiteral("Image"));
        FObrazek->setPixmap(ikona);
        FObrazek->setGeometry(FMarginX, FMarginY, rozmiarIkony, rozmiarIkony);
    }

    const bool wiersz = !FKodGUID.isEmpty() && !(flagi & fpBezNiePokazuj);
    if (wiersz)
        m += FMarginX + szerPolaWyboru + FlabNiePokazujWiecej->width();
    else if (szerIkony)
        m += FMarginX + szerIkony;

    const int w = std::min(std::max(w0, m), wa - 2 * FMarginX);
    int limit = w - 2 * FMarginX - 8;
    if (szerIkony)
        limit -= FMarginX + szerIkony;

    bool sformatowany = false;
    QSize tresc;
    FUklad.UlozTresc(p_Podpowiedz, limit, sformatowany, tresc);
    int cw = tresc.width();
    int ch = tresc.height();
    if (szerIkony)
        ch = std::max(ch, szerIkony);
    if (FKlawiszOk) {
        if (wiersz || FUklad.DispLista().empty()) {
            ch += FMarginY + wysPrzycisku;
        } else {
            // The button may sit beside the last lines when they leave room.
            const int x0 = cw - szerPrzycisku - FMarginX;
            int yb = FMarginY;
            for (const TElemDispListy &e : FUklad.DispLista())
                if (e.XKon > x0)
                    yb = e.YKon;
            ch = std::max(ch, FMarginY + yb + wysPrzycisku);
        }
    }
    const int io = szerIkony ? FMarginX + szerIkony : 0;
    cw += io;

    const int szerWiersza = szerPolaWyboru + FlabNiePokazujWiecej->width() + FlabTegoKomunikatu->width();
    const bool jedenWiersz = wiersz && (FKlawiszOk ? szerWiersza <= cw - szerPrzycisku - 8 : szerWiersza <= cw);

    if (sformatowany)
        FUklad.Przesun(io + FMarginX, FMarginY);
    else
        FUklad.ZwolnijListy();

    if (!FKlawiszOk && wiersz)
        ch += FMarginY + (jedenWiersz ? 11 : 23);

    const int szerokosc = std::max(cw + 2 * FMarginX, m);
    const int wysokosc = std::min(ch + 2 * FMarginY, ha - 2 * FMarginY);

    int x, y;
    if (p_PozX == pozKoniec && p_PozY == pozKoniec) {
        x = wa - FMarginX - szerokosc;
        y = ha - FMarginY - wysokosc;
        DajNowaPozycjeOkna(x, y, QRect(x, y, szerokosc, wysokosc), QSize(wa, ha), obszar.topLeft());
    } else {
        const int nadX = aktywne ? aktywne->x() - obszar.x() + (aktywne->width() - szerokosc) / 2 : (wa - szerokosc) / 2;
        const int nadY = aktywne ? aktywne->y() - obszar.y() + (aktywne->height() - wysokosc) / 2 : (ha - wysokosc) / 2;
        x = pozycja(p_PozX, FMarginX, wa, szerokosc, nadX);
        y = pozycja(p_PozY, FMarginY, ha, wysokosc, nadY);
    }
    setGeometry(obszar.x() + x, obszar.y() + y, szerokosc, wysokosc);

    if (FKlawiszOk)
        FbutOk->move(szerokosc - FMarginX - szerPrzycisku, wysokosc - FMarginY - wysPrzycisku);
    if (wiersz) {
        int gora;
        if (jedenWiersz) {
            gora = FKlawiszOk ? FbutOk->y() + (wysPrzycisku - wysPolaWyboru) / 2 : wysokosc - FMarginY - wysPolaWyboru;
            FlabNiePokazujWiecej->setText(FlabNiePokazujWiecej->text() + QStringLiteral("tego komunikatu"));
            FlabNiePokazujWiecej->adjustSize();
        } else {
            gora = FKlawiszOk ? FbutOk->y() : wysokosc - FMarginY - 23;
            FlabTegoKomunikatu->move(FMarginX + 18, gora + 11);
            FlabTegoKomunikatu->show();
        }
        FchbNiePokazujWiecej->move(FMarginX, gora);
        FchbNiePokazujWiecej->show();
        FlabNiePokazujWiecej->move(FMarginX + 18, gora + 1);
        FlabNiePokazujWiecej->show();
    }

    QPainterPath ksztalt;
    ksztalt.addRoundedRect(QRectF(0, 0, szerokosc, wysokosc), 9.5, 9.5);
    setMask(QRegion(ksztalt.toFillPolygon().toPolygon()));

    if (JestPrzezroczystosc() && CzasPojawiania > 0 && !(flagi & fpBezPojawiania))
        UstawPrzezroczystosc(this, 0);

    const int32_t sekundy = std::max(p_MaxCzasWSek, 0);
    const int64_t ms = sekundy == std::numeric_limits<int32_t>::max() ? 0 : int64_t(sekundy) * 1000;
    FMaxCzas = int(std::min<int64_t>(ms, std::numeric_limits<int>::max()));
}

void TOknoPodpowiedzi::DajNowaPozycjeOkna(int &p_X, int &p_Y, const QRect &p_R, const QSize &p_Obszar,
                                          const QPoint &p_PoczatekObszaru)
{
    // The other hints in work-area coordinates, like the new position.
    std::vector<QRect> okna;
    for (TOknoPodpowiedzi *okno : OknaPodpowiedzi())
        if (okno->isVisible())
            okna.push_back(okno->geometry().translated(-p_PoczatekObszaru));
    const int x0 = p_R.x();
    const int y0 = p_R.y();
    const int szer = p_R.width();
    const int wys = p_R.height();
    auto kandydat = [&] { return QRect(p_X, p_Y, szer, wys); };

    bool wLewo = false;
    for (size_t i = 0; i < okna.size();) {
        const QRect c = kandydat();
        if (!c.intersects(okna[i])) {
            ++i;
            continue;
        }
        const QRect wspolne = c.intersected(okna[i]);
        if (!wLewo)
            p_Y = wspolne.top() - wys;
        else
            p_X = wspolne.left() - szer;
        if (p_Y < 0) {
            p_Y = y0;
            wLewo = true;
        } else if (p_X < 0) {
            p_X = x0;
            p_Y = y0;
            return;
        } else {
            wLewo = false;
        }
        i = 0;
    }
    // Slide right while there is room and nothing is in the way.
    for (;;) {
        p_X += 10;
        if (p_X + szer > p_Obszar.width()) {
            p_X -= 10;
            return;
        }
        for (const QRect &okno : okna)
            if (kandydat().intersects(okno)) {
                p_X = okno.left() - szer;
                return;
            }
    }
}

void TOknoPodpowiedzi::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    try {
        painter.setPen(KolorQt(FKolorRamki));
        painter.setBrush(KolorQt(FKolorOkna));
        painter.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), 10, 10);
        painter.setBrush(Qt::NoBrush);
        if (!FUklad.DispLista().empty()) {
            const auto &lista = FUklad.DispLista();
            for (size_t i = 0; i < lista.size(); ++i)
                FUklad.RysujElement(painter, lista[i], FKolorOkna, FRodzajOkna, int(i) == FAktywnyLink);
            return;
        }
        int lewa = FMarginX;
        if (FObrazek)
            lewa += FObrazek->width() + FMarginX;
        int dol = height() - FMarginY;
        if (FKlawiszOk && FbutOk->isVisible())
            dol = FchbNiePokazujWiecej->isVisible() ? FbutOk->y() - 4 : FbutOk->geometry().bottom();
        QString tekst = FUklad.Tresc();
        tekst.replace(QChar(13), QLatin1Char('\n'));
        painter.setFont(FUklad.CzcionkaStylu(QString(), 0, 0, 0));
        painter.setPen(KolorQt(FUklad.ListaStylow()[0].Kolor));
        painter.drawText(QRect(QPoint(lewa, FMarginY), QPoint(width() - FMarginX, dol)), Qt::TextWordWrap, tekst);
    } catch (const std::exception &e) {
        try {
            painter.drawText(10, 10 + painter.fontMetrics().ascent(),
                             QStringLiteral("Error: ") + QString::fromUtf8(e.what()));
        } catch (...) {
        }
    }
}

void TOknoPodpowiedzi::showEvent(QShowEvent *p_Zdarzenie)
{
    TLkFormBazowe::showEvent(p_Zdarzenie);
    if (FStan == TStanOknaPodp::sopNieustalony)
        FormActivate();
}

void TOknoPodpowiedzi::FormActivate()
{
    if (!JestPrzezroczystosc() || CzasPojawiania == 0 || (FFlagiOkna & fpBezPojawiania)) {
        FStan = TStanOknaPodp::sopWidoczne;
        UstawZegar(FMaxCzas);
        return;
    }
    FStan = TStanOknaPodp::sopAktywacja;
    FPoczAnimacji = zegar();
    FCzasAnimacji = Modalna() ? 0 : CzasPojawiania;
    UstawZegar(KrokAnimacji);
}

void TOknoPodpowiedzi::UstawZegar(int p_Czas)
{
    FZegar->setInterval(std::max(p_Czas, 0));
    if (p_Czas > 0)
        FZegar->start();
    else
        FZegar->stop();
}

void TOknoPodpowiedzi::ZegarTimer()
{
    if (!FZegar->isActive())
        return;
    FZegar->stop();
    const uint32_t uplynelo = zegar() - FPoczAnimacji;
    switch (FStan) {
    case TStanOknaPodp::sopAktywacja:
        if (uplynelo < FCzasAnimacji) {
            UstawPrzezroczystosc(this, int(uplynelo * 255 / FCzasAnimacji));
            FZegar->start();
        } else {
            UstawWarstwowe(this, false);
            FStan = TStanOknaPodp::sopWidoczne;
            UstawZegar(FMaxCzas);
        }
        break;
    case TStanOknaPodp::sopWidoczne:
        FWynikModalny = mrIgnore;
        // A modal hint fades out through the close query; a plain one just goes.
        if (Modalna())
            close();
        else
            ZamknijOkno();
        break;
    case TStanOknaPodp::sopDeaktywacja:
        if (uplynelo < FCzasAnimacji) {
            UstawPrzezroczystosc(this, int((FCzasAnimacji - uplynelo) * 255 / FCzasAnimacji));
            FZegar->start();
        } else {
            ZamknijOkno();
        }
        break;
    case TStanOknaPodp::sopZamkniete:
        ZamknijOkno();
        break;
    case TStanOknaPodp::sopNieustalony:
        break;
    }
}

void TOknoPodpowiedzi::closeEvent(QCloseEvent *p_Zdarzenie)
{
    const bool mozeZnikac = JestPrzezroczystosc() && FWynikModalny != mrOk && CzasZnikania > 0;
    if (FStan != TStanOknaPodp::sopZamkniete && mozeZnikac) {
        p_Zdarzenie->ignore();
        if (FStan != TStanOknaPodp::sopDeaktywacja) {
            FZegar->stop();
            FStan = TStanOknaPodp::sopDeaktywacja;
            UstawPrzezroczystosc(this, 255);
            update();
            FPoczAnimacji = zegar();
            FCzasAnimacji = CzasZnikania;
            UstawZegar(KrokAnimacji);
        }
        return;
    }
    FZegar->stop();
    if (FTrwaWysMaila) {
        // The mail program still works with the link: the window waits hidden.
        p_Zdarzenie->ignore();
        hide();
        return;
    }
    if (!FKodGUID.isEmpty())
        ZapamietajWybor(FKodGUID, FchbNiePokazujWiecej->isChecked());
    if (Modalna() && ModalResult() == mrNone)
        UstawModalResult(FWynikModalny ? FWynikModalny : mrCancel);
    TLkFormBazowe::closeEvent(p_Zdarzenie);
}

void TOknoPodpowiedzi::ZamknijOkno(int p_Wynik)
{
    if (p_Wynik)
        FWynikModalny = p_Wynik;
    FStan = TStanOknaPodp::sopZamkniete;
    hide();
    // No window may go while a form updates its actions: try again next tick.
    if (TrwaAktualizacjaAkcji()) {
        UstawZegar(KrokAnimacji);
        return;
    }
    close();
}

void TOknoPodpowiedzi::WznowOdliczanie()
{
    if (FStan != TStanOknaPodp::sopWidoczne || (FFlagiOkna & fpStalyCzas) || !FZegar->isActive())
        return;
    FZegar->start();
}

void TOknoPodpowiedzi::butOkClick()
{
    if (WcisnieteShiftCtrl()) {
        UkryjPodpowiedz(QString(), QString());
        return;
    }
    if (FStan == TStanOknaPodp::sopDeaktywacja)
        return;
    ZamknijOkno(mrOk);
}

void TOknoPodpowiedzi::FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers)
{
    if (p_Klawisz == Qt::Key_Escape) {
        p_Klawisz = 0;
        butOkClick();
    }
}

void TOknoPodpowiedzi::moveEvent(QMoveEvent *p_Zdarzenie)
{
    TLkFormBazowe::moveEvent(p_Zdarzenie);
    if (FPrzeciaganie)
        WznowOdliczanie();
}

bool TOknoPodpowiedzi::eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie)
{
    if ((p_Obiekt == FlabNiePokazujWiecej || p_Obiekt == FlabTegoKomunikatu)
        && (p_Zdarzenie->type() == QEvent::MouseButtonRelease || p_Zdarzenie->type() == QEvent::MouseButtonDblClick)) {
        FchbNiePokazujWiecej->toggle();
        WznowOdliczanie();
        return true;
    }
    return TLkFormBazowe::eventFilter(p_Obiekt, p_Zdarzenie);
}

void TOknoPodpowiedzi::mousePressEvent(QMouseEvent *p_Zdarzenie)
{
    const int link = FUklad.ZnajdzLink(p_Zdarzenie->position().toPoint());
    if (link >= 0) {
        FKliknietyLink = link;
        return;
    }
    if (p_Zdarzenie->button() != Qt::LeftButton)
        return;
    // The whole window is the handle; without a window manager to move it we move it ourselves.
    setCursor(Qt::ClosedHandCursor);
    FPrzeciaganie = true;
    FChwyt = p_Zdarzenie->globalPosition().toPoint() - pos();
    if (windowHandle() && windowHandle()->startSystemMove())
        FChwyt = QPoint(-1, -1);
}

void TOknoPodpowiedzi::mouseMoveEvent(QMouseEvent *p_Zdarzenie)
{
    if (FPrzeciaganie && FChwyt != QPoint(-1, -1) && (p_Zdarzenie->buttons() & Qt::LeftButton)) {
        move(p_Zdarzenie->globalPosition().toPoint() - FChwyt);
        return;
    }
    const int link = FUklad.ZnajdzLink(p_Zdarzenie->position().toPoint());
    setCursor(link >= 0 ? Qt::PointingHandCursor : Qt::OpenHandCursor);
    if (link != FAktywnyLink) {
        FAktywnyLink = link;
        update();
    }
}

void TOknoPodpowiedzi::mouseReleaseEvent(QMouseEvent *p_Zdarzenie)
{
    if (FPrzeciaganie) {
        FPrzeciaganie = false;
        setCursor(Qt::OpenHandCursor);
    }
    const int link = FUklad.ZnajdzLink(p_Zdarzenie->position().toPoint());
    const int klikniety = std::exchange(FKliknietyLink, -1);
    if (link >= 0 && link == klikniety)
        AktywujLink(FUklad.DispLista()[size_t(link)]);
}

void TOknoPodpowiedzi::AktywujLink(const TElemDispListy &p_Element)
{
    const QStringList &cele = FUklad.TresciLinkow();
    const QString cel = p_Element.NrLinku - 1 < cele.size() ? cele.at(p_Element.NrLinku - 1) : QString();
    const qsizetype dwukropek = cel.indexOf(QLatin1Char(':'));
    const QString schemat = dwukropek < 0 ? QString() : cel.left(dwukropek).toLower();
    const bool pusty = cel.trimmed().isEmpty();
    if (schemat == QLatin1String("http") || schemat == QLatin1String("https")) {
        if (!pusty)
            OtworzAdres(cel);
    } else if (schemat == QLatin1String("ftp")) {
        if (!pusty)
            OtworzPlik(cel, SW_SHOWNORMAL);
    } else if (schemat == QLatin1String("mailto")) {
        WyslijMailZLinku(cel);
    } else if (schemat == QLatin1String("cenwiad")) {
        // No host application takes message-centre commands here.
        QApplication::beep();
    } else if (schemat == QLatin1String("proc")) {
        if (!FProcLinkOnClick)
            throw LkException(QStringLiteral("brak procedury"));
        FProcLinkOnClick(cel.mid(dwukropek + 1));
    } else if (!pusty) {
        OtworzPlik(cel, 3);
    }
}

bool TOknoPodpowiedzi::NaWierzchu() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TOknoPodpowiedzi::UstawKolejnoscZ(bool p_AplikacjaAktywna)
{
    const bool naWierzchu = p_AplikacjaAktywna || (FFlagiOkna & fpZawszeNaWierzchu);
    if (naWierzchu == NaWierzchu())
        return;
    // A changed flag hides a shown window; it comes back where it was, unactivated.
    const bool widoczne = isVisible();
    const QRect gdzie = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, naWierzchu);
    if (widoczne) {
        setGeometry(gdzie);
        show();
    }
}

void TOknoPodpowiedzi::WyslijMailZLinku(const QString &p_Cel)
{
    const QStringList pola = p_Cel.mid(p_Cel.indexOf(QLatin1Char(':')) + 1).split(QLatin1Char('|'));
    QString zalaczniki;
    for (qsizetype i = 3; i < pola.size(); ++i)
        zalaczniki += pola.at(i) + QChar(13);
    const bool zegarChodzil = FZegar->isActive();
    FZegar->stop();
    // The mail program's windows must be able to come in front of this one.
    UstawKolejnoscZ(false);
    FTrwaWysMaila = true;
    WyslijEmail(pola.value(0), pola.value(1), pola.value(2), QString(), zalaczniki);
    FTrwaWysMaila = false;
    if (FStan == TStanOknaPodp::sopZamkniete) {
        ZamknijOkno();
        return;
    }
    UstawKolejnoscZ(true);
    if (zegarChodzil)
        FZegar->start();
}

void TOknoPodpowiedzi::contextMenuEvent(QContextMenuEvent *p_Zdarzenie)
{
    FpmMenu->popup(p_Zdarzenie->globalPos());
}

void TOknoPodpowiedzi::opcDoSchowkaJakoTekstClick()
{
    QGuiApplication::clipboard()->setText(WcisnieteShiftCtrl() ? FUklad.Tresc() : FUklad.TrescBezFormatowania());
}

void TOknoPodpowiedzi::opcDoSchowkaJakoObrazekClick()
{
    QGuiApplication::clipboard()->setPixmap(grab(QRect(0, 0, width(), height())));
}
