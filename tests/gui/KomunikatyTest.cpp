// The message service in front of the dialog: the hook, silent mode, wrappers.
#include "NagrywaczKomunikatow.h"
#include "NazwaPrzypadku.h"
#include "OknaTestowe.h"

#include <QMessageBox>

#include <thread>

namespace {

class KomunikatyTest : public TestGUI
{
protected:
    void SetUp() override
    {
        TestGUI::SetUp();
        // Any dialog here is a fault: note it and close it so the test ends.
        ObsluzOkno<QMessageBox>([this](QMessageBox *p_Okno) {
            FPokazanoOkno = true;
            p_Okno->reject();
        });
    }
    bool FPokazanoOkno = false;
};

struct TPrzypadekCichy
{
    const char *Opis;
    TMsgDlgButtons Przyciski;
    int Odpowiedz;
};

void PrintTo(const TPrzypadekCichy &p, std::ostream *os)
{
    *os << p.Opis;
}

class TrybCichyTest : public KomunikatyTest, public ::testing::WithParamInterface<TPrzypadekCichy>
{
};

TEST_P(TrybCichyTest, OdpowiadaBezOkna)
{
    TrybCichy = true;
    EXPECT_EQ(PokazKomunikat(QStringLiteral("Pytanie?"), mtConfirmation, GetParam().Przyciski, 0),
              GetParam().Odpowiedz);
    QCoreApplication::processEvents();
    EXPECT_FALSE(FPokazanoOkno);
}

INSTANTIATE_TEST_SUITE_P(Zestawy, TrybCichyTest,
                         ::testing::Values(TPrzypadekCichy{"Yes No gives Yes", mbYesNo, mrYes},
                                           TPrzypadekCichy{"OK Cancel gives OK", mbOKCancel, mrOk},
                                           TPrzypadekCichy{"Abort Retry Ignore gives Cancel", mbAbortRetryIgnore,
                                                           mrCancel},
                                           TPrzypadekCichy{"OK alone gives OK", mbOKOnly, mrOk},
                                           TPrzypadekCichy{"Close alone gives Cancel", Przycisk(mbClose), mrCancel}),
                         NazwaZOpisu());

TEST_F(KomunikatyTest, HakWygrywaZTrybemCichymIDostajeArgumentyBezZmian)
{
    TrybCichy = true;
    TNagrywaczKomunikatow hak(42);
    EXPECT_EQ(PokazKomunikat(QStringLiteral("Linia 1\rLinia 2"), mtWarning, mbAbortRetryIgnore, 77), 42);
    ASSERT_EQ(hak.Komunikaty().size(), 1u);
    const auto &wywolanie = hak.Komunikaty()[0];
    EXPECT_EQ(wywolanie.Tekst, QStringLiteral("Linia 1\rLinia 2"));
    EXPECT_EQ(wywolanie.Rodzaj, mtWarning);
    EXPECT_EQ(wywolanie.Przyciski, mbAbortRetryIgnore);
    EXPECT_EQ(wywolanie.KontekstPomocy, 77);
    QCoreApplication::processEvents();
    EXPECT_FALSE(FPokazanoOkno);
}

TEST_F(KomunikatyTest, HakZastepujePrawdziweOknoTakzeDlaOknaZWlasnymTytulem)
{
    TNagrywaczKomunikatow hak(42);
    EXPECT_EQ(PokazKomunikatZTytulem(QStringLiteral("Ostrevia"), QStringLiteral("Awaria"), mtError, mbOKOnly, 0), 42);
    ASSERT_EQ(hak.Komunikaty().size(), 1u);
    EXPECT_EQ(hak.Komunikaty()[0].Tekst, QStringLiteral("Awaria"));
    EXPECT_EQ(hak.Komunikaty()[0].Rodzaj, mtError);
    QCoreApplication::processEvents();
    EXPECT_FALSE(FPokazanoOkno);
}

TEST_F(KomunikatyTest, NakladkiPodajaZestawOKKontekstZeroISformatowanyTekst)
{
    TNagrywaczKomunikatow hak;
    PokazKomunikatFmt(QStringLiteral("Plik %s ma %d bajtów"), {QStringLiteral("ą.xml"), 12}, mtInformation);
    PokazKomunikatPrzyciski(QStringLiteral("?"), mtConfirmation, mbYesNo);
    ASSERT_EQ(hak.Komunikaty().size(), 2u);
    EXPECT_EQ(hak.Komunikaty()[0].Tekst, QStringLiteral("Plik ą.xml ma 12 bajtów"));
    EXPECT_EQ(hak.Komunikaty()[0].Rodzaj, mtInformation);
    EXPECT_EQ(hak.Komunikaty()[0].Przyciski, 4);
    EXPECT_EQ(hak.Komunikaty()[0].KontekstPomocy, 0);
    EXPECT_EQ(hak.Komunikaty()[1].Przyciski, 3);
    EXPECT_EQ(hak.Komunikaty()[1].KontekstPomocy, 0);
}

TEST_F(KomunikatyTest, ZbieraczWatkuZapisujeJegoKomunikatyAGlownyPokazujeJePozniejPoKolei)
{
    TNagrywaczKomunikatow hak(42);
    std::vector<TZebranyKomunikat> zebrane;
    std::vector<int> odpowiedzi;
    std::thread watek([&] {
        TZbieraczKomunikatow zbieracz;
        odpowiedzi.push_back(PokazKomunikat(QStringLiteral("Pierwszy"), mtError, mbOKOnly, 0));
        odpowiedzi.push_back(PokazKomunikatZTytulem(QStringLiteral("Własny"), QStringLiteral("Drugi"), mtCustom,
                                                    mbYesNo, 7));
        odpowiedzi.push_back(PokazKomunikat(QStringLiteral("Trzeci"), mtWarning, mbAbortRetryIgnore, 0));
        zebrane = zbieracz.Zabierz();
    });
    // The GUI thread is not collected meanwhile.
    EXPECT_EQ(PokazKomunikatOK(QStringLiteral("Główny"), mtInformation), 42);
    watek.join();

    EXPECT_EQ(odpowiedzi, (std::vector<int>{mrOk, mrYes, mrCancel}));
    // Only the GUI thread's own message reached the hook.
    ASSERT_EQ(hak.Komunikaty().size(), 1u);
    EXPECT_EQ(hak.Komunikaty()[0].Tekst, QStringLiteral("Główny"));
    ASSERT_EQ(zebrane.size(), 3u);
    EXPECT_EQ(zebrane[0].Tytul, QStringLiteral("Błąd"));
    EXPECT_EQ(zebrane[1].Tytul, QStringLiteral("Własny"));
    EXPECT_EQ(zebrane[1].KontekstPomocy, 7);

    hak.Wyczysc();
    TZbieraczKomunikatow::Odtworz(zebrane);
    std::vector<QString> pokazane;
    for (const auto &komunikat : hak.Komunikaty())
        pokazane.push_back(komunikat.Tekst);
    EXPECT_EQ(pokazane, (std::vector<QString>{QStringLiteral("Pierwszy"), QStringLiteral("Drugi"),
                                              QStringLiteral("Trzeci")}));
}

TEST_F(KomunikatyTest, ZagniezdzonyZbieraczOddajeWatekPoprzedniemu)
{
    TZbieraczKomunikatow zewnetrzny;
    {
        TZbieraczKomunikatow wewnetrzny;
        PokazKomunikatOK(QStringLiteral("Wewnątrz"), mtError);
        EXPECT_EQ(wewnetrzny.Zabierz().size(), 1u);
    }
    PokazKomunikatOK(QStringLiteral("Na zewnątrz"), mtError);
    const auto zebrane = zewnetrzny.Zabierz();
    ASSERT_EQ(zebrane.size(), 1u);
    EXPECT_EQ(zebrane[0].Tekst, QStringLiteral("Na zewnątrz"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(FPokazanoOkno);
}

} // namespace
