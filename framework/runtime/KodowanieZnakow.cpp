#include "KodowanieZnakow.h"

#include "KodowanieUTF7.h"
#include "TabeleStronKodowych.h"
#include "Wyjatki.h"

#include <cstring>

namespace {

bool JestZnakiemLaczacym(char16_t p_Znak)
{
    // no combining mark lies below U+0300; the cheap test keeps plain text fast
    return p_Znak >= 0x0300 && QChar::category(char32_t(p_Znak)) == QChar::Mark_NonSpacing;
}

// Encodes the character at p_Z[i] (with the combining marks after it) and
// returns the index after what it consumed. A base letter with marks becomes
// its precomposed letter when the code page has one; otherwise the marks go.
qsizetype KodujZnak(const char16_t *p_Z, qsizetype i, qsizetype p_Dlugosc,
                    const TTablicaStronyKodowej &p_Tablica, char p_Domyslny, QByteArray &p_Wynik,
                    bool &p_UzytoDomyslnego)
{
    const char16_t znak = p_Z[i];
    qsizetype koniec = i + 1;
    while (koniec < p_Dlugosc && JestZnakiemLaczacym(p_Z[koniec]))
        ++koniec;

    if (JestZnakiemLaczacym(znak))
        return koniec; // marks with no base letter before them compose with nothing

    if (koniec > i + 1) {
        const QString zlozony = QString::fromUtf16(p_Z + i, koniec - i)
                                    .normalized(QString::NormalizationForm_C);
        if (zlozony.size() == 1) {
            const int bajt = p_Tablica.Bajt(zlozony.at(0).unicode());
            if (bajt >= 0) {
                p_Wynik.append(char(bajt));
                return koniec;
            }
        }
    }

    const int bajt = p_Tablica.Bajt(znak);
    if (bajt >= 0) {
        p_Wynik.append(char(bajt));
    } else {
        p_Wynik.append(p_Domyslny);
        p_UzytoDomyslnego = true;
        // a character outside the BMP is one character, so one default byte
        if (QChar::isHighSurrogate(znak) && i + 1 < p_Dlugosc && QChar::isLowSurrogate(p_Z[i + 1])
            && koniec == i + 1)
            koniec = i + 2;
    }
    return koniec;
}

QByteArray KodujTablica(const QString &p_Tekst, const TTablicaStronyKodowej &p_Tablica,
                        char p_Domyslny, bool &p_UzytoDomyslnego)
{
    p_UzytoDomyslnego = false;
    const qsizetype dlugosc = p_Tekst.size();
    const char16_t *z = reinterpret_cast<const char16_t *>(p_Tekst.utf16());

    // Nearly every text maps character by character; only the rest pays for
    // composition.
    QByteArray wynik(dlugosc, Qt::Uninitialized);
    char *w = wynik.data();
    qsizetype i = 0;
    for (; i < dlugosc; ++i) {
        const int bajt = p_Tablica.Bajt(z[i]);
        if (bajt < 0 || (i + 1 < dlugosc && JestZnakiemLaczacym(z[i + 1])))
            break;
        w[i] = char(bajt);
    }
    if (i == dlugosc)
        return wynik;

    wynik.truncate(i);
    while (i < dlugosc)
        i = KodujZnak(z, i, dlugosc, p_Tablica, p_Domyslny, wynik, p_UzytoDomyslnego);
    return wynik;
}

QString DekodujTablica(const char *p_Bajty, qsizetype p_Dlugosc, const TTablicaStronyKodowej &p_Tablica)
{
    QString wynik(p_Dlugosc, Qt::Uninitialized);
    QChar *w = wynik.data();
    for (qsizetype i = 0; i < p_Dlugosc; ++i)
        w[i] = QChar(p_Tablica.Znak(uint8_t(p_Bajty[i])));
    return wynik;
}

QString Dekoduj(const char *p_Bajty, qsizetype p_Dlugosc, int p_StronaKodowa)
{
    if (p_Dlugosc <= 0)
        return QString();
    if (p_StronaKodowa == CP_UTF8)
        return QString::fromUtf8(p_Bajty, p_Dlugosc);
    if (p_StronaKodowa == CP_UTF7)
        return TekstZUTF7(QByteArray::fromRawData(p_Bajty, p_Dlugosc));
    const TTablicaStronyKodowej *tablica = DajTabliceStronyKodowej(p_StronaKodowa);
    return tablica ? DekodujTablica(p_Bajty, p_Dlugosc, *tablica) : QString();
}

} // namespace

QString TekstZPolskiegoAnsi(const QByteArray &p_Bajty)
{
    return DekodujTablica(p_Bajty.constData(), p_Bajty.size(), TablicaPolskiAnsi());
}

QByteArray PolskiAnsi(const QString &p_Tekst, char p_Domyslny, bool &p_Utracono)
{
    p_Utracono = false;
    if (p_Tekst.isEmpty())
        return QByteArray();
    bool uzytoDomyslnego = false;
    QByteArray wynik = KodujTablica(p_Tekst, TablicaPolskiAnsi(), p_Domyslny, uzytoDomyslnego);
    if (wynik.isEmpty())
        throw Exception(QStringLiteral("PolskiAnsi: błąd konwersji tekstu (dl=0):\r") + p_Tekst);
    // The fall-back to the system's ANSI page changes nothing here: on Linux
    // that page is 1250 itself, so what 1250 lacks stays lost.
    p_Utracono = uzytoDomyslnego;
    return wynik;
}

QByteArray TekstNaPolskiAnsi(const QString &p_Tekst)
{
    bool utracono = false;
    return PolskiAnsi(p_Tekst, '?', utracono);
}

QByteArray TekstNaStroneKodowa(const QString &p_Tekst, int p_StronaKodowa, char p_Domyslny,
                               bool &p_Utracono)
{
    p_Utracono = false;
    if (p_Tekst.isEmpty())
        return QByteArray();
    if (p_StronaKodowa == CP_UTF8)
        return p_Tekst.toUtf8();
    if (p_StronaKodowa == CP_UTF7)
        return TekstNaUTF7(p_Tekst);
    const TTablicaStronyKodowej *tablica = DajTabliceStronyKodowej(p_StronaKodowa);
    if (!tablica)
        return QByteArray();
    return KodujTablica(p_Tekst, *tablica, p_Domyslny, p_Utracono);
}

QByteArray TekstNaStroneKodowa(const QString &p_Tekst, int p_StronaKodowa, char p_Domyslny)
{
    bool utracono = false;
    return TekstNaStroneKodowa(p_Tekst, p_StronaKodowa, p_Domyslny, utracono);
}

QString TekstZeStronyKodowej(const QByteArray &p_Bajty, int p_StronaKodowa)
{
    return Dekoduj(p_Bajty.constData(), p_Bajty.size(), p_StronaKodowa);
}

QString TekstZeStronyKodowej(const char *p_Bajty, int p_StronaKodowa)
{
    return p_Bajty ? Dekoduj(p_Bajty, qsizetype(std::strlen(p_Bajty)), p_StronaKodowa) : QString();
}

QByteArray NaUTF8ZeStronyKodowej(const QByteArray &p_Bajty, int p_StronaKodowa)
{
    return TekstZeStronyKodowej(p_Bajty, p_StronaKodowa).toUtf8();
}
