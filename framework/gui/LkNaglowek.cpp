#include "LkNaglowek.h"

#include "DaneFirmy.h"
#include "LkFunGUI.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

// The address block has fixed columns made for a narrow face: narrow faces first.
QFont czcionkaDanych(bool p_Gruba)
{
    QFont czcionka;
    czcionka.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans Narrow"),
                          QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Condensed"),
                          QStringLiteral("Liberation Sans")});
    czcionka.setPixelSize(11);
    czcionka.setBold(p_Gruba);
    return czcionka;
}

// The maker's mark: a framed "VS", drawn once per colour.
QPixmap narysujLogo(const QColor &p_Kolor)
{
    QPixmap logo(40, 34);
    logo.fill(Qt::transparent);
    QPainter plotno(&logo);
    plotno.setRenderHint(QPainter::Antialiasing);
    plotno.setPen(QPen(p_Kolor, 2));
    plotno.drawRoundedRect(QRectF(1, 1, 38, 32), 5, 5);
    QFont czcionka(QStringLiteral("DejaVu Sans"));
    czcionka.setPixelSize(18);
    czcionka.setBold(true);
    czcionka.setItalic(true);
    plotno.setFont(czcionka);
    plotno.drawText(QRect(0, 0, 40, 34), Qt::AlignCenter, QStringLiteral("VS"));
    return logo;
}

} // namespace

TLkNaglowek::TLkNaglowek(QWidget *p_Rodzic)
    : TLkGradientBazowy(p_Rodzic), FColor1(KolorWin(0x40FF00)), FColor2(KolorWin(6406657)),
      FColor3(KolorWin(6652416))
{
    setObjectName(QStringLiteral("Naglowek"));
    FCaption = QStringLiteral("Nagłówek");
    FOldSzer = 135;
    przypnijDoRodzica();
}

const QPixmap &TLkNaglowek::Logo(bool p_Biale)
{
    static const QPixmap biale = narysujLogo(Qt::white);
    static const QPixmap czarne = narysujLogo(Qt::black);
    return p_Biale ? biale : czarne;
}

void TLkNaglowek::UstawOpcje(TOpcjeNaglowkaSAD p_Opcje)
{
    FOpcje = p_Opcje;
    UstawWysokosc();
    update();
}

void TLkNaglowek::UstawKolory(const QColor &p_Color1, const QColor &p_Color2, const QColor &p_Color3)
{
    FColor1 = p_Color1;
    FColor2 = p_Color2;
    FColor3 = p_Color3;
    update();
}

void TLkNaglowek::UstawDaneColor(const QColor &p_Kolor)
{
    FDaneColor = p_Kolor;
    update();
}

void TLkNaglowek::UstawBialeLogo(bool p_Biale)
{
    FBialeLogo = p_Biale;
    update();
}

void TLkNaglowek::UstawNapisTla(const QString &p_Napis)
{
    FNapisTla = p_Napis;
    update();
}

void TLkNaglowek::UstawCaption(const QString &p_Caption)
{
    if (p_Caption == FCaption)
        return;
    const int stara = FOldSzer;
    FCaption = p_Caption;
    // Without options only the title's area changes.
    if (FOpcje == 0) {
        update(QRect(0, 0, std::max(stara, SzerNapisuZKodem()) + 25, height()));
    } else {
        FOldSzer = 0;
        update();
    }
}

void TLkNaglowek::UstawOnDropFiles(std::function<void(const QStringList &)> p_Obsluga)
{
    FOnDropFiles = std::move(p_Obsluga);
    if (window())
        window()->setAcceptDrops(static_cast<bool>(FOnDropFiles));
}

QString TLkNaglowek::DajKodNaglowka() const
{
    QString kod;
    if (OnKodNaglowka)
        OnKodNaglowka(kod);
    return kod;
}

int TLkNaglowek::SzerNapisuZKodem() const
{
    return fontMetrics().horizontalAdvance(FCaption) + (DajKodNaglowka().isEmpty() ? 10 : 22);
}

bool TLkNaglowek::CzyRysowacSzklo(bool p_OknoAktywne) const
{
    return FNapisTla.isEmpty() && TLkGradientBazowy::CzyRysowacSzklo(p_OknoAktywne);
}

int TLkNaglowek::WysokoscPreferowana() const
{
    const int wysokosc = TLkGradientBazowy::WysokoscPreferowana();
    return FOpcje & (LogoFirmy | DaneFirmy) ? std::max(wysokosc, 38) : wysokosc;
}

bool TLkNaglowek::DefaultHitTest(const QPoint &p_Punkt) const
{
    bool pomin = false;
    if (OnHitTest)
        OnHitTest(p_Punkt, pomin);
    return !pomin;
}

TLkNaglowek::TRozklad TLkNaglowek::Rozklad() const
{
    TRozklad rozklad;
    rozklad.LewaTytulu = DajKodNaglowka().isEmpty() ? 10 : 22;
    const int e = rozklad.LewaTytulu + fontMetrics().horizontalAdvance(FCaption) + 15;
    rozklad.KoniecTytulu = e;
    int r = width();
    if (FOpcje & DaneFirmy) {
        const int lewa = KolumnyDanych().first;
        if (e < lewa) {
            rozklad.Dane = true;
            r = lewa;
        }
    }
    if (FOpcje & LogoFirmy) {
        const int szer = Logo(FBialeLogo).width();
        if (e < r - szer - 6) {
            r -= szer + 6;
            rozklad.XLogo = r;
        }
    }
    if ((FOpcje & Prostokaty) && e < r - 54)
        rozklad.XProstokatow = e;
    return rozklad;
}

void TLkNaglowek::paintEvent(QPaintEvent *)
{
    sledzOkno();
    QPainter plotno(this);
    const QString kod = DajKodNaglowka();
    const TRozklad rozklad = Rozklad();
    FOldSzer = RysujPasek(plotno, rozklad.LewaTytulu, FNapisTla);
    if (!kod.isEmpty())
        rysujKod(plotno, kod);
    if (rozklad.Dane)
        rysujDaneFirmy(plotno);
    if (rozklad.XLogo >= 0)
        plotno.drawPixmap(rozklad.XLogo, 2, Logo(FBialeLogo));
    if (rozklad.XProstokatow >= 0)
        rysujProstokaty(plotno, rozklad.XProstokatow);
}

void TLkNaglowek::rysujKod(QPainter &p_Plotno, const QString &p_Kod)
{
    QFont czcionka = czcionkaDanych(false);
    const QFontMetrics miary(czcionka);
    const QColor kolor(255 - (255 - FColor.red()) / 5, 255 - (255 - FColor.green()) / 5,
                       255 - (255 - FColor.blue()) / 5);
    p_Plotno.save();
    p_Plotno.setFont(czcionka);
    p_Plotno.setPen(kolor);
    p_Plotno.translate(miary.height(), (height() + miary.horizontalAdvance(p_Kod)) / 2);
    p_Plotno.rotate(-90);
    p_Plotno.drawText(0, -miary.descent(), p_Kod);
    p_Plotno.restore();
    p_Plotno.setPen(kolor);
    p_Plotno.drawLine(miary.height() + 1, 0, miary.height() + 1, height());
}

namespace {

const QString (&liniePrawe())[3]
{
    static const QString linie[] = {AdresWWWFirmy(), QStringLiteral("tel.: ") + TelefonPomocyFirmy(),
                                    QStringLiteral("tel.: ") + TelefonDrugiFirmy()};
    return linie;
}

const QString (&linieLewe())[3]
{
    static const QString linie[] = {NazwaFirmy().toUpper(), UlicaFirmy(), KodIMiastoFirmy()};
    return linie;
}

int najszerszy(const QString (&p_Linie)[3], bool p_PierwszaGruba)
{
    int szer = 0;
    for (int i = 0; i < 3; ++i)
        szer = std::max(szer, QFontMetrics(czcionkaDanych(p_PierwszaGruba && i == 0)).horizontalAdvance(p_Linie[i]));
    return szer;
}

} // namespace

QPair<int, int> TLkNaglowek::KolumnyDanych() const
{
    // The columns start 204 and 94 pixels from the edge; with a wider face
    // than the block was made for they move left so that it all fits.
    const int x2 = std::min(width() - 94, width() - 3 - najszerszy(liniePrawe(), false));
    const int x1 = std::min(width() - 204, x2 - 6 - najszerszy(linieLewe(), true));
    return {x1, x2};
}

void TLkNaglowek::rysujDaneFirmy(QPainter &p_Plotno)
{
    const auto [x1, x2] = KolumnyDanych();
    p_Plotno.setPen(FDaneColor);
    for (int i = 0; i < 3; ++i) {
        const int y = 1 + 11 * i;
        p_Plotno.setFont(czcionkaDanych(i == 0));
        p_Plotno.drawText(QRect(x1, y, x2 - x1, 14), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, linieLewe()[i]);
        p_Plotno.setFont(czcionkaDanych(false));
        p_Plotno.drawText(QRect(x2, y, width() - x2, 14), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          liniePrawe()[i]);
    }
}

void TLkNaglowek::rysujProstokaty(QPainter &p_Plotno, int p_X)
{
    const bool szare = !OknoAktywne() && Wyszarzanie();
    const bool szklo = CzyRysowacSzklo(OknoAktywne());
    const QColor kolory[] = {FColor1, FColor2, FColor3};
    QColor poczatek = FColor;
    if (szare)
        poczatek = Wyszarz(poczatek);
    for (int i = 0; i < 3; ++i) {
        const int x = p_X + 18 * i;
        const QColor kolor = szare ? Wyszarz(kolory[i]) : kolory[i];
        p_Plotno.fillRect(QRect(QPoint(x, 7), QPoint(x + 14, height() - 8)), kolor);
        if (szklo) {
            p_Plotno.fillRect(QRect(QPoint(x, 7), QPoint(x + 14, (height() - 2) * 10 / 28 + 1)), Rozjasnij(kolor, 32));
            p_Plotno.setPen(poczatek);
            p_Plotno.drawLine(x + 15, 7, x + 15, height() - 8);
            p_Plotno.drawLine(x + 15, height() - 8, x - 1, height() - 8);
        }
    }
}

QString TLkNaglowek::SciezkaKontrolki(QWidget *p_Kontrolka)
{
    QStringList nazwy;
    for (QWidget *w = p_Kontrolka; w; w = w->parentWidget()) {
        if (!w->objectName().isEmpty())
            nazwy.prepend(w->objectName());
        if (w->isWindow())
            break;
    }
    return nazwy.join(QLatin1Char('.'));
}

void TLkNaglowek::mousePressEvent(QMouseEvent *p_Zdarzenie)
{
    FOldCaption = window()->windowTitle();
    const Qt::KeyboardModifiers klawisze = p_Zdarzenie->modifiers();
    FCelownik = klawisze.testFlag(Qt::ShiftModifier) && klawisze.testFlag(Qt::ControlModifier);
    if (FCelownik || p_Zdarzenie->button() != Qt::LeftButton)
        return;
    if (!DefaultHitTest(p_Zdarzenie->position().toPoint()))
        return;
    // The platform moves the window where it can; elsewhere the banner does.
    QWindow *okno = window()->windowHandle();
    if (okno && okno->startSystemMove())
        return;
    FPrzeciaganie = true;
    FChwyt = p_Zdarzenie->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void TLkNaglowek::mouseMoveEvent(QMouseEvent *p_Zdarzenie)
{
    const QPoint globalny = p_Zdarzenie->globalPosition().toPoint();
    if (FPrzeciaganie) {
        window()->move(globalny - FChwyt);
        return;
    }
    if (!FCelownik)
        return;
    QWidget *pod = QApplication::widgetAt(globalny);
    if (pod)
        window()->setWindowTitle(SciezkaKontrolki(pod));
}

void TLkNaglowek::mouseReleaseEvent(QMouseEvent *p_Zdarzenie)
{
    FPrzeciaganie = false;
    if (!FCelownik)
        return;
    FCelownik = false;
    const QPoint punkt = p_Zdarzenie->position().toPoint();
    if (punkt.x() <= 7 && punkt.y() <= 7) {
        UstawTloNaglowka(CzyRysowacSzklo(OknoAktywne()) ? ttGradient : ttSzklo);
        window()->setWindowTitle(FOldCaption);
        return;
    }
    QString sciezka = window()->windowTitle();
    window()->setWindowTitle(FOldCaption);
    if (ZapytajOTekst(QStringLiteral("Kod komponentu :"), QString(), sciezka))
        QGuiApplication::clipboard()->setText(sciezka);
}

void TLkNaglowek::przypnijDoRodzica()
{
    if (FRodzic == parentWidget())
        return;
    if (FRodzic)
        FRodzic->removeEventFilter(this);
    FRodzic = parentWidget();
    if (FRodzic) {
        FRodzic->installEventFilter(this);
        setGeometry(0, 0, FRodzic->width(), height());
        if (FOnDropFiles)
            window()->setAcceptDrops(true);
    }
}

bool TLkNaglowek::event(QEvent *p_Zdarzenie)
{
    if (p_Zdarzenie->type() == QEvent::ParentChange)
        przypnijDoRodzica();
    return TLkGradientBazowy::event(p_Zdarzenie);
}

bool TLkNaglowek::eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie)
{
    if (p_Obiekt == FRodzic) {
        switch (p_Zdarzenie->type()) {
        case QEvent::Resize:
            setGeometry(0, 0, FRodzic->width(), height());
            break;
        case QEvent::DragEnter:
            if (FOnDropFiles && static_cast<QDragEnterEvent *>(p_Zdarzenie)->mimeData()->hasUrls())
                static_cast<QDragEnterEvent *>(p_Zdarzenie)->acceptProposedAction();
            break;
        case QEvent::Drop:
            if (FOnDropFiles) {
                auto *upuszczenie = static_cast<QDropEvent *>(p_Zdarzenie);
                QStringList pliki;
                for (const QUrl &adres : upuszczenie->mimeData()->urls())
                    if (adres.isLocalFile())
                        pliki << adres.toLocalFile();
                FMouseDropPos = upuszczenie->position().toPoint();
                upuszczenie->acceptProposedAction();
                if (!pliki.isEmpty())
                    FOnDropFiles(pliki);
                return true;
            }
            break;
        case QEvent::WindowActivate:
            if (!FPluginyOk) {
                // No plug-ins in this program: the first activation only says it happened.
                FPluginyOk = true;
                if (AfterPlugLoad)
                    AfterPlugLoad();
            }
            break;
        default:
            break;
        }
    }
    return TLkGradientBazowy::eventFilter(p_Obiekt, p_Zdarzenie);
}
