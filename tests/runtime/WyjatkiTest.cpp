#include "Wyjatki.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(Wyjatki, RewrittenMessageReachesWhat)
{
    LkException e(QStringLiteral("Błąd"));
    EXPECT_STREQ(e.what(), "Błąd");
    e.SetMessage(QStringLiteral("Błąd odczytu pliku x:\rpowód"));
    EXPECT_STREQ(e.what(), "Błąd odczytu pliku x:\rpowód");
    EXPECT_EQ(KomunikatWyjatku(e), QStringLiteral("Błąd odczytu pliku x:\rpowód"));
    EXPECT_EQ(KomunikatWyjatku(std::runtime_error("zwykły")), QStringLiteral("zwykły"));
}
