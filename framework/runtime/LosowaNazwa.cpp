#include "LosowaNazwa.h"

#include <sys/random.h>

#include <cerrno>

namespace {

constexpr char alfabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz@#";
static_assert(sizeof alfabet == 64 + 1);

} // namespace

QString LosowaNazwaZBajtow(const QByteArray &p_Bajty)
{
    if (p_Bajty.size() != 16)
        return QString();
    QString wynik;
    wynik.reserve(22);
    uint32_t bity = 0;
    int liczbaBitow = 0;
    for (qsizetype i = p_Bajty.size() - 1; i >= 0; --i) {
        bity = (bity << 8) | static_cast<uint8_t>(p_Bajty[i]);
        liczbaBitow += 8;
        while (liczbaBitow >= 6) {
            liczbaBitow -= 6;
            wynik += QLatin1Char(alfabet[(bity >> liczbaBitow) & 0x3F]);
        }
    }
    // 128 = 21 * 6 + 2: the last two bits are the top of a sixth.
    wynik += QLatin1Char(alfabet[(bity << (6 - liczbaBitow)) & 0x3F]);
    return wynik;
}

QString DajLosowaNazwe()
{
    QByteArray bajty(16, '\0');
    qsizetype zebrano = 0;
    while (zebrano < bajty.size()) {
        const ssize_t n = getrandom(bajty.data() + zebrano, bajty.size() - zebrano, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return QString();
        zebrano += n;
    }
    return LosowaNazwaZBajtow(bajty);
}
