#pragma once

#include "LkFormBazowe.h"
#include "StanyOkien.h"

#include <QPointer>

#include <functional>

class TLkNaglowek;

// What becomes of a form when it closes.
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// A control that keeps its own state in the form's remembered pairs, under
// keys that start with p_Przedrostek (the names of its enclosing controls and
// its own, each followed by ".").
class IStanKontrolki
{
public:
    virtual ~IStanKontrolki() = default;
    virtual void OdczytajStan(const TParyStanu &p_Pary, const QString &p_Przedrostek) = 0;
    virtual void ZapiszStan(TParyStanu &p_Pary, const QString &p_Przedrostek) const = 0;
};

// The base of the framework's dialog windows: the keyboard conventions by
// component name (Shift+Enter confirms with "butOk", else a visible
// "butWybierz", else "butZamknij"; their tooltips), a close sequence that
// refuses a second close while one runs, the window-state memory (placed
// over its working window where it was left, relative to it), and the
// limited maximise that fills the working window rather than the screen.
class TLkForm : public TLkFormBazowe
{
    Q_OBJECT

public:
    explicit TLkForm(QWidget *p_Owner = nullptr);
    ~TLkForm() override;

    void KeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift) override;

    // Remember and restore the window state (on by default).
    bool ZapamietujStan() const { return FZapamietujStan; }
    void UstawZapamietujStan(bool p_Tak) { FZapamietujStan = p_Tak; }
    // The state to take when none is remembered.
    Qt::WindowState DefWindowState = Qt::WindowNoState;

    // The close sequence: false while it runs; else OnCloseQuery's answer.
    virtual bool CloseQuery();
    bool TrwaZamykanie() const { return FTrwaZamykanie; }
    std::function<bool()> OnCloseQuery;
    // The form's close handler; caNone keeps the window open.
    std::function<void(TCloseAction &p_Akcja)> OnClose;

    virtual QString DajNazweStanu() const { return objectName(); }
    void OdtworzStanOkna();
    void ZapiszStanOkna();

    // The window the form was centred over when last shown (none: the screen's work area).
    QWidget *OknoRobocze() const { return FOknoRobocze; }
    QRect ProstokatRoboczy() const;
    static QWidget *DajOknoRobocze(const QWidget *p_Forma);
    // Maximising fills the working window, not the screen.
    bool LimitedMax() const { return FLimitedMax; }
    void UstawLimitedMax(bool p_Tak) { FLimitedMax = p_Tak; }
    // Limited-maximised now: in the normal state, filling the working window.
    bool MaksymalizacjaOgraniczona() const { return FMaksOgraniczona; }

    // The form's banner: the first among its children.
    TLkNaglowek *Naglowek() const;

    // A modeless window of the modeless-window service: registered while shown,
    // freed when closed, its menu item checked when it is activated.
    bool JestOknemNiemodalnym() const { return FOknoNiemodalne; }
    void UstawOknoNiemodalne(bool p_Tak) { FOknoNiemodalne = p_Tak; }

    std::function<void()> OnEveryActivate;
    std::function<void()> OnEveryDeactivate;

    // The form's action update, for the program to run while it is idle:
    // OnUpdateActions under the diagnostic check of AktualizujAkcje.
    std::function<void()> OnUpdateActions;
    void UpdateActions();

    void setVisible(bool p_Widoczny) override;

protected:
    void closeEvent(QCloseEvent *p_Zdarzenie) override;
    void hideEvent(QHideEvent *p_Zdarzenie) override;
    void changeEvent(QEvent *p_Zdarzenie) override;
    // Once, when the form is first shown: tooltips of "butOk" (or "butZamknij") and "butAnuluj".
    virtual void Loaded();

private:
    void odczytajStanKontrolek(const TParyStanu &p_Pary);
    void zapiszStanKontrolek(TParyStanu &p_Pary) const;

    QPointer<QWidget> FOknoRobocze;
    bool FLimitedMax = true;
    bool FMaksOgraniczona = false;
    QRect FPolozenieNormalne;
    bool FZapamietujStan = true;
    bool FTrwaZamykanie = false;
    bool FZaladowano = false;
    bool FZmianaStanu = false;
    bool FOknoNiemodalne = false;
    bool FZarejestrowanoOknoNiemodalne = false;
};
