#include "KontenerPliku.h"
#include "ObiegFormatu.h"
#include "ProsteHaszowanie.h"
#include "StrumienCRC.h"
#include "Wyjatki.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

namespace {

template <int16_t Typ> struct TKontener
{
    static void Zapisz(TObiektBazowy &p_Obiekt, TStream &p_Strumien)
    {
        ASSERT_TRUE(p_Obiekt.ZapiszWPliku(QStringLiteral("obieg"), "OBIEG", Typ, {}, "haslo", &p_Strumien));
    }
    static void Wczytaj(TObiektBazowy &p_Obiekt, TStream &p_Strumien)
    {
        EXPECT_TRUE(p_Obiekt.WczytajZPliku(QStringLiteral("obieg"), "OBIEG", Typ, "haslo", &p_Strumien));
    }
};

using obieg::TCel;
using obieg::TWszystkiePola;

QByteArray zapisz(TObiekt &p_Obiekt, const QByteArray &p_Identyfikator, int16_t p_Typ, const QByteArray &p_Haslo = {})
{
    TMemoryStream plik;
    EXPECT_TRUE(p_Obiekt.ZapiszWPliku(QStringLiteral("plik.dat"), p_Identyfikator, p_Typ, {}, p_Haslo, &plik));
    return plik.Bajty();
}

// The message of the failed read, or "no error"; the object is left as the read left it.
QString wczytaj(TObiekt &p_Obiekt, const QByteArray &p_Plik, const QByteArray &p_Identyfikator, int16_t p_Typ,
                const QByteArray &p_Haslo = {})
{
    TMemoryStream plik(p_Plik);
    try {
        p_Obiekt.WczytajZPliku(QStringLiteral("plik.dat"), p_Identyfikator, p_Typ, p_Haslo, &plik);
    } catch (const Exception &e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

TEST(KontenerPliku, ZnacznikUTF8MowiJakCzytacNapisy)
{
    TCel cel;
    cel.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("żółw"));
    const QByteArray ansi = zapisz(cel, "ABC", tzpBinarny | tzpWin1250);
    const QByteArray utf8 = zapisz(cel, "ABC", tzpBinarny);
    EXPECT_EQ(ansi.left(4).toHex(), "41424301");
    EXPECT_EQ(utf8.left(7).toHex(), "efbbbf41424301");
    for (const QByteArray &plik : {ansi, utf8}) {
        TCel wczytany;
        EXPECT_EQ(wczytaj(wczytany, plik, "ABC", tzpBinarny), QStringLiteral("no error"));
        EXPECT_EQ(wczytany.Tekstowo(TCel::Nazwa), QStringLiteral("żółw"));
    }
    // The text format has no mark; its identifier is the file's first bytes.
    EXPECT_EQ(zapisz(cel, "ABC", tzpTekstowy).left(14), QByteArray("ABCobject TCel"));
}

TEST(KontenerPliku, ObcyIdentyfikatorHasloIUszkodzenieDajaBladBezDanych)
{
    TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    const int16_t oba = tzpBinarny | tzpSzyfrowany | tzpSkompresowany;
    const QByteArray szyfrowany = zapisz(zrodlo, "ID", tzpBinarny | tzpSzyfrowany, "tajne");
    const QByteArray obaNaraz = zapisz(zrodlo, "ID", oba, "tajne");
    const QByteArray skompresowany = zapisz(zrodlo, "ID", tzpBinarny | tzpSkompresowany);
    const struct
    {
        const char *Nazwa;
        QByteArray Plik;
        QByteArray Identyfikator;
        int16_t Typ;
        QByteArray Haslo;
        const char *Komunikat;
    } przypadki[] = {
        {"foreign identifier", skompresowany, "XY", tzpBinarny | tzpSkompresowany, {},
         "Niewłaściwy typ pliku: \"ID\" zamiast \"XY\""},
        {"short file", "I", "ID", tzpBinarny, {}, "Niewłaściwy typ pliku: \"I\" zamiast \"ID\""},
        {"wrong password", szyfrowany, "ID", tzpBinarny | tzpSzyfrowany, "inne", "nie udało się odszyfrować danych"},
        {"default key instead", szyfrowany, "ID", tzpBinarny | tzpSzyfrowany, {}, ""},
        {"wrong password, compressed", obaNaraz, "ID", oba, "inne", ""},
        {"cut compressed", skompresowany.left(skompresowany.size() - 5), "ID", tzpBinarny | tzpSkompresowany, {},
         ""},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TWszystkiePola obiekt;
        obiekt.Wypelnij();
        const QString tresc = wczytaj(obiekt, p.Plik, p.Identyfikator, p.Typ, p.Haslo);
        EXPECT_TRUE(tresc.startsWith(QStringLiteral("Błąd odczytu pliku plik.dat:\r"))) << tresc.toStdString();
        EXPECT_TRUE(tresc.contains(QString::fromUtf8(p.Komunikat))) << tresc.toStdString();
        EXPECT_FALSE(obiekt.MaWartosc(-1));
    }
    // Any byte of the compressed data changed: an error and nothing kept, or
    // (padding bits of the last byte) the same objects, never other ones.
    for (qsizetype i = 2; i < skompresowany.size(); ++i) {
        QByteArray uszkodzony = skompresowany;
        uszkodzony[i] = static_cast<char>(uszkodzony[i] ^ 0x20);
        TWszystkiePola obiekt;
        if (wczytaj(obiekt, uszkodzony, "ID", tzpBinarny | tzpSkompresowany) == QStringLiteral("no error"))
            EXPECT_EQ(obiekt.PorownajZObiektem(zrodlo), 0) << i;
        else
            EXPECT_FALSE(obiekt.MaWartosc(-1)) << i;
    }
}

TEST(KontenerPliku, KompresjaZmniejszaANieznanyFormatNicNiePisze)
{
    TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    zrodlo.UstawPole<TPoleString>(TWszystkiePola::Tekst, QString(2000, QLatin1Char('a')));
    EXPECT_LT(zapisz(zrodlo, {}, tzpTekstowy | tzpSkompresowany).size(), zapisz(zrodlo, {}, tzpTekstowy).size() / 4);
    TMemoryStream plik;
    EXPECT_FALSE(zrodlo.ZapiszWPliku(QStringLiteral("x"), "ID", 5, {}, {}, &plik));
    EXPECT_EQ(plik.Size(), 0);
}

TEST(KontenerPliku, XMLBezIdentyfikatoraZeSzablonemAJSONZaIdentyfikatorem)
{
    TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    TMemoryStream plik;
    ASSERT_TRUE(zrodlo.ZapiszWPliku(QStringLiteral("plik.xml"), "ID", tzpXML, QStringLiteral("styl.xsl"), {}, &plik));
    const QByteArray xml = plik.Bajty();
    EXPECT_TRUE(xml.startsWith("<?xml ")) << xml.left(40).toStdString();
    EXPECT_TRUE(xml.contains("<?xml-stylesheet type=\"text/xsl\" href=\"file://styl.xsl\"?>"));
    EXPECT_EQ(zapisz(zrodlo, "ID", tzpXML | tzpXMLWierszowy).left(5), "<?xml");
    EXPECT_TRUE(zapisz(zrodlo, "ID", tzpJSON).startsWith("ID{"));
}

TEST(KontenerPliku, TekstWZasobieZaNaglowkiemZNazwaIRozmiarem)
{
    TCel cel;
    cel.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("ż"));
    const QByteArray tekst = zapisz(cel, {}, tzpTekstowy);
    auto naglowek = [](const char *p_NazwaHex, qsizetype p_Rozmiar) {
        const auto r = static_cast<uint32_t>(p_Rozmiar);
        const char rozmiar[] = {char(r), char(r >> 8), char(r >> 16), char(r >> 24)};
        return QByteArray::fromHex(QByteArray("ff0a00") + p_NazwaHex + "00" "3010") + QByteArray(rozmiar, 4);
    };
    // The name in upper case (Polish letters too, in Windows-1250), the size of what follows.
    const QByteArray plik = zapisz(cel, "Zas\xf3" "b", tzpTekstowyRES);
    EXPECT_EQ(plik.toHex(), (naglowek("5a4153d342", tekst.size()) + tekst).toHex());
    TCel wczytany;
    EXPECT_EQ(wczytaj(wczytany, plik, "inny", tzpTekstowyRES), QStringLiteral("no error"));
    EXPECT_EQ(wczytany.PorownajZObiektem(cel), 0);

    // Sealed data: the size counts the bytes stored.
    const int16_t zamkniety = tzpTekstowyRES | tzpSkompresowany | tzpSzyfrowany;
    const QByteArray zapieczetowany = zapisz(cel, {}, zamkniety, "tajne");
    EXPECT_EQ(zapieczetowany.left(10).toHex(), naglowek("", zapieczetowany.size() - 10).toHex());
    EXPECT_EQ(wczytaj(wczytany, zapieczetowany, {}, zamkniety, "tajne"), QStringLiteral("no error"));

    const struct
    {
        const char *Nazwa;
        QByteArray Plik;
    } przypadki[] = {
        {"plain native text", tekst},
        {"another resource type", naglowek("41", tekst.size()).replace(1, 1, "\x06") + tekst},
        {"a name without its zero", QByteArray::fromHex("ff0a00") + QByteArray(64, 'A') + QByteArray(7, '\0') + tekst},
        {"cut header", plik.left(8)},
        {"empty file", {}},
    };
    for (const auto &p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        TCel obiekt;
        obiekt.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("stary"));
        const QString tresc = wczytaj(obiekt, p.Plik, {}, tzpTekstowyRES);
        // The entry point adds where in the file reading stopped.
        EXPECT_TRUE(tresc.startsWith(QStringLiteral("Błąd odczytu pliku plik.dat:\rNieprawidłowy format strumienia")))
            << tresc.toStdString();
        EXPECT_FALSE(obiekt.MaWartosc(-1));
    }
    // The longest name still reads.
    const QByteArray dlugi = QByteArray::fromHex("ff0a00") + QByteArray(63, 'A') + QByteArray(1, '\0')
                             + naglowek("", tekst.size()).mid(4) + tekst;
    EXPECT_EQ(wczytaj(wczytany, dlugi, {}, tzpTekstowyRES), QStringLiteral("no error"));
}

TEST(KontenerPliku, PlikNaDyskuIBledyJegoOtwarcia)
{
    const QString katalog = QString::fromLocal8Bit(qgetenv("TMPDIR").isEmpty() ? "/tmp" : qgetenv("TMPDIR"));
    const QString nazwa = katalog + QStringLiteral("/kontener-%1.dat").arg(QCoreApplication::applicationPid());
    TCel cel;
    cel.UstawPole<TPoleInteger>(TCel::Licznik, 5);
    ASSERT_TRUE(cel.ZapiszWPliku(nazwa, "ID", tzpBinarny | tzpSkompresowany));
    TCel wczytany;
    EXPECT_TRUE(wczytany.WczytajZPliku(nazwa, "ID", tzpBinarny | tzpSkompresowany));
    EXPECT_EQ(wczytany.PorownajZObiektem(cel), 0);
    QFile::remove(nazwa);
    try {
        wczytany.WczytajZPliku(nazwa, "ID", tzpBinarny);
        ADD_FAILURE() << "no error";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Błąd otwarcia pliku ") + nazwa)) << e.Message().toStdString();
    }
    try {
        cel.ZapiszWPliku(katalog + QStringLiteral("/brak/x.dat"), "ID", tzpBinarny);
        ADD_FAILURE() << "no error";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Błąd zapisu pliku ") + katalog + QStringLiteral("/brak/x.dat:\rBłąd utworzenia pliku")))
            << e.Message().toStdString();
    }
}

TEST(StrumienCRC, RejestrBezOdwrocenia)
{
    TLkCRCStream crc;
    EXPECT_EQ(crc.DataCRC(), 0xFFFFFFFFu);
    crc.WriteBuffer("1234", 4);
    crc.WriteBuffer("56789", 5);
    EXPECT_EQ(crc.DataCRC(), 0x340BC6D9u);
    char bajt;
    try {
        crc.Read(&bajt, 1);
        ADD_FAILURE() << "no error";
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TLkCRCStream.Read"));
    }
    crc.Reset();
    EXPECT_EQ(crc.DataCRC(), 0xFFFFFFFFu);
}

TEST(StrumienCRC, WyroznikObiektuZaleznyOdDanychIFiltra)
{
    TWszystkiePola a;
    a.Wypelnij();
    TWszystkiePola b;
    b.Wypelnij();
    EXPECT_EQ(a.DajWyroznikObiektu(), b.DajWyroznikObiektu());
    b.UstawPole<TPoleInteger>(TWszystkiePola::Integer, 1);
    EXPECT_NE(a.DajWyroznikObiektu(), b.DajWyroznikObiektu());
    auto bezInteger = [](const TObiekt &, int16_t p_Nr) { return p_Nr != TWszystkiePola::Integer; };
    EXPECT_EQ(a.DajWyroznikObiektu(bezInteger), b.DajWyroznikObiektu(bezInteger));
    // The fingerprint is the CRC of the binary image.
    TMemoryStream obraz;
    a.ZapiszWPliku({}, {}, tzpBinarny, {}, {}, &obraz);
    EXPECT_EQ(a.DajWyroznikObiektu(), AktualizujCRC32(0xFFFFFFFFu, obraz.Bajty()));
}

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Kontener, ObiegFormatu, TKontener<tzpBinarny>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerSkompresowany, ObiegFormatu, TKontener<tzpTekstowy | tzpSkompresowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerSzyfrowany, ObiegFormatu, TKontener<tzpBinarny | tzpSzyfrowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerSkompresowanySzyfrowany, ObiegFormatu,
                               TKontener<tzpBinarny | tzpSkompresowany | tzpSzyfrowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerXML, ObiegFormatu, TKontener<tzpXML>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerXMLWierszowySkompresowanySzyfrowany, ObiegFormatu,
                               TKontener<tzpXML | tzpXMLWierszowy | tzpSkompresowany | tzpSzyfrowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerJSON, ObiegFormatu, TKontener<tzpJSON>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerZasob, ObiegFormatu, TKontener<tzpTekstowyRES>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerZasobSkompresowanySzyfrowany, ObiegFormatu,
                               TKontener<tzpTekstowyRES | tzpSkompresowany | tzpSzyfrowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerJSONSkompresowany, ObiegFormatu, TKontener<tzpJSON | tzpSkompresowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(Kontener, ObiegList, TKontener<tzpBinarny>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerJSONSzyfrowany, ObiegList, TKontener<tzpJSON | tzpSzyfrowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerSkompresowany, ObiegList, TKontener<tzpTekstowy | tzpSkompresowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerZasob, ObiegList, TKontener<tzpTekstowyRES>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerSzyfrowany, ObiegList, TKontener<tzpBinarny | tzpSzyfrowany>);
INSTANTIATE_TYPED_TEST_SUITE_P(KontenerSkompresowanySzyfrowany, ObiegList,
                               TKontener<tzpBinarny | tzpSkompresowany | tzpSzyfrowany>);
