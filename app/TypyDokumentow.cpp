#include "TypyDokumentow.h"

const TTypDokumentu *TypDokumentuONazwieLokalnej(const QString &p_NazwaLokalna)
{
    for (const TTypDokumentu &typ : TypyDokumentow)
        if (p_NazwaLokalna == typ.NazwaLokalna)
            return &typ;
    return nullptr;
}

const TTypDokumentu *TypDokumentuKorzenia(const QString &p_NazwaKwalifikowana, const QString &p_Przestrzen)
{
    // The exact name, searched from the last row down as the window's table is.
    for (auto it = TypyDokumentow.rbegin(); it != TypyDokumentow.rend(); ++it)
        if (p_NazwaKwalifikowana == it->Korzen)
            return &*it;
    const TTypDokumentu *typ =
        TypDokumentuONazwieLokalnej(p_NazwaKwalifikowana.mid(p_NazwaKwalifikowana.indexOf(QLatin1Char(':')) + 1));
    return typ && p_Przestrzen == typ->Przestrzen ? typ : nullptr;
}
