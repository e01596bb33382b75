#include "EdycjaDanych.h"
#include "JadroKlas.h"
#include "LkParam.h"
#include "NagrywaczKomunikatow.h"
#include "NazwaPolaNaEkran.h"
#include "Obiekt.h"
#include "PolaTekstowe.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TBaza : public TKlasa<TBaza, TObiekt>
{
public:
    using TKlasa::TKlasa;
};
class TPochodna : public TKlasa<TPochodna, TBaza>
{
public:
    using TKlasa::TKlasa;
};
// Unrelated to the classes above, one of them under a name they use.
const TOpisKlasy OpisObcej = {"TObca", &TObiekt::Opis, nullptr, {}};
const TOpisKlasy OpisObcejBazy = {"TBaza", &TObiekt::Opis, nullptr, {}};

TEST(JadroKlas, RejestrBezWielkosciLiterZostawiaPierwszaKlase)
{
    const TOpisKlasy druga = {"TBAZA", &TObiekt::Opis, nullptr, {}};
    TJadroKlas jadro;
    EXPECT_EQ(jadro.JestKlasaONazwie(QStringLiteral("tlkparam")), &TLkParam::Opis);
    jadro.RejestrujKlasy({&TBaza::Opis, &druga});
    EXPECT_EQ(jadro.JestKlasaONazwie(QStringLiteral("tbaza")), &TBaza::Opis);
    EXPECT_EQ(jadro.JestKlasaONazwie(QStringLiteral("TBAZA")), &TBaza::Opis);
    QStringList znane{QStringLiteral("stare")};
    jadro.DajListeZnanychKlas(znane);
    EXPECT_EQ(znane.count(QStringLiteral("TBaza")), 1);
    EXPECT_FALSE(znane.contains(QStringLiteral("stare")));
    EXPECT_FALSE(znane.contains(QStringLiteral("TBAZA")));

    jadro.WyrejestrujKlase(druga);
    EXPECT_EQ(jadro.JestKlasaONazwie(QStringLiteral("TBaza")), nullptr);
}

TEST(JadroKlas, OpisKlasySprawdzaNumeryPol)
{
    // Descriptors without a C++ class: the core checks their tables when it first describes them.
    using TPola = std::span<const TOpisPola>;
    static constexpr TOpisPola polaZDwojka[] = {{0, "Opis", &TPoleString::Opis}, {0, "Drugi", &TPoleString::Opis}};
    const TOpisKlasy zDwojka = {"TZDwojka", &TObiekt::Opis, nullptr, [] { return TPola(polaZDwojka); }};
    static constexpr TOpisPola polaBazy[] = {{0, "Opis", &TPoleString::Opis}};
    const TOpisKlasy baza = {"TBazaOpisu", &TObiekt::Opis, nullptr, [] { return TPola(polaBazy); }};
    // The same field declared again in a descendant is no second field.
    static constexpr TOpisPola polaPonownie[] = {{0, "opis", &TPoleWideString::Opis}, {2, "Uwagi", &TPoleString::Opis}};
    const TOpisKlasy ponownie = {"TPonownie", &baza, nullptr, [] { return TPola(polaPonownie); }};
    static constexpr TOpisPola polaNaZajetym[] = {{0, "Inne", &TPoleString::Opis}};
    const TOpisKlasy naZajetym = {"TNaZajetym", &baza, nullptr, [] { return TPola(polaNaZajetym); }};
    static constexpr TOpisPola polaZDwiemaNazwami[] = {{1, "Uwagi", &TPoleString::Opis}, {2, "OPIS", &TPoleString::Opis}};
    const TOpisKlasy zDwiemaNazwami = {"TZDwiemaNazwami", &baza, nullptr, [] { return TPola(polaZDwiemaNazwami); }};
    static constexpr TOpisPola polaBezKlasy[] = {{1, "Uwagi", nullptr}};
    const TOpisKlasy bezKlasy = {"TBezKlasyPola", &baza, nullptr, [] { return TPola(polaBezKlasy); }};

    TJadroKlas jadro;
    EXPECT_EQ(jadro.TypPolaKlasy(ponownie, 0), &TPoleWideString::Opis);
    EXPECT_EQ(jadro.TypPolaKlasy(ponownie, 1), nullptr);
    EXPECT_EQ(jadro.TypPolaKlasy(ponownie, 2), &TPoleString::Opis);
    EXPECT_EQ(jadro.JestKlasaONazwie(QStringLiteral("TPonownie")), &ponownie);

    for (const auto &[klasa, pole] :
         {std::pair{&zDwojka, "Drugi"}, std::pair{&naZajetym, "Opis"}, std::pair{&zDwiemaNazwami, "OPIS"},
          std::pair{&bezKlasy, "Uwagi"}}) {
        try {
            jadro.OpisKlasy(*klasa);
            ADD_FAILURE() << klasa->Nazwa;
        } catch (const LkException &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Błąd generowania opisu klasy %1 dla pola %2: Błąd dodania właściwości")
                                       .arg(klasa->ClassName(), QLatin1String(pole)));
        }
        EXPECT_EQ(jadro.JestKlasaONazwie(klasa->ClassName()), nullptr);
    }
}

class IUsluga : public virtual IInterfejs
{
public:
    static constexpr char IID[] = "{3F2A0C51-7D4B-4E0A-9C1E-5B6A7D8E9F01}";
    virtual int Numer() const = 0;
};
class IInna : public virtual IInterfejs
{
public:
    static constexpr char IID[] = "{0B1C2D3E-4F50-4617-8293-A4B5C6D7E8F9}";
};
class TUsluga : public IUsluga
{
public:
    explicit TUsluga(int p_Numer) : FNumer(p_Numer) {}
    int Numer() const override { return FNumer; }

private:
    int FNumer;
};
// An interface backed by a persistent object.
class TObiektZUsluga : public TKlasa<TObiektZUsluga, TObiekt>, public IUsluga
{
public:
    int Numer() const override { return 0; }
};

TEST(JadroKlas, OstatnioZarejestrowanyInterfejsOdpowiadaPierwszy)
{
    TJadroKlas jadro;
    auto pierwsza = std::make_shared<TUsluga>(1);
    auto druga = std::make_shared<TUsluga>(2);
    jadro.RejestrujInterfejs(pierwsza);
    jadro.RejestrujInterfejs(druga);
    jadro.RejestrujInterfejs(pierwsza);
    jadro.RejestrujInterfejs(std::make_shared<TObiektZUsluga>());
    EXPECT_EQ(jadro.NazwyObImplInt(), (QStringList{QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("TObiektZUsluga")}));
    EXPECT_TRUE(jadro.WyrejestrujInterfejs(jadro.DajInterfejsLubBlad<IUsluga>()));

    std::shared_ptr<IUsluga> usluga;
    ASSERT_TRUE(jadro.DajInterfejs(usluga));
    EXPECT_EQ(usluga->Numer(), 2);
    // A variable that already holds one is left alone.
    usluga = pierwsza;
    jadro.DajInterfejsGdyBrak(usluga);
    EXPECT_EQ(usluga->Numer(), 1);

    EXPECT_TRUE(jadro.WyrejestrujInterfejs(druga));
    EXPECT_FALSE(jadro.WyrejestrujInterfejs(druga));
    EXPECT_EQ(jadro.DajInterfejsLubBlad<IUsluga>()->Numer(), 1);
}

TEST(JadroKlas, BrakInterfejsuWgMaski)
{
    TJadroKlas jadro;
    jadro.RejestrujInterfejs(std::make_shared<TUsluga>(1));
    std::shared_ptr<IInna> inna;
    EXPECT_FALSE(jadro.DajInterfejs(inna));
    const QString iid = QString::fromLatin1(IInna::IID);
    const std::pair<QString, QString> przypadki[] = {
        {QString(), QStringLiteral("brak interfejsu ") + iid},
        {QStringLiteral("Nie ma %s w programie"), QStringLiteral("Nie ma ") + iid + QStringLiteral(" w programie")},
        {QStringLiteral("Brak usługi"), QStringLiteral("Brak usługi ") + iid},
    };
    for (const auto &[maska, komunikat] : przypadki) {
        try {
            jadro.DajInterfejsLubBlad<IInna>(maska);
            ADD_FAILURE() << maska.toStdString();
        } catch (const LkException &e) {
            EXPECT_EQ(e.Message(), komunikat);
        }
    }
}

TEST(JadroKlas, ZakonczenieZglaszaIZwalniaPozostaleInterfejsy)
{
    auto usluga = std::make_shared<TUsluga>(7);
    const std::weak_ptr<TUsluga> slaba = usluga;
    DajJadroKlas().RejestrujInterfejs(usluga);
    DajJadroKlas().RejestrujInterfejs(std::make_shared<TObiektZUsluga>());
    usluga.reset();

    TNagrywaczKomunikatow nagrywacz;
    ZakonczJadroKlas(QStringLiteral("/opt/ostrevia/bin/ostrevia"));
    ASSERT_EQ(nagrywacz.Komunikaty().size(), 1u);
    EXPECT_EQ(nagrywacz.Komunikaty()[0].Tekst, QStringLiteral("UWAGA!\rNiewyrejestrowane interfejsy z jądra:\r?\rTObiektZUsluga"));
    EXPECT_TRUE(slaba.expired());
    // A fresh core comes with the next use.
    EXPECT_EQ(DajJadroKlas().JestKlasaONazwie(QStringLiteral("TLkParam")), &TLkParam::Opis);
}

TEST(JadroKlas, NazwaPolaNaEkran)
{
    const std::pair<const char *, const char *> przypadki[] = {
        {"DataWystawieniaDokumentu", "Data wystawienia dokumentu"},
        {"NrPozycjiTowaru", "Nr pozycji towaru"},
        {"Kod_CN", "Kod CN"},
    };
    TJadroKlas jadro;
    for (const auto &[nazwa, naEkran] : przypadki)
        EXPECT_EQ(jadro.NazwaPolaNaEkran(QLatin1String(nazwa)), QLatin1String(naEkran)) << nazwa;
}

TEST(JadroKlas, EdycjaSzukaFunkcjiWGoreDoKlasyGranicznej)
{
    TPochodna obiekt;
    TWskParam<TLkParam> param(new TLkParam({1}));
    int refCountWFunkcji = 0;
    bool podgladWFunkcji = false;
    DajJadroKlas().RejestrujFunEdycji(TBaza::Opis, [&](TPole &p_Pole, bool p_Podglad, TObiektBazowy *p_Param) {
        podgladWFunkcji = p_Podglad;
        refCountWFunkcji = static_cast<TLkParam *>(p_Param)->RefCount();
        return &p_Pole == &obiekt;
    });
    // By default only the field's own class is asked.
    EXPECT_FALSE(EdytujDane(obiekt, true, param.get()));
    EXPECT_TRUE(EdytujDane(obiekt, true, param.get(), &TObiekt::Opis));
    EXPECT_TRUE(podgladWFunkcji);
    EXPECT_EQ(refCountWFunkcji, 2);
    EXPECT_EQ(param->RefCount(), 1);

    GlobalnaFunEdycji = [](TPole &, bool, TObiektBazowy *p_Param) {
        return static_cast<TLkParam *>(p_Param)->ParamString(0) == QStringLiteral("x");
    };
    EXPECT_TRUE(EdytujDane(obiekt, {QStringLiteral("x")}));
    GlobalnaFunEdycji = nullptr;

    DajJadroKlas().RejestrujFunEdycji(TBaza::Opis, {});
    TFunEdycji fun;
    EXPECT_FALSE(DajJadroKlas().JestFunEdycji(TBaza::Opis, fun));
    EXPECT_FALSE(EdytujDane(obiekt, false, nullptr, &TObiekt::Opis));
    DajJadroKlas().WyrejestrujKlase(TBaza::Opis);
}

TEST(JadroKlas, TypDanychWgZarejestrowanychKlas)
{
    struct TPrzypadek
    {
        const TOpisKlasy *Rejestrowana;
        const char *Typ;
        bool BazaCzyta;
        bool PochodnaCzyta;
    };
    const TPrzypadek przypadki[] = {
        // an unregistered descendant is no type of the base; a registered one is
        {nullptr, "TPochodna", false, true},
        {&TPochodna::Opis, "tpochodna", true, true},
        // an ancestor's name counts while no other class holds it
        {nullptr, "TBaza", true, true},
        {&OpisObcejBazy, "TBaza", true, false},
        {&OpisObcej, "TObca", false, false},
        {nullptr, "TObiekt", true, true},
    };
    const TBaza baza;
    const TPochodna pochodna;
    for (const TPrzypadek &p : przypadki) {
        if (p.Rejestrowana) {
            DajJadroKlas().RejestrujKlase(*p.Rejestrowana);
            ASSERT_EQ(DajJadroKlas().JestKlasaONazwie(QLatin1String(p.Typ)), p.Rejestrowana);
        }
        EXPECT_EQ(baza.MoznaCzytacDaneTypu(QLatin1String(p.Typ)), p.BazaCzyta) << p.Typ;
        EXPECT_EQ(pochodna.MoznaCzytacDaneTypu(QLatin1String(p.Typ)), p.PochodnaCzyta) << p.Typ;
        if (p.Rejestrowana)
            DajJadroKlas().WyrejestrujKlase(*p.Rejestrowana);
    }
}

} // namespace
