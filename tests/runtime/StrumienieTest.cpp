#include "BuforZapisu.h"
#include "KatalogTestowy.h"
#include "LkTypyBazowe.h"
#include "Strumienie.h"
#include "Wyjatki.h"

#include <QFile>

#include <cstring>

#include <sys/stat.h>

TEST(TMemoryStream, WriteReadSeekAndGapsFilledWithZeros)
{
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Seek(-2, soEnd), 4);
    char bufor[8] = {};
    EXPECT_EQ(s.Read(bufor, 8), 2);
    EXPECT_EQ(QByteArray(bufor, 2), QByteArray("ef"));
    EXPECT_EQ(s.Read(bufor, 8), 0);

    s.SetPosition(8);
    s.WriteBuffer("Z", 1);
    EXPECT_EQ(s.Bajty(), QByteArray("abcdef\0\0Z", 9));
    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3);
    EXPECT_EQ(s.Bajty(), QByteArray("abc"));
}

TEST(TMemoryStream, ShortReadBufferRaisesAndCopyFromZeroCopiesAll)
{
    TMemoryStream zrodlo(QByteArray("0123456789"));
    zrodlo.SetPosition(7);
    char bufor[8];
    EXPECT_THROW(zrodlo.ReadBuffer(bufor, 5), EReadError);

    TMemoryStream cel;
    EXPECT_EQ(cel.CopyFrom(zrodlo, 0), 10);
    EXPECT_EQ(cel.Bajty(), QByteArray("0123456789"));
    zrodlo.SetPosition(2);
    cel.Clear();
    cel.CopyFrom(zrodlo, 3);
    EXPECT_EQ(cel.Bajty(), QByteArray("234"));
    EXPECT_THROW(cel.CopyFrom(zrodlo, 100), EReadError);
}

TEST(TMemoryStream, GrowsPastManyBlocks)
{
    TMemoryStream s;
    QByteArray oczekiwane;
    for (int i = 0; i < 100000; ++i) {
        const char c = char('a' + i % 26);
        s.WriteBuffer(&c, 1);
        oczekiwane.append(c);
    }
    EXPECT_EQ(s.Bajty(), oczekiwane);
}

// Past a few MB the stream moves to storage of huge pages: the bytes, gaps,
// sizes and foreign memory shown must come through that move as before.
TEST(TMemoryStream, LargeGrowthKeepsBytesGapsAndSizes)
{
    const QByteArray kawalek(3 << 20, 'k');
    TMemoryStream s;
    s.WriteBuffer("ab", 2);
    s.SetPosition(1 << 20);
    s.WriteBuffer(kawalek.constData(), kawalek.size());
    EXPECT_GE(s.Capacity(), s.Size());
    QByteArray oczekiwane = QByteArray("ab") + QByteArray((1 << 20) - 2, '\0') + kawalek;
    EXPECT_EQ(s.Bajty(), oczekiwane);

    s.SetSize(9 << 20);
    EXPECT_EQ(s.Size(), 9 << 20);
    EXPECT_EQ(s.Bajty().left(oczekiwane.size()), oczekiwane);
    s.SetSize(5);
    EXPECT_EQ(s.Bajty(), QByteArray("ab\0\0\0", 5));

    char obca[3] = {'x', 'y', 'z'};
    TLkMemoryStream pokazuje;
    pokazuje.SetPointer(obca, 3);
    pokazuje.SetPosition(3);
    pokazuje.WriteBuffer(kawalek.constData(), kawalek.size());
    EXPECT_EQ(pokazuje.Bajty(), QByteArray("xyz") + kawalek);
    EXPECT_EQ(QByteArray(obca, 3), QByteArray("xyz"));
}

// ReadBuffer takes small reads from the stream's window without a call; every
// call of the stream's own must see the position those reads moved.
TEST(TMemoryStream, ReadsFromTheWindowMoveThePositionEveryCallSees)
{
    TMemoryStream s(QByteArray("abcdef"));
    char bufor[4] = {};
    s.ReadBuffer(bufor, 2);
    EXPECT_EQ(QByteArray(bufor, 2), QByteArray("ab"));
    EXPECT_EQ(s.Position(), 2);
    EXPECT_EQ(s.ZnanaReszta(), 4);
    s.WriteBuffer("XY", 2); // over "cd", not at the start or the end
    EXPECT_EQ(s.Bajty(), QByteArray("abXYef"));
    s.ReadBuffer(bufor, 2);
    EXPECT_EQ(QByteArray(bufor, 2), QByteArray("ef"));
    EXPECT_THROW(s.ReadBuffer(bufor, 1), EReadError);
    s.Seek(-3, soCurrent);
    s.ReadBuffer(bufor, 1);
    EXPECT_EQ(bufor[0], 'Y');
    s.SetSize(4);
    EXPECT_EQ(s.Position(), 4);
    EXPECT_THROW(s.ReadBuffer(bufor, 1), EReadError);
    s.Clear();
    EXPECT_EQ(s.Read(bufor, 1), 0);
}

// Room shown in place is written only as far as it is taken; anything that
// moves off the end hides it, and a read-only stream has none.
TEST(TMemoryStream, RoomInPlaceCountsOnlyWhatIsTaken)
{
    TMemoryStream s(QByteArray("ab"));
    s.Seek(0, soEnd);
    ASSERT_TRUE(s.PokazMiejsceZapisu(3));
    char *okno = s.OknoZapisu();
    ASSERT_GE(s.KoniecOknaZapisu() - okno, 3);
    std::memcpy(okno, "cdX", 3);
    s.ZajmijOkno(okno + 2);
    EXPECT_EQ(s.Size(), 4);
    EXPECT_EQ(s.Bajty(), QByteArray("abcd"));
    s.WriteBuffer("e", 1);
    EXPECT_EQ(s.Position(), 5);
    EXPECT_EQ(s.Bajty(), QByteArray("abcde"));

    s.Seek(1, soBeginning);
    EXPECT_EQ(s.OknoZapisu(), nullptr);
    EXPECT_FALSE(s.PokazMiejsceZapisu(1));
    s.WriteBuffer("B", 1);
    s.Seek(0, soEnd);
    // Growing past the size where huge pages are advised keeps the bytes.
    const int64_t duzo = int64_t(3) << 20;
    ASSERT_TRUE(s.PokazMiejsceZapisu(duzo));
    std::memset(s.OknoZapisu(), 'z', size_t(duzo));
    s.ZajmijOkno(s.OknoZapisu() + duzo);
    EXPECT_EQ(s.Size(), 5 + duzo);
    EXPECT_EQ(s.Bajty().left(6), QByteArray("aBcdez"));
    s.SetSize(3);
    s.WriteBuffer("!", 1);
    EXPECT_EQ(s.Bajty(), QByteArray("aBc!"));

    const QByteArray tylkoDoOdczytu("xyz");
    TLkReadOnlyRawByteStream widok(tylkoDoOdczytu);
    widok.Seek(0, soEnd);
    EXPECT_FALSE(widok.PokazMiejsceZapisu(1));
}

// Small writes fill the buffer's room without a call, in order with larger
// ones; Clear drops what was not flushed.
TEST(TBuforZapisu, SmallWritesReachTheTargetInOrder)
{
    TMemoryStream cel;
    {
        TBuforZapisu bufor(&cel, 4);
        bufor.WriteBuffer("ab", 2);
        bufor.WriteBuffer("cd", 2); // fills the room exactly
        bufor.WriteBuffer("e", 1);
        bufor.WriteBuffer("0123456789", 10); // larger than the buffer: straight through
        bufor.WriteBuffer("f", 1);
        bufor.Flush();
        EXPECT_EQ(cel.Bajty(), QByteArray("abcde0123456789f"));
        bufor.WriteBuffer("gh", 2);
        bufor.Clear();
        bufor.WriteBuffer("i", 1);
    }
    EXPECT_EQ(cel.Bajty(), QByteArray("abcde0123456789fi"));
}

class TFileStreamTest : public KatalogTestowy
{
};

TEST_F(TFileStreamTest, CreateWriteReopenRead)
{
    const QString nazwa = Sciezka(QStringLiteral("dane.bin"));
    {
        TFileStream plik(nazwa, fmCreate);
        plik.WriteBuffer("Ostrevia", 8);
        EXPECT_EQ(plik.Size(), 8);
    }
    TFileStream plik(nazwa, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(plik.Seek(3, soBeginning), 3);
    char bufor[16];
    EXPECT_EQ(plik.Read(bufor, 16), 5);
    EXPECT_EQ(QByteArray(bufor, 5), QByteArray("revia"));
    EXPECT_EQ(plik.Write("x", 1), 0); // opened for reading only
}

TEST_F(TFileStreamTest, OpenAndCreateFailuresSayWhy)
{
    const QString brak = Sciezka(QStringLiteral("brak.bin"));
    try {
        TFileStream plik(brak, fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(brak)))
            << qPrintable(e.Message());
    }
    EXPECT_THROW((TFileStream{Sciezka(QStringLiteral("brak/x.bin")), fmCreate}), EFCreateError);
}

TEST_F(TFileStreamTest, WritesNeverThroughLinksReadsFollowThemFifosAndFoldersAreRefused)
{
    const QString cel = ZapiszPlik(QStringLiteral("cel.bin"), "oryginal");
    const QString link = Sciezka(QStringLiteral("link.bin"));
    ASSERT_TRUE(QFile::link(cel, link));
    EXPECT_THROW((TFileStream{link, fmCreate}), EFCreateError);
    EXPECT_THROW((TFileStream{link, fmOpenReadWrite}), EFOpenError);
    EXPECT_THROW((TFileStream{link, fmOpenWrite}), EFOpenError);
    EXPECT_EQ(CzytajPlik(cel), QByteArray("oryginal"));
    // The user's own file, named through a link, is read as named.
    TFileStream odczyt(link, fmOpenRead);
    char bajty[8];
    odczyt.ReadBuffer(bajty, sizeof bajty);
    EXPECT_EQ(QByteArray(bajty, sizeof bajty), QByteArray("oryginal"));

    const QString kolejka = Sciezka(QStringLiteral("kolejka"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(kolejka).constData(), 0600), 0);
    EXPECT_THROW((TFileStream{kolejka, fmOpenRead}), EFOpenError);
    EXPECT_THROW((TFileStream{FKatalog.path(), fmOpenRead}), EFOpenError);
}

TEST_F(TFileStreamTest, MemoryStreamSavesAndLoadsFiles)
{
    const QString nazwa = Sciezka(QStringLiteral("pamiec.bin"));
    TMemoryStream zapis(QByteArray::fromHex("0001FF") + QStringLiteral(" zawartość").toUtf8());
    zapis.SaveToFile(nazwa);
    TMemoryStream odczyt;
    odczyt.LoadFromFile(nazwa);
    EXPECT_EQ(odczyt.Bajty(), zapis.Bajty());
    EXPECT_EQ(odczyt.Position(), 0);
    EXPECT_THROW(odczyt.LoadFromFile(Sciezka(QStringLiteral("brak"))), EFOpenError);
}
