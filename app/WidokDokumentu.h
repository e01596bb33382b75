#pragma once

#include "PanelDokumentu.h"

#include <QWebEngineView>

class QWebEngineProfile;

// The browser pane for rendered pages: a private, off-the-record profile, no
// scripts, and nothing but local files may be loaded (the page is built from
// a hostile document; it must not reach the network). Its context menu offers
// only what works here: copying, selecting all, and the actions the window
// adds to the pane (printing).
class TWidokDokumentu : public QWebEngineView, public TPanelDokumentu
{
    Q_OBJECT
public:
    explicit TWidokDokumentu(QWidget *p_Rodzic = nullptr);
    ~TWidokDokumentu() override;

    // Loads the page; Laduje() is true from this call until that page has
    // loaded or failed (Zaladowano then says which). Loads of anything
    // else, or superseded ones, do not count.
    void PokazStrone(const QUrl &p_Adres) override;
    QUrl Adres() const override { return url(); }
    bool Laduje() const { return FLaduje; }
    // The page last asked for has loaded.
    bool Zaladowana() const { return FZaladowana; }

    // Zoom in steps, as browsers do; Ctrl+0 goes back to 100 %.
    void Powieksz() override;
    void Pomniejsz() override;
    void RozmiarDomyslny() override;

    QWidget *Kontrolka() override { return this; }
    QObject *Drukuj(const TOpisStrony &p_Strona, const TUstawieniaDruku &p_Ustawienia, const QString &p_Tytul,
                    const QStringList &p_Chronione, std::function<void(const QString &)> p_Koniec) override;

    // The menu the pane shows on a right click (the caller owns it).
    QMenu *UtworzMenu();

signals:
    void Zaladowano(bool p_Ok);

protected:
    void contextMenuEvent(QContextMenuEvent *p_Zdarzenie) override;

private:
    QUrl FAdres;
    bool FLaduje = false;
    bool FZaladowana = false;
};
