#include "NaprawaXML.h"

#include "Wyjatki.h"

namespace {

bool JestZnakiemZakazanym(uint32_t p_Kod)
{
    return p_Kod <= 8 || p_Kod == 11 || p_Kod == 12 || (p_Kod >= 14 && p_Kod <= 31);
}

int WartoscCyfry(char p_Znak, bool p_Szesnastkowa)
{
    if (p_Znak >= '0' && p_Znak <= '9')
        return p_Znak - '0';
    if (p_Szesnastkowa && p_Znak >= 'a' && p_Znak <= 'f')
        return p_Znak - 'a' + 10;
    if (p_Szesnastkowa && p_Znak >= 'A' && p_Znak <= 'F')
        return p_Znak - 'A' + 10;
    return -1;
}

[[noreturn]] void BlednaTresc()
{
    throw Exception(QStringLiteral("błędna treść XML"));
}

// Reads the numeric reference starting at "&#" at p_Poczatek; returns the index
// of its ";" and its value in p_Kod.
qsizetype CzytajOdwolanie(const QByteArray &p_Bajty, qsizetype p_Poczatek, uint32_t &p_Kod)
{
    const qsizetype dlugosc = p_Bajty.size();
    qsizetype j = p_Poczatek + 2;
    const bool szesnastkowa = j < dlugosc && p_Bajty[j] == 'x';
    if (szesnastkowa)
        ++j;
    const qsizetype poczatekCyfr = j;
    p_Kod = 0;
    for (; j < dlugosc && p_Bajty[j] != ';'; ++j) {
        const int cyfra = WartoscCyfry(p_Bajty[j], szesnastkowa);
        if (cyfra < 0)
            BlednaTresc();
        // long digit runs only need to stay above the forbidden range
        if (p_Kod < 0x1000000)
            p_Kod = p_Kod * (szesnastkowa ? 16 : 10) + uint32_t(cyfra);
    }
    if (j >= dlugosc || j == poczatekCyfr)
        BlednaTresc();
    return j;
}

bool ZaczynaSieDeklaracjaXML(const QByteArray &p_Bajty)
{
    qsizetype i = 0;
    while (i < p_Bajty.size()) {
        const uint8_t b = uint8_t(p_Bajty[i]);
        if ((b >= 0x01 && b <= 0x20) || b == 0xEF || b == 0xBB || b == 0xBF)
            ++i;
        else
            break;
    }
    return p_Bajty.mid(i, 5).compare("<?xml", Qt::CaseInsensitive) == 0;
}

} // namespace

bool NaprawTrescXML(QByteArray &p_Bajty)
{
    if (p_Bajty.isEmpty() || !ZaczynaSieDeklaracjaXML(p_Bajty))
        return false;
    qsizetype odczyt = p_Bajty.indexOf('&');
    if (odczyt < 0)
        return false;

    // Validate and measure first, so that a malformed reference raises before
    // anything has been moved.
    const qsizetype dlugosc = p_Bajty.size();
    QByteArray wynik;
    wynik.reserve(dlugosc);
    wynik.append(p_Bajty.constData(), odczyt);
    bool usunieto = false;
    while (odczyt < dlugosc) {
        const char znak = p_Bajty[odczyt];
        if (znak == '&' && odczyt + 1 < dlugosc && p_Bajty[odczyt + 1] == '#') {
            uint32_t kod = 0;
            const qsizetype srednik = CzytajOdwolanie(p_Bajty, odczyt, kod);
            if (JestZnakiemZakazanym(kod))
                usunieto = true;
            else
                wynik.append(p_Bajty.constData() + odczyt, srednik + 1 - odczyt);
            odczyt = srednik + 1;
        } else {
            wynik.append(znak);
            ++odczyt;
        }
    }
    if (usunieto)
        p_Bajty = std::move(wynik);
    return usunieto;
}
