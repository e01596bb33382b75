#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QMenu;

// A window a plug-in owns, known to the program only by its handle.
struct TOknoPluginu
{
    qintptr Handle = 0;
    QString Plugin;
    QString KlasaOkna;
    QString NazwaOkna;
    QString TytulOkna;
    QString IdentOkna;
};

// The program's modeless windows: plain forms, one form per class, forms
// hosting a frame of a class, and plug-in windows. Keeps the host's window
// menu (when it gives one) with a "close all" item, activates, closes and
// re-enables them, and forwards idle time to the plug-ins.
class TObslugaOkienNiemodalnych
{
public:
    static void RejestrujOkno(QWidget *p_Okno, const QString &p_IdentOkna = QString());
    // One form per class: a second form of a class raises LkException.
    static void RejestrujOknoWgKlasy(QWidget *p_Okno, const QString &p_IdentOkna = QString());
    static void RejestrujRamke(const QString &p_KlasaRamki, QWidget *p_Okno, const QString &p_IdentOkna = QString());
    static void RejestrujOknoPluginu(const TOknoPluginu &p_Okno);
    static void WyrejestrujOkno(QWidget *p_Okno);
    static void WyrejestrujOknoWgKlasy(QWidget *p_Okno);
    static void WyrejestrujRamke(const QString &p_KlasaRamki);
    static void WyrejestrujOknoPluginu(qintptr p_Handle);

    static bool ZarejestrowanoOkno(const QWidget *p_Okno);
    static bool ZarejestrowanoOknoWgKlasy(const QString &p_KlasaOkna, QWidget *&p_Okno);
    static bool ZarejestrowanoRamke(const QString &p_KlasaRamki, QWidget *&p_Okno);
    static bool ZarejestrowanoOknoPluginuWgKlasy(const QString &p_KlasaOkna, QString &p_IdentOkna);
    static std::vector<TOknoPluginu> OknaPluginow();

    // A minimised window comes back to normal, then to the front.
    static void AktywujOkno(QWidget *p_Okno);
    // Checks the menu item of the window (a form, or a plug-in window by handle).
    static void AktywneOkno(const QWidget *p_Okno);
    static void AktywneOknoPluginu(qintptr p_Handle);
    // Closes every registered window: frame hosts, forms by class, plain
    // forms (each asked once), then plug-in windows from the last.
    static void ZamknijOkna();
    static void OdblokujOknaNiemodalne();
    // "<Plugin>.OnIdle" to every plug-in through the message centre, when there is one.
    static void ObsluzOnIdle();

    // The host's window menu; none by default, and then every menu step is skipped.
    static void UstawMenuOkien(QMenu *p_Menu);
    static QMenu *MenuOkien();
    // Called with every plug-in window that leaves, in the order they were added.
    static void DodajObslugeWyrejestrowania(std::function<void(const TOknoPluginu &)> p_Obsluga);
    // Forgets everything (the unit's end).
    static void Zakoncz();
};
