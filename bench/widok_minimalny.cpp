// The reference: the least a program can do to show an HTML file in a
// browser view, at the size of the viewer's pane. Says "zaladowano" on
// standard output when the page has loaded.
//
//   bench_widok_minimalny PAGE.html
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication aplikacja(argc, argv);
    if (argc < 2)
        return 2;
    QWebEngineView widok;
    widok.resize(577, 304);
    QObject::connect(&widok, &QWebEngineView::loadFinished, [](bool p_Ok) {
        std::printf("zaladowano %d\n", p_Ok ? 1 : 0);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    widok.setUrl(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    widok.show();
    return aplikacja.exec();
}
