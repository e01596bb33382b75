#pragma once

#include <QObject>

#include <functional>

class QWidget;
class TPanelDokumentu;

// Brings the browser pane into the window once the window is on screen. The
// engine's library takes longer to load than everything else the viewer
// starts with, so it is loaded after the window's first paint (or a moment
// after the window is shown, should it not be painted: minimised at start,
// say).
class TLadowaniePanelu : public QObject
{
    Q_OBJECT
public:
    // p_Gotowy receives the new pane, a child of p_Rodzic.
    TLadowaniePanelu(QWidget &p_Okno, QWidget &p_Rodzic, std::function<void(TPanelDokumentu *)> p_Gotowy);

    // A page waits for the pane. A window not shown by the next turn of the
    // event loop is never painted: it gets the pane then.
    void Zamow();
    // Loads the pane now, unless that has been tried already: a library that
    // cannot be loaded is reported once.
    void Zaladuj();

protected:
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override;

private:
    QWidget &FOkno;
    QWidget &FRodzic;
    std::function<void(TPanelDokumentu *)> FGotowy;
    bool FProbowano = false;
};
