#include "ProsteHaszowanie.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <zlib.h>

TEST(ProsteHaszowanie, CheckValuesOfBothForms)
{
    EXPECT_EQ(AktualizujCRC32(0xFFFFFFFFu, "123456789"), 0x340BC6D9u); // the register: JAMCRC
    EXPECT_EQ(CRC32("123456789"), 0xCBF43926u);                         // complemented: CRC-32
    EXPECT_EQ(AktualizujCRC32(0xFFFFFFFFu, QByteArrayView()), 0xFFFFFFFFu);
    EXPECT_EQ(TablicaCRC32()[1], 0x77073096u);
    EXPECT_EQ(TablicaCRC32()[255], 0x2D02EF8Du);
}

TEST(ProsteHaszowanie, AgreesWithZlibAndCanBeFedInPieces)
{
    QByteArray dane(100000, Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32 *>(dane.data()), dane.size() / 4);
    const uint32_t zZlib = uint32_t(crc32(0, reinterpret_cast<const Bytef *>(dane.constData()), uInt(dane.size())));
    EXPECT_EQ(CRC32(dane), zZlib);

    uint32_t rejestr = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < dane.size(); i += 777)
        rejestr = AktualizujCRC32(rejestr, QByteArrayView(dane.constData() + i, qMin<qsizetype>(777, dane.size() - i)));
    EXPECT_EQ(~rejestr, zZlib);
}
