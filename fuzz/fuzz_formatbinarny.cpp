// Any input: a binary document read into an object, or one of our
// exceptions with the object cleared; never an out-of-bounds read, a hostile
// length's allocation or a stack overflow. What was read writes back to bytes
// that read and write to the same bytes again.
// Input: a byte with the reader's options, then the stream's portion byte and the document.
#include "KlasaDokumentu.h"
#include "OdczytywaczBinarny.h"
#include "StringCache.h"
#include "StrumienPorcjami.h"
#include "Wyjatki.h"
#include "ZapisywaczBinarny.h"

#include <cstdlib>

namespace {

QByteArray zapisz(TObiekt &p_Obiekt, bool p_Ansi)
{
    TMemoryStream strumien;
    TZapisywaczBinarny zapisywacz(strumien, false, p_Ansi ? ozNapisyWin1250 : 0);
    zapisywacz.ZapiszObiekt(p_Obiekt);
    return strumien.Bajty();
}

QByteArray przepisz(const QByteArray &p_Obraz, bool p_Ansi)
{
    TDokumentFuzz obiekt;
    TMemoryStream strumien(p_Obraz);
    TOdczytywaczBinarny odczytywacz(strumien, p_Ansi);
    odczytywacz.WczytajObiekt(obiekt);
    return zapisz(obiekt, p_Ansi);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    if (p_Rozmiar == 0)
        return 0;
    const bool ansi = p_Dane[0] & 1;
    TStrumienPorcjami strumien(p_Dane + 1, p_Rozmiar - 1);
    TStringCache cache;
    TDokumentFuzz obiekt;
    try {
        TOdczytywaczBinarny odczytywacz(strumien, ansi, p_Dane[0] & 2 ? &cache : nullptr);
        odczytywacz.WczytajObiekt(obiekt);
    } catch (const Exception &) {
        if (obiekt.MaWartosc(-1))
            std::abort();
        return 0;
    }
    const QByteArray raz = zapisz(obiekt, ansi);
    if (przepisz(raz, ansi) != przepisz(przepisz(raz, ansi), ansi))
        std::abort();
    return 0;
}
