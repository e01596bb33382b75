#include "FormatowanieLiczb.h"

#include <QStringList>

#include <cmath>
#include <cstdio>

namespace {

bool jestZnakiemCyfry(QChar p_Znak)
{
    return p_Znak == QLatin1Char('0') || p_Znak == QLatin1Char('#');
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

    char bufor[400];
    std::snprintf(bufor, sizeof bufor, "%.*f", maksUlamkowych, p_Modul);
    QString liczba = QString::fromLatin1(bufor);
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

} // namespace

std::optional<QString> FormatujLiczbeWgMaski(const QString &p_Maska, double p_Wartosc, const TFormatSettings &p_FS)
{
    if (p_Maska.contains(QLatin1String("E+"), Qt::CaseInsensitive) ||
        p_Maska.contains(QLatin1String("E-"), Qt::CaseInsensitive) || !std::isfinite(p_Wartosc))
        return std::nullopt;
    const QStringList sekcje = p_Maska.split(QLatin1Char(';'));
    if (p_Wartosc == 0 && sekcje.size() >= 3 && !sekcje[2].isEmpty())
        return sformatujSekcje(sekcje[2], 0, false, p_FS);
    if (p_Wartosc < 0 && sekcje.size() >= 2 && !sekcje[1].isEmpty())
        return sformatujSekcje(sekcje[1], -p_Wartosc, false, p_FS);
    return sformatujSekcje(sekcje[0], std::fabs(p_Wartosc), p_Wartosc < 0, p_FS);
}

std::optional<QString> FormatujUlamekWgMaski(const QString &p_Maska, double p_Wartosc, const QString &p_TekstLiczby,
                                             const TFormatSettings &p_FS)
{
    const auto calosc = FormatujLiczbeWgMaski(p_Maska, p_Wartosc, p_FS);
    if (!calosc)
        return std::nullopt;
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
