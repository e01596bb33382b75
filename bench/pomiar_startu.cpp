// Linked into a copy of the viewer (app/main.cpp as it is): the first browser
// pane in the window says "zaladowano" on standard output when its page has
// loaded, and the program quits. The program itself is not changed for the
// measurement, nor made to load the browser engine earlier: the pane, which
// comes from a library after the window's first paint, is found by its class
// name and its signal connected by name.
#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class TCzujnikStrony : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Looks for the pane at every turn of the event loop until it is there.
    void Szukaj()
    {
        for (QWidget *okno : QApplication::topLevelWidgets())
            for (QWidget *widok : okno->findChildren<QWidget *>())
                if (widok->inherits("QWebEngineView")) {
                    FWidok = widok;
                    connect(widok, SIGNAL(loadFinished(bool)), this, SLOT(zaladowano(bool)));
                    return;
                }
        QTimer::singleShot(1, this, &TCzujnikStrony::Szukaj);
    }

private slots:
    void zaladowano(bool p_Ok)
    {
        if (!FWidok->property("url").toUrl().isLocalFile())
            return; // not the message's page yet
        std::printf("zaladowano %d\n", p_Ok ? 1 : 0);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

private:
    QWidget *FWidok = nullptr;
};

void czekajNaStrone()
{
    QTimer::singleShot(0, qApp, [] { (new TCzujnikStrony(qApp))->Szukaj(); });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(czekajNaStrone)

#include "pomiar_startu.moc"
