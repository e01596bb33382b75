// ostrevia: the viewer window. The first argument, if any, is the file to open.
#include "DaneFirmy.h"
#include "LkAplikacja.h"
#include "OknoPokazPodpowiedz.h"
#include "OknoOstrevia.h"
#include "Start.h"
#include "TlumaczeniaQt.h"
#include "ZakonczenieNaSygnal.h"

#include <QTimer>

namespace {

// The maker's notice, bottom right, for at most 40 seconds.
void PokazNotkeStartowa()
{
    const QString notka =
        QStringLiteral("[Name=Arial Narrow,Size=13,fsBold,clGreen,fsItalic,fsShadow]Velmora Software - celny wybór![]\r\r"
                       "[fsBold]Oferujemy oprogramowanie do wypełniania dokumentów celnych, finansowych, a także "
                       "prowadzenia ewidencji i obsługi gospodarczych procedur celnych[].\r\rWykonujemy również "
                       "programy na zamówienie, integrujemy z programami klientów oraz organizujemy szkolenia.\r\r"
                       "[fsBold]Zapraszamy na {")
        + AdresWWWFirmy() + QLatin1Char('|') + AdresWWWFirmy() + QStringLiteral("}![]");
    PokazPodpowiedz(notka, 300, QString(), pozKoniec, pozKoniec, 40, fpInformacja);
}

} // namespace

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
    // The notice waits for the loop, so that it does not hold up the window.
    QTimer::singleShot(0, &PokazNotkeStartowa);
    return aplikacja.exec();
}
