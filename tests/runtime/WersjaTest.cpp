#include "BlokWersji.h"
#include "KatalogTestowy.h"
#include "Wersja.h"
#include "WersjaPliku.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QString obokTestow(const char *p_Nazwa)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(p_Nazwa);
}

#define produktTestowy obokTestow("ostrevia_runtime_pomocnik")
#define wersjaTekstowa obokTestow("ostrevia_runtime_wersja_tekstowa")

TBlokWersji blok(const char *p_FileVersion, bool p_MaStalyRekord)
{
    TBlokWersji wynik{};
    std::memcpy(wynik.Znacznik, OSTREVIA_ZNACZNIK_BLOKU_WERSJI, sizeof wynik.Znacznik);
    wynik.Rozmiar = sizeof(TBlokWersji);
    wynik.Format = FormatBlokuWersji;
    wynik.MaStalyRekord = p_MaStalyRekord ? 1 : 0;
    wynik.Numery[0] = 7;
    wynik.Numery[1] = 8;
    wynik.Jezyk = 0x0415;
    wynik.StronaKodowa = 0x04E2;
    QByteArray teksty = QByteArray("ProductName") + '\0' + "Próba" + '\0' + "FileVersion" + '\0' + p_FileVersion + '\0';
    std::memcpy(wynik.Teksty, teksty.constData(), teksty.size());
    return wynik;
}

QByteArray bajty(const TBlokWersji &p_Blok)
{
    return QByteArray(reinterpret_cast<const char *>(&p_Blok), sizeof p_Blok);
}

} // namespace

TEST(Wersja, VersionTextShowsMajorAndTwoDigitMinor)
{
    const std::pair<int32_t, const char *> przypadki[] = {
        {100, "1.00"}, {1203, "12.03"}, {1510, "15.10"}, {5, "0.05"}, {207, "2.07"}, {200, "2.00"},
    };
    for (const auto &[numer, tekst] : przypadki)
        EXPECT_EQ(WersjaJakoTekst(numer), QLatin1String(tekst)) << numer;
}

TEST(Wersja, BuiltExecutableCarriesProductAndVersion)
{
    EXPECT_EQ(DajNazweProduktu(produktTestowy), QStringLiteral("Ostrevia"));
    EXPECT_EQ(DajNumerWersji(produktTestowy), 100);
    uint16_t a = 9, b = 9, c = 9, d = 9;
    ASSERT_TRUE(OdczytajNumeryWersji(produktTestowy, a, b, c, d));
    EXPECT_EQ((std::array{a, b, c, d}), (std::array<uint16_t, 4>{1, 0, 0, 0}));
    // Paths compare without regard to case; a fixed translation needs no table lookup.
    EXPECT_EQ(OdczytajVersionInfo(QStringLiteral("\\stringfileinfo\\041504e2\\FILEVERSION"), produktTestowy),
              QStringLiteral("1.0.0.0"));
    EXPECT_EQ(OdczytajVersionInfo(QStringLiteral("\\StringFileInfo\\040904E4\\ProductName"), produktTestowy),
              QString());
    EXPECT_EQ(OdczytajVersionInfo(QStringLiteral("\\StringFileInfo\\%LANGID%\\Brak"), produktTestowy), QString());
}

TEST(Wersja, WithoutFixedRecordTheFileVersionStringCounts)
{
    EXPECT_EQ(DajNumerWersji(wersjaTekstowa), 301);
    uint16_t a = 0, b = 0, c = 0, d = 0;
    ASSERT_TRUE(OdczytajNumeryWersji(wersjaTekstowa, a, b, c, d));
    EXPECT_EQ((std::array{a, b, c, d}), (std::array<uint16_t, 4>{3, 1, 0, 5}));
}

TEST(Wersja, FileWithoutBlockHasNoVersion)
{
    // The test executable holds the reader (and its copy of the marker) but no block.
    const QString bezBloku = QCoreApplication::applicationFilePath();
    for (const QString &plik : {bezBloku, QStringLiteral("/nie/ma/takiego/pliku"), QStringLiteral("/tmp")}) {
        EXPECT_EQ(DajNumerWersji(plik), 0) << qPrintable(plik);
        EXPECT_EQ(DajNazweProduktu(plik), QString()) << qPrintable(plik);
    }
    EXPECT_EQ(WersjaJakoTekst(DajNumerWersji(bezBloku)), QStringLiteral("0.00"));
}

TEST(Wersja, PlugInNameTakesTheExecutablesProduct)
{
    EXPECT_EQ(DajNazweProduktu(wersjaTekstowa), QStringLiteral("LkModProba"));
    EXPECT_EQ(UstalNazweAplikacji(QStringLiteral("lkMODcokolwiek"), produktTestowy), QStringLiteral("Ostrevia"));
    EXPECT_EQ(UstalNazweAplikacji(QStringLiteral("Ostrevia"), wersjaTekstowa), QStringLiteral("Ostrevia"));
    EXPECT_EQ(UstalNazweAplikacji(QStringLiteral("xLkMod"), wersjaTekstowa), QStringLiteral("xLkMod"));
}

class WersjaPliku : public KatalogTestowy
{
};

TEST_F(WersjaPliku, FileVersionStringMustGiveFourNumbers)
{
    const std::pair<const char *, int32_t> przypadki[] = {
        {"3.1.0.5", 301}, {"3.1.x.5", 0}, {"3.1.0", 0}, {"3.70000.0.5", 0}, {"", 0}, {"12.3.4.5.6", 1203},
    };
    for (const auto &[tekst, numer] : przypadki) {
        const QString plik = ZapiszPlik(QStringLiteral("v.bin"), QByteArray(100, 'x') + bajty(blok(tekst, false)));
        EXPECT_EQ(DajNumerWersji(plik), numer) << tekst;
    }
}

TEST_F(WersjaPliku, OnlyWholeValidBlocksAreFound)
{
    const TBlokWersji dobry = blok("1.0.0.0", true);
    TBlokWersji zlyRozmiar = dobry;
    zlyRozmiar.Rozmiar = 12;
    TBlokWersji bezZera = dobry;
    std::memset(bezZera.Teksty, 'A', sizeof bezZera.Teksty);
    const QByteArray porcja(1024 * 1024, '\x7f');

    struct Przypadek
    {
        const char *opis;
        QByteArray tresc;
        int32_t numer;
    };
    const Przypadek przypadki[] = {
        {"block across the reader's portions", porcja.left(porcja.size() - 20) + bajty(dobry), 708},
        {"bad block before a good one", bajty(zlyRozmiar) + bajty(dobry), 708},
        {"wrong size field", bajty(zlyRozmiar), 0},
        {"strings without end", bajty(bezZera), 0},
        {"truncated at the end of the file", bajty(dobry).left(sizeof(TBlokWersji) - 1), 0},
        {"marker alone", QByteArray(OSTREVIA_ZNACZNIK_BLOKU_WERSJI, 16), 0},
    };
    for (const Przypadek &p : przypadki) {
        const QString plik = ZapiszPlik(QStringLiteral("v.bin"), p.tresc);
        EXPECT_EQ(DajNumerWersji(plik), p.numer) << p.opis;
    }
    const QString plik = ZapiszPlik(QStringLiteral("v.bin"), bajty(dobry));
    EXPECT_EQ(DajNazweProduktu(plik), QStringLiteral("Próba"));
}

namespace {

// Little-endian; the bytes past the eighth are zeros (padding).
void dopisz(QByteArray &p_Dane, quint64 p_Liczba, int p_Bajtow)
{
    for (int i = 0; i < p_Bajtow; ++i)
        p_Dane.append(i < 8 ? char(p_Liczba >> (8 * i)) : '\0');
}

// A minimal ELF64 file: p_Przed, then the version section holding
// p_WSekcji, then the section names and the table of three sections.
// p_TabelaSekcji moves the table's offset in the header (0: where it is).
QByteArray plikElf(const QByteArray &p_Przed, const QByteArray &p_WSekcji, quint64 p_TabelaSekcji = 0)
{
    const QByteArray nazwy = QByteArray("\0.shstrtab\0.ostrevia_wersja\0", 28);
    const quint64 sekcja = 64 + p_Przed.size();
    const quint64 polozenieNazw = sekcja + p_WSekcji.size();
    const quint64 tabela = polozenieNazw + nazwy.size();
    QByteArray wynik("\x7f" "ELF\x02\x01\x01", 7);
    wynik.append(9, '\0');
    dopisz(wynik, 2, 2);  // type
    dopisz(wynik, 62, 2); // machine
    dopisz(wynik, 1, 4);
    dopisz(wynik, 0, 8);  // entry
    dopisz(wynik, 0, 8);  // program headers
    dopisz(wynik, p_TabelaSekcji ? p_TabelaSekcji : tabela, 8);
    dopisz(wynik, 0, 4);
    dopisz(wynik, 64, 2); // header size
    dopisz(wynik, 0, 2);
    dopisz(wynik, 0, 2);
    dopisz(wynik, 64, 2); // section header size
    dopisz(wynik, 3, 2);  // sections
    dopisz(wynik, 1, 2);  // names section
    wynik += p_Przed + p_WSekcji + nazwy;
    auto opisSekcji = [&wynik](quint64 p_Nazwa, quint64 p_Polozenie, quint64 p_Rozmiar) {
        dopisz(wynik, p_Nazwa, 4);
        dopisz(wynik, 1, 4);
        dopisz(wynik, 0, 16);
        dopisz(wynik, p_Polozenie, 8);
        dopisz(wynik, p_Rozmiar, 8);
        dopisz(wynik, 0, 24);
    };
    opisSekcji(0, 0, 0);
    opisSekcji(1, polozenieNazw, nazwy.size());
    opisSekcji(11, sekcja, p_WSekcji.size());
    return wynik;
}

} // namespace

TEST_F(WersjaPliku, AnExecutablesOwnSectionIsReadFirstAndBrokenHeadersFallBackToTheSearch)
{
    TBlokWersji wSekcji = blok("1.0.0.0", true);
    wSekcji.Numery[0] = 4;
    wSekcji.Numery[1] = 2;
    const QByteArray wabik = bajty(blok("1.0.0.0", true)); // 7.08, found first by a search
    struct Przypadek
    {
        const char *opis;
        QByteArray tresc;
        int32_t numer;
    };
    const Przypadek przypadki[] = {
        {"the section wins over a block before it", plikElf(wabik, bajty(wSekcji)), 402},
        {"a section that holds no block", plikElf(wabik, QByteArray(sizeof(TBlokWersji), 'x')), 708},
        {"a section shorter than a block", plikElf(wabik, bajty(wSekcji).left(100)), 708},
        {"a section table past the end", plikElf(wabik, bajty(wSekcji), quint64(1) << 40), 708},
        {"a section table cut short", plikElf(wabik, bajty(wSekcji)).chopped(10), 708},
    };
    for (const Przypadek &p : przypadki) {
        const QString plik = ZapiszPlik(QStringLiteral("v.elf"), p.tresc);
        EXPECT_EQ(DajNumerWersji(plik), p.numer) << p.opis;
    }
}
