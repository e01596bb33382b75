#include "KomunikatECS.h"

#include "TypyDokumentow.h"

std::unique_ptr<TCC529C> WczytajKomunikatECS(const QString &p_NazwaPliku, const TTypDokumentu &p_Typ)
{
    std::unique_ptr<TCC529C> komunikat;
    if (p_Typ.NazwaLokalna == QLatin1String("CC599C"))
        komunikat = std::make_unique<TCC599C>();
    else
        komunikat = std::make_unique<TCC529C>();
    // The standard dialect reads an element's text into its field. False
    // only says that something was skipped: the namespace declarations and
    // every element the register does not keep.
    komunikat->WczytajZPlikuXML(p_NazwaPliku, tzxStandard);
    return komunikat;
}
