#include "PolaZmiennoprzecinkowe.h"

#include "DatyICzasy.h"
#include "Extended80.h"
#include "FormatowanieLiczb.h"
#include "OdczytywaczTekstu.h"
#include "StrumienBinarny.h"
#include "ZapisywaczTekstu.h"
#include "TekstyPomocnicze.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

// Beyond this a scaled currency value does not fit 64 bits.
constexpr long double MaksCurrency = 922337203685477.5807L;

int16_t znak(long double p_Roznica)
{
    return p_Roznica < 0 ? -1 : (p_Roznica > 0 ? 1 : 0);
}

std::optional<long double> sprobujTekstNaLiczbe(const QString &p_Tekst)
{
    const QByteArray tekst = NormalizujTekstLiczby(p_Tekst, TFormatSettings()).toLatin1();
    if (tekst.isEmpty())
        return std::nullopt;
    char *koniec = nullptr;
    // strtold reads hex floats, "inf" and "nan" too; a number here is digits, one point and an exponent.
    for (const char c : tekst)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    const long double wartosc = std::strtold(tekst.constData(), &koniec);
    if (koniec != tekst.constData() + tekst.size() || !std::isfinite(wartosc))
        return std::nullopt;
    return wartosc;
}

// TekstLiczbyZmiennoprzecinkowej's characters into p_Wynik, in the unit the caller wants; their count.
template <typename C> int znakiLiczby(long double p_Wartosc, int p_Cyfry, C p_Separator, C (&p_Wynik)[64])
{
    const auto slowo = [&](const char *p_Slowo) {
        int n = 0;
        for (; p_Slowo[n]; ++n)
            p_Wynik[n] = static_cast<C>(p_Slowo[n]);
        return n;
    };
    if (p_Wartosc == 0)
        return slowo("0");
    if (std::isnan(p_Wartosc))
        return slowo("NAN");
    if (std::isinf(p_Wartosc))
        return slowo(p_Wartosc < 0 ? "-INF" : "INF");
    // Most stored amounts have at most three decimals: a double that reads
    // back from its value scaled by 10, 100 or 1000 and rounded is written
    // from that integer, without the search for the shortest form below.
    // Under 1e11 a double's spacing is far below a thousandth, so the fewest
    // decimals that read back give the shortest form, in at most 14 digits.
    if (const auto jakoDouble = static_cast<double>(p_Wartosc);
        p_Cyfry == 15 && static_cast<long double>(jakoDouble) == p_Wartosc && std::fabs(jakoDouble) < 1e11) {
        static constexpr double Skale[] = {1, 10, 100, 1000};
        const double modul = std::fabs(jakoDouble);
        for (int miejsc = 0; miejsc < 4; ++miejsc) {
            const auto calosc = static_cast<uint64_t>(modul * Skale[miejsc] + 0.5);
            // Exact integers divided: rounded once, as reading the decimal text rounds it.
            if (static_cast<double>(calosc) / Skale[miejsc] != modul)
                continue;
            char cyfry[24];
            const int ileCyfr = static_cast<int>(std::to_chars(cyfry, cyfry + sizeof cyfry, calosc).ptr - cyfry);
            const int calkowitych = ileCyfr - miejsc;
            int n = 0;
            if (jakoDouble < 0)
                p_Wynik[n++] = '-';
            for (int i = 0; i < calkowitych; ++i)
                p_Wynik[n++] = static_cast<C>(cyfry[i]);
            if (calkowitych <= 0)
                p_Wynik[n++] = '0';
            if (miejsc > 0) {
                p_Wynik[n++] = p_Separator;
                for (int i = calkowitych; i < ileCyfr; ++i)
                    p_Wynik[n++] = static_cast<C>(i < 0 ? '0' : cyfry[i]);
            }
            return n;
        }
    }
    // Scientific form rounded to p_Cyfry digits: [-]d.ddd...e[+-]xx. Text
    // writers format every number here, so no printf and no QString per digit.
    char bufor[80];
    std::to_chars_result r{};
    const int cyfr = std::clamp(p_Cyfry, 1, 40);
    const auto jakoDouble = static_cast<double>(p_Wartosc);
    bool gotowe = false;
    if (cyfr <= 15 && std::isnormal(jakoDouble) && static_cast<long double>(jakoDouble) == p_Wartosc) {
        // A normal double lies within half a unit of its 15th digit of its
        // shortest round-trip form, so a form that short is the rounded one too.
        r = std::to_chars(bufor, bufor + sizeof bufor, jakoDouble, std::chars_format::scientific);
        int znaczacych = 0;
        for (const char *z = bufor; z < r.ptr && *z != 'e'; ++z)
            znaczacych += *z >= '0' && *z <= '9';
        gotowe = znaczacych <= cyfr;
    }
    if (!gotowe)
        r = std::to_chars(bufor, bufor + sizeof bufor, p_Wartosc, std::chars_format::scientific, cyfr - 1);
    *r.ptr = '\0';

    const char *z = bufor;
    const bool ujemna = *z == '-';
    z += ujemna;
    char cyfry[48];
    int ileCyfr = 0;
    for (; *z && *z != 'e'; ++z)
        if (*z != '.')
            cyfry[ileCyfr++] = *z;
    const int wykladnik = std::atoi(z + 1);
    while (ileCyfr > 1 && cyfry[ileCyfr - 1] == '0')
        --ileCyfr;

    // At most a sign, 40 digits, a separator and either 5 leading zeros or "E-4951".
    C *wynik = p_Wynik;
    int n = 0;
    if (ujemna)
        wynik[n++] = '-';
    const auto dopiszCyfry = [&](int p_Od, int p_Do) {
        for (int i = p_Od; i < p_Do; ++i)
            wynik[n++] = static_cast<C>(cyfry[i]);
    };
    if (wykladnik >= -5 && wykladnik < cyfr) {
        if (wykladnik >= 0) {
            const int calkowite = wykladnik + 1;
            dopiszCyfry(0, std::min(ileCyfr, calkowite));
            for (int i = ileCyfr; i < calkowite; ++i)
                wynik[n++] = '0';
            if (ileCyfr > calkowite) {
                wynik[n++] = p_Separator;
                dopiszCyfry(calkowite, ileCyfr);
            }
        } else {
            wynik[n++] = '0';
            wynik[n++] = p_Separator;
            for (int i = 0; i < -wykladnik - 1; ++i)
                wynik[n++] = '0';
            dopiszCyfry(0, ileCyfr);
        }
    } else {
        dopiszCyfry(0, 1);
        if (ileCyfr > 1) {
            wynik[n++] = p_Separator;
            dopiszCyfry(1, ileCyfr);
        }
        wynik[n++] = 'E';
        char wyk[8];
        const auto w = std::to_chars(wyk, wyk + sizeof wyk, wykladnik);
        for (const char *c = wyk; c < w.ptr; ++c)
            wynik[n++] = static_cast<C>(*c);
    }
    return n;
}

} // namespace

QString TekstLiczbyZmiennoprzecinkowej(long double p_Wartosc, int p_Cyfry, QChar p_Separator)
{
    char16_t wynik[64];
    const int n = znakiLiczby(p_Wartosc, p_Cyfry, p_Separator.unicode(), wynik);
    return QString(reinterpret_cast<const QChar *>(wynik), n);
}

int ZnakiLiczbyZmiennoprzecinkowej(long double p_Wartosc, int p_Cyfry, char (&p_Wynik)[64])
{
    return znakiLiczby(p_Wartosc, p_Cyfry, '.', p_Wynik);
}

QString TekstCurrency(int64_t p_RazyDziesiecTysiecy, QChar p_Separator)
{
    const bool ujemna = p_RazyDziesiecTysiecy < 0;
    // Unsigned, so that the lowest value has a magnitude too.
    const uint64_t modul = ujemna ? 0 - static_cast<uint64_t>(p_RazyDziesiecTysiecy) : p_RazyDziesiecTysiecy;
    QString wynik = (ujemna ? QStringLiteral("-") : QString()) + QString::number(modul / 10000);
    QString ulamek = QStringLiteral("%1").arg(modul % 10000, 4, 10, QLatin1Char('0'));
    while (ulamek.endsWith(QLatin1Char('0')))
        ulamek.chop(1);
    if (!ulamek.isEmpty())
        wynik += p_Separator + ulamek;
    return wynik;
}

long double TekstNaLiczbe(const QString &p_Tekst, long double p_Maks)
{
    if (const auto wartosc = sprobujTekstNaLiczbe(p_Tekst); wartosc && std::fabs(*wartosc) <= p_Maks)
        return *wartosc;
    throw EConvertError(QStringLiteral("'%1' nie jest poprawn\u0105 liczb\u0105 zmiennoprzecinkow\u0105").arg(p_Tekst));
}

int64_t TekstNaCurrency(const QString &p_Tekst)
{
    const auto wartosc = sprobujTekstNaLiczbe(p_Tekst);
    if (!wartosc || std::fabs(*wartosc) > MaksCurrency)
        throw EConvertError(QStringLiteral("'%1' nie jest poprawn\u0105 liczb\u0105 Currency").arg(p_Tekst));
    return std::llroundl(*wartosc * 10000);
}

long double ZaokraglijDoMiejsc(long double p_Wartosc, uint8_t p_IleMiejsc)
{
    // The small addend lifts values stored just below a half (2.675 is 2.67499...).
    constexpr long double Poprawka = 0.00000001L;
    const long double s = std::pow(10.0L, p_IleMiejsc);
    const long double modul = std::fabs(p_Wartosc);
    long double wynik;
    if (p_IleMiejsc <= 2) {
        wynik = std::floor(s * (modul + Poprawka) + 0.5L) / s;
    } else {
        const long double calkowita = std::trunc(modul);
        wynik = calkowita + std::floor(s * (modul - calkowita) + Poprawka + 0.5L) / s;
    }
    return p_Wartosc < 0 ? -wynik : wynik;
}

void TPoleZmiennoprzecinkowe::Zaokraglij(uint8_t)
{
    throw LkException(QStringLiteral("b\u0142\u0119dne u\u017Cycie metody"));
}

int16_t TPoleZmiennoprzecinkowe::Porownaj(const TPole &p_Pole, TPorownywaczDanych *) const
{
    if (const auto *liczba = dynamic_cast<const TPoleNumeryczne *>(&p_Pole))
        return znak(JakoExtended() - liczba->JakoExtended());
    return 0;
}

QString TPoleZmiennoprzecinkowe::WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS) const
{
    if (!p_Maska.isEmpty()) {
        if (const auto tekst =
                FormatujUlamekWgMaski(p_Maska, JakoDouble(), GetJakoString(), p_FS ? *p_FS : UstawieniaDatModelu()))
            return *tekst;
        // Exponent masks are not supported; say so rather than show an unmasked value.
        BledneWywolanie("WartWgMaski");
    }
    if (p_FS)
        return GetJakoString().replace(QLatin1Char('.'), p_FS->DecimalSeparator);
    return GetJakoString();
}

void TPoleDouble::Zaokraglij(uint8_t p_IleMiejscPoPrzecinku)
{
    Wartosc = static_cast<double>(ZaokraglijDoMiejsc(Wartosc, p_IleMiejscPoPrzecinku));
}

QString TPoleCurrency::WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS) const
{
    if (!p_Maska.isEmpty())
        return TPoleZmiennoprzecinkowe::WartWgMaski(p_Maska, p_FS);
    return TekstCurrency(Wartosc, p_FS ? p_FS->DecimalSeparator : QLatin1Char('.'));
}

void TPoleCurrency::Zaokraglij(uint8_t p_IleMiejscPoPrzecinku)
{
    Wartosc = std::llroundl(ZaokraglijDoMiejsc(Wartosc / 10000.0L, p_IleMiejscPoPrzecinku) * 10000);
}

int16_t TPoleCurrency::Porownaj(const TPole &p_Pole, TPorownywaczDanych *) const
{
    if (const auto *waluta = dynamic_cast<const TPoleCurrency *>(&p_Pole))
        return Wartosc < waluta->Wartosc ? -1 : (Wartosc > waluta->Wartosc ? 1 : 0);
    return TPoleZmiennoprzecinkowe::Porownaj(p_Pole);
}

QByteArray TPoleZmiennoprzecinkowe::TekstLiczbyZTokenow(TLkParser &p_Parser)
{
    QByteArray tekst = p_Parser.TokenString();
    const bool calkowita = p_Parser.Token() == TLkParser::toInteger;
    p_Parser.NextToken();
    if (calkowita && p_Parser.Token() == ',') {
        p_Parser.NextToken();
        tekst += ',' + p_Parser.TokenString();
        p_Parser.NextToken();
    }
    return tekst;
}

bool TPoleZmiennoprzecinkowe::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    TLkParser &parser = p_Odczytywacz.Parser();
    // A token that no "," can follow (every XML value) is copied to the stack,
    // not the heap: the parser moves on before the text is read, as below.
    if (const QByteArrayView widok = parser.TokenView();
        parser.Token() != TLkParser::toInteger && parser.Token() != TLkParser::toEOF && widok.size() <= 64) {
        char znaki[64];
        std::copy(widok.begin(), widok.end(), znaki);
        parser.NextToken();
        UstawZTekstuTokenow(parser, QByteArrayView(znaki, widok.size()));
        return !MaDefWartosc();
    }
    const QByteArray tekst = TekstLiczbyZTokenow(parser);
    UstawZTekstuTokenow(parser, tekst);
    return !MaDefWartosc();
}

void TPoleZmiennoprzecinkowe::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    p_Zapisywacz.ZapiszTxt(GetJakoString().toLatin1());
}

void TPoleDouble::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    // Every float of every text format passes here: no text objects.
    char znaki[64];
    p_Zapisywacz.ZapiszBufor(znaki, ZnakiLiczbyZmiennoprzecinkowej(Wartosc, 15, znaki));
}

void TPoleExtended::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    char znaki[64];
    p_Zapisywacz.ZapiszBufor(znaki, ZnakiLiczbyZmiennoprzecinkowej(Wartosc, 18, znaki));
}

void TPoleDouble::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &) const
{
    ZapiszDouble(p_Strumien, Wartosc);
}

void TPoleDouble::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    Wartosc = CzytajDouble(p_Strumien);
}

void TPoleExtended::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    if (const auto *extended = dynamic_cast<const TPoleExtended *>(&p_Pole))
        Wartosc = extended->Wartosc;
    else
        TPoleZmiennoprzecinkowe::KopiujDane(p_Pole, p_Kopier);
}

void TPoleExtended::UstawZTekstuTokenow(TLkParser &p_Parser, QByteArrayView p_Tekst)
{
    try {
        Wartosc = TekstNaLiczbe(QString::fromLatin1(p_Tekst));
    } catch (const EConvertError &) {
        // The parser's error carries the line and the column.
        Wartosc = p_Parser.StringToFloat(p_Tekst);
    }
}

void TPoleExtended::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &) const
{
    const TBajtyExtended bajty = ExtendedNaBajty(Wartosc);
    p_Strumien.WriteBuffer(bajty.data(), bajty.size());
}

void TPoleExtended::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    TBajtyExtended bajty;
    p_Strumien.ReadBuffer(bajty.data(), bajty.size());
    Wartosc = ExtendedZBajtow(bajty);
}

void TPoleCurrency::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &) const
{
    ZapiszLE<int64_t>(p_Strumien, Wartosc);
}

void TPoleCurrency::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    Wartosc = CzytajLE<int64_t>(p_Strumien);
}
