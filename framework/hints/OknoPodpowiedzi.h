#pragma once

#include "LkFormBazowe.h"
#include "StalePodpowiedzi.h"
#include "TypyPodpowiedzi.h"
#include "UkladTresci.h"

#include <QPoint>

#include <cstdint>

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

enum class TStanOknaPodp { sopNieustalony, sopAktywacja, sopWidoczne, sopDeaktywacja, sopZamkniete };

// Milliseconds of a steady clock; fades measure against it. Tests put their own in.
using TZegarPodpowiedzi = uint32_t (*)();
void UstawZegarPodpowiedzi(TZegarPodpowiedzi p_Zegar);

// The balloon: a borderless window with rounded corners in its kind's colour,
// with a text in the hint markup, optionally the kind's icon, an OK button and
// a "don't show again" check box. It fades in, closes itself after its time
// (fading out), can be dragged, and frees itself once closed. Main thread only.
class TOknoPodpowiedzi : public TLkFormBazowe
{
    Q_OBJECT

public:
    explicit TOknoPodpowiedzi(QWidget *p_Owner = nullptr);
    ~TOknoPodpowiedzi() override;

    // Sets the window up for one hint: size, position, controls, shape and
    // the display time. p_MaxCzasWSek 0 (or the largest integer) never closes
    // by itself. May raise.
    void RozpakujDane(const QString &p_Podpowiedz, int32_t p_MaxSzerOkna, const QString &p_KodGUIDPodp,
                      int32_t p_PozX, int32_t p_PozY, int32_t p_MaxCzasWSek, int32_t p_Flagi,
                      TProcLinkOnClick p_ProcLinkOnClick);

    TStanOknaPodp StanOknaPodp() const { return FStan; }
    int32_t FlagiOkna() const { return FFlagiOkna; }
    const QString &KodGUID() const { return FKodGUID; }
    const QString &Tresc() const { return FUklad.Tresc(); }
    int MaxCzas() const { return FMaxCzas; }
    int MarginX() const { return FMarginX; }
    int MarginY() const { return FMarginY; }
    bool Modalna() const { return FFlagiOkna & fpModalna; }
    const TUkladTresci &Uklad() const { return FUklad; }
    QTimer *Zegar() const { return FZegar; }
    QPushButton *butOk() const { return FbutOk; }
    QCheckBox *chbNiePokazujWiecej() const { return FchbNiePokazujWiecej; }
    QLabel *labNiePokazujWiecej() const { return FlabNiePokazujWiecej; }
    QLabel *labTegoKomunikatu() const { return FlabTegoKomunikatu; }
    QLabel *Obrazek() const { return FObrazek; }

    // One step of the life cycle: the fade's next frame, or the end of the display time.
    void ZegarTimer();

    // Above every other window while the application is active, or always
    // with fpZawszeNaWierzchu; never moved, resized or activated by it.
    void UstawKolejnoscZ(bool p_AplikacjaAktywna);
    bool NaWierzchu() const;
    bool TrwaWysMaila() const { return FTrwaWysMaila; }
    // Starts the display time anew (dragging, the check box), unless the hint keeps its time.
    void WznowOdliczanie();
    // Hides and closes at once, without fading; a modal window answers
    // p_Wynik when given.
    void ZamknijOkno(int p_Wynik = 0);
    void butOkClick();

    void opcDoSchowkaJakoTekstClick();
    void opcDoSchowkaJakoObrazekClick();

    // The window's stacking place for a new bottom-right hint of size p_R
    // among the visible hints; coordinates relative to the work area.
    static void DajNowaPozycjeOkna(int &p_X, int &p_Y, const QRect &p_R, const QSize &p_Obszar,
                                   const QPoint &p_PoczatekObszaru);

protected:
    void paintEvent(QPaintEvent *p_Zdarzenie) override;
    void showEvent(QShowEvent *p_Zdarzenie) override;
    void closeEvent(QCloseEvent *p_Zdarzenie) override;
    void moveEvent(QMoveEvent *p_Zdarzenie) override;
    void mousePressEvent(QMouseEvent *p_Zdarzenie) override;
    void mouseMoveEvent(QMouseEvent *p_Zdarzenie) override;
    void mouseReleaseEvent(QMouseEvent *p_Zdarzenie) override;
    void contextMenuEvent(QContextMenuEvent *p_Zdarzenie) override;
    void FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift) override;
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override;

private:
    void FormActivate();
    void UstawZegar(int p_Czas);
    void AktywujLink(const TElemDispListy &p_Element);
    void WyslijMailZLinku(const QString &p_Cel);

    TUkladTresci FUklad;
    TStanOknaPodp FStan = TStanOknaPodp::sopNieustalony;
    int32_t FFlagiOkna = 0;
    int32_t FRodzajOkna = 0;
    uint32_t FPoczAnimacji = 0;
    uint32_t FCzasAnimacji = 0;
    bool FKlawiszOk = true;
    int FMarginX = 12;
    int FMarginY = 12;
    QString FKodGUID;
    int FMaxCzas = 0;
    TKolor FKolorOkna = 0xC5FEFD;
    TKolor FKolorRamki = 0x007EA4;
    TProcLinkOnClick FProcLinkOnClick;
    bool FTrwaWysMaila = false;
    int FWynikModalny = 0;
    int FAktywnyLink = -1;
    int FKliknietyLink = -1;
    bool FPrzeciaganie = false;
    QPoint FChwyt;

    QTimer *FZegar;
    QPushButton *FbutOk;
    QCheckBox *FchbNiePokazujWiecej;
    QLabel *FlabNiePokazujWiecej;
    QLabel *FlabTegoKomunikatu;
    QLabel *FObrazek = nullptr;
    QMenu *FpmMenu;
};
