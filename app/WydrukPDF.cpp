#include "WydrukPDF.h"

#include "PlikiTekstowe.h"
#include "WidokDokumentu.h"

#include <QEventLoop>
#include <QPageLayout>
#include <QPageSize>
#include <QRegularExpression>
#include <QTimer>
#include <QWebEnginePage>

namespace {

constexpr int limitCzasuMs = 120000;

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

namespace {

// Runs the event loop until the signal fires or the time runs out.
template<typename Sygnal, typename Obsluga>
bool czekajNa(QWebEnginePage *p_Strona, Sygnal p_Sygnal, Obsluga p_Obsluga)
{
    QEventLoop petla;
    bool doczekano = false;
    QTimer::singleShot(limitCzasuMs, &petla, &QEventLoop::quit);
    const auto polaczenie = QObject::connect(p_Strona, p_Sygnal, &petla, [&](auto... p_Argumenty) {
        p_Obsluga(p_Argumenty...);
        doczekano = true;
        petla.quit();
    });
    petla.exec();
    QObject::disconnect(polaczenie);
    return doczekano;
}

} // namespace

bool WydrukujDoPDF(const QUrl &p_Strona, const QString &p_PlikPDF, QString &p_Blad)
{
    QString html;
    WczytajTekstZPliku(html, p_Strona.toLocalFile());

    TWidokDokumentu widok;
    QWebEnginePage *strona = widok.page();

    bool zaladowano = false;
    strona->load(p_Strona);
    if (!czekajNa(strona, &QWebEnginePage::loadFinished, [&](bool p_Ok) { zaladowano = p_Ok; }) || !zaladowano) {
        p_Blad = QStringLiteral("cannot load the page ") + p_Strona.toString();
        return false;
    }

    bool wydrukowano = false;
    strona->printToPdf(p_PlikPDF, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              MarginesyStrony(html), QPageLayout::Millimeter));
    if (!czekajNa(strona, &QWebEnginePage::pdfPrintingFinished,
                  [&](const QString &, bool p_Ok) { wydrukowano = p_Ok; })
        || !wydrukowano) {
        p_Blad = QStringLiteral("cannot print the page to ") + p_PlikPDF;
        return false;
    }
    return true;
}
