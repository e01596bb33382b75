#include "KlasyList.h"

namespace {

TEST(ListyWartosci, IntListTextReadsRunsOfSeparatorsAndWritesBlanks)
{
    TPoleIntList lista;
    lista.SetJakoString(QStringLiteral("1, -2\r\n3"));
    EXPECT_EQ(std::vector<int32_t>(lista.begin(), lista.end()), (std::vector<int32_t>{1, -2, 3}));
    EXPECT_EQ(lista.GetJakoString(), QStringLiteral("1 -2 3"));
    lista.SetJakoString(QStringLiteral("-2147483648 2147483647"));
    EXPECT_EQ(lista.Wartosci(0), INT32_MIN);

    const struct
    {
        const char16_t *Tekst;
        const char16_t *Blad;
    } bledy[] = {
        {u"1-2", u"minus w środku liczby"}, {u"--1", u"PIL: powtórzony minus"},
        {u"1;2", u"obcy znak"},             {u"2147483648", u"obcy znak"},
    };
    for (const auto &b : bledy)
        EXPECT_EQ(KomunikatBledu([&] { lista.SetJakoString(QString::fromUtf16(b.Tekst)); }),
                  QString::fromUtf16(b.Blad))
            << QString::fromUtf16(b.Tekst).toStdString();
}

TEST(ListyWartosci, SizeCapacityAndAccessOutsideTheList)
{
    TPoleIntList lista;
    EXPECT_FALSE(lista.MaWartosc(-1));
    for (int i = 1; i <= 9; ++i)
        lista.DodajWartosc(i);
    EXPECT_EQ(lista.Pojemnosc(), 12);
    EXPECT_EQ(lista.Wartosci(9), 0);
    EXPECT_EQ(lista.Wartosci(-1), 0);
    EXPECT_EQ(KomunikatBledu([&] { lista.UstawWartosc(9, 1); }),
              QStringLiteral("TPoleIntList.Wartosci: indeks 9 poza zakresem 0..8"));
    lista.UstawRozmiar(3);
    lista.UstawRozmiar(5);
    EXPECT_EQ(lista.GetJakoString(), QStringLiteral("1 2 3 0 0"));
    EXPECT_EQ(lista.Pojemnosc(), 12);
    lista.UstawRozmiar(20);
    EXPECT_EQ(lista.Pojemnosc(), 20);
    EXPECT_EQ(lista.DodajWartosc(-7, -3), 0);
    EXPECT_EQ(lista.DodajWartosc(8, 1000), 21);
    EXPECT_TRUE(lista.MaWartosc(-1));
    EXPECT_EQ(lista.OpisTekstowy(), QStringLiteral("22 elem."));
}

TEST(ListyWartosci, SearchSortAndDescriptions)
{
    TPoleIntList lista;
    lista.DodajZArrayOfInt({5, 3, 1, 2, 3, 9});
    EXPECT_EQ(lista.UsunDuplikaty(), 1);
    lista.PosortujWartosci();
    EXPECT_EQ(lista.OpisWartosci(), QStringLiteral("1-3, 5, 9"));
    EXPECT_EQ(lista.OpisWartosci(QStringLiteral(","), QStringLiteral(".."), 1), QStringLiteral("2..4,6,10"));
    int gdzie = -1;
    EXPECT_TRUE(lista.WyszukajWartosc(5, gdzie));
    EXPECT_EQ(gdzie, 3);
    EXPECT_FALSE(lista.WyszukajWartosc(4, gdzie));
    EXPECT_EQ(gdzie, 3);
    EXPECT_TRUE(lista.DodajWartoscGdyBrak(4, true));
    EXPECT_FALSE(lista.DodajWartoscGdyBrak(4, true));
    EXPECT_EQ(lista.ListaWartosci(QStringLiteral(","), 1, 3), QStringLiteral("2,3,4"));
    EXPECT_EQ(lista.SumaWartosci(), 24);
    EXPECT_EQ(lista.WartoscMax(), 9);
    EXPECT_TRUE(lista.JestWartoscZZakresu(6, 9));
    EXPECT_FALSE(lista.JestWartoscZZakresu(6, 8));
    EXPECT_TRUE(lista.WyszukajIUsun(9));
    EXPECT_EQ(lista.UsunWartosc(1), 1);
    EXPECT_EQ(lista.KopiujDoArrayOfSmallint(), (std::vector<int16_t>{2, 3, 4, 5}));
    TEnumPoleIntList wyliczanie(lista);
    int suma = 0;
    while (wyliczanie.MoveNext())
        suma += wyliczanie.Current();
    EXPECT_EQ(suma, 14);
    lista.DodajZakres(7, 9);
    EXPECT_EQ(lista.GetJakoString(), QStringLiteral("2 3 4 5 7 8 9"));
}

TEST(ListyWartosci, FloatAndStringListsKeepTheirValues)
{
    TPoleDoubleList liczby;
    liczby.SetJakoString(QStringLiteral("0.1 -2.5e3\r\n7"));
    EXPECT_EQ(liczby.Wartosci(0), 0.1);
    EXPECT_EQ(liczby.Wartosci(1), -2500.0);
    EXPECT_EQ(liczby.GetJakoString(), QStringLiteral("0.1 -2500 7"));
    TPoleExtendedList dlugie;
    dlugie.KopiujZArrayOfConst({1, 0.5, QStringLiteral("2 3")});
    EXPECT_EQ(dlugie.GetJakoString(), QStringLiteral("1 0.5 2 3"));
    TPoleInt64List duze;
    duze.SetJakoString(QStringLiteral("9223372036854775807 -9223372036854775808"));
    EXPECT_EQ(duze.Wartosci(1), INT64_MIN);

    TPoleStrList teksty;
    teksty.SetJakoString(QStringLiteral("a\r\nb\nc\r"));
    EXPECT_EQ(teksty.Wartosci, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(teksty.GetJakoString(), QStringLiteral("a\r\nb\r\nc\r\n"));

    // Values gathered from objects' fields.
    TPozycja pozycja;
    pozycja.UstawPole<TPoleInteger>(TPozycja::Ilosc, 4);
    pozycja.UstawPole<TPoleString>(TPozycja::Nazwa, QStringLiteral("kawa"));
    TPoleIntList ilosci;
    ilosci.DolaczZObiektu(pozycja, {QStringLiteral("Ilosc"), int(TPozycja::Kwota)});
    ilosci.DolaczWartosc(pozycja, TPozycja::Ilosc, false);
    EXPECT_EQ(ilosci.GetJakoString(), QStringLiteral("4"));
    teksty.DolaczWartosc(pozycja, TPozycja::Nazwa, true, true);
    EXPECT_EQ(teksty.TekstowoElemNr(3), QStringLiteral("kawa"));
}

} // namespace
