#include "Pole.h"

#include "KodowanieZnakow.h"

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
