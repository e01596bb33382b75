// Child process of the runtime tests: runs the real start-up of the runtime
// services with the arguments it was given (as a command-line tool when
// OSTREVIA_NARZEDZIE is set), reports what it fixed and how many threads it
// runs, asks for two temporary names and writes one log entry, then shuts down.
#include "LkFunIO.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication aplikacja(argc, argv);
    InicjujLkFunIO(QCoreApplication::arguments(), !qEnvironmentVariableIsEmpty("OSTREVIA_NARZEDZIE"));

    const auto wypisz = [](const char *p_Nazwa, const QString &p_Wartosc) {
        std::printf("%s=%s\n", p_Nazwa, qUtf8Printable(p_Wartosc));
    };
    wypisz("NazwaProduktu", NazwaProduktu);
    wypisz("NazwaAplikacji", NazwaAplikacji);
    wypisz("KatalogProgramu", KatalogProgramu);
    wypisz("KatalogDanych", DajKatalogDanych());
    wypisz("PlikBledow", PlikBledow);
    wypisz("TrybUslugi", TrybUslugi ? QStringLiteral("1") : QStringLiteral("0"));
    wypisz("Wersja", WersjaJakoTekst(DajNumerWersji()));
    QFile stan(QStringLiteral("/proc/self/status"));
    stan.open(QIODevice::ReadOnly);
    wypisz("Watki", QRegularExpression(QStringLiteral("Threads:\\s*(\\d+)")).match(QString::fromLatin1(stan.readAll())).captured(1));
    wypisz("SzablPodgl", DajNazwePlikuTymczasowego(QStringLiteral("SzablPodgl")));
    wypisz("PlikWynik", DajNazwePlikuTymczasowego(QStringLiteral("PlikWynik")));
    ZapiszWyjatekWLogu(QStringLiteral("Wpis pomocnika"));
    ZakonczLkFunIO();
    return 0;
}
