#include "ParsowanieTekstu.h"

#include "Wyjatki.h"

#include <gtest/gtest.h>

namespace {

TEST(ParsowanieTekstu, BooleanWgKolejnosciRegul)
{
    struct
    {
        const char *Tekst;
        std::optional<bool> Wynik;
    } przypadki[] = {
        {"", false},      {"T", true},      {"N", false},     {"1", true},     {"0", false},
        {"TRUE", true},   {"Yes", true},    {"tak", true},    {"False", false}, {"no", false},
        {"NIE", false},   {"Y", true},      {"F", false},     {"-7", true},    {"00", false},
        {"t", std::nullopt}, {"abc", std::nullopt}, {"1.0", std::nullopt}, {"$1", std::nullopt},
    };
    for (const auto &p : przypadki)
        EXPECT_EQ(SprobujTekstNaBoolean(p.Tekst), p.Wynik) << '"' << p.Tekst << '"';
}

TEST(ParsowanieTekstu, BlednyBooleanZglaszaWyjatek)
{
    try {
        TekstNaBoolean(QStringLiteral("może"));
        FAIL();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("błędna wartość boolean = \"może\""));
    }
}

TEST(ParsowanieTekstu, LiczbyCalkowite64Bitowe)
{
    struct
    {
        const char *Tekst;
        std::optional<qint64> Wynik;
    } przypadki[] = {
        {"0", 0},
        {"+12", 12},
        {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808", std::nullopt},
        {"$7fffffffffffffff", INT64_MAX},
        {"$", std::nullopt},
        {"+-1", std::nullopt},
        {"--1", std::nullopt},
        {"12a", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &p : przypadki)
        EXPECT_EQ(SprobujTekstNaInt64(p.Tekst), p.Wynik) << '"' << p.Tekst << '"';
}

} // namespace
