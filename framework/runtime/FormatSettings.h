#pragma once

#include <QChar>
#include <QString>

#include <array>

// How numbers, money, dates and times are written and read. Defaults are
// locale-independent (as Delphi's invariant settings); whoever needs other
// values sets them explicitly, so no locale of the machine leaks in.
// Date/time formats use Delphi's letters: d m y for dates, h n s for times
// (m right after h means minutes).
struct TFormatSettings
{
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    QChar ListSeparator = QLatin1Char(',');

    QString ShortDateFormat = QStringLiteral("MM/dd/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, dd MMMMM yyyy");
    QString ShortTimeFormat = QStringLiteral("hh:nn");
    QString LongTimeFormat = QStringLiteral("hh:nn:ss");
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");

    QString CurrencyString = QStringLiteral("\u00A4");
    quint8 CurrencyFormat = 0;
    quint8 NegCurrFormat = 0;
    quint8 CurrencyDecimals = 2;

    std::array<QString, 12> ShortMonthNames{
        QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
        QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
        QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    std::array<QString, 12> LongMonthNames{
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    // Sunday first, as Delphi's.
    std::array<QString, 7> ShortDayNames{QStringLiteral("Sun"), QStringLiteral("Mon"),
                                         QStringLiteral("Tue"), QStringLiteral("Wed"),
                                         QStringLiteral("Thu"), QStringLiteral("Fri"),
                                         QStringLiteral("Sat")};
    std::array<QString, 7> LongDayNames{QStringLiteral("Sunday"),    QStringLiteral("Monday"),
                                        QStringLiteral("Tuesday"),   QStringLiteral("Wednesday"),
                                        QStringLiteral("Thursday"),  QStringLiteral("Friday"),
                                        QStringLiteral("Saturday")};

    // Two-digit years within this many years before now belong to this century.
    int TwoDigitYearCenturyWindow = 50;
};
