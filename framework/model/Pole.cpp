#include "Pole.h"

#include "KodowanieZnakow.h"
#include "OdczytywaczTekstu.h"

QByteArray TPole::GetJakoLkAnsiString() const
{
    return TekstNaPolskiAnsi(GetJakoString());
}

void TPole::SetJakoLkAnsiString(const QByteArray &p_Wartosc)
{
    SetJakoString(TekstZPolskiegoAnsi(p_Wartosc));
}

QString TPole::WartWgMaski(const QString &, const TFormatSettings *) const
{
    return GetJakoString();
}

bool TPole::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    TLkParser &parser = p_Odczytywacz.Parser();
    if (parser.Token() == TLkParser::toWString)
        SetJakoString(QString::fromUtf8(parser.TokenView()));
    else
        SetJakoLkAnsiString(parser.TokenString());
    parser.NextToken();
    return !MaDefWartosc();
}
