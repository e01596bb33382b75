#include "ObiektyDoZapisu.h"

#include "ListaWskObiektow.h"
#include "ListaZObiektami.h"
#include "Obiekt.h"
#include "PoleWskObiektu.h"
#include "WczesnyOdczyt.h"
#include "ZapisywaczDanych.h"

#include <vector>

namespace {

// A sub-object whose written fields are only references (to targets written
// or not), pointer lists and such sub-objects again, or a pointer list. Written
// empty, it would read back without a value and vanish from the next image,
// taking the references to it along; so it is kept only while something it
// points at is kept.
struct TWatpliwy
{
    int Poz;                                 // in ZapObiekty; -1 once it proved sure
    int Koniec = 0;                          // past the last object inside it
    int Rodzic;                              // the doubtful parent's index, -1 when the parent is sure
    int Dzieci = 0;                          // its doubtful sub-objects
    std::vector<const TObiektBazowy *> Cele; // targets of its references and pointer lists
};

class TZbieracz
{
public:
    explicit TZbieracz(TZapisywaczDanych &p_Zapisywacz) : Z(p_Zapisywacz) {}

    // Appends p_Obiekt and what it writes. For a sub-object field (p_Podobiekt)
    // the answer is whether its image holds a field for sure; a doubtful one
    // is noted under p_Rodzic.
    bool Zbierz(TObiektBazowy &p_Obiekt, bool p_Podobiekt, int p_Rodzic);
    // Drops the doubtful sub-objects that nothing kept holds up.
    void OdrzucPuste();

    // Every target of the references and pointer lists met: the only objects looked up.
    std::vector<const TObiektBazowy *> Cele;

private:
    TZapisywaczDanych &Z;
    std::vector<TWatpliwy> Watpliwe;
};

bool TZbieracz::Zbierz(TObiektBazowy &p_Obiekt, bool p_Podobiekt, int p_Rodzic)
{
    const int poz = static_cast<int>(Z.ZapObiekty.size());
    Z.DodajObiekt(&p_Obiekt);
    TObiekt *obiekt = p_Obiekt.JakoTObiekt();
    if (!obiekt) {
        // An owning list's items follow it; a pointer list's targets are written where they live.
        if (const auto *lista = dynamic_cast<const TListaZObiektami *>(&p_Obiekt)) {
            for (int i = 0; i < lista->IleObiektow(); ++i) {
                ZaladujZawczasu(lista->ObiektyListy(i + WyprzedzenieOdczytu));
                Zbierz(*lista->ObiektyListy(i), false, -1);
            }
        } else if (const auto *wskazania = dynamic_cast<const TListaWskObiektow *>(&p_Obiekt)) {
            for (int i = 0; i < wskazania->IleObiektow(); ++i)
                if (wskazania->ObiektyListy(i))
                    Cele.push_back(wskazania->ObiektyListy(i));
        }
        return true;
    }
    // Items and the document itself are written whatever they hold.
    bool pewny = !p_Podobiekt;
    int ja = -1;
    auto watpliwy = [&]() -> TWatpliwy & {
        if (ja < 0) {
            ja = static_cast<int>(Watpliwe.size());
            Watpliwe.push_back({poz, 0, p_Rodzic, 0, {}});
        }
        return Watpliwe[static_cast<size_t>(ja)];
    };
    obiekt->DlaPolZWartoscia([&](int16_t p_Nr, TPole &p_Pole) {
        TObiektBazowy *podobiekt = p_Pole.JakoObiekt();
        const TPoleWskObiektu *wsk = podobiekt ? nullptr : p_Pole.JakoWskaznik();
        // A target is looked up whether its field is written or not.
        if (wsk && wsk->Wartosc())
            Cele.push_back(wsk->Wartosc());
        if (pewny && !podobiekt)
            return;
        if (!Z.CzyZapisacPoleZWartoscia(p_Nr, *obiekt))
            return;
        if (wsk) {
            if (wsk->Wartosc())
                watpliwy().Cele.push_back(wsk->Wartosc());
        } else if (const auto *wskazania = dynamic_cast<const TListaWskObiektow *>(podobiekt)) {
            // Doubtful itself: with no target written it would go out empty
            // and read back as no value.
            const int rodzic = pewny ? -1 : (watpliwy(), ja);
            TWatpliwy lista{static_cast<int>(Z.ZapObiekty.size()), 0, rodzic, 0, {}};
            Zbierz(*podobiekt, false, -1);
            lista.Koniec = static_cast<int>(Z.ZapObiekty.size());
            for (int i = 0; i < wskazania->IleObiektow(); ++i)
                if (wskazania->ObiektyListy(i))
                    lista.Cele.push_back(wskazania->ObiektyListy(i));
            Watpliwe.push_back(std::move(lista));
            if (rodzic >= 0)
                ++Watpliwe[static_cast<size_t>(rodzic)].Dzieci;
        } else if (!podobiekt || !podobiekt->JakoTObiekt()) {
            if (podobiekt)
                Zbierz(*podobiekt, false, -1);
            pewny = true;
        } else {
            const int rodzic = pewny ? -1 : (watpliwy(), ja);
            const size_t bylo = Watpliwe.size();
            if (Zbierz(*podobiekt, true, rodzic))
                pewny = true;
            else if (Watpliwe.size() > bylo && rodzic >= 0)
                ++Watpliwe[static_cast<size_t>(rodzic)].Dzieci;
        }
    });
    if (pewny && ja >= 0) {
        // Sure after all: its doubtful children hang on no one.
        for (size_t i = static_cast<size_t>(ja) + 1; i < Watpliwe.size(); ++i)
            if (Watpliwe[i].Rodzic == ja)
                Watpliwe[i].Rodzic = -1;
        Watpliwe[static_cast<size_t>(ja)].Cele.clear();
        Watpliwe[static_cast<size_t>(ja)].Poz = -1;
    }
    if (!pewny && ja < 0)
        Z.ZapObiekty.resize(static_cast<size_t>(poz)); // nothing in it is written
    else if (!pewny)
        Watpliwe[static_cast<size_t>(ja)].Koniec = static_cast<int>(Z.ZapObiekty.size());
    return pewny;
}

void TZbieracz::OdrzucPuste()
{
    if (Watpliwe.empty())
        return;
    Z.SortujListe();
    const size_t ile = Z.ZapObiekty.size();
    // Each position inside a doubtful object falls with the innermost one
    // (entries come in pre-order, so inner ones are filled in last).
    std::vector<int> wgPozycji(ile, -1);
    for (size_t i = 0; i < Watpliwe.size(); ++i)
        for (int p = Watpliwe[i].Poz; p >= 0 && p < Watpliwe[i].Koniec; ++p)
            wgPozycji[static_cast<size_t>(p)] = static_cast<int>(i);
    // Supports: targets kept for sure count once for good; doubtful ones until they fall.
    std::vector<int> wsparcie(Watpliwe.size(), 0);
    std::vector<std::vector<int>> wspiera(Watpliwe.size());
    std::vector<int> doOdrzucenia;
    for (size_t i = 0; i < Watpliwe.size(); ++i) {
        const TWatpliwy &w = Watpliwe[i];
        if (w.Poz < 0)
            continue;
        wsparcie[i] = w.Dzieci;
        for (const TObiektBazowy *cel : w.Cele) {
            int gdzie;
            if (!Z.PodlegaZapisowi(cel, gdzie))
                continue;
            ++wsparcie[i];
            if (const int c = wgPozycji[static_cast<size_t>(gdzie)]; c >= 0)
                wspiera[static_cast<size_t>(c)].push_back(static_cast<int>(i));
            else
                wsparcie[i] = INT32_MAX / 2; // a sure target
        }
        if (wsparcie[i] == 0)
            doOdrzucenia.push_back(static_cast<int>(i));
    }
    std::vector<bool> odrzucony(ile, false);
    auto oslab = [&](int p_Ktory) {
        if (p_Ktory >= 0 && --wsparcie[static_cast<size_t>(p_Ktory)] == 0)
            doOdrzucenia.push_back(p_Ktory);
    };
    while (!doOdrzucenia.empty()) {
        const int i = doOdrzucenia.back();
        doOdrzucenia.pop_back();
        const TWatpliwy &w = Watpliwe[static_cast<size_t>(i)];
        for (int p = w.Poz; p < w.Koniec; ++p)
            odrzucony[static_cast<size_t>(p)] = true;
        for (const int k : wspiera[static_cast<size_t>(i)])
            oslab(k);
        oslab(w.Rodzic);
    }
    size_t dokad = 0;
    for (size_t i = 0; i < ile; ++i)
        if (!odrzucony[i])
            Z.ZapObiekty[dokad++] = Z.ZapObiekty[i];
    if (dokad < ile) {
        Z.ZapObiekty.resize(dokad);
        Z.PominietoObiekty = true;
    }
}

} // namespace

bool PoleDoZapisu(const TObiekt &p_Obiekt, int16_t p_Nr, TZapisywaczDanych &p_Zapisywacz)
{
    return p_Zapisywacz.CzyZapisacPoleObiektu(p_Nr, p_Obiekt)
           && CelPolaDoZapisu(*p_Obiekt.PoleJesliJest(p_Nr), p_Zapisywacz);
}

bool CelPolaDoZapisu(const TPole &p_Pole, TZapisywaczDanych &p_Zapisywacz)
{
    const TPole *pole = &p_Pole;
    if (const TPoleWskObiektu *wsk = pole->JakoWskaznik())
        return wsk->Wartosc() && p_Zapisywacz.PodlegaZapisowi(wsk->Wartosc());
    const TObiektBazowy *podobiekt = pole->JakoObiekt();
    if (!podobiekt)
        return true;
    return !p_Zapisywacz.PominietoObiekty || p_Zapisywacz.PodlegaZapisowi(podobiekt);
}

void DajObiektyDoZapisu(TObiektBazowy &p_Obiekt, TZapisywaczDanych &p_Zapisywacz)
{
    p_Zapisywacz.PominietoObiekty = false;
    TZbieracz zbieracz(p_Zapisywacz);
    zbieracz.Zbierz(p_Obiekt, false, -1);
    zbieracz.OdrzucPuste();
    p_Zapisywacz.SortujListe(std::move(zbieracz.Cele));
}
