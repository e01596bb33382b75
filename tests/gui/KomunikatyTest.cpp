// The message service in front of the dialog: the hook, silent mode, wrappers.
#include "OknaTestowe.h"

#include <QMessageBox>

#include <thread>

namespace {

struct TWywolanieHaka
{
    QString Tekst;
    TMsgDlgType Rodzaj = mtCustom;
    TMsgDlgButtons Przyciski = 0;
    int32_t KontekstPomocy = -1;
    int Liczba = 0;
};
TWywolanieHaka wywolanie;

int hakTestowy(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski, int32_t p_Kontekst)
{
    wywolanie.Tekst = p_Tekst;
    wywolanie.Rodzaj = p_Rodzaj;
    wywolanie.Przyciski = p_Przyciski;
    wywolanie.KontekstPomocy = p_Kontekst;
    ++wywolanie.Liczba;
    return 42;
}

class KomunikatyTest : public TestGUI
{
protected:
    void SetUp() override
    {
        TestGUI::SetUp();
        wywolanie = TWywolanieHaka();
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
    TMsgDlgButtons Przyciski;
    int Odpowiedz;
};

void PrintTo(const TPrzypadekCichy &p, std::ostream *os)
{
    *os << "set " << p.Przyciski;
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
                         ::testing::Values(TPrzypadekCichy{mbYesNo, mrYes}, TPrzypadekCichy{mbOKCancel, mrOk},
                                           TPrzypadekCichy{mbAbortRetryIgnore, mrCancel},
                                           TPrzypadekCichy{mbOKOnly, mrOk},
                                           TPrzypadekCichy{Przycisk(mbClose), mrCancel}));

TEST_F(KomunikatyTest, HakWygrywaZTrybemCichymIDostajeArgumentyBezZmian)
{
    TrybCichy = true;
    ProcKomunikatu = hakTestowy;
    EXPECT_EQ(PokazKomunikat(QStringLiteral("Linia 1\rLinia 2"), mtWarning, mbAbortRetryIgnore, 77), 42);
    EXPECT_EQ(wywolanie.Liczba, 1);
    EXPECT_EQ(wywolanie.Tekst, QStringLiteral("Linia 1\rLinia 2"));
    EXPECT_EQ(wywolanie.Rodzaj, mtWarning);
    EXPECT_EQ(wywolanie.Przyciski, mbAbortRetryIgnore);
    EXPECT_EQ(wywolanie.KontekstPomocy, 77);
    QCoreApplication::processEvents();
    EXPECT_FALSE(FPokazanoOkno);
}

TEST_F(KomunikatyTest, HakZastepujePrawdziweOknoTakzeDlaOknaZWlasnymTytulem)
{
    ProcKomunikatu = hakTestowy;
    EXPECT_EQ(PokazKomunikatZTytulem(QStringLiteral("Ostrevia"), QStringLiteral("Awaria"), mtError, mbOKOnly, 0), 42);
    EXPECT_EQ(wywolanie.Tekst, QStringLiteral("Awaria"));
    EXPECT_EQ(wywolanie.Rodzaj, mtError);
    QCoreApplication::processEvents();
    EXPECT_FALSE(FPokazanoOkno);
}

TEST_F(KomunikatyTest, NakladkiPodajaZestawOKKontekstZeroISformatowanyTekst)
{
    ProcKomunikatu = hakTestowy;
    PokazKomunikatFmt(QStringLiteral("Plik %s ma %d bajtów"), {QStringLiteral("ą.xml"), 12}, mtInformation);
    EXPECT_EQ(wywolanie.Tekst, QStringLiteral("Plik ą.xml ma 12 bajtów"));
    EXPECT_EQ(wywolanie.Rodzaj, mtInformation);
    EXPECT_EQ(wywolanie.Przyciski, 4);
    EXPECT_EQ(wywolanie.KontekstPomocy, 0);

    PokazKomunikatPrzyciski(QStringLiteral("?"), mtConfirmation, mbYesNo);
    EXPECT_EQ(wywolanie.Przyciski, 3);
    EXPECT_EQ(wywolanie.KontekstPomocy, 0);
}

TEST_F(KomunikatyTest, ZbieraczWatkuZapisujeJegoKomunikatyAGlownyPokazujeJePozniejPoKolei)
{
    ProcKomunikatu = hakTestowy;
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
    EXPECT_EQ(wywolanie.Liczba, 1);
    EXPECT_EQ(wywolanie.Tekst, QStringLiteral("Główny"));
    ASSERT_EQ(zebrane.size(), 3u);
    EXPECT_EQ(zebrane[0].Tytul, QStringLiteral("Błąd"));
    EXPECT_EQ(zebrane[1].Tytul, QStringLiteral("Własny"));
    EXPECT_EQ(zebrane[1].KontekstPomocy, 7);

    static std::vector<QString> pokazane;
    ProcKomunikatu = [](const QString &p_Tekst, TMsgDlgType, TMsgDlgButtons, int32_t) {
        pokazane.push_back(p_Tekst);
        return 0;
    };
    TZbieraczKomunikatow::Odtworz(zebrane);
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
