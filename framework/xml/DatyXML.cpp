#include "DatyXML.h"

#include <QDate>

#include <climits>
#include <optional>

namespace {

// Delphi's StrToInt: leading blanks, a sign, decimal digits or hexadecimal
// after "$", "x" or "0x"; nothing may follow.
std::optional<int> naLiczbe(const QString &p_Tekst)
{
    qsizetype i = 0;
    while (i < p_Tekst.size() && p_Tekst[i] == QLatin1Char(' '))
        ++i;
    bool ujemna = false;
    if (i < p_Tekst.size() && (p_Tekst[i] == QLatin1Char('-') || p_Tekst[i] == QLatin1Char('+')))
        ujemna = p_Tekst[i++] == QLatin1Char('-');
    int podstawa = 10;
    if (i < p_Tekst.size() && p_Tekst[i] == QLatin1Char('$')) {
        podstawa = 16;
        ++i;
    } else if (i < p_Tekst.size() && p_Tekst[i].toLower() == QLatin1Char('x')) {
        podstawa = 16;
        ++i;
    } else if (i + 1 < p_Tekst.size() && p_Tekst[i] == QLatin1Char('0') && p_Tekst[i + 1].toLower() == QLatin1Char('x')) {
        podstawa = 16;
        i += 2;
    }
    const QString cyfry = p_Tekst.mid(i);
    if (cyfry.isEmpty())
        return std::nullopt;
    for (const QChar znak : cyfry)
        if (!(znak.isDigit() && znak.unicode() < 128)
            && !(podstawa == 16 && QStringLiteral("abcdefABCDEF").contains(znak)))
            return std::nullopt;
    bool ok = false;
    const qlonglong wartosc = cyfry.toLongLong(&ok, podstawa);
    const qlonglong zeZnakiem = ujemna ? -wartosc : wartosc;
    if (!ok || zeZnakiem < INT_MIN || zeZnakiem > INT_MAX)
        return std::nullopt;
    return static_cast<int>(zeZnakiem);
}

} // namespace

int DajCzescDaty(const QString &p_Tekst, const QString &p_Format, QChar p_Litera)
{
    const qsizetype pierwsza = p_Format.indexOf(p_Litera, 0, Qt::CaseInsensitive);
    if (pierwsza < 0)
        return 0;
    const qsizetype ostatnia = p_Format.lastIndexOf(p_Litera, -1, Qt::CaseInsensitive);
    return naLiczbe(p_Tekst.mid(pierwsza, ostatnia - pierwsza + 1)).value_or(0);
}

double DekodujDate(const QString &p_Tekst, const QString &p_Format)
{
    if (p_Tekst.isEmpty())
        return 0;
    const QDate data(DajCzescDaty(p_Tekst, p_Format, QLatin1Char('y')), DajCzescDaty(p_Tekst, p_Format, QLatin1Char('m')),
                     DajCzescDaty(p_Tekst, p_Format, QLatin1Char('d')));
    if (!data.isValid() || data.year() < 1 || data.year() > 9999)
        return 0;
    const int godzina = DajCzescDaty(p_Tekst, p_Format, QLatin1Char('h'));
    const int minuta = DajCzescDaty(p_Tekst, p_Format, QLatin1Char('n'));
    const int sekunda = DajCzescDaty(p_Tekst, p_Format, QLatin1Char('s'));
    if (godzina < 0 || godzina > 23 || minuta < 0 || minuta > 59 || sekunda < 0 || sekunda > 59)
        return 0;
    const double dni = static_cast<double>(QDate(1899, 12, 30).daysTo(data));
    return dni + (godzina * 3600 + minuta * 60 + sekunda) / 86400.0;
}
