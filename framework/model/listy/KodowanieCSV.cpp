#include "KodowanieCSV.h"

#include "JadroKlas.h"
#include "KodowanieZnakow.h"
#include "TabeleKonwersji.h"

namespace {

bool JestKoncemLinii(QChar p_Znak)
{
    return p_Znak == QLatin1Char('\r') || p_Znak == QLatin1Char('\n');
}

// The text kept on one line: breaks at its ends go, the others become blanks.
QString WJednejLinii(const QString &p_Tekst)
{
    qsizetype od = 0;
    qsizetype doo = p_Tekst.size();
    while (od < doo && JestKoncemLinii(p_Tekst[od]))
        ++od;
    while (doo > od && JestKoncemLinii(p_Tekst[doo - 1]))
        --doo;
    QString tekst = p_Tekst.mid(od, doo - od);
    for (QChar &znak : tekst)
        if (JestKoncemLinii(znak))
            znak = QLatin1Char(' ');
    return tekst;
}

QByteArray NaBajty(const QString &p_Tekst, TTypKodowaniaCSV p_TypKodowania)
{
    switch (p_TypKodowania) {
    case tkcUTF8:
        return p_Tekst.toUtf8();
    case tkcISO88592:
        return Win1250NaISO88592(TekstNaPolskiAnsi(p_Tekst));
    case tkcDomyslny:
    case tkcWin1250:
        break;
    }
    return TekstNaPolskiAnsi(p_Tekst);
}

} // namespace

TFormatSettings FormatDatyCSV(const TFormatSettings *p_FormatDaty)
{
    return p_FormatDaty ? *p_FormatDaty : DajJadroKlas().DefFormatDatyCSV();
}

QByteArray KomorkaCSV(const QString &p_Tekst, char p_Separator, TTypKodowaniaCSV p_TypKodowania,
                      bool p_ZawszeCudzyslow, bool p_TekstDoLinii)
{
    const QString tekst = p_TekstDoLinii ? WJednejLinii(p_Tekst) : p_Tekst;
    if (tekst.isEmpty())
        return {};
    const QByteArray bajty = NaBajty(tekst, p_TypKodowania);
    const bool wCudzyslowie = p_ZawszeCudzyslow || bajty.contains(p_Separator) || bajty.contains('\r')
                           || bajty.contains('\n') || bajty.contains('"');
    if (!wCudzyslowie)
        return bajty;
    QByteArray komorka;
    komorka.reserve(bajty.size() + 2);
    komorka += '"';
    for (qsizetype i = 0; i < bajty.size(); ++i) {
        const char znak = bajty[i];
        komorka += znak;
        if (znak == '"')
            komorka += '"';
        // A lone CR would end the row in readers that take CR LF only.
        else if (znak == '\r' && (i + 1 == bajty.size() || bajty[i + 1] != '\n'))
            komorka += '\n';
    }
    komorka += '"';
    return komorka;
}
