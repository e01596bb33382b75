#pragma once

#include "LkParser.h"

// Tokenizer of the JSON format: a string token keeps its escapes (the reader
// unescapes after decoding UTF-8); true, false and null are symbols. Final, so
// that readers holding it call NextToken directly.
class TLkJSONParser final : public TLkParser
{
public:
    explicit TLkJSONParser(TStream *p_Stream);

    unsigned char NextToken() override;

private:
    char *CzytajTekstJSON(char *p);
};
