#include "Variant.h"

#include "Wyjatki.h"

#include <gtest/gtest.h>

namespace {

TEST(Variant, PustyDajeZeroKazdegoRodzaju)
{
    const Variant pusty;
    EXPECT_TRUE(pusty.JestPusty());
    EXPECT_FALSE(pusty.JakoBoolean());
    EXPECT_EQ(pusty.JakoInt64(), 0);
    EXPECT_EQ(pusty.JakoDouble(), 0.0);
    EXPECT_EQ(pusty.JakoString(), QString());
}

TEST(Variant, NullNieKonwertujeSie)
{
    EXPECT_THROW(Variant::Null().JakoInt64(), EConvertError);
    EXPECT_THROW(Variant::Null().JakoString(), EConvertError);
}

TEST(Variant, KonwersjeMiedzyRodzajami)
{
    EXPECT_EQ(Variant::ZBoolean(true).JakoInt64(), -1);
    EXPECT_EQ(Variant::ZBoolean(true).JakoString(), QStringLiteral("True"));
    EXPECT_TRUE(Variant::ZString(QStringLiteral("TRUE")).JakoBoolean());
    EXPECT_EQ(Variant::ZCardinal(4000000000u).JakoInt64(), 4000000000LL);
    EXPECT_EQ(Variant::ZCurrency(125000).JakoDouble(), 12.5);
    EXPECT_EQ(Variant::ZDouble(12.5).JakoCurrency(), 125000);
    EXPECT_EQ(Variant::ZString(QStringLiteral("12,5")).JakoDouble(), 12.5);
    EXPECT_EQ(Variant::ZString(QStringLiteral(" 42 ")).JakoInt64(), 42);
    EXPECT_EQ(Variant::ZDouble(0.1).JakoString(), QStringLiteral("0.1"));
    EXPECT_THROW(Variant::ZString(QStringLiteral("abc")).JakoInt64(), EConvertError);
    EXPECT_THROW(Variant::ZString(QStringLiteral("1e300")).JakoCurrency(), EConvertError);
}

TEST(Variant, BajtyWindows1250)
{
    const QByteArray bajty("\xB9\xE6", 2); // "ąć"
    const Variant v = Variant::ZAnsiString(bajty);
    EXPECT_EQ(v.JakoString(), QString::fromUtf8("ąć"));
    EXPECT_EQ(v.JakoAnsiString(), bajty);
    EXPECT_EQ(Variant::ZWideString(QString::fromUtf8("ąć")).JakoAnsiString(), bajty);
}

} // namespace
