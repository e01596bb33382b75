#include "TekstyPomocnicze.h"

#include <QHash>

#include <limits>

// ---- IndeksTekstu ----

namespace {

char16_t MalaLiteraASCII(char16_t p_Znak)
{
    return (p_Znak >= 'A' && p_Znak <= 'Z') ? char16_t(p_Znak + ('a' - 'A')) : p_Znak;
}

bool RowneBezWielkosciASCII(const QString &p_A, const QString &p_B)
{
    if (p_A.size() != p_B.size())
        return false;
    for (qsizetype i = 0; i < p_A.size(); ++i)
        if (MalaLiteraASCII(p_A[i].unicode()) != MalaLiteraASCII(p_B[i].unicode()))
            return false;
    return true;
}

} // namespace

int16_t IndeksTekstu(const QString &p_Tekst, const QStringList &p_Tablica, bool p_IgnorujWielkosc,
                     int16_t p_Domyslny)
{
    const qsizetype ostatni = qMin<qsizetype>(p_Tablica.size(), std::numeric_limits<int16_t>::max() + 1) - 1;
    for (qsizetype i = ostatni; i >= 0; --i) {
        const QString &pozycja = p_Tablica[i];
        if (p_IgnorujWielkosc ? RowneBezWielkosciASCII(p_Tekst, pozycja) : p_Tekst == pozycja)
            return int16_t(i);
    }
    return p_Domyslny;
}

// ---- TekstZHTML ----

namespace {

const QHash<QString, QChar> &Encje()
{
    static const QHash<QString, QChar> encje{
        {QStringLiteral("amp"), u'&'},         {QStringLiteral("apos"), u'\''},
        {QStringLiteral("copy"), u'\u00A9'},   {QStringLiteral("deg"), u'\u00B0'},
        {QStringLiteral("divide"), u'\u00F7'}, {QStringLiteral("gt"), u'>'},
        {QStringLiteral("laquo"), u'\u00AB'},  {QStringLiteral("ldquo"), u'\u201C'},
        {QStringLiteral("lsaquo"), u'\u2039'}, {QStringLiteral("lsquo"), u'\u2018'},
        {QStringLiteral("lt"), u'<'},          {QStringLiteral("micro"), u'\u00B5'},
        {QStringLiteral("nbsp"), u' '},        {QStringLiteral("oacute"), u'\u00F3'},
        {QStringLiteral("plusmn"), u'\u00B1'}, {QStringLiteral("quot"), u'"'},
        {QStringLiteral("raquo"), u'\u00BB'},  {QStringLiteral("rdquo"), u'\u201D'},
        {QStringLiteral("reg"), u'\u00AE'},    {QStringLiteral("rsaquo"), u'\u203A'},
        {QStringLiteral("rsquo"), u'\u2019'},  {QStringLiteral("sect"), u'\u00A7'},
    };
    return encje;
}

// A 32-bit integer as Delphi reads one: optional leading spaces and sign,
// decimal digits, or hexadecimal after "$", "x", "X", "0x" or "0X". Hexadecimal
// values wrap into the signed range as Delphi's do.
bool CzytajLiczbeCalkowita(QStringView p_Tekst, int32_t &p_Wartosc)
{
    qsizetype i = 0;
    while (i < p_Tekst.size() && p_Tekst[i] == u' ')
        ++i;
    bool ujemna = false;
    if (i < p_Tekst.size() && (p_Tekst[i] == u'-' || p_Tekst[i] == u'+'))
        ujemna = p_Tekst[i++] == u'-';
    int podstawa = 10;
    if (i < p_Tekst.size() && (p_Tekst[i] == u'$' || p_Tekst[i] == u'x' || p_Tekst[i] == u'X')) {
        podstawa = 16;
        ++i;
    } else if (i + 1 < p_Tekst.size() && p_Tekst[i] == u'0'
               && (p_Tekst[i + 1] == u'x' || p_Tekst[i + 1] == u'X')) {
        podstawa = 16;
        i += 2;
    }
    if (i >= p_Tekst.size())
        return false;
    const uint64_t granica = podstawa == 16 ? 0xFFFFFFFFull : (ujemna ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t wartosc = 0;
    for (; i < p_Tekst.size(); ++i) {
        const char16_t z = p_Tekst[i].unicode();
        int cyfra = -1;
        if (z >= u'0' && z <= u'9')
            cyfra = z - u'0';
        else if (podstawa == 16 && z >= u'a' && z <= u'f')
            cyfra = z - u'a' + 10;
        else if (podstawa == 16 && z >= u'A' && z <= u'F')
            cyfra = z - u'A' + 10;
        if (cyfra < 0)
            return false;
        wartosc = wartosc * uint64_t(podstawa) + uint64_t(cyfra);
        if (wartosc > granica)
            return false;
    }
    const int32_t ze_znakiem = int32_t(uint32_t(wartosc));
    p_Wartosc = ujemna ? -ze_znakiem : ze_znakiem;
    return true;
}

class TZapisTekstu
{
public:
    explicit TZapisTekstu(qsizetype p_Pojemnosc) { FWynik.reserve(p_Pojemnosc); }

    void Odstep()
    {
        if (FWynik.isEmpty())
            return;
        const QChar ostatni = FWynik.back();
        if (ostatni != u' ' && ostatni != u'\n' && ostatni != u'\r')
            FWynik.append(u' ');
    }
    void KoniecLinii(QChar p_Znak)
    {
        if (!FWynik.isEmpty())
            FWynik.append(p_Znak);
    }
    void Znak(QChar p_Znak) { FWynik.append(p_Znak); }
    void Tekst(QStringView p_Tekst) { FWynik.append(p_Tekst); }
    QString Wynik()
    {
        qsizetype koniec = FWynik.size();
        while (koniec > 0 && FWynik[koniec - 1].unicode() <= 32)
            --koniec;
        FWynik.truncate(koniec);
        return std::move(FWynik);
    }

private:
    QString FWynik;
};

// Writes the numeric reference "#..." (p_Nazwa) and returns true, or returns
// false when it is not a number that names a character.
bool ZapiszOdwolanieLiczbowe(QStringView p_Nazwa, TZapisTekstu &p_Zapis)
{
    int32_t kod = 0;
    if (!CzytajLiczbeCalkowita(p_Nazwa.mid(1), kod) || kod < 0)
        return false;
    if (kod <= 0xFFFF)
        p_Zapis.Znak(QChar(char16_t(kod)));
    else if (kod > 0x10FFFF)
        p_Zapis.Znak(QChar(0x00A0));
    else {
        p_Zapis.Znak(QChar(QChar::highSurrogate(char32_t(kod))));
        p_Zapis.Znak(QChar(QChar::lowSurrogate(char32_t(kod))));
    }
    return true;
}

} // namespace

QString TekstZHTML(const QString &p_Tekst)
{
    const qsizetype dlugosc = p_Tekst.size();
    const QChar *z = p_Tekst.constData();
    TZapisTekstu zapis(dlugosc);
    // Where the next ";" lies, found once and reused, so a text full of "&"
    // stays linear.
    qsizetype srednik = -1;
    bool brakSrednika = false;

    qsizetype i = 0;
    while (i < dlugosc) {
        const char16_t znak = z[i].unicode();
        switch (znak) {
        case u'\t':
        case u' ':
            zapis.Odstep();
            ++i;
            break;
        case u'\n':
        case u'\r':
            zapis.KoniecLinii(z[i]);
            ++i;
            break;
        case u'<': {
            const qsizetype koniecZnacznika = p_Tekst.indexOf(u'>', i + 1);
            if (koniecZnacznika < 0)
                return zapis.Wynik();
            i = koniecZnacznika + 1;
            break;
        }
        case u'&': {
            if (!brakSrednika && srednik <= i) {
                srednik = p_Tekst.indexOf(u';', i + 1);
                brakSrednika = srednik < 0;
            }
            if (brakSrednika) {
                zapis.Znak(z[i]);
                ++i;
                break;
            }
            const QStringView nazwa = QStringView(p_Tekst).mid(i + 1, srednik - i - 1);
            // no entity name is longer than six letters: a long run to ";" is not one
            const auto encja = nazwa.size() <= 6 ? Encje().constFind(nazwa.toString()) : Encje().cend();
            if (encja != Encje().cend()) {
                if (*encja == u' ')
                    zapis.Odstep();
                else
                    zapis.Znak(*encja);
                i = srednik + 1;
            } else if (nazwa.startsWith(u'#')) {
                if (!ZapiszOdwolanieLiczbowe(nazwa, zapis))
                    zapis.Tekst(QStringView(p_Tekst).mid(i, srednik + 1 - i));
                i = srednik + 1;
            } else {
                zapis.Znak(z[i]);
                ++i;
            }
            break;
        }
        default: {
            const qsizetype poczatek = i;
            while (i < dlugosc) {
                const char16_t c = z[i].unicode();
                if (c == u'\t' || c == u' ' || c == u'\n' || c == u'\r' || c == u'&' || c == u'<')
                    break;
                ++i;
            }
            zapis.Tekst(QStringView(p_Tekst).mid(poczatek, i - poczatek));
            break;
        }
        }
    }
    return zapis.Wynik();
}

// ---- NormalizujTekstLiczby ----

QString NormalizujTekstLiczby(const QString &p_Tekst, const TFormatSettings &p_Ustawienia)
{
    QChar znakDziesietny;
    QChar znakGrupy;
    bool jestOdstep = false;
    bool jestKoniecLinii = false;
    for (qsizetype i = p_Tekst.size() - 1; i >= 0; --i) {
        const QChar z = p_Tekst[i];
        if (z == u' ' || z == u'\u00A0') {
            jestOdstep = true;
        } else if (z == u'\n' || z == u'\r') {
            jestKoniecLinii = true;
        } else if (z == u',' || z == u'.') {
            if (znakDziesietny.isNull())
                znakDziesietny = z;
            else if (znakGrupy.isNull())
                znakGrupy = z;
            else if (z != znakGrupy)
                return p_Tekst;
        }
    }
    if (!znakDziesietny.isNull() && znakDziesietny == znakGrupy)
        return p_Tekst;
    if (znakDziesietny == p_Ustawienia.DecimalSeparator)
        znakDziesietny = QChar();
    if (znakDziesietny.isNull() && znakGrupy.isNull() && !jestOdstep && !jestKoniecLinii)
        return p_Tekst;

    QStringView tekst(p_Tekst);
    if (jestKoniecLinii) {
        auto jestKoncemLinii = [](QChar z) { return z == u'\n' || z == u'\r'; };
        while (!tekst.isEmpty() && jestKoncemLinii(tekst.front()))
            tekst = tekst.mid(1);
        while (!tekst.isEmpty() && jestKoncemLinii(tekst.back()))
            tekst.chop(1);
    }
    QString wynik;
    wynik.reserve(tekst.size());
    for (const QChar z : tekst) {
        if (z == u' ' || z == u'\u00A0' || (!znakGrupy.isNull() && z == znakGrupy))
            continue;
        wynik.append(!znakDziesietny.isNull() && z == znakDziesietny ? p_Ustawienia.DecimalSeparator : z);
    }
    return wynik;
}
