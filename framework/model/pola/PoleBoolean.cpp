#include "PoleBoolean.h"

#include "KodowanieZnakow.h"
#include "OdczytywaczTekstu.h"
#include "ParsowanieTekstu.h"
#include "StrumienBinarny.h"
#include "ZapisywaczTekstu.h"

#include <algorithm>

QString TPoleBoolean::GetJakoString() const
{
    return QString(QLatin1Char(Wartosc ? SlowoPrawda[0] : SlowoFalsz[0]));
}

void TPoleBoolean::SetJakoString(const QString &p_Wartosc)
{
    Wartosc = TekstNaBoolean(p_Wartosc);
}

void TPoleBoolean::SetJakoVariant(const Variant &p_Wartosc)
{
    if (p_Wartosc.Typ() == Variant::TTyp::Boolean)
        Wartosc = p_Wartosc.JakoBoolean();
    else
        SetJakoString(p_Wartosc.JakoString());
}

QString TPoleBoolean::WartWgMaski(const QString &p_Maska, const TFormatSettings *) const
{
    if (p_Maska.isEmpty())
        return GetJakoString();
    const qsizetype srednik = p_Maska.indexOf(QLatin1Char(';'));
    if (srednik < 0)
        return Wartosc ? p_Maska : QString();
    if (Wartosc)
        return p_Maska.left(srednik);
    return p_Maska.section(QLatin1Char(';'), 1, 1);
}

int16_t TPoleBoolean::Porownaj(const TPole &p_Pole, TPorownywaczDanych *) const
{
    const bool tam = p_Pole.GetJakoVariant().JakoBoolean();
    return Wartosc == tam ? 0 : (Wartosc ? 1 : -1);
}

bool TPoleBoolean::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    TLkParser &parser = p_Odczytywacz.Parser();
    switch (parser.Token()) {
    case TLkParser::toInteger:
        Wartosc = parser.TokenInt() != 0;
        break;
    case TLkParser::toSymbol: {
        // An ASCII word ("true" in JSON) reads in place: Windows-1250 leaves
        // ASCII as it is, so only other bytes and refusals take the text road.
        const QByteArrayView slowo = parser.TokenView();
        if (slowo == "true" || slowo == "false") {
            Wartosc = slowo.size() == 4;
            break;
        }
        const bool ascii = std::all_of(slowo.begin(), slowo.end(), [](char p_Bajt) {
            return static_cast<unsigned char>(p_Bajt) < 0x80;
        });
        if (const auto wartosc = ascii ? SprobujTekstNaBoolean(slowo) : std::nullopt)
            Wartosc = *wartosc;
        else
            SetJakoLkAnsiString(parser.TokenString());
        break;
    }
    case TLkParser::toWString:
        SetJakoString(QString::fromUtf8(parser.TokenView()));
        break;
    default:
        SetJakoString(TekstZPolskiegoAnsi(parser.TokenString()));
        break;
    }
    parser.NextToken();
    return Wartosc;
}

void TPoleBoolean::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    p_Zapisywacz.ZapiszBoolean(Wartosc);
}

void TPoleBoolean::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &) const
{
    ZapiszLE<uint8_t>(p_Strumien, Wartosc ? 1 : 0);
}

void TPoleBoolean::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    Wartosc = CzytajLE<uint8_t>(p_Strumien) != 0;
}
