#include "LkGradient.h"

#include "Parametry.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPainter>

#include <algorithm>
#include <optional>
#include <cstdlib>

namespace {

constexpr uint32_t granatowy = 0x800000;
constexpr uint32_t koniecDomyslny = 13665296;

int kanal(int p_Wartosc)
{
    return std::clamp(p_Wartosc, 0, 255);
}

// Channel by channel from p_Od to p_Do, truncating, as the strip's bands are computed.
QColor posrodku(const QColor &p_Od, const QColor &p_Do, int p_I, int p_N)
{
    return QColor(p_Od.red() + p_I * (p_Do.red() - p_Od.red()) / p_N,
                  p_Od.green() + p_I * (p_Do.green() - p_Od.green()) / p_N,
                  p_Od.blue() + p_I * (p_Do.blue() - p_Od.blue()) / p_N);
}

void gradientPionowy(QPainter &p_Plotno, int p_Lewa, int p_Prawa, int p_Gora, int p_Dol, const QColor &p_Od,
                     const QColor &p_Do)
{
    const int wiersze = p_Dol - p_Gora;
    for (int y = p_Gora; y <= p_Dol; ++y)
        p_Plotno.fillRect(QRect(p_Lewa, y, p_Prawa - p_Lewa, 1),
                          wiersze > 0 ? posrodku(p_Od, p_Do, y - p_Gora, wiersze) : p_Od);
}

// The display font of banners: Impact where installed, else the fallback.
QFont czcionkaNaglowka(bool &p_Zastepcza)
{
    QFont czcionka;
    p_Zastepcza = !QFontDatabase::hasFamily(QStringLiteral("Impact"));
    czcionka.setFamily(p_Zastepcza ? QStringLiteral("Arial Black") : QStringLiteral("Impact"));
    czcionka.setPixelSize(p_Zastepcza ? 29 : 27);
    czcionka.setItalic(true);
    if (p_Zastepcza)
        czcionka.setWeight(QFont::Normal);
    return czcionka;
}

} // namespace

QColor KolorWin(uint32_t p_Kolor)
{
    return QColor(p_Kolor & 0xFF, (p_Kolor >> 8) & 0xFF, (p_Kolor >> 16) & 0xFF);
}

QColor Wyszarz(const QColor &p_Kolor)
{
    auto szary = [](int c) { return 0xEE + 50 * (c - 0xEE) / 100; };
    return QColor(szary(p_Kolor.red()), szary(p_Kolor.green()), szary(p_Kolor.blue()));
}

QColor Rozjasnij(const QColor &p_Kolor, int p_Ile)
{
    return QColor(kanal(p_Kolor.red() + p_Ile), kanal(p_Kolor.green() + p_Ile), kanal(p_Kolor.blue() + p_Ile));
}

QColor Przeskaluj(const QColor &p_Kolor, int p_Procent)
{
    return QColor(p_Kolor.red() * p_Procent / 100, p_Kolor.green() * p_Procent / 100,
                  p_Kolor.blue() * p_Procent / 100);
}

namespace {

std::optional<bool> przelacznikV;

} // namespace

bool TLkGradientBazowy::PrzelacznikV()
{
    if (!przelacznikV)
        przelacznikV = JestParametr(QStringLiteral("v"));
    return *przelacznikV;
}

void TLkGradientBazowy::UstawPrzelacznikV(bool p_Wlaczony)
{
    przelacznikV = p_Wlaczony;
}

TLkGradientBazowy::TLkGradientBazowy(QWidget *p_Rodzic)
    : QWidget(p_Rodzic), FColor(KolorWin(granatowy)), FEndColor(KolorWin(koniecDomyslny))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont czcionka = czcionkaNaglowka(FFontZastepczy);
    setFont(czcionka);
    QPalette paleta = palette();
    paleta.setColor(QPalette::WindowText, Qt::white);
    setPalette(paleta);
    resize(200, 38);
    UstawWysokosc();
}

void TLkGradientBazowy::UstawCaption(const QString &p_Caption)
{
    if (p_Caption == FCaption)
        return;
    FCaption = p_Caption;
    update();
}

void TLkGradientBazowy::UstawColor(const QColor &p_Kolor)
{
    FColor = p_Kolor;
    update();
}

void TLkGradientBazowy::UstawEndColor(const QColor &p_Kolor)
{
    FEndColor = p_Kolor;
    update();
}

void TLkGradientBazowy::UstawNieWyszarzaj(bool p_Nie)
{
    FNieWyszarzaj = p_Nie;
    update();
}

void TLkGradientBazowy::UstawTloNaglowka(TTloNaglowka p_Tlo)
{
    FTloNaglowka = p_Tlo;
    update();
}

int TLkGradientBazowy::WysokoscPreferowana() const
{
    if (FFontZastepczy || (font().family() == QStringLiteral("Impact") && font().pixelSize() == 27))
        return 38;
    return QFontMetrics(font()).height() + 5;
}

QSize TLkGradientBazowy::sizeHint() const
{
    return QSize(200, WysokoscPreferowana());
}

bool TLkGradientBazowy::CzyRysowacSzklo(bool) const
{
    switch (FTloNaglowka) {
    case ttSzklo:
        return true;
    case ttDomyslne:
        return !PrzelacznikV();
    case ttGradient:
        break;
    }
    return false;
}

bool TLkGradientBazowy::OknoAktywne() const
{
    return PrzelacznikV() || isActiveWindow();
}

bool TLkGradientBazowy::Wyszarzanie() const
{
    return !FNieWyszarzaj && !PrzelacznikV();
}

QString TLkGradientBazowy::WidocznyTytul(int p_Lewa) const
{
    const QFontMetrics miary(font());
    return width() < p_Lewa + miary.horizontalAdvance(FCaption) + 15 ? SkrocTytul(miary, width() - p_Lewa) : FCaption;
}

QString TLkGradientBazowy::SkrocTytul(const QFontMetrics &p_Miary, int p_Szerokosc) const
{
    if (p_Miary.horizontalAdvance(FCaption) <= p_Szerokosc)
        return FCaption;
    const QString wielokropek = QStringLiteral(" ...");
    const int miejsce = p_Szerokosc - p_Miary.horizontalAdvance(wielokropek);
    // The longest prefix that fits beside the ellipsis.
    qsizetype od = 0, doZnaku = FCaption.size();
    while (od < doZnaku) {
        const qsizetype srodek = (od + doZnaku + 1) / 2;
        if (p_Miary.horizontalAdvance(FCaption.left(srodek)) <= miejsce)
            od = srodek;
        else
            doZnaku = srodek - 1;
    }
    return FCaption.left(od) + wielokropek;
}

void TLkGradientBazowy::RysujSzklo(QPainter &p_Plotno, const QRect &p_Obszar, const QColor &p_Od,
                                   const QColor &p_Do) const
{
    const int t = p_Obszar.top();
    const int b = p_Obszar.top() + p_Obszar.height();
    const int l = p_Obszar.left();
    const int r = p_Obszar.left() + p_Obszar.width();
    p_Plotno.fillRect(p_Obszar, Przeskaluj(p_Od, 60));
    const int m = (b - t - 1) * 10 / 28 + t + 1;
    gradientPionowy(p_Plotno, l, r, t, m, Rozjasnij(p_Od, 77), Rozjasnij(p_Od, 42));
    gradientPionowy(p_Plotno, l, r, m + 1, b - 1, p_Od, p_Do);
    p_Plotno.fillRect(QRect(l, b - 1, r - l, 1), Przeskaluj(p_Do, 60));
}

int TLkGradientBazowy::RysujPasek(QPainter &p_Plotno, int p_Lewa, const QString &p_NapisTla)
{
    p_Plotno.setFont(font());
    const bool aktywne = OknoAktywne();
    const bool szklo = CzyRysowacSzklo(aktywne);
    QColor od = FColor, doKoloru = FEndColor;
    if (szklo && od == KolorWin(granatowy) && doKoloru == KolorWin(koniecDomyslny)) {
        od = KolorWin(0x601000);
        doKoloru = KolorWin(0xFF8000);
    }
    if (!aktywne && Wyszarzanie()) {
        od = Wyszarz(od);
        doKoloru = Wyszarz(doKoloru);
    }
    if (szklo) {
        RysujSzklo(p_Plotno, rect(), od, doKoloru);
    } else {
        p_Plotno.fillRect(rect(), od);
        const int n = std::max({std::abs(doKoloru.red() - od.red()), std::abs(doKoloru.green() - od.green()),
                                std::abs(doKoloru.blue() - od.blue())});
        int poczatek = 0;
        for (int i = 1; i <= n; ++i) {
            const int koniec = i * (width() + 1) / n;
            p_Plotno.fillRect(QRect(poczatek, 0, koniec - poczatek, height()), posrodku(od, doKoloru, i, n));
            poczatek = koniec;
        }
    }

    if (!p_NapisTla.isEmpty()) {
        QFont czcionkaTla(QStringLiteral("Arial Black"));
        czcionkaTla.setPointSize(9);
        czcionkaTla.setBold(true);
        czcionkaTla.setItalic(true);
        p_Plotno.setFont(czcionkaTla);
        p_Plotno.setPen(doKoloru);
        const QFontMetrics miary(czcionkaTla);
        const QString napis = p_NapisTla + QStringLiteral("  ");
        const int szer = std::max(1, miary.horizontalAdvance(napis));
        const int krok = std::max(1, miary.height() - 5);
        for (int y = -2; y < height(); y += krok)
            for (int x = p_Lewa + y - szer; x < width(); x += szer)
                p_Plotno.drawText(x, y + miary.ascent(), napis);
        p_Plotno.setFont(font());
    }

    const QFontMetrics miary(font());
    const int w = miary.horizontalAdvance(FCaption);
    const QString tytul = WidocznyTytul(p_Lewa);
    int y = (height() - miary.height()) / 2;
    if (FFontZastepczy)
        y -= 2;
    const QColor kolorCzcionki = palette().color(QPalette::WindowText);
    auto pisz = [&](int x, int yy, const QColor &kolor) {
        p_Plotno.setPen(kolor);
        p_Plotno.drawText(x, yy + miary.ascent(), tytul);
    };
    if ((szklo || !p_NapisTla.isEmpty()) && kolorCzcionki != od) {
        if (!p_NapisTla.isEmpty()) {
            pisz(p_Lewa - 1, y - 1, od);
            pisz(p_Lewa - 1, y + 1, od);
            pisz(p_Lewa + 1, y - 1, od);
        }
        pisz(p_Lewa + 1, y + 1, od);
    }
    pisz(p_Lewa, y, kolorCzcionki);
    return p_Lewa + w + 15;
}

void TLkGradientBazowy::paintEvent(QPaintEvent *)
{
    sledzOkno();
    QPainter plotno(this);
    FOldSzer = RysujPasek(plotno, 10, QString());
}

void TLkGradientBazowy::changeEvent(QEvent *p_Zdarzenie)
{
    if (p_Zdarzenie->type() == QEvent::FontChange) {
        bool zastepcza = false;
        const QFont wzor = czcionkaNaglowka(zastepcza);
        FFontZastepczy = zastepcza && font() == wzor;
        UstawWysokosc();
        update();
    }
    QWidget::changeEvent(p_Zdarzenie);
}

void TLkGradientBazowy::UstawWysokosc()
{
    setFixedHeight(WysokoscPreferowana());
}

void TLkGradientBazowy::sledzOkno()
{
    if (FSledzoneOkno == window())
        return;
    if (FSledzoneOkno)
        FSledzoneOkno->removeEventFilter(this);
    FSledzoneOkno = window();
    FSledzoneOkno->installEventFilter(this);
}

bool TLkGradientBazowy::eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie)
{
    if (p_Obiekt == FSledzoneOkno && p_Zdarzenie->type() == QEvent::ActivationChange && Wyszarzanie())
        update();
    return QWidget::eventFilter(p_Obiekt, p_Zdarzenie);
}
