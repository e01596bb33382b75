// Controls bound to a field's features: the check box's values, the
// requirement's reason in the tooltip, read-only and hidden features, the
// observers, and a persistent object's fields written and read through them.
#include "LkCheckBox.h"
#include "LkEdit.h"
#include "LkKontrolkaEdycjiCheckBox.h"
#include "LkKontrolkaEdycjiEdit.h"
#include "OknaTestowe.h"
#include "Obiekt.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"
#include "PowiazaniePola.h"
#include "Wyjatki.h"

namespace {

class TZgodaTestowa : public TKlasa<TZgodaTestowa, TObiekt>
{
public:
    enum : int16_t { Nazwa, Zgoda };
    static constexpr TOpisPola PolaKlasy[] = {{Nazwa, "Nazwa", &TPoleString::Opis},
                                              {Zgoda, "Zgoda", &TPoleBoolean::Opis}};
    using TKlasa::TKlasa;
};

TCechaPola wymagalnosc(int p_Kod, QString p_Uwaga = QString(), QString p_Pole = QString())
{
    QVector<Variant> tablica{Variant::ZInteger(p_Kod)};
    if (!p_Uwaga.isEmpty() || !p_Pole.isEmpty())
        tablica << Variant::ZString(p_Uwaga);
    if (!p_Pole.isEmpty())
        tablica << Variant::ZString(p_Pole);
    return TCechaPola(tcpWymagalnosc, tablica);
}

} // namespace

TEST_F(TestGUI, ACheckBoxReadsNullWhenItHasNoValueAndGrayedWhenNullIsWritten)
{
    TLkCheckBox dwustanowy, trojstanowy;
    trojstanowy.setTristate(true);
    auto &a = dwustanowy.KontrolkaEdycji();
    auto &b = trojstanowy.KontrolkaEdycji();
    EXPECT_TRUE(a.DajWartoscKontrolki().JestNull());
    EXPECT_EQ(b.DajWartoscKontrolki(), Variant::ZBoolean(false));
    dwustanowy.setChecked(true);
    EXPECT_EQ(a.DajWartoscKontrolki(), Variant::ZBoolean(true));
    b.UstawWartoscKontrolki(Variant::Null());
    EXPECT_EQ(trojstanowy.checkState(), Qt::PartiallyChecked);
    EXPECT_TRUE(b.DajWartoscKontrolki().JestNull());
    a.UstawWartoscKontrolki(Variant::Null());
    EXPECT_EQ(dwustanowy.checkState(), Qt::Unchecked);
}

TEST_F(TestGUI, TheRequirementsReasonReadsAsTheFieldSaysIt)
{
    struct
    {
        bool Krytyczne;
        TCechaPola Cecha;
        QString Powod;
    } const przypadki[] = {
        {true, wymagalnosc(1), QStringLiteral("pole jest bezwzględnie wymagane")},
        {true, wymagalnosc(2), QStringLiteral("pole jest zabronione")},
        {false, wymagalnosc(1, QStringLiteral("xyz"), QStringLiteral("Nazwa")),
         QStringLiteral("Nazwa: pole jest wymagane - xyz")},
    };
    for (const auto &p : przypadki) {
        TLkEdit edit;
        TLkKontrolkaEdycjiEdit adapter(&edit);
        adapter.ZastosujCechePola(TCechaPola(tcpPoleKrytyczne, Variant::ZBoolean(p.Krytyczne)));
        adapter.ZastosujCechePola(p.Cecha);
        EXPECT_EQ(adapter.PowodWymagalnosci(), p.Powod);
        EXPECT_EQ(edit.Wymagalnosc(), p.Cecha.Wartosc().JakoInt64());
    }
}

TEST_F(TestGUI, ARequiredReasonShowsOnlyWhileEmptyAndAForbiddenOneAlways)
{
    TLkEdit edit;
    edit.setToolTip(QStringLiteral(" Nazwa towaru "));
    TLkKontrolkaEdycjiEdit adapter(&edit);
    TCechyPola cechy;
    cechy.Cechy << TCechaPola(tcpOpis, Variant::ZString(QStringLiteral("do 35 znaków"))) << wymagalnosc(1);
    adapter.ZastosujCechyPol(cechy);
    EXPECT_EQ(edit.toolTip(), QStringLiteral("Nazwa towaru\n\ndo 35 znaków\n\n* pole jest wymagane"));
    edit.setText(QStringLiteral("Śruby"));
    EXPECT_EQ(edit.toolTip(), QStringLiteral("Nazwa towaru\n\ndo 35 znaków"));
    adapter.ZastosujCechePola(wymagalnosc(2));
    EXPECT_TRUE(adapter.WidocznyPowodWymagalnosci());
    // A source without a requirement takes it away.
    adapter.ZastosujCechyPol(TCechyPola());
    EXPECT_EQ(edit.Wymagalnosc(), wBrak);
    EXPECT_FALSE(adapter.WidocznyPowodWymagalnosci());
}

TEST_F(TestGUI, ReadOnlyComesLastHiddenHidesAndIgnoredKindsAreSkipped)
{
    QWidget okno;
    auto *chb = new TLkCheckBox(&okno);
    okno.show();
    auto &adapter = chb->KontrolkaEdycji();
    TCechyPola cechy;
    cechy.Cechy << TCechaPola(tcpTylkoDoOdczytu, Variant::ZBoolean(true)) << wymagalnosc(2)
                << TCechaPola(tcpNiewidoczne, Variant::ZBoolean(true));
    adapter.ZastosujCechyPol(cechy);
    EXPECT_FALSE(chb->isEnabled());
    EXPECT_FALSE(chb->isVisible());
    EXPECT_EQ(chb->Wymagalnosc(), wZabronione);

    TLkCheckBox drugi;
    auto &ignorujacy = drugi.KontrolkaEdycji();
    TTypyCechPola ignorowane;
    ignorowane.set(tcpWymagalnosc);
    ignorujacy.UstawIgnorowaneTypyCech(ignorowane);
    ignorujacy.ZastosujCechyPol(cechy);
    EXPECT_EQ(drugi.Wymagalnosc(), wBrak);
    // In preview the read-only feature is not applied.
    TLkCheckBox trzeci;
    trzeci.KontrolkaEdycji().UstawPodglad(true);
    trzeci.KontrolkaEdycji().ZastosujCechyPol(cechy);
    EXPECT_TRUE(trzeci.isEnabled());
}

TEST_F(TestGUI, UnknownFeatureKindsAreRefusedByName)
{
    TLkCheckBox chb;
    chb.setObjectName(QStringLiteral("chbZgoda"));
    auto &adapter = chb.KontrolkaEdycji();
    const std::pair<int, QString> przypadki[] = {
        {100, QStringLiteral("nieobsługiwana cecha tcpTypDanych w kontrolce chbZgoda")},
        {9, QStringLiteral("nieznana nazwa typu cechy pola: 9")},
        {128 + 120, QStringLiteral("nieobsługiwana cecha tcpRoleUC w kontrolce chbZgoda")},
    };
    for (const auto &[typ, komunikat] : przypadki) {
        try {
            adapter.ZastosujCechePola(TCechaPola(static_cast<uint8_t>(typ), Variant::ZBoolean(true)));
            ADD_FAILURE() << typ;
        } catch (const LkException &e) {
            EXPECT_EQ(e.Message(), komunikat);
        }
    }
    EXPECT_THROW(adapter.ZmienionoDanePol({}), LkException);
}

TEST_F(TestGUI, AClickTellsTheObserversOnce)
{
    struct TObserwator : IObserwatorLkKontrolkiEdycji
    {
        QVector<Variant> Wartosci;
        void ZmienionoDaneKontrolki(ILkKontrolkaEdycji &p_Kontrolka) override
        {
            Wartosci << p_Kontrolka.DajWartoscKontrolki();
        }
    } obserwator;
    TLkCheckBox chb;
    chb.KontrolkaEdycji().DodajObserwatora(&obserwator);
    chb.click();
    chb.click();
    EXPECT_EQ(obserwator.Wartosci, (QVector<Variant>{Variant::ZBoolean(true), Variant::Null()}));
    chb.KontrolkaEdycji().UsunObserwatora(&obserwator);
    chb.click();
    EXPECT_EQ(obserwator.Wartosci.size(), 2);
}

TEST_F(TestGUI, BoundControlsWriteIntoTheObjectsFieldsAndShowThem)
{
    TZgodaTestowa obiekt;
    obiekt.UstawTekstowo(TZgodaTestowa::Nazwa, QStringLiteral("Pierwsza"));
    TLkEdit edit;
    TLkCheckBox chb;
    TLkKontrolkaEdycjiEdit adapter(&edit);
    TPowiazaniePola nazwa(adapter, obiekt, QStringLiteral("Nazwa"));
    TPowiazaniePola zgoda(chb.KontrolkaEdycji(), obiekt, QStringLiteral("Zgoda"));
    nazwa.Wczytaj();
    zgoda.Wczytaj();
    EXPECT_EQ(edit.text(), QStringLiteral("Pierwsza"));
    EXPECT_FALSE(chb.isChecked());
    EXPECT_FALSE(obiekt.MaWartosc(TZgodaTestowa::Zgoda)) << "reading the field wrote nothing back";

    edit.setText(QStringLiteral("Druga"));
    chb.click();
    EXPECT_EQ(obiekt.Tekstowo(TZgodaTestowa::Nazwa), QStringLiteral("Druga"));
    EXPECT_TRUE(obiekt.Variantowo(TZgodaTestowa::Zgoda).JakoBoolean());
    edit.clear();
    EXPECT_FALSE(obiekt.MaWartosc(TZgodaTestowa::Nazwa)) << "an empty box clears the field";
    EXPECT_THROW(TPowiazaniePola(adapter, obiekt, QStringLiteral("Brak")), LkException);
}
