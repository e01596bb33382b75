#pragma once

#include "LkParser.h"

// Tokenizer of the XML format: qualified names ("ns5:CC529C") are one symbol,
// a double-quoted value is one raw string token (entities are the reader's
// work), everything else ("<", "/", "=", "?", "!", ">") a single character.
class TLkXMLParser : public TLkParser
{
public:
    explicit TLkXMLParser(TStream *p_Stream);

    unsigned char NextToken() override;

    // The next NextToken keeps the blanks before its token (and clears the flag).
    bool ZachowajSpacje = false;

private:
    char *CzytajTekstXML(char *p, bool p_PoZnakuWiekszosci);
};
