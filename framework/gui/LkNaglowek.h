#pragma once

#include "LkGradient.h"

#include <QPixmap>
#include <QStringList>

#include <functional>

// What a banner paints besides its title.
enum TOpcjaNaglowka { Prostokaty = 1, LogoFirmy = 2, DaneFirmy = 4 };
using TOpcjeNaglowkaSAD = int;

// The banner across the top of a framework window: the strip with the title,
// three small squares, the maker's logo and address block. It keeps itself at
// the top of its parent, full width; the window can be dragged by it, files
// dropped on the window go to OnDropFiles, and a Shift+Ctrl press starts the
// inspector that shows the name path of the control under the pointer.
class TLkNaglowek : public TLkGradientBazowy
{
    Q_OBJECT

public:
    explicit TLkNaglowek(QWidget *p_Rodzic = nullptr);

    TOpcjeNaglowkaSAD Opcje() const { return FOpcje; }
    void UstawOpcje(TOpcjeNaglowkaSAD p_Opcje);
    QColor Color1() const { return FColor1; }
    QColor Color2() const { return FColor2; }
    QColor Color3() const { return FColor3; }
    void UstawKolory(const QColor &p_Color1, const QColor &p_Color2, const QColor &p_Color3);
    QColor DaneColor() const { return FDaneColor; }
    void UstawDaneColor(const QColor &p_Kolor);
    bool BialeLogo() const { return FBialeLogo; }
    void UstawBialeLogo(bool p_Biale);
    QString NapisTla() const { return FNapisTla; }
    void UstawNapisTla(const QString &p_Napis);
    bool BezPluginow() const { return FBezPluginow; }
    void UstawBezPluginow(bool p_Bez) { FBezPluginow = p_Bez; }
    bool PluginyOk() const { return FPluginyOk; }
    void UstawCaption(const QString &p_Caption) override;

    // Decides whether a point of the banner drags the window; set p_Pomin to keep it a plain click.
    std::function<void(const QPoint &p_Punkt, bool &p_Pomin)> OnHitTest;
    // Files dropped on the window, in order. Setting it makes the window accept drops.
    void UstawOnDropFiles(std::function<void(const QStringList &)> p_Obsluga);
    QPoint MouseDropPos() const { return FMouseDropPos; }
    // Supplies the code text written vertically at the banner's left edge.
    std::function<void(QString &p_Kod)> OnKodNaglowka;
    // Called after the window's first activation.
    std::function<void()> AfterPlugLoad;

    // Where the banner's parts go at its present width: each only when it
    // still fits beside the title (address block first, then logo, then squares).
    struct TRozklad
    {
        int LewaTytulu = 10;
        int KoniecTytulu = 0;
        bool Dane = false;
        int XLogo = -1;        // -1: no logo
        int XProstokatow = -1; // -1: no squares
    };
    TRozklad Rozklad() const;

    // The left edges of the address block's two columns.
    QPair<int, int> KolumnyDanych() const;

    QString DajKodNaglowka() const;
    // The title's width in the banner's font + 22, or + 10 without a code text.
    int SzerNapisuZKodem() const;
    bool CzyRysowacSzklo(bool p_OknoAktywne) const override;
    int WysokoscPreferowana() const override;
    // A point of the banner is a caption unless OnHitTest skips it.
    bool DefaultHitTest(const QPoint &p_Punkt) const;
    // The owner path of the deepest named control at a point of the window.
    static QString SciezkaKontrolki(QWidget *p_Kontrolka);
    static const QPixmap &Logo(bool p_Biale);

    // The inspector runs: a Shift+Ctrl press on the banner, until its release.
    bool Celownik() const { return FCelownik; }

protected:
    void paintEvent(QPaintEvent *p_Zdarzenie) override;
    void mousePressEvent(QMouseEvent *p_Zdarzenie) override;
    void mouseMoveEvent(QMouseEvent *p_Zdarzenie) override;
    void mouseReleaseEvent(QMouseEvent *p_Zdarzenie) override;
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override;
    bool event(QEvent *p_Zdarzenie) override;

private:
    void przypnijDoRodzica();
    void rysujKod(QPainter &p_Plotno, const QString &p_Kod);
    void rysujDaneFirmy(QPainter &p_Plotno);
    void rysujProstokaty(QPainter &p_Plotno, int p_X);

    QColor FColor1, FColor2, FColor3;
    QColor FDaneColor = Qt::white;
    bool FBialeLogo = true;
    TOpcjeNaglowkaSAD FOpcje = 0;
    QString FNapisTla;
    std::function<void(const QStringList &)> FOnDropFiles;
    QPoint FMouseDropPos;
    bool FPluginyOk = false;
    bool FCelownik = false;
    QString FOldCaption;
    bool FBezPluginow = false;
    QPointer<QWidget> FRodzic;
    // Dragging by hand where the platform cannot move the window itself.
    bool FPrzeciaganie = false;
    QPoint FChwyt;
};
