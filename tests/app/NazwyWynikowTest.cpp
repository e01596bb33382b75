// The output names of a batch: unique whatever the inputs' names and order.
#include "NazwyWynikow.h"

#include <gtest/gtest.h>

namespace {

TEST(NazwyWynikow, SecondAndLaterOfOneNameGetANumberThatNoOtherInputHolds)
{
    const struct
    {
        QStringList Wejscia;
        QStringList Nazwy;
    } przypadki[] = {
        {{"a/x.xml", "b/x.xml", "c/x.xml"}, {"x", "x_2", "x_3"}},
        // Letter case does not make a name new.
        {{"X.xml", "x.XML"}, {"X", "x_2"}},
        // A suffix made for one input is not the name of another, nor the other way round.
        {{"x_2.xml", "x.xml", "b/x.xml"}, {"x_2", "x", "x_3"}},
        {{"x.xml", "b/x.xml", "x_2.xml"}, {"x", "x_2", "x_2_2"}},
        // Only the last extension goes; a name of an extension alone gets one.
        {{"a.b.xml", ".xml", "c/.xml"}, {"a.b", "bez_nazwy", "bez_nazwy_2"}},
    };
    for (const auto &p : przypadki)
        EXPECT_EQ(NadajNazwyWynikow(p.Wejscia), p.Nazwy) << qPrintable(p.Wejscia.join(QLatin1Char(' ')));
}

} // namespace
