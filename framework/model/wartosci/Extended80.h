#pragma once

#include <array>
#include <cstdint>

// The 10-byte x87 extended image (64-bit mantissa with an explicit integer
// bit, 15-bit exponent biased by 16383, sign), little-endian, built with
// arithmetic only, so it reads the same whatever long double is here.
using TBajtyExtended = std::array<uint8_t, 10>;

TBajtyExtended ExtendedNaBajty(long double p_Wartosc);
// Values beyond long double's range become infinities or zeros.
long double ExtendedZBajtow(const TBajtyExtended &p_Bajty);
