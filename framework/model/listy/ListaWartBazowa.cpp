#include "ListaWartBazowa.h"

#include "BlokadaObiektu.h"

void TListaWartBazowa::DolaczZObiektu(const TObiekt &p_Obiekt, const TArrayOfConst &p_KtorePola, bool p_DuplikatyOk,
                                      bool p_Posortowana)
{
    TBlokadaObiektu blokada(this);
    for (const TVarRec &pole : p_KtorePola) {
        if (!pole.JestTekstem() && !pole.JestCalkowita())
            throw LkException(Format(QStringLiteral("%s: Błędny typ indeksu"), {QStringLiteral("DZO")}));
        const int16_t nr = pole.JestTekstem() ? p_Obiekt.NrPolaONazwie(pole.JakoString())
                                               : static_cast<int16_t>(pole.JakoInt64());
        if (nr < 0)
            throw LkException(Format(QStringLiteral("%s.%s: Brak pola o nazwie %s"),
                                     {ClassName(), QStringLiteral("DolaczZObiektu"), pole.JakoString()}));
        DolaczWartosc(p_Obiekt, nr, p_DuplikatyOk, p_Posortowana);
    }
}

QString TListaWartBazowa::OpisTekstowy() const
{
    return Format(QStringLiteral("%d elem."), {IleWartosci()});
}
