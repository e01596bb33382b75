#include "FormatowanieLiczb.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

bool jestZnakiemCyfry(QChar p_Znak)
{
    return p_Znak == QLatin1Char('0') || p_Znak == QLatin1Char('#');
}

// Fixed-point digits of a non-negative value rounded half away from zero, as
// display masks round (printf would round exact binary halves to even).
QString tekstStaly(double p_Modul, int p_Miejsc)
{
    char bufor[512];
    std::snprintf(bufor, sizeof bufor, "%.*f", p_Miejsc + 20, p_Modul);
    std::string tekst = bufor;
    const size_t kropka = tekst.find('.');
    const size_t pierwszyPominiety = kropka + 1 + static_cast<size_t>(p_Miejsc);
    const bool wGore = tekst[pierwszyPominiety] >= '5';
    tekst.resize(p_Miejsc > 0 ? pierwszyPominiety : kropka);
    if (wGore) {
        auto i = static_cast<std::ptrdiff_t>(tekst.size()) - 1;
        for (; i >= 0; --i) {
            if (tekst[static_cast<size_t>(i)] == '.')
                continue;
            if (tekst[static_cast<size_t>(i)] != '9') {
                ++tekst[static_cast<size_t>(i)];
                break;
            }
            tekst[static_cast<size_t>(i)] = '0';
        }
        if (i < 0)
            tekst.insert(0, 1, '1');
    }
    return QString::fromLatin1(tekst);
}

QString sformatujSekcje(const QString &p_Sekcja, double p_Modul, bool p_Minus, const TFormatSettings &p_FS)
{
    const qsizetype pierwszy = [&] {
        for (qsizetype i = 0; i < p_Sekcja.size(); ++i)
            if (jestZnakiemCyfry(p_Sekcja[i]) || p_Sekcja[i] == QLatin1Char('.'))
                return i;
        return p_Sekcja.size();
    }();
    qsizetype ostatni = -1;
    for (qsizetype i = 0; i < p_Sekcja.size(); ++i)
        if (jestZnakiemCyfry(p_Sekcja[i]) || p_Sekcja[i] == QLatin1Char('.') || p_Sekcja[i] == QLatin1Char(','))
            ostatni = i;
    if (ostatni < pierwszy)
        return p_Sekcja; // no placeholders: the text itself
    const QString wzor = p_Sekcja.mid(pierwszy, ostatni - pierwszy + 1);
    const qsizetype kropka = wzor.indexOf(QLatin1Char('.'));
    const QString czescCalkowita = kropka < 0 ? wzor : wzor.left(kropka);
    const QString czescUlamkowa = kropka < 0 ? QString() : wzor.mid(kropka + 1);
    const bool grupowanie = czescCalkowita.contains(QLatin1Char(','));
    const qsizetype pierwszeZero = czescCalkowita.indexOf(QLatin1Char('0'));
    const int minCalkowitych = pierwszeZero < 0 ? 0 : int(czescCalkowita.mid(pierwszeZero).count(QLatin1Char('0')) +
                                                          czescCalkowita.mid(pierwszeZero).count(QLatin1Char('#')));
    const int maksUlamkowych = int(czescUlamkowa.count(QLatin1Char('0')) + czescUlamkowa.count(QLatin1Char('#')));
    const int minUlamkowych = [&] {
        int n = 0;
        for (const QChar c : czescUlamkowa) {
            if (c == QLatin1Char('0'))
                n = n + 1;
            else if (c == QLatin1Char('#'))
                break;
        }
        return n;
    }();

    const QString liczba = tekstStaly(p_Modul, maksUlamkowych);
    QString calkowite = liczba.section(QLatin1Char('.'), 0, 0);
    QString ulamek = liczba.section(QLatin1Char('.'), 1, 1);
    while (ulamek.size() > minUlamkowych && ulamek.endsWith(QLatin1Char('0')))
        ulamek.chop(1);
    if (calkowite == QLatin1String("0") && minCalkowitych == 0)
        calkowite.clear();
    while (calkowite.size() < minCalkowitych)
        calkowite.prepend(QLatin1Char('0'));
    if (grupowanie)
        for (qsizetype i = calkowite.size() - 3; i > 0; i -= 3)
            calkowite.insert(i, p_FS.ThousandSeparator);
    // A value that rounds to zero shows no sign.
    bool zero = true;
    for (const QChar c : calkowite + ulamek)
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            zero = false;
    QString wynik = (p_Minus && !zero ? QStringLiteral("-") : QString()) + calkowite;
    if (!ulamek.isEmpty())
        wynik += p_FS.DecimalSeparator + ulamek;
    return p_Sekcja.left(pierwszy) + wynik + p_Sekcja.mid(ostatni + 1);
}

// Where "E+" or "E-" (any case) starts in a mask section; -1 when it has none.
qsizetype pozycjaWykladnika(const QString &p_Sekcja)
{
    for (qsizetype i = 0; i + 1 < p_Sekcja.size(); ++i)
        if ((p_Sekcja[i] == QLatin1Char('E') || p_Sekcja[i] == QLatin1Char('e'))
            && (p_Sekcja[i + 1] == QLatin1Char('+') || p_Sekcja[i + 1] == QLatin1Char('-')))
            return i;
    return -1;
}

// Scientific notation: the mantissa keeps as many integer digits as its part
// of the mask has placeholders before the point; "E+" always signs the
// exponent, "E-" only when negative; the zeros after it are its minimum digits.
QString sformatujWykladniczo(const QString &p_Sekcja, qsizetype p_E, double p_Modul, bool p_Minus,
                             const TFormatSettings &p_FS)
{
    const QString mantysa = p_Sekcja.left(p_E);
    qsizetype koniecWykladnika = p_E + 2;
    while (koniecWykladnika < p_Sekcja.size() && koniecWykladnika - p_E - 2 < 4
           && p_Sekcja[koniecWykladnika] == QLatin1Char('0'))
        ++koniecWykladnika;
    const int cyfryWykladnika = int(koniecWykladnika - p_E - 2);

    const qsizetype kropka = mantysa.indexOf(QLatin1Char('.'));
    int calkowite = 0;
    int ulamkowe = 0;
    for (qsizetype i = 0; i < mantysa.size(); ++i)
        if (jestZnakiemCyfry(mantysa[i]))
            ++(kropka >= 0 && i > kropka ? ulamkowe : calkowite);
    calkowite = std::max(calkowite, 1);

    int wykladnik = 0;
    double wartosc = p_Modul;
    if (p_Modul != 0) {
        wykladnik = int(std::floor(std::log10(p_Modul))) - (calkowite - 1);
        wartosc = p_Modul / std::pow(10.0, wykladnik);
        // Rounding to the mask's decimals may carry into one more integer digit.
        if (tekstStaly(wartosc, ulamkowe).toDouble() >= std::pow(10.0, calkowite)) {
            ++wykladnik;
            wartosc = p_Modul / std::pow(10.0, wykladnik);
        }
    }
    const QString znak = wykladnik < 0 ? QStringLiteral("-")
                                       : (p_Sekcja[p_E + 1] == QLatin1Char('+') ? QStringLiteral("+") : QString());
    return sformatujSekcje(mantysa, wartosc, p_Minus, p_FS) + p_Sekcja[p_E] + znak
           + QString::number(std::abs(wykladnik)).rightJustified(cyfryWykladnika, QLatin1Char('0'))
           + p_Sekcja.mid(koniecWykladnika);
}

QString sformatujDowolnie(const QString &p_Sekcja, double p_Modul, bool p_Minus, const TFormatSettings &p_FS)
{
    const qsizetype e = pozycjaWykladnika(p_Sekcja);
    return e < 0 ? sformatujSekcje(p_Sekcja, p_Modul, p_Minus, p_FS)
                 : sformatujWykladniczo(p_Sekcja, e, p_Modul, p_Minus, p_FS);
}

} // namespace

std::optional<QString> FormatujLiczbeWgMaski(const QString &p_Maska, double p_Wartosc, const TFormatSettings &p_FS)
{
    if (!std::isfinite(p_Wartosc))
        return std::nullopt;
    const QStringList sekcje = p_Maska.split(QLatin1Char(';'));
    if (p_Wartosc == 0 && sekcje.size() >= 3 && !sekcje[2].isEmpty())
        return sformatujDowolnie(sekcje[2], 0, false, p_FS);
    if (p_Wartosc < 0 && sekcje.size() >= 2 && !sekcje[1].isEmpty())
        return sformatujDowolnie(sekcje[1], -p_Wartosc, false, p_FS);
    return sformatujDowolnie(sekcje[0], std::fabs(p_Wartosc), p_Wartosc < 0, p_FS);
}

std::optional<QString> FormatujUlamekWgMaski(const QString &p_Maska, double p_Wartosc, const QString &p_TekstLiczby,
                                             const TFormatSettings &p_FS)
{
    const auto calosc = FormatujLiczbeWgMaski(p_Maska, p_Wartosc, p_FS);
    // An exponent mask shows the value as the mask has it.
    if (!calosc || pozycjaWykladnika(p_Maska) >= 0)
        return calosc;
    const qsizetype separator = calosc->indexOf(p_FS.DecimalSeparator);
    QString wynik = separator < 0 ? *calosc : calosc->left(separator);
    // The fraction alone: the plain text with its integer digits replaced by "0".
    const qsizetype kropka = p_TekstLiczby.indexOf(QLatin1Char('.'));
    if (kropka < 0 || p_TekstLiczby.contains(QLatin1Char('E')))
        return wynik;
    const double ulamek = (QStringLiteral("0") + p_TekstLiczby.mid(kropka)).toDouble();
    const auto tekstUlamka = FormatujLiczbeWgMaski(p_Maska, ulamek, p_FS);
    const qsizetype sepUlamka = tekstUlamka ? tekstUlamka->indexOf(p_FS.DecimalSeparator) : -1;
    if (sepUlamka < 0)
        return wynik;
    const QString poSeparatorze = tekstUlamka->mid(sepUlamka);
    for (const QChar c : poSeparatorze)
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            return wynik + poSeparatorze;
    return wynik;
}
