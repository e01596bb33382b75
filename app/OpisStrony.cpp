#include "OpisStrony.h"

#include <QFile>
#include <QList>
#include <QRegularExpression>

#include <algorithm>

// Measured on this engine (load, then print; the busiest process tree):
// 7.7 MB of page, 999 goods items, the largest message met in practice:
// 12 s + 1.5 min, 2.4 GB; 15 MB: 9 s + 3 min, 3.6 GB; 30 MB: 2 min + 21 min.
// The time grows faster than the size: past 16 MB a printout is a gamble.
const qint64 MaksRozmiarStronyDoPDF = 16 * 1024 * 1024;

namespace {

// The @page rule stands in the head's style sheet, near the start of the page.
constexpr qint64 poczatekStrony = 256 * 1024;

// One CSS length in millimetres; negative when it is not one we know.
double milimetry(const QString &p_Dlugosc)
{
    static const QRegularExpression wzor(QStringLiteral("^([0-9]*\\.?[0-9]+)(in|cm|mm|pt|px)?$"));
    const auto dopasowanie = wzor.match(p_Dlugosc.trimmed());
    if (!dopasowanie.hasMatch())
        return -1;
    const double wartosc = dopasowanie.captured(1).toDouble();
    const QString jednostka = dopasowanie.captured(2);
    if (jednostka == QLatin1String("in"))
        return wartosc * 25.4;
    if (jednostka == QLatin1String("cm"))
        return wartosc * 10;
    if (jednostka == QLatin1String("pt"))
        return wartosc * 25.4 / 72;
    if (jednostka == QLatin1String("px"))
        return wartosc * 25.4 / 96;
    return jednostka == QLatin1String("mm") || wartosc == 0 ? wartosc : -1;
}

QString megabajty(qint64 p_Bajty)
{
    return QString::number((p_Bajty + 1024 * 1024 - 1) / (1024 * 1024));
}

} // namespace

// The browser's PDF printer takes its margins from the caller and ignores
// the page's @page rule, so the rule's margins are read and handed over.
QMarginsF MarginesyStrony(const QString &p_Html)
{
    static const QRegularExpression regula(QStringLiteral("@page\\s*\\{[^}]*?\\bmargin\\s*:\\s*([^;}]+)"));
    const auto dopasowanie = regula.match(p_Html);
    if (!dopasowanie.hasMatch())
        return {};
    QList<double> d;
    for (const QString &czesc : dopasowanie.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const double mm = milimetry(czesc);
        if (mm < 0)
            return {};
        d.append(mm);
    }
    // CSS order: top, right, bottom, left, with the usual shorthands.
    switch (d.size()) {
    case 1:
        return {d[0], d[0], d[0], d[0]};
    case 2:
        return {d[1], d[0], d[1], d[0]};
    case 3:
        return {d[1], d[0], d[1], d[2]};
    case 4:
        return {d[3], d[0], d[1], d[2]};
    default:
        return {};
    }
}

TOpisStrony OpiszStrone(const QUrl &p_Adres)
{
    TOpisStrony opis;
    opis.Adres = p_Adres;
    QFile plik(p_Adres.toLocalFile());
    if (!plik.open(QIODevice::ReadOnly))
        return opis;
    opis.Rozmiar = plik.size();
    QByteArray poczatek = plik.read(poczatekStrony);
    const qsizetype koniecNaglowka = poczatek.indexOf("</head>");
    if (koniecNaglowka >= 0)
        poczatek.truncate(koniecNaglowka);
    opis.Marginesy = MarginesyStrony(QString::fromLatin1(poczatek));
    return opis;
}

QString OdmowaWydruku(const TOpisStrony &p_Strona)
{
    if (p_Strona.Rozmiar < 0)
        return QStringLiteral("Brak strony do wydruku:\r") + p_Strona.Adres.toLocalFile();
    if (p_Strona.Rozmiar > MaksRozmiarStronyDoPDF)
        return QStringLiteral("Dokument jest zbyt duży, aby go wydrukować:\rstrona ma %1 MB, a wydruk przyjmuje "
                              "najwyżej %2 MB.")
            .arg(megabajty(p_Strona.Rozmiar), megabajty(MaksRozmiarStronyDoPDF));
    return QString();
}

QPageLayout UkladWydruku(const TOpisStrony &p_Strona, const QPageSize &p_Papier, QPageLayout::Orientation p_Orientacja)
{
    QPageLayout uklad(p_Papier, p_Orientacja, QMarginsF(), QPageLayout::Millimeter);
    // Margins wider than small paper allows would make the layout refuse them:
    // the widest the paper takes is the nearest that prints.
    const QMarginsF maks = uklad.maximumMargins();
    const QMarginsF &m = p_Strona.Marginesy;
    uklad.setMargins(QMarginsF(std::min(m.left(), maks.left()), std::min(m.top(), maks.top()),
                               std::min(m.right(), maks.right()), std::min(m.bottom(), maks.bottom())));
    return uklad;
}
