#include "PorownanieTekstow.h"

#include "TabeleStronKodowych.h"

#include <QByteArray>

namespace {

char16_t duzaAscii(char16_t p_Znak)
{
    return p_Znak >= u'a' && p_Znak <= u'z' ? char16_t(p_Znak - 32) : p_Znak;
}

int porownajKodami(const QString &p_A, const QString &p_B, bool p_BezWielkosci, bool p_KodyPolskie)
{
    const TTablicaStronyKodowej &tablica = TablicaPolskiAnsi();
    const auto kod = [&](QChar p_Znak) -> int {
        char16_t znak = p_Znak.unicode();
        if (p_BezWielkosci)
            znak = duzaAscii(znak);
        if (!p_KodyPolskie)
            return znak;
        const int bajt = tablica.Bajt(znak);
        return bajt >= 0 ? bajt : znak;
    };
    const qsizetype dlugosc = std::min(p_A.size(), p_B.size());
    for (qsizetype i = 0; i < dlugosc; ++i)
        if (const int roznica = kod(p_A[i]) - kod(p_B[i]))
            return roznica;
    return p_A.size() < p_B.size() ? -1 : (p_A.size() > p_B.size() ? 1 : 0);
}

} // namespace

int PorownajTeksty(const QString &p_A, const QString &p_B, bool p_BezWielkosci, uint32_t p_LocaleID)
{
    switch (p_LocaleID) {
    case LocalePorzadkowy:
        return porownajKodami(p_A, p_B, p_BezWielkosci, false);
    case LocaleDomyslny:
    case LocaleUzytkownika:
        return porownajKodami(p_A, p_B, p_BezWielkosci, true);
    default:
        // No per-locale collation tables here; the user's locale stands for any other.
        return p_BezWielkosci ? QString::localeAwareCompare(p_A.toCaseFolded(), p_B.toCaseFolded())
                              : QString::localeAwareCompare(p_A, p_B);
    }
}

int PorownajBajty(const QByteArray &p_A, const QByteArray &p_B, bool p_BezWielkosci)
{
    return p_BezWielkosci ? p_A.compare(p_B, Qt::CaseInsensitive) : p_A.compare(p_B, Qt::CaseSensitive);
}
