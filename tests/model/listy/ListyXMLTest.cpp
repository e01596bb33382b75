#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"
#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "Wyjatki.h"
#include "WyjatkiModelu.h"

#include <gtest/gtest.h>

namespace {

class TPozycja : public TKlasa<TPozycja, TObiekt>
{
public:
    enum : int16_t { Nazwa, Ilosc };
    static constexpr TOpisPola PolaKlasy[] = {{Nazwa, "Nazwa", &TPoleString::Opis}, {Ilosc, "Ilosc", &TPoleInteger::Opis}};
    using TKlasa::TKlasa;
};

class TListaPozycji : public TKlasa<TListaPozycji, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TPozycja::Opis; }
};

// A document with a list of every kind; Kody stands as the element's attribute.
class TFaktura : public TKlasa<TFaktura, TObiekt>
{
public:
    enum : int16_t { Kody, Pozycje, Liczby, Uwagi, Wybrane };
    static constexpr TOpisPola PolaKlasy[] = {
        {Kody, "Kody", &TPoleIntList::Opis},       {Pozycje, "Pozycje", &TListaPozycji::Opis},
        {Liczby, "Liczby", &TPoleIntList::Opis},   {Uwagi, "Uwagi", &TPoleStrList::Opis},
        {Wybrane, "Wybrane", &TListaWskObiektow::Opis},
    };
    using TKlasa::TKlasa;
    bool JestAtrybutem(int16_t p_Nr) const override { return p_Nr == Kody; }

    TListaPozycji &ListaPozycji() { return Pole<TListaPozycji>(Pozycje); }
    TPoleIntList &ListaLiczb() { return Pole<TPoleIntList>(Liczby); }
    TPoleStrList &ListaUwag() { return Pole<TPoleStrList>(Uwagi); }
    TListaWskObiektow &ListaWybranych() { return Pole<TListaWskObiektow>(Wybrane); }

    void Wypelnij()
    {
        Pole<TPoleIntList>(Kody).DodajZArrayOfInt({1, 2});
        for (const char *nazwa : {"a", "b"}) {
            auto *p = static_cast<TPozycja *>(ListaPozycji().DopiszObiekt(nullptr));
            p->UstawTekstowo(TPozycja::Nazwa, QString::fromLatin1(nazwa));
        }
        ListaLiczb().DodajZArrayOfInt({5, -6});
        ListaUwag().Wartosci = {QStringLiteral("x<y"), QString()};
        ListaWybranych().DopiszObiekt(ListaPozycji().ObiektyListy(1));
    }
};

const QByteArray Naglowek = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";

QByteArray Zapisz(TTypZapisuXML p_Typ)
{
    TFaktura f;
    f.Wypelnij();
    return f.ZapiszWStringuXML(p_Typ);
}

} // namespace

TEST(ListyXML, EveryDialectWritesItsListForms)
{
    struct
    {
        TTypZapisuXML Typ;
        QByteArray Oczekiwane;
    } przypadki[] = {
        {tzxStandard, "<Faktura Kody=\"1,2\">\r\n<Pozycje Nazwa=\"a\"/>\r\n<Pozycje ID=\"1\" Nazwa=\"b\"/>\r\n"
                      "<Liczby>5</Liczby>\r\n<Liczby>-6</Liczby>\r\n<Uwagi>x&lt;y</Uwagi>\r\n<Uwagi/>\r\n"
                      "<Wybrane Ref=\"1\"/>\r\n</Faktura>"},
        {tzxCelina, "<Faktura Kody=\"1,2\">\r\n<Pozycje PozId=\"1\" Nazwa=\"a\"/>\r\n"
                    "<Pozycje PozId=\"2\" ID=\"1\" Nazwa=\"b\"/>\r\n<Liczby PozId=\"1\" Txt=\"5\"/>\r\n"
                    "<Liczby PozId=\"2\" Txt=\"-6\"/>\r\n<Uwagi PozId=\"1\" Txt=\"x&lt;y\"/>\r\n"
                    "<Uwagi PozId=\"2\" Txt=\"\"/>\r\n<Wybrane PozId=\"1\" Ref=\"1\"/>\r\n</Faktura>"},
        {tzxOSOZ, "<Faktura Kody=\"1,2\">\r\n<Pozycje ItemId=\"1\" Nazwa=\"a\"/>\r\n"
                  "<Pozycje ItemId=\"2\" ID=\"1\" Nazwa=\"b\"/>\r\n<Liczby ItemId=\"1\" Txt=\"5\"/>\r\n"
                  "<Liczby ItemId=\"2\" Txt=\"-6\"/>\r\n<Uwagi ItemId=\"1\" Txt=\"x&lt;y\"/>\r\n"
                  "<Uwagi ItemId=\"2\" Txt=\"\"/>\r\n<Wybrane ItemId=\"1\" Ref=\"1\"/>\r\n</Faktura>"},
        {tzxECS, "<Faktura Kody=\"1,2\">\r\n<Pozycje Nazwa=\"a\"/>\r\n<Pozycje ID=\"1\" Nazwa=\"b\"/>\r\n"
                 "<Liczby Txt=\"5\"/>\r\n<Liczby Txt=\"-6\"/>\r\n<Uwagi Txt=\"x&lt;y\"/>\r\n<Uwagi Txt=\"\"/>\r\n"
                 "<Wybrane Ref=\"1\"/>\r\n</Faktura>"},
    };
    for (const auto &p : przypadki) {
        const QByteArray xml = Zapisz(p.Typ);
        EXPECT_EQ(xml, Naglowek + p.Oczekiwane) << xml.constData();
        // And each reads back to the same document.
        TFaktura wczytana;
        EXPECT_TRUE(wczytana.WczytajZeStringuXML(xml, p.Typ)) << xml.constData();
        EXPECT_EQ(wczytana.ZapiszWStringuXML(p.Typ), xml);
    }
}

TEST(ListyXML, PositionsPlaceItemsAndPadValues)
{
    TFaktura f;
    ASSERT_NO_THROW(f.WczytajZeStringuXML("<Faktura><Uwagi PozId=\"3\" Txt=\"c\"/><Liczby PozId=\"2\" Txt=\"7\"/>"
                                          "<Pozycje PozId=\"2\" Nazwa=\"b\"/><Pozycje Nazwa=\"x\" PozId=\"1\"/>"
                                          "<Pozycje Nazwa=\"y\" PozId=\"1\"/></Faktura>",
                                          tzxCelina));
    EXPECT_EQ(f.ListaUwag().Wartosci, (QStringList{QString(), QString(), QStringLiteral("c")}));
    EXPECT_EQ(f.ListaLiczb().GetJakoString(), QStringLiteral("0 7"));
    // A gap gets a new item; the later item at a taken position goes before the earlier one.
    ASSERT_EQ(f.ListaPozycji().IleObiektow(), 4);
    EXPECT_EQ(f.ListaPozycji().Elementy(0)->Tekstowo(TPozycja::Nazwa), QStringLiteral("y"));
    EXPECT_EQ(f.ListaPozycji().Elementy(1)->Tekstowo(TPozycja::Nazwa), QStringLiteral("x"));
    EXPECT_FALSE(f.ListaPozycji().Elementy(2)->MaWartosc(-1));
    EXPECT_EQ(f.ListaPozycji().Elementy(3)->Tekstowo(TPozycja::Nazwa), QStringLiteral("b"));
}

TEST(ListyXML, HostilePositionsAndValuesFailWithTheirPlace)
{
    struct
    {
        QByteArray XML;
        const char *Blad;
    } przypadki[] = {
        {"<Faktura><Pozycje PozId=\"1\"/><Pozycje PozId=\"0\"/></Faktura>", "Zero w polu \"PozId\""},
        {"<Faktura><Pozycje PozId=\"999999999\"/></Faktura>", "Błędna pozycja elementu listy: 999999999"},
        {"<Faktura><Uwagi PozId=\"-1\" Txt=\"a\"/></Faktura>", "Błędna pozycja elementu listy: -1"},
        {"<Faktura><Liczby PozId=\"1\" Txt=\"x\"/></Faktura>", "'x' nie jest poprawną liczbą całkowitą"},
        {"<Faktura><Liczby PozId=\"1\" Txt=\"4294967296\"/></Faktura>", "'4294967296' nie jest poprawną liczbą całkowitą"},
    };
    for (const auto &p : przypadki) {
        TFaktura f;
        try {
            f.WczytajZeStringuXML(p.XML, tzxCelina);
            ADD_FAILURE() << p.XML.constData();
        } catch (const Exception &e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(p.Blad))) << e.Message().toStdString();
            EXPECT_FALSE(f.MaWartosc(-1));
        }
    }
}

TEST(ListyXML, ValueListsReadFromAttributes)
{
    TFaktura f;
    EXPECT_TRUE(f.WczytajZeStringuXML("<Faktura Kody=\"3, 4,5\" Liczby=\"-1\" Uwagi=\"a&#13;&#10;b\"/>"));
    EXPECT_EQ(f.Pole<TPoleIntList>(TFaktura::Kody).GetJakoString(), QStringLiteral("3 4 5"));
    EXPECT_EQ(f.ListaLiczb().GetJakoString(), QStringLiteral("-1"));
    EXPECT_EQ(f.ListaUwag().Wartosci, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(ListyXML, APointerListRootWritesItsEntriesNotItsTargets)
{
    // Only the list itself is in its document: it alone keeps an identifier.
    TPozycja poza;
    TListaWskObiektow lista;
    lista.DopiszObiekt(&poza);
    lista.DopiszObiekt(&lista);
    const QByteArray xml = lista.ZapiszWStringuXML(tzxCelina);
    EXPECT_EQ(xml, Naglowek + "<ListaWskObiektow ID=\"1\">\r\n<Item PozId=\"1\" Ref=\"1\"/>\r\n</ListaWskObiektow>");
    TListaWskObiektow wczytana;
    EXPECT_TRUE(wczytana.WczytajZeStringuXML(xml, tzxCelina));
    ASSERT_EQ(wczytana.IleObiektow(), 1);
    EXPECT_EQ(wczytana.ObiektyListy(0), &wczytana);

    lista.UsunObiekt(1);
    EXPECT_EQ(lista.ZapiszWStringuXML(), Naglowek + "<ListaWskObiektow/>");

    // Items given whole cannot become targets of a list that owns nothing: skipped, and told so.
    EXPECT_FALSE(wczytana.WczytajZeStringuXML("<ListaWskObiektow><Item Nazwa=\"a\"/></ListaWskObiektow>"));
    EXPECT_TRUE(wczytana.ListaPusta());
    EXPECT_THROW(wczytana.WczytajZeStringuXML("<ListaWskObiektow><Item Ref=\"1\"/><Inny/></ListaWskObiektow>"),
                 ELkObcyTypError);
}

TEST(ListyXML, ARootListWrapsItsItems)
{
    TListaPozycji lista;
    for (const char *nazwa : {"a", "b"})
        static_cast<TPozycja *>(lista.DopiszObiekt(nullptr))->UstawTekstowo(TPozycja::Nazwa, QString::fromLatin1(nazwa));
    const QByteArray standard = lista.ZapiszWStringuXML(tzxStandard);
    EXPECT_EQ(standard, Naglowek + "<ListaPozycji>\r\n<Item Nazwa=\"a\"/>\r\n<Item Nazwa=\"b\"/>\r\n</ListaPozycji>");
    const QByteArray wierszowy = lista.ZapiszWStringuXML(tzxWierszowy);
    EXPECT_EQ(wierszowy, Naglowek + "<ArrayOfTPozycja>\r\n<TPozycja>\r\n<Nazwa>a</Nazwa>\r\n</TPozycja>\r\n"
                                    "<TPozycja>\r\n<Nazwa>b</Nazwa>\r\n</TPozycja>\r\n</ArrayOfTPozycja>");
    for (const auto &[xml, typ] : {std::pair{standard, tzxStandard}, std::pair{wierszowy, tzxWierszowy}}) {
        TListaPozycji wczytana;
        EXPECT_TRUE(wczytana.WczytajZeStringuXML(xml, typ)) << xml.constData();
        EXPECT_EQ(wczytana.Porownaj(lista), 0) << xml.constData();
    }

    TListaPozycji obca;
    try {
        obca.WczytajZeStringuXML("<ListaPozycji><Item/><Pozycja/></ListaPozycji>");
        ADD_FAILURE();
    } catch (const ELkObcyTypError &e) {
        EXPECT_EQ(e.OdczytanyTyp(), QStringLiteral("Pozycja"));
        EXPECT_EQ(e.SpodziewanyTyp(), QStringLiteral("Item"));
        EXPECT_TRUE(obca.ListaPusta());
    }
}
