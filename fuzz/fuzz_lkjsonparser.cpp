// Any input: TLkJSONParser ends with tokens or an ELkParserError, never reads
// out of bounds or loops; and the structural index (best and baseline block
// scans) gives exactly what the byte scan gives: every token, its position,
// line and column, every error message, token by token and in batches. Bit 4
// of the first byte (whose low bits choose the stream's portion size) adds the
// base class's raw reads to the walk; bit 5 puts NextToken between batches.
#include "LkJSONParser.h"
#include "PorcjaTokenowJSON.h"
#include "PrzejdzTokeny.h"

#include <QByteArray>

#include <vector>

namespace {

QByteArray Wiersz(int p_Rodzaj, qint64 p_Pozycja, int p_Linia, int p_Kolumna, QByteArrayView p_Tekst)
{
    return QByteArray::number(p_Rodzaj) + ' ' + QByteArray::number(p_Pozycja) + ' ' + QByteArray::number(p_Linia) + ' '
         + QByteArray::number(p_Kolumna) + ' ' + p_Tekst.toByteArray() + '\n';
}

QByteArray WierszBiezacego(const TLkJSONParser &p_Parser)
{
    return Wiersz(p_Parser.Token(), p_Parser.SourcePos(), p_Parser.SourceLine(), p_Parser.SourceColumn(),
                  p_Parser.TokenView());
}

// The tokens a raw read follows.
bool PrzedSurowym(const TLkJSONParser &p_Parser)
{
    return p_Parser.Token() == '[' || p_Parser.Token() == ':';
}

void CzytajSurowo(TLkJSONParser &p_Parser, size_t p_Nr, QByteArray &p_Slad)
{
    if (p_Parser.Token() == '[') {
        p_Slad += p_Parser.ReadTextUpTo(']', (p_Nr & 1) != 0) + '\n';
        p_Parser.NextToken();
    } else {
        p_Parser.SkipTextUpTo(',');
        p_Parser.ReadNextChar();
    }
}

// Token by token. With p_Wybrane the raw reads happen only on the tokens of those numbers.
QByteArray Slad(const uint8_t *p_Dane, size_t p_Rozmiar, TLkJSONParser::TDroga p_Droga,
                const std::vector<size_t> *p_Wybrane = nullptr)
{
    TStrumienPorcjami strumien(p_Dane, p_Rozmiar);
    const bool surowe = p_Rozmiar > 0 && (p_Dane[0] & 0x10) != 0;
    QByteArray slad;
    try {
        TLkJSONParser parser(&strumien, p_Droga);
        size_t wybrany = 0;
        for (size_t i = 0; parser.Token() != TLkParser::toEOF && i <= p_Rozmiar; ++i) {
            slad += WierszBiezacego(parser);
            const bool tu = p_Wybrane ? wybrany < p_Wybrane->size() && (*p_Wybrane)[wybrany] == i : surowe;
            if (tu && PrzedSurowym(parser)) {
                ++wybrany;
                CzytajSurowo(parser, i, slad);
                continue;
            }
            parser.NextToken();
        }
    } catch (const ELkParserError &e) {
        slad += e.Message().toUtf8();
    }
    return slad;
}

// In batches; raw reads only on a batch's last token (where the parser stands),
// their token numbers kept for the walk token by token to repeat.
QByteArray SladPorcjami(const uint8_t *p_Dane, size_t p_Rozmiar, TLkJSONParser::TDroga p_Droga,
                        std::vector<size_t> &p_Wybrane)
{
    TStrumienPorcjami strumien(p_Dane, p_Rozmiar);
    const bool surowe = p_Rozmiar > 0 && (p_Dane[0] & 0x10) != 0;
    const bool naPrzemian = p_Rozmiar > 0 && (p_Dane[0] & 0x20) != 0;
    QByteArray slad;
    try {
        TLkJSONParser parser(&strumien, p_Droga);
        size_t nr = 0; // the number of the token the parser stands on
        if (parser.Token() != TLkParser::toEOF)
            slad += WierszBiezacego(parser);
        for (size_t n = 0; parser.Token() != TLkParser::toEOF && n <= p_Rozmiar; ++n) {
            if (surowe && PrzedSurowym(parser)) {
                // Kept first: the read may end the walk with an error.
                p_Wybrane.push_back(nr);
                CzytajSurowo(parser, nr, slad);
                if (parser.Token() != TLkParser::toEOF)
                    slad += WierszBiezacego(parser);
                ++nr;
                continue;
            }
            if (naPrzemian && n % 2) {
                parser.NextToken();
                if (parser.Token() != TLkParser::toEOF)
                    slad += WierszBiezacego(parser);
                ++nr;
                continue;
            }
            const TPorcjaTokenowJSON &porcja = parser.NastepneTokeny();
            for (size_t i = 0; i < porcja.Ile(); ++i)
                if (porcja[i].Rodzaj != TLkParser::toEOF)
                    slad += Wiersz(porcja[i].Rodzaj, porcja.Pozycja(i), porcja.Linia(i), porcja.Kolumna(i), porcja.Tekst(i));
            nr += porcja.Ile();
            const size_t o = porcja.Ile() - 1;
            if (WierszBiezacego(parser)
                != Wiersz(porcja[o].Rodzaj, porcja.Pozycja(o), porcja.Linia(o), porcja.Kolumna(o), porcja.Tekst(o)))
                __builtin_trap();
        }
    } catch (const ELkParserError &e) {
        slad += e.Message().toUtf8();
    }
    return slad;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    using D = TLkJSONParser::TDroga;
    PrzejdzTokeny<TLkJSONParser>(p_Dane, p_Rozmiar);
    const QByteArray bajtPoBajcie = Slad(p_Dane, p_Rozmiar, D::BajtPoBajcie);
    if (Slad(p_Dane, p_Rozmiar, D::Indeks) != bajtPoBajcie || Slad(p_Dane, p_Rozmiar, D::IndeksPodstawowy) != bajtPoBajcie)
        __builtin_trap();
    for (D droga : {D::Indeks, D::IndeksPodstawowy}) {
        std::vector<size_t> wybrane;
        const QByteArray porcjami = SladPorcjami(p_Dane, p_Rozmiar, droga, wybrane);
        if (porcjami != Slad(p_Dane, p_Rozmiar, D::BajtPoBajcie, &wybrane))
            __builtin_trap();
    }
    return 0;
}
