#include "LkTypyBazowe.h"
#include "Strumienie.h"
#include "WyjscieBlokowe.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace {

// Takes everything through Write, so the output must gather blocks for it.
class TStrumienBezMiejsca : public TMemoryStream
{
public:
    bool PokazMiejsceZapisu(int64_t) override { return false; }
};

struct TCel
{
    const char *Opis;
    bool WMiejscu;
};

class WyjscieBlokoweTest : public ::testing::TestWithParam<TCel>
{
};

} // namespace

// Into a memory stream's own room or through blocks, the target gets the same
// bytes in order, what Oproznij reached stays, and what follows it is dropped
// when the output is left without Oproznij.
TEST_P(WyjscieBlokoweTest, TheTargetGetsWhatWasEmptiedAndNothingElse)
{
    TLkRawByteStringMaker wMiejscu;
    TStrumienBezMiejsca przezBloki;
    TMemoryStream &cel = GetParam().WMiejscu ? static_cast<TMemoryStream &>(wMiejscu) : przezBloki;
    const QByteArray duzy(3 * TWyjscieBlokowe::RozmBloku + 5, 'd');
    QByteArray oczekiwane;
    {
        TWyjscieBlokowe wyjscie(&cel);
        wyjscie.Dopisz("ab", 2);
        wyjscie.Dopisz('c');
        wyjscie.Dopisz(duzy);
        for (int i = 0; i < TWyjscieBlokowe::RozmBloku; ++i)
            wyjscie.Dopisz(static_cast<char>('a' + i % 26));
        char *w = wyjscie.Miejsce(4);
        w[0] = 'x';
        w[1] = 'y';
        wyjscie.Zajete(w + 2);
        wyjscie.Oproznij();
        oczekiwane = "abc" + duzy;
        for (int i = 0; i < TWyjscieBlokowe::RozmBloku; ++i)
            oczekiwane.append(static_cast<char>('a' + i % 26));
        oczekiwane.append("xy");
        EXPECT_EQ(cel.Size(), oczekiwane.size());
        wyjscie.Dopisz("lost", 4);
    }
    EXPECT_EQ(cel.Bajty(), oczekiwane);
}

INSTANTIATE_TEST_SUITE_P(Cele, WyjscieBlokoweTest,
                         ::testing::Values(TCel{"wMiejscu", true}, TCel{"przezBloki", false}),
                         [](const auto &p_Info) { return std::string(p_Info.param.Opis); });
