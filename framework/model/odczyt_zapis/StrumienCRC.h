#pragma once

#include "Strumienie.h"

#include <cstdint>

// A write-only stream that keeps the CRC-32 register of what is written:
// DataCRC starts at 0xFFFFFFFF and is never inverted, so it is the
// CRC-32/JAMCRC value ("123456789" gives 0x340BC6D9). Reading raises
// LkException "TLkCRCStream.Read"; the position is the count written.
class TLkCRCStream : public TStream
{
public:
    TLkCRCStream() { Reset(); }

    void Reset();
    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    uint32_t DataCRC() const { return FDataCRC; }

    const char *ClassName() const override { return "TLkCRCStream"; }

private:
    uint32_t FDataCRC = 0xFFFFFFFFu;
    int64_t FZapisano = 0;
};
