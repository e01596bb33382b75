#include "NazwaPolaNaEkran.h"

namespace {

bool wielkaAscii(QChar p_Znak)
{
    return p_Znak >= QLatin1Char('A') && p_Znak <= QLatin1Char('Z');
}

} // namespace

QString NazwaPolaNaEkran(const QString &p_Nazwa)
{
    QString nazwa = p_Nazwa;
    nazwa.replace(QLatin1Char('_'), QLatin1Char(' '));
    QString wynik;
    wynik.reserve(nazwa.size() + 8);
    for (qsizetype i = 0; i < nazwa.size(); ++i) {
        QChar znak = nazwa.at(i);
        // The underscores are blanks by now, so the original name decides what preceded.
        if (wielkaAscii(znak) && i > 0 && !wielkaAscii(p_Nazwa.at(i - 1)) && p_Nazwa.at(i - 1) != QLatin1Char('_')) {
            wynik += QLatin1Char(' ');
            if (i + 1 == nazwa.size() || !wielkaAscii(nazwa.at(i + 1)))
                znak = znak.toLower();
        }
        wynik += znak;
    }
    qsizetype poczatek = 0;
    qsizetype koniec = wynik.size();
    while (poczatek < koniec && wynik.at(poczatek).unicode() <= 32)
        ++poczatek;
    while (koniec > poczatek && wynik.at(koniec - 1).unicode() <= 32)
        --koniec;
    return wynik.mid(poczatek, koniec - poczatek);
}
