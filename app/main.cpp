// ostrevia: the viewer window. The first argument, if any, is the file to open.
#include "LkAplikacja.h"
#include "OknoOstrevia.h"
#include "Start.h"
#include "TlumaczeniaQt.h"
#include "ZakonczenieNaSygnal.h"

int main(int argc, char **argv)
{
    PrzygotujSrodowiskoQt(true);
    TLkAplikacja aplikacja(argc, argv);
    ZaladujTlumaczeniaQt(aplikacja);
    TJednostkiProgramu jednostki(aplikacja);
    ZakonczNaSygnaly(5);
    aplikacja.UstawTytul(QStringLiteral("Ostrevia"));

    const QStringList argumenty = QCoreApplication::arguments();
    TOknoECS okno(argumenty.size() > 1 ? argumenty.at(1) : QString());
    okno.show();
    return aplikacja.exec();
}
