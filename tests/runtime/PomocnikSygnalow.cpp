// Child process of the signal tests. Starts the runtime services, ends on
// signals with the given time to react, holds two temporary files (deleted by
// their owner's destructor) and an output file not yet committed, says
// "gotowy <process folder>", then waits in its event loop ("petla") or busy
// outside it ("zajety").
//
//   ostrevia_runtime_sygnaly petla|zajety SEKUNDY WYJSCIE
#include "LkFunIO.h"
#include "PlikWynikowy.h"
#include "ZakonczenieNaSygnal.h"

#include <QCoreApplication>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

struct TPlikiTymczasowe
{
    QString Szablon = DajNazwePlikuTymczasowego(QStringLiteral("SzablPodgl"));
    QString Strona = DajNazwePlikuTymczasowego(QStringLiteral("PlikWynik"), QStringLiteral(".html"));
    ~TPlikiTymczasowe()
    {
        QFile::remove(Szablon);
        QFile::remove(Strona);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication aplikacja(argc, argv);
    InicjujLkFunIO(argc, argv);
    const QStringList argumenty = QCoreApplication::arguments();
    if (argumenty.size() != 4)
        return 2;
    ZakonczNaSygnaly(argumenty[2].toInt());

    int kod = 0;
    {
        TPlikiTymczasowe pliki;
        TPlikWynikowy wyjscie;
        if (pliki.Strona.isEmpty() || !wyjscie.Otworz(argumenty[3]) || !wyjscie.Zapisz("początek strony"))
            return 3;
        std::printf("gotowy %s\n", qUtf8Printable(DajKatalogTymczasowy()));
        std::fflush(stdout);
        if (argumenty[1] == QLatin1String("petla")) {
            kod = aplikacja.exec();
        } else {
            for (;;)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ZakonczLkFunIO();
    return kod;
}
