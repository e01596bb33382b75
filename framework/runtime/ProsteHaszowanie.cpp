#include "ProsteHaszowanie.h"

namespace {

constexpr std::array<uint32_t, 256> ZbudujTablice()
{
    std::array<uint32_t, 256> tablica{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t r = i;
        for (int bit = 0; bit < 8; ++bit)
            r = (r & 1) ? (r >> 1) ^ 0xEDB88320u : r >> 1;
        tablica[i] = r;
    }
    return tablica;
}

// Computed by the compiler: no start-up work and nothing to race over.
constexpr std::array<uint32_t, 256> Tablica = ZbudujTablice();

} // namespace

const std::array<uint32_t, 256> &TablicaCRC32()
{
    return Tablica;
}

uint32_t AktualizujCRC32(uint32_t p_Rejestr, QByteArrayView p_Bajty)
{
    for (const char b : p_Bajty)
        p_Rejestr = Tablica[(p_Rejestr ^ uint8_t(b)) & 0xFF] ^ (p_Rejestr >> 8);
    return p_Rejestr;
}

uint32_t CRC32(QByteArrayView p_Bajty)
{
    return ~AktualizujCRC32(0xFFFFFFFFu, p_Bajty);
}
