// Any input: native text tokens read into fields, strings and references, or
// fail with one of our exceptions; never an out-of-bounds read, a loop or a
// hostile allocation. Input: a byte choosing the field class (or, past the
// classes, bare strings or identifiers), the reader's kind and the previous
// layout, then the stream's portion byte and the tokens.
#include "KlasyPol.h"
#include "Obiekt.h"
#include "OdczytywaczTekstuZRef.h"
#include "StringCache.h"
#include "StrumienPorcjami.h"
#include "Wyjatki.h"

#include <deque>
#include <memory>

namespace {

// An object whose previous layout had a field of every class, so that the
// readers' decoding by the previous class runs too.
class TPoprzedniUklad : public TKlasa<TPoprzedniUklad, TObiekt>
{
public:
    const TOpisKlasy *PoprzTypPolaNr(int16_t p_Nr) const override
    {
        return KlasyPol[static_cast<size_t>(p_Nr) % LiczbaKlasPol];
    }
};

enum TTryb { tpPole, tpNapisy, tpIdentyfikatory };

void czytaj(TOdczytywaczTekstu &p_Odczyt, TTryb p_Tryb, const TOpisKlasy &p_Klasa, std::deque<std::unique_ptr<TPole>> &p_Pola,
            TObiekt (&p_Cele)[3], size_t p_Limit)
{
    TLkParser &parser = p_Odczyt.Parser();
    auto *zRef = dynamic_cast<TOdczytywaczTekstuZRef *>(&p_Odczyt);
    // Each read takes at least one token; the bound only guards against a loop.
    for (size_t i = 0; parser.Token() != TLkParser::toEOF && i <= p_Limit; ++i) {
        try {
            if (p_Tryb == tpNapisy) {
                if (i & 1)
                    TOdczytywaczTekstu::DekodujTrescUTF8(p_Odczyt.WczytajTekstAnsi());
                else
                    p_Odczyt.WczytajNapis((i & 2) != 0);
            } else if (p_Tryb == tpIdentyfikatory && zRef && (i & 1) == 0) {
                zRef->PrzypiszObiektDoID(p_Cele[i % 3], parser.TokenString());
                parser.NextToken();
            } else {
                p_Odczyt.OdczPole = static_cast<int16_t>(i % LiczbaKlasPol);
                const TOpisKlasy &klasa = p_Tryb == tpIdentyfikatory ? TPoleRefObiektu::Opis : p_Klasa;
                p_Pola.emplace_back(klasa.Tworz(nullptr));
                p_Pola.back()->WczytajTekstowo(p_Odczyt);
            }
        } catch (const Exception &e) {
            TOdczytywaczTekstuZRef::KorygujTrescWyjatku(e.Message(), QString::fromLatin1(parser.TokenString()));
            // A token that failed is passed over; the tokenizer's own error ends the walk.
            parser.NextToken();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    if (p_Rozmiar == 0)
        return 0;
    const uint8_t wybor = p_Dane[0];
    const size_t nr = (wybor & 0x3F) % (LiczbaKlasPol + 2);
    const TTryb tryb = nr < LiczbaKlasPol ? tpPole : nr == LiczbaKlasPol ? tpNapisy : tpIdentyfikatory;
    const TOpisKlasy &klasa = *KlasyPol[nr < LiczbaKlasPol ? nr : 0];
    TStrumienPorcjami strumien(p_Dane + 1, p_Rozmiar - 1);
    TStringCache cache;
    // Targets and the previous layout outlive the fields pointing at them.
    TObiekt cele[3];
    TPoprzedniUklad poprzedni;
    std::deque<std::unique_ptr<TPole>> pola;
    try {
        std::unique_ptr<TOdczytywaczTekstu> odczyt;
        if (wybor & 0x80 || tryb == tpIdentyfikatory)
            odczyt = std::make_unique<TOdczytywaczTekstuZRef>(&strumien, &cache);
        else
            odczyt = std::make_unique<TOdczytywaczTekstu>(&strumien, &cache);
        for (TObiekt &cel : cele)
            odczyt->OdczytywanoPole(cel);
        if (wybor & 0x40)
            odczyt->OdczObiekt = &poprzedni;
        try {
            czytaj(*odczyt, tryb, klasa, pola, cele, p_Rozmiar);
            odczyt->KorygujReferencje();
        } catch (const Exception &) {
            odczyt->ZerujReferencje();
        }
    } catch (const Exception &) {
    }
    // Whatever the fields took must show as text or fail with our exception.
    for (const auto &pole : pola)
        try {
            pole->GetJakoString();
        } catch (const Exception &) {
        }
    return 0;
}
