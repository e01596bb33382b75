// Any input: the repair of forbidden character references returns or raises
// our exception; what it leaves alone is unchanged, what it repairs shrinks.
#include "NaprawaXML.h"
#include "Wyjatki.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    const QByteArray wejscie(reinterpret_cast<const char *>(p_Dane), qsizetype(p_Rozmiar));
    QByteArray bajty = wejscie;
    bool naprawiono = false;
    try {
        naprawiono = NaprawTrescXML(bajty);
    } catch (const Exception &) {
        if (bajty != wejscie)
            std::abort();
        return 0;
    }
    if (naprawiono ? bajty.size() >= wejscie.size() : bajty != wejscie)
        std::abort();
    return 0;
}
