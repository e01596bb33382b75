#include "Obiekt.h"

#include "PoleWskObiektu.h"

#include <memory>

namespace {

// The owner a plugged field answers to: an object's parent, a tracked reference's owner.
TObiektBazowy *PrzenosWlasciciela(TPole &p_Pole, TObiektBazowy *p_Nowy)
{
    if (auto *obiekt = dynamic_cast<TObiektBazowy *>(&p_Pole)) {
        TObiektBazowy *poprzedni = obiekt->Rodzic();
        obiekt->ZmienRodzica(p_Nowy);
        return poprzedni;
    }
    if (auto *referencja = dynamic_cast<TPoleRefObiektu *>(&p_Pole)) {
        TObiektBazowy *poprzedni = referencja->Rodzic();
        referencja->UstawRodzica(p_Nowy);
        return poprzedni;
    }
    return nullptr;
}

} // namespace

TPole *TObiekt::WepnijPole(int16_t p_Nr, TPole *p_Pole, TObiektBazowy *&p_PoprzRodzic, bool p_ZwolnijCel)
{
    NrPolaWymagany(int(p_Nr), "WepnijPole");
    if (!p_Pole)
        BledneWywolanie("WepnijPole");
    // Plugging a field into its own place must not free it.
    TPole *poprzednie = PoleJesliJest(p_Nr);
    if (poprzednie == p_Pole)
        return p_Pole;
    poprzednie = Odlacz(p_Nr, p_ZwolnijCel);
    if (p_ZwolnijCel) {
        delete poprzednie;
        poprzednie = nullptr;
    }
    p_PoprzRodzic = PrzenosWlasciciela(*p_Pole, this);
    Przeslon(p_Nr, p_Pole, true);
    // A plugged simple field is there to be used, whatever it holds.
    UstawBit(p_Nr, !dynamic_cast<TObiektBazowy *>(p_Pole));
    return poprzednie;
}

TPole *TObiekt::WypnijPole(int16_t p_Nr, TObiektBazowy *p_PoprzRodzic, TPole *p_PoprzPole)
{
    if (!PoleJesliJest(p_Nr) && !p_PoprzPole)
        return nullptr;
    NrPolaWymagany(int(p_Nr), "WypnijPole");
    TPole *pole = Odlacz(p_Nr);
    if (p_PoprzPole)
        Przeslon(p_Nr, p_PoprzPole, true);
    if (pole && pole != p_PoprzPole)
        PrzenosWlasciciela(*pole, p_PoprzRodzic);
    UstawBit(p_Nr, false);
    return pole;
}

void TObiekt::WykonajPoWpieciu(const TArrayOfConst &p_KtorePola, const std::vector<TPole *> &p_Pola,
                               const std::function<void()> &p_Proc)
{
    const std::vector<int16_t> nry = NryPol(p_KtorePola, "WykonajPoWpieciu");
    if (nry.size() != p_Pola.size())
        BledneWywolanie("WykonajPoWpieciu");
    struct TWpiete
    {
        int16_t Nr;
        TPole *Poprzednie;
        TObiektBazowy *PoprzRodzic;
        bool MialoWartosc;
        bool PoprzedniWlasny;
        bool PoprzedniTymczasowy;
        TPole *Wpiete;
    };
    std::vector<TWpiete> wpiete;
    // Only the plugged fields' own bits come back: the procedure may change the
    // others. The object's own fields stay in their places meanwhile, and the
    // plugged ones stay the caller's.
    auto przywroc = [&] {
        for (auto it = wpiete.rbegin(); it != wpiete.rend(); ++it) {
            Przeslon(it->Nr, it->Poprzednie, it->PoprzedniWlasny, it->PoprzedniTymczasowy);
            PrzenosWlasciciela(*it->Wpiete, it->PoprzRodzic);
            UstawBit(it->Nr, it->MialoWartosc);
        }
    };
    try {
        for (size_t i = 0; i < nry.size(); ++i) {
            if (!p_Pola[i])
                BledneWywolanie("WykonajPoWpieciu");
            const TDodatki::TZastepca *zastepca = Zastepca(nry[i]);
            TWpiete wpiety{nry[i],        PoleJesliJest(nry[i]), nullptr, Bit(nry[i]), zastepca && zastepca->Wlasny,
                           zastepca && zastepca->Tymczasowy, p_Pola[i]};
            wpiety.PoprzRodzic = PrzenosWlasciciela(*p_Pola[i], this);
            Przeslon(nry[i], p_Pola[i], false, true);
            UstawBit(nry[i], !dynamic_cast<TObiektBazowy *>(p_Pola[i]));
            wpiete.push_back(wpiety);
        }
        p_Proc();
    } catch (...) {
        przywroc();
        throw;
    }
    przywroc();
}

void TObiekt::WykonajPoWypieciu(const TArrayOfConst &p_KtorePola, const std::function<void()> &p_Proc)
{
    struct TWypiete
    {
        int16_t Nr;
        TPole *Pole;
        bool MialoWartosc;
        bool Wlasny;
        bool Tymczasowy;
    };
    std::vector<TWypiete> wypiete;
    // The fields stay where they are, unseen; one the procedure creates in the
    // meantime goes to the heap and gives way to the original afterwards.
    for (const int16_t nr : NryPol(p_KtorePola, "WykonajPoWypieciu")) {
        const TDodatki::TZastepca *zastepca = Zastepca(nr);
        wypiete.push_back({nr, PoleJesliJest(nr), Bit(nr), zastepca && zastepca->Wlasny, zastepca && zastepca->Tymczasowy});
        Przeslon(nr, nullptr, false, true);
        UstawBit(nr, false);
    }
    auto przywroc = [&] {
        for (auto it = wypiete.rbegin(); it != wypiete.rend(); ++it) {
            const TDodatki::TZastepca *zastepca = Zastepca(it->Nr);
            std::unique_ptr<TPole> nowe(zastepca && zastepca->Wlasny ? zastepca->Pole : nullptr);
            Przeslon(it->Nr, it->Pole, it->Wlasny, it->Tymczasowy);
            UstawBit(it->Nr, it->MialoWartosc);
        }
    };
    try {
        p_Proc();
    } catch (...) {
        przywroc();
        throw;
    }
    przywroc();
}
