#include "Obiekt.h"
#include "OdczytZPamieci.h"
#include "PolaTekstowe.h"
#include "PoleWskObiektu.h"
#include "Strumienie.h"
#include "WyjatkiModelu.h"
#include "ZapisywaczTekstu.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

class TWezel : public TKlasa<TWezel, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Nazwa", &TPoleString::Opis},
        {1, "Cel", &TPoleRefObiektu::Opis},
    };
    using TKlasa::TKlasa;

    TPoleRefObiektu &Cel() { return static_cast<TPoleRefObiektu &>(TObiekt::Pola(1)); }
    void UstawCel(TObiektBazowy *p_Cel)
    {
        Cel().UstawWartosc(p_Cel);
        UstawMaWartosc(1, true);
    }
};

// Three nodes: A and C point at B, so A's reference is read before B's identifier is bound.
class TDrzewo : public TKlasa<TDrzewo, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "A", &TWezel::Opis},
        {1, "B", &TWezel::Opis},
        {2, "C", &TWezel::Opis},
    };
    using TKlasa::TKlasa;

    TWezel &Wezel(int16_t p_Nr) { return static_cast<TWezel &>(TObiekt::Pola(p_Nr)); }
};

// A tiny walk over the two levels, standing in for a format:
// node [ID=id] field=value ... ;
void zapiszDrzewo(TDrzewo &p_Drzewo, TZapisywaczTekstu &p_Zapisywacz)
{
    p_Zapisywacz.ZbierzObiektyZID(p_Drzewo);
    for (int16_t nr = 0; nr <= p_Drzewo.RozmPolaNr(-1); ++nr) {
        TWezel &wezel = p_Drzewo.Wezel(nr);
        p_Zapisywacz.ZapiszLinie(p_Drzewo.NazwaPolaNr(nr).toLatin1());
        if (const QByteArray id = p_Zapisywacz.IDObiektu(&wezel); !id.isEmpty())
            p_Zapisywacz.ZapiszTxt(" ID=" + id);
        for (int16_t pole = 0; pole <= wezel.RozmPolaNr(-1); ++pole) {
            if (!p_Zapisywacz.CzyZapisacPoleObiektu(pole, wezel))
                continue;
            p_Zapisywacz.ZapiszTxt(' ' + wezel.NazwaPolaNr(pole).toLatin1() + '=');
            wezel.TObiekt::Pola(pole).ZapiszTekstowo(p_Zapisywacz);
        }
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral(" ;"));
    }
}

void wczytajDrzewo(TDrzewo &p_Drzewo, TOdczytywaczTekstuZRef &p_Odczytywacz)
{
    TLkParser &parser = p_Odczytywacz.Parser();
    try {
        while (parser.Token() != TLkParser::toEOF) {
            TWezel &wezel = p_Drzewo.Wezel(p_Drzewo.NrPolaONazwie(QString::fromLatin1(parser.TokenString())));
            p_Odczytywacz.OdczytywanoPole(wezel);
            parser.NextToken();
            while (parser.Token() != ';') {
                const QByteArray nazwa = parser.TokenString();
                parser.NextToken();
                parser.CheckToken('=');
                parser.NextToken();
                if (nazwa == "ID") {
                    p_Odczytywacz.PrzypiszObiektDoID(wezel, parser.TokenString());
                    parser.NextToken();
                    continue;
                }
                const int16_t nr = wezel.NrPolaONazwie(QString::fromLatin1(nazwa));
                p_Odczytywacz.OdczObiekt = &wezel;
                p_Odczytywacz.OdczPole = nr;
                if (wezel.TObiekt::Pola(nr).WczytajTekstowo(p_Odczytywacz))
                    wezel.UstawMaWartosc(nr, true);
            }
            parser.NextToken();
        }
        p_Odczytywacz.KorygujReferencje();
    } catch (...) {
        p_Odczytywacz.ZerujReferencje();
        throw;
    }
}

TEST(ReferencjeTekstowe, WspolnyCelDostajeID1IWracaJakoJedenObiekt)
{
    TDrzewo drzewo;
    drzewo.Wezel(1).UstawTekstowo(0, QStringLiteral("cel"));
    drzewo.Wezel(0).UstawCel(&drzewo.Wezel(1));
    drzewo.Wezel(2).UstawCel(&drzewo.Wezel(1));

    TMemoryStream strumien;
    {
        TZapisywaczTekstu zapisywacz(&strumien, false);
        zapiszDrzewo(drzewo, zapisywacz);
        EXPECT_EQ(zapisywacz.IDObiektow, QList<QByteArray>{"1"});
    }
    EXPECT_EQ(strumien.Bajty(), QByteArray("\r\nA Cel=1 ;\r\nB ID=1 Nazwa=cel ;\r\nC Cel=1 ;"));

    TDrzewo odczytane;
    TOdczytZPamieci odczytywacz(strumien.Bajty());
    wczytajDrzewo(odczytane, odczytywacz);
    TWezel &cel = odczytane.Wezel(1);
    EXPECT_EQ(cel.Tekstowo(0), QStringLiteral("cel"));
    EXPECT_EQ(odczytane.Wezel(0).Cel().Wartosc(), &cel);
    EXPECT_EQ(odczytane.Wezel(2).Cel().Wartosc(), &cel);
    // tracked references registered with their target on both paths
    EXPECT_TRUE(cel.MaRefOd(&odczytane.Wezel(0).Cel()));
    EXPECT_TRUE(cel.MaRefOd(&odczytane.Wezel(2).Cel()));
}

TEST(ReferencjeTekstowe, CelPozaDrzewemNieMaIDINicNieZapisuje)
{
    TDrzewo drzewo;
    TWezel obcy;
    drzewo.Wezel(0).UstawCel(&obcy);
    drzewo.Wezel(1).UstawCel(&drzewo); // the root itself is inside
    TMemoryStream strumien;
    {
        TZapisywaczTekstu zapisywacz(&strumien, false);
        zapiszDrzewo(drzewo, zapisywacz);
        EXPECT_FALSE(zapisywacz.PodlegaZapisowi(&obcy));
        EXPECT_EQ(zapisywacz.IDObiektu(&drzewo), QByteArray("1"));
    }
    EXPECT_TRUE(strumien.Bajty().startsWith("\r\nA Cel= ;\r\nB Cel=1 ;")) << strumien.Bajty().constData();
}

TEST(ReferencjeTekstowe, NieznanyIDDajeNilABladCzysciReferencje)
{
    {
        TDrzewo drzewo;
        TOdczytZPamieci odczytywacz("A Cel=7 ; B ID=1 ;");
        wczytajDrzewo(drzewo, odczytywacz);
        EXPECT_EQ(drzewo.Wezel(0).Cel().Wartosc(), nullptr);
    }
    // B is bound and C's reference set at once; the failure afterwards clears both references
    TDrzewo drzewo;
    TOdczytZPamieci odczytywacz("A Cel=1 ; B ID=1 ; C Cel=1 ; A Cel=");
    EXPECT_THROW(wczytajDrzewo(drzewo, odczytywacz), ELkParserError);
    EXPECT_EQ(drzewo.Wezel(0).Cel().Wartosc(), nullptr);
    EXPECT_EQ(drzewo.Wezel(2).Cel().Wartosc(), nullptr);
    EXPECT_FALSE(drzewo.Wezel(1).MaJakiesRef());
}

TEST(ReferencjeTekstowe, ZdublowanyID)
{
    TWezel a, b;
    TOdczytZPamieci odczytywacz("");
    odczytywacz.PrzypiszObiektDoID(a, "7");
    odczytywacz.PrzypiszObiektDoID(a, "7"); // the same object again is no conflict
    try {
        odczytywacz.PrzypiszObiektDoID(b, "7");
        FAIL();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("zdublowany ID=\"7\""));
    }
    EXPECT_EQ(odczytywacz.DajObiektWgRef("7"), &a);
    EXPECT_EQ(odczytywacz.DajObiektWgRef("x7"), nullptr);
}

// Plain numbers are bound by number, others (and numbers far past those bound) by text: the
// identifiers stay distinct as written and a duplicate is caught whichever way it was bound.
TEST(ReferencjeTekstowe, IDLiczboweITekstoweRozne)
{
    TWezel a, b, c, d;
    TOdczytZPamieci odczytywacz("");
    odczytywacz.PrzypiszObiektDoID(a, "1");
    odczytywacz.PrzypiszObiektDoID(b, "01");
    odczytywacz.PrzypiszObiektDoID(c, "999999999");
    EXPECT_EQ(odczytywacz.DajObiektWgRef("1"), &a);
    EXPECT_EQ(odczytywacz.DajObiektWgRef("01"), &b);
    EXPECT_EQ(odczytywacz.DajObiektWgRef("999999999"), &c);
    EXPECT_EQ(odczytywacz.DajObiektWgRef("2"), nullptr);
    EXPECT_EQ(odczytywacz.DajObiektWgRef("99999999"), nullptr);
    // Enough numbers bound that the far one would now fit by number: still found and still taken.
    std::vector<TWezel> inne(3000);
    for (size_t i = 0; i < inne.size(); ++i)
        odczytywacz.PrzypiszObiektDoID(inne[i], QByteArray::number(static_cast<qulonglong>(i + 2)));
    EXPECT_EQ(odczytywacz.DajObiektWgRef("3001"), &inne.back());
    for (const char *id : {"1", "01", "999999999", "3001"})
        EXPECT_THROW(odczytywacz.PrzypiszObiektDoID(d, id), LkException) << id;
    odczytywacz.PrzypiszObiektDoID(d, "9000");
    EXPECT_EQ(odczytywacz.DajObiektWgRef("9000"), &d);
}

TEST(ReferencjeTekstowe, KontekstBleduBudujeSciezkePol)
{
    QString tresc = QStringLiteral("Spodziewany symbol");
    for (const char *nazwa : {"c", "b", "a"})
        tresc = TOdczytywaczTekstuZRef::KorygujTrescWyjatku(tresc, QString::fromLatin1(nazwa));
    EXPECT_EQ(tresc, QStringLiteral("Spodziewany symbol podczas odczytu pola \"a.b.c\""));
}

} // namespace
