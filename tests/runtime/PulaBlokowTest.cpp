#include "PulaBlokow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace {

// Under AddressSanitizer the pool gives nothing and callers use the heap.
bool pulaDziala()
{
    void *blok = pula::Przydziel(16);
    if (!blok)
        return false;
    pula::Zwolnij(blok);
    return true;
}

} // namespace

TEST(PulaBlokow, BlocksAreSeparateAlignedAndOnlyForSmallSizes)
{
    if (!pulaDziala())
        GTEST_SKIP() << "pool off in this build";
    EXPECT_EQ(pula::Przydziel(0), nullptr);
    EXPECT_EQ(pula::Przydziel(pula::NajwiekszyBlok + 1), nullptr);
    int naStercie = 0;
    EXPECT_FALSE(pula::ZPuli(&naStercie));

    std::vector<char *> bloki;
    std::set<char *> rozne;
    for (std::size_t rozmiar : {1, 16, 17, 100, 144, 511, 512})
        for (int i = 0; i < 300; ++i) {
            auto *blok = static_cast<char *>(pula::Przydziel(rozmiar));
            ASSERT_NE(blok, nullptr);
            EXPECT_TRUE(pula::ZPuli(blok));
            EXPECT_EQ(reinterpret_cast<uintptr_t>(blok) % alignof(std::max_align_t), 0u);
            std::memset(blok, static_cast<int>(rozmiar & 0xFF), rozmiar);
            EXPECT_TRUE(rozne.insert(blok).second);
            bloki.push_back(blok);
        }
    // No block overlapped another: each still holds its own filling.
    std::size_t nr = 0;
    for (std::size_t rozmiar : {1, 16, 17, 100, 144, 511, 512})
        for (int i = 0; i < 300; ++i, ++nr)
            EXPECT_EQ(static_cast<unsigned char>(bloki[nr][rozmiar - 1]), rozmiar & 0xFF);
    for (char *blok : bloki)
        pula::Zwolnij(blok);
}

long drobneBledyStron()
{
    struct rusage zuzycie;
    ::getrusage(RUSAGE_SELF, &zuzycie);
    return zuzycie.ru_minflt;
}

// A large tree's worth of blocks, freed: the slabs stay for the next tree
// (taken again without faulting memory in), go back on demand, and go back
// by themselves once they have been free for the set time.
TEST(PulaBlokow, FreedSlabsStayForReuseThenGoBack)
{
    if (!pulaDziala())
        GTEST_SKIP() << "pool off in this build";
    pula::OddajWolne();
    const std::size_t przed = pula::TrzymaneBajty();
    const std::size_t zapas = std::size_t(8) << 20; // two slabs kept ready, and those threads' caches pin
    std::vector<void *> bloki(200000);
    auto zbuduj = [&] {
        for (void *&blok : bloki) {
            blok = pula::Przydziel(144);
            std::memset(blok, 1, 144);
        }
    };
    auto zwolnij = [&] {
        for (void *blok : bloki)
            pula::Zwolnij(blok);
    };
    zbuduj();
    const std::size_t wUzyciu = pula::TrzymaneBajty();
    EXPECT_GE(pula::ZajeteBajty(), bloki.size() * 144);
    EXPECT_GE(wUzyciu, przed + bloki.size() * 144);
    zwolnij();
    EXPECT_EQ(pula::TrzymaneBajty(), wUzyciu);

    const long bledy = drobneBledyStron();
    zbuduj();
    EXPECT_LT(drobneBledyStron() - bledy, 16) << "memory of freed slabs was faulted in again";
    EXPECT_EQ(pula::TrzymaneBajty(), wUzyciu);
    zwolnij();
    pula::OddajWolne();
    EXPECT_LE(pula::TrzymaneBajty(), przed + zapas);

    zbuduj();
    zwolnij();
    EXPECT_EQ(pula::TrzymaneBajty(), wUzyciu);
    // No call into the pool from here on: its own thread gives the slabs back.
    pula::UstawCzasZwrotu(50);
    const auto koniec = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pula::TrzymaneBajty() > przed + zapas && std::chrono::steady_clock::now() < koniec)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_LE(pula::TrzymaneBajty(), przed + zapas);
    pula::UstawCzasZwrotu(3000);
}

// Objects are made in one thread and freed in another; a thread that ends
// gives back what its cache holds, so nothing stays pinned.
TEST(PulaBlokow, BlocksCrossThreadsAndEndingThreadsGiveBackTheirCaches)
{
    if (!pulaDziala())
        GTEST_SKIP() << "pool off in this build";
    const std::size_t przed = pula::ZajeteBajty();
    std::vector<void *> bloki(50000);
    std::thread([&] {
        for (void *&blok : bloki)
            blok = pula::Przydziel(48);
    }).join();
    for (int w = 0; w < 4; ++w)
        std::thread([&, w] {
            for (std::size_t i = static_cast<std::size_t>(w); i < bloki.size(); i += 4)
                pula::Zwolnij(bloki[i]);
        }).join();
    EXPECT_EQ(pula::ZajeteBajty(), przed);

    // Two threads at once, each making its own blocks and freeing ones this thread made.
    std::vector<void *> obce[2];
    for (auto &lista : obce)
        for (int i = 0; i < 20000; ++i)
            lista.push_back(pula::Przydziel(64));
    std::vector<std::thread> watki;
    for (auto &lista : obce)
        watki.emplace_back([&lista] {
            std::vector<void *> wlasne;
            for (void *blok : lista) {
                wlasne.push_back(pula::Przydziel(64));
                pula::Zwolnij(blok);
            }
            for (void *blok : wlasne)
                pula::Zwolnij(blok);
        });
    for (std::thread &watek : watki)
        watek.join();
    EXPECT_EQ(pula::ZajeteBajty(), przed);
}
