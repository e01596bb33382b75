#include "Extended80.h"
#include "OdczytywaczDanych.h"
#include "PolaCalkowite.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"
#include "Obiekt.h"
#include "StrumienBinarny.h"
#include "Strumienie.h"
#include "ZapisywaczDanych.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace {

struct ObrazPola
{
    const TOpisKlasy *Klasa;
    const char *Tekst; // UTF-8
    QByteArray Obraz;
};

QByteArray obrazPola(const TPole &p_Pole, TZapisywaczDanych &p_Zapisywacz)
{
    TMemoryStream strumien;
    p_Pole.ZapiszWStrumieniu(strumien, p_Zapisywacz);
    return strumien.Bajty();
}

TEST(ObrazyBinarnePol, KazdaKlasaMaSwojObrazIWracaZNiego)
{
    const ObrazPola przypadki[] = {
        {&TPoleBoolean::Opis, "T", QByteArray::fromHex("01")},
        {&TPoleByte::Opis, "200", QByteArray::fromHex("c8")},
        {&TPoleSmallint::Opis, "-2", QByteArray::fromHex("feff")},
        {&TPoleWord::Opis, "65535", QByteArray::fromHex("ffff")},
        {&TPoleInteger::Opis, "-2", QByteArray::fromHex("feffffff")},
        {&TPoleCardinal::Opis, "4294967295", QByteArray::fromHex("ffffffff")},
        {&TPoleInt64::Opis, "-2", QByteArray::fromHex("feffffffffffffff")},
        {&TPoleDouble::Opis, "1.5", QByteArray::fromHex("000000000000f83f")},
        {&TPoleExtended::Opis, "1", QByteArray::fromHex("0000000000000080ff3f")},
        {&TPoleCurrency::Opis, "1.5", QByteArray::fromHex("983a000000000000")},
        {&TPoleDate::Opis, "2023-03-15", QByteArray::fromHex("00000000 00f9e540")},
        {&TPoleTime::Opis, "12:00:00", QByteArray::fromHex("000000000000e03f")},
        {&TPoleDateTime::Opis, "2023-03-15 12:00:00", QByteArray::fromHex("0000000010f9e540")},
        {&TPoleString::Opis, "za\u017C\u00F3\u0142\u0107", QByteArray::fromHex("0a7a61c5bcc3b3c582c487")},
        {&TPoleRawByteString::Opis, "\u0105", QByteArray::fromHex("01b9")},
        // the text form of a wide string is its UTF-8 read as Windows-1250: "Ä…" is "ą"
        {&TPoleWideString::Opis, "\u00C4\u2026", QByteArray::fromHex("02c485")},
    };
    for (const ObrazPola &p : przypadki) {
        SCOPED_TRACE(p.Klasa->Nazwa);
        std::unique_ptr<TPole> pole(p.Klasa->Tworz(nullptr));
        pole->SetJakoString(QString::fromUtf8(p.Tekst));
        TZapisywaczDanych zapisywacz;
        const QByteArray obraz = obrazPola(*pole, zapisywacz);
        EXPECT_EQ(obraz.toHex(), p.Obraz.toHex());

        std::unique_ptr<TPole> odczytane(p.Klasa->Tworz(nullptr));
        TMemoryStream wejscie(obraz);
        TOdczytywaczDanych odczytywacz;
        odczytane->WczytajZeStrumienia(wejscie, odczytywacz);
        EXPECT_EQ(odczytane->GetJakoString(), pole->GetJakoString());
        EXPECT_EQ(wejscie.Position(), obraz.size());
    }
}

TEST(ObrazyBinarnePol, NapisyWin1250NaZyczenieIObcietyStrumien)
{
    TPoleString pole;
    pole.Wartosc = QString::fromUtf8("\u0105b");
    TZapisywaczDanych zapisywacz;
    zapisywacz.OpcjeZapisu = ozNapisyWin1250;
    zapisywacz.NormalizujTekst = [](const QString &p_Tekst) { return p_Tekst.toUpper(); };
    const QByteArray obraz = obrazPola(pole, zapisywacz);
    EXPECT_EQ(obraz.toHex(), QByteArray("02a542"));

    TOdczytywaczDanych odczytywacz;
    odczytywacz.FOdczytANSI = true;
    TMemoryStream wejscie(obraz);
    TPoleString odczytane;
    odczytane.WczytajZeStrumienia(wejscie, odczytywacz);
    EXPECT_EQ(odczytane.Wartosc, QString::fromUtf8("\u0104B"));

    // A length of a gigabyte over three bytes of data fails without reserving the gigabyte.
    TMemoryStream obciety(QByteArray::fromHex("ffffffff616263"));
    EXPECT_THROW(CzytajNapis(obciety), EReadError);
}

// Plain ASCII takes a path of its own: every length around its buffers and
// words, with a byte above 0x7F at either end or broken UTF-8, must decode
// as the UTF-8 decoder does and leave the stream right after the string.
TEST(ObrazyBinarnePol, NapisyKazdejDlugosciCzytaneJakUTF8)
{
    for (const int dlugosc : {0, 1, 7, 8, 9, 16, 31, 32, 33, 200, 256, 257, 300}) {
        const QByteArray ascii(dlugosc, 'a');
        QByteArray wariant[] = {ascii, ascii, ascii, ascii};
        if (dlugosc > 0) {
            wariant[1][dlugosc - 1] = '\xFF';
            wariant[2][0] = '\xC4';
        }
        if (dlugosc > 1)
            wariant[3].replace(dlugosc - 2, 2, "\xC4\x85");
        for (const QByteArray &bajty : wariant) {
            SCOPED_TRACE(bajty.toHex().toStdString());
            TMemoryStream strumien;
            ZapiszNapis(strumien, bajty);
            strumien.WriteBuffer("!", 1);
            strumien.SetPosition(0);
            EXPECT_EQ(CzytajNapisUTF8(strumien), QString::fromUtf8(bajty));
            EXPECT_EQ(CzytajLE<uint8_t>(strumien), '!');
        }
        if (dlugosc < 127) {
            TMemoryStream obciety(QByteArray(1, char(dlugosc + 1)) + ascii);
            EXPECT_THROW(CzytajNapisUTF8(obciety), EReadError);
        }
    }
}

// Accepts at most a few bytes per call, as a full disk would.
class TStrumienPelny : public TMemoryStream
{
public:
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override
    {
        return TMemoryStream::Write(p_Bufor, std::min<int64_t>(p_Ile, 3));
    }
};

TEST(ObrazyBinarnePol, KrotkiZapisToBladStrumienia)
{
    TPoleInteger liczba;
    TPoleExtended extended;
    TPoleString tekst;
    tekst.Wartosc = QStringLiteral("abcdef");
    TZapisywaczDanych zapisywacz;
    for (const TPole *pole : std::initializer_list<const TPole *>{&liczba, &extended, &tekst}) {
        TStrumienPelny strumien;
        try {
            pole->ZapiszWStrumieniu(strumien, zapisywacz);
            ADD_FAILURE() << pole->ClassName().toStdString();
        } catch (const EWriteError &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Stream write error"));
        }
    }
}

TEST(ObrazyBinarnePol, ExtendedDziesiecBajtowWObieStrony)
{
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(ExtendedNaBajty(-2.5L).data()), 10).toHex(),
              QByteArray("00000000000000a000c0"));
    const long double wartosci[] = {0.0L, -0.0L, 1.0L, -2.5L, 1.0L / 3, 1e300L, 1e-300L, LDBL_MAX, LDBL_MIN,
                                    LDBL_TRUE_MIN, std::numeric_limits<long double>::infinity()};
    for (const long double w : wartosci) {
        const TBajtyExtended bajty = ExtendedNaBajty(w);
        const long double z = ExtendedZBajtow(bajty);
        EXPECT_EQ(z, w) << static_cast<double>(w);
        EXPECT_EQ(std::signbit(z), std::signbit(w));
        if constexpr (LDBL_MANT_DIG == 64) {
            // Where long double is the x87 format, the image is its memory.
            EXPECT_EQ(std::memcmp(&w, bajty.data(), bajty.size()), 0) << static_cast<double>(w);
        }
    }
    EXPECT_TRUE(std::isnan(ExtendedZBajtow(ExtendedNaBajty(std::numeric_limits<long double>::quiet_NaN()))));
}

TEST(ObrazyBinarnePol, DataSpozaKalendarzaToBladKonwersji)
{
    // 01000000dededede came from a fuzzed file: a date far before year 1.
    const double poza[] = {std::bit_cast<double>(0xdededede00000001ull), 1e300, -693594.0, 2958466.0,
                           std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
    for (const double w : poza) {
        TMemoryStream obraz;
        ZapiszDouble(obraz, w);
        obraz.SetPosition(0);
        TPoleDateTime pole;
        TOdczytywaczDanych odczytywacz;
        pole.WczytajZeStrumienia(obraz, odczytywacz);
        EXPECT_THROW(pole.GetJakoString(), EConvertError) << w;
    }
    for (const char *brzeg : {"0001-01-01", "9999-12-31 23:59:59"}) {
        TPoleDateTime pole;
        pole.SetJakoString(QString::fromLatin1(brzeg));
        EXPECT_EQ(pole.GetJakoString(), QString::fromLatin1(brzeg));
    }
}

TEST(ObrazyBinarnePol, WskaznikToNumerObiektuPlusJeden)
{
    TObiekt a, b, obcy;
    TZapisywaczDanych zapisywacz;
    zapisywacz.DodajObiekt(&a);
    zapisywacz.DodajObiekt(&b);
    zapisywacz.SortujListe();

    TPoleWskObiektu doB, doObcego;
    doB.UstawWartosc(&b);
    doObcego.UstawWartosc(&obcy);
    EXPECT_EQ(obrazPola(doB, zapisywacz).toHex(), QByteArray("0200"));
    // a target the writer does not hold is recorded as absent
    EXPECT_EQ(obrazPola(doObcego, zapisywacz).toHex(), QByteArray("0000"));

    TObiekt x, y;
    TOdczytywaczDanych odczytywacz;
    odczytywacz.OdczytywanoPole(x);
    odczytywacz.OdczytywanoPole(y);
    TPoleRefObiektu doY, doNikogo;
    TMemoryStream wejscie(QByteArray::fromHex("02000900"));
    doY.WczytajZeStrumienia(wejscie, odczytywacz);
    doNikogo.WczytajZeStrumienia(wejscie, odczytywacz);
    // pending numbers are never stored as pointers
    EXPECT_EQ(doY.Wartosc(), nullptr);
    odczytywacz.KorygujReferencje();
    EXPECT_EQ(doY.Wartosc(), &y);
    EXPECT_TRUE(y.MaRefOd(&doY));
    EXPECT_EQ(doNikogo.Wartosc(), nullptr);
}

TEST(ObrazyBinarnePol, LiczbyZmiennejDlugosci)
{
    struct
    {
        void (*Zapisz)(TStream &, int32_t);
        int32_t (*Czytaj)(TStream &);
        int32_t Wartosc;
        QByteArray Obraz;
    } const przypadki[] = {
        {ZapiszKrotkaLiczbe, CzytajKrotkaLiczbe, 127, "7f"},
        {ZapiszKrotkaLiczbe, CzytajKrotkaLiczbe, 128, "8080"},
        {ZapiszKrotkaLiczbe, CzytajKrotkaLiczbe, 32767, "ffff"},
        {ZapiszLiczbe, CzytajLiczbe, 1, "0100"},
        {ZapiszLiczbe, CzytajLiczbe, 32768, "00800080"},
        {ZapiszRozmiar, CzytajRozmiar, 300, "812c"},
        {ZapiszRozmiar, CzytajRozmiar, 16384, "c0000040"},
        {ZapiszRozmiar, CzytajRozmiar, 1073741823, "ffffffff"},
    };
    for (const auto &p : przypadki) {
        TMemoryStream strumien;
        p.Zapisz(strumien, p.Wartosc);
        EXPECT_EQ(strumien.Bajty().toHex(), p.Obraz) << p.Wartosc;
        strumien.SetPosition(0);
        EXPECT_EQ(p.Czytaj(strumien), p.Wartosc);
    }
    TMemoryStream strumien;
    EXPECT_THROW(ZapiszKrotkaLiczbe(strumien, 32768), LkException);
}

} // namespace
