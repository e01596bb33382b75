#include "PlikiObiektow.h"

#include "Strumienie.h"
#include "Wyjatki.h"

#include <QLocale>

std::unique_ptr<TFileStream> OtworzPlikObiektu(const QString &p_NazwaPliku)
{
    try {
        return std::make_unique<TFileStream>(p_NazwaPliku, fmOpenRead | fmShareDenyWrite);
    } catch (const Exception &e) {
        throw EFCreateError(QStringLiteral("Błąd otwarcia pliku %1:\r%2").arg(p_NazwaPliku, e.Message()));
    }
}

std::unique_ptr<TFileStream> UtworzPlikObiektu(const QString &p_NazwaPliku)
{
    try {
        return std::make_unique<TFileStream>(p_NazwaPliku, fmCreate);
    } catch (Exception &e) {
        const qsizetype cudzyslow = e.Message().indexOf(QLatin1Char('"'));
        e.SetMessage(QStringLiteral("Błąd utworzenia pliku ") + (cudzyslow < 0 ? e.Message() : e.Message().mid(cudzyslow)));
        throw;
    }
}

void OpiszBladOdczytu(Exception &p_Wyjatek, const QString &p_Naglowek, const QString &p_Nazwa, TStream &p_Strumien)
{
    qint64 pozycja = 0;
    qint64 rozmiar = 0;
    try {
        pozycja = p_Strumien.Position();
        rozmiar = p_Strumien.Size();
    } catch (const std::exception &) {
        // A stream that cannot tell reports 0 / 0.
    }
    QString procent;
    if (rozmiar > 0) {
        // One decimal place in the system's number format.
        procent = QString::number(static_cast<double>(pozycja) * 100.0 / static_cast<double>(rozmiar), 'f', 1)
                      .replace(QLatin1Char('.'), QLocale::system().decimalPoint())
                  + QStringLiteral(" %");
    }
    p_Wyjatek.SetMessage(p_Naglowek.arg(p_Nazwa, p_Wyjatek.Message())
                         + QStringLiteral(" at %1 / %2 (%3)").arg(pozycja).arg(rozmiar).arg(procent));
}

void OpiszBladZapisu(Exception &p_Wyjatek, const QString &p_NazwaPliku)
{
    p_Wyjatek.SetMessage(QStringLiteral("Błąd zapisu pliku %1:\r%2").arg(p_NazwaPliku, p_Wyjatek.Message()));
}
