#include "LkTypyBazowe.h"
#include "NazwaPrzypadku.h"
#include "StrumienieZlib.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

// Text-like data: compresses, yet with enough variety to span many blocks.
QByteArray PrzykladoweDane(int p_Rozmiar)
{
    QRandomGenerator los(1250);
    QByteArray dane;
    dane.reserve(p_Rozmiar);
    const QByteArray slowa[] = {"<ns5:Towar>", "Łódź ", "1234.56 ", "</ns5:Towar>\r\n", "ECS "};
    while (dane.size() < p_Rozmiar) {
        dane += slowa[los.bounded(5)];
        dane += char(los.bounded(256));
    }
    dane.truncate(p_Rozmiar);
    return dane;
}

QByteArray Spakuj(const QByteArray &p_Dane, TCompressionLevel p_Poziom)
{
    TMemoryStream cel;
    {
        TCompressionStream kompresja(p_Poziom, cel);
        kompresja.WriteBuffer(p_Dane.constData(), p_Dane.size());
        kompresja.Zakoncz();
    }
    return cel.Bajty();
}

// Reads the way the viewer unpacks its stylesheets: 4 bytes, then 1024-byte blocks.
QByteArray RozpakujJakPrzegladarka(const QByteArray &p_Spakowane)
{
    TLkReadOnlyRawByteStream zrodlo(p_Spakowane);
    TDecompressionStream rozpakowany(zrodlo);
    char bufor[1024];
    rozpakowany.ReadBuffer(bufor, 4);
    QByteArray wynik;
    for (;;) {
        const int64_t ile = rozpakowany.Read(bufor, sizeof bufor);
        wynik.append(bufor, ile);
        if (ile < int64_t(sizeof bufor))
            break;
    }
    return wynik;
}

} // namespace

// Beside the enum, where GoogleTest looks for it.
void PrintTo(TCompressionLevel p_Poziom, std::ostream *p_Wyjscie)
{
    static const char *const nazwy[] = {"clNone", "clFastest", "clDefault", "clMax"};
    *p_Wyjscie << nazwy[static_cast<int>(p_Poziom)];
}

class ZlibPoziomy : public ::testing::TestWithParam<TCompressionLevel>
{
};

TEST_P(ZlibPoziomy, RoundTripAndZlibItselfAgrees)
{
    const QByteArray dane = PrzykladoweDane(300000);
    const QByteArray spakowane = Spakuj(dane, GetParam());

    uLongf rozmiar = uLongf(dane.size());
    QByteArray przezZlib(dane.size(), '\0');
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef *>(przezZlib.data()), &rozmiar,
                         reinterpret_cast<const Bytef *>(spakowane.constData()), uLong(spakowane.size())),
              Z_OK);
    EXPECT_EQ(przezZlib, dane);

    const QByteArray zPrefiksem = QByteArray("\x10\x20\x30\x40", 4) + dane;
    EXPECT_EQ(RozpakujJakPrzegladarka(Spakuj(zPrefiksem, GetParam())), dane);
}

INSTANTIATE_TEST_SUITE_P(Poziomy, ZlibPoziomy,
                         ::testing::Values(TCompressionLevel::clNone, TCompressionLevel::clFastest,
                                           TCompressionLevel::clDefault, TCompressionLevel::clMax),
                         NazwaZOpisu());

TEST(TDecompressionStream, ReadsWhatZlibWroteAndMaxLevelHeader)
{
    const QByteArray dane = PrzykladoweDane(5000);
    uLongf rozmiar = compressBound(uLong(dane.size()));
    QByteArray spakowane(int(rozmiar), '\0');
    ASSERT_EQ(compress2(reinterpret_cast<Bytef *>(spakowane.data()), &rozmiar,
                        reinterpret_cast<const Bytef *>(dane.constData()), uLong(dane.size()), 9),
              Z_OK);
    spakowane.truncate(int(rozmiar));
    EXPECT_EQ(RozpakujJakPrzegladarka(spakowane), dane.mid(4));
    EXPECT_TRUE(Spakuj(dane, TCompressionLevel::clMax).startsWith("\x78\xDA"));
}

TEST(TDecompressionStream, CorruptOrCutStreamsRaiseInsteadOfLooping)
{
    const QByteArray dobre = Spakuj(PrzykladoweDane(50000), TCompressionLevel::clMax);
    QByteArray zepsute = dobre;
    for (int i = 100; i < 140; ++i)
        zepsute[i] = char(zepsute[i] ^ 0x5A);
    QByteArray zlaSuma = dobre;
    zlaSuma[zlaSuma.size() - 1] = char(zlaSuma[zlaSuma.size() - 1] ^ 1);

    const QByteArray przypadki[] = {
        zepsute,
        dobre.left(dobre.size() / 2), // cut off
        zlaSuma,                      // Adler-32 trailer wrong
        QByteArray("not zlib at all"),
        QByteArray(),
    };
    for (const QByteArray &bajty : przypadki)
        EXPECT_THROW(RozpakujJakPrzegladarka(bajty), EZDecompressionError) << bajty.size();
}

TEST(TDecompressionStream, RandomDamageEndsInDataOrAnError)
{
    const QByteArray dane = PrzykladoweDane(20000);
    const QByteArray dobre = Spakuj(dane, TCompressionLevel::clMax);
    QRandomGenerator los(599);
    int bledy = 0;
    for (int proba = 0; proba < 300; ++proba) {
        QByteArray zepsute = dobre;
        for (int n = los.bounded(1, 4); n > 0; --n)
            zepsute[los.bounded(int(zepsute.size()))] = char(los.bounded(256));
        try {
            const QByteArray wynik = RozpakujJakPrzegladarka(zepsute);
            EXPECT_LE(wynik.size(), 2 * dane.size());
        } catch (const EZDecompressionError &) {
            ++bledy;
        }
    }
    EXPECT_GT(bledy, 250); // the Adler-32 trailer catches nearly every change
}

TEST(TDecompressionStream, LeavesTheSourceJustAfterTheZlibStream)
{
    TMemoryStream zrodlo(Spakuj("dane", TCompressionLevel::clDefault) + "OGON");
    TDecompressionStream rozpakowany(zrodlo);
    char bufor[100];
    EXPECT_EQ(rozpakowany.Read(bufor, sizeof bufor), 4);
    EXPECT_EQ(rozpakowany.Read(bufor, sizeof bufor), 0);
    ASSERT_EQ(zrodlo.Read(bufor, sizeof bufor), 4);
    EXPECT_EQ(QByteArray(bufor, 4), QByteArray("OGON"));
}

TEST(TDecompressionStream, SeeksForwardOrFromTheStartOnly)
{
    TLkReadOnlyRawByteStream zrodlo(Spakuj("0123456789", TCompressionLevel::clDefault));
    TDecompressionStream rozpakowany(zrodlo);
    EXPECT_EQ(rozpakowany.Seek(4, soBeginning), 4);
    char c;
    rozpakowany.ReadBuffer(&c, 1);
    EXPECT_EQ(c, '4');
    EXPECT_EQ(rozpakowany.Position(), 5);
    EXPECT_THROW(rozpakowany.Seek(-1, soCurrent), EZDecompressionError);
    EXPECT_EQ(rozpakowany.Seek(0, soBeginning), 0);
    rozpakowany.ReadBuffer(&c, 1);
    EXPECT_EQ(c, '0');
    EXPECT_THROW(rozpakowany.Write("x", 1), EZDecompressionError);
}

TEST(TCompressionStream, IsWriteOnly)
{
    TMemoryStream cel;
    TCompressionStream kompresja(TCompressionLevel::clDefault, cel);
    kompresja.WriteBuffer("abc", 3);
    EXPECT_EQ(kompresja.Position(), 3);
    char c;
    EXPECT_THROW(kompresja.Read(&c, 1), EZCompressionError);
}
