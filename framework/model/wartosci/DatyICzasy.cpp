#include "DatyICzasy.h"

#include "JadroKlas.h"

#include "Wyjatki.h"

#include <QDate>
#include <QStringList>

#include <cmath>

namespace {

const QDate Epoka(1899, 12, 30);

std::optional<double> dzienDaty(int p_Rok, int p_Miesiac, int p_Dzien)
{
    const QDate data(p_Rok, p_Miesiac, p_Dzien);
    if (!data.isValid() || p_Rok < 1 || p_Rok > 9999)
        return std::nullopt;
    return static_cast<double>(Epoka.daysTo(data));
}

std::optional<int> liczba(const QString &p_Tekst, int p_MaksCyfr)
{
    if (p_Tekst.isEmpty() || p_Tekst.size() > p_MaksCyfr)
        return std::nullopt;
    for (const QChar c : p_Tekst)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return p_Tekst.toInt();
}

// Days of 0001-01-01 and of 9999-12-31: the calendar a value can be shown in.
constexpr double PierwszyDzien = -693593;
constexpr double OstatniDzien = 2958465;

// Splits a date-time into whole day and time of day, milliseconds rounded.
// A value read from a file may lie beyond the calendar or be no number at all.
void rozloz(double p_Wartosc, QDate &p_Data, int &p_Ms)
{
    if (!(p_Wartosc >= PierwszyDzien && p_Wartosc < OstatniDzien + 1))
        throw EConvertError(QStringLiteral("'%1' nie jest poprawn\u0105 dat\u0105 i czasem").arg(p_Wartosc));
    double dni = std::floor(p_Wartosc);
    long long ms = std::llround((p_Wartosc - dni) * 86400000.0);
    if (ms >= 86400000) {
        dni += 1;
        ms -= 86400000;
    }
    p_Data = Epoka.addDays(static_cast<qint64>(dni));
    p_Ms = static_cast<int>(ms);
}

QString dwieCyfry(int p_Liczba, int p_Szerokosc)
{
    return QStringLiteral("%1").arg(p_Liczba, p_Szerokosc, 10, QLatin1Char('0'));
}

int zakresPozycjiStrefy(const QString &p_Tekst, bool p_OdKonca)
{
    int pozycja = -1;
    for (int i = 0; i < p_Tekst.size(); ++i) {
        const QChar c = p_Tekst[i];
        if (c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('Z')) {
            pozycja = i;
            if (!p_OdKonca)
                break;
        }
    }
    return pozycja;
}

QString bezStrefy(const QString &p_Tekst)
{
    const int pozycja = zakresPozycjiStrefy(p_Tekst, true);
    return pozycja < 0 ? p_Tekst : p_Tekst.left(pozycja);
}

// "0." and the digits: the fraction of a second.
std::optional<double> ulamekSekundy(const QString &p_Cyfry)
{
    if (p_Cyfry.isEmpty())
        return 0.0;
    if (!liczba(p_Cyfry.left(9), 9))
        return std::nullopt;
    for (const QChar c : p_Cyfry)
        if (!c.isDigit())
            return std::nullopt;
    return QStringLiteral("0.%1").arg(p_Cyfry).toDouble();
}

int pozycjaSeparatoraDatyICzasu(const QString &p_Tekst)
{
    int pozycja = p_Tekst.indexOf(QLatin1Char('T'));
    if (pozycja < 0)
        pozycja = p_Tekst.indexOf(QLatin1Char(' '));
    return pozycja;
}

} // namespace

const TFormatSettings &UstawieniaDatModelu()
{
    return DajJadroKlas().FormatSettings();
}

QString FormatujDateCzas(const QString &p_Format, double p_Wartosc, const TFormatSettings &p_FS)
{
    QDate data;
    int ms = 0;
    rozloz(p_Wartosc, data, ms);
    QString wynik;
    bool poGodzinie = false;
    for (int i = 0; i < p_Format.size();) {
        const QChar c = p_Format[i];
        int ile = 1;
        while (i + ile < p_Format.size() && p_Format[i + ile].toLower() == c.toLower())
            ++ile;
        switch (c.toLower().unicode()) {
        case 'y':
            wynik += ile <= 2 ? dwieCyfry(data.year() % 100, 2) : dwieCyfry(data.year(), 4);
            break;
        case 'm':
            wynik += dwieCyfry(poGodzinie ? ms / 60000 % 60 : data.month(), ile >= 2 ? 2 : 1);
            poGodzinie = false;
            break;
        case 'd':
            wynik += dwieCyfry(data.day(), ile >= 2 ? 2 : 1);
            break;
        case 'h':
            wynik += dwieCyfry(ms / 3600000, ile >= 2 ? 2 : 1);
            poGodzinie = true;
            break;
        case 'n':
            wynik += dwieCyfry(ms / 60000 % 60, ile >= 2 ? 2 : 1);
            break;
        case 's':
            wynik += dwieCyfry(ms / 1000 % 60, ile >= 2 ? 2 : 1);
            break;
        case 'z':
            wynik += dwieCyfry(ms % 1000, ile >= 3 ? 3 : 1);
            break;
        case '/':
            wynik += QString(ile, p_FS.DateSeparator);
            break;
        case ':':
            wynik += QString(ile, p_FS.TimeSeparator);
            break;
        case '"':
        case '\'': {
            const int koniec = p_Format.indexOf(c, i + 1);
            const int doKonca = koniec < 0 ? p_Format.size() : koniec;
            wynik += p_Format.mid(i + 1, doKonca - i - 1);
            ile = doKonca - i + 1;
            break;
        }
        default:
            wynik += QString(ile, c);
        }
        i += ile;
    }
    return wynik;
}

std::optional<double> SprobujTekstNaDate(const QString &p_Tekst, const TFormatSettings &p_FS)
{
    const QStringList czesci = p_Tekst.trimmed().split(p_FS.DateSeparator);
    if (czesci.size() != 3)
        return std::nullopt;
    // The order of the parts follows the short date format.
    const QString format = p_FS.ShortDateFormat.toLower();
    const int pozY = format.indexOf(QLatin1Char('y'));
    const int pozM = format.indexOf(QLatin1Char('m'));
    const int pozD = format.indexOf(QLatin1Char('d'));
    if (pozY < 0 || pozM < 0 || pozD < 0)
        return std::nullopt;
    const int nrY = (pozY > pozM) + (pozY > pozD);
    const int nrM = (pozM > pozY) + (pozM > pozD);
    const int nrD = (pozD > pozY) + (pozD > pozM);
    const auto rok = liczba(czesci[nrY], 4);
    const auto miesiac = liczba(czesci[nrM], 2);
    const auto dzien = liczba(czesci[nrD], 2);
    if (!rok || !miesiac || !dzien)
        return std::nullopt;
    const int pelnyRok = czesci[nrY].size() <= 2 ? *rok + 2000 : *rok;
    return dzienDaty(pelnyRok, *miesiac, *dzien);
}

std::optional<double> SprobujTekstNaCzas(const QString &p_Tekst, const TFormatSettings &p_FS)
{
    QString tekst = p_Tekst.trimmed();
    double ulamek = 0;
    if (const int kropka = tekst.indexOf(QLatin1Char('.')); kropka >= 0) {
        const auto ms = liczba(tekst.mid(kropka + 1), 3);
        if (!ms)
            return std::nullopt;
        ulamek = *ms / 1000.0;
        tekst.truncate(kropka);
    }
    const QStringList czesci = tekst.split(p_FS.TimeSeparator);
    if (czesci.size() < 2 || czesci.size() > 3)
        return std::nullopt;
    const auto godzina = liczba(czesci[0], 2);
    const auto minuta = liczba(czesci[1], 2);
    const auto sekunda = czesci.size() == 3 ? liczba(czesci[2], 2) : std::optional<int>(0);
    if (!godzina || !minuta || !sekunda || *godzina > 23 || *minuta > 59 || *sekunda > 59)
        return std::nullopt;
    return (*godzina * 3600 + *minuta * 60 + *sekunda + ulamek) / 86400.0;
}

TKonwersjaDaty GlobalnaKonwersjaDaty;

std::optional<double> SprobujParsowacDate(const QString &p_Tekst, const TFormatSettings *p_FS)
{
    const TFormatSettings &fs = p_FS ? *p_FS : UstawieniaDatModelu();
    if (const auto data = SprobujTekstNaDate(p_Tekst, fs))
        return data;
    QString zamieniony = p_Tekst;
    for (QChar &c : zamieniony)
        if ((c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('/')) && c != fs.DateSeparator)
            c = fs.DateSeparator;
    if (zamieniony != p_Tekst)
        if (const auto data = SprobujTekstNaDate(zamieniony, fs))
            return data;
    const QChar sep = fs.DateSeparator;
    if (!p_FS) {
        if (p_Tekst.size() == 8) {
            const auto r = liczba(p_Tekst.left(4), 4), m = liczba(p_Tekst.mid(4, 2), 2), d = liczba(p_Tekst.mid(6, 2), 2);
            if (r && m && d)
                return dzienDaty(*r, *m, *d);
        }
        if (zamieniony.size() == 10 && zamieniony[4] == sep && zamieniony[7] == sep) {
            const auto r = liczba(zamieniony.left(4), 4), m = liczba(zamieniony.mid(5, 2), 2),
                       d = liczba(zamieniony.mid(8, 2), 2);
            if (r && m && d)
                return dzienDaty(*r, *m, *d);
        }
        if (zamieniony.size() == 10 && zamieniony[2] == sep && zamieniony[5] == sep) {
            const auto d = liczba(zamieniony.left(2), 2), m = liczba(zamieniony.mid(3, 2), 2),
                       r = liczba(zamieniony.mid(6, 4), 4);
            if (r && m && d)
                return dzienDaty(*r, *m, *d);
        }
    }
    if (zamieniony.size() > 10 && zamieniony[2] == sep && zamieniony[6] == sep) {
        static const char *const Miesiace[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                               "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
        const auto d = liczba(zamieniony.left(2), 2);
        auto r = liczba(zamieniony.mid(7, 4), 4);
        const QString nazwa = zamieniony.mid(3, 3);
        int m = 0;
        for (int i = 0; i < 12; ++i)
            if (nazwa.compare(QLatin1String(Miesiace[i]), Qt::CaseInsensitive) == 0)
                m = i + 1;
        if (d && r && m) {
            if (*r < 100)
                *r += 2000;
            return dzienDaty(*r, m, *d);
        }
    }
    if (GlobalnaKonwersjaDaty)
        return GlobalnaKonwersjaDaty(p_Tekst);
    return std::nullopt;
}

double ParsujDate(const QString &p_Tekst, const TFormatSettings *p_FS)
{
    if (const auto data = SprobujParsowacDate(p_Tekst, p_FS))
        return *data;
    throw EConvertError(QStringLiteral("'%1' nie jest poprawn\u0105 dat\u0105").arg(p_Tekst));
}

double ParsujDateCzas(const QString &p_Tekst, const TFormatSettings *p_FS)
{
    const auto blad = [&] {
        return EConvertError(QStringLiteral("'%1' nie jest poprawn\u0105 dat\u0105 i czasem").arg(p_Tekst));
    };
    const int separator = pozycjaSeparatoraDatyICzasu(p_Tekst);
    if (separator < 0 || separator + 1 >= p_Tekst.size() || !p_Tekst[separator + 1].isDigit()) {
        if (const auto data = SprobujParsowacDate(p_Tekst, p_FS))
            return *data;
        throw blad();
    }
    const QString czescDaty = p_Tekst.left(separator);
    auto data = SprobujParsowacDate(czescDaty, p_FS);
    if (!data && p_FS)
        data = SprobujParsowacDate(czescDaty, nullptr);
    if (!data)
        throw blad();
    const TFormatSettings &fs = p_FS ? *p_FS : UstawieniaDatModelu();
    const QString czas = p_Tekst.mid(separator + 1);
    std::optional<double> godzina;
    if (const int kropka = czas.indexOf(QLatin1Char('.')); kropka >= 0) {
        godzina = SprobujTekstNaCzas(czas.left(kropka), fs);
        const auto ulamek = ulamekSekundy(bezStrefy(czas.mid(kropka + 1)));
        if (!godzina || !ulamek)
            throw blad();
        *godzina += *ulamek / 86400.0;
    } else {
        godzina = SprobujTekstNaCzas(bezStrefy(czas), fs);
    }
    if (!godzina)
        throw blad();
    return *data + *godzina;
}

std::optional<double> SprobujParsowacCzas(const QString &p_Tekst, const TFormatSettings &p_FS)
{
    QString czas = p_Tekst;
    if (const int separator = pozycjaSeparatoraDatyICzasu(czas); separator >= 0)
        czas = czas.mid(separator + 1);
    double ulamek = 0;
    int strefa = czas.indexOf(QLatin1Char('+'));
    if (strefa < 0)
        strefa = czas.indexOf(QLatin1Char('-'));
    if (strefa >= 0)
        czas.truncate(strefa);
    if (czas.endsWith(QLatin1Char('Z')))
        czas.chop(1);
    if (const int kropka = czas.indexOf(QLatin1Char('.')); kropka >= 0) {
        const auto u = ulamekSekundy(czas.mid(kropka + 1));
        if (!u)
            return std::nullopt;
        ulamek = *u / 86400.0;
        czas.truncate(kropka);
    }
    if (const auto godzina = SprobujTekstNaCzas(czas, p_FS))
        return *godzina + ulamek;
    return std::nullopt;
}
