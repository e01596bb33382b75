#include "ObslugaZapisuDanych.h"

#include "Obiekt.h"

#include <algorithm>

TObslugaZapisuDanych::TObslugaZapisuDanych(const TObiekt &p_Korzen, const TArrayOfConst &p_Pola, bool p_Zapisz,
                                           int16_t p_MaxNrPola)
    : FKorzen(&p_Korzen), FZapisz(p_Zapisz), FMaxNrPola(p_MaxNrPola)
{
    for (const TVarRec &element : p_Pola) {
        if (element.Rodzaj() != TVarRec::TRodzaj::Integer && element.Rodzaj() != TVarRec::TRodzaj::Int64)
            throw LkException(Format(QStringLiteral("%s: B\u0142\u0119dny typ indeksu"), {QStringLiteral("OBW")}));
        const int64_t nr = element.JakoInt64();
        if (nr < 0 || nr > p_Korzen.RozmPolaNr(-1) || !p_Korzen.MaWartosc(static_cast<int16_t>(nr)))
            continue;
        const auto it = std::lower_bound(FPola.begin(), FPola.end(), static_cast<int16_t>(nr));
        if (it == FPola.end() || *it != nr)
            FPola.insert(it, static_cast<int16_t>(nr));
    }
}

bool TObslugaZapisuDanych::CzyZapisacPole(const TObiekt &p_Obiekt, int16_t p_NrPola) const
{
    if (&p_Obiekt != FKorzen)
        return true;
    const bool naLiscie = std::binary_search(FPola.begin(), FPola.end(), p_NrPola);
    return naLiscie == FZapisz && p_NrPola <= FMaxNrPola;
}
