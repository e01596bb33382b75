#include "ParsowanieTekstu.h"

#include "Wyjatki.h"

#include <charconv>

namespace {

bool rowneBezWielkosci(QByteArrayView p_Tekst, const char *p_Wzor)
{
    return p_Tekst.compare(QByteArrayView(p_Wzor), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<qint64> SprobujTekstNaInt64(QByteArrayView p_Tekst)
{
    const char *poczatek = p_Tekst.data();
    const char *koniec = poczatek + p_Tekst.size();
    if (poczatek == koniec)
        return std::nullopt;
    int podstawa = 10;
    bool ujemna = false;
    if (*poczatek == '$') {
        podstawa = 16;
        ++poczatek;
    } else if (*poczatek == '-' || *poczatek == '+') {
        ujemna = *poczatek == '-';
        ++poczatek;
    }
    // from_chars would take its own sign; only digits may follow ours.
    if (poczatek == koniec || *poczatek == '-' || *poczatek == '+')
        return std::nullopt;
    if (podstawa == 16) {
        unsigned long long wartosc = 0;
        const auto [gdzie, blad] = std::from_chars(poczatek, koniec, wartosc, 16);
        if (blad != std::errc() || gdzie != koniec)
            return std::nullopt;
        return static_cast<qint64>(wartosc); // "$FFFFFFFFFFFFFFFF" is -1, as 64-bit hex is read
    }
    unsigned long long modul = 0;
    const auto [gdzie, blad] = std::from_chars(poczatek, koniec, modul, 10);
    if (blad != std::errc() || gdzie != koniec)
        return std::nullopt;
    constexpr unsigned long long maks = 9223372036854775807ULL;
    if (modul > maks + (ujemna ? 1 : 0))
        return std::nullopt;
    return ujemna ? static_cast<qint64>(0 - modul) : static_cast<qint64>(modul);
}

qint64 TekstNaInt64(const QString &p_Tekst, qint64 p_Min, qint64 p_Max)
{
    const auto liczba = SprobujTekstNaInt64(p_Tekst.trimmed().toLatin1());
    if (!liczba || *liczba < p_Min || *liczba > p_Max)
        throw EConvertError(QStringLiteral("'%1' nie jest poprawn\u0105 liczb\u0105 ca\u0142kowit\u0105").arg(p_Tekst));
    return *liczba;
}

std::optional<bool> SprobujTekstNaBoolean(QByteArrayView p_Tekst)
{
    if (p_Tekst.isEmpty())
        return false;
    if (p_Tekst == QByteArrayView(SlowoPrawda, 1))
        return true;
    if (p_Tekst == QByteArrayView(SlowoFalsz, 1))
        return false;
    if (p_Tekst == "1")
        return true;
    if (p_Tekst == "0")
        return false;
    for (const char *slowo : {"true", "yes", "tak", SlowoPrawda})
        if (rowneBezWielkosci(p_Tekst, slowo))
            return true;
    for (const char *slowo : {"false", "no", "nie", SlowoFalsz})
        if (rowneBezWielkosci(p_Tekst, slowo))
            return false;
    if (p_Tekst == "T" || p_Tekst == "Y")
        return true;
    if (p_Tekst == "N" || p_Tekst == "F")
        return false;
    if (p_Tekst.startsWith('$'))
        return std::nullopt; // the last rule is a decimal conversion
    if (const auto liczba = SprobujTekstNaInt64(p_Tekst))
        return *liczba != 0;
    return std::nullopt;
}

bool TekstNaBoolean(const QString &p_Tekst)
{
    const QByteArray bajty = p_Tekst.toUtf8();
    if (const auto wynik = SprobujTekstNaBoolean(bajty))
        return *wynik;
    throw LkException(QStringLiteral("błędna wartość boolean = \"%1\"").arg(p_Tekst));
}
