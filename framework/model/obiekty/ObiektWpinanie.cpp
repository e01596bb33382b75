#include "Obiekt.h"

#include "PoleWskObiektu.h"

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
    const auto nr = static_cast<size_t>(p_Nr);
    if (FPola.size() <= nr)
        FPola.resize(nr + 1, nullptr);
    TPole *poprzednie = FPola[nr];
    p_PoprzRodzic = PrzenosWlasciciela(*p_Pole, this);
    FPola[nr] = p_Pole;
    // A plugged simple field is there to be used, whatever it holds.
    UstawBit(p_Nr, !dynamic_cast<TObiektBazowy *>(p_Pole));
    // Plugging a field into its own place must not free it.
    if (p_ZwolnijCel && poprzednie != p_Pole) {
        delete poprzednie;
        return nullptr;
    }
    return poprzednie;
}

TPole *TObiekt::WypnijPole(int16_t p_Nr, TObiektBazowy *p_PoprzRodzic, TPole *p_PoprzPole)
{
    TPole *pole = PoleJesliJest(p_Nr);
    if (!pole && !p_PoprzPole)
        return nullptr;
    NrPolaWymagany(int(p_Nr), "WypnijPole");
    const auto nr = static_cast<size_t>(p_Nr);
    if (FPola.size() <= nr)
        FPola.resize(nr + 1, nullptr);
    FPola[nr] = p_PoprzPole;
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
    };
    std::vector<TWpiete> wpiete;
    // Only the plugged fields' own bits come back: the procedure may change the others.
    auto przywroc = [&] {
        for (auto it = wpiete.rbegin(); it != wpiete.rend(); ++it) {
            WypnijPole(it->Nr, it->PoprzRodzic, it->Poprzednie);
            UstawBit(it->Nr, it->MialoWartosc);
        }
    };
    try {
        for (size_t i = 0; i < nry.size(); ++i) {
            TWpiete wpiety{nry[i], nullptr, nullptr, Bit(nry[i])};
            wpiety.Poprzednie = WepnijPole(nry[i], p_Pola[i], wpiety.PoprzRodzic, false);
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
    };
    std::vector<TWypiete> wypiete;
    for (const int16_t nr : NryPol(p_KtorePola, "WykonajPoWypieciu")) {
        wypiete.push_back({nr, PoleJesliJest(nr), Bit(nr)});
        if (static_cast<size_t>(nr) < FPola.size())
            FPola[static_cast<size_t>(nr)] = nullptr;
        UstawBit(nr, false);
    }
    auto przywroc = [&] {
        for (auto it = wypiete.rbegin(); it != wypiete.rend(); ++it) {
            // A field the procedure created in the meantime gives way to the original.
            if (TPole *nowe = PoleJesliJest(it->Nr); nowe && nowe != it->Pole)
                delete nowe;
            if (FPola.size() <= static_cast<size_t>(it->Nr))
                FPola.resize(static_cast<size_t>(it->Nr) + 1, nullptr);
            FPola[static_cast<size_t>(it->Nr)] = it->Pole;
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
