#include "WersjaPliku.h"

#include "BlokWersji.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

constexpr qsizetype rozmiarBloku = sizeof(TBlokWersji);
constexpr qint64 rozmiarPorcji = 1024 * 1024;

QByteArray znacznik()
{
    return QByteArray(OSTREVIA_ZNACZNIK_BLOKU_WERSJI, sizeof(TBlokWersji::Znacznik));
}

// A candidate is a block only when every field holds up; anything else is a
// chance occurrence of the marker (the reader's own copy, for one).
std::optional<TWersjaPliku> sprawdzBlok(const char *p_Dane)
{
    TBlokWersji blok;
    std::memcpy(&blok, p_Dane, sizeof blok);
    if (blok.Rozmiar != sizeof(TBlokWersji) || blok.Format != FormatBlokuWersji || blok.MaStalyRekord > 1)
        return std::nullopt;

    TWersjaPliku wynik;
    wynik.MaStalyRekord = blok.MaStalyRekord == 1;
    std::memcpy(wynik.Numery, blok.Numery, sizeof wynik.Numery);
    wynik.Jezyk = blok.Jezyk;
    wynik.StronaKodowa = blok.StronaKodowa;

    const char *const koniec = blok.Teksty + sizeof blok.Teksty;
    auto nastepny = [koniec](const char *&p_Pozycja, QString &p_Tekst) {
        const void *zero = std::memchr(p_Pozycja, 0, koniec - p_Pozycja);
        if (!zero)
            return false;
        const char *konczacy = static_cast<const char *>(zero);
        p_Tekst = QString::fromUtf8(p_Pozycja, konczacy - p_Pozycja);
        p_Pozycja = konczacy + 1;
        return true;
    };
    const char *pozycja = blok.Teksty;
    for (;;) {
        QString nazwa, wartosc;
        if (pozycja >= koniec || !nastepny(pozycja, nazwa))
            return std::nullopt;
        if (nazwa.isEmpty())
            break;
        if (pozycja >= koniec || !nastepny(pozycja, wartosc))
            return std::nullopt;
        wynik.Teksty.append({nazwa, wartosc});
    }
    return wynik;
}

} // namespace

std::optional<QString> TWersjaPliku::Tekst(const QString &p_Nazwa) const
{
    for (const auto &para : Teksty)
        if (para.first.compare(p_Nazwa, Qt::CaseInsensitive) == 0)
            return para.second;
    return std::nullopt;
}

std::optional<TWersjaPliku> OdczytajBlokWersji(const QString &p_NazwaPliku)
{
    if (p_NazwaPliku.isEmpty() || !QFileInfo(p_NazwaPliku).isFile())
        return std::nullopt;
    QFile plik(p_NazwaPliku);
    if (!plik.open(QIODevice::ReadOnly))
        return std::nullopt;

    const QByteArray szukany = znacznik();
    QByteArray bufor;
    qint64 przeczytano = 0;
    for (;;) {
        const QByteArray porcja = plik.read(rozmiarPorcji);
        przeczytano += porcja.size();
        const bool koniec = porcja.isEmpty() || przeczytano >= MaksymalnyZakresSzukaniaWersji;
        bufor += porcja;

        for (qsizetype od = 0;;) {
            const qsizetype pozycja = bufor.indexOf(szukany, od);
            if (pozycja < 0 || pozycja + rozmiarBloku > bufor.size())
                break;
            if (auto wynik = sprawdzBlok(bufor.constData() + pozycja))
                return wynik;
            od = pozycja + 1;
        }
        if (koniec)
            return std::nullopt;
        // A block may start in the last bytes; they are searched again with
        // the next portion.
        bufor = bufor.right(qMin<qsizetype>(rozmiarBloku - 1, bufor.size()));
    }
}
