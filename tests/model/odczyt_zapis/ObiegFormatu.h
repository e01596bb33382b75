#pragma once

// One round trip for every format: a tree holding every field class, a
// sub-object and shared references goes out through a format's writer and
// comes back equal through its reader. A format joins with a small traits
// type and one line:
//
//   struct TFormatX {
//       static void Zapisz(TObiektBazowy &p_Obiekt, TStream &p_Strumien);
//       static void Wczytaj(TObiektBazowy &p_Obiekt, TStream &p_Strumien);
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(X, ObiegFormatu, TFormatX);
//
// A format that writes lists joins ObiegList the same way.

#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"
#include "LkParam.h"
#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleArrayOfConst.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"
#include "PorownywaczDanych.h"
#include "Strumienie.h"

#include <gtest/gtest.h>

#include <limits>

namespace obieg {

// A target of the shared references, and the sub-object of the tree.
class TCel : public TKlasa<TCel, TObiekt>
{
public:
    enum : int16_t { Nazwa, Licznik };
    static constexpr TOpisPola PolaKlasy[] = {
        {Nazwa, "Nazwa", &TPoleString::Opis},
        {Licznik, "Licznik", &TPoleInteger::Opis},
    };
    using TKlasa::TKlasa;
};

// A typed list of targets.
class TListaCelow : public TKlasa<TListaCelow, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TCel::Opis; }
};

// Every field class once, two sub-objects, and two references to the
// same sub-object (one tracked, one plain).
class TWszystkiePola : public TKlasa<TWszystkiePola, TObiekt>
{
public:
    enum : int16_t {
        Bajt, Smallint, Word, Integer, Cardinal, Int64,
        Double, Extended, Currency, Data, Czas, DataICzas,
        Logiczne, Tekst, TekstAnsi, TekstSzeroki,
        Pierwszy, Drugi, Ref, Wsk, Pusty, Stale,
    };
    static constexpr TOpisPola PolaKlasy[] = {
        {Bajt, "Bajt", &TPoleByte::Opis},
        {Smallint, "Smallint", &TPoleSmallint::Opis},
        {Word, "Word", &TPoleWord::Opis},
        {Integer, "Integer", &TPoleInteger::Opis},
        {Cardinal, "Cardinal", &TPoleCardinal::Opis},
        {Int64, "Int64", &TPoleInt64::Opis},
        {Double, "Double", &TPoleDouble::Opis},
        {Extended, "Extended", &TPoleExtended::Opis},
        {Currency, "Currency", &TPoleCurrency::Opis},
        {Data, "Data", &TPoleDate::Opis},
        {Czas, "Czas", &TPoleTime::Opis},
        {DataICzas, "DataICzas", &TPoleDateTime::Opis},
        {Logiczne, "Logiczne", &TPoleBoolean::Opis},
        {Tekst, "Tekst", &TPoleString::Opis},
        {TekstAnsi, "TekstAnsi", &TPoleRawByteString::Opis},
        {TekstSzeroki, "TekstSzeroki", &TPoleWideString::Opis},
        {Pierwszy, "Pierwszy", &TCel::Opis},
        {Drugi, "Drugi", &TCel::Opis},
        {Ref, "Ref", &TPoleRefObiektu::Opis},
        {Wsk, "Wsk", &TPoleWskObiektu::Opis},
        // Never given a value: it must come back without one.
        {Pusty, "Pusty", &TPoleString::Opis},
        {Stale, "Stale", &TPoleArrayOfConst::Opis},
    };
    using TKlasa::TKlasa;

    TCel &Cel(int16_t p_Nr) { return Pole<TCel>(p_Nr); }
    TObiektBazowy *Wskazany(int16_t p_Nr) { return Pole<TPoleWskObiektu>(p_Nr).Wartosc(); }

    // Values at the edges of each class, and texts every format must escape.
    void Wypelnij()
    {
        UstawPole<TPoleByte>(Bajt, uint8_t{255});
        UstawPole<TPoleSmallint>(Smallint, std::numeric_limits<int16_t>::min());
        UstawPole<TPoleWord>(Word, uint16_t{65535});
        UstawPole<TPoleInteger>(Integer, -2147483647 - 1);
        UstawPole<TPoleCardinal>(Cardinal, uint32_t{4294967295u});
        UstawPole<TPoleInt64>(Int64, std::numeric_limits<int64_t>::max());
        UstawPole<TPoleDouble>(Double, 0.1);
        UstawPole<TPoleExtended>(Extended, -1.25e-300L);
        UstawPole<TPoleCurrency>(Currency, int64_t{-12345678901234});
        UstawPole<TPoleDate>(Data, 46000.0);
        UstawPole<TPoleTime>(Czas, 0.75);
        UstawPole<TPoleDateTime>(DataICzas, 46000.5);
        // False is a value of its own, not an absent field.
        Pole<TPoleBoolean>(Logiczne);
        UstawMaWartosc(Logiczne, true);
        UstawPole<TPoleString>(Tekst, QStringLiteral(" Zażółć \"gęślą\" <jaźń> & 'ty'\r\nnowa linia\t"));
        UstawPole<TPoleRawByteString>(TekstAnsi, QByteArray("ansi \x01\x7f\xff bytes", 15));
        UstawPole<TPoleWideString>(TekstSzeroki, QStringLiteral("ĄĘŁŃÓŚŹŻ \u20ac \U0001F600"));
        Cel(Pierwszy).UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("cel"));
        Cel(Pierwszy).UstawPole<TPoleInteger>(TCel::Licznik, 7);
        Cel(Drugi).UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("drugi"));
        Pole<TPoleRefObiektu>(Ref).UstawWartosc(&Cel(Pierwszy));
        UstawMaWartosc(Ref, true);
        Pole<TPoleWskObiektu>(Wsk).UstawWartosc(&Cel(Pierwszy));
        UstawMaWartosc(Wsk, true);
        WypelnijStale();
    }

    // Every kind the formats carry, at its edges, a missing object and an object of its own.
    void WypelnijStale()
    {
        TPoleArrayOfConst &stale = Pole<TPoleArrayOfConst>(Stale);
        stale.Inicjuj({-2147483647 - 1, std::numeric_limits<long long>::max(), true, false, 0.1, -1.25e-300,
                       TVarRec::Currency(-1234567890123), QStringLiteral("<\"ż\"> & 'ó'\r\n\t"),
                       QByteArray("ansi \xb3\xf3" "d\xbc", 9), QChar(u'ł'), QString(),
                       static_cast<TObject *>(nullptr)});
        TCel &cel = static_cast<TCel &>(stale.DolaczNowyObiekt(TCel::Opis));
        cel.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("w tablicy"));
        cel.UstawPole<TPoleInteger>(TCel::Licznik, -3);
        stale.DolaczParam(7);
        UstawMaWartosc(Stale, true);
    }
};


// Lists of every kind: of objects, of integers, of strings, and of
// pointers into the tree (to a sub-object and to list items).
class TListy : public TKlasa<TListy, TObiekt>
{
public:
    enum : int16_t { Drugi, Cele, Liczby, Linie, Wskazania };
    static constexpr TOpisPola PolaKlasy[] = {
        {Drugi, "Drugi", &TCel::Opis},
        {Cele, "Cele", &TListaCelow::Opis},
        {Liczby, "Liczby", &TPoleIntList::Opis},
        {Linie, "Linie", &TPoleStrList::Opis},
        {Wskazania, "Wskazania", &TListaWskObiektow::Opis},
    };
    using TKlasa::TKlasa;

    TCel &Cel(int16_t p_Nr) { return Pole<TCel>(p_Nr); }
    TListaCelow &ListaCelow() { return Pole<TListaCelow>(Cele); }
    TPoleIntList &ListaLiczb() { return Pole<TPoleIntList>(Liczby); }
    TPoleStrList &ListaLinii() { return Pole<TPoleStrList>(Linie); }
    TListaWskObiektow &ListaWskazan() { return Pole<TListaWskObiektow>(Wskazania); }

    void Wypelnij()
    {
        Cel(Drugi).UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("drugi"));
        // Two items, the second without a name; the pointer list refers to
        // a sub-object and to list items, one of them twice.
        auto &a = static_cast<TCel &>(*ListaCelow().DopiszObiekt(nullptr));
        a.UstawPole<TPoleString>(TCel::Nazwa, QStringLiteral("element \"a\""));
        a.UstawPole<TPoleInteger>(TCel::Licznik, -1);
        auto &b = static_cast<TCel &>(*ListaCelow().DopiszObiekt(nullptr));
        b.UstawPole<TPoleInteger>(TCel::Licznik, 2);
        ListaLiczb().DodajZArrayOfInt({-2147483647 - 1, 0, 2147483647});
        ListaLinii().Wartosci = {QStringLiteral("pierwsza linia"), QStringLiteral("Zażółć <gęślą> & \"jaźń\"")};
        ListaWskazan().DopiszObiekt(&b);
        ListaWskazan().DopiszObiekt(&Cel(Drugi));
        ListaWskazan().DopiszObiekt(&b);
        ListaWskazan().DopiszObiekt(&a);
    }
};

// Written, then read back into a fresh object of the same class.
template <typename TFormat> void Przenies(TObiektBazowy &p_Zrodlo, TObiektBazowy &p_Cel)
{
    TMemoryStream strumien;
    TFormat::Zapisz(p_Zrodlo, strumien);
    ASSERT_GT(strumien.Size(), 0) << "the writer wrote nothing";
    strumien.SetPosition(0);
    TFormat::Wczytaj(p_Cel, strumien);
}

} // namespace obieg

template <typename TFormat> class ObiegFormatu : public ::testing::Test
{
};

TYPED_TEST_SUITE_P(ObiegFormatu);

TYPED_TEST_P(ObiegFormatu, EveryFieldClassComesBackEqual)
{
    obieg::TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    obieg::TWszystkiePola wczytany;
    obieg::Przenies<TypeParam>(zrodlo, wczytany);

    EXPECT_EQ(zrodlo.PorownajZObiektem(wczytany), 0);
    // Spot checks, so that a comparer fault cannot hide a lost value.
    EXPECT_EQ(wczytany.Tekstowo(obieg::TWszystkiePola::Tekst), zrodlo.Tekstowo(obieg::TWszystkiePola::Tekst));
    EXPECT_EQ(wczytany.template Pole<TPoleInt64>(obieg::TWszystkiePola::Int64).Wartosc, std::numeric_limits<int64_t>::max());
    EXPECT_EQ(wczytany.template Pole<TPoleDouble>(obieg::TWszystkiePola::Double).Wartosc, 0.1);
    EXPECT_EQ(wczytany.template Pole<TPoleRawByteString>(obieg::TWszystkiePola::TekstAnsi).Wartosc,
              zrodlo.template Pole<TPoleRawByteString>(obieg::TWszystkiePola::TekstAnsi).Wartosc);
    EXPECT_EQ(wczytany.template Pole<TPoleWideString>(obieg::TWszystkiePola::TekstSzeroki).Wartosc,
              zrodlo.template Pole<TPoleWideString>(obieg::TWszystkiePola::TekstSzeroki).Wartosc);
    EXPECT_TRUE(wczytany.MaWartosc(obieg::TWszystkiePola::Logiczne));
    EXPECT_FALSE(wczytany.MaWartosc(obieg::TWszystkiePola::Pusty));
}

TYPED_TEST_P(ObiegFormatu, ArraysOfConstantsComeBackKindByKind)
{
    obieg::TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    obieg::TWszystkiePola wczytany;
    obieg::Przenies<TypeParam>(zrodlo, wczytany);

    const auto &stale = wczytany.template Pole<TPoleArrayOfConst>(obieg::TWszystkiePola::Stale);
    const auto &wzor = zrodlo.template Pole<TPoleArrayOfConst>(obieg::TWszystkiePola::Stale);
    ASSERT_EQ(stale.IleParam(), wzor.IleParam());
    for (int i = 0; i < stale.IleParam(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(stale.ParamNr(i).Rodzaj(), wzor.ParamNr(i).Rodzaj());
        EXPECT_EQ(stale.ParamNr(i).JakoInt64(), wzor.ParamNr(i).JakoInt64());
        EXPECT_EQ(stale.ParamNr(i).JakoDouble(), wzor.ParamNr(i).JakoDouble());
        EXPECT_EQ(stale.ParamNr(i).JakoString(), wzor.ParamNr(i).JakoString());
        EXPECT_EQ(stale.ParamNr(i).JakoBajty(), wzor.ParamNr(i).JakoBajty());
    }
    // The object came back as a new object of its class, owned by the array read.
    const auto *cel = dynamic_cast<const obieg::TCel *>(stale.ParamNr(12).JakoObiekt());
    ASSERT_NE(cel, nullptr);
    EXPECT_NE(cel, wzor.ParamNr(12).JakoObiekt());
    EXPECT_EQ(cel->Rodzic(), &stale);
    EXPECT_EQ(cel->Tekstowo(obieg::TCel::Licznik), QStringLiteral("-3"));
    EXPECT_EQ(stale.ParamNr(11).JakoObiekt(), nullptr);
}

TYPED_TEST_P(ObiegFormatu, SharedReferencesComeBackToOneObject)
{
    obieg::TWszystkiePola zrodlo;
    zrodlo.Wypelnij();
    obieg::TWszystkiePola wczytany;
    obieg::Przenies<TypeParam>(zrodlo, wczytany);

    TObiektBazowy *cel = &wczytany.Cel(obieg::TWszystkiePola::Pierwszy);
    EXPECT_EQ(wczytany.Wskazany(obieg::TWszystkiePola::Ref), cel);
    EXPECT_EQ(wczytany.Wskazany(obieg::TWszystkiePola::Wsk), cel);
}

TYPED_TEST_P(ObiegFormatu, AnEmptyObjectComesBackEmpty)
{
    obieg::TWszystkiePola zrodlo;
    obieg::TWszystkiePola wczytany;
    wczytany.Wypelnij();
    obieg::Przenies<TypeParam>(zrodlo, wczytany);

    EXPECT_FALSE(wczytany.MaWartosc(-1));
}

// A parameter object is a document of its own: its parameters are its data.
TYPED_TEST_P(ObiegFormatu, AParameterObjectKeepsItsParameters)
{
    const TWskParam<TLkParam> zrodlo(new TLkParam({QStringLiteral("zażółć"), 42, int64_t(1) << 40, true, 2.5,
                                                   TVarRec::Currency(12345), QByteArray("ab")}));
    const TWskParam<TLkParam> wczytany(new TLkParam);
    obieg::Przenies<TypeParam>(*zrodlo, *wczytany);

    ASSERT_EQ(wczytany->IleParam(), 7);
    EXPECT_EQ(wczytany->OpisTekstowy(), zrodlo->OpisTekstowy());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(wczytany->TypParametru(i), zrodlo->TypParametru(i)) << i;
    EXPECT_EQ(zrodlo->PorownajZObiektem(*wczytany), 0);
}

REGISTER_TYPED_TEST_SUITE_P(ObiegFormatu, EveryFieldClassComesBackEqual, SharedReferencesComeBackToOneObject,
                            AnEmptyObjectComesBackEmpty, ArraysOfConstantsComeBackKindByKind,
                            AParameterObjectKeepsItsParameters);

template <typename TFormat> class ObiegList : public ::testing::Test
{
};

TYPED_TEST_SUITE_P(ObiegList);

TYPED_TEST_P(ObiegList, EveryListComesBackEqual)
{
    obieg::TListy zrodlo;
    zrodlo.Wypelnij();
    obieg::TListy wczytany;
    obieg::Przenies<TypeParam>(zrodlo, wczytany);

    EXPECT_EQ(zrodlo.PorownajZObiektem(wczytany), 0);
    ASSERT_EQ(wczytany.ListaCelow().IleObiektow(), 2);
    EXPECT_EQ(&wczytany.ListaCelow().ObiektyListy(1)->Klasa(), &obieg::TCel::Opis);
    EXPECT_EQ(wczytany.ListaCelow().Elementy(0)->Tekstowo(obieg::TCel::Nazwa), QStringLiteral("element \"a\""));
    EXPECT_FALSE(wczytany.ListaCelow().Elementy(1)->MaWartosc(obieg::TCel::Nazwa));
    EXPECT_EQ(wczytany.ListaCelow().Elementy(1)->Tekstowo(obieg::TCel::Licznik), QStringLiteral("2"));
    EXPECT_EQ(wczytany.ListaLiczb().GetJakoString(), QStringLiteral("-2147483648 0 2147483647"));
    EXPECT_EQ(wczytany.ListaLinii().Wartosci, zrodlo.ListaLinii().Wartosci);
}

TYPED_TEST_P(ObiegList, PointerListsComeBackToTheObjectsRead)
{
    obieg::TListy zrodlo;
    zrodlo.Wypelnij();
    obieg::TListy wczytany;
    obieg::Przenies<TypeParam>(zrodlo, wczytany);

    // In order, duplicates kept.
    TListaWskObiektow &wskazania = wczytany.ListaWskazan();
    ASSERT_EQ(wskazania.IleObiektow(), 4);
    EXPECT_EQ(wskazania.ObiektyListy(0), wczytany.ListaCelow().ObiektyListy(1));
    EXPECT_EQ(wskazania.ObiektyListy(1), &wczytany.Cel(obieg::TListy::Drugi));
    EXPECT_EQ(wskazania.ObiektyListy(2), wczytany.ListaCelow().ObiektyListy(1));
    EXPECT_EQ(wskazania.ObiektyListy(3), wczytany.ListaCelow().ObiektyListy(0));
}

TYPED_TEST_P(ObiegList, APointerListAsTheRootKeepsWhatTheDocumentHolds)
{
    // A pointer list owns nothing, so its document holds none of its targets:
    // neither one elsewhere nor one that only names the list as its parent.
    // It is read back as such, the entries naming what the document lacks left out.
    obieg::TCel poza;
    TListaWskObiektow zrodlo;
    obieg::TCel dziecko(&zrodlo);
    zrodlo.DopiszObiekt(&poza);
    zrodlo.DopiszObiekt(&dziecko);
    zrodlo.DopiszObiekt(&poza);
    TListaWskObiektow wczytana;
    wczytana.DopiszObiekt(&poza);
    obieg::Przenies<TypeParam>(zrodlo, wczytana);

    EXPECT_EQ(wczytana.IleObiektow(), 0);
}

REGISTER_TYPED_TEST_SUITE_P(ObiegList, EveryListComesBackEqual, PointerListsComeBackToTheObjectsRead,
                            APointerListAsTheRootKeepsWhatTheDocumentHolds);
