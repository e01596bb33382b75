// ostrevia-pdf: prints a page written by ostrevia-render to PDF with the
// browser engine, as the window prints it. Run by ostrevia-render.
//
//   ostrevia-pdf [--] PAGE.html OUT.pdf [PROTECTED...]
//
// OUT.pdf is written never through a link and never over the page or any
// PROTECTED file (the message the page was made from).
#include "Start.h"
#include "WydrukPDF.h"
#include "ZakonczenieNaSygnal.h"

#include <QApplication>
#include <QFileInfo>
#include <QUrl>

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace {

// Standard error is for the user's messages: the browser engine's start-up
// chatter is kept out unless asked for.
void filtrujKomunikatyQt(QtMsgType p_Typ, const QMessageLogContext &p_Kontekst, const QString &p_Tekst)
{
    static const bool wszystkie = !qEnvironmentVariableIsEmpty("OSTREVIA_DEBUG");
    if (wszystkie || p_Typ == QtCriticalMsg || p_Typ == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(p_Typ, p_Kontekst, p_Tekst)));
}

} // namespace

int main(int argc, char **argv)
{
    // The render tool waits for this helper: when it is gone, so is the job.
    const pid_t rodzic = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != rodzic)
        return 1;
    qInstallMessageHandler(filtrujKomunikatyQt);
    PrzygotujSrodowiskoQt(false);
    QApplication aplikacja(argc, argv);
    TJednostkiDrogi jednostki(aplikacja, true);
    ZakonczNaSygnaly(0);

    QStringList argumenty = QCoreApplication::arguments().mid(1);
    if (argumenty.value(0) == QLatin1String("--"))
        argumenty.removeFirst();
    if (argumenty.size() < 2) {
        std::fprintf(stderr, "ostrevia-pdf: użycie: ostrevia-pdf [--] STRONA.html WYNIK.pdf [CHRONIONY...]\n");
        return 2;
    }
    QString blad;
    if (!WydrukujDoPDF(QUrl::fromLocalFile(QFileInfo(argumenty[0]).absoluteFilePath()), argumenty[1], blad,
                       argumenty.mid(2))) {
        QString tekst = blad;
        tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        std::fprintf(stderr, "ostrevia-pdf: %s\n", qUtf8Printable(tekst));
        return 1;
    }
    return 0;
}
