#include "Obiekt.h"

#include "DatyICzasy.h"
#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "ParsowanieTekstu.h"
#include "PolaDatyICzasu.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"

#include <limits>

namespace {

// Where a loose value's field is: a field of some object, a field that cannot
// have a value because the sub-object on the way is not there yet, or nothing
// (an unknown name or number, a pointer without target on the way).
struct TPoleCechy
{
    enum TStan { Jest, Puste, Brak };
    TStan Stan = Brak;
    const TObiekt *Obiekt = nullptr;
    int16_t Nr = -1;

    const TPole *ZWartoscia() const
    {
        return Stan == Jest && Obiekt->MaWartosc(Nr) ? Obiekt->PoleJesliJest(Nr) : nullptr;
    }
};

[[noreturn]] void BlednyTypPola(const char *p_Kontekst, const QString &p_Sciezka)
{
    throw LkException(Format(QStringLiteral("%s: Błędny typ pola %s"), {QString::fromLatin1(p_Kontekst), p_Sciezka}));
}

// A field by number, or by a path whose steps go through sub-objects and pointer targets.
TPoleCechy ZnajdzPoleCechy(const TObiekt &p_Obiekt, const TVarRec &p_Pole, const char *p_KontekstPola,
                           const char *p_KontekstIndeksu)
{
    if (p_Pole.JestCalkowita()) {
        const int64_t nr = p_Pole.JakoInt64();
        if (nr < 0 || nr > std::numeric_limits<int16_t>::max() || !p_Obiekt.TypPolaNr(static_cast<int16_t>(nr)))
            return {};
        return {TPoleCechy::Jest, &p_Obiekt, static_cast<int16_t>(nr)};
    }
    if (!p_Pole.JestTekstem())
        throw LkException(
            Format(QStringLiteral("%s: Błędny typ indeksu"), {QString::fromLatin1(p_KontekstIndeksu)}));
    const QString sciezka = p_Pole.JakoString();
    const TObiekt *obiekt = &p_Obiekt;
    qsizetype poczatek = 0;
    for (;;) {
        const qsizetype kropka = sciezka.indexOf(QLatin1Char('.'), poczatek);
        const int16_t nr = obiekt->NrPolaONazwie(sciezka.mid(poczatek, kropka < 0 ? -1 : kropka - poczatek));
        if (nr < 0)
            return {};
        if (kropka < 0)
            return {TPoleCechy::Jest, obiekt, nr};
        const TOpisKlasy *klasa = obiekt->TypPolaNr(nr);
        const TPole *pole = obiekt->PoleJesliJest(nr);
        // A field plugged in may be of another kind than the class declares.
        if (klasa && klasa->DziedziczyPo(TObiekt::Opis)) {
            if (!pole)
                return {TPoleCechy::Puste, nullptr, -1};
            obiekt = dynamic_cast<const TObiekt *>(pole);
            if (!obiekt)
                BlednyTypPola(p_KontekstPola, sciezka);
        } else if (klasa && klasa->DziedziczyPo(TPoleWskObiektu::Opis)) {
            const auto *wskaznik = dynamic_cast<const TPoleWskObiektu *>(pole);
            const TObiektBazowy *cel = wskaznik && obiekt->MaWartosc(nr) ? wskaznik->Wartosc() : nullptr;
            if (!cel)
                return {};
            obiekt = dynamic_cast<const TObiekt *>(cel);
            if (!obiekt)
                BlednyTypPola(p_KontekstPola, sciezka);
        } else {
            BlednyTypPola(p_KontekstPola, sciezka);
        }
        poczatek = kropka + 1;
    }
}

// What a field without a value matches: the empty or zero value of the element's kind.
bool JestZeremSwojegoRodzaju(const TVarRec &p_Cecha)
{
    switch (p_Cecha.Rodzaj()) {
    case TVarRec::TRodzaj::Extended:
        return p_Cecha.JakoDouble() == 0;
    case TVarRec::TRodzaj::String:
        return p_Cecha.JakoString().isEmpty();
    case TVarRec::TRodzaj::AnsiString:
        return p_Cecha.JakoBajty().isEmpty();
    case TVarRec::TRodzaj::Char:
        return p_Cecha.JakoString().isEmpty() || p_Cecha.JakoString().front().isNull();
    case TVarRec::TRodzaj::Object:
        return p_Cecha.JakoObiekt() == nullptr;
    default:
        return p_Cecha.JakoInt64() == 0;
    }
}

// A date field also matches a text that denotes its value: as a date and time,
// or as a number of days.
bool TekstOznaczaDate(const QString &p_Tekst, double p_Wartosc)
{
    bool liczba = false;
    const double dni = p_Tekst.trimmed().toDouble(&liczba);
    if (liczba)
        return dni == p_Wartosc;
    try {
        return ParsujDateCzas(p_Tekst, nullptr) == p_Wartosc;
    } catch (const Exception &) {
        return false;
    }
}

bool PoleMaCecheLubJejTekst(const TPole &p_Pole, const TVarRec &p_Cecha, bool p_BezWielkosci, uint32_t p_LocaleID)
{
    if (p_Pole.PoleMaCeche(p_Cecha, p_BezWielkosci, p_LocaleID))
        return true;
    if (!p_Cecha.JestTekstem())
        return false;
    if (const auto *data = dynamic_cast<const TPoleDateTimeBazowe *>(&p_Pole))
        return TekstOznaczaDate(p_Cecha.JakoString(), data->Wartosc);
    if (const auto *logiczne = dynamic_cast<const TPoleBoolean *>(&p_Pole)) {
        const std::optional<bool> wartosc = SprobujTekstNaBoolean(TekstNaPolskiAnsi(p_Cecha.JakoString()));
        return wartosc && *wartosc == logiczne->Wartosc;
    }
    return false;
}

// A field without a value, compared as an empty variant by the base rule.
class TPoleBezWartosci : public TKlasa<TPoleBezWartosci, TPole>
{
public:
    Variant GetJakoVariant() const override { return {}; }
    void ZerujDane() override {}
};

} // namespace

bool TObiekt::MaCechy(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                      TRozmiarLiter p_RozmLiter, uint32_t p_LocaleID) const
{
    const size_t ile = std::min(p_JakiePola.size(), p_JakieWartosci.size());
    for (size_t i = 0; i < ile; ++i) {
        const TPoleCechy pole = ZnajdzPoleCechy(*this, p_JakiePola[i], "PMC", "OMC");
        if (pole.Stan == TPoleCechy::Brak)
            return false;
        const TPole *zWartoscia = pole.ZWartoscia();
        const bool pasuje = zWartoscia ? PoleMaCecheLubJejTekst(*zWartoscia, p_JakieWartosci[i],
                                                                p_RozmLiter == rlRozmLiterNiewazny, p_LocaleID)
                                       : JestZeremSwojegoRodzaju(p_JakieWartosci[i]);
        if (!pasuje)
            return false;
    }
    return true;
}

int16_t TObiekt::PorownajCechy(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                               TRozmiarLiter p_RozmLiter, uint32_t p_LocaleID) const
{
    static const TPoleBezWartosci bezWartosci;
    const size_t ile = std::min(p_JakiePola.size(), p_JakieWartosci.size());
    for (size_t i = 0; i < ile; ++i) {
        const TPole *pole = ZnajdzPoleCechy(*this, p_JakiePola[i], "PPONZC", "POC").ZWartoscia();
        const TPole &porownywane = pole ? *pole : bezWartosci;
        if (const int16_t wynik =
                porownywane.PorownajZCecha(p_JakieWartosci[i], p_RozmLiter == rlRozmLiterNiewazny, p_LocaleID))
            return wynik;
    }
    return 0;
}

bool TObiekt::PolaMajaWartosc(const TArrayOfConst &p_KtorePola, TKtorychPolDotyczy p_Ktorych) const
{
    const std::vector<int16_t> nry = NryPol(p_KtorePola, "PolaMajaWartosc");
    const auto zWartoscia = std::count_if(nry.begin(), nry.end(), [this](int16_t p_Nr) { return MaWartosc(p_Nr); });
    switch (p_Ktorych) {
    case kpdKtoregokolwiek:
        return zWartoscia > 0;
    case kpdDokladnieJednego:
        return zWartoscia == 1;
    case kpdWszystkich:
        break;
    }
    return zWartoscia == static_cast<std::ptrdiff_t>(nry.size());
}

bool TObiekt::PolaPusteOprocz(const TArrayOfConst &p_PominPola) const
{
    for (const int16_t nr : NryPolOprocz(p_PominPola, "PolaPusteOprocz"))
        if (MaWartosc(nr))
            return false;
    return true;
}

bool TObiekt::SaJakiesDane() const
{
    for (int16_t nr = 0; nr <= OstatniNrPola(); ++nr) {
        const TPole *pole = PoleJesliJest(nr);
        if (!pole)
            continue;
        if (const auto *podobiekt = dynamic_cast<const TObiekt *>(pole)) {
            if (podobiekt->SaJakiesDane())
                return true;
        } else if (const auto *inny = dynamic_cast<const TObiektBazowy *>(pole)) {
            if (inny->MaWartosc(-1))
                return true;
        } else if (Bit(nr) && !pole->MaDefWartosc()) {
            return true;
        }
    }
    return false;
}
