#include "JadroKlas.h"
#include "LkParam.h"
#include "Obiekt.h"
#include "OdczytywaczBinarny.h"
#include "PolaTekstowe.h"
#include "PoleArrayOfConst.h"
#include "Strumienie.h"
#include "WyjatkiModelu.h"
#include "ZapisywaczBinarny.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class TPozycjaStalej : public TKlasa<TPozycjaStalej, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Nazwa", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

class TZeStalymi : public TKlasa<TZeStalymi, TObiekt>
{
public:
    enum : int16_t { Numer, Stale };
    static constexpr TOpisPola PolaKlasy[] = {{Numer, "Numer", &TPoleString::Opis},
                                              {Stale, "Stale", &TPoleArrayOfConst::Opis}};
    using TKlasa::TKlasa;

    TPoleArrayOfConst &Tablica() { return Pole<TPoleArrayOfConst>(Stale); }

    // The example of every format: a number, an escaped text, a missing
    // object, a Boolean and an object.
    void Wypelnij()
    {
        UstawPole<TPoleString>(Numer, QStringLiteral("1"));
        Tablica().Inicjuj({5, QStringLiteral("a&b"), static_cast<TObject *>(nullptr), true});
        Tablica().DolaczNowyObiekt(TPozycjaStalej::Opis).UstawPole<TPoleString>(0, QStringLiteral("x"));
        UstawMaWartosc(Stale, true);
    }
};

QByteArray binarnie(TObiekt &p_Obiekt)
{
    TMemoryStream strumien;
    TZapisywaczBinarny zapisywacz(strumien);
    zapisywacz.ZapiszObiekt(p_Obiekt);
    return strumien.Bajty();
}

void zBinarnego(TObiekt &p_Obiekt, const QByteArray &p_Obraz)
{
    TMemoryStream strumien(p_Obraz);
    TOdczytywaczBinarny odczytywacz(strumien);
    odczytywacz.WczytajObiekt(p_Obiekt);
}

// One format: how a document is written and read.
struct TFormat
{
    const char *Nazwa;
    std::function<QByteArray(TObiekt &)> Zapisz;
    std::function<void(TObiekt &, const QByteArray &)> Wczytaj;
};

const TFormat XML{"XML", [](TObiekt &p_O) { return p_O.ZapiszWStringuXML(); },
                  [](TObiekt &p_O, const QByteArray &p_D) { p_O.WczytajZeStringuXML(p_D); }};
const TFormat JSON{"JSON", [](TObiekt &p_O) { return p_O.ZapiszWStringuJSON(); },
                   [](TObiekt &p_O, const QByteArray &p_D) { p_O.WczytajZeStringuJSON(p_D); }};
const TFormat Tekst{"tekst", [](TObiekt &p_O) { return p_O.ZapiszWTekscie(); },
                    [](TObiekt &p_O, const QByteArray &p_D) { p_O.WczytajZTekstu(p_D); }};
const TFormat Binarny{"binarny", binarnie, zBinarnego};

TEST(PoleArrayOfConst, EveryFormatWritesTheExampleByteForByteAndReadsItBack)
{
    const struct
    {
        const TFormat &Format;
        QByteArray Dokument;
    } przypadki[] = {
        {XML, "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
              "<ZeStalymi Numer=\"1\">\r\n"
              "<Stale>\r\n"
              "<Const vtInteger=\"5\"/>\r\n"
              "<Const vtUnicodeString=\"a&amp;b\"/>\r\n"
              "<Const vtObject=\"null\"/>\r\n"
              "<Const vtBoolean=\"true\"/>\r\n"
              "<Const>\r\n"
              "<TPozycjaStalej Nazwa=\"x\"/>\r\n"
              "</Const>\r\n"
              "</Stale>\r\n"
              "</ZeStalymi>"},
        {JSON, "{\"_type_\":\"TZeStalymi\",\r\n"
               "\"Numer\":\"1\",\r\n"
               "\"Stale\":[{\"vtInteger\":5},\r\n"
               "{\"vtUnicodeString\":\"a&b\"},\r\n"
               "{\"vtObject\":null},\r\n"
               "{\"vtBoolean\":true},\r\n"
               "{\"vtObject\":{\"_type_\":\"TPozycjaStalej\",\r\n"
               "\"Nazwa\":\"x\"\r\n"
               "}}]\r\n"
               "}"},
        {Tekst, "object TZeStalymi\r\n"
                "Numer=\"1\"\r\n"
                "object Stale\r\n"
                "vtInteger=5\r\n"
                "vtUnicodeString=\"a&b\"\r\n"
                "vtObject=nil\r\n"
                "vtBoolean='T'\r\n"
                "object TPozycjaStalej\r\n"
                "Nazwa=\"x\"\r\n"
                "end\r\n"
                "end\r\n"
                "end"},
        // Bitmap 01 03, Numer "1", then the short count 5 and per element its
        // kind byte: 00 and four bytes, 11 (vtUnicodeString) and a string,
        // 07 (vtObject) with "nil" or the type name and the object's layout, 01 and one byte.
        {Binarny, QByteArray::fromHex("010301310500050000001103612662"
                                      "07036e696c0101070e54506f7a79636a615374616c656a01010178")},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Format.Nazwa);
        TZeStalymi zrodlo;
        zrodlo.Wypelnij();
        EXPECT_EQ(p.Format.Zapisz(zrodlo), p.Dokument);

        TZeStalymi wczytany;
        p.Format.Wczytaj(wczytany, p.Dokument);
        EXPECT_EQ(wczytany.PorownajZObiektem(zrodlo), 0);
        ASSERT_EQ(wczytany.Tablica().IleParam(), 5);
        EXPECT_EQ(wczytany.Tablica().ParamNr(1).JakoString(), QStringLiteral("a&b"));
        const auto *pozycja = dynamic_cast<const TPozycjaStalej *>(wczytany.Tablica().ParamNr(4).JakoObiekt());
        ASSERT_NE(pozycja, nullptr);
        EXPECT_EQ(pozycja->Tekstowo(0), QStringLiteral("x"));
    }
}

TEST(PoleArrayOfConst, AnEmptyArrayIsAnEmptyElement)
{
    // Only a root writes an empty array: as a field it has no value.
    TPoleArrayOfConst stale;
    EXPECT_TRUE(stale.ZapiszWStringuXML().endsWith("<PoleArrayOfConst/>"));
}

TEST(PoleArrayOfConst, HostileInputIsRefusedWithItsReason)
{
    const QByteArray obcaKlasa = "TPoleArrayOfConst.DopiszObiektOTypie: b\xc5\x82\xc4\x99" "dna klasa TNieznana";
    const struct
    {
        const TFormat &Format;
        QByteArray Dokument;
        QByteArray Blad;
    } przypadki[] = {
        {XML, "<ZeStalymi><Stale><Const vtFoo=\"1\"/></Stale></ZeStalymi>", "B\xc5\x82\xc4\x99" "dny token = vtFoo"},
        {XML, "<ZeStalymi><Stale><Const vtInteger=\"4294967296\"/></Stale></ZeStalymi>",
         "B\xc5\x82\xc4\x99" "dny token = 4294967296"},
        {XML, "<ZeStalymi><Stale><Const vtChar=\"ab\"/></Stale></ZeStalymi>", "B\xc5\x82\xc4\x99" "dny token = ab"},
        {XML, "<ZeStalymi><Stale><Const vtVarType=\"3\" vtVariant=\"1\"/></Stale></ZeStalymi>",
         "Brak implementacji vtVariant"},
        {XML, "<ZeStalymi><Stale><Const><TNieznana/></Const></Stale></ZeStalymi>", obcaKlasa},
        {XML, "<ZeStalymi><Stale><Const/></Stale></ZeStalymi>", "B\xc5\x82\xc4\x99" "dny token = Const"},
        // A second copy would free objects that identifiers read so far may name
        // (the object's class is the one holding the array: known without registering).
        {XML,
         "<ZeStalymi><Stale><Const><TZeStalymi ID=\"1\"/></Const></Stale>"
         "<Stale><Const vtInteger=\"1\"/></Stale></ZeStalymi>",
         "Tablica sta\xc5\x82ych powt\xc3\xb3rzona w dokumencie"},
        {JSON, "{\"Stale\":[{\"vtFoo\":1}]}", "B\xc5\x82\xc4\x99" "dny token = vtFoo"},
        {JSON, "{\"Stale\":[{\"vtBoolean\":\"chyba\"}]}", "B\xc5\x82\xc4\x99" "dny token = chyba"},
        {JSON, "{\"Stale\":[{\"vtObject\":{\"_type_\":\"TNieznana\"}}]}", obcaKlasa},
        {JSON, "{\"Stale\":[{\"vtInteger\":1}],\"Stale\":[]}", "Tablica sta\xc5\x82ych powt\xc3\xb3rzona w dokumencie"},
        {Tekst, "object TZeStalymi\r\nobject Stale\r\nvtExtended='x'\r\nend\r\nend", "B\xc5\x82\xc4\x99" "dny token = x"},
        {Tekst, "object TZeStalymi\r\nobject Stale\r\nobject TNieznana\r\nend\r\nend\r\nend", obcaKlasa},
        {Tekst, "object TZeStalymi\r\nobject Stale\r\nvtInteger=1", "Nieoczekiwany koniec pliku"},
        {Binarny, QByteArray::fromHex("0102" "0163"), "b\xc5\x82\xc4\x99" "dny typ parametru: 99"},
        {Binarny, QByteArray::fromHex("0102" "010d"), "Brak implementacji vtVariant"},
        {Binarny, QByteArray::fromHex("0102" "0107" "09") + "TNieznana", obcaKlasa},
        // A count the input does not hold ends where the input does.
        {Binarny, QByteArray::fromHex("0102" "ffff" "0001000000"), "Stream read error"},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE((p.Format.Nazwa + QByteArray(": ") + p.Dokument).toStdString());
        TZeStalymi obiekt;
        try {
            p.Format.Wczytaj(obiekt, p.Dokument);
            ADD_FAILURE() << "read without an error";
        } catch (const Exception &e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(p.Blad))) << e.Message().toStdString();
        }
        EXPECT_FALSE(obiekt.MaWartosc(-1));
    }
}

TEST(PoleArrayOfConst, NoFormatReadsMoreElementsThanTheBinaryCountHolds)
{
    QByteArray json = "{\"Stale\":[";
    for (int i = 0; i <= TPoleArrayOfConst::MaksElementow; ++i)
        json += i ? ",{\"vtInteger\":1}" : "{\"vtInteger\":1}";
    json += "]}";
    TZeStalymi obiekt;
    try {
        obiekt.WczytajZeStringuJSON(json);
        ADD_FAILURE() << "read without an error";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().contains(QString::fromUtf8("Tablica sta\xc5\x82ych przekracza 32767 element\xc3\xb3w")))
            << e.Message().toStdString();
    }
}

TEST(PoleArrayOfConst, OwnsTheObjectsItMadeAndHoldsParameterObjects)
{
    TZeStalymi zrodlo;
    zrodlo.Wypelnij();
    TPozycjaStalej obca;
    TWskParam<TLkParam> param(new TLkParam({1}));
    zrodlo.Tablica().DolaczParam(static_cast<TObject *>(&obca));
    zrodlo.Tablica().DolaczParam(static_cast<TObject *>(param.get()));
    EXPECT_EQ(param->RefCount(), 2);

    // A copy makes its own copy of an object of the source's, and shares the others.
    TZeStalymi kopia;
    kopia.KopiujDane(zrodlo, tkpZawsze);
    const TObject *wlasny = zrodlo.Tablica().ParamNr(4).JakoObiekt();
    const auto *skopiowany = dynamic_cast<const TPozycjaStalej *>(kopia.Tablica().ParamNr(4).JakoObiekt());
    ASSERT_NE(skopiowany, nullptr);
    EXPECT_NE(skopiowany, wlasny);
    EXPECT_EQ(skopiowany->Rodzic(), &kopia.Tablica());
    EXPECT_EQ(skopiowany->Tekstowo(0), QStringLiteral("x"));
    EXPECT_EQ(kopia.Tablica().ParamNr(5).JakoObiekt(), &obca);
    EXPECT_EQ(param->RefCount(), 3);
    EXPECT_EQ(kopia.PorownajZObiektem(zrodlo), 0);

    // An object of the array's destroyed elsewhere leaves a missing object, not a dangling one.
    delete static_cast<const TPole *>(static_cast<const TPozycjaStalej *>(skopiowany));
    EXPECT_EQ(kopia.Tablica().ParamNr(4).JakoObiekt(), nullptr);
    kopia.ZerujDane();
    zrodlo.ZerujDane();
    EXPECT_EQ(param->RefCount(), 1);
}

TEST(PoleArrayOfConst, RefusesWhatNoFileCanCarry)
{
    TZeStalymi obiekt;
    TPoleString pole;
    EXPECT_THROW(obiekt.Tablica().DolaczParam(static_cast<TObject *>(&pole)), LkException);

    // An address names nothing in another process: the binary format does not take it.
    int zmienna = 0;
    obiekt.Tablica().DolaczParam(static_cast<const void *>(&zmienna));
    obiekt.UstawMaWartosc(TZeStalymi::Stale, true);
    try {
        binarnie(obiekt);
        ADD_FAILURE() << "written without an error";
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Brak implementacji vtPointer"));
    }
}

} // namespace
