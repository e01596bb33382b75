// Which roots the viewer takes for its two messages: the name as the system
// writes it, or the same local name in the message's own namespace.
#include "DrukQt.h"
#include "NazwaPrzypadku.h"
#include "TypyDokumentow.h"

#include <gtest/gtest.h>

namespace {

const char *const Ns529 = "http://www.mf.gov.pl/xsd/AES/CC529C.xsd";
const char *const Ns599 = "http://www.mf.gov.pl/xsd/AES/CC599C.xsd";

struct TKorzen
{
    const char *Opis;
    const char *Nazwa;
    const char *Przestrzen;
    const char *Zasob; // the stylesheet; null when refused
};

void PrintTo(const TKorzen &p, std::ostream *os)
{
    *os << p.Opis;
}

class TypDokumentuKorzeniaTest : public ::testing::TestWithParam<TKorzen>
{
};

TEST_P(TypDokumentuKorzeniaTest, RozpoznajeTylkoSwojeKomunikaty)
{
    const TKorzen &p = GetParam();
    const TTypDokumentu *typ = TypDokumentuKorzenia(QString::fromLatin1(p.Nazwa), QString::fromLatin1(p.Przestrzen));
    EXPECT_EQ(typ ? QString(typ->Zasob) : QString(), QString::fromLatin1(p.Zasob));
}

INSTANTIATE_TEST_SUITE_P(
    Korzenie, TypDokumentuKorzeniaTest,
    ::testing::Values(
        TKorzen{"529 as written", "ns5:CC529C", Ns529, "Szablon529Plus"},
        TKorzen{"599 as written", "ns5:CC599C", Ns599, "Szablon599Plus"},
        // The exact name is the message whatever its namespace says.
        TKorzen{"written name in a foreign namespace", "ns5:CC529C", "urn:obca", "Szablon529Plus"},
        TKorzen{"another prefix for the message's namespace", "ie:CC529C", Ns529, "Szablon529Plus"},
        TKorzen{"default namespace", "CC599C", Ns599, "Szablon599Plus"},
        TKorzen{"another prefix in a foreign namespace", "ie:CC529C", "urn:obca", nullptr},
        TKorzen{"another prefix in the other message's namespace", "ie:CC529C", Ns599, nullptr},
        TKorzen{"no prefix and no namespace", "CC529C", "", nullptr},
        TKorzen{"name case differs", "ns5:cc529c", Ns529, nullptr},
        TKorzen{"foreign root in the message's namespace", "ns5:CC515C", Ns529, nullptr}),
    NazwaZOpisu());

} // namespace
