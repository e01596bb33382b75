#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The short form: the class named once, three fields.
class TOsoba : public TKlasa<TOsoba, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Imie", &TPoleString::Opis}, {1, "Wiek", &TPoleByte::Opis}, {2, "Aktywna", &TPoleBoolean::Opis}};
};

// A descendant adds its fields after its parent's and may declare a parent's field again.
class TPracownik : public TKlasa<TPracownik, TOsoba>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{1, "wiek", &TPoleByte::Opis}, {3, "Dzial", &TPoleString::Opis}};
};

// Derived without declaring itself: it would be a TOsoba in all but its C++ type.
class TZapomniana : public TOsoba
{
};

TEST(Klasa, DeklaracjaDajeOpisFabrykeIPola)
{
    EXPECT_STREQ(TOsoba::Opis.Nazwa, "TOsoba");
    EXPECT_STREQ(TPoleByte::Opis.Nazwa, "TPoleByte");
    EXPECT_EQ(TOsoba::Opis.Rodzic, &TObiekt::Opis);
    EXPECT_EQ(TPracownik::Opis.Rodzic, &TOsoba::Opis);

    TPracownik pracownik;
    EXPECT_EQ(&pracownik.Klasa(), &TPracownik::Opis);
    EXPECT_EQ(pracownik.RozmPolaNr(-1), 3);
    EXPECT_EQ(pracownik.NazwaPolaNr(1), QStringLiteral("wiek"));
    EXPECT_EQ(pracownik.NrPolaONazwie(QStringLiteral("DZIAL")), 3);

    // The virtual constructor hands the parent to an object built without one.
    std::unique_ptr<TPole> nowy(TPracownik::Opis.Tworz(&pracownik));
    ASSERT_EQ(&nowy->Klasa(), &TPracownik::Opis);
    EXPECT_EQ(static_cast<TPracownik &>(*nowy).Rodzic(), &pracownik);
    EXPECT_TRUE(pracownik.MaRefOd(nowy.get()));
}

TEST(Klasa, PoleTypowaneSprawdzaKlase)
{
    TOsoba osoba;
    osoba.Pole<TPoleString>(0).Wartosc = QStringLiteral("Jan");
    osoba.Pole<TPoleByte>(1).Wartosc = 42;
    EXPECT_EQ(osoba.Pola(0).GetJakoString(), QStringLiteral("Jan"));
    EXPECT_EQ(osoba.Pole<TPoleCalkowitoliczbowe>(1).JakoInt64(), 42) << "an ancestor class fits too";
    EXPECT_THROW(osoba.Pole<TPoleBoolean>(0), LkException);
    try {
        osoba.Pole<TPoleString>(2);
        ADD_FAILURE();
    } catch (const LkException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TOsoba: Błędny typ pola Aktywna"));
    }
}

// A class that answers TypPolaNr itself is asked, and gets its field where
// its table has no place for that class.
class TZWlasnymTypem : public TKlasa<TZWlasnymTypem, TOsoba>
{
public:
    const TOpisKlasy *TypPolaNr(int16_t p_Nr) const override
    {
        return p_Nr == 1 ? &TPoleString::Opis : TOsoba::TypPolaNr(p_Nr);
    }
};

TEST(Klasa, WlasnyTypPolaNrJestPytany)
{
    static_assert(KlasyModelu::TypyPolZTabeli<TPracownik>());
    static_assert(!KlasyModelu::TypyPolZTabeli<TZWlasnymTypem>());
    TZWlasnymTypem obiekt;
    obiekt.UstawPole<TPoleString>(1, QStringLiteral("czterdzieści"));
    obiekt.UstawPole<TPoleString>(0, QStringLiteral("Jan"));
    EXPECT_EQ(obiekt.Tekstowo(1), QStringLiteral("czterdzieści"));
    EXPECT_EQ(obiekt.Tekstowo(0), QStringLiteral("Jan"));
    EXPECT_THROW(obiekt.Pole<TPoleByte>(1), LkException);
    std::unique_ptr<TObiekt> kopia(obiekt.KlonujObiekt());
    EXPECT_EQ(kopia->Tekstowo(1), QStringLiteral("czterdzieści"));
    EXPECT_EQ(obiekt.Porownaj(*kopia), 0);
}

// Forgetting the declaration fails at the first question about the class,
// not silently as the parent class.
TEST(Klasa, KlasaBezDeklaracjiZglaszaSiePrzyPierwszymUzyciu)
{
    static_assert(JestZadeklarowana<TOsoba>());
    static_assert(!JestZadeklarowana<TZapomniana>());

    TZapomniana zapomniana;
    try {
        zapomniana.Klasa();
        ADD_FAILURE();
    } catch (const LkException &e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Klasa "))) << e.what();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("TZapomniana"))) << e.what();
        EXPECT_TRUE(e.Message().endsWith(QStringLiteral("wzięłyby opis klasy TOsoba"))) << e.what();
    }
    EXPECT_THROW(zapomniana.UstawTekstowo(0, QStringLiteral("Jan")), LkException);
    EXPECT_THROW(std::unique_ptr<TObiekt>(zapomniana.KlonujObiekt()), LkException);
}

// Field tables TKlasa refuses to compile, checked here through the same trait.
template <const TOpisPola *TPola, std::size_t Ile, typename TRodzic = TOsoba> struct TTabela
{
    using Baza = TRodzic;
    static constexpr std::span<const TOpisPola> PolaKlasy{TPola, Ile};
};
template <typename TTab> constexpr bool poprawna = PolaKlasyPoprawne<TTab>;

constexpr TOpisPola Dobre[] = {{3, "Dzial", &TPoleString::Opis}, {4, "Pensja", &TPoleString::Opis}};
constexpr TOpisPola ZLuka[] = {{4, "Dzial", &TPoleString::Opis}};
constexpr TOpisPola WZlejKolejnosci[] = {{4, "Dzial", &TPoleString::Opis}, {3, "Pensja", &TPoleString::Opis}};
constexpr TOpisPola DwaRazyNumer[] = {{3, "Dzial", &TPoleString::Opis}, {3, "Pensja", &TPoleString::Opis}};
constexpr TOpisPola NazwaRodzica[] = {{3, "IMIE", &TPoleString::Opis}};
constexpr TOpisPola DwaRazyNazwa[] = {{3, "Dzial", &TPoleString::Opis}, {4, "dzial", &TPoleString::Opis}};
constexpr TOpisPola PoleRodzicaPodInnaNazwa[] = {{0, "Nazwisko", &TPoleString::Opis}};
constexpr TOpisPola OdZera[] = {{0, "Imie", &TPoleString::Opis}};

static_assert(poprawna<TTabela<Dobre, 2>>);
static_assert(poprawna<TTabela<OdZera, 1, TObiekt>>, "a class without ancestors' fields starts at 0");
static_assert(poprawna<TTabela<OdZera, 1>>, "the parent's field declared again under its name");
static_assert(!poprawna<TTabela<ZLuka, 1>>);
static_assert(!poprawna<TTabela<WZlejKolejnosci, 2>>);
static_assert(!poprawna<TTabela<DwaRazyNumer, 2>>);
static_assert(!poprawna<TTabela<NazwaRodzica, 1>>);
static_assert(!poprawna<TTabela<DwaRazyNazwa, 2>>);
static_assert(!poprawna<TTabela<PoleRodzicaPodInnaNazwa, 1>>);

} // namespace
