#include "PolaDatyICzasu.h"

#include "DatyICzasy.h"
#include "OdczytywaczXML.h"
#include "StrumienBinarny.h"
#include "ZapisywaczXML.h"

#include <cmath>

namespace {

bool czyCzescCzasuPoSeparatorze(const QString &p_Tekst)
{
    int pozycja = p_Tekst.indexOf(QLatin1Char('T'));
    if (pozycja < 0)
        pozycja = p_Tekst.indexOf(QLatin1Char(' '));
    return pozycja >= 0 && pozycja + 1 < p_Tekst.size() && p_Tekst[pozycja + 1].isDigit();
}

} // namespace

// No locale of the machine leaks into texts: the model's settings stand for the regional ones.
const TFormatSettings &TPoleDateTimeBazowe::UstawieniaDoTekstu()
{
    return UstawieniaDatModelu();
}

QString TPoleDateTimeBazowe::WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS) const
{
    const TFormatSettings &fs = p_FS ? *p_FS : UstawieniaDoTekstu();
    if (p_Maska.isEmpty())
        return TekstWgUstawien(fs);
    return FormatujDateCzas(p_Maska, Wartosc, fs);
}

void TPoleDate::WczytajZTekstu(const QString &p_Tekst, const TFormatSettings *p_FS)
{
    const int separator = [&] {
        const int t = p_Tekst.indexOf(QLatin1Char('T'));
        return t >= 0 ? t : p_Tekst.indexOf(QLatin1Char(' '));
    }();
    if (czyCzescCzasuPoSeparatorze(p_Tekst)) {
        UstawWartosc(ParsujDate(p_Tekst.left(separator), p_FS));
        return;
    }
    if (const auto data = SprobujParsowacDate(p_Tekst, p_FS))
        UstawWartosc(*data);
    else
        UstawWartosc(ParsujDateCzas(p_Tekst, p_FS));
}

QString TPoleDate::TekstWgUstawien(const TFormatSettings &p_FS) const
{
    return FormatujDateCzas(p_FS.ShortDateFormat, Wartosc, p_FS);
}

void TPoleTime::WczytajZTekstu(const QString &p_Tekst, const TFormatSettings *p_FS)
{
    const TFormatSettings &fs = p_FS ? *p_FS : UstawieniaDatModelu();
    if (const auto czas = SprobujParsowacCzas(p_Tekst, fs))
        UstawWartosc(*czas);
    else
        UstawWartosc(ParsujDateCzas(p_Tekst, p_FS));
}

QString TPoleTime::TekstWgUstawien(const TFormatSettings &p_FS) const
{
    return FormatujDateCzas(p_FS.LongTimeFormat, Wartosc, p_FS);
}

void TPoleDateTime::WczytajZTekstu(const QString &p_Tekst, const TFormatSettings *p_FS)
{
    UstawWartosc(ParsujDateCzas(p_Tekst, p_FS));
}

void TPoleDateTimeBazowe::SetJakoVariant(const Variant &p_Wartosc)
{
    if (p_Wartosc.JestTekstem())
        WczytajZTekstu(p_Wartosc.JakoString(), nullptr);
    else
        UstawWartosc(p_Wartosc.JakoDate());
}

void TPoleDateTime::SetJakoVariant(const Variant &p_Wartosc)
{
    if (p_Wartosc.JestTekstem()) {
        bool liczba = false;
        const double dni = p_Wartosc.JakoString().trimmed().toDouble(&liczba);
        if (liczba && std::isfinite(dni)) {
            UstawWartosc(dni);
            return;
        }
    }
    TPoleDateTimeBazowe::SetJakoVariant(p_Wartosc);
}

QString TPoleDateTime::TekstWgUstawien(const TFormatSettings &p_FS) const
{
    if (Wartosc == std::trunc(Wartosc))
        return FormatujDateCzas(p_FS.ShortDateFormat, Wartosc, p_FS);
    if (std::fabs(Wartosc) >= 1.0)
        return FormatujDateCzas(p_FS.ShortDateFormat + QLatin1Char(' ') + p_FS.LongTimeFormat, Wartosc, p_FS);
    return FormatujDateCzas(p_FS.LongTimeFormat, Wartosc, p_FS);
}

// ---- serialisation

void TPoleDateTimeBazowe::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    p_Zapisywacz.ZapiszTekst(FormatujDateCzas(FormatTekstowy(), Wartosc, UstawieniaDatModelu()));
}

bool TPoleDateTimeBazowe::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    const QString tekst = p_Odczytywacz.WczytajTekst();
    if (tekst.isEmpty())
        ZerujDane();
    else
        UstawZTekstuNatywnego(tekst);
    return !MaDefWartosc();
}

bool TPoleDateTimeBazowe::WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz)
{
    return WczytajTekstCzytelnika(p_Odczytywacz);
}

bool TPoleDateTimeBazowe::WczytajTekstCzytelnika(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    const QString tekst = p_Odczytywacz.WczytajTekst();
    if (tekst.isEmpty())
        ZerujDane();
    else
        WczytajZTekstu(tekst, nullptr);
    return !MaDefWartosc();
}

void TPoleDateTimeBazowe::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &) const
{
    ZapiszDouble(p_Strumien, Wartosc);
}

void TPoleDateTimeBazowe::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    UstawWartosc(CzytajDouble(p_Strumien));
}

void TPoleDate::UstawZTekstuNatywnego(const QString &p_Tekst)
{
    UstawWartosc(ParsujDate(p_Tekst.section(QLatin1Char(' '), 0, 0), nullptr));
}

void TPoleTime::UstawZTekstuNatywnego(const QString &p_Tekst)
{
    const qsizetype odstep = p_Tekst.indexOf(QLatin1Char(' '));
    WczytajZTekstu(odstep < 0 ? p_Tekst : p_Tekst.mid(odstep + 1), nullptr);
}

void TPoleDateTime::UstawZTekstuNatywnego(const QString &p_Tekst)
{
    // The date, and the time after the blank added; a date alone without one.
    UstawWartosc(ParsujDateCzas(p_Tekst, nullptr));
}

void TPoleDateTime::ZapiszXMLowo(TZapisywaczXML &p_Zapisywacz) const
{
    const bool bezCzasu = Wartosc == std::floor(Wartosc) && !p_Zapisywacz.ZapisujPustyCzas;
    p_Zapisywacz.ZapiszTekst(FormatujDateCzas(bezCzasu ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd'T'hh:mm:ss"),
                                              Wartosc, UstawieniaDatModelu()));
}
