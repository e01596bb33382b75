#pragma once

#include "IndeksJSON.h"
#include "KlasyZnakow.h"
#include "LkParser.h"
#include "PorcjaTokenowJSON.h"

#include <memory>

// Tokenizer of the JSON format: a string token keeps its escapes (the reader
// unescapes after decoding UTF-8); true, false and null are symbols. Final, so
// that readers holding it call NextToken directly.
//
// NastepneTokeny hands tokens out in batches, read in one tight loop with no
// call per token; NextToken and it may be mixed freely.
//
// Tokens come from a structural index of the buffer (TIndeksJSON) where it can
// be trusted; everything else (refills, errors, runs the index cannot split)
// goes through the byte scan, which gives the same tokens, lines and errors.
class TLkJSONParser final : public TLkParser
{
public:
    // How tokens are found; the byte scan alone and the baseline index are for
    // tests and fuzzing, which compare them with the default.
    enum class TDroga { Indeks, IndeksPodstawowy, BajtPoBajcie };

    explicit TLkJSONParser(TStream *p_Stream, TDroga p_Droga = TDroga::Indeks);

    // The common tokens inline: the next start from the index's cursor, a
    // string's end one bitmap lookup away.
    unsigned char NextToken() override
    {
        TIndeksJSON &indeks = FIndeks;
        const uint64_t reszta = indeks.FReszta;
        if (FSourcePtr != indeks.FSzybko || FZmianyBufora != indeks.Zmiany() || !reszta)
            return NextTokenZIndeksu();
        indeks.FReszta = reszta & (reszta - 1);
        // Line feeds between the last token and this one.
        if (uint64_t lf = indeks.FResztaLF & ((reszta & (0 - reszta)) - 1)) {
            indeks.FResztaLF ^= lf;
            NoweLinie(lf);
        }
        char *p = indeks.FBaza + __builtin_ctzll(reszta);
        FTokenPtr = p;
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"') {
            const uint64_t konce = indeks.Konce(static_cast<size_t>(p - FBuffer) - indeks.Start() + 1);
            char *q = p + 1 + __builtin_ctzll(konce | (1ull << 63));
            // A control byte, the sentinel or a string longer than a lookup: the long way.
            if (!konce || *q != '"')
                return TekstZIndeksu(p);
            FStringStart = p + 1;
            FStringPtr = q;
            FSourcePtr = q + 1;
            indeks.FSzybko = q + 1;
            FToken = toWString;
            return toWString;
        }
        FStringStart = FStringPtr = nullptr;
        if (KlasyZnakow::Jest(static_cast<char>(c), KlasyZnakow::StrukturaJSON)) {
            FSourcePtr = p + 1;
            indeks.FSzybko = p + 1;
            FToken = c;
            return c;
        }
        FSourcePtr = p;
        indeks.FSzybko = p;
        return TokenBiegu(p);
    }

    // Reads on as NextToken would, as many tokens as the buffer gives in one go
    // (at least one; toEOF ends the last batch). The parser then stands on the
    // last of them, as after as many NextToken calls.
    const TPorcjaTokenowJSON &NastepneTokeny();

private:
    // The index's cursor stands where reading stands, in a buffer whose offsets fit the batch.
    bool SzybkaDroga() const
    {
        return FSourcePtr == FIndeks.FSzybko && FZmianyBufora == FIndeks.Zmiany()
            && static_cast<uint64_t>(FSourceEnd - FBuffer) < UINT32_MAX;
    }
    // The batch's tokens from the index, up to one that needs the long way.
    void CzytajSzybko(TPorcjaTokenowJSON &p_Porcja);
    // The current token, read by NextToken, as the batch's first.
    void DodajBiezacy(TPorcjaTokenowJSON &p_Porcja);
    // NextToken when the cursor's word is used up, or the index is not at hand.
    unsigned char NextTokenZIndeksu();
    // Counts the line feeds of the mask (bits of the cursor's word).
    void NoweLinie(uint64_t p_LF)
    {
        FPoczatekLinii = FOrigin + (FIndeks.FBaza - FBuffer) + 64 - __builtin_clzll(p_LF);
        do
            ++FSourceLine;
        while (p_LF &= p_LF - 1);
    }
    // A string from its opening quote at p, its end looked for window by window.
    unsigned char TekstZIndeksu(char *p);
    // A run outside strings from its start at p: a number, a word or a character.
    unsigned char TokenBiegu(char *p);
    unsigned char TokenBajtPoBajcie();
    // The byte scan, then the index told where reading stands.
    unsigned char TokenBajtPoBajcieIUzgodnij();
    char *CzytajTekstJSON(char *p);

    TIndeksJSON FIndeks;
    bool FZIndeksem;
    // Batches through the AVX-512 road (the default road on a processor that has it).
    bool FWektorowo = false;
    std::unique_ptr<TPorcjaTokenowJSON> FPorcja;
};
