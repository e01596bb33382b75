#pragma once

#include "Strumienie.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <type_traits>

class TOdczytywaczDanych;
class TZapisywaczDanych;

// Pieces of the binary format. Fixed-width values are little-endian; short
// writes raise "Stream write error", short reads "Stream read error".

template <typename T> void ZapiszLE(TStream &p_Strumien, T p_Wartosc)
{
    static_assert(std::is_integral_v<T>);
    using U = std::make_unsigned_t<T>;
    const U w = static_cast<U>(p_Wartosc);
    unsigned char bajty[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        bajty[i] = static_cast<unsigned char>(w >> (8 * i));
    p_Strumien.WriteBuffer(bajty, sizeof(T));
}

template <typename T> T CzytajLE(TStream &p_Strumien)
{
    static_assert(std::is_integral_v<T>);
    using U = std::make_unsigned_t<T>;
    unsigned char bajty[sizeof(T)];
    p_Strumien.ReadBuffer(bajty, sizeof(T));
    U w = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        w |= static_cast<U>(static_cast<U>(bajty[i]) << (8 * i));
    return static_cast<T>(w);
}

void ZapiszDouble(TStream &p_Strumien, double p_Wartosc);
double CzytajDouble(TStream &p_Strumien);

// 0..32767: one byte below 128, else two (high byte with bit 7 set first).
void ZapiszKrotkaLiczbe(TStream &p_Strumien, int32_t p_Wartosc);
int32_t CzytajKrotkaLiczbe(TStream &p_Strumien);
// 0..2147483647: a 16-bit word, or two words with bit 15 of the first set.
void ZapiszLiczbe(TStream &p_Strumien, int32_t p_Wartosc);
int32_t CzytajLiczbe(TStream &p_Strumien);
// 0..1073741823: a short number up to 16383, else four bytes marked 0xC0.
void ZapiszRozmiar(TStream &p_Strumien, int32_t p_Wartosc);
int32_t CzytajRozmiar(TStream &p_Strumien);

// A length, then the bytes; over 1073741823 bytes raise
// "przekroczono pojemność formatu: string (%d)".
void ZapiszNapis(TStream &p_Strumien, const QByteArray &p_Napis);
void ZapiszNapisUTF8(TStream &p_Strumien, const QString &p_Napis);
// The writer's NormalizujTekst first, then Windows-1250 when its options ask, else UTF-8.
void ZapiszNapisPola(const QString &p_Napis, TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz);
// Memory grows with the bytes actually read, never with the length claimed.
QByteArray CzytajNapis(TStream &p_Strumien);
QString CzytajNapisUTF8(TStream &p_Strumien);
// Windows-1250 when the reader says so, else UTF-8; then the reader's string cache.
QString CzytajNapisPola(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz);
