#include "StanKlawiszy.h"

#include "WatekGlowny.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QThread>

namespace {

// A held key repeats (the first repeat comes after well under a second), so
// a key silent for longer is taken as released: its release went to another
// program, or autorepeat is off. The cap bounds the wait in any case.
constexpr qint64 ciszaPuszczeniaMs = 1000;
constexpr qint64 maksymalneCzekanieMs = 10000;

int ujednolicony(int p_Klawisz)
{
    return p_Klawisz == Qt::Key_Enter ? Qt::Key_Return : p_Klawisz;
}

class TSledzenieKlawiszy : public QObject
{
public:
    using QObject::QObject;

    bool Wcisniety(int p_Klawisz) const { return FWcisniete.contains(ujednolicony(p_Klawisz)); }
    void Zapomnij(int p_Klawisz) { FWcisniete.remove(ujednolicony(p_Klawisz)); }
    // Milliseconds since the key's last press or release.
    qint64 Cisza(int p_Klawisz) const
    {
        return FZegar.elapsed() - FOstatnieZdarzenie.value(ujednolicony(p_Klawisz), 0);
    }
    void Uzbroj(int p_Klawisz) { FOdrzucane.append(ujednolicony(p_Klawisz)); }
    void Rozbroj() { FOdrzucane.removeLast(); }

protected:
    bool eventFilter(QObject *p_Odbiorca, QEvent *p_Zdarzenie) override
    {
        switch (p_Zdarzenie->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride: {
            auto *zdarzenie = static_cast<QKeyEvent *>(p_Zdarzenie);
            const int klawisz = ujednolicony(zdarzenie->key());
            if (p_Zdarzenie->type() == QEvent::KeyPress)
                FWcisniete.insert(klawisz);
            else if (p_Zdarzenie->type() == QEvent::KeyRelease && !zdarzenie->isAutoRepeat())
                FWcisniete.remove(klawisz);
            if (p_Zdarzenie->type() != QEvent::ShortcutOverride)
                FOstatnieZdarzenie.insert(klawisz, FZegar.elapsed());
            return FOdrzucane.contains(klawisz);
        }
        case QEvent::ApplicationStateChange:
            // Releases now go to another program: what we saw down is stale.
            if (QGuiApplication::applicationState() != Qt::ApplicationActive)
                FWcisniete.clear();
            return false;
        default:
            return false;
        }
    }

private:
    QElapsedTimer FZegar = [] {
        QElapsedTimer zegar;
        zegar.start();
        return zegar;
    }();
    QHash<int, qint64> FOstatnieZdarzenie;
    QSet<int> FWcisniete;
    QList<int> FOdrzucane; // a drain may run inside another one's wait
};

QPointer<TSledzenieKlawiszy> sledzenie;

class TUzbrojenie
{
public:
    TUzbrojenie(TSledzenieKlawiszy *p_Sledzenie, int p_Klawisz) : FSledzenie(p_Sledzenie)
    {
        FSledzenie->Uzbroj(p_Klawisz);
    }
    ~TUzbrojenie()
    {
        if (FSledzenie)
            FSledzenie->Rozbroj();
    }

private:
    QPointer<TSledzenieKlawiszy> FSledzenie;
};

} // namespace

void InstalujSledzenieKlawiszy()
{
    if (sledzenie || !qApp)
        return;
    sledzenie = new TSledzenieKlawiszy(qApp);
    qApp->installEventFilter(sledzenie);
}

void ZakonczSledzenieKlawiszy()
{
    delete sledzenie.data();
}

bool KlawiszWcisniety(int p_Klawisz)
{
    return sledzenie && sledzenie->Wcisniety(p_Klawisz);
}

void ZwolnijKlawisz(int p_Klawisz)
{
    if (!sledzenie || !CzyWatekGlowny())
        return;
    TUzbrojenie uzbrojenie(sledzenie, p_Klawisz);

    if (sledzenie->Wcisniety(p_Klawisz)) {
        QElapsedTimer czas;
        czas.start();
        while (sledzenie && sledzenie->Wcisniety(p_Klawisz)) {
            if (czas.elapsed() > maksymalneCzekanieMs || sledzenie->Cisza(p_Klawisz) > ciszaPuszczeniaMs) {
                sledzenie->Zapomnij(p_Klawisz);
                break;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
    }

    // Key events already posted are delivered now, while the armed filter
    // discards this key's; other keys reach their windows as they would.
    for (QEvent::Type rodzaj : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease})
        QCoreApplication::sendPostedEvents(nullptr, rodzaj);
}

void ZwolnijEnter()
{
    ZwolnijKlawisz(Qt::Key_Return);
}
