#pragma once

#include "Formatuj.h"

#include <QString>

#include <cstdint>
#include <vector>

// The user message service. Every message box and question of the framework
// goes through PokazKomunikat. The dialog itself is drawn by the widget layer,
// which installs its presenter at start-up; code below the widgets (the XML
// service, the error log) talks to the user through here all the same.

// Dialog kinds; the value is the position (captions and icons follow it).
enum TMsgDlgType : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// Button set: bit n stands for button n.
using TMsgDlgButtons = uint16_t;
enum TMsgDlgBtn : int {
    mbYes = 0, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose
};
constexpr TMsgDlgButtons Przycisk(TMsgDlgBtn p_Przycisk) { return static_cast<TMsgDlgButtons>(1u << p_Przycisk); }
constexpr TMsgDlgButtons mbOKOnly = Przycisk(mbOK);                          // {OK} = 4
constexpr TMsgDlgButtons mbYesNo = Przycisk(mbYes) | Przycisk(mbNo);         // {Yes, No} = 3
constexpr TMsgDlgButtons mbOKCancel = Przycisk(mbOK) | Przycisk(mbCancel);
constexpr TMsgDlgButtons mbAbortRetryIgnore = Przycisk(mbAbort) | Przycisk(mbRetry) | Przycisk(mbIgnore);

// Answer codes, as the dialog returns them.
enum TModalResult : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
    mrClose = 8, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14
};

using TProcKomunikatu = int (*)(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski,
                                int32_t p_KontekstPomocy);

// A host's hook: when set, it replaces the dialog entirely (also in silent mode).
extern TProcKomunikatu ProcKomunikatu;
// Silent mode: no dialog, a default answer. Fixed at start-up from the service flag.
extern bool TrybCichy;

// The widget layer's dialog: caption, text, kind, buttons, help context ->
// answer. It may raise when the dialog cannot be made.
using TPrezenterKomunikatow = int (*)(const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType p_Rodzaj,
                                      TMsgDlgButtons p_Przyciski, int32_t p_KontekstPomocy);
// Drains a pending or held Enter, so that the key which raised a message does
// not also answer it, nor the one which answered it reach the window below.
using TZwalnianieEnter = void (*)();

// Installs the widget layer's dialog and its Enter drain (the GUI unit's
// start-up does it). Without a dialog, a process with no widgets writes the
// message to standard error and answers as silent mode would.
void UstawPrezenterKomunikatow(TPrezenterKomunikatow p_Prezenter, TZwalnianieEnter p_ZwolnijEnter);
// What is installed now, so that whoever stands in for the dialog a while can put it back.
TPrezenterKomunikatow PrezenterKomunikatow();
TZwalnianieEnter ZwalnianieEnterKomunikatow();

// Where nobody can answer: the caption and the message on standard error
// (a "\r" as a line break), and the silent answer.
int PokazKomunikatNaStderr(const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType p_Rodzaj,
                           TMsgDlgButtons p_Przyciski, int32_t p_KontekstPomocy);

// The application title: the caption of custom messages and of the box that
// reports an unexpected exception. Until set, the application name.
QString TytulAplikacji();
void UstawTytulAplikacji(const QString &p_Tytul);

// An exception's message with the full stop its box adds: a "." when the
// last character's code is above that of ".".
QString KomunikatZKropka(const QString &p_Komunikat);

// Caption of a dialog kind; the custom kind takes the application title.
QString TytulKomunikatu(TMsgDlgType p_Rodzaj);
// Caption of one button, with its accelerator.
QString NapisPrzycisku(TMsgDlgBtn p_Przycisk);
// Answer of one button; mrNone for Help, which never closes the dialog.
int OdpowiedzPrzycisku(TMsgDlgBtn p_Przycisk);
// The default (Enter) button: OK if present, else Yes, else Retry; -1 when none.
int DomyslnyPrzycisk(TMsgDlgButtons p_Przyciski);
// The answer silent mode gives: OK, else Yes, else Cancel.
int OdpowiedzWTrybieCichym(TMsgDlgButtons p_Przyciski);

// The full service: the hook, else silent mode, else the dialog between two
// Enter drains (the second also when the dialog raises).
int PokazKomunikat(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski,
                   int32_t p_KontekstPomocy);
int PokazKomunikatPrzyciski(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski);
int PokazKomunikatOK(const QString &p_Tekst, TMsgDlgType p_Rodzaj);
void PokazKomunikatFmt(const QString &p_Format, const TArrayOfConst &p_Argumenty, TMsgDlgType p_Rodzaj);
// PokazKomunikat with a caption of the caller's in place of the kind's. The
// hook does not see the caption.
int PokazKomunikatZTytulem(const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType p_Rodzaj,
                           TMsgDlgButtons p_Przyciski, int32_t p_KontekstPomocy);

// One message held back by a collector, with everything needed to show it later.
struct TZebranyKomunikat
{
    QString Tytul;
    QString Tekst;
    TMsgDlgType Rodzaj;
    TMsgDlgButtons Przyciski;
    int32_t KontekstPomocy;
};

// While one lives on a thread, every message of that thread is recorded here
// instead of shown, and answered as silent mode would: work moved off the GUI
// thread keeps its messages, and the GUI thread shows them afterwards, in
// order, with Odtworz. Only for work whose messages are all OK-only: a
// question would be answered before anybody saw it. Nests; other threads are
// untouched.
class TZbieraczKomunikatow
{
public:
    TZbieraczKomunikatow();
    ~TZbieraczKomunikatow();
    TZbieraczKomunikatow(const TZbieraczKomunikatow &) = delete;
    TZbieraczKomunikatow &operator=(const TZbieraczKomunikatow &) = delete;

    void Dodaj(TZebranyKomunikat p_Komunikat) { FKomunikaty.push_back(std::move(p_Komunikat)); }
    std::vector<TZebranyKomunikat> Zabierz() { return std::move(FKomunikaty); }

    // Shows the messages through the service, in order (the hook sees them as usual).
    static void Odtworz(const std::vector<TZebranyKomunikat> &p_Komunikaty);

private:
    TZbieraczKomunikatow *FPoprzedni;
    std::vector<TZebranyKomunikat> FKomunikaty;
};
