// ostrevia-pdf: prints a page written by ostrevia-render to PDF with the
// browser engine, as the window prints it. Run by ostrevia-render.
//
//   ostrevia-pdf [--] PAGE.html OUT.pdf [PROTECTED...]
//   ostrevia-pdf --wsad       requests on standard input, one a line (ProtokolPDF.h)
//
// OUT.pdf is written never through a link and never over the page or any
// PROTECTED file (the message the page was made from).
#include "ProtokolPDF.h"
#include "Start.h"
#include "WidokDokumentu.h"
#include "WydrukPDF.h"
#include "ZakonczenieNaSygnal.h"

#include <QApplication>
#include <QFileInfo>
#include <QUrl>

#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

// Standard error is for the user's messages: the browser engine's start-up
// chatter is kept out unless asked for.
void filtrujKomunikatyQt(QtMsgType p_Typ, const QMessageLogContext &p_Kontekst, const QString &p_Tekst)
{
    static const bool wszystkie = !qEnvironmentVariableIsEmpty("OSTREVIA_DEBUG");
    if (wszystkie || p_Typ == QtCriticalMsg || p_Typ == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(p_Typ, p_Kontekst, p_Tekst)));
}

// A batch: one engine for every page the render tool sends, answered in order.
int drukujWsad()
{
    // The answers get a descriptor of their own: whatever the engine prints
    // lands on standard error, not in the middle of an answer.
    const int odpowiedzi = ::dup(STDOUT_FILENO);
    if (odpowiedzi < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 1;
    // One pane for every page: one profile and one renderer for the batch.
    TWidokDokumentu widok;
    char *wiersz = nullptr;
    size_t pojemnosc = 0;
    ssize_t dlugosc = 0;
    while ((dlugosc = ::getline(&wiersz, &pojemnosc, stdin)) > 0) {
        QString strona;
        QString pdf;
        QStringList chronione;
        QString blad;
        if (!CzytajZadaniePDF(QByteArray(wiersz, dlugosc), strona, pdf, chronione))
            blad = QStringLiteral("błędne zlecenie wydruku");
        else if (!WydrukujDoPDF(widok, QUrl::fromLocalFile(QFileInfo(strona).absoluteFilePath()), pdf, blad, chronione)
                 && blad.isEmpty())
            blad = QStringLiteral("Nie udało się przygotować wydruku.");
        const QByteArray odpowiedz = OdpowiedzPDF(blad);
        for (qsizetype zapisano = 0; zapisano < odpowiedz.size();) {
            const ssize_t n = ::write(odpowiedzi, odpowiedz.constData() + zapisano, odpowiedz.size() - zapisano);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                std::free(wiersz);
                return 1;
            }
            zapisano += n;
        }
    }
    std::free(wiersz);
    return 0;
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
    if (argumenty.size() == 1 && argumenty[0] == QLatin1String("--wsad"))
        return drukujWsad();
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
