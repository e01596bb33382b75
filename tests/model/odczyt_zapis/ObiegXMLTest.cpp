#include "KlasyTestowe.h"
#include "PolaDatyICzasu.h"
#include "ObiegFormatu.h"
#include "OdczytywaczXML.h"
#include "WyjatkiModelu.h"
#include "ZapisywaczXML.h"

#include <gtest/gtest.h>

namespace {

// The round trip in the dialects that keep every character.
template <TTypZapisuXML Typ> struct TFormatXML
{
    static void Zapisz(TObiektBazowy &p_Obiekt, TStream &p_Strumien) { p_Obiekt.ZapiszWPlikuXML(p_Strumien, {}, Typ); }
    static void Wczytaj(TObiektBazowy &p_Obiekt, TStream &p_Strumien)
    {
        EXPECT_TRUE(p_Obiekt.WczytajZPlikuXML(QStringLiteral("obieg.xml"), Typ, &p_Strumien)) << "something was skipped";
    }
};
using TXMLStandard = TFormatXML<tzxStandard>;
using TXMLWierszowy = TFormatXML<tzxWierszowy>;

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(XMLStandard, ObiegFormatu, TXMLStandard);
INSTANTIATE_TYPED_TEST_SUITE_P(XMLWierszowy, ObiegFormatu, TXMLWierszowy);
INSTANTIATE_TYPED_TEST_SUITE_P(XMLStandard, ObiegList, TXMLStandard);
INSTANTIATE_TYPED_TEST_SUITE_P(XMLWierszowy, ObiegList, TXMLWierszowy);

namespace {

class TStrona : public TKlasa<TStrona, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Nazwa", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

// A document with a number, a side, a flag and a text with a carriage return;
// Numer is an attribute in every dialect when the class says so.
class TDok : public TKlasa<TDok, TObiekt>
{
public:
    enum : int16_t { Numer, Strona, Logiczne, Uwagi };
    static constexpr TOpisPola PolaKlasy[] = {
        {Numer, "Numer", &TPoleString::Opis},
        {Strona, "Strona", &TStrona::Opis},
        {Logiczne, "Logiczne", &TPoleBoolean::Opis},
        {Uwagi, "Uwagi", &TPoleString::Opis},
    };
    using TKlasa::TKlasa;
    bool JestAtrybutem(int16_t p_Nr) const override { return NumerAtrybutem && p_Nr == Numer; }
    bool NumerAtrybutem = false;
};

// A class in a namespace of its own: the root declares it as the default one.
class TWPrzestrzeni : public TKlasa<TWPrzestrzeni, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Kod", &TPoleString::Opis}};
    using TKlasa::TKlasa;
    QString PrzestrzenNazwXML() const override { return QStringLiteral("urn:velmora:test"); }
};

const QByteArray Naglowek = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";

struct TPrzypadekZapisu
{
    const char *Opis;
    std::function<QByteArray()> Zapisz;
    QByteArray Oczekiwane;
};

std::ostream &operator<<(std::ostream &p_Os, const TPrzypadekZapisu &p_Przypadek)
{
    return p_Os << p_Przypadek.Opis;
}

// The document "A&B" with the side "X".
std::unique_ptr<TDok> Dokument(bool p_NumerAtrybutem = false)
{
    auto dok = std::make_unique<TDok>();
    dok->NumerAtrybutem = p_NumerAtrybutem;
    dok->UstawTekstowo(TDok::Numer, QStringLiteral("A&B"));
    dok->Pole<TStrona>(TDok::Strona).UstawTekstowo(0, QStringLiteral("X"));
    return dok;
}

// A flag and a text with a carriage return, written by a writer set up by p_Ustaw.
QByteArray FlagaITekst(TTypZapisuXML p_Typ, bool p_Znormalizowany)
{
    TDok dok;
    dok.UstawTekstowo(TDok::Logiczne, QStringLiteral("true"));
    dok.UstawTekstowo(TDok::Uwagi, QStringLiteral("a\rb\tc'd>"));
    TMemoryStream strumien;
    TZapisywaczXML zapisywacz(&strumien, p_Typ, tkxUTF8);
    zapisywacz.Znormalizowany = p_Znormalizowany;
    dok.ZapiszWPlikuXML(strumien, zapisywacz);
    return QByteArray(static_cast<const char *>(strumien.Memory()), static_cast<qsizetype>(strumien.Size()));
}

class ZapisXML : public ::testing::TestWithParam<TPrzypadekZapisu>
{
};

TEST_P(ZapisXML, BajtPoBajcie)
{
    const TPrzypadekZapisu &p = GetParam();
    EXPECT_EQ(p.Zapisz(), p.Oczekiwane);
}

INSTANTIATE_TEST_SUITE_P(
    Dialekty, ZapisXML,
    ::testing::Values(
        TPrzypadekZapisu{"Standard", [] { return Dokument()->ZapiszWStringuXML(tzxStandard); },
                         Naglowek + "<Dok Numer=\"A&amp;B\">\r\n<Strona Nazwa=\"X\"/>\r\n</Dok>"},
        TPrzypadekZapisu{"Wierszowy", [] { return Dokument()->ZapiszWStringuXML(tzxWierszowy); },
                         Naglowek + "<Dok>\r\n<Numer>A&amp;B</Numer>\r\n<Strona>\r\n<Nazwa>X</Nazwa>\r\n</Strona>\r\n</Dok>"},
        TPrzypadekZapisu{"WierszowyZAtrybutem", [] { return Dokument(true)->ZapiszWStringuXML(tzxWierszowy); },
                         Naglowek + "<Dok Numer=\"A&amp;B\">\r\n<Strona>\r\n<Nazwa>X</Nazwa>\r\n</Strona>\r\n</Dok>"},
        TPrzypadekZapisu{"Celina", [] { return Dokument()->ZapiszWStringuXML(tzxCelina); },
                         Naglowek + "<Dok Numer=\"A&amp;B\">\r\n<Strona Nazwa=\"X\"/>\r\n</Dok>"},
        TPrzypadekZapisu{"StandardFlagaITekst", [] { return FlagaITekst(tzxStandard, false); },
                         Naglowek + "<Dok Logiczne=\"true\" Uwagi=\"a&#13;b&#9;c&apos;d&gt;\"/>"},
        TPrzypadekZapisu{"Znormalizowany", [] { return FlagaITekst(tzxStandard, true); },
                         Naglowek + "<Dok Logiczne=\"true\" Uwagi=\"a&#xD;b&#x9;c'd>\"/>"},
        TPrzypadekZapisu{"ECSFlagaITekst", [] { return FlagaITekst(tzxECS, false); },
                         Naglowek + "<Dok Logiczne=\"1\" Uwagi=\"ab&#9;c&apos;d&gt;\"/>"},
        TPrzypadekZapisu{"OSOZFlaga", [] { return FlagaITekst(tzxOSOZ, false); },
                         Naglowek + "<Dok Logiczne=\"1\" Uwagi=\"ab&#9;c&apos;d&gt;\"/>"},
        TPrzypadekZapisu{"Windows1250IZnakSpozaStrony",
                         [] {
                             TStrona s;
                             s.UstawTekstowo(0, QStringLiteral("ąΩ\U0001F600"));
                             return s.ZapiszWStringuXML(tzxStandard, tkxWin1250);
                         },
                         "<?xml version=\"1.0\" encoding=\"windows-1250\" ?>\r\n<Strona Nazwa=\"\xB9?&#128512;\"/>"},
        TPrzypadekZapisu{"ISO88592",
                         [] {
                             TStrona s;
                             s.UstawTekstowo(0, QStringLiteral("ą"));
                             return s.ZapiszWStringuXML(tzxStandard, tkxISO88592);
                         },
                         "<?xml version=\"1.0\" encoding=\"ISO-8859-2\" ?>\r\n<Strona Nazwa=\"\xB1\"/>"},
        TPrzypadekZapisu{"UTF8ZnakSpozaBMP",
                         [] {
                             TStrona s;
                             s.UstawTekstowo(0, QStringLiteral("\U0001F600") + QChar(0xD800));
                             return s.ZapiszWStringuXML();
                         },
                         Naglowek + "<Strona Nazwa=\"\xF0\x9F\x98\x80&#55296;\"/>"},
        TPrzypadekZapisu{"ArkuszStylow",
                         [] { return TStrona().ZapiszWStringuXML(tzxStandard, tkxUTF8, false, false, QStringLiteral("c:\\a\\b.xsl")); },
                         Naglowek + "<?xml-stylesheet type=\"text/xsl\" href=\"file://c:/a/b.xsl\"?>\r\n<Strona/>"},
        TPrzypadekZapisu{"ArkuszJakoZnacznik",
                         [] { return TStrona().ZapiszWStringuXML(tzxStandard, tkxUTF8, false, false, QStringLiteral("<!-- k -->")); },
                         Naglowek + "<!-- k -->\r\n<Strona/>"},
        TPrzypadekZapisu{"PrzestrzenDomyslnaKorzenia",
                         [] {
                             TWPrzestrzeni o;
                             o.UstawTekstowo(0, QStringLiteral("k"));
                             return o.ZapiszWStringuXML();
                         },
                         Naglowek + "<WPrzestrzeni xmlns=\"urn:velmora:test\" Kod=\"k\"/>"},
        TPrzypadekZapisu{"WspolnyCelMaID",
                         [] {
                             TWezel w;
                             w.Pod(TWezel::Lewy).UstawTekstowo(TWezel::Nazwa, QStringLiteral("l"));
                             w.Pole<TPoleRefObiektu>(TWezel::Cel).UstawWartosc(&w.Pod(TWezel::Lewy));
                             w.UstawMaWartosc(TWezel::Cel, true);
                             w.Pole<TPoleWskObiektu>(TWezel::Wsk).UstawWartosc(&w.Pod(TWezel::Lewy));
                             w.UstawMaWartosc(TWezel::Wsk, true);
                             return w.ZapiszWStringuXML();
                         },
                         Naglowek + "<Wezel Cel=\"1\" Wsk=\"1\">\r\n<Lewy ID=\"1\" Nazwa=\"l\"/>\r\n</Wezel>"},
        TPrzypadekZapisu{"PustyCelMaElement",
                         [] {
                             TWezel w;
                             w.Pole<TPoleWskObiektu>(TWezel::Wsk).UstawWartosc(&w.Pod(TWezel::Prawy));
                             w.UstawMaWartosc(TWezel::Wsk, true);
                             return w.ZapiszWStringuXML();
                         },
                         Naglowek + "<Wezel Wsk=\"1\">\r\n<Prawy ID=\"1\"/>\r\n</Wezel>"}),
    [](const ::testing::TestParamInfo<TPrzypadekZapisu> &p_Info) { return std::string(p_Info.param.Opis); });

// A text far longer than the writer's output block, escaped straight into
// it: markup characters, two-byte letters and surrogate pairs fall on every
// position of the runs the escaping is cut into.
TEST(ZapisXMLDlugiTekst, TakiSamJakZnakPoZnaku)
{
    const QString wzor = QStringLiteral("ab \u0105&<\U0001F600");
    for (int przesuniecie = 0; przesuniecie < wzor.size(); ++przesuniecie) {
        QString tekst(przesuniecie, QLatin1Char('x'));
        while (tekst.size() < 100000)
            tekst += wzor;
        QString oczekiwany = tekst;
        oczekiwany.replace(QLatin1Char('&'), QStringLiteral("&amp;")).replace(QLatin1Char('<'), QStringLiteral("&lt;"));
        TStrona strona;
        strona.UstawTekstowo(0, tekst);
        const QByteArray xml = strona.ZapiszWStringuXML();
        ASSERT_EQ(xml, Naglowek + "<Strona Nazwa=\"" + oczekiwany.toUtf8() + "\"/>") << przesuniecie;
        TStrona wczytana;
        ASSERT_TRUE(wczytana.WczytajZeStringuXML(xml));
        EXPECT_EQ(wczytana.Tekstowo(0), tekst) << przesuniecie;
    }
}

// Reading: a document into a node, and what came of it.
struct TWynikOdczytu
{
    bool NicNiePominieto = false;
    QString Blad;
    QStringList Pominiete;
};

TWynikOdczytu Wczytaj(TObiekt &p_Obiekt, const QByteArray &p_XML, TTypZapisuXML p_Typ = tzxStandard,
                      TOnBlednyUTF8 p_OnBlednyUTF8 = {})
{
    TWynikOdczytu wynik;
    TMemoryStream strumien(p_XML);
    auto klasa = [&wynik](TStream *p_Strumien, TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania,
                          TOnBlednyUTF8 p_Obsluga) {
        auto odczytywacz = std::make_unique<TOdczytywaczXML>(p_Strumien, p_TypZapisu, p_TypKodowania, std::move(p_Obsluga));
        odczytywacz->CoPominieto = &wynik.Pominiete;
        return odczytywacz;
    };
    try {
        wynik.NicNiePominieto = p_Obiekt.WczytajZPlikuXML(QStringLiteral("t.xml"), p_Typ, &strumien, tkxDomyslny,
                                                          p_OnBlednyUTF8, klasa);
    } catch (const Exception &e) {
        wynik.Blad = e.Message();
    }
    return wynik;
}

TEST(OdczytXML, TekstyEncjeIKodowania)
{
    struct
    {
        QByteArray XML;
        QString Nazwa;
    } przypadki[] = {
        {"\xEF\xBB\xBF<Wezel Nazwa=\"A&amp;B &lt;&gt;&quot;&apos;\"/>", QStringLiteral("A&B <>\"'")},
        {"<Wezel Nazwa='&#x1F600;&#65;&#x42;&nbsp;&x'/>", QStringLiteral("\U0001F600AB&nbsp;&x")},
        {"<Wezel Nazwa=\"a\r\n b\"/>", QStringLiteral("a b")},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?><Wezel Nazwa=\"\xB1\"/>", QStringLiteral("ą")},
        {"<?xml version=\"1.0\" encoding=\"windows-1250\"?><Wezel Nazwa=\"\xB9\"/>", QStringLiteral("ą")},
        {"<?xml version=\"1.0\" encoding=\"x-nieznane\"?><Wezel Nazwa=\"\xC4\x85\"/>", QStringLiteral("ą")},
        {"<!DOCTYPE Wezel PUBLIC \"-//a>\" 'b' [<!ENTITY e \"]>\"><!-- ]> --> ]>\n<Wezel Nazwa=\"&e;\"/>",
         QStringLiteral("&e;")},
        {"<Wezel><Nazwa>a</Nazwa><!-- k --><Nazwa>  b<![CDATA[<&]>]]>c<i x=\"&lt;\">d</i><?p q?></Nazwa></Wezel>",
         QStringLiteral("a\r\n  b<&]>c<i x=\"<\">d</i><?p q?>")},
    };
    for (const auto &p : przypadki) {
        TWezel wezel;
        const TWynikOdczytu w = Wczytaj(wezel, p.XML);
        EXPECT_TRUE(w.Blad.isEmpty()) << w.Blad.toStdString();
        EXPECT_TRUE(w.NicNiePominieto) << p.XML.constData();
        EXPECT_EQ(wezel.Tekstowo(TWezel::Nazwa), p.Nazwa) << p.XML.constData();
    }
}

TEST(OdczytXML, PominieteAtrybutyIElementyZeSciezkami)
{
    TWezel wezel;
    const TWynikOdczytu w = Wczytaj(wezel, "<p:Wezel xmlns:p=\"urn:p\" Obcy=\"1\" IloscSztuk=\"5\">\n"
                                           "  <Lewy Nazwa=\"l\"><Nieznany a=\"1\"><x/></Nieznany></Lewy>tekst\n"
                                           "</p:Wezel>");
    EXPECT_TRUE(w.Blad.isEmpty()) << w.Blad.toStdString();
    EXPECT_FALSE(w.NicNiePominieto);
    EXPECT_EQ(wezel.Tekstowo(TWezel::Ilosc), QStringLiteral("5"));
    EXPECT_EQ(wezel.Pod(TWezel::Lewy).Tekstowo(TWezel::Nazwa), QStringLiteral("l"));
    EXPECT_EQ(w.Pominiete, (QStringList{QStringLiteral("xmlns:p"), QStringLiteral("Obcy"), QStringLiteral("Lewy.Nieznany")}));
}

TEST(OdczytXML, WspolneReferencjeIPusteWartosci)
{
    TWezel wezel;
    wezel.UstawTekstowo(TWezel::Nazwa, QStringLiteral("stara"));
    const TWynikOdczytu w = Wczytaj(wezel, "<Wezel Cel=\"7\" Wsk=\"7\" Nazwa=\"\">\r\n<Prawy ID=\"7\"/><Lewy>"
                                           "<IloscSztuk></IloscSztuk><Nazwa/></Lewy></Wezel>",
                                    tzxWierszowy);
    EXPECT_TRUE(w.Blad.isEmpty()) << w.Blad.toStdString();
    EXPECT_EQ(wezel.Wskazany(TWezel::Cel), &wezel.Pod(TWezel::Prawy));
    EXPECT_EQ(wezel.Wskazany(TWezel::Wsk), &wezel.Pod(TWezel::Prawy));
    EXPECT_FALSE(wezel.MaWartosc(TWezel::Nazwa));
    EXPECT_FALSE(wezel.Pod(TWezel::Lewy).MaWartosc(TWezel::Ilosc));
}

// A sub-object whose only value is a reference that found no target used to
// be written as an empty element, which reads back as no value: the second
// round trip lost it. An empty sub-object a reference points at stays.
TEST(OdczytXML, PodobiektBezWartosciDoZapisuWracaTakSamo)
{
    const struct
    {
        const char *Wejscie;
        const char *Zapis;
    } przypadki[] = {
        {"<Wezel Nazwa=\"a\"><Lewy Cel=\"9\"/></Wezel>", "<Wezel Nazwa=\"a\"/>"},
        {"<Wezel><Lewy><Prawy Wsk=\"9\"/></Lewy></Wezel>", "<Wezel/>"},
        {"<Wezel Wsk=\"7\"><Lewy ID=\"7\" Cel=\"9\"/></Wezel>", "<Wezel Wsk=\"1\">\r\n<Lewy ID=\"1\"/>\r\n</Wezel>"},
    };
    for (const auto &p : przypadki) {
        for (const TTypZapisuXML typ : {tzxStandard, tzxCelina}) {
            TWezel pierwszy;
            const TWynikOdczytu w = Wczytaj(pierwszy, p.Wejscie, typ);
            ASSERT_TRUE(w.Blad.isEmpty()) << w.Blad.toStdString();
            const QByteArray zapis = pierwszy.ZapiszWStringuXML(typ);
            EXPECT_EQ(zapis, Naglowek + p.Zapis) << p.Wejscie;
            TWezel drugi;
            Wczytaj(drugi, zapis, typ);
            EXPECT_EQ(drugi.ZapiszWStringuXML(typ), zapis) << p.Wejscie;
        }
    }
}

TEST(OdczytXML, BlednyUTF8ZObslugaIBez)
{
    const QByteArray xml = "<Wezel Nazwa=\"a\xC3\x28\"/>";
    TWezel wezel;
    EXPECT_TRUE(Wczytaj(wezel, xml).Blad.contains(QStringLiteral("błędna wartość UTF-8: \"aĂ(\" w linii 1 na pozycji 14")))
        << Wczytaj(wezel, xml).Blad.toStdString();
    const TWynikOdczytu w = Wczytaj(wezel, xml, tzxStandard,
                                    [](TOdczytywaczXML &, const QByteArray &, bool &p_Obsluzone, QString &p_Tekst) {
                                        p_Obsluzone = true;
                                        p_Tekst = QStringLiteral("naprawione");
                                    });
    EXPECT_TRUE(w.Blad.isEmpty());
    EXPECT_EQ(wezel.Tekstowo(TWezel::Nazwa), QStringLiteral("naprawione"));
}

// A broken document: the error and its place; the object is left empty, with no reference set.
TEST(OdczytXML, BledyZPozycjaZostawiajaObiektPusty)
{
    QByteArray gleboki = "<Wezel>";
    for (int i = 0; i < TOdczytywaczXML::MaksGlebokosc + 10; ++i)
        gleboki += "<Lewy>";
    struct
    {
        QByteArray XML;
        QString Blad;
    } przypadki[] = {
        {"<Wezel Nazwa=\"x\" Cel=\"1\">\n<Lewy ID=\"1\" Nazwa=\"l\"/>\n<Prawy Nazwa=",
         QStringLiteral("Spodziewany tekst w linii 3 na pozycji 14 podczas odczytu pola \"Prawy\"")},
        {"<Wezel>\n <Lewy>\n  <Prawy IloscSztuk=\"1x\"/></Lewy></Wezel>",
         QStringLiteral("Spodziewana liczba całkowita w linii 3 na pozycji 21 podczas odczytu pola \"Lewy.Prawy\"")},
        {"<Wezel><Lewy></Prawy></Wezel>",
         QStringLiteral("Spodziewany symbol Lewy w linii 1 na pozycji 16 podczas odczytu pola \"Lewy\"")},
        {"<Wezel Nazwa=\"&#xZ;\"/>", QStringLiteral("Nieprawidłowa stała tekstowa w linii 1 na pozycji 14")},
        {"<Wezel IloscSztuk=\"99999999999\"/>",
         QStringLiteral("TPoleInteger: wartość poza zakresem = 99999999999 w linii 1 na pozycji 19")},
        {"<Wezel Nazwa=\"a\" ?>", QStringLiteral("Błędny token = ? w linii 1 na pozycji 18")},
        {"<Wezel Lewy=\"x\"/>", QStringLiteral("Błędna treść \"x\", spodziewany typ TWezel")},
        {"<Wezel><Lewy ID=\"1\"/><Prawy ID=\"1\"/></Wezel>", QStringLiteral("zdublowany ID=\"1\"")},
        {"<Wezel><Obcy><!ENTITY e 'v'></Obcy></Wezel>",
         QStringLiteral("Dokument XML zawiera niedozwoloną konstrukcję \"<!\" w linii 1 na pozycji 16")},
        {gleboki, QStringLiteral("Zbyt głębokie zagnieżdżenie elementów XML (więcej niż %1 poziomów) w linii 1 na pozycji %2")
                      .arg(TOdczytywaczXML::MaksGlebokosc)
                      .arg(8 + 6 * (TOdczytywaczXML::MaksGlebokosc - 1) + 1)},
    };
    for (const auto &p : przypadki) {
        TWezel wezel;
        wezel.UstawTekstowo(TWezel::Nazwa, QStringLiteral("przed"));
        const TWynikOdczytu w = Wczytaj(wezel, p.XML);
        // A caller's stream that is not a file: the message without the file's header.
        EXPECT_TRUE(w.Blad.startsWith(p.Blad)) << w.Blad.toStdString();
        EXPECT_FALSE(wezel.MaWartosc(-1)) << p.XML.constData();
        EXPECT_EQ(wezel.Wskazany(TWezel::Cel), nullptr);
    }
}

class TZData : public TKlasa<TZData, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Kiedy", &TPoleDate::Opis}};
    using TKlasa::TKlasa;
};

TEST(OdczytXML, NiedatyToBladParseraZPozycja)
{
    TZData data;
    const TWynikOdczytu w = Wczytaj(data, "<ZData>\n <Kiedy>2025912-09</Kiedy></ZData>", tzxWierszowy);
    EXPECT_TRUE(w.Blad.startsWith(QStringLiteral("'2025912-09' nie jest poprawną datą i czasem w linii 2 na pozycji 19 podczas odczytu pola \"Kiedy\"")))
        << w.Blad.toStdString();
    EXPECT_FALSE(data.MaWartosc(-1));
}

TEST(OdczytXML, PlikIPrzestrzenWracajaZeSkoczeniemDeklaracji)
{
    TWPrzestrzeni zrodlo;
    zrodlo.UstawTekstowo(0, QStringLiteral("k"));
    TWPrzestrzeni wczytany;
    // The declaration is an attribute no field takes.
    EXPECT_FALSE(wczytany.WczytajZeStringuXML(zrodlo.ZapiszWStringuXML()));
    EXPECT_EQ(wczytany.Tekstowo(0), QStringLiteral("k"));
}

} // namespace
