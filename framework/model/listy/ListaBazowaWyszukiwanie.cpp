#include "ListaBazowa.h"

#include "BlokadaObiektu.h"
#include "PoleWskObiektu.h"
#include "ListaWskObiektow.h"

namespace {

// The items' order by fields for one sort or check: one rule of letter case
// and locale for the whole run, each field compared afresh.
class TPorownanieWgPol
{
public:
    TPorownanieWgPol(const TArrayOfConst &p_Pola, const TSortowanie &p_Sortowanie, TRozmiarLiter p_RozmLiter,
                     uint32_t p_LocaleID)
        : FPola(p_Pola), FSortowanie(p_Sortowanie), FRozmLiter(p_RozmLiter), FLocaleID(p_LocaleID)
    {
    }

    int operator()(const TObiektBazowy *p_A, const TObiektBazowy *p_B) const
    {
        if (!p_A || !p_B)
            return p_A ? 1 : (p_B ? -1 : 0);
        const auto *a = dynamic_cast<const TObiekt *>(p_A);
        const auto *b = dynamic_cast<const TObiekt *>(p_B);
        if (!a || !b || FPola.empty()) {
            TPorownywaczDanych porownywacz = Porownywacz(p_A, p_B);
            return p_A->Porownaj(*p_B, &porownywacz);
        }
        for (size_t i = 0; i < FPola.size(); ++i) {
            const int wynik = PorownajPole(*a, *b, FPola[i]);
            if (wynik == 0)
                continue;
            const TRodzajSortowania kierunek =
                FSortowanie.empty() ? rsRosnaco : FSortowanie[std::min(i, FSortowanie.size() - 1)];
            return kierunek == rsMalejaco ? -wynik : wynik;
        }
        return 0;
    }

private:
    TPorownywaczDanych Porownywacz(const TObiektBazowy *p_A, const TObiektBazowy *p_B) const
    {
        TPorownywaczDanych porownywacz(p_A, p_B);
        porownywacz.RozmLiter = FRozmLiter;
        porownywacz.LocaleID = FLocaleID;
        return porownywacz;
    }

    // Both with a value compare; one alone sorts after the other unless it holds its default.
    int PorownajPolaNr(const TObiekt &p_A, int16_t p_NrA, const TObiekt &p_B, int16_t p_NrB) const
    {
        const bool a = p_A.MaWartosc(p_NrA);
        const bool b = p_B.MaWartosc(p_NrB);
        if (!a && !b)
            return 0;
        if (!b)
            return p_A.PoleJesliJest(p_NrA)->MaDefWartosc() ? 0 : 1;
        if (!a)
            return p_B.PoleJesliJest(p_NrB)->MaDefWartosc() ? 0 : -1;
        TPorownywaczDanych porownywacz = Porownywacz(&p_A, &p_B);
        return p_A.PoleJesliJest(p_NrA)->Porownaj(*p_B.PoleJesliJest(p_NrB), &porownywacz);
    }

    int PorownajPole(const TObiekt &p_A, const TObiekt &p_B, const TVarRec &p_Pole) const
    {
        if (p_Pole.JestCalkowita()) {
            const auto nr = static_cast<int16_t>(p_Pole.JakoInt64());
            return PorownajPolaNr(p_A, nr, p_B, nr);
        }
        if (!p_Pole.JestTekstem())
            throw LkException(Format(QStringLiteral("%s: Błędny typ indeksu"), {QStringLiteral("PWP")}));
        int16_t nrA = -2;
        int16_t nrB = -2;
        const QString sciezka = p_Pole.JakoString();
        TObiektBazowy *a = const_cast<TObiekt &>(p_A).ObiektIPole(sciezka, nrA, false);
        TObiektBazowy *b = const_cast<TObiekt &>(p_B).ObiektIPole(sciezka, nrB, false);
        // A missing field sorts first.
        if (!a || !b)
            return a ? 1 : (b ? -1 : 0);
        const auto *wlascA = dynamic_cast<const TObiekt *>(a);
        const auto *wlascB = dynamic_cast<const TObiekt *>(b);
        if (nrA >= 0 && nrB >= 0 && wlascA && wlascB)
            return PorownajPolaNr(*wlascA, nrA, *wlascB, nrB);
        TPorownywaczDanych porownywacz = Porownywacz(a, b);
        return a->Porownaj(*b, &porownywacz);
    }

    const TArrayOfConst &FPola;
    const TSortowanie &FSortowanie;
    TRozmiarLiter FRozmLiter;
    uint32_t FLocaleID;
};

// An item against loose values: negative when the item comes before them.
int PorownajZCechami(const TObiektBazowy *p_Obiekt, const TArrayOfConst &p_Pola, const TArrayOfConst &p_Wartosci,
                     TRozmiarLiter p_RozmLiter, uint32_t p_LocaleID)
{
    const auto *obiekt = dynamic_cast<const TObiekt *>(p_Obiekt);
    return obiekt ? obiekt->PorownajCechy(p_Pola, p_Wartosci, p_RozmLiter, p_LocaleID) : -1;
}

bool MaCechy(const TObiektBazowy *p_Obiekt, const TArrayOfConst &p_Pola, const TArrayOfConst &p_Wartosci,
             TRozmiarLiter p_RozmLiter)
{
    const auto *obiekt = dynamic_cast<const TObiekt *>(p_Obiekt);
    return obiekt && obiekt->MaCechy(p_Pola, p_Wartosci, p_RozmLiter);
}

// Whether something outside the item's own children refers to it.
bool MaReferencje(const TObiektBazowy &p_Obiekt)
{
    return p_Obiekt.MaJakiesRefZKlasy(TPoleWskObiektu::Opis) || p_Obiekt.MaJakiesRefZKlasy(TListaWskObiektow::Opis);
}

// Whether every given field of the item is empty.
bool PolaPuste(const TObiektBazowy *p_Obiekt, const TArrayOfConst &p_Pola)
{
    const auto *obiekt = dynamic_cast<const TObiekt *>(p_Obiekt);
    if (!obiekt)
        return !p_Obiekt || !p_Obiekt->MaWartosc(-1);
    if (p_Pola.empty())
        return !obiekt->MaWartosc(-1);
    for (const TVarRec &pole : p_Pola) {
        if (pole.JestTekstem() ? !obiekt->DajTrescWgSciezki(pole.JakoString(), false, false).JestPusty()
                               : obiekt->PolaMajaWartosc({pole}))
            return false;
    }
    return true;
}

} // namespace

// ---- sorting

bool TListaBazowa::PosortujWgPol(const TArrayOfConst &p_JakiePola, const TSortowanie &p_Sortowanie,
                                 TRozmiarLiter p_RozmLiter, uint32_t p_LocaleID)
{
    const TPorownanieWgPol porownanie(p_JakiePola, p_Sortowanie, p_RozmLiter, p_LocaleID);
    return PosortujWgFun(std::cref(porownanie));
}

bool TListaBazowa::ListaMaPosortowanie(const TArrayOfConst &p_JakiePola, const TSortowanie &p_Sortowanie,
                                       TRozmiarLiter p_RozmLiter, uint32_t p_LocaleID) const
{
    TBlokadaObiektu blokada(this);
    const TPorownanieWgPol porownanie(p_JakiePola, p_Sortowanie, p_RozmLiter, p_LocaleID);
    for (int i = 1; i < IleObiektow(); ++i)
        if (porownanie(ObiektyListy(i - 1), ObiektyListy(i)) > 0)
            return false;
    return true;
}

int TListaBazowa::PorownajObiekty(const TObiektBazowy *p_ObiektA, const TObiektBazowy *p_ObiektB) const
{
    if (!p_ObiektA || !p_ObiektB)
        return p_ObiektA ? 1 : (p_ObiektB ? -1 : 0);
    return p_ObiektA->Porownaj(*p_ObiektB);
}

// ---- search

int TListaBazowa::ZnajdzObiekt(const TObiektBazowy *p_Obiekt, TRodzajWyszukiwania p_Kierunek, int p_Start) const
{
    TBlokadaObiektu blokada(this);
    if (p_Kierunek == rwOdKonca) {
        for (int i = p_Start < 0 || p_Start >= IleObiektow() ? IleObiektow() - 1 : p_Start; i >= 0; --i)
            if (FObiekty[i] == p_Obiekt)
                return i;
        return -1;
    }
    for (int i = std::max(p_Start, 0); i < IleObiektow(); ++i)
        if (FObiekty[i] == p_Obiekt)
            return i;
    return -1;
}

bool TListaBazowa::JestObiekt(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci, int &p_Gdzie,
                              TRozmiarLiter p_RozmLiter, TRodzajWyszukiwania p_Kierunek, int p_Start) const
{
    TBlokadaObiektu blokada(this);
    const int krok = p_Kierunek == rwOdKonca ? -1 : 1;
    int i = p_Start >= 0 ? p_Start : (krok > 0 ? 0 : IleObiektow() - 1);
    for (; i >= 0 && i < IleObiektow(); i += krok)
        if (MaCechy(ObiektyListy(i), p_JakiePola, p_JakieWartosci, p_RozmLiter)) {
            p_Gdzie = i;
            return true;
        }
    p_Gdzie = -1;
    return false;
}

bool TListaBazowa::JestObiektWgFun(const TFunObiektu &p_Fun, int &p_Gdzie) const
{
    TBlokadaObiektu blokada(this);
    for (p_Gdzie = 0; p_Gdzie < IleObiektow(); ++p_Gdzie)
        if (p_Fun(ObiektyListy(p_Gdzie)))
            return true;
    p_Gdzie = -1;
    return false;
}

bool TListaBazowa::JestObiektTakiJak(const TObiektBazowy &p_Obiekt, const TArrayOfConst &p_JakiePola, int &p_Gdzie,
                                     TRozmiarLiter p_RozmLiter) const
{
    const TPorownanieWgPol porownanie(p_JakiePola, {}, p_RozmLiter, 0);
    return JestObiektWgFun([&](const TObiektBazowy *p_Elem) { return porownanie(p_Elem, &p_Obiekt) == 0; }, p_Gdzie);
}

bool TListaBazowa::JestInnyObiekt(const TObiektBazowy &p_Obiekt, const TArrayOfConst &p_JakiePola, int &p_Gdzie,
                                  TRozmiarLiter p_RozmLiter) const
{
    const TPorownanieWgPol porownanie(p_JakiePola, {}, p_RozmLiter, 0);
    return JestObiektWgFun(
        [&](const TObiektBazowy *p_Elem) { return p_Elem != &p_Obiekt && porownanie(p_Elem, &p_Obiekt) == 0; },
        p_Gdzie);
}

bool TListaBazowa::JestTakiObiekt(const TObiektBazowy &p_Obiekt, TPorownywaczDanych &p_Porownywacz, int &p_Gdzie) const
{
    return JestObiektWgFun([&](const TObiektBazowy *p_Elem) { return p_Elem && p_Elem->Porownaj(p_Obiekt, &p_Porownywacz) == 0; },
                           p_Gdzie);
}

int TListaBazowa::IleJestObiektow(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                                  TRozmiarLiter p_RozmLiter) const
{
    TBlokadaObiektu blokada(this);
    int ile = 0;
    for (const TObiektBazowy *obiekt : *this)
        ile += MaCechy(obiekt, p_JakiePola, p_JakieWartosci, p_RozmLiter) ? 1 : 0;
    return ile;
}

bool TListaBazowa::SaDuplikaty(const TArrayOfConst &p_JakiePola, TRozmiarLiter p_RozmLiter) const
{
    TBlokadaObiektu blokada(this);
    const TPorownanieWgPol porownanie(p_JakiePola, {}, p_RozmLiter, 0);
    for (int i = 1; i < IleObiektow(); ++i)
        for (int j = 0; j < i; ++j)
            if (porownanie(ObiektyListy(i), ObiektyListy(j)) == 0)
                return true;
    return false;
}

bool TListaBazowa::WyszukajWgPol(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci, int &p_Gdzie,
                                 TRozmiarLiter p_RozmLiter, TRodzajSortowania p_Sortowanie, uint32_t p_LocaleID) const
{
    TBlokadaObiektu blokada(this);
    const int znak = p_Sortowanie == rsMalejaco ? -1 : 1;
    auto porownaj = [&](int p_Nr) {
        return znak * PorownajZCechami(ObiektyListy(p_Nr), p_JakiePola, p_JakieWartosci, p_RozmLiter, p_LocaleID);
    };
    auto wynik = [&](int p_Nr) {
        p_Gdzie = p_Nr;
        return MaCechy(ObiektyListy(p_Nr), p_JakiePola, p_JakieWartosci, p_RozmLiter);
    };
    const int ile = IleObiektow();
    if (ile == 0) {
        p_Gdzie = 0;
        return false;
    }
    if (ile == 1) {
        const int pierwszy = porownaj(0);
        if (pierwszy == 0)
            return wynik(0);
        p_Gdzie = pierwszy < 0 ? 1 : 0;
        return false;
    }
    // Outside the range of the first and last item: not there.
    if (porownaj(0) > 0) {
        p_Gdzie = 0;
        return false;
    }
    if (porownaj(ile - 1) < 0) {
        p_Gdzie = ile;
        return false;
    }
    int od = 0;
    int doo = ile - 1;
    while (od < doo) {
        const int srodek = od + (doo - od) / 2;
        if (porownaj(srodek) < 0)
            od = srodek + 1;
        else
            doo = srodek;
    }
    return wynik(od);
}

bool TListaBazowa::WyszukajZakres(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci, int &p_Od,
                                  int &p_Do, TRozmiarLiter p_RozmLiter, TRodzajSortowania p_Sortowanie,
                                  uint32_t p_LocaleID) const
{
    TBlokadaObiektu blokada(this);
    if (!WyszukajWgPol(p_JakiePola, p_JakieWartosci, p_Od, p_RozmLiter, p_Sortowanie, p_LocaleID)) {
        p_Do = p_Od - 1;
        return false;
    }
    p_Do = p_Od;
    while (p_Do + 1 < IleObiektow() && MaCechy(ObiektyListy(p_Do + 1), p_JakiePola, p_JakieWartosci, p_RozmLiter))
        ++p_Do;
    return true;
}

bool TListaBazowa::WyszukajWgFun(const std::function<int(const TObiektBazowy *)> &p_Fun, int &p_Gdzie) const
{
    TBlokadaObiektu blokada(this);
    int od = 0;
    int doo = IleObiektow();
    while (od < doo) {
        const int srodek = od + (doo - od) / 2;
        if (p_Fun(ObiektyListy(srodek)) < 0)
            od = srodek + 1;
        else
            doo = srodek;
    }
    p_Gdzie = od;
    return od < IleObiektow() && p_Fun(ObiektyListy(od)) == 0;
}

// ---- removing by search

bool TListaBazowa::WyszukajIUsun(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                                 TRozmiarLiter p_RozmLiter)
{
    TBlokadaObiektu blokada(this);
    int gdzie = -1;
    if (!WyszukajWgPol(p_JakiePola, p_JakieWartosci, gdzie, p_RozmLiter))
        return false;
    UsunObiekt(gdzie);
    return true;
}

int TListaBazowa::UsunTakiObiekt(const TObiektBazowy &p_Obiekt, const TArrayOfConst &p_JakiePola)
{
    const TPorownanieWgPol porownanie(p_JakiePola, {}, rlRozmLiterNiewazny, 0);
    return UsunGdy([&](const TObiektBazowy *p_Elem) { return porownanie(p_Elem, &p_Obiekt) == 0; });
}

int TListaBazowa::UsunObiekty(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                              TRozmiarLiter p_RozmLiter)
{
    return UsunGdy([&](const TObiektBazowy *p_Elem) { return MaCechy(p_Elem, p_JakiePola, p_JakieWartosci, p_RozmLiter); });
}

int TListaBazowa::UsunObiektyOprocz(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                                    TRozmiarLiter p_RozmLiter)
{
    return UsunGdy([&](const TObiektBazowy *p_Elem) { return !MaCechy(p_Elem, p_JakiePola, p_JakieWartosci, p_RozmLiter); });
}

int TListaBazowa::UsunDuplikaty(const TArrayOfConst &p_JakiePola, TRozmiarLiter p_RozmLiter, bool p_TylkoBezRef,
                                bool p_IgnorujPuste)
{
    TBlokadaObiektu blokada(this);
    const TPorownanieWgPol porownanie(p_JakiePola, {}, p_RozmLiter, 0);
    int usuniete = 0;
    for (int i = IleObiektow() - 1; i > 0; --i) {
        const TObiektBazowy *obiekt = ObiektyListy(i);
        if (p_TylkoBezRef && obiekt && MaReferencje(*obiekt))
            continue;
        if (p_IgnorujPuste && PolaPuste(obiekt, p_JakiePola))
            continue;
        for (int j = 0; j < i; ++j)
            if (porownanie(obiekt, ObiektyListy(j)) == 0) {
                UsunObiekt(i);
                ++usuniete;
                break;
            }
    }
    return usuniete;
}
