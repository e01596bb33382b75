#include "BlowFish.h"
#include "LkTypyBazowe.h"
#include "Wyjatki.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace {

struct WektorTestowy
{
    const char *klucz;
    const char *jawny;
    const char *szyfr;
};

// Eric Young's published ECB vectors (halves written big-endian, as published).
const WektorTestowy Wektory[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "48F4D0884C379918"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "432193B78951FC98"},
    {"43297FAD38E373FE", "762514B829BF486A", "13F04154D69D1AE5"},
    {"07A7137045DA2A16", "3BDD119049372802", "2EEDDA93FFD39C79"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "D887E0393C2DA6E3"},
    {"37D06BB516CB7546", "164D5E404F275232", "5F99D04F5B163969"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "4A057A3B24D3977B"},
    {"584023641ABA6176", "004BD6EF09176062", "452031C1E4FADA8E"},
    {"025816164629B007", "480D39006EE762F2", "7555AE39F59B87BD"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "53C55F9CB49FC019"},
    {"4FB05E1515AB73A7", "072D43A077075292", "7A8E7BFA937E89A3"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "CF9C5D7A4986ADB5"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "D1ABB290658BC778"},
    {"1C587F1C13924FEF", "305532286D6F295A", "55CB3774D13EF201"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"1F1F1F1F0E0E0E0E", "0123456789ABCDEF", "A790795108EA3CAE"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

// Our blocks hold each 32-bit half little-endian: swap the published halves' bytes.
QByteArray NaszBlok(const char *p_Hex)
{
    QByteArray blok = QByteArray::fromHex(p_Hex);
    std::reverse(blok.begin(), blok.begin() + 4);
    std::reverse(blok.begin() + 4, blok.end());
    return blok;
}

QByteArray Zaszyfruj(const QByteArray &p_Dane, const QByteArray &p_Haslo)
{
    TMemoryStream s(p_Dane);
    SzyfrujDane(s, p_Haslo);
    return s.Bajty();
}

QByteArray Odszyfruj(const QByteArray &p_Dane, const QByteArray &p_Haslo)
{
    TMemoryStream s(p_Dane);
    OdszyfrujDane(s, p_Haslo);
    return s.Bajty();
}

class BlowFishTest : public ::testing::Test
{
protected:
    void SetUp() override { ZwolnijSzyfratory(); }
    void TearDown() override { ZwolnijSzyfratory(); }
};

} // namespace

TEST_F(BlowFishTest, PublishedVectors)
{
    for (const auto &w : Wektory) {
        const TSzyfrator szyfrator(QByteArray::fromHex(w.klucz));
        EXPECT_TRUE(szyfrator.SilnyKlucz());
        QByteArray blok = NaszBlok(w.jawny);
        szyfrator.SzyfrujBlok(reinterpret_cast<uint8_t *>(blok.data()));
        EXPECT_EQ(blok, NaszBlok(w.szyfr)) << w.klucz << " " << w.jawny;
        szyfrator.OdszyfrujBlok(reinterpret_cast<uint8_t *>(blok.data()));
        EXPECT_EQ(blok, NaszBlok(w.jawny));
    }
}

TEST_F(BlowFishTest, PaddingSizesAndContent)
{
    const TSzyfrator szyfrator("klucz");
    const std::pair<int, int> rozmiary[] = {{0, 0}, {1, 8}, {6, 8}, {7, 16}, {8, 16}, {15, 24}, {16, 24}, {100, 104}};
    for (const auto &[przed, po] : rozmiary) {
        const QByteArray dane(przed, 'd');
        TMemoryStream s(dane);
        szyfrator.SzyfrujStrumien(s);
        ASSERT_EQ(s.Size(), po) << przed;
        EXPECT_EQ(s.Position(), 0);

        // the padding itself, seen block by block: b bytes 0x01 then b
        QByteArray jawne = s.Bajty();
        for (int i = 0; i < jawne.size(); i += 8)
            szyfrator.OdszyfrujBlok(reinterpret_cast<uint8_t *>(jawne.data() + i));
        if (po > 0) {
            const int b = po - przed - 1;
            EXPECT_EQ(jawne, dane + QByteArray(b, '\x01') + char(b));
        }

        szyfrator.OdszyfrujStrumien(s);
        EXPECT_EQ(s.Bajty(), dane) << przed;
    }
}

TEST_F(BlowFishTest, StreamFormsReadTheWholeInput)
{
    const TSzyfrator szyfrator("hasło");
    TMemoryStream wejscie(QByteArray("dane do zaszyfrowania"));
    wejscie.SetPosition(5); // copied from the beginning anyway
    TMemoryStream szyfr;
    szyfrator.SzyfrujStrumien(wejscie, szyfr);
    EXPECT_EQ(szyfr.Size(), 24);
    TMemoryStream jawne;
    szyfrator.OdszyfrujStrumien(szyfr, jawne);
    EXPECT_EQ(jawne.Bajty(), QByteArray("dane do zaszyfrowania"));
}

TEST_F(BlowFishTest, WrongStrongKeyRaisesAndLeavesTheData)
{
    const QByteArray dane = "tajne dane kontrahenta, 30 bajtów";
    for (int dlugosc : {1, 7, 8, 33}) {
        TMemoryStream s(Zaszyfruj(dane.left(dlugosc), "alfa"));
        const QByteArray zaszyfrowane = s.Bajty();
        try {
            OdszyfrujDane(s, "beta");
            ADD_FAILURE() << "decrypted with a wrong key, length " << dlugosc;
        } catch (const Exception &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("OdszyfrujStrumien: nie udało się odszyfrować danych."));
        }
        EXPECT_EQ(s.Bajty(), zaszyfrowane); // restored, so the right key still works
        EXPECT_EQ(Odszyfruj(s.Bajty(), "alfa"), dane.left(dlugosc));
    }
}

TEST_F(BlowFishTest, WeakKeyRetriesAndPassesForeignDataOn)
{
    // Found by search: its first schedule repeats an S-box entry.
    const QByteArray slaby = "klucz18981";
    const TSzyfrator szyfrator(slaby);
    EXPECT_FALSE(szyfrator.SilnyKlucz());
    // the retry goes on from the spoilt tables, so it is not a fresh "...A" key
    QByteArray blok = "12345678";
    QByteArray blokA = blok;
    szyfrator.SzyfrujBlok(reinterpret_cast<uint8_t *>(blok.data()));
    TSzyfrator(slaby + "A").SzyfrujBlok(reinterpret_cast<uint8_t *>(blokA.data()));
    EXPECT_NE(blok, blokA);

    EXPECT_EQ(Odszyfruj(Zaszyfruj("dane", slaby), slaby), QByteArray("dane"));
    const QByteArray obce = Zaszyfruj("cudze dane", "inne");
    EXPECT_EQ(Odszyfruj(obce, slaby), obce); // in place: left as it was
    TMemoryStream wejscie(obce);
    TMemoryStream wyjscie;
    szyfrator.OdszyfrujStrumien(wejscie, wyjscie);
    EXPECT_EQ(wyjscie.Bajty(), obce); // stream form: the input copied on
}

TEST_F(BlowFishTest, InPlaceNeverWritesIntoSharedBytes)
{
    const TSzyfrator szyfrator("klucz");
    const QByteArray zaszyfrowane = Zaszyfruj("dane", "klucz");
    const QByteArray kopia = zaszyfrowane;
    TLkReadOnlyRawByteStream widok(zaszyfrowane);
    EXPECT_THROW(szyfrator.OdszyfrujStrumien(widok), Exception);
    EXPECT_EQ(zaszyfrowane, kopia);

    QByteArray obca = zaszyfrowane;
    TLkMemoryStream pokazuje;
    pokazuje.SetPointer(obca.data(), obca.size());
    szyfrator.OdszyfrujStrumien(pokazuje);
    EXPECT_EQ(pokazuje.Bajty(), QByteArray("dane"));
    EXPECT_EQ(obca, kopia);
}

TEST_F(BlowFishTest, BadKeysRaise)
{
    try {
        TSzyfrator szyfrator{QByteArray()};
        FAIL() << "an empty key was accepted";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Błędny klucz szyfrowania."));
    }
}

TEST_F(BlowFishTest, DefaultKeyAndPasswordLimit)
{
    const QByteArray dane = "bez hasła";
    const QByteArray zaszyfrowane = Zaszyfruj(dane, "");
    EXPECT_NE(zaszyfrowane.left(8), dane.left(8));
    EXPECT_EQ(Odszyfruj(zaszyfrowane, ""), dane);

    const QByteArray dlugie(300, 'h');
    EXPECT_EQ(Odszyfruj(Zaszyfruj(dane, dlugie), dlugie.left(255)), dane);
    EXPECT_EQ(IleSzyfratorowWPamieci(), 1);
}

TEST_F(BlowFishTest, OneCachedCipherPerPasswordAcrossThreads)
{
    std::vector<TSzyfrator *> wyniki(8);
    std::vector<std::thread> watki;
    for (int i = 0; i < 8; ++i)
        watki.emplace_back([&wyniki, i] {
            for (int n = 0; n < 50; ++n) {
                TSzyfrator *s = DajSzyfrator("wspólne");
                wyniki[i] = s;
                --s->FTrwaSzyfrowanie;
            }
        });
    for (auto &w : watki)
        w.join();
    EXPECT_EQ(std::set<TSzyfrator *>(wyniki.begin(), wyniki.end()).size(), 1u);
    EXPECT_EQ(wyniki[0]->FTrwaSzyfrowanie.load(), 0);
    EXPECT_EQ(IleSzyfratorowWPamieci(), 1);
}

TEST_F(BlowFishTest, TrimmingAbove64KeepsBusyAndLastUsedCiphers)
{
    TSzyfrator *zajety = DajSzyfrator("zajęty");
    for (int i = 0; i < 63; ++i)
        Zaszyfruj("x", "hasło " + QByteArray::number(i));
    EXPECT_EQ(IleSzyfratorowWPamieci(), 64);
    Zaszyfruj("x", "ostatnie"); // the 65th password: idle ciphers go, the busy one and this one stay
    EXPECT_EQ(IleSzyfratorowWPamieci(), 2);
    EXPECT_EQ(DajSzyfrator("zajęty"), zajety);
    zajety->FTrwaSzyfrowanie -= 2;
    EXPECT_EQ(Odszyfruj(Zaszyfruj("dane", "ostatnie"), "ostatnie"), QByteArray("dane"));
}
