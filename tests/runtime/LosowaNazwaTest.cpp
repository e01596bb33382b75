// The 22-character names of temporary and side files.
#include "DrukQt.h"
#include "LosowaNazwa.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

TEST(LosowaNazwa, BytesFromTheLastSixBitsAtATimeAndTheTopOfAFinalGroup)
{
    const struct
    {
        QByteArray Bajty;
        const char *Nazwa;
    } przypadki[] = {
        {QByteArray(16, '\0'), "0000000000000000000000"},
        {QByteArray(16, '\xFF'), "#####################m"},
        // The first byte is read last: its two low bits alone make the last character.
        {QByteArray(1, '\x01') + QByteArray(15, '\0'), "000000000000000000000G"},
        {QByteArray(1, '\x02') + QByteArray(15, '\0'), "000000000000000000000W"},
        {QByteArray(1, '\x03') + QByteArray(15, '\0'), "000000000000000000000m"},
        {QByteArray(1, '\x04') + QByteArray(15, '\0'), "0000000000000000000010"},
        // The last byte is read first, from its most significant bit.
        {QByteArray(15, '\0') + QByteArray(1, '\x80'), "W000000000000000000000"},
        {QByteArray(15, '\0') + QByteArray(1, '\x04'), "1000000000000000000000"},
        {QByteArray(15, '\0') + QByteArray(1, '\x02'), "0W00000000000000000000"},
        {QByteArray::fromHex("00112233445566778899aabbccddeeff"), "#@xTpBkgcOXtPbL4Co8H00"},
    };
    for (const auto &p : przypadki)
        EXPECT_EQ(LosowaNazwaZBajtow(p.Bajty), QString::fromLatin1(p.Nazwa)) << p.Bajty.toHex().constData();

    EXPECT_TRUE(LosowaNazwaZBajtow(QByteArray(15, 'a')).isEmpty());
    EXPECT_TRUE(LosowaNazwaZBajtow(QByteArray(17, 'a')).isEmpty());
}

TEST(LosowaNazwa, TwentyTwoCharactersOfTheAlphabetAndNeverTheSame)
{
    const QRegularExpression wzor(QStringLiteral("^[0-9A-Za-z@#]{21}[0GWm]$"));
    QSet<QString> nazwy;
    for (int i = 0; i < 1000; ++i) {
        const QString nazwa = DajLosowaNazwe();
        EXPECT_TRUE(wzor.match(nazwa).hasMatch()) << qPrintable(nazwa);
        nazwy.insert(nazwa);
    }
    EXPECT_EQ(nazwy.size(), 1000);
}
