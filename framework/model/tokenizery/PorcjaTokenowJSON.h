#pragma once

#include "IndeksJSON.h"
#include "LkParser.h"

#include <QByteArrayView>

#include <array>
#include <cstdint>

// One token of a batch: its first byte's offset in the tokenizer's buffer, the
// length of its text (a string's without the quotes) and its kind.
struct TTokenJSON
{
    uint32_t Od;
    uint32_t Dlugosc;
    unsigned char Rodzaj;
};

// Tokens that TLkJSONParser::NastepneTokeny read in one go, in order; they are
// valid until the tokenizer reads again. Lines and columns are not kept per
// token: they come from the structural index's per-word line counts when asked.
class TPorcjaTokenowJSON
{
public:
    // Large enough to spread the call over many tokens, small enough to stay in the first-level cache.
    static constexpr size_t Pojemnosc = 2048;

    size_t Ile() const { return FIle; }
    const TTokenJSON &operator[](size_t i) const { return FTokeny[i]; }
    const TTokenJSON *begin() const { return FTokeny.data(); }
    const TTokenJSON *end() const { return FTokeny.data() + FIle; }

    // What TokenView, SourcePos, SourceLine and SourceColumn gave on that token
    // (a string's text starts after its quote).
    QByteArrayView Tekst(size_t i) const
    {
        const TTokenJSON &t = FTokeny[i];
        return QByteArrayView(FBufor + t.Od + (t.Rodzaj == TLkParser::toWString), t.Dlugosc);
    }
    qint64 Pozycja(size_t i) const { return FOrigin + FTokeny[i].Od; }
    int Linia(size_t i) const
    {
        if (i == 0 && FPierwszyOsobno)
            return FLiniaPierwszego;
        return FLiniaBazowa + static_cast<int>(FIndeks->LiniiPrzed(FTokeny[i].Od - FStart) - FLiniiBazowych);
    }
    int Kolumna(size_t i) const
    {
        if (i == 0 && FPierwszyOsobno)
            return FKolumnaPierwszego;
        const uint32_t bit = FTokeny[i].Od - FStart;
        const uint32_t poczatek = FIndeks->PoczatekLinii(bit);
        if (poczatek)
            return static_cast<int>(bit - poczatek + 1);
        return static_cast<int>(Pozycja(i) - FPoczatekLiniiBazowy + 1);
    }

private:
    friend class TLkJSONParser;
    // A batch is filled from up to Pojemnosc / 64 words of the index; 64 more
    // entries may be written blindly, past the fill.
    std::array<TTokenJSON, Pojemnosc + 64> FTokeny;
    std::array<uint32_t, Pojemnosc + 64> FPoczatki;
    std::array<uint32_t, Pojemnosc + 64> FKonce;
    // The bytes at those starts and ends, for the AVX-512 road.
    std::array<unsigned char, Pojemnosc + 64> FBajtyPoczatkow;
    std::array<unsigned char, Pojemnosc + 64> FBajtyKoncow;
    size_t FIle = 0;
    const char *FBufor = nullptr;
    qint64 FOrigin = 0;
    // The first token when it came the long way: its line and column as read then.
    bool FPierwszyOsobno = false;
    int FLiniaPierwszego = 0;
    int FKolumnaPierwszego = 0;
    // The others count line feeds in the index from where the fast road started:
    // that place's line, the index's line feeds before it, its line start (a stream offset).
    const TIndeksJSON *FIndeks = nullptr;
    uint32_t FStart = 0;
    int FLiniaBazowa = 1;
    uint32_t FLiniiBazowych = 0;
    qint64 FPoczatekLiniiBazowy = 0;
};
