#pragma once

#include <QByteArrayView>

#include <array>
#include <cstdint>

// The CRC-32 table of the reflected polynomial 0xEDB88320 (IEEE 802.3).
const std::array<uint32_t, 256> &TablicaCRC32();

// Feeds bytes into a CRC-32 register: r = T[(r xor b) and FF] xor (r shr 8).
// No inversion here: start from 0xFFFFFFFF and the register itself is the
// CRC-32/JAMCRC value; its complement is the usual CRC-32.
uint32_t AktualizujCRC32(uint32_t p_Rejestr, QByteArrayView p_Bajty);

// The usual CRC-32 of the bytes ("123456789" gives 0xCBF43926).
uint32_t CRC32(QByteArrayView p_Bajty);
