#include "LkAplikacja.h"

#include "Bezczynnosc.h"
#include "Komunikaty.h"
#include "Wyjatki.h"

#include <QAbstractEventDispatcher>
#include <QLocale>

#include <cstdio>
#include <exception>

TLkAplikacja::TLkAplikacja(int &argc, char **argv) : QApplication(argc, argv)
{
    // The interface is Polish whatever the machine's locale: dates that
    // controls and dialogs write follow it.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // Forms update their actions whenever the loop is about to wait.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [] {
        try {
            ObsluzBezczynnosc();
        } catch (const std::exception &wyjatek) {
            PokazWyjatek(KomunikatWyjatku(wyjatek));
        } catch (...) {
            PokazWyjatek(QStringLiteral("Nieznany wyjątek"));
        }
    });
}

QString TLkAplikacja::Tytul() const
{
    return TytulAplikacji();
}

void TLkAplikacja::UstawTytul(const QString &p_Tytul)
{
    UstawTytulAplikacji(p_Tytul);
}

bool TLkAplikacja::notify(QObject *p_Odbiorca, QEvent *p_Zdarzenie)
{
    try {
        return QApplication::notify(p_Odbiorca, p_Zdarzenie);
    } catch (const std::exception &wyjatek) {
        PokazWyjatek(KomunikatWyjatku(wyjatek));
    } catch (...) {
        PokazWyjatek(QStringLiteral("Nieznany wyjątek"));
    }
    return false;
}

void TLkAplikacja::PokazWyjatek(const QString &p_Komunikat)
{
    // The box runs its own event loop; an exception out of the box itself
    // would end the program, so it is only reported.
    try {
        PokazKomunikatZTytulem(TytulAplikacji(), KomunikatZKropka(p_Komunikat), mtError, mbOKOnly, 0);
    } catch (const std::exception &wyjatek) {
        std::fprintf(stderr, "%s\n", wyjatek.what());
    } catch (...) {
    }
}

