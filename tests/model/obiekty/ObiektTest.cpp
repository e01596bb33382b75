#include "KatalogTestowy.h"
#include "Obiekt.h"
#include "WyjatkiModelu.h"

namespace {

// A persistent class as every later one is written: named once, with its
// parent and its own field table.
class TDokument : public TKlasa<TDokument, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Strona", &TObiekt::Opis}, {1, "Odbiorca", &TObiekt::Opis}};
};


TEST(Obiekt, MetadaneZTabeliPolKlasy)
{
    TObiekt goly;
    EXPECT_EQ(goly.ClassName(), QStringLiteral("TObiekt"));
    EXPECT_EQ(goly.NazwaPolaNr(-1), QStringLiteral("Obiekt"));
    EXPECT_EQ(goly.RozmPolaNr(-1), -1);
    EXPECT_EQ(goly.TypPolaNr(0), nullptr);

    TDokument dok;
    EXPECT_EQ(dok.NazwaPolaNr(-1), QStringLiteral("Dokument"));
    EXPECT_EQ(dok.NazwaPolaNr(1), QStringLiteral("Odbiorca"));
    EXPECT_EQ(dok.NazwaPolaNr(2), QString());
    EXPECT_EQ(dok.RozmPolaNr(-1), 1);
    EXPECT_EQ(dok.RozmPolaNr(0), 0);
    EXPECT_EQ(dok.TypPolaNr(0), &TObiekt::Opis);
    EXPECT_EQ(dok.NrPolaONazwie(QStringLiteral("odbiorca")), 1);
    EXPECT_EQ(dok.NrPolaONazwie(QStringLiteral("Brak")), -1);
    EXPECT_TRUE(TDokument::Opis.DziedziczyPo(TObiektBazowy::Opis));

    std::unique_ptr<TPole> nowy(TDokument::Opis.Tworz(&dok));
    ASSERT_EQ(&nowy->Klasa(), &TDokument::Opis);
    EXPECT_EQ(static_cast<TDokument *>(nowy.get())->Rodzic(), &dok);
}

TEST(Obiekt, TypyDanychDoOdczytu)
{
    TDokument dok;
    for (const char *przyjety : {"TDokument", "tdokument", "Dokument", "__TDokument", "TObiekt", "TObiektBazowy"})
        EXPECT_TRUE(dok.MoznaCzytacDaneTypu(QString::fromLatin1(przyjety))) << przyjety;
    for (const char *obcy : {"Obiekt", "CC529C", "_", "TDok", "ns5:Dokument"})
        EXPECT_FALSE(dok.MoznaCzytacDaneTypu(QString::fromLatin1(obcy))) << obcy;
}

class KorzenKlasyPochodnej : public KatalogTestowy
{
};

TEST_F(KorzenKlasyPochodnej, PrefiksNieZmieniaTypuAObcyTypNazywaKlase)
{
    for (const char *przyjety : {"<Dokument/>", "<x:Dokument/>", "<Obiekt/>"}) {
        TDokument dok;
        EXPECT_NO_THROW(dok.WczytajZPlikuXML(ZapiszPlik(QStringLiteral("model_dok.xml"), przyjety))) << przyjety;
    }
    TDokument dok;
    try {
        dok.WczytajZPlikuXML(ZapiszPlik(QStringLiteral("model_dok.xml"), "<ns:Faktura xmlns:ns=\"urn:f\"/>"));
        FAIL();
    } catch (const ELkObcyTypError &e) {
        EXPECT_EQ(e.OdczytanyTyp(), QStringLiteral("ns:Faktura"));
        EXPECT_EQ(e.SpodziewanyTyp(), QStringLiteral("TDokument"));
        EXPECT_EQ(e.PrzestrzenNazw(), QStringLiteral("urn:f"));
        EXPECT_TRUE(e.Message().contains(QStringLiteral("\rObcy typ ns:Faktura, spodziewany TDokument at ")));
    }
}

} // namespace
