// Any input: a file container (identifier or resource header, zlib, Blowfish) read into an
// object, or one of our exceptions with the object cleared; never a crash,
// a hostile allocation or a hang on damaged compressed or encrypted data.
// Input: a byte choosing the format, the save-type bits, the identifier and
// the password, then the container's bytes.
#include "KlasaDokumentu.h"
#include "KontenerPliku.h"
#include "Strumienie.h"
#include "Wyjatki.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    if (p_Rozmiar == 0)
        return 0;
    const uint8_t wybor = p_Dane[0];
    // Bits 0, 6 and 7 pick the format.
    const int16_t formaty[] = {tzpBinarny, tzpTekstowy, tzpXML,         tzpXML | tzpXMLWierszowy,
                               tzpJSON,    tzpBinarny,  tzpTekstowyRES, tzpJSON};
    int16_t typ = formaty[(wybor & 1) | ((wybor >> 5) & 6)];
    if (wybor & 2)
        typ |= tzpSzyfrowany;
    if (wybor & 4)
        typ |= tzpSkompresowany;
    if (wybor & 8)
        typ |= tzpWin1250;
    const QByteArray identyfikator = wybor & 0x10 ? QByteArrayLiteral("OSTR") : QByteArray();
    const QByteArray haslo = wybor & 0x20 ? QByteArrayLiteral("tajne") : QByteArray();
    TMemoryStream plik(QByteArray(reinterpret_cast<const char *>(p_Dane + 1), static_cast<qsizetype>(p_Rozmiar - 1)));
    TDokumentFuzz obiekt;
    try {
        WczytajKontener(obiekt, plik, identyfikator, typ, haslo);
    } catch (const Exception &) {
        if (obiekt.MaWartosc(-1))
            std::abort();
    }
    return 0;
}
