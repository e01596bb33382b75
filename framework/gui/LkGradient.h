#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>

// Colours as the forms' designers give them: 0x00BBGGRR.
QColor KolorWin(uint32_t p_Kolor);
// The 50 % mix with 0xEEEEEE that an inactive window's banner shows.
QColor Wyszarz(const QColor &p_Kolor);
// Each channel plus p_Ile, at most 255.
QColor Rozjasnij(const QColor &p_Kolor, int p_Ile);
// Each channel scaled to p_Procent percent.
QColor Przeskaluj(const QColor &p_Kolor, int p_Procent);

// What the banner's strip is painted with.
enum TTloNaglowka { ttDomyslne, ttGradient, ttSzklo };

// The coloured strip with the window's title in the large italic display
// font: a horizontal gradient or "glass". Paints grey while its window is
// inactive, unless NieWyszarzaj or the switch "v" says otherwise.
class TLkGradientBazowy : public QWidget
{
    Q_OBJECT

public:
    explicit TLkGradientBazowy(QWidget *p_Rodzic = nullptr);

    QString Caption() const { return FCaption; }
    virtual void UstawCaption(const QString &p_Caption);
    QColor Color() const { return FColor; }
    void UstawColor(const QColor &p_Kolor);
    QColor EndColor() const { return FEndColor; }
    void UstawEndColor(const QColor &p_Kolor);
    bool NieWyszarzaj() const { return FNieWyszarzaj; }
    void UstawNieWyszarzaj(bool p_Nie);
    TTloNaglowka TloNaglowka() const { return FTloNaglowka; }
    void UstawTloNaglowka(TTloNaglowka p_Tlo);
    bool FontZastepczy() const { return FFontZastepczy; }

    virtual int WysokoscPreferowana() const;
    virtual bool CzyRysowacSzklo(bool p_OknoAktywne) const;
    // Its window is the active one, or the switch "v" makes every window count as such.
    bool OknoAktywne() const;
    bool Wyszarzanie() const;

    QSize sizeHint() const override;
    // The title as painted at the present width: shortened with " ..." when it does not fit.
    QString WidocznyTytul(int p_Lewa = 10) const;

    // The command-line switch "v", read at the first question; a host or a test may set it.
    static bool PrzelacznikV();
    static void UstawPrzelacznikV(bool p_Wlaczony);

protected:
    // The strip with the title's left edge at p_Lewa; answers the title's right end + 15.
    int RysujPasek(QPainter &p_Plotno, int p_Lewa, const QString &p_NapisTla);
    // The title as it fits into p_Szerokosc, shortened with " ..." when it does not.
    QString SkrocTytul(const QFontMetrics &p_Miary, int p_Szerokosc) const;
    void RysujSzklo(QPainter &p_Plotno, const QRect &p_Obszar, const QColor &p_Od, const QColor &p_Do) const;

    void paintEvent(QPaintEvent *p_Zdarzenie) override;
    void changeEvent(QEvent *p_Zdarzenie) override;
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override;
    // The height follows the font: WysokoscPreferowana, fixed.
    void UstawWysokosc();

    QString FCaption;
    QColor FColor;
    QColor FEndColor;
    bool FFontZastepczy = false;
    TTloNaglowka FTloNaglowka = ttDomyslne;
    bool FNieWyszarzaj = false;
    int FOldSzer = 0;

    // Activation changes reach the window, not the strip: it listens there.
    void sledzOkno();

private:
    QPointer<QWidget> FSledzoneOkno;
};
