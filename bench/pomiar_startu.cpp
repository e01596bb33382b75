// Linked into a copy of the viewer (app/main.cpp as it is): once the event
// loop runs, the first browser pane in the window says "zaladowano" on
// standard output when its page has loaded, and the program quits. The
// program itself is not changed for the measurement.
#include <QApplication>
#include <QTimer>
#include <QWebEngineView>

#include <cstdio>

namespace {

void czekajNaStrone()
{
    QTimer::singleShot(0, qApp, [] {
        for (QWidget *okno : QApplication::topLevelWidgets())
            if (auto *widok = okno->findChild<QWebEngineView *>()) {
                QObject::connect(widok, &QWebEngineView::loadFinished, qApp, [widok](bool p_Ok) {
                    if (!widok->url().isLocalFile())
                        return; // not the message's page yet
                    std::printf("zaladowano %d\n", p_Ok ? 1 : 0);
                    std::fflush(stdout);
                    QCoreApplication::quit();
                });
                return;
            }
        std::fprintf(stderr, "no browser pane\n");
        QCoreApplication::exit(3);
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(czekajNaStrone)
