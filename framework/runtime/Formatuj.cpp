#include "Formatuj.h"

#include "KodowanieZnakow.h"
#include "Wyjatki.h"

#include <cmath>

bool TVarRec::JestCalkowita() const
{
    return FRodzaj == TRodzaj::Integer || FRodzaj == TRodzaj::Int64;
}

bool TVarRec::JestTekstem() const
{
    return FRodzaj == TRodzaj::String || FRodzaj == TRodzaj::AnsiString || FRodzaj == TRodzaj::Char;
}

int TVarRec::KodTypu() const
{
    switch (FRodzaj) {
    case TRodzaj::Integer: return 0;
    case TRodzaj::Boolean: return 1;
    case TRodzaj::Extended: return 3;
    case TRodzaj::Pointer: return 5;
    case TRodzaj::Object: return 7;
    case TRodzaj::Char: return 9;
    case TRodzaj::AnsiString: return 11;
    case TRodzaj::Currency: return 12;
    case TRodzaj::Int64: return 16;
    case TRodzaj::String: return 17;
    }
    return -1;
}

double TVarRec::JakoDouble() const
{
    switch (FRodzaj) {
    case TRodzaj::Extended:
        return FDouble;
    case TRodzaj::Currency:
        return static_cast<double>(FInt) / 10000.0;
    default:
        return static_cast<double>(FInt);
    }
}

QString TVarRec::JakoString() const
{
    switch (FRodzaj) {
    case TRodzaj::String:
    case TRodzaj::Char:
        return FTekst;
    case TRodzaj::AnsiString:
        return TekstZPolskiegoAnsi(FBajty);
    default:
        return QString();
    }
}

namespace {

[[noreturn]] void bladFormatu(const QString &p_Format)
{
    throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(p_Format));
}

// Widths and precisions beyond this are refused: a width taken from an
// argument must not decide how much memory a message takes.
constexpr int maksymalnaSzerokosc = 100000;

// The bits an integer argument has: 32 for Integer, 64 for the rest.
quint64 bezZnaku(const TVarRec &p_Arg)
{
    const int64_t wartosc = p_Arg.JakoInt64();
    if (p_Arg.Rodzaj() == TVarRec::TRodzaj::Int64)
        return static_cast<quint64>(wartosc);
    return static_cast<uint32_t>(wartosc);
}

// Not-a-number and the infinities are written as words in every float format.
bool nieskonczonaLubNieLiczba(double p_Wartosc, QString &p_Tekst)
{
    if (std::isnan(p_Wartosc))
        p_Tekst = QStringLiteral("NAN");
    else if (std::isinf(p_Wartosc))
        p_Tekst = p_Wartosc < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    else
        return false;
    return true;
}

// Fixed notation with thousands separators, as %n does.
QString zSeparatoramiTysiecy(const QString &p_Liczba)
{
    const qsizetype kropka = p_Liczba.indexOf(QLatin1Char('.'));
    const qsizetype poczatek = p_Liczba.startsWith(QLatin1Char('-')) ? 1 : 0;
    QString wynik = p_Liczba;
    for (qsizetype i = (kropka < 0 ? p_Liczba.size() : kropka) - 3; i > poczatek; i -= 3)
        wynik.insert(i, QLatin1Char(','));
    return wynik;
}

// %g: the shortest of fixed or scientific with the given significant digits,
// trailing zeros dropped, exponent without leading zeros.
QString ogolna(double p_Wartosc, int p_Precyzja)
{
    if (p_Precyzja <= 0 || p_Precyzja > 18)
        p_Precyzja = 15;
    if (p_Wartosc == 0)
        return QStringLiteral("0");
    const int wykladnik = static_cast<int>(std::floor(std::log10(std::fabs(p_Wartosc))));
    QString tekst;
    if (wykladnik < -5 || wykladnik >= p_Precyzja) {
        tekst = QString::number(p_Wartosc, 'E', p_Precyzja - 1);
        const qsizetype e = tekst.indexOf(QLatin1Char('E'));
        QString mantysa = tekst.left(e);
        if (mantysa.contains(QLatin1Char('.'))) {
            while (mantysa.endsWith(QLatin1Char('0')))
                mantysa.chop(1);
            if (mantysa.endsWith(QLatin1Char('.')))
                mantysa.chop(1);
        }
        const int exp = tekst.mid(e + 1).toInt();
        return mantysa + QLatin1Char('E') + (exp < 0 ? QStringLiteral("-") : QString()) + QString::number(std::abs(exp));
    }
    tekst = QString::number(p_Wartosc, 'f', std::max(0, p_Precyzja - 1 - wykladnik));
    if (tekst.contains(QLatin1Char('.'))) {
        while (tekst.endsWith(QLatin1Char('0')))
            tekst.chop(1);
        if (tekst.endsWith(QLatin1Char('.')))
            tekst.chop(1);
    }
    return tekst;
}

QString sformatujJeden(QChar p_Typ, const TVarRec &p_Arg, int p_Precyzja, const QString &p_Format)
{
    switch (p_Typ.toLower().unicode()) {
    case 'd':
    case 'u': {
        if (!p_Arg.JestCalkowita())
            bladFormatu(p_Format);
        const int64_t wartosc = p_Arg.JakoInt64();
        const bool ujemna = wartosc < 0 && p_Typ.toLower() == QLatin1Char('d');
        // The magnitude in unsigned arithmetic: the lowest Int64 has no positive twin.
        const quint64 modul = ujemna ? 0 - static_cast<quint64>(wartosc) : bezZnaku(p_Arg);
        QString tekst = QString::number(modul);
        if (p_Precyzja > tekst.size())
            tekst = QString(p_Precyzja - tekst.size(), QLatin1Char('0')) + tekst;
        return ujemna ? QLatin1Char('-') + tekst : tekst;
    }
    case 'x': {
        if (!p_Arg.JestCalkowita())
            bladFormatu(p_Format);
        QString tekst = QString::number(bezZnaku(p_Arg), 16).toUpper();
        if (p_Precyzja > tekst.size())
            tekst = QString(p_Precyzja - tekst.size(), QLatin1Char('0')) + tekst;
        return tekst;
    }
    case 'e':
    case 'f':
    case 'g':
    case 'n':
    case 'm': {
        if (!p_Arg.JestZmiennoprzecinkowa())
            bladFormatu(p_Format);
        const double wartosc = p_Arg.JakoDouble();
        QString slowo;
        if (nieskonczonaLubNieLiczba(wartosc, slowo))
            return slowo;
        const char typ = static_cast<char>(p_Typ.toLower().unicode());
        if (typ == 'g')
            return ogolna(wartosc, p_Precyzja);
        if (typ == 'e') {
            const int cyfry = p_Precyzja < 0 || p_Precyzja > 18 ? 15 : std::max(1, p_Precyzja);
            QString tekst = QString::number(wartosc, 'E', cyfry - 1);
            const qsizetype e = tekst.indexOf(QLatin1Char('E'));
            const int exp = tekst.mid(e + 2).toInt();
            return tekst.left(e + 2) + QStringLiteral("%1").arg(exp, 3, 10, QLatin1Char('0'));
        }
        const QString stala = QString::number(wartosc, 'f', p_Precyzja < 0 ? 2 : p_Precyzja);
        return typ == 'f' ? stala : zSeparatoramiTysiecy(stala);
    }
    case 'p':
        if (p_Arg.Rodzaj() != TVarRec::TRodzaj::Pointer)
            bladFormatu(p_Format);
        return QStringLiteral("%1").arg(static_cast<quint64>(p_Arg.JakoInt64()), 16, 16, QLatin1Char('0')).toUpper();
    case 's': {
        if (!p_Arg.JestTekstem())
            bladFormatu(p_Format);
        const QString tekst = p_Arg.JakoString();
        return p_Precyzja >= 0 ? tekst.left(p_Precyzja) : tekst;
    }
    default:
        bladFormatu(p_Format);
    }
}

} // namespace

QString Format(const QString &p_Format, const TArrayOfConst &p_Argumenty)
{
    QString wynik;
    wynik.reserve(p_Format.size() + 16 * static_cast<qsizetype>(p_Argumenty.size()));
    size_t nastepny = 0;
    const qsizetype dlugosc = p_Format.size();
    for (qsizetype i = 0; i < dlugosc; ++i) {
        const QChar z = p_Format[i];
        if (z != QLatin1Char('%')) {
            wynik += z;
            continue;
        }
        if (++i >= dlugosc)
            bladFormatu(p_Format);
        if (p_Format[i] == QLatin1Char('%')) {
            wynik += QLatin1Char('%');
            continue;
        }
        auto czytajLiczbe = [&]() {
            int liczba = -1;
            if (i < dlugosc && p_Format[i] == QLatin1Char('*')) {
                ++i;
                if (nastepny >= p_Argumenty.size() || !p_Argumenty[nastepny].JestCalkowita())
                    bladFormatu(p_Format);
                const int64_t zArgumentu = p_Argumenty[nastepny++].JakoInt64();
                if (zArgumentu > maksymalnaSzerokosc)
                    bladFormatu(p_Format);
                return static_cast<int>(std::max<int64_t>(zArgumentu, -1));
            }
            while (i < dlugosc && p_Format[i].isDigit()) {
                liczba = (liczba < 0 ? 0 : liczba * 10) + p_Format[i].digitValue();
                if (liczba > maksymalnaSzerokosc)
                    bladFormatu(p_Format);
                ++i;
            }
            return liczba;
        };
        int liczba = czytajLiczbe();
        if (i < dlugosc && p_Format[i] == QLatin1Char(':')) {
            nastepny = liczba < 0 ? 0 : static_cast<size_t>(liczba);
            ++i;
            liczba = -1;
        }
        bool doLewej = false;
        if (liczba < 0 && i < dlugosc && p_Format[i] == QLatin1Char('-')) {
            doLewej = true;
            ++i;
        }
        const int szerokosc = liczba >= 0 ? liczba : czytajLiczbe();
        int precyzja = -1;
        if (i < dlugosc && p_Format[i] == QLatin1Char('.')) {
            ++i;
            precyzja = std::max(0, czytajLiczbe());
        }
        if (i >= dlugosc || nastepny >= p_Argumenty.size())
            bladFormatu(p_Format);
        QString kawalek = sformatujJeden(p_Format[i], p_Argumenty[nastepny++], precyzja, p_Format);
        if (szerokosc > kawalek.size()) {
            const QString wypelnienie(szerokosc - kawalek.size(), QLatin1Char(' '));
            kawalek = doLewej ? kawalek + wypelnienie : wypelnienie + kawalek;
        }
        wynik += kawalek;
    }
    return wynik;
}

QString Format(const QString &p_Format, std::initializer_list<TVarRec> p_Argumenty)
{
    return Format(p_Format, TArrayOfConst(p_Argumenty));
}
