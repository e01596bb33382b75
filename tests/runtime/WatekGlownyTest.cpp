#include "WatekGlowny.h"

#include <gtest/gtest.h>

#include <thread>

TEST(CzyWatekGlowny, TrueOnlyOnTheRecordedThread)
{
    EXPECT_TRUE(CzyWatekGlowny()); // the application's thread by default

    bool wWatku = true;
    std::thread([&] { wWatku = CzyWatekGlowny(); }).join();
    EXPECT_FALSE(wWatku);

    std::thread([&] {
        UstawWatekGlowny();
        wWatku = CzyWatekGlowny();
    }).join();
    EXPECT_TRUE(wWatku);
    EXPECT_FALSE(CzyWatekGlowny());

    UstawWatekGlowny();
    EXPECT_TRUE(CzyWatekGlowny());
}
