#pragma once

#include "Strumienie.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// The fuzz input as a stream that hands out a few bytes per read, so that
// every token meets the buffer's end and the refill paths run on small inputs.
// The first input byte chooses the portion size (1..16).
class TStrumienPorcjami : public TStream
{
public:
    TStrumienPorcjami(const uint8_t *p_Dane, size_t p_Rozmiar)
    {
        if (p_Rozmiar > 0) {
            FPorcja = 1 + p_Dane[0] % 16;
            ++p_Dane;
            --p_Rozmiar;
        }
        FDane = p_Dane;
        FRozmiar = static_cast<int64_t>(p_Rozmiar);
    }

    int64_t Read(void *p_Bufor, int64_t p_Ile) override
    {
        const int64_t ile = std::max<int64_t>(0, std::min({p_Ile, FPorcja, FRozmiar - FPozycja}));
        if (ile > 0)
            std::memcpy(p_Bufor, FDane + FPozycja, static_cast<size_t>(ile));
        FPozycja += ile;
        return ile;
    }
    int64_t Write(const void *, int64_t) override { return 0; }
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override
    {
        const int64_t baza = p_Od == soBeginning ? 0 : p_Od == soCurrent ? FPozycja : FRozmiar;
        FPozycja = std::clamp<int64_t>(baza + p_Przesuniecie, 0, FRozmiar);
        return FPozycja;
    }

private:
    const uint8_t *FDane = nullptr;
    int64_t FRozmiar = 0;
    int64_t FPozycja = 0;
    int64_t FPorcja = 16;
};
