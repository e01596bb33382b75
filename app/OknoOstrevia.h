#pragma once

#include "DrogaDokumentu.h"
#include "LkForm.h"

#include <memory>

class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QFrame;
class QToolButton;
class TKotwice;
class TWidokDokumentu;

// The viewer's main window: a file-name box, the open and load buttons, the
// browser pane with the rendered message and the Print button.
class TOknoECS : public TLkForm
{
    Q_OBJECT
public:
    // p_Argument: the first program argument (empty when none was given).
    explicit TOknoECS(const QString &p_Argument, QWidget *p_Rodzic = nullptr);
    ~TOknoECS() override;

    void WczytajPlik(const QString &p_NazwaPliku);
    const TDrogaDokumentu &Droga() const { return *FDroga; }

    // Components, named as the form names them (tests and the form base find
    // them by these names).
    QLabel *LkNaglowek1;
    QLabel *labNazwaPliku;
    QLineEdit *edNazwaPliku;
    QGroupBox *GroupBox1;
    QPushButton *butDrukuj;
    QFrame *panPanel;
    TWidokDokumentu *browser;
    QToolButton *butWybierz;
    QPushButton *butWczytaj;
    QFileDialog *LkOpenDialog1;

public slots:
    void edNazwaPlikuChange();
    void butWczytajClick();
    void butWybierzClick();
    void butDrukujClick();

protected:
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override;
    void FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift) override;

private:
    void UtworzKontrolki();
    void FormCreate(const QString &p_Argument);

    std::unique_ptr<TDrogaDokumentu> FDroga;
    TKotwice *FKotwice;
    std::unique_ptr<QPrinter> FDrukarka;
};
