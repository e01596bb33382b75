// Any input: TLkXMLParser ends with tokens or an ELkParserError, never reads out of bounds or loops.
#include "LkXMLParser.h"
#include "PrzejdzTokeny.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    return PrzejdzTokeny<TLkXMLParser>(p_Dane, p_Rozmiar);
}
