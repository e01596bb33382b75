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

    // The current token's text up to the next "<" (element content), or after
    // a "'" the text up to the next "'", becomes one string token of raw bytes.
    unsigned char NapisDoZnacznika();
    unsigned char NapisWApostrofach();
    // After an attribute's name: when "=" and a double-quoted value follow at
    // once, as they mostly do, both are read in one step and the value is the
    // current string token, just as two NextToken calls leave it; false, with
    // nothing read, otherwise.
    bool RownaSieIWartosc();
    // Removes every CR and LF from the current string token, in place.
    void UsunKonceLiniiZNapisu();

    // The next NextToken keeps the blanks before its token (and clears the flag).
    bool ZachowajSpacje = false;

private:
    char *CzytajTekstXML(char *p, bool p_PoZnakuWiekszosci);
};
