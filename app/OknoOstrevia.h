#pragma once

#include "DrogaDokumentu.h"
#include "Komunikaty.h"
#include "LkForm.h"
#include "OpisStrony.h"

#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class QAction;
class QGroupBox;
class QFrame;
class QProgressBar;
class TKotwice;
class TLadowaniePanelu;
class TLkBitBtn;
class TLkButton;
class TLkEdit;
class TLkLabel;
class TLkNaglowek;
class TLkOpenDialog;
class TLkPopupMenu;
class TLkSaveDialog;
class TPanelDokumentu;
struct TUstawieniaDruku;

// The viewer's main window: a file-name box, the open button with the list
// of recent files beside it, the load button, the browser pane with the
// rendered message, and under it Print, Save as PDF and, for an IE599, Send
// the confirmation. Files dropped anywhere on the window open as if typed.
//
// The document road runs off the GUI thread, one road at a time: the window
// is up, and the browser engine starting, while the message is transformed.
// The road's messages are held back and shown, in order, when it ends; an
// exception it raised is raised again on the GUI thread, where the
// application's handler shows it.
class TOknoECS : public TLkForm
{
    Q_OBJECT
public:
    // p_Argument: the first program argument (empty when none was given).
    explicit TOknoECS(const QString &p_Argument, QWidget *p_Rodzic = nullptr);
    // Waits for a road or a printout still running.
    ~TOknoECS() override;

    // Starts the road; while one runs, the latest request waits for its end.
    void WczytajPlik(const QString &p_NazwaPliku);
    bool DrogaTrwa() const { return FDrogaTrwa; }
    bool DrukTrwa() const { return static_cast<bool>(FDruk); }
    const TDrogaDokumentu &Droga() const { return *FDroga; }

    // Components, named as the form names them (tests and the form base find
    // them by these names).
    TLkNaglowek *LkNaglowek1;
    TLkLabel *labNazwaPliku;
    TLkEdit *edNazwaPliku;
    QGroupBox *GroupBox1;
    TLkButton *butDrukuj;
    TLkButton *butZapiszPDF;
    TLkButton *butWyslij;
    TLkLabel *labPostep;
    QProgressBar *pasekPostepu;
    QFrame *panPanel;
    // The browser pane: none until it has been loaded after the first paint.
    TPanelDokumentu *browser = nullptr;
    TLkBitBtn *butWybierz;
    // A drop-down of the framework: the recent files, and clearing them.
    TLkBitBtn *butOstatnie;
    TLkPopupMenu *pmOstatnie;
    TLkButton *butWczytaj;
    TLkOpenDialog *LkOpenDialog1;
    TLkSaveDialog *LkSaveDialog1;
    // Window-wide commands: Ctrl+O, Ctrl+P, Ctrl+Shift+S and the confirmation
    // (the last three also in the pane's menu), zoom.
    QAction *opcOtworz;
    QAction *opcDrukuj;
    QAction *opcZapiszPDF;
    QAction *opcWyslij;
    QAction *opcPowieksz;
    QAction *opcPomniejsz;
    QAction *opcRozmiarDomyslny;

signals:
    // A road has ended and its messages have been shown (its exception, if
    // any, is raised right after).
    void DrogaZakonczona();
    // A printout has ended, handed over or failed (its message shown).
    void DrukZakonczony();

public slots:
    void edNazwaPlikuChange();
    void butWczytajClick();
    void butWybierzClick();
    void butDrukujClick();
    void butZapiszPDFClick();
    void butWyslijClick();

protected:
    void FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift) override;

private:
    // A page with the document it was made from.
    struct TStronaDokumentu
    {
        TOpisStrony Strona;
        QString PlikDokumentu;
        TDaneDokumentu Dane;
    };
    // What a road leaves for the GUI thread.
    struct TWynikDrogi
    {
        std::vector<TZebranyKomunikat> Komunikaty;
        std::exception_ptr Wyjatek;
    };

    void UtworzKontrolki();
    void edNazwaPlikuKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift);
    void LkNaglowek1DropFiles(const QStringList &p_Pliki);
    void otworzJakWpisany(const QString &p_NazwaPliku);
    void pmOstatnieAboutToShow();
    void UtworzPolecenia();
    void PrzygotujDroge();
    void FormCreate(const QString &p_Argument);
    void uruchomDroge(const QString &p_NazwaPliku);
    void zakonczDroge(const TWynikDrogi &p_Wynik);
    void pokazGotowaStrone();
    void pokazStrone(const TStronaDokumentu &p_Strona);
    // A printout, or a PDF of the shown page into p_Ustawienia.PlikWyjsciowy
    // after which p_PoZapisie runs; one job at a time, progress shown.
    void uruchomZadanie(const TUstawieniaDruku &p_Ustawienia, const QString &p_Tytul, const QString &p_Postep,
                        std::function<void()> p_PoZapisie = {});
    // A page is shown, the pane is there and no job runs.
    bool mozliweZadanie() const;
    // The same, and the page may be printed; a refused page says why.
    bool stronaDoZadania();
    void drukZakonczony(const QString &p_Blad);
    void ustawDrukowanie();
    void wyslijPotwierdzenie(const QString &p_MRN, const QString &p_PlikPDF);
    void panelGotowy(TPanelDokumentu *p_Panel);

    std::unique_ptr<TDrogaDokumentu> FDroga;
    TKotwice *FKotwice;
    TLadowaniePanelu *FLadowaniePanelu = nullptr;

    std::thread FWatekDrogi;
    bool FDrogaTrwa = false;
    QString FPlikDrogi; // the file of the road running; read by its thread
    std::optional<QString> FOczekujacy;
    // The page a road has written, handed from its thread to the GUI thread.
    std::mutex FBlokadaStrony;
    std::optional<TStronaDokumentu> FGotowaStrona;

    std::optional<TStronaDokumentu> FPokazana;
    // A page that arrived while a printout ran: shown once it ends.
    std::optional<TStronaDokumentu> FNowaStrona;
    std::unique_ptr<QObject> FDruk;
    std::function<void()> FPoZadaniu;
};
