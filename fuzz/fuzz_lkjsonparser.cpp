// Any input: TLkJSONParser ends with tokens or an ELkParserError, never reads
// out of bounds or loops; and the structural index (best and baseline block
// scans) gives exactly what the byte scan gives: every token, its position,
// line and column, every error message. Bit 4 of the first byte (whose low
// bits choose the stream's portion size) adds the base class's raw reads to
// the walk.
#include "LkJSONParser.h"
#include "PrzejdzTokeny.h"

#include <QByteArray>

namespace {

QByteArray Slad(const uint8_t *p_Dane, size_t p_Rozmiar, TLkJSONParser::TDroga p_Droga)
{
    TStrumienPorcjami strumien(p_Dane, p_Rozmiar);
    const bool surowe = p_Rozmiar > 0 && (p_Dane[0] & 0x10) != 0;
    QByteArray slad;
    try {
        TLkJSONParser parser(&strumien, p_Droga);
        for (size_t i = 0; parser.Token() != TLkParser::toEOF && i <= p_Rozmiar; ++i) {
            slad += QByteArray::number(parser.Token()) + ' ' + QByteArray::number(parser.SourcePos()) + ' '
                  + QByteArray::number(parser.SourceLine()) + ' ' + QByteArray::number(parser.SourceColumn()) + ' '
                  + parser.TokenString() + '\n';
            if (surowe && parser.Token() == '[') {
                slad += parser.ReadTextUpTo(']', (i & 1) != 0) + '\n';
                parser.NextToken();
            } else if (surowe && parser.Token() == ':') {
                parser.SkipTextUpTo(',');
                parser.ReadNextChar();
            } else {
                parser.NextToken();
            }
        }
    } catch (const ELkParserError &e) {
        slad += e.Message().toUtf8();
    }
    return slad;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    PrzejdzTokeny<TLkJSONParser>(p_Dane, p_Rozmiar);
    const QByteArray bajtPoBajcie = Slad(p_Dane, p_Rozmiar, TLkJSONParser::TDroga::BajtPoBajcie);
    if (Slad(p_Dane, p_Rozmiar, TLkJSONParser::TDroga::Indeks) != bajtPoBajcie
        || Slad(p_Dane, p_Rozmiar, TLkJSONParser::TDroga::IndeksPodstawowy) != bajtPoBajcie)
        __builtin_trap();
    return 0;
}
