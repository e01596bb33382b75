#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// A structural index of JSON text in the tokenizer's buffer, built 64 bytes
// per step into three bitmaps (bit i stands for the byte Start() + i):
// - Poczatki: where a token may begin: structural characters and opening
//   quotes outside strings, the first byte of every other run outside strings,
//   and the sentinel;
// - Konce: closing quotes, and control bytes inside strings (the sentinel too
//   when a string runs into it);
// - LF: line feeds outside strings;
// - Granice: where each token of Poczatki ends: the bit after a structural
//   character, the first byte after a run, a string's end as in Konce (no bit
//   for the sentinel). The k-th start from a place on pairs with the k-th bit
//   after it, unless a control byte inside a string adds one.
// Per word it also keeps the line feeds of the words before it and where the
// line holding the word's first byte starts, so that a token's line and column
// come from its offset alone.
// It is built lazily, a window at a time, from a place where a token may begin.
//
// The classification assumes that backslashes occur only inside strings; the
// first one found outside ends the index there (what lies before it stays
// right), and the caller reads on byte by byte.
class TIndeksJSON
{
public:
    // Which block scan builds the bitmaps; the best one the processor has by default.
    enum class TZestaw { Najlepszy, Podstawowy };

    // Saved between blocks and windows; the block scans fill it. Offsets count from the buffer's start.
    struct TStan
    {
        size_t Pozycja = 0;            // the next block
        size_t Koniec = 0;             // the sentinel
        size_t Zatrzymany = SIZE_MAX;  // the backslash outside strings that ended the index
        uint64_t WTekscie = 0;         // all ones while a string is open across blocks
        uint64_t PoprzedniWBiegu = 0;  // 1 when the last byte continues a run outside strings
        uint64_t PoprzedniaStruktura = 0; // 1 when the last byte is a structural character
        bool NieparzysteUkosniki = false; // an odd backslash run ran up to the block's end
        bool Zakonczony = false;       // the sentinel is in, or the index stopped
        uint32_t Linii = 0;            // line feeds so far
        uint32_t PoczatekLinii = 0;    // the bit after the last of them; 0 before the first
    };
    // Fills the words of up to BlokowWOknie blocks from p_Stan.Pozycja; word k
    // stands for the block at p_Start + 64 k. Per word also the line feeds
    // before it and where the line at its first byte starts (TStan's two).
    struct TMapy
    {
        uint64_t *Poczatki;
        uint64_t *Konce;
        uint64_t *Granice;
        uint64_t *LF;
        uint32_t *LiniiPrzed;
        uint32_t *PoczatekLinii;
    };
    using TFunkcjaOkna = void (*)(const char *p_Bufor, size_t p_Start, TStan &p_Stan, const TMapy &p_Mapy);
    static constexpr int BlokowWOknie = 64;
    // Writes the offsets (64 k plus the bit number) of the bits set in words
    // [p_Od, p_Do) of p_Mapa, in order, the first word masked with p_Maska;
    // gives their count. May write up to 64 entries past it.
    using TFunkcjaRozwin = size_t (*)(const uint64_t *p_Mapa, size_t p_Od, size_t p_Do, uint64_t p_Maska,
                                      uint32_t *p_Wyjscie);
    struct TFunkcje
    {
        TFunkcjaOkna Okno;
        TFunkcjaRozwin Rozwin;
    };

    explicit TIndeksJSON(TZestaw p_Zestaw = TZestaw::Najlepszy);

    // Indexes from p_Od (where a token may begin, outside any string) to p_Koniec
    // (the sentinel); p_Zmiany is the tokenizer's count of buffer changes.
    void Zacznij(const char *p_Bufor, const char *p_Od, const char *p_Koniec, uint64_t p_Zmiany);
    void Uniewaznij() { FSzybko = FWBiegu = nullptr; }
    // The buffer has not changed under the index and reading stands where it was left.
    bool Pasuje(uint64_t p_Zmiany, const char *p_Pozycja) const
    {
        return p_Zmiany == FZmiany && (p_Pozycja == FSzybko || p_Pozycja == FWBiegu);
    }
    // The buffer has not changed under the index (a read may have moved the position).
    bool TenSamBufor(uint64_t p_Zmiany) const { return p_Zmiany == FZmiany && (FSzybko || FWBiegu); }
    uint64_t Zmiany() const { return FZmiany; }
    // Reading stands at p: after a token, or inside a run outside strings that
    // has no start of its own (the next token must be read byte by byte).
    void Stoi(const char *p, bool p_WBiegu)
    {
        FSzybko = p_WBiegu ? nullptr : p;
        FWBiegu = p_WBiegu ? p : nullptr;
    }
    bool WBiegu() const { return FWBiegu != nullptr; }
    // Where reading stands when it is not inside a run: the inline path goes on only from there.
    const char *FSzybko = nullptr;

    size_t Start() const { return FStart; }
    // Bits built so far.
    size_t Zbudowane() const { return FZbudowane; }
    // At least 57 bits of the bitmap from bit i on, for the inline path: a bit
    // found is the first one; none found says nothing (bits past the built ones are 0).
    uint64_t Konce(size_t i) const { return Konce(FKonce.data(), i); }
    // The same from the bitmap's words, which stay in place until Zacznij: a
    // loop may keep them where its stores cannot be thought to move them.
    const uint64_t *MapaKoncow() const { return FKonce.data(); }
    static uint64_t Konce(const uint64_t *p_Mapa, size_t i)
    {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        uint64_t v;
        std::memcpy(&v, reinterpret_cast<const unsigned char *>(p_Mapa) + (i >> 3), sizeof v);
        return v >> (i & 7);
#else
        return Odczytaj(p_Mapa, i);
#endif
    }
    // The first bit at or after i set in the bitmap, building windows as
    // needed; false when the index ends first.
    bool NastepnyKoniec(size_t i, size_t &p_Bit);

    // The cursor: the word of the bitmaps at hand, the starts in it not handed
    // out yet, and its line feeds not counted yet.
    size_t FSlowo = 0;
    char *FBaza = nullptr; // the word's first byte
    uint64_t FReszta = 0;
    uint64_t FResztaLF = 0;
    // The next word, built if need be; false when the index ends first.
    bool NastepneSlowo();
    // The cursor to p (handed out up to it); false when p lies past what is built.
    bool UstawKursor(const char *p);

    // The offset of the backslash that stopped the index; SIZE_MAX when none did.
    size_t Zatrzymany() const { return FStan.Zatrzymany; }

    // Word k of the bitmaps is built (built now if need be); false when the index ends first.
    bool MaSlowo(size_t k)
    {
        while (k * 64 >= FZbudowane)
            if (!Dobuduj())
                return false;
        return true;
    }
    uint64_t Poczatki(size_t k) const { return FPoczatki[k]; }
    uint64_t Granice(size_t k) const { return FGranice[k]; }
    const uint64_t *MapaPoczatkow() const { return FPoczatki.data(); }
    const uint64_t *MapaGranic() const { return FGranice.data(); }
    // TFunkcjaRozwin over built words of Poczatki or Granice.
    size_t RozwinPoczatki(size_t p_Od, size_t p_Do, uint64_t p_Maska, uint32_t *p_Wyjscie) const
    {
        return FFunkcje.Rozwin(FPoczatki.data(), p_Od, p_Do, p_Maska, p_Wyjscie);
    }
    size_t RozwinGranice(size_t p_Od, size_t p_Do, uint64_t p_Maska, uint32_t *p_Wyjscie) const
    {
        return FFunkcje.Rozwin(FGranice.data(), p_Od, p_Do, p_Maska, p_Wyjscie);
    }
    uint64_t LF(size_t k) const { return FLF[k]; }
    // Line feeds before bit i (i in a built word).
    uint32_t LiniiPrzed(size_t i) const
    {
        const size_t k = i / 64;
        return FLiniiPrzed[k] + LiczBity(FLF[k] & ((1ull << (i % 64)) - 1));
    }
    // Line feeds counted by whoever moved the cursor: those of its word not left in FResztaLF.
    uint32_t LiniiPrzedKursorem() const { return FLiniiPrzed[FSlowo] + LiczBity(FLF[FSlowo] & ~FResztaLF); }
    // The bit after the last line feed before bit i; 0 when none lies between Start() and i.
    uint32_t PoczatekLinii(size_t i) const
    {
        const size_t k = i / 64;
        const uint64_t lf = FLF[k] & ((1ull << (i % 64)) - 1);
        return lf ? static_cast<uint32_t>(k * 64 + 64 - static_cast<size_t>(__builtin_clzll(lf))) : FPoczatekLinii[k];
    }

    // Without a population count instruction in the baseline set.
    static uint32_t LiczBity(uint64_t x)
    {
        x -= (x >> 1) & 0x5555555555555555ull;
        x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
        x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
        return static_cast<uint32_t>((x * 0x0101010101010101ull) >> 56);
    }

private:
    static uint64_t Odczytaj(const uint64_t *p_Mapa, size_t i)
    {
        const size_t slowo = i >> 6;
        const unsigned przesuniecie = static_cast<unsigned>(i & 63);
        // Split in two shifts so that a whole-word offset never shifts by 64.
        return (p_Mapa[slowo] >> przesuniecie) | ((p_Mapa[slowo + 1] << 1) << (63 - przesuniecie));
    }
    bool Dobuduj();

    TFunkcje FFunkcje;
    const char *FBufor = nullptr;
    const char *FWBiegu = nullptr;
    uint64_t FZmiany = 0;
    size_t FStart = 0;
    size_t FZbudowane = 0;
    TStan FStan;
    std::vector<uint64_t> FPoczatki;
    std::vector<uint64_t> FKonce;
    std::vector<uint64_t> FGranice;
    std::vector<uint64_t> FLF;
    // Per word: line feeds of the words before it, and PoczatekLinii of its first bit.
    std::vector<uint32_t> FLiniiPrzed;
    std::vector<uint32_t> FPoczatekLinii;
};
