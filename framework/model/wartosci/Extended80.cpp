#include "Extended80.h"

#include <cmath>

namespace {

constexpr int Bias = 16383;
constexpr int MaksWykladnik = 0x7FFF;

TBajtyExtended obraz(bool p_Ujemna, int p_Wykladnik, uint64_t p_Mantysa)
{
    TBajtyExtended bajty{};
    for (int i = 0; i < 8; ++i)
        bajty[i] = static_cast<uint8_t>(p_Mantysa >> (8 * i));
    const unsigned znakIWykladnik = (p_Ujemna ? 0x8000u : 0u) | static_cast<unsigned>(p_Wykladnik);
    bajty[8] = static_cast<uint8_t>(znakIWykladnik);
    bajty[9] = static_cast<uint8_t>(znakIWykladnik >> 8);
    return bajty;
}

} // namespace

TBajtyExtended ExtendedNaBajty(long double p_Wartosc)
{
    const bool ujemna = std::signbit(p_Wartosc);
    if (std::isnan(p_Wartosc))
        return obraz(ujemna, MaksWykladnik, 0xC000000000000000ull);
    if (std::isinf(p_Wartosc))
        return obraz(ujemna, MaksWykladnik, 0x8000000000000000ull);
    const long double modul = std::fabs(p_Wartosc);
    if (modul == 0)
        return obraz(ujemna, 0, 0);
    int wykladnik = 0;
    // modul = m * 2^wykladnik with m in [0.5, 1): the integer bit is m's top bit.
    const long double m = std::frexp(modul, &wykladnik);
    const int przesuniety = wykladnik - 1 + Bias;
    if (przesuniety >= MaksWykladnik)
        return obraz(ujemna, MaksWykladnik, 0x8000000000000000ull);
    if (przesuniety <= 0) // denormal: mantissa * 2^(1 - Bias - 63)
        return obraz(ujemna, 0, static_cast<uint64_t>(std::ldexp(modul, Bias - 1 + 63)));
    return obraz(ujemna, przesuniety, static_cast<uint64_t>(std::ldexp(m, 64)));
}

long double ExtendedZBajtow(const TBajtyExtended &p_Bajty)
{
    uint64_t mantysa = 0;
    for (int i = 0; i < 8; ++i)
        mantysa |= static_cast<uint64_t>(p_Bajty[i]) << (8 * i);
    const unsigned znakIWykladnik = p_Bajty[8] | (static_cast<unsigned>(p_Bajty[9]) << 8);
    const bool ujemna = znakIWykladnik & 0x8000u;
    const int wykladnik = static_cast<int>(znakIWykladnik & 0x7FFFu);
    long double wynik;
    if (wykladnik == MaksWykladnik)
        wynik = (mantysa << 1) == 0 ? INFINITY : NAN;
    else if (wykladnik == 0)
        wynik = std::ldexp(static_cast<long double>(mantysa), 1 - Bias - 63);
    else
        wynik = std::ldexp(static_cast<long double>(mantysa), wykladnik - Bias - 63);
    return ujemna ? -wynik : wynik;
}
