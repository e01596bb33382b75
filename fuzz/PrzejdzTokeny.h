#pragma once

// The walk every tokenizer's fuzz target makes: any input ends with tokens or
// an ELkParserError, never reads out of bounds or loops.
#include "LkParser.h"
#include "StrumienPorcjami.h"
#include "WyjatkiModelu.h"

template<typename TParser>
int PrzejdzTokeny(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    TStrumienPorcjami strumien(p_Dane, p_Rozmiar);
    try {
        TParser parser(&strumien);
        // Each token consumes at least one byte; the bound only guards against a loop.
        for (size_t i = 0; parser.Token() != TLkParser::toEOF && i <= p_Rozmiar; ++i) {
            parser.TokenString();
            parser.SourceColumn();
            try {
                parser.TokenInt();
            } catch (const ELkParserError &) {
            }
            switch (parser.Token()) {
            case '{':
                {
                    TMemoryStream binarne;
                    parser.HexToBinary(&binarne);
                }
                break;
            case '<':
                parser.ReadTextUpTo('>', (i & 1) != 0);
                parser.NextToken();
                break;
            case '!':
                parser.SkipTextUpTo('-');
                parser.ReadNextChar();
                break;
            default:
                parser.NextToken();
            }
        }
    } catch (const ELkParserError &) {
    }
    return 0;
}
