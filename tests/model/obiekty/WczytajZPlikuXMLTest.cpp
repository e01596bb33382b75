#include "KatalogTestowy.h"
#include "KlasyTestowe.h"
#include "NazwaPrzypadku.h"
#include "Obiekt.h"
#include "PlikiObiektow.h"
#include "Strumienie.h"
#include "WrogieDokumenty.h"
#include "WyjatkiModelu.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <chrono>
#include <ostream>

namespace {

const QString Ns529 = QStringLiteral("http://www.mf.gov.pl/xsd/AES/CC529C.xsd");
const QString Ns599 = QStringLiteral("http://www.mf.gov.pl/xsd/AES/CC599C.xsd");

// A percentage as read-error messages write it: one decimal place, the system's separator.
QString Procent(double p_Wartosc)
{
    return QString::number(p_Wartosc, 'f', 1).replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

// What a bare object's load says about a file whose root is not its own type.
struct Rozpoznanie
{
    QString Typ;
    QString TypBezPrefiksu;
    QString Przestrzen;
};

Rozpoznanie Rozpoznaj(const QString &p_Plik, TStream *p_Strumien = nullptr)
{
    TObiekt obiekt;
    try {
        obiekt.WczytajZPlikuXML(p_Plik, tzxECS, p_Strumien);
    } catch (const ELkObcyTypError &e) {
        EXPECT_EQ(e.SpodziewanyTyp(), QStringLiteral("TObiekt"));
        return {e.OdczytanyTyp(false), e.OdczytanyTyp(true), e.PrzestrzenNazw()};
    }
    ADD_FAILURE() << "no foreign type in " << p_Plik.toStdString();
    return {};
}

struct PlikRozpoznania
{
    const char *Plik;
    const char *Typ;
    const char *TypBezPrefiksu;
    QString Przestrzen;
};

std::ostream &operator<<(std::ostream &p_Os, const PlikRozpoznania &p_Przypadek)
{
    return p_Os << p_Przypadek.Plik;
}

class RozpoznanieKorzenia : public KatalogTestowy, public ::testing::WithParamInterface<PlikRozpoznania>
{
};

TEST_P(RozpoznanieKorzenia, NazwaKwalifikowanaIPrzestrzenKorzenia)
{
    const PlikRozpoznania &p = GetParam();
    const Rozpoznanie r = Rozpoznaj(Dane(QString::fromLatin1(p.Plik)));
    EXPECT_EQ(r.Typ, QString::fromUtf8(p.Typ));
    EXPECT_EQ(r.TypBezPrefiksu, QString::fromUtf8(p.TypBezPrefiksu));
    EXPECT_EQ(r.Przestrzen, p.Przestrzen);
}

INSTANTIATE_TEST_SUITE_P(
    Dane, RozpoznanieKorzenia,
    ::testing::Values(PlikRozpoznania{"IE529.xml", "ns5:CC529C", "CC529C", Ns529},
                      PlikRozpoznania{"IE599.xml", "ns5:CC599C", "CC599C", Ns599},
                      PlikRozpoznania{"IE529_prefiks_inny.xml", "ie:CC529C", "CC529C", Ns529},
                      PlikRozpoznania{"IE529_prefiks_domyslny.xml", "CC529C", "CC529C", Ns529},
                      PlikRozpoznania{"IE529_inna_przestrzen.xml", "ns5:CC529C", "CC529C",
                                      QStringLiteral("http://www.mf.gov.pl/xsd/AES/v2/CC529C.xsd")},
                      // Broken after the root's start tag: recognition never reads that far.
                      PlikRozpoznania{"IE529_uszkodzony.xml", "ns5:CC529C", "CC529C", Ns529},
                      PlikRozpoznania{"obcy_korzen.xml", "faktura", "faktura", QString()}),
    NazwaZOpisu());

class WczytajZPlikuXML : public KatalogTestowy
{
protected:
    // The message of what loading the file raises, with its class told apart.
    template <class E>
    QString Blad(const QString &p_Plik)
    {
        TObiekt obiekt;
        try {
            obiekt.WczytajZPlikuXML(p_Plik, tzxECS);
        } catch (const E &e) {
            return e.Message();
        } catch (const std::exception &e) {
            ADD_FAILURE() << "other exception: " << e.what();
            return QString();
        }
        ADD_FAILURE() << "no exception for " << p_Plik.toStdString();
        return QString();
    }

    static qint64 Rozmiar(const QString &p_Plik) { return QFileInfo(p_Plik).size(); }

    struct TBladParsera
    {
        QByteArray Tresc;
        QString Blad;
    };
    // Each file fails to load with that parser error, at that place.
    void OczekujBledowParsera(std::initializer_list<TBladParsera> p_Przypadki)
    {
        int nr = 0;
        for (const TBladParsera &p : p_Przypadki) {
            const QString plik = ZapiszPlik(QStringLiteral("model_blad%1.xml").arg(++nr), p.Tresc);
            const QString komunikat = Blad<ELkParserError>(plik);
            EXPECT_TRUE(komunikat.startsWith(QStringLiteral("Błąd odczytu pliku %1:\r%2 at ").arg(plik, p.Blad)))
                << komunikat.toStdString();
        }
    }
};

TEST_F(WczytajZPlikuXML, KomunikatObcegoTypuZPlikiemIPozycja)
{
    const QString plik = Dane(QStringLiteral("IE529.xml"));
    const QString komunikat = Blad<ELkObcyTypError>(plik);
    const QRegularExpression wzor(QStringLiteral("^Błąd odczytu pliku (.*):\rObcy typ ns5:CC529C, spodziewany TObiekt "
                                                 "at (\\d+) / (\\d+) \\((\\d+.\\d) %\\)$"));
    const auto dopasowanie = wzor.match(komunikat);
    ASSERT_TRUE(dopasowanie.hasMatch()) << komunikat.toStdString();
    EXPECT_EQ(dopasowanie.captured(1), plik);
    const qint64 pozycja = dopasowanie.captured(2).toLongLong();
    const qint64 rozmiar = dopasowanie.captured(3).toLongLong();
    EXPECT_EQ(rozmiar, Rozmiar(plik));
    // Reading stopped inside the root's start tag.
    EXPECT_GT(pozycja, 56);
    EXPECT_LT(pozycja, 300);
    EXPECT_EQ(dopasowanie.captured(4), Procent(pozycja * 100.0 / rozmiar));
}

TEST_F(WczytajZPlikuXML, UTF16OdrzuconyOdRazu)
{
    const QString plik = Dane(QStringLiteral("utf16.xml"));
    const QString komunikat = Blad<ELkParserError>(plik);
    EXPECT_EQ(komunikat, QStringLiteral("Błąd odczytu pliku %1:\rWykryto format UTF16 (nie jest wspierany) w linii 1 "
                                        "na pozycji 1 at 0 / %2 (%3 %)")
                             .arg(plik)
                             .arg(Rozmiar(plik))
                             .arg(Procent(0)));
}

TEST_F(WczytajZPlikuXML, PlikNieXMLToBladParseraZKomunikatemOdczytu)
{
    const QString plik = Dane(QStringLiteral("nie_xml.xml"));
    const QString komunikat = Blad<ELkParserError>(plik);
    EXPECT_TRUE(komunikat.startsWith(QStringLiteral("Błąd odczytu pliku %1:\rNieoczekiwany koniec pliku w linii ").arg(plik)))
        << komunikat.toStdString();
    EXPECT_TRUE(komunikat.endsWith(QStringLiteral(" at %1 / %1 (%2 %)").arg(Rozmiar(plik)).arg(Procent(100)))) << komunikat.toStdString();
}

TEST_F(WczytajZPlikuXML, BrakPlikuToBladOtwarcia)
{
    const QString plik = Sciezka(QStringLiteral("brak.xml"));
    const QString komunikat = Blad<EFCreateError>(plik);
    EXPECT_TRUE(komunikat.startsWith(QStringLiteral("Błąd otwarcia pliku %1:\r").arg(plik))) << komunikat.toStdString();
}

TEST_F(WczytajZPlikuXML, NapisXMLZNazwaXMLWKomunikacie)
{
    const QByteArray xml = "<?xml version=\"1.0\"?><ns5:CC529C xmlns:ns5=\"u\"/>";
    TObiekt obiekt;
    try {
        obiekt.WczytajZeStringuXML(xml);
        FAIL();
    } catch (const ELkObcyTypError &e) {
        EXPECT_EQ(e.OdczytanyTyp(), QStringLiteral("ns5:CC529C"));
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Błąd odczytu napisu XML:\rObcy typ ns5:CC529C, spodziewany TObiekt at ")))
            << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(QStringLiteral(" / %1 (").arg(xml.size()))) << e.Message().toStdString();
    }
    EXPECT_TRUE(obiekt.WczytajZeStringuXML("<Obiekt/>"));
}

TEST_F(WczytajZPlikuXML, PustyNapisXMLZerujeObiekt)
{
    TWezel wezel;
    wezel.UstawTekstowo(TWezel::Nazwa, QStringLiteral("x"));
    EXPECT_TRUE(wezel.WczytajZeStringuXML(QByteArray()));
    EXPECT_FALSE(wezel.MaWartosc(-1));
}

TEST_F(WczytajZPlikuXML, BladUtworzeniaPlikuOdCudzyslowu)
{
    const QString plik = Sciezka(QStringLiteral("brak/katalogu.xml"));
    try {
        UtworzPlikObiektu(plik);
        FAIL();
    } catch (const EFCreateError &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Błąd utworzenia pliku \"%1\". ").arg(plik))) << e.Message().toStdString();
    }
}

TEST_F(WczytajZPlikuXML, PustyPlikBezProcentu)
{
    const QString plik = ZapiszPlik(QStringLiteral("model_pusty.xml"), QByteArray());
    EXPECT_EQ(Blad<ELkParserError>(plik),
              QStringLiteral("Błąd odczytu pliku %1:\rNieoczekiwany koniec pliku w linii 1 na pozycji 1 at 0 / 0 ()")
                  .arg(plik));
}

TEST_F(WczytajZPlikuXML, ProlognZKomentarzemIInstrukcja)
{
    const QString plik = ZapiszPlik(
        QStringLiteral("model_prolog.xml"),
        "\xEF\xBB\xBF<?xml version='1.0' encoding='windows-1250'?>\r\n"
        "<!-- uwaga -- to nie koniec -- <!DOCTYPE x> ---> \r\n"
        "<?xml-stylesheet type=\"text/xsl\" href=\"a?b.xsl\"?>\r\n"
        "<ns5:CC529C\r\n  a = 'x'\r\n  xmlns:ns5 = 'urn:pl:\xB9'>");
    const Rozpoznanie r = Rozpoznaj(plik);
    EXPECT_EQ(r.Typ, QStringLiteral("ns5:CC529C"));
    // The declaration switched decoding to Windows-1250.
    EXPECT_EQ(r.Przestrzen, QStringLiteral("urn:pl:ą"));
}

TEST_F(WczytajZPlikuXML, DoctypePominietyNicZNiegoNieWczytane)
{
    // Recognition passes the DOCTYPE by; nothing it declares or names is ever loaded.
    EXPECT_EQ(Rozpoznaj(ZapiszPlik(QStringLiteral("model_encje.xml"), DokumentWzmacniajacyEncje("ns5:CC529C"))).Typ,
              QStringLiteral("ns5:CC529C"));
    EXPECT_EQ(Rozpoznaj(ZapiszPlik(QStringLiteral("model_system.xml"),
                                   "<!DOCTYPE ns5:CC529C SYSTEM \"/etc/passwd\"><ns5:CC529C/>"))
                  .Typ,
              QStringLiteral("ns5:CC529C"));
    // Inside the content the declared entity stays a text as written, never expanded.
    const auto start = std::chrono::steady_clock::now();
    TWezel wezel;
    EXPECT_FALSE(wezel.WczytajZPlikuXML(ZapiszPlik(QStringLiteral("model_encje_tresc.xml"), DokumentWzmacniajacyEncje("Wezel")),
                                        tzxECS));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    OczekujBledowParsera({
        {"<Obiekt><!ENTITY e 'v'></Obiekt>",
         QStringLiteral("Dokument XML zawiera niedozwoloną konstrukcję \"<!\" w linii 1 na pozycji 11")},
        {"<!DOCTYPE x [<!ENTITY e 'v'>", QStringLiteral("Nieoczekiwany koniec pliku w linii 1 na pozycji 29")},
    });
}

TEST_F(WczytajZPlikuXML, TysiaceAtrybutowCzytaneLiniowo)
{
    // The reader checks no duplicates: its time grows with the attributes, not with their square.
    const QByteArray atrybuty = ElementZAtrybutami(200000, "x");
    const QByteArray przypadki[] = {
        "<ns5:CC529C xmlns:ns5=\"u\"" + atrybuty.mid(2),
        "<Obiekt" + atrybuty.mid(2),
        "<Obiekt>" + atrybuty + "</Obiekt>",
    };
    int nr = 0;
    for (const QByteArray &tresc : przypadki) {
        const QString plik = ZapiszPlik(QStringLiteral("model_atrybuty%1.xml").arg(++nr), tresc);
        const auto start = std::chrono::steady_clock::now();
        TObiekt obiekt;
        try {
            EXPECT_FALSE(obiekt.WczytajZPlikuXML(plik, tzxECS));
        } catch (const ELkObcyTypError &) {
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << nr;
    }
}

TEST_F(WczytajZPlikuXML, PrzestrzenZUrwanegoZnacznikaKorzenia)
{
    const Rozpoznanie r = Rozpoznaj(ZapiszPlik(QStringLiteral("model_urwany.xml"),
                                               "<ns5:CC529C xmlns:ns5=\"urn:a\" xmlns=\"urn:b\" xmlns:"));
    EXPECT_EQ(r.Typ, QStringLiteral("ns5:CC529C"));
    EXPECT_EQ(r.Przestrzen, QStringLiteral("urn:a"));
    // A default namespace declared in the root applies to an unprefixed root only.
    EXPECT_EQ(Rozpoznaj(ZapiszPlik(QStringLiteral("model_domyslna.xml"), "<CC599C xmlns:p=\"urn:p\" xmlns=\"urn:b\"/>"))
                  .Przestrzen,
              QStringLiteral("urn:b"));
}

TEST_F(WczytajZPlikuXML, WlasnyTypKorzeniaPrzyjety)
{
    struct
    {
        QByteArray Tresc;
        bool NicNiePominieto;
    } przypadki[] = {
        {"<Obiekt/>", true},
        {"<?xml version=\"1.0\"?>\n<TObiekt ID=\"1\"></TObiekt>", true},
        {"<x:Obiekt xmlns:x=\"urn:x\"/>", false}, // the declaration is an attribute no field takes
        {"<obiekt><!-- k --><?pi x?><![CDATA[<a>]]></obiekt>", true},
        {"<Obiekt>tekst<a b='1'><c/><d>\"<e/>\"</d></a></Obiekt>", false},
        {"<__TObiekt/>", true},
    };
    int nr = 0;
    for (const auto &p : przypadki) {
        const QString plik = ZapiszPlik(QStringLiteral("model_wlasny%1.xml").arg(++nr), p.Tresc);
        TObiekt obiekt;
        bool wynik = !p.NicNiePominieto;
        EXPECT_NO_THROW(wynik = obiekt.WczytajZPlikuXML(plik, tzxECS)) << p.Tresc.constData();
        EXPECT_EQ(wynik, p.NicNiePominieto) << p.Tresc.constData();
    }
}

TEST_F(WczytajZPlikuXML, BlednaTrescWlasnegoTypu)
{
    OczekujBledowParsera({
        {"<Obiekt>\n<a>", QStringLiteral("Nieoczekiwany koniec pliku w linii 2 na pozycji 4")},
        {"<Obiekt></Inny>", QStringLiteral("Spodziewany symbol Obiekt w linii 1 na pozycji 11")},
        {"<Obiekt a=\"1\" ?>", QStringLiteral("Błędny token = ? w linii 1 na pozycji 15")},
    });
}

TEST_F(WczytajZPlikuXML, GlebokieZagniezdzenieBezRekurencji)
{
    QByteArray tresc = "<Obiekt>";
    for (int i = 0; i < 200000; ++i)
        tresc += "<a>";
    for (int i = 0; i < 200000; ++i)
        tresc += "</a>";
    tresc += "</Obiekt>";
    TObiekt obiekt;
    EXPECT_FALSE(obiekt.WczytajZPlikuXML(ZapiszPlik(QStringLiteral("model_gleboki.xml"), tresc), tzxECS));
}

TEST_F(WczytajZPlikuXML, BlednyUTF8WNazwieKorzeniaIObsluga)
{
    const QString plik = ZapiszPlik(QStringLiteral("model_utf8.xml"), "<ns5:CC\xC3\xC3" "529C/>");
    EXPECT_TRUE(Blad<ELkParserError>(plik).contains(QStringLiteral("błędna wartość UTF-8: \"ns5:CCĂĂ529C\" w linii 1")));

    TObiekt obiekt;
    TOnBlednyUTF8 naprawa = [](TOdczytywaczXML &, const QByteArray &, bool &p_Obsluzone, QString &p_Tekst) {
        p_Obsluzone = true;
        p_Tekst = QStringLiteral("naprawiony:X");
    };
    try {
        obiekt.WczytajZPlikuXML(plik, tzxECS, nullptr, tkxDomyslny, naprawa);
        FAIL();
    } catch (const ELkObcyTypError &e) {
        EXPECT_EQ(e.OdczytanyTyp(), QStringLiteral("naprawiony:X"));
    }
}

// Recognition reads one block however large the file is.
class LicznikOdczytu : public TStream
{
public:
    explicit LicznikOdczytu(TStream &p_Zrodlo) : FZrodlo(p_Zrodlo) {}
    int64_t Read(void *p_Bufor, int64_t p_Ile) override
    {
        const int64_t ile = FZrodlo.Read(p_Bufor, p_Ile);
        Przeczytano += ile;
        return ile;
    }
    int64_t Write(const void *, int64_t) override { return 0; }
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override { return FZrodlo.Seek(p_Przesuniecie, p_Od); }
    int64_t Przeczytano = 0;

private:
    TStream &FZrodlo;
};

TEST_F(WczytajZPlikuXML, RozpoznanieCzytaJedenBlokNiezaleznieOdRozmiaru)
{
    QByteArray tresc = "<?xml version=\"1.0\"?>\n<ns5:CC529C xmlns:ns5=\"" + Ns529.toLatin1() + "\">\n";
    const QByteArray pozycja = "  <GoodsItem><description>Jabłka świeże</description></GoodsItem>\n";
    while (tresc.size() < 8 * 1024 * 1024)
        tresc += pozycja;
    tresc += "</ns5:CC529C>\n";
    TFileStream plik(ZapiszPlik(QStringLiteral("model_duzy.xml"), tresc), fmOpenRead);
    LicznikOdczytu licznik(plik);
    const Rozpoznanie r = Rozpoznaj(QStringLiteral("model_duzy.xml"), &licznik);
    EXPECT_EQ(r.Typ, QStringLiteral("ns5:CC529C"));
    EXPECT_EQ(r.Przestrzen, Ns529);
    EXPECT_LT(licznik.Przeczytano, 131072);
    // A stream of the caller's stays open, at the token where reading stopped.
    EXPECT_GT(plik.Position(), 0);
    EXPECT_LT(plik.Position(), 200);
}

} // namespace
