#include "StrumienBinarny.h"

#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "OdczytywaczDanych.h"
#include "Wyjatki.h"
#include "ZapisywaczDanych.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr int32_t MaksRozmiar = 1073741823;
// Reading grows the string by at most this much before the bytes arrive.
constexpr int32_t PorcjaOdczytu = 1 << 20;

void zapiszBajt(TStream &p_Strumien, int p_Bajt)
{
    ZapiszLE<uint8_t>(p_Strumien, static_cast<uint8_t>(p_Bajt));
}

[[noreturn, gnu::cold, gnu::noinline]] void pozaZakresem(int32_t p_Wartosc, const char *p_Rodzaj)
{
    throw LkException(Format(QStringLiteral("przekroczono pojemno\u015B\u0107 formatu: %s (%d)"),
                             {QString::fromLatin1(p_Rodzaj), p_Wartosc}));
}

// Checked for every number written: the message is built out of line.
inline void sprawdzZakres(int32_t p_Wartosc, int32_t p_Maks, const char *p_Rodzaj)
{
    if (p_Wartosc < 0 || p_Wartosc > p_Maks) [[unlikely]]
        pozaZakresem(p_Wartosc, p_Rodzaj);
}

} // namespace

void ZapiszDouble(TStream &p_Strumien, double p_Wartosc)
{
    ZapiszLE<uint64_t>(p_Strumien, std::bit_cast<uint64_t>(p_Wartosc));
}

double CzytajDouble(TStream &p_Strumien)
{
    return std::bit_cast<double>(CzytajLE<uint64_t>(p_Strumien));
}

void ZapiszKrotkaLiczbe(TStream &p_Strumien, int32_t p_Wartosc)
{
    sprawdzZakres(p_Wartosc, 32767, "short");
    if (p_Wartosc < 128) {
        zapiszBajt(p_Strumien, p_Wartosc);
        return;
    }
    zapiszBajt(p_Strumien, (p_Wartosc >> 8) | 0x80);
    zapiszBajt(p_Strumien, p_Wartosc & 0xFF);
}

int32_t CzytajKrotkaLiczbe(TStream &p_Strumien)
{
    const int32_t pierwszy = CzytajLE<uint8_t>(p_Strumien);
    if (pierwszy < 0x80)
        return pierwszy;
    return ((pierwszy & 0x7F) << 8) | CzytajLE<uint8_t>(p_Strumien);
}

void ZapiszLiczbe(TStream &p_Strumien, int32_t p_Wartosc)
{
    sprawdzZakres(p_Wartosc, 2147483647, "number");
    if (p_Wartosc <= 32767) {
        ZapiszLE<uint16_t>(p_Strumien, static_cast<uint16_t>(p_Wartosc));
        return;
    }
    ZapiszLE<uint16_t>(p_Strumien, static_cast<uint16_t>((p_Wartosc >> 16) | 0x8000));
    ZapiszLE<uint16_t>(p_Strumien, static_cast<uint16_t>(p_Wartosc & 0xFFFF));
}

int32_t CzytajLiczbe(TStream &p_Strumien)
{
    const int32_t slowo = CzytajLE<uint16_t>(p_Strumien);
    if (!(slowo & 0x8000))
        return slowo;
    return ((slowo & 0x7FFF) << 16) | CzytajLE<uint16_t>(p_Strumien);
}

void ZapiszRozmiar(TStream &p_Strumien, int32_t p_Wartosc)
{
    sprawdzZakres(p_Wartosc, MaksRozmiar, "size");
    if (p_Wartosc <= 16383) {
        ZapiszKrotkaLiczbe(p_Strumien, p_Wartosc);
        return;
    }
    zapiszBajt(p_Strumien, (p_Wartosc >> 24) | 0xC0);
    zapiszBajt(p_Strumien, (p_Wartosc >> 16) & 0xFF);
    ZapiszLE<uint16_t>(p_Strumien, static_cast<uint16_t>(p_Wartosc & 0xFFFF));
}

int32_t CzytajRozmiar(TStream &p_Strumien)
{
    const int32_t pierwszy = CzytajLE<uint8_t>(p_Strumien);
    if (pierwszy < 0x80)
        return pierwszy;
    if (pierwszy < 0xC0)
        return ((pierwszy & 0x7F) << 8) | CzytajLE<uint8_t>(p_Strumien);
    const int32_t drugi = CzytajLE<uint8_t>(p_Strumien);
    return ((pierwszy & 0x3F) << 24) | (drugi << 16) | CzytajLE<uint16_t>(p_Strumien);
}

void ZapiszNapis(TStream &p_Strumien, const QByteArray &p_Napis)
{
    if (p_Napis.size() > MaksRozmiar)
        throw LkException(Format(QStringLiteral("przekroczono pojemno\u015B\u0107 formatu: string (%d)"),
                                 {static_cast<int64_t>(p_Napis.size())}));
    ZapiszRozmiar(p_Strumien, static_cast<int32_t>(p_Napis.size()));
    p_Strumien.WriteBuffer(p_Napis.constData(), p_Napis.size());
}

namespace {

// The units of p_Znaki as bytes into p_Cel; true when all were ASCII (else p_Cel holds nothing of use).
bool zwezASCII(const char16_t *p_Znaki, qsizetype p_Ile, char *p_Cel)
{
    char16_t wszystkie = 0;
    for (qsizetype i = 0; i < p_Ile; ++i) {
        wszystkie |= p_Znaki[i];
        p_Cel[i] = static_cast<char>(p_Znaki[i]);
    }
    return wszystkie < 0x80;
}

} // namespace

void ZapiszNapisUTF8(TStream &p_Strumien, const QString &p_Napis)
{
    // Most field values are short ASCII: their bytes need no encoder and no heap.
    // Below 128 characters the length is one byte and goes out with them in one write.
    constexpr qsizetype Krotki = 256;
    const qsizetype dlugosc = p_Napis.size();
    const char16_t *znaki = reinterpret_cast<const char16_t *>(p_Napis.constData());
    if (dlugosc < 0x80 && dlugosc < p_Strumien.KoniecOknaZapisu() - p_Strumien.OknoZapisu()) {
        // Room in the stream's window: the bytes go there at once, taken
        // only when every character proved ASCII.
        char *cel = p_Strumien.OknoZapisu();
        if (zwezASCII(znaki, dlugosc, cel + 1)) {
            cel[0] = static_cast<char>(dlugosc);
            p_Strumien.ZajmijOkno(cel + dlugosc + 1);
            return;
        }
    } else if (dlugosc <= Krotki) {
        char bajty[Krotki + 1];
        char *cel = bajty + 1;
        if (zwezASCII(znaki, dlugosc, cel)) {
            if (dlugosc < 0x80) {
                bajty[0] = static_cast<char>(dlugosc);
                p_Strumien.WriteBuffer(bajty, dlugosc + 1);
                return;
            }
            ZapiszRozmiar(p_Strumien, static_cast<int32_t>(dlugosc));
            p_Strumien.WriteBuffer(cel, dlugosc);
            return;
        }
    }
    ZapiszNapis(p_Strumien, p_Napis.toUtf8());
}

void ZapiszNapisPola(const QString &p_Napis, TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz)
{
    QString znormalizowany;
    if (p_Zapisywacz.NormalizujTekst)
        znormalizowany = p_Zapisywacz.NormalizujTekst(p_Napis);
    const QString &tekst = p_Zapisywacz.NormalizujTekst ? znormalizowany : p_Napis;
    if (p_Zapisywacz.OpcjeZapisu & ozNapisyWin1250)
        ZapiszNapis(p_Strumien, TekstNaPolskiAnsi(tekst));
    else
        ZapiszNapisUTF8(p_Strumien, tekst);
}

namespace {

// The p_Dlugosc bytes of a string whose length was read.
QByteArray czytajBajty(TStream &p_Strumien, int32_t p_Dlugosc)
{
    QByteArray napis;
    // A hostile length must not reserve memory the stream cannot fill.
    while (napis.size() < p_Dlugosc) {
        const qsizetype porcja = std::min<qsizetype>(p_Dlugosc - napis.size(), PorcjaOdczytu);
        const qsizetype bylo = napis.size();
        napis.resize(bylo + porcja);
        p_Strumien.ReadBuffer(napis.data() + bylo, porcja);
    }
    return napis;
}

bool samoASCII(const char *p_Bajty, int32_t p_Ile)
{
    uint64_t wszystkie = 0;
    int32_t i = 0;
    for (; i + 8 <= p_Ile; i += 8) {
        uint64_t osiem;
        std::memcpy(&osiem, p_Bajty + i, sizeof osiem);
        wszystkie |= osiem;
    }
    for (; i < p_Ile; ++i)
        wszystkie |= static_cast<uint8_t>(p_Bajty[i]);
    return !(wszystkie & 0x8080808080808080u);
}

// Plain ASCII, most values, is Latin-1 too: widened without the UTF-8
// decoder, whose calls and trimming of the result cost more than the bytes.
QString zUTF8(const char *p_Bajty, int32_t p_Ile)
{
    if (p_Ile == 0 || !samoASCII(p_Bajty, p_Ile))
        return QString::fromUtf8(p_Bajty, p_Ile);
    return QString::fromLatin1(p_Bajty, p_Ile);
}

QString zBajtow(const char *p_Bajty, int32_t p_Ile, bool p_Ansi)
{
    return p_Ansi ? TekstZPolskiegoAnsi(QByteArray::fromRawData(p_Bajty, p_Ile)) : zUTF8(p_Bajty, p_Ile);
}

// Short strings (most field values) are read into the stack and decoded from
// there: one allocation, the string's own. Most fit the small buffer, which
// the compiler fills with a plain loop; for a larger one it copies with a
// string instruction whose start costs more than a short value's bytes.
constexpr int32_t KrotkiNapis = 32;
constexpr int32_t SredniNapis = 256;

QString czytajTekst(TStream &p_Strumien, bool p_Ansi)
{
    const int32_t dlugosc = CzytajRozmiar(p_Strumien);
    if (dlugosc <= KrotkiNapis) {
        char bajty[KrotkiNapis];
        p_Strumien.ReadBuffer(bajty, dlugosc);
        return zBajtow(bajty, dlugosc, p_Ansi);
    }
    if (dlugosc <= SredniNapis) {
        char bajty[SredniNapis];
        p_Strumien.ReadBuffer(bajty, dlugosc);
        return zBajtow(bajty, dlugosc, p_Ansi);
    }
    const QByteArray napis = czytajBajty(p_Strumien, dlugosc);
    return p_Ansi ? TekstZPolskiegoAnsi(napis) : QString::fromUtf8(napis);
}

} // namespace

QByteArray CzytajNapis(TStream &p_Strumien)
{
    return czytajBajty(p_Strumien, CzytajRozmiar(p_Strumien));
}

QString CzytajNapisUTF8(TStream &p_Strumien)
{
    return czytajTekst(p_Strumien, false);
}

QString CzytajNapisPola(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    QString tekst = czytajTekst(p_Strumien, p_Odczytywacz.FOdczytANSI);
    p_Odczytywacz.UzyjCache(tekst);
    return tekst;
}
