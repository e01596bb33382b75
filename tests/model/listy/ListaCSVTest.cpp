#include "KlasyList.h"

#include "Strumienie.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The message of any framework exception the call raises (conversions and
// files raise their own classes); empty when it raises none.
template <typename F> QString Komunikat(F &&p_Wywolanie)
{
    try {
        p_Wywolanie();
    } catch (const Exception &e) {
        return e.Message();
    }
    return {};
}

// What an export wrote into a memory stream.
QByteArray Eksport(TListaBazowa &p_Lista, const TArrayOfConst &p_KtorePola, TTypKodowaniaCSV p_Kodowanie = tkcWin1250,
                   bool p_Naglowek = false, const TArrayOfConst &p_NazwyKolumn = {}, bool p_ZawszeCudzyslow = false,
                   bool p_TekstDoLinii = false)
{
    TMemoryStream strumien;
    p_Lista.ZapiszWPlikuCSV(QStringLiteral("pamiec.csv"), p_KtorePola, p_NazwyKolumn, ';', p_Naglowek, p_Kodowanie,
                            &strumien, nullptr, p_ZawszeCudzyslow, p_TekstDoLinii);
    return QByteArray(static_cast<const char *>(strumien.Memory()), strumien.Size());
}

// Items read from bytes in memory.
void Import(TListaObiektow &p_Lista, const QByteArray &p_Dane, const TArrayOfConst &p_KtorePola = {},
            const TArrayOfConst &p_KtoreKolumny = {}, bool p_Naglowek = true, TTypKodowaniaCSV p_Kodowanie = tkcDomyslny,
            bool p_ZglosBrakKol = false, bool p_IgnorujCudzyslow = false)
{
    TMemoryStream strumien(p_Dane);
    p_Lista.WczytajZPlikuCSV(QStringLiteral("pamiec.csv"), p_KtorePola, p_KtoreKolumny, ';', p_Naglowek, p_Kodowanie,
                             &strumien, p_ZglosBrakKol, nullptr, p_IgnorujCudzyslow);
}

TEST(ListaCSV, ExportQuotesOnlyCellsThatNeedIt)
{
    TListaPozycji lista;
    const struct
    {
        const char16_t *Tekst;
        const char *Komorka;
    } przypadki[] = {
        {u"a;b", "\"a;b\""},
        {u"on \"ona\"", "\"on \"\"ona\"\"\""},
        {u"zwykły tekst", "zwyk\xb3y tekst"},
        {u"dwie\r\nlinie", "\"dwie\r\nlinie\""},
        {u"sam CR\rtu", "\"sam CR\r\ntu\""},
        {u"", ""},
    };
    for (const auto &p : przypadki) {
        lista.ZerujDane();
        TPozycja &pozycja = lista.Dopisz(QString::fromUtf16(p.Tekst));
        pozycja.UstawPole<TPoleInteger>(TPozycja::Ilosc, 1);
        EXPECT_EQ(Eksport(lista, {int(TPozycja::Ilosc), int(TPozycja::Nazwa), int(TPozycja::Kwota), int(TPozycja::Ilosc)}),
                  QByteArray("1;") + p.Komorka + ";;1\r\n")
            << QString::fromUtf16(p.Tekst).toStdString();
    }
    // Always quoted, and kept on one line.
    lista.ZerujDane();
    lista.Dopisz(QStringLiteral("\r\nraz\ndwa\r\n"));
    EXPECT_EQ(Eksport(lista, {int(TPozycja::Nazwa), int(TPozycja::Kwota)}, tkcWin1250, false, {}, true, true),
              QByteArray("\"raz dwa\";\r\n"));
}

TEST(ListaCSV, ExportEncodingsHeaderAndEmptyList)
{
    TListaPozycji lista;
    EXPECT_EQ(Eksport(lista, {}, tkcUTF8, true), QByteArray());
    lista.Dopisz(QStringLiteral("Zażółć €"), 2);
    lista.Dopisz(QStringLiteral("b"));
    // Every field of the first item, a header from the fields' names.
    EXPECT_EQ(Eksport(lista, {}, tkcUTF8, true), QByteArray("\xEF\xBB\xBFNazwa;Ilosc;Kwota\r\n"
                                                            "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE2\x82\xAC;2;\r\n"
                                                            "b;;\r\n"));
    EXPECT_EQ(Eksport(lista, {int(TPozycja::Nazwa)}, tkcDomyslny).left(8), QByteArray("Za\xbf\xf3\xb3\xe6 \x80"));
    EXPECT_EQ(Eksport(lista, {int(TPozycja::Nazwa)}, tkcISO88592).left(8), QByteArray("Za\xbf\xf3\xb3\xe6 \x80"));
    // Column names given: a number is the field's name, a text itself; paths are columns too.
    EXPECT_EQ(Eksport(lista, {QStringLiteral("Ilosc"), QStringLiteral("Nazwa")}, tkcWin1250, true,
                      {int(TPozycja::Ilosc), QStringLiteral("Cały")}).left(16),
              QByteArray("Ilosc;Ca\xb3y\r\n2;Za"));
    EXPECT_EQ(KomunikatBledu([&] { Eksport(lista, {}, tkcWin1250, true, {1.5}); }),
              QStringLiteral("Błąd zapisu pliku pamiec.csv:\rCSVN: Błędny typ indeksu"));
    EXPECT_EQ(KomunikatBledu([&] { Eksport(lista, {1.5}, tkcWin1250, true); }),
              QStringLiteral("Błąd zapisu pliku pamiec.csv:\rCSVK: Błędny typ indeksu"));
    EXPECT_EQ(KomunikatBledu([&] { Eksport(lista, {1.5}); }),
              QStringLiteral("Błąd zapisu pliku pamiec.csv:\rCSVW: Błędny typ indeksu"));
}

TEST(ListaCSV, DatesFollowTheCsvSettings)
{
    TListaTowarow lista;
    auto &towar = static_cast<TTowar &>(*lista.DopiszObiekt(nullptr));
    towar.UstawTekstowo(TTowar::DataWywozu, QStringLiteral("2024-03-01"));
    towar.DajAdres().UstawTekstowo(0, QStringLiteral("Gdańsk"));
    const QByteArray csv = Eksport(lista, {int(TTowar::DataWywozu), QStringLiteral("Adres.Miasto")}, tkcUTF8, true);
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBF" "DataWywozu;Adres.Miasto\r\n2024-03-01;Gda\xC5\x84sk\r\n"));

    TListaTowarow wczytane;
    Import(wczytane, csv, {int(TTowar::DataWywozu), QStringLiteral("Adres.Miasto")});
    ASSERT_EQ(wczytane.IleObiektow(), 1);
    EXPECT_EQ(wczytane.Towar(0).PorownajZObiektem(towar), 0);
}

TEST(ListaCSV, ImportMapsHeaderNamesIgnoringCase)
{
    const QByteArray csv("\xEF\xBB\xBFnAZWA;ILOSC;Inna\r\nKawa;3;x\r\nHerbata;5;y\r\n");
    TListaPozycji lista;
    Import(lista, csv, {}, {QStringLiteral("Nazwa"), QStringLiteral("Ilosc"), QStringLiteral("Brak")});
    ASSERT_EQ(lista.IleObiektow(), 2);
    // The k-th chosen column goes to field k; a missing one leaves its field alone.
    EXPECT_EQ(lista.Pozycja(1).Tekstowo(0), QStringLiteral("Herbata"));
    EXPECT_EQ(lista.Pozycja(1).Tekstowo(1), QStringLiteral("5"));
    EXPECT_EQ(lista.Pozycja(0).PoleJesliJest(TPozycja::Kwota), nullptr);

    TListaPozycji poPolach;
    Import(poPolach, csv, {int(TPozycja::Ilosc), QStringLiteral("Nazwa")}, {QStringLiteral("ilosc"), QStringLiteral("nazwa")});
    EXPECT_EQ(poPolach.Pozycja(1).Tekstowo(TPozycja::Nazwa), QStringLiteral("Herbata"));
    EXPECT_EQ(poPolach.Pozycja(1).Tekstowo(TPozycja::Ilosc), QStringLiteral("5"));

    const struct
    {
        TArrayOfConst Kolumny;
        bool Naglowek;
        const char16_t *Blad;
    } bledy[] = {
        {{QStringLiteral("Brak")}, true, u"WczytajZPlikuCSV,Map: Błędna ścieżka : Brak"},
        {{3}, true, u"WczytajZPlikuCSV,Map: Błędna wartość indeksu = 3"},
        {{2.5}, true, u"WczytajZPlikuCSV,Map: Błędny typ indeksu"},
        {{QStringLiteral("Nazwa")}, false, u"Błędne wywołanie TListaPozycji.WczytajZPlikuCSV,Map"},
    };
    for (const auto &b : bledy)
        EXPECT_EQ(KomunikatBledu([&] { Import(lista, csv, {}, b.Kolumny, b.Naglowek, tkcDomyslny, true); }),
                  QString::fromUtf16(b.Blad));
}

TEST(ListaCSV, ImportCountsSkippedLinesInItsMessages)
{
    TListaPozycji lista;
    const QString blad = Komunikat([&] {
        Import(lista, QByteArray("Nazwa;Ilosc\r\n\r\nKawa;3\r\nHerbata;dużo\r\n"), {int(TPozycja::Nazwa), int(TPozycja::Ilosc)});
    });
    EXPECT_TRUE(blad.startsWith(QStringLiteral("Linia 4: pole Ilosc: "))) << blad.toStdString();
    EXPECT_GT(blad.size(), QStringLiteral("Linia 4: pole Ilosc: ").size());
    // The lines before the fault were read.
    EXPECT_EQ(lista.IleObiektow(), 2);
    EXPECT_EQ(lista.Pozycja(0).Tekstowo(TPozycja::Nazwa), QStringLiteral("Kawa"));
}

TEST(ListaCSV, ImportTable)
{
    const struct
    {
        const char *Nazwa;
        QByteArray Dane;
        TTypKodowaniaCSV Kodowanie;
        bool IgnorujCudzyslow;
        QStringList Nazwy;
    } przypadki[] = {
        {"quoted separator and breaks", "\"a;b\";1\r\n\"c\r\nd\";2\n\"e \"\"f\"\"\"", tkcDomyslny, false,
         {"a;b", "c\r\nd", "e \"f\""}},
        {"LF and CR line ends, empty lines skipped", "a\n\nb\r\rc\r\n", tkcDomyslny, false, {"a", "b", "c"}},
        {"a quote inside a cell is kept", "\"x\"y\";1", tkcDomyslny, false, {"x\"y"}},
        {"an unclosed quote takes the rest", "\"a;b\r\nc", tkcDomyslny, false, {"a;b\r\nc"}},
        {"quotes as characters", "\"a;b\"", tkcDomyslny, true, {"\"a"}},
        {"Windows-1250", "Za\xbf\xf3\xb3\xe6", tkcWin1250, false, {"Zażółć"}},
        {"ISO-8859-2", "Za\xbf\xf3\xb3\xe6\xb1\xa1\xb6", tkcISO88592, false, {"ZażółćąĄś"}},
        {"UTF-8 by its mark", "\xEF\xBB\xBFZa\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", tkcDomyslny, false, {"Zażółć"}},
        {"UTF-16 by its mark", QByteArray("\xFF\xFE" "a\0;\0" "1\0\n\0" "\x7c\x01", 12), tkcWin1250, false, {"a", "ż"}},
    };
    for (const auto &p : przypadki) {
        TListaPozycji lista;
        Import(lista, p.Dane, {int(TPozycja::Nazwa)}, {}, false, p.Kodowanie, false, p.IgnorujCudzyslow);
        QStringList nazwy;
        for (TObiekt *obiekt : lista)
            nazwy << obiekt->Tekstowo(TPozycja::Nazwa);
        EXPECT_EQ(nazwy, p.Nazwy) << p.Nazwa;
    }
}

TEST(ListaCSV, ImportOfNothingEmptiesTheList)
{
    TListaPozycji lista;
    lista.Dopisz(QStringLiteral("stara"));
    Import(lista, QByteArray("\xEF\xBB\xBF"));
    EXPECT_TRUE(lista.ListaPusta());
    lista.Dopisz(QStringLiteral("stara"));
    Import(lista, QByteArray("Nazwa\r\n"));
    EXPECT_TRUE(lista.ListaPusta());
}

// The summary path: a file, ";", UTF-8 with a header, read back by its column names.
TEST(ListaCSV, AFileRoundTripsInUtf8WithAHeader)
{
    QTemporaryDir katalog;
    ASSERT_TRUE(katalog.isValid());
    const QString plik = katalog.filePath(QStringLiteral("podsumowanie.csv"));
    TListaPozycji lista;
    lista.Dopisz(QStringLiteral("IE529; \"pilne\""), 1).UstawPole<TPoleCurrency>(TPozycja::Kwota, int64_t{123450});
    lista.Dopisz(QStringLiteral("Łódź\r\nwiersz drugi"), -4);
    lista.ZapiszWPlikuCSV(plik, {}, {}, ';', true, tkcUTF8);

    QFile odczyt(plik);
    ASSERT_TRUE(odczyt.open(QIODevice::ReadOnly));
    const QByteArray zapisane = odczyt.readAll();
    EXPECT_TRUE(zapisane.startsWith("\xEF\xBB\xBFNazwa;Ilosc;Kwota\r\n\"IE529; \"\"pilne\"\"\";1;12.345\r\n"))
        << zapisane.toStdString();

    TListaPozycji wczytana;
    wczytana.WczytajZPlikuCSV(plik, {QStringLiteral("Nazwa"), QStringLiteral("Ilosc"), QStringLiteral("Kwota")},
                              {QStringLiteral("nazwa"), QStringLiteral("ilosc"), QStringLiteral("kwota")}, ';', true,
                              tkcDomyslny, nullptr, true);
    EXPECT_EQ(wczytana.Porownaj(lista), 0);
    EXPECT_EQ(wczytana.PojemnoscListy(), 2);

    EXPECT_TRUE(Komunikat([&] { wczytana.WczytajZPlikuCSV(katalog.filePath(QStringLiteral("brak.csv"))); })
                    .startsWith(QStringLiteral("Błąd otwarcia pliku ")));
    TFileStream tylkoDoOdczytu(plik, fmOpenRead);
    EXPECT_EQ(Komunikat([&] { lista.ZapiszWPlikuCSV(plik, {}, {}, ';', true, tkcUTF8, &tylkoDoOdczytu); }),
              QStringLiteral("Błąd zapisu pliku %1:\rStream write error").arg(plik));
}

} // namespace
