#include "PoleBoolean.h"

#include "OdczytywaczTekstu.h"
#include "ParsowanieTekstu.h"

const TOpisKlasy TPoleBoolean::Opis = {
    "TPoleBoolean", &TPole::Opis, [](TObiektBazowy *p_Rodzic) -> TPole * { return new TPoleBoolean(p_Rodzic); }, {}};

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
    TLkParser &parser = p_Odczytywacz.Parser();
    if (parser.Token() == TLkParser::toInteger) {
        Wartosc = parser.TokenInt() != 0;
        parser.NextToken();
        return Wartosc;
    }
    return TPole::WczytajTekstowo(p_Odczytywacz);
}
