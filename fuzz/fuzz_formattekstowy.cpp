// Any input: a native text document read into an object, or one of our
// exceptions with the object cleared; never an out-of-bounds read, a loop or
// a stack overflow. What was read writes as text that reads back.
// Input: a byte with the reader's options, then the stream's portion byte and the text.
#include "KlasaDokumentu.h"
#include "OdczytywaczNatywny.h"
#include "StringCache.h"
#include "StrumienPorcjami.h"
#include "Wyjatki.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    if (p_Rozmiar == 0)
        return 0;
    TStrumienPorcjami strumien(p_Dane + 1, p_Rozmiar - 1);
    TStringCache cache;
    TDokumentFuzz obiekt;
    try {
        TOdczytywaczNatywny odczytywacz(&strumien, p_Dane[0] & 1 ? &cache : nullptr);
        odczytywacz.WczytajObiekt(obiekt);
    } catch (const Exception &) {
        if (obiekt.MaWartosc(-1))
            std::abort();
        return 0;
    }
    const QByteArray tekst = obiekt.ZapiszWTekscie();
    TDokumentFuzz kopia;
    try {
        kopia.WczytajZTekstu(tekst);
    } catch (const Exception &) {
        std::abort();
    }
    if (kopia.ZapiszWTekscie() != tekst)
        std::abort();
    return 0;
}
