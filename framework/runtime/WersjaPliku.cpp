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

// ELF64 little-endian: where the build's section ".ostrevia_wersja" lies in
// the file, or -1. Reading a few headers spares the search through a whole
// executable; any header that does not hold up leaves the search to do.
qint64 polozenieSekcjiWersji(QFile &p_Plik)
{
    constexpr qint64 rozmiarNaglowkaSekcji = 64;
    constexpr int najwiecejSekcji = 4096;
    constexpr qint64 najwiecejNazw = 1024 * 1024;
    static const QByteArray nazwaSekcji = QByteArrayLiteral(".ostrevia_wersja");

    auto czytaj = [&p_Plik](qint64 p_Od, qint64 p_Ile) {
        return p_Od >= 0 && p_Ile >= 0 && p_Plik.seek(p_Od) ? p_Plik.read(p_Ile) : QByteArray();
    };
    auto liczba = [](const QByteArray &p_Dane, qsizetype p_Od, int p_Bajtow) {
        quint64 wynik = 0;
        for (int i = p_Bajtow - 1; i >= 0; --i)
            wynik = wynik << 8 | static_cast<unsigned char>(p_Dane[p_Od + i]);
        return wynik;
    };
    const QByteArray naglowek = czytaj(0, 64);
    if (naglowek.size() < 64 || !naglowek.startsWith("\x7f" "ELF") || naglowek[4] != 2 || naglowek[5] != 1)
        return -1;
    const quint64 tabelaSekcji = liczba(naglowek, 0x28, 8);
    const quint64 rozmiarWpisu = liczba(naglowek, 0x3A, 2);
    const quint64 liczbaSekcji = liczba(naglowek, 0x3C, 2);
    const quint64 sekcjaNazw = liczba(naglowek, 0x3E, 2);
    if (rozmiarWpisu != rozmiarNaglowkaSekcji || liczbaSekcji > najwiecejSekcji || sekcjaNazw >= liczbaSekcji
        || tabelaSekcji > quint64(p_Plik.size()))
        return -1;
    const QByteArray sekcje = czytaj(qint64(tabelaSekcji), qint64(liczbaSekcji) * rozmiarNaglowkaSekcji);
    if (sekcje.size() != qsizetype(liczbaSekcji) * rozmiarNaglowkaSekcji)
        return -1;
    const qsizetype opisNazw = qsizetype(sekcjaNazw) * rozmiarNaglowkaSekcji;
    const quint64 rozmiarNazw = liczba(sekcje, opisNazw + 0x20, 8);
    if (rozmiarNazw > quint64(najwiecejNazw))
        return -1;
    const QByteArray nazwy = czytaj(qint64(liczba(sekcje, opisNazw + 0x18, 8)), qint64(rozmiarNazw));
    for (qsizetype opis = 0; opis < sekcje.size(); opis += rozmiarNaglowkaSekcji) {
        const quint64 nazwa = liczba(sekcje, opis, 4);
        if (nazwa >= quint64(nazwy.size()) || nazwy.indexOf('\0', qsizetype(nazwa)) < 0
            || QByteArrayView(nazwy.constData() + nazwa) != nazwaSekcji)
            continue;
        if (liczba(sekcje, opis + 0x20, 8) < quint64(rozmiarBloku))
            return -1;
        const quint64 polozenie = liczba(sekcje, opis + 0x18, 8);
        return polozenie <= quint64(p_Plik.size()) ? qint64(polozenie) : -1;
    }
    return -1;
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
    if (const qint64 sekcja = polozenieSekcjiWersji(plik); sekcja >= 0) {
        const QByteArray dane = plik.seek(sekcja) ? plik.read(rozmiarBloku) : QByteArray();
        if (dane.size() == rozmiarBloku)
            if (auto wynik = sprawdzBlok(dane.constData()))
                return wynik;
    }
    if (!plik.seek(0))
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
