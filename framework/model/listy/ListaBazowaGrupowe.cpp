#include "ListaBazowa.h"

#include "BlokadaObiektu.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PorownanieTekstow.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace {

// Field p_Pole (a number, or a path from the item) of an item, when it has a
// value; an object the path ends at stands for itself. Nothing is created.
const TPole *PoleElementu(const TObiektBazowy *p_Obiekt, const TVarRec &p_Pole)
{
    auto *obiekt = dynamic_cast<TObiekt *>(const_cast<TObiektBazowy *>(p_Obiekt));
    if (!obiekt)
        return nullptr;
    if (p_Pole.JestCalkowita()) {
        const auto nr = static_cast<int16_t>(p_Pole.JakoInt64());
        return obiekt->MaWartosc(nr) ? obiekt->PoleJesliJest(nr) : nullptr;
    }
    if (!p_Pole.JestTekstem())
        throw LkException(Format(QStringLiteral("%s: Błędny typ indeksu"), {QStringLiteral("PE")}));
    int16_t nr = -2;
    TObiektBazowy *wlasciciel = obiekt->ObiektIPole(p_Pole.JakoString(), nr, false);
    if (!wlasciciel)
        return nullptr;
    if (nr == -1)
        return wlasciciel->MaWartosc(-1) ? wlasciciel : nullptr;
    const auto *zPolami = dynamic_cast<const TObiekt *>(wlasciciel);
    return zPolami && zPolami->MaWartosc(nr) ? zPolami->PoleJesliJest(nr) : nullptr;
}

double LiczbaPola(const TPole &p_Pole)
{
    if (const auto *liczba = dynamic_cast<const TPoleNumeryczne *>(&p_Pole))
        return liczba->JakoDouble();
    return p_Pole.GetJakoVariant().JakoDouble();
}

int64_t CurrencyPola(const TPole &p_Pole)
{
    if (const auto *kwota = dynamic_cast<const TPoleCurrency *>(&p_Pole))
        return kwota->Wartosc;
    return std::llround(LiczbaPola(p_Pole) * 10000.0);
}

// Calls p_Fun with every item's field that has a value.
template <typename F> void DlaPol(const TListaBazowa &p_Lista, const TVarRec &p_Pole, F p_Fun)
{
    TBlokadaObiektu blokada(&p_Lista);
    for (int i = 0; i < p_Lista.IleObiektow(); ++i)
        if (const TPole *pole = PoleElementu(p_Lista.ObiektyListy(i), p_Pole))
            p_Fun(i, *pole);
}

// Calls p_Proc with every item that is a TObiekt.
template <typename F> void DlaObiektow(TListaBazowa &p_Lista, F p_Proc)
{
    TBlokadaObiektu blokada(&p_Lista);
    for (int i = 0; i < p_Lista.IleObiektow(); ++i)
        if (auto *obiekt = dynamic_cast<TObiekt *>(p_Lista.ObiektyListy(i)))
            p_Proc(*obiekt);
}

bool MaCechy(const TObiektBazowy *p_Obiekt, const TArrayOfConst &p_Pola, const TArrayOfConst &p_Wartosci,
             TRozmiarLiter p_RozmLiter)
{
    const auto *obiekt = dynamic_cast<const TObiekt *>(p_Obiekt);
    return obiekt && obiekt->MaCechy(p_Pola, p_Wartosci, p_RozmLiter);
}

// The items of p_Zrodlo that p_Wybierz takes, in order.
std::vector<TObiektBazowy *> Wybrane(const TListaBazowa &p_Zrodlo, const std::function<bool(TObiektBazowy *)> &p_Wybierz)
{
    std::vector<TObiektBazowy *> wybrane;
    for (TObiektBazowy *obiekt : p_Zrodlo)
        if (p_Wybierz(obiekt))
            wybrane.push_back(obiekt);
    return wybrane;
}

// The extreme of the items' values by p_Lepsza (each value taken once); 0 for no items.
template <typename T, typename W, typename L>
T SkrajnaWartosc(const TListaBazowa &p_Lista, const TVarRec &p_Pole, W p_Wartosc, L p_Lepsza)
{
    std::optional<T> skrajna;
    DlaPol(p_Lista, p_Pole, [&](int, const TPole &p_P) {
        const T wartosc = p_Wartosc(p_P);
        if (!skrajna || p_Lepsza(wartosc, *skrajna))
            skrajna = wartosc;
    });
    return skrajna.value_or(0);
}

} // namespace

// ---- adding from other lists

TObiektBazowy *TListaBazowa::DopiszObiektGdyBrak(TObiektBazowy *p_Obiekt, const TArrayOfConst &p_JakiePola,
                                                 bool &p_Dodano, TRozmiarLiter p_RozmLiter)
{
    TBlokadaObiektu blokada(this);
    int gdzie = -1;
    p_Dodano = !p_Obiekt || !JestObiektTakiJak(*p_Obiekt, p_JakiePola, gdzie, p_RozmLiter);
    return p_Dodano ? DopiszObiekt(p_Obiekt) : ObiektyListy(gdzie);
}

void TListaBazowa::DopiszDane(const TListaBazowa &p_Lista)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : Wybrane(p_Lista, [](TObiektBazowy *) { return true; }))
        DopiszObiekt(ObiektDoDopisania(obiekt));
}

void TListaBazowa::DopiszObiektyOCechach(const TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                                         const TArrayOfConst &p_JakieWartosci, TRozmiarLiter p_RozmLiter)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : Wybrane(p_Lista, [&](TObiektBazowy *p_Obiekt) {
             return MaCechy(p_Obiekt, p_JakiePola, p_JakieWartosci, p_RozmLiter);
         }))
        DopiszObiekt(ObiektDoDopisania(obiekt));
}

void TListaBazowa::KopiujObiektyOCechach(const TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                                         const TArrayOfConst &p_JakieWartosci, TRozmiarLiter p_RozmLiter)
{
    TBlokadaObiektu blokada(this);
    ZerujDane();
    DopiszObiektyOCechach(p_Lista, p_JakiePola, p_JakieWartosci, p_RozmLiter);
}

void TListaBazowa::DopiszObiektyOprocz(const TListaBazowa &p_Lista, const TListaBazowa &p_Pomin)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : Wybrane(p_Lista, [&](TObiektBazowy *p_Obiekt) { return !p_Pomin.ZawieraObiekt(p_Obiekt); }))
        DopiszObiekt(ObiektDoDopisania(obiekt));
}

void TListaBazowa::DopiszObiektyGdyBrak(const TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                                        TRozmiarLiter p_RozmLiter)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : p_Lista) {
        int gdzie = -1;
        if (obiekt && !JestObiektTakiJak(*obiekt, p_JakiePola, gdzie, p_RozmLiter))
            DopiszObiekt(ObiektDoDopisania(obiekt));
    }
}

// ---- moving from other lists

void TListaBazowa::PrzeniesObiektyWgFun(TListaBazowa &p_Lista, const TFunObiektu &p_Fun)
{
    TBlokadaObiektu blokada(this);
    if (&p_Lista == this)
        return;
    // Out of the source first (without freeing), then in here, in order.
    const std::vector<TObiektBazowy *> przenoszone = Wybrane(p_Lista, p_Fun);
    p_Lista.UsunGdy([&](TObiektBazowy *p_Obiekt) {
        return std::find(przenoszone.begin(), przenoszone.end(), p_Obiekt) != przenoszone.end();
    }, false);
    UstawPojemnoscListy(IleObiektow() + static_cast<int>(przenoszone.size()));
    for (TObiektBazowy *obiekt : przenoszone)
        DopiszObiekt(obiekt);
}

void TListaBazowa::PrzeniesDane(TListaBazowa &p_Lista)
{
    PrzeniesObiektyWgFun(p_Lista, [](TObiektBazowy *) { return true; });
}

void TListaBazowa::PrzeniesObiektyOCechach(TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                                           const TArrayOfConst &p_JakieWartosci, TRozmiarLiter p_RozmLiter)
{
    PrzeniesObiektyWgFun(p_Lista, [&](TObiektBazowy *p_Obiekt) {
        return MaCechy(p_Obiekt, p_JakiePola, p_JakieWartosci, p_RozmLiter);
    });
}

void TListaBazowa::PrzeniesObiektyOprocz(TListaBazowa &p_Lista, const TListaBazowa &p_Pomin)
{
    PrzeniesObiektyWgFun(p_Lista, [&](TObiektBazowy *p_Obiekt) { return !p_Pomin.ZawieraObiekt(p_Obiekt); });
}

void TListaBazowa::PrzeniesObiektyGdyBrak(TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                                          TRozmiarLiter p_RozmLiter)
{
    TBlokadaObiektu blokada(this);
    PrzeniesObiektyWgFun(p_Lista, [&](TObiektBazowy *p_Obiekt) {
        int gdzie = -1;
        return p_Obiekt && !JestObiektTakiJak(*p_Obiekt, p_JakiePola, gdzie, p_RozmLiter);
    });
}

// ---- aggregates

QString TListaBazowa::DajListeWartPola(const TVarRec &p_Pole, const QString &p_Separator, bool p_Duplikaty,
                                       TRozmiarLiter p_RozmLiter, bool p_Trymuj, bool p_PominPuste, bool p_Sortuj,
                                       int p_Od, int p_Do) const
{
    TBlokadaObiektu blokada(this);
    const bool bezWielkosci = p_RozmLiter == rlRozmLiterNiewazny;
    const int ostatni = p_Do < 0 || p_Do >= IleObiektow() ? IleObiektow() - 1 : p_Do;
    QStringList wartosci;
    for (int i = std::max(p_Od, 0); i <= ostatni; ++i) {
        const TPole *pole = PoleElementu(ObiektyListy(i), p_Pole);
        QString tekst = pole ? pole->GetJakoString() : QString();
        if (p_Trymuj)
            tekst = tekst.trimmed();
        if (p_PominPuste && tekst.isEmpty())
            continue;
        if (!p_Duplikaty && std::any_of(wartosci.begin(), wartosci.end(), [&](const QString &p_Byla) {
                return PorownajTeksty(p_Byla, tekst, bezWielkosci, LocaleDomyslny) == 0;
            }))
            continue;
        wartosci << tekst;
    }
    if (p_Sortuj)
        std::stable_sort(wartosci.begin(), wartosci.end(), [&](const QString &p_A, const QString &p_B) {
            return PorownajTeksty(p_A, p_B, bezWielkosci, LocaleDomyslny) < 0;
        });
    return wartosci.join(p_Separator);
}

QString TListaBazowa::DajListeWartWgFun(const std::function<QString(const TObiektBazowy *)> &p_Fun,
                                        const QString &p_Separator, bool p_PominPuste) const
{
    TBlokadaObiektu blokada(this);
    QStringList wartosci;
    for (const TObiektBazowy *obiekt : *this) {
        const QString tekst = p_Fun(obiekt);
        if (!p_PominPuste || !tekst.isEmpty())
            wartosci << tekst;
    }
    return wartosci.join(p_Separator);
}

double TListaBazowa::DajSumeWartPola(const TVarRec &p_Pole) const
{
    double suma = 0;
    DlaPol(*this, p_Pole, [&](int, const TPole &p_P) { suma += LiczbaPola(p_P); });
    return suma;
}

double TListaBazowa::DajMinWartPola(const TVarRec &p_Pole) const
{
    return SkrajnaWartosc<double>(*this, p_Pole, LiczbaPola, std::less<double>());
}

double TListaBazowa::DajMaxWartPola(const TVarRec &p_Pole) const
{
    const int gdzie = GdzieMaxWartPola(p_Pole);
    const TPole *pole = gdzie >= 0 ? PoleElementu(ObiektyListy(gdzie), p_Pole) : nullptr;
    return pole ? LiczbaPola(*pole) : 0;
}

int TListaBazowa::GdzieMaxWartPola(const TVarRec &p_Pole) const
{
    int gdzie = -1;
    double max = 0;
    DlaPol(*this, p_Pole, [&](int p_Nr, const TPole &p_P) {
        const double wartosc = LiczbaPola(p_P);
        if (gdzie < 0 || wartosc > max) {
            gdzie = p_Nr;
            max = wartosc;
        }
    });
    return gdzie;
}

int64_t TListaBazowa::DajSumeCurrency(const TVarRec &p_Pole) const
{
    int64_t suma = 0;
    DlaPol(*this, p_Pole, [&](int, const TPole &p_P) { suma += CurrencyPola(p_P); });
    return suma;
}

int64_t TListaBazowa::DajMinCurrency(const TVarRec &p_Pole) const
{
    return SkrajnaWartosc<int64_t>(*this, p_Pole, CurrencyPola, std::less<int64_t>());
}

int64_t TListaBazowa::DajMaxCurrency(const TVarRec &p_Pole) const
{
    return SkrajnaWartosc<int64_t>(*this, p_Pole, CurrencyPola, std::greater<int64_t>());
}

int TListaBazowa::DajMaxDlugPola(const TVarRec &p_Pole) const
{
    int max = 0;
    DlaPol(*this, p_Pole, [&](int, const TPole &p_P) { max = std::max(max, static_cast<int>(p_P.GetJakoString().size())); });
    return max;
}

void TListaBazowa::WpiszDoStrings(QStringList &p_Lista, const TVarRec *p_Pole) const
{
    TBlokadaObiektu blokada(this);
    for (const TObiektBazowy *obiekt : *this) {
        if (!p_Pole) {
            p_Lista << (obiekt ? obiekt->OpisTekstowy() : QString());
            continue;
        }
        const TPole *pole = PoleElementu(obiekt, *p_Pole);
        p_Lista << (pole ? pole->GetJakoString() : QString());
    }
}

// ---- bulk field work

void TListaBazowa::WpiszDaneDoPol(const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_JakieWartosci)
{
    DlaObiektow(*this, [&](TObiekt &p_Obiekt) { p_Obiekt.WpiszDane(p_KtorePola, p_JakieWartosci); });
}

void TListaBazowa::WpiszDoPolObiektowOCechach(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                                              const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_NoweWartosci,
                                              TRozmiarLiter p_RozmLiter)
{
    DlaObiektow(*this, [&](TObiekt &p_Obiekt) {
        if (p_Obiekt.MaCechy(p_JakiePola, p_JakieWartosci, p_RozmLiter))
            p_Obiekt.WpiszDane(p_KtorePola, p_NoweWartosci);
    });
}

void TListaBazowa::WpiszDaneDoPolWgFun(const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_JakieWartosci,
                                       const TFunObiektu &p_Fun)
{
    DlaObiektow(*this, [&](TObiekt &p_Obiekt) {
        if (p_Fun(&p_Obiekt))
            p_Obiekt.WpiszDane(p_KtorePola, p_JakieWartosci);
    });
}

void TListaBazowa::ZerujDanePol(const TArrayOfConst &p_KtorePola)
{
    DlaObiektow(*this, [&](TObiekt &p_Obiekt) { p_Obiekt.ZerujDanePol(p_KtorePola); });
}

void TListaBazowa::ZerujDaneOprocz(const TArrayOfConst &p_PominPola)
{
    DlaObiektow(*this, [&](TObiekt &p_Obiekt) { p_Obiekt.ZerujDaneOprocz(p_PominPola); });
}

void TListaBazowa::PrzytnijPolaWgRozm(bool p_Trymuj, bool p_UsunObce, bool p_PierwszaLinia,
                                      const TObiekt::TOnPrzycieto &p_OnPrzycieto)
{
    DlaObiektow(*this, [&](TObiekt &p_Obiekt) {
        p_Obiekt.PrzytnijPolaWgRozm(p_Trymuj, p_UsunObce, p_PierwszaLinia, p_OnPrzycieto);
    });
}

void TListaBazowa::TrymujPolaTekstowe()
{
    DlaObiektow(*this, [](TObiekt &p_Obiekt) { p_Obiekt.TrymujPolaTekstowe(); });
}

void TListaBazowa::UsunZnakiSterujZPol()
{
    DlaObiektow(*this, [](TObiekt &p_Obiekt) { p_Obiekt.UsunZnakiSterujZPol(); });
}

void TListaBazowa::PoprawPolaTekstowe(const std::function<QString(const QString &)> &p_Fun)
{
    DlaObiektow(*this, [&](TObiekt &p_Obiekt) { p_Obiekt.PoprawPolaTekstowe(p_Fun); });
}

TObiektBazowy *TListaBazowa::WykonajFun(const TFunObiektu &p_Fun)
{
    int gdzie = -1;
    return JestObiektWgFun(p_Fun, gdzie) ? ObiektyListy(gdzie) : nullptr;
}

void TListaBazowa::WykonajProc(const TProcObiektu &p_Proc)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : *this)
        p_Proc(obiekt);
}
