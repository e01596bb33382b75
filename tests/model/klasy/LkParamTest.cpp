#include "LkParam.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Tells when it is freed.
class TParamLiczony : public TKlasa<TParamLiczony, TLkParamBazowy>
{
public:
    explicit TParamLiczony(bool &p_Zwolniony) : FZwolniony(p_Zwolniony) {}
    ~TParamLiczony() override { FZwolniony = true; }

private:
    bool &FZwolniony;
};

TEST(LkParam, DostepTypowanyIBledyTypu)
{
    const TLkParam param({QStringLiteral("tekst"), 42, int64_t(1) << 40, true, 2.5, TVarRec::Currency(12345),
                          QByteArray("b\xb9k")});
    ASSERT_EQ(param.IleParam(), 7);
    EXPECT_EQ(param.ParamString(0), QStringLiteral("tekst"));
    EXPECT_EQ(param.ParamString(6), QStringLiteral("bąk"));
    EXPECT_EQ(param.ParamInteger(1), 42);
    EXPECT_EQ(param.ParamInt64(2), int64_t(1) << 40);
    EXPECT_TRUE(param.ParamBoolean(3));
    EXPECT_DOUBLE_EQ(param.ParamExtended(4), 2.5);
    EXPECT_DOUBLE_EQ(param.ParamExtended(1), 42.0);
    EXPECT_EQ(param.ParamCurrency(5), 12345);
    EXPECT_EQ(param.ParamCurrency(4), 25000);
    EXPECT_EQ(param.TypParametru(5), TVarRec::TRodzaj::Currency);
    EXPECT_EQ(param.OpisTekstowy(), QStringLiteral("tekst, 42, 1099511627776, Tak, 2.5, 1.23, bąk"));
    EXPECT_EQ(param.ParamWideString(6), QStringLiteral("bąk"));
    // Each kind keeps its variant type.
    const std::pair<int, Variant::TTyp> warianty[] = {{0, Variant::TTyp::String},   {1, Variant::TTyp::Integer},
                                                       {2, Variant::TTyp::Int64},    {3, Variant::TTyp::Boolean},
                                                       {4, Variant::TTyp::Double},   {5, Variant::TTyp::Currency}};
    for (const auto &[nr, typ] : warianty)
        EXPECT_EQ(param.ParamVariant(nr).Typ(), typ) << nr;
    EXPECT_EQ(param.ParamVariant(5).JakoString(), QStringLiteral("1.2345"));
    EXPECT_EQ(param.ParamVariant(6).JakoString(), QStringLiteral("bąk"));

    const std::pair<std::function<void()>, const char *> bledne[] = {
        {[&] { param.ParamInteger(0); }, "błędny typ parametru: 17"},
        {[&] { param.ParamInteger(2); }, "błędny typ parametru: 16"},
        {[&] { param.ParamString(1); }, "błędny typ parametru: 0"},
        {[&] { param.ParamExtended(0); }, "błędny typ parametru: 17"},
        {[&] { param.ParamString(7); }, "błędny nr parametru: 7"},
        {[&] { param.ParamString(-1); }, "błędny nr parametru: -1"},
    };
    for (const auto &[wywolanie, komunikat] : bledne) {
        try {
            wywolanie();
            ADD_FAILURE() << komunikat;
        } catch (const LkException &e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(komunikat));
        }
    }
}

TEST(LkParam, DodajGdyBrakPorownujeWartosci)
{
    TLkParam param({QStringLiteral("a"), 1, 2.5});
    EXPECT_TRUE(param.JestTakiParam(int64_t(1)));
    EXPECT_TRUE(param.JestTakiParam(QByteArray("a")));
    EXPECT_FALSE(param.JestTakiParam(QStringLiteral("A")));
    // A number is not its text.
    EXPECT_FALSE(param.JestTakiParam(QStringLiteral("1")));
    EXPECT_FALSE(param.DodajGdyBrak(2.5));
    EXPECT_TRUE(param.DodajGdyBrak(QStringLiteral("1")));
    EXPECT_EQ(param.IleParam(), 4);
    param.UsunParamNr(0);
    EXPECT_FALSE(param.JestTakiParam(QStringLiteral("a")));
    EXPECT_EQ(param.ParamInteger(0), 1);
}

TEST(LkParam, ZwolnionyGdyOstatniPuszcza)
{
    bool zwolniony = false;
    {
        TWskParam<TParamLiczony> pierwszy(new TParamLiczony(zwolniony));
        TWskParam<TParamLiczony> drugi = pierwszy;
        EXPECT_EQ(pierwszy->RefCount(), 2);
        pierwszy = {};
        EXPECT_FALSE(zwolniony);
    }
    EXPECT_TRUE(zwolniony);

    // An element that is a parameter object goes with its array, or when removed.
    bool elementZwolniony = false;
    bool usunietyZwolniony = false;
    {
        TWskParam<TLkParam> param(new TLkParam({new TParamLiczony(elementZwolniony), 1,
                                                static_cast<TObject *>(new TParamLiczony(usunietyZwolniony))}));
        param->UsunParamNr(2);
        EXPECT_TRUE(usunietyZwolniony);
        EXPECT_FALSE(elementZwolniony);
    }
    EXPECT_TRUE(elementZwolniony);
}

TEST(LkParam, ParametryToDaneObiektuPrzyKopiiIPorownaniu)
{
    bool zwolniony = false;
    auto *element = new TParamLiczony(zwolniony);
    TLkParam param({QStringLiteral("a"), 7, static_cast<TObject *>(element)});
    EXPECT_TRUE(param.MaWartosc(-1));
    EXPECT_FALSE(TLkParam().MaWartosc(-1));

    std::unique_ptr<TObiekt> klon(param.KlonujObiekt());
    auto &kopia = static_cast<TLkParam &>(*klon);
    ASSERT_EQ(kopia.IleParam(), 3);
    EXPECT_EQ(kopia.ParamString(0), QStringLiteral("a"));
    EXPECT_EQ(param.Porownaj(kopia), 0);
    EXPECT_EQ(element->RefCount(), 2) << "the copy holds the element too";

    kopia.UsunParamNr(1);
    EXPECT_EQ(param.Porownaj(kopia), 1) << "more parameters sort after";
    kopia.DolaczParam(8);
    EXPECT_EQ(param.Porownaj(kopia), -1);

    // An empty source leaves the target's parameters unless copying always.
    TLkParam pusty;
    kopia.KopiujDane(pusty, tkpGdyZrodloNiepuste);
    EXPECT_EQ(kopia.IleParam(), 3);
    kopia.KopiujDane(pusty, tkpZawsze);
    EXPECT_EQ(kopia.IleParam(), 0);
    EXPECT_EQ(element->RefCount(), 1);
    EXPECT_FALSE(zwolniony);
}

} // namespace
