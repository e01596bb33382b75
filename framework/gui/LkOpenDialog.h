#pragma once

#include "CentrumWiadomosci.h"
#include "TypyOpenSaveDlg.h"

#include <QFileDialog>

#include <functional>

// The framework's file dialogs: Qt's dialog with the filter written the
// framework's way ("Opis|*.a;*.b|..."), checked before the dialog opens, and,
// with a data type and a message centre, the file types of plug-ins.
class TLkDialogPliku : public QFileDialog, public IOdbiorcaWiad
{
    Q_OBJECT

public:
    QString Filter;
    int FilterIndex = 1;
    QString DefaultExt;
    // The data type exchanged with plug-ins; empty: no exchange.
    QString IDTypuDanych;
    // The format to preselect; after a confirmed dialog, the format chosen.
    QString DefIDFormatu;
    std::function<void(TLkDialogPliku *p_Nadawca, const QString &p_Dane)> OnDaneGotowe;

    TListaFormatowZapisu &ListaFormatow() { return FListaFormatow; }
    // The first file chosen.
    QString FileName() const { return selectedFiles().value(0); }

    // Refuses a bad filter with a message; otherwise runs the dialog. True when confirmed.
    bool Execute();
    int OdbierzWiadomosc(const QString &p_Nazwa, const QByteArray &p_Dane, void *p_Nadawca) override;

protected:
    TLkDialogPliku(QWidget *p_Rodzic, QFileDialog::AcceptMode p_Tryb);
    // "ImportDanych" or "EksportDanych".
    virtual QString Przedrostek() const = 0;

private:
    bool uruchom();

    TListaFormatowZapisu FListaFormatow;
};

class TLkOpenDialog : public TLkDialogPliku
{
    Q_OBJECT

public:
    explicit TLkOpenDialog(QWidget *p_Rodzic = nullptr);

    // Description/mask pairs of the filter, a catch-all "*.*" pair that is not first aside.
    int IleDefFormatow() const;
    // Asks the plug-ins to import a file; they answer with its data.
    void DefImportDanych(const QString &p_NazwaPliku);

protected:
    QString Przedrostek() const override { return QStringLiteral("ImportDanych"); }
};

class TLkSaveDialog : public TLkDialogPliku
{
    Q_OBJECT

public:
    explicit TLkSaveDialog(QWidget *p_Rodzic = nullptr);

protected:
    QString Przedrostek() const override { return QStringLiteral("EksportDanych"); }
};
