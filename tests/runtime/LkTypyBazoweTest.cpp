#include "LkTypyBazowe.h"
#include "Wyjatki.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

void OczekujNiedozwolonego(const std::function<void()> &p_Operacja, const QString &p_Komunikat)
{
    try {
        p_Operacja();
        ADD_FAILURE() << "no exception for " << qPrintable(p_Komunikat);
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), p_Komunikat);
    }
}

} // namespace

TEST(TLkMemoryStream, WritesLittleEndianIntegers)
{
    TLkMemoryStream s;
    s.WriteInt(-2);
    s.WriteWord(0x1234);
    s.WriteInt(0x01020304);
    EXPECT_EQ(s.Bajty(), QByteArray::fromHex("FEFFFFFF" "3412" "04030201"));
}

TEST(TLkMemoryStream, ShowsForeignMemoryAndNeverWritesPastIt)
{
    char obca[4] = {'a', 'b', 'c', 'd'};
    TLkMemoryStream s;
    s.WriteBuffer("stare", 5);
    s.SetPointer(obca, 4);
    EXPECT_EQ(s.Size(), 4);
    s.SetPosition(0);
    s.WriteBuffer("X", 1); // inside: the shown memory itself changes
    EXPECT_EQ(obca[0], 'X');
    s.SetPosition(3);
    s.WriteBuffer("YZ", 2); // past the end: moved to memory of the stream's own
    EXPECT_EQ(s.Bajty(), QByteArray("XbcYZ"));
    EXPECT_EQ(QByteArray(obca, 4), QByteArray("Xbcd"));
}

TEST(TLkReadOnlyRawByteStream, ReadsTheStringWithoutCopyingAndRefusesChanges)
{
    QByteArray tresc("zawartość");
    TLkReadOnlyRawByteStream s(tresc);
    EXPECT_EQ(s.Memory(), static_cast<const void *>(tresc.constData()));
    tresc[0] = 'Z'; // the caller's copy detaches; the stream keeps what it was given
    EXPECT_EQ(s.Seek(-3, soEnd), s.Size() - 3);
    EXPECT_EQ(s.Seek(0, soBeginning), 0);
    char bufor[3];
    s.ReadBuffer(bufor, 3);
    EXPECT_EQ(QByteArray(bufor, 3), QByteArray("zaw"));

    OczekujNiedozwolonego([&] { s.Write("x", 1); },
                          QStringLiteral("niedozwolone użycie Write w TLkReadOnlyRawByteStream"));
    OczekujNiedozwolonego([&] { s.SetSize(0); },
                          QStringLiteral("niedozwolone użycie SetSize w TLkReadOnlyRawByteStream"));
    EXPECT_EQ(s.Size(), QByteArray("zawartość").size());
}

TEST(TLkRawByteFromStringStream, OneByteForEveryCharacter)
{
    TLkRawByteFromStringStream s(QStringLiteral("a\u00E9\u20AC\u0416\u0105"));
    char bufor[10];
    EXPECT_EQ(s.Read(bufor, 10), 5);
    // below 256 as is, else the 1250 byte, else "?"
    EXPECT_EQ(QByteArray(bufor, 5), QByteArray("a\xE9\x80?\xB9"));
    EXPECT_EQ(s.Read(bufor, 10), 0);
}

TEST(TLkRawByteFromStringStream, SizeSeekAndMisuse)
{
    TLkRawByteFromStringStream s(QStringLiteral("abcd"));
    char bufor[10];
    EXPECT_EQ(s.Size(), 4);
    EXPECT_EQ(s.Read(bufor, 10), 4);
    EXPECT_EQ(s.Seek(1, soBeginning), 1);
    EXPECT_EQ(s.Seek(1, soCurrent), 2);
    EXPECT_EQ(s.Seek(-1, soEnd), 3);
    EXPECT_EQ(s.Read(bufor, 10), 1);
    EXPECT_EQ(bufor[0], 'd');
    OczekujNiedozwolonego([&] { s.Write("x", 1); },
                          QStringLiteral("niedozwolone użycie Write w TLkRawByteFromStringStream"));
    OczekujNiedozwolonego([&] { s.SetSize(1); },
                          QStringLiteral("niedozwolone użycie SetSize w TLkRawByteFromStringStream"));
}

TEST(TLkRawByteStringMaker, HandsOverItsBufferAndEmpties)
{
    TLkRawByteStringMaker s;
    s.WriteBuffer("\xB3\xF3", 2);
    s.WriteWord(0x4241);
    const void *pamiec = s.Memory();
    const QByteArray wynik = s.DajWynik();
    EXPECT_EQ(wynik, QByteArray("\xB3\xF3" "AB"));
    EXPECT_EQ(static_cast<const void *>(wynik.constData()), pamiec);
    EXPECT_EQ(s.Size(), 0);
    EXPECT_TRUE(s.DajWynik().isEmpty());

    // A large result too: the storage grown in big steps is the string handed over.
    const QByteArray duzy(10 << 20, 'd');
    for (int i = 0; i < 10; ++i)
        s.WriteBuffer(duzy.constData() + i * (1 << 20), 1 << 20);
    const void *duza = s.Memory();
    const QByteArray calosc = s.DajWynik();
    EXPECT_EQ(calosc, duzy);
    EXPECT_EQ(static_cast<const void *>(calosc.constData()), duza);
}
