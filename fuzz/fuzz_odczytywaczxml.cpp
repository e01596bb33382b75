// Any input: a bare object's XML load ends normally, with ELkObcyTypError or
// another ELkParserError, never reads out of bounds, loops or recurses deeply.
#include "Obiekt.h"
#include "StrumienPorcjami.h"
#include "WyjatkiModelu.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    TStrumienPorcjami strumien(p_Dane, p_Rozmiar);
    TObiekt obiekt;
    try {
        obiekt.WczytajZPlikuXML(QStringLiteral("fuzz.xml"), tzxECS, &strumien);
    } catch (const ELkObcyTypError &e) {
        e.OdczytanyTyp(true);
        e.PrzestrzenNazw();
    } catch (const ELkParserError &) {
    }
    return 0;
}
