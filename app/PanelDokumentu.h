#pragma once

#include "OpisStrony.h"
#include "UstawieniaDruku.h"

#include <QString>
#include <QStringList>

#include <functional>

class QObject;
class QUrl;
class QWidget;

// The browser pane as the window sees it. The browser engine lives in a
// library of its own (libostrevia_przegladarka.so), loaded once the window is
// on screen: the viewer does not link the engine, so the window reaches the
// pane only through these virtual calls.
class TPanelDokumentu
{
public:
    virtual ~TPanelDokumentu() = default;

    // The pane itself, to be placed in the window.
    virtual QWidget *Kontrolka() = 0;

    virtual void PokazStrone(const QUrl &p_Adres) = 0;
    // The page asked for last; empty before the first.
    virtual QUrl Adres() const = 0;

    virtual void Powieksz() = 0;
    virtual void Pomniejsz() = 0;
    virtual void RozmiarDomyslny() = 0;

    // Prints the page shown, as the print dialog chose. p_Koniec is called
    // exactly once, from the event loop: with an empty text when the job has
    // been handed over, else with why not, in Polish. The job is returned;
    // the caller owns it and keeps it until then.
    // p_Chronione: files the printout must never replace.
    virtual QObject *Drukuj(const TOpisStrony &p_Strona, const TUstawieniaDruku &p_Ustawienia, const QString &p_Tytul,
                            const QStringList &p_Chronione, std::function<void(const QString &)> p_Koniec) = 0;

protected:
    TPanelDokumentu() = default;
    TPanelDokumentu(const TPanelDokumentu &) = default;
    TPanelDokumentu &operator=(const TPanelDokumentu &) = default;
};

// The library's entry point, looked up by this name: a new pane, a child of p_Rodzic.
using TUtworzPanelDokumentu = TPanelDokumentu *(*)(QWidget *p_Rodzic);
inline constexpr char NazwaUtworzPanelDokumentu[] = "UtworzPanelDokumentu";
