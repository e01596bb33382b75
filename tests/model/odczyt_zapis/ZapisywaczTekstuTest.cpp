#include "BuforZapisu.h"
#include "PolaTekstowe.h"
#include "Strumienie.h"
#include "ZapisywaczTekstu.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ZapisywaczTekstu, AkapityIKonceLinii)
{
    TMemoryStream strumien;
    {
        TZapisywaczTekstu zapisywacz(&strumien, false);
        zapisywacz.ZapiszTxt(QByteArrayLiteral("a"));
        zapisywacz.ZwiekszAkapit();
        zapisywacz.ZapiszLinie(QByteArrayLiteral("b")); // indentation is off by default
        zapisywacz.PominAkapity = false;
        zapisywacz.ZnakAkapitu = '\t';
        zapisywacz.RozmAkapitu = 2;
        zapisywacz.ZwiekszAkapit();
        zapisywacz.ZapiszLinie(QStringLiteral("%s=%d"), {QString::fromUtf8("\u017C"), 5});
        zapisywacz.ZmniejszAkapit();
        zapisywacz.ZmniejszAkapit();
        zapisywacz.ZmniejszAkapit(); // never below zero
        zapisywacz.NowaLinia();
        zapisywacz.PominKonceLinii = true;
        zapisywacz.NowaLinia();
        zapisywacz.ZapiszInt64(-9000000000);
    }
    EXPECT_EQ(strumien.Bajty(), QByteArray("a\r\nb\r\n\t\t\t\xBF=5\r\n-9000000000"));
}

TEST(ZapisywaczTekstu, PlikPrzezBuforZapisywanyDoKonca)
{
    QTemporaryDir katalog;
    const QString nazwa = katalog.filePath(QStringLiteral("wynik.txt"));
    const QByteArray duzy(70000, 'd');
    {
        TFileStream plik(nazwa, fmCreate);
        TZapisywaczTekstu zapisywacz(&plik, false);
        EXPECT_NE(zapisywacz.Strumien, &plik);
        zapisywacz.ZapiszTxt(QByteArrayLiteral("start"));
        zapisywacz.ZapiszTxt(duzy); // flushes "start", then bypasses the buffer
        EXPECT_EQ(plik.Size(), 70005);
        zapisywacz.ZapiszTxt(QByteArrayLiteral("koniec"));
        EXPECT_EQ(plik.Size(), 70005);
    }
    TMemoryStream odczyt;
    odczyt.LoadFromFile(nazwa);
    EXPECT_EQ(odczyt.Bajty(), "start" + duzy + "koniec");

    TMemoryStream cel;
    TBuforZapisu bufor(&cel, 16);
    EXPECT_THROW(bufor.Read(nullptr, 1), LkException);
    EXPECT_THROW(bufor.Position(), LkException);
}

TEST(ZapisywaczTekstu, PamiecPolaTekstowegoLiczyBlokNapisu)
{
    TPoleString pole;
    EXPECT_EQ(pole.ZajmowanaPamiec(), static_cast<int64_t>(sizeof(TPoleString)));
    pole.Wartosc = QString(100, QLatin1Char('x'));
    EXPECT_GE(pole.ZajmowanaPamiec(), static_cast<int64_t>(sizeof(TPoleString) + 200));
    TPoleRawByteString bajty;
    bajty.Wartosc = QByteArray(100, 'x');
    EXPECT_GE(bajty.ZajmowanaPamiec(), static_cast<int64_t>(sizeof(TPoleRawByteString) + 100));
}

} // namespace
