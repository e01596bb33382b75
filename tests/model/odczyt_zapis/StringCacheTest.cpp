#include "StringCache.h"

#include <gtest/gtest.h>

namespace {

TEST(StringCache, RowneNapisyDzielaJedenBlok)
{
    TStringCache cache;
    QString a = QStringLiteral("Warszawa").toLower();
    QString b = QStringLiteral("warszawa").toUpper().toLower();
    QString c = QStringLiteral("WARSZAWA");
    EXPECT_FALSE(cache.UseOn(a));
    EXPECT_TRUE(cache.UseOn(b));
    EXPECT_EQ(a.constData(), b.constData());
    EXPECT_FALSE(cache.UseOn(c)); // case-sensitive
    EXPECT_EQ(cache.Uzycia(QStringLiteral("warszawa")), 2);

    QString dlugi(36, QLatin1Char('x'));
    QString guid = QStringLiteral("Ab0#@Ab0#@Ab0#@Ab0#@12");
    QString pusty;
    EXPECT_FALSE(cache.UseOn(dlugi));
    EXPECT_FALSE(cache.UseOn(guid));
    EXPECT_FALSE(cache.UseOn(pusty));
    EXPECT_EQ(cache.Count(), 2);
    cache.AkceptujGUIDy = true;
    cache.UseOn(guid);
    EXPECT_EQ(cache.Count(), 3);
}

TEST(StringCache, PrzepelnienieZostawiaNajczesciejUzywane)
{
    TStringCache cache;
    for (int i = 0; i < cache.MaxSizeOfCache; ++i) {
        QString s = QString::number(i);
        cache.UseOn(s);
        if (i % 2) { // the odd ones are used twice
            QString t = QString::number(i);
            cache.UseOn(t);
        }
    }
    EXPECT_EQ(cache.Count(), 30000);
    QString nowy = QStringLiteral("nowy");
    cache.UseOn(nowy);
    EXPECT_EQ(cache.Count(), cache.MinSizeOfCache + 1);
    EXPECT_EQ(cache.Uzycia(QStringLiteral("29999")), 2);
    EXPECT_EQ(cache.Uzycia(QStringLiteral("29998")), 0);
    EXPECT_EQ(cache.Uzycia(QStringLiteral("nowy")), 1);
    // still sorted: every survivor is found
    for (int i = 1; i < 30000; i += 2)
        ASSERT_EQ(cache.Uzycia(QString::number(i)), 2) << i;
}

TEST(StringCache, PrzyRownychUzyciachZostajaOstatnioDodane)
{
    TStringCache cache;
    cache.MinSizeOfCache = 2;
    cache.MaxSizeOfCache = 3;
    for (const char *tekst : {"a", "c", "b", "d"}) {
        QString s = QString::fromLatin1(tekst);
        cache.UseOn(s);
    }
    // Trimmed when "d" came: equal uses, so the later "c" and "b" stay, whatever the hash order.
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_EQ(cache.Uzycia(QStringLiteral("a")), 0);
    EXPECT_EQ(cache.Uzycia(QStringLiteral("b")), 1);
    EXPECT_EQ(cache.Uzycia(QStringLiteral("c")), 1);
    EXPECT_EQ(cache.Uzycia(QStringLiteral("d")), 1);
}

} // namespace
