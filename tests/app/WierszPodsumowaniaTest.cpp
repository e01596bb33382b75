// The summary's reading of a message through the model: every layout the
// messages come in gives the same row, and no value the message carries is lost.
#include "KatalogTestowy.h"
#include "KomunikatECS.h"
#include "TypyDokumentow.h"
#include "WierszPodsumowania.h"

#include <gtest/gtest.h>

namespace {

class WierszPodsumowaniaTest : public KatalogTestowy
{
protected:
    // The row's cells, field by field.
    static QStringList Wiersz(const QString &p_Plik, const TTypDokumentu &p_Typ)
    {
        TWierszPodsumowania wiersz;
        wiersz.WpiszKomunikat(*WczytajKomunikatECS(p_Plik, p_Typ));
        QStringList komorki;
        for (int16_t nr = 0; nr <= TWierszPodsumowania::Wynik; ++nr)
            komorki << wiersz.Tekstowo(nr);
        return komorki;
    }

    QStringList Wiersz599(const QByteArray &p_Tresc) const
    {
        return Wiersz(ZapiszPlik(QStringLiteral("m.xml"), naglowek599 + p_Tresc + "</ie:CC599C>"), TypyDokumentow[1]);
    }

    static constexpr const char *naglowek599 =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ie:CC599C xmlns:ie=\"http://www.mf.gov.pl/xsd/AES/CC599C.xsd\">";
};

TEST_F(WierszPodsumowaniaTest, PrefixedDefaultNamespaceAndBareMessagesGiveOneRow)
{
    const QStringList wzor = Wiersz(Dane(QStringLiteral("IE529_minimalny.xml")), TypyDokumentow[0]);
    EXPECT_EQ(wzor.mid(TWierszPodsumowania::Komunikat, 12),
              QStringList({"IE529", "", "SD/2026/0093", "2026-11-20", "2026-11-20", "", "PL351020", "PL351020",
                           "Stolarnia Dębski Józef Dębski", "NIP 8381745632", "0", "820.000"}));
    for (const char *plik : {"IE529_przestrzen_domyslna.xml", "IE529_przestrzen_prefiks.xml"})
        EXPECT_EQ(Wiersz(Dane(QLatin1String(plik)), TypyDokumentow[0]), wzor) << plik;
}

TEST_F(WierszPodsumowaniaTest, EveryLayoutOfTheFieldsIsRead)
{
    const struct
    {
        const char *Opis;
        QByteArray Tresc;
        int Pole;
        QString Wartosc;
    } przypadki[] = {
        {"mass summed from the items when the consignment gives none",
         "<ie:GoodsShipment><ie:GoodsItem><ie:Commodity><ie:GoodsMeasure><ie:grossMass>12.5</ie:grossMass>"
         "</ie:GoodsMeasure></ie:Commodity></ie:GoodsItem><ie:GoodsItem><ie:Commodity><ie:GoodsMeasure>"
         "<ie:grossMass>7.250</ie:grossMass></ie:GoodsMeasure></ie:Commodity></ie:GoodsItem></ie:GoodsShipment>",
         TWierszPodsumowania::MasaBrutto, "19.750"},
        {"no sum when an item has no mass",
         "<GoodsShipment><GoodsItem><Commodity><GoodsMeasure><grossMass>1</grossMass></GoodsMeasure></Commodity>"
         "</GoodsItem><GoodsItem/></GoodsShipment>",
         TWierszPodsumowania::MasaBrutto, ""},
        {"consignment under the root", "<Consignment><grossMass>5.000</grossMass></Consignment>",
         TWierszPodsumowania::MasaBrutto, "5.000"},
        {"mass beside the consignment", "<GoodsShipment><grossMass>6.5</grossMass></GoodsShipment>",
         TWierszPodsumowania::MasaBrutto, "6.5"},
        {"a repeated element keeps both values",
         "<ExportOperation><MRN>26PL1</MRN><MRN>26PL2</MRN></ExportOperation>", TWierszPodsumowania::MRN,
         "26PL1\r\n26PL2"},
        {"the declared exit office when no actual one is given",
         "<CustomsOfficeOfExitDeclared><referenceNumber>PL1</referenceNumber></CustomsOfficeOfExitDeclared>",
         TWierszPodsumowania::UrzadWyprowadzenia, "PL1"},
        {"broken seals", "<ExitControlResult><stateOfSeals>0</stateOfSeals></ExitControlResult>",
         TWierszPodsumowania::StanZamkniec, "nieprawidłowe"},
        {"an unknown seal code as it stands", "<ExitControlResult><stateOfSeals>7</stateOfSeals></ExitControlResult>",
         TWierszPodsumowania::StanZamkniec, "7"},
        {"the exporter known by REGON alone",
         "<Exporter><name>A &amp; B</name><IdentificationDataPL><regon>123</regon></IdentificationDataPL></Exporter>",
         TWierszPodsumowania::NrEksportera, "REGON 123"},
        {"items counted, other elements skipped",
         "<Nieznany><a/></Nieznany><GoodsShipment><GoodsItem><x>1</x></GoodsItem><GoodsItem/><GoodsItem/>"
         "</GoodsShipment>",
         TWierszPodsumowania::LiczbaPozycji, "3"},
    };
    for (const auto &p : przypadki)
        EXPECT_EQ(Wiersz599(p.Tresc).value(p.Pole), p.Wartosc) << p.Opis;
}

TEST_F(WierszPodsumowaniaTest, AMessageTheReaderCannotTakeRaises)
{
    EXPECT_THROW(Wiersz(Dane(QStringLiteral("nie_xml.xml")), TypyDokumentow[0]), std::exception);
}

} // namespace
