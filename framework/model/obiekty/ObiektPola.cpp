// Where a TObiekt keeps its fields: one block laid out by the class's TUkladPol
// (bit sets, value fields in place, objects behind pointers), and the fields
// that stand in for its own ones for a while (plugged in, or of a class the
// table does not place), kept with the object's seldom-used extras.
#include "Obiekt.h"

#include "Formatuj.h"
#include "KopierDanych.h"
#include "PulaBlokow.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

// Blocks larger than this go to the heap on first need instead of riding
// along with every object of the class.
constexpr uint32_t NajwiekszyBlokWObiekcie = 512;

// An object made with new learns from here where its allocation keeps its block.
struct TNoweMiejsce
{
    const void *Obiekt = nullptr;
    std::byte *Blok = nullptr;
};
thread_local TNoweMiejsce noweMiejsce;

std::size_t wyrownaj(std::size_t p_Ile, std::size_t p_Do)
{
    return (p_Ile + p_Do - 1) / p_Do * p_Do;
}

bool bit(const std::byte *p_Bity, int16_t p_Nr)
{
    return (std::to_integer<unsigned>(p_Bity[p_Nr / 8]) >> (p_Nr % 8)) & 1u;
}

void ustawBit(std::byte *p_Bity, int16_t p_Nr, bool p_Ma)
{
    const auto maska = static_cast<std::byte>(1u << (p_Nr % 8));
    p_Bity[p_Nr / 8] = p_Ma ? (p_Bity[p_Nr / 8] | maska) : (p_Bity[p_Nr / 8] & ~maska);
}

} // namespace

void *TObiekt::PrzydzielPamiec(std::size_t p_Rozmiar, const TOpisKlasy &p_Klasa)
{
    const TUkladPol &uklad = TUkladPol::Dla(p_Klasa);
    if (uklad.Rozmiar() == 0 || uklad.Rozmiar() > NajwiekszyBlokWObiekcie
        || uklad.Wyrownanie() > alignof(std::max_align_t))
        return ::operator new(p_Rozmiar);
    const std::size_t przesuniecie = wyrownaj(p_Rozmiar, uklad.Wyrownanie());
    // Objects of a read come and go by the hundred thousand: small ones from the pool.
    const std::size_t calosc = przesuniecie + uklad.Rozmiar();
    void *miejsce = calosc <= pula::NajwiekszyBlok ? pula::Przydziel(calosc) : nullptr;
    if (!miejsce)
        miejsce = ::operator new(calosc);
    // Zero bits and null pointers: an empty block (value fields are built in it later).
    auto *blok = static_cast<std::byte *>(miejsce) + przesuniecie;
    std::memset(blok, 0, uklad.DoWyzerowania());
    noweMiejsce = {miejsce, blok};
    return miejsce;
}

void TObiekt::ZwolnijPamiec(void *p_Miejsce) noexcept
{
    // A constructor that failed before taking its block leaves the note behind.
    if (noweMiejsce.Obiekt == p_Miejsce)
        noweMiejsce = {};
    if (pula::ZPuli(p_Miejsce))
        pula::Zwolnij(p_Miejsce);
    else
        ::operator delete(p_Miejsce);
}

TObiekt::TObiekt(TObiektBazowy *p_Rodzic) : TKlasa(p_Rodzic)
{
    if (noweMiejsce.Obiekt == this) {
        FBlok = reinterpret_cast<uintptr_t>(noweMiejsce.Blok) | 1u;
        noweMiejsce = {};
    }
}

TObiekt::~TObiekt()
{
    RozbierzWDestruktorze();
}

std::byte *TObiekt::UtworzBlok(const TUkladPol &p_Uklad)
{
    auto *blok = static_cast<std::byte *>(::operator new(p_Uklad.Rozmiar()));
    std::memset(blok, 0, p_Uklad.DoWyzerowania());
    FBlok = reinterpret_cast<uintptr_t>(blok);
    return blok;
}

TObiektBazowy::TDodatki::TZastepca *TObiekt::Zastepca(int16_t p_Nr) const
{
    TDodatki *dodatki = DodatkiJesliSa();
    if (!dodatki)
        return nullptr;
    for (TDodatki::TZastepca &zastepca : dodatki->Zastepcy)
        if (zastepca.Nr == p_Nr)
            return &zastepca;
    return nullptr;
}

TPole *TObiekt::PoleJesliJest(int16_t p_Nr) const
{
    if (p_Nr < 0)
        return nullptr;
    if (const TDodatki::TZastepca *zastepca = Zastepca(p_Nr))
        return zastepca->Pole;
    return Blok() ? PoleWlasne(Uklad(), p_Nr) : nullptr;
}

TPole *TObiekt::PoleJesliJest(const TUkladPol &p_Uklad, int16_t p_Nr) const
{
    if (p_Nr < 0)
        return nullptr;
    if (const TDodatki::TZastepca *zastepca = Zastepca(p_Nr))
        return zastepca->Pole;
    return PoleWlasne(p_Uklad, p_Nr);
}

int16_t TObiekt::OstatniNrPola() const
{
    int16_t ostatni = static_cast<int16_t>(Uklad().Ile() - 1);
    if (const TDodatki *dodatki = DodatkiJesliSa())
        for (const TDodatki::TZastepca &zastepca : dodatki->Zastepcy)
            ostatni = std::max(ostatni, zastepca.Nr);
    return ostatni;
}

TPole &TObiekt::Pola(int16_t p_Nr)
{
    const TUkladPol &uklad = Uklad();
    if (TPole *pole = PoleJesliJest(uklad, p_Nr))
        return *pole;
    return NowePole(uklad, p_Nr);
}

TPole &TObiekt::NowePole(const TUkladPol &p_Uklad, int16_t p_Nr)
{
    const TOpisKlasy *klasa = nullptr;
    if (p_Uklad.TypyZTabeli()) {
        const TUkladPol::TMiejsce *miejsce = MiejsceWlasne(p_Uklad, p_Nr);
        klasa = miejsce ? miejsce->Pole->Klasa : nullptr;
    } else if (p_Nr >= 0) {
        klasa = TypPolaNr(p_Nr);
    }
    TPole *pole = klasa ? UtworzPole(p_Uklad, p_Nr, *klasa) : nullptr;
    if (!pole)
        throw LkException(
            Format(QStringLiteral("%s: Błędny nr pola = %d w %s"), {ClassName(), int(p_Nr), DajSciezkeDoSiebie()}));
    PoUtworzeniuPola(p_Nr);
    return *pole;
}

TPole *TObiekt::UtworzPole(const TUkladPol &p_Uklad, int16_t p_Nr, const TOpisKlasy &p_Klasa)
{
    // Objects take this one as their parent, tracked references as their owner.
    const TUkladPol::TMiejsce *miejsce = MiejsceWlasne(p_Uklad, p_Nr);
    TDodatki::TZastepca *zastepca = Zastepca(p_Nr);
    if (miejsce && miejsce->Pole->Klasa == &p_Klasa && !zastepca) {
        std::byte *blok = ZapewnijBlok(p_Uklad);
        std::byte *adres = blok + miejsce->Przesuniecie;
        if (!miejsce->WBloku) {
            TPole *pole = p_Klasa.Tworz(this);
            *reinterpret_cast<TPole **>(adres) = pole;
            if (pole)
                ustawBit(blok + p_Uklad.BajtyBitow(), p_Nr, true);
            return pole;
        }
        TPole *pole = miejsce->TworzW(adres, this);
        // The field is found again from its place, so it must begin there.
        if (reinterpret_cast<std::byte *>(pole) != adres) {
            pole->~TPole();
            return nullptr;
        }
        ustawBit(blok + p_Uklad.BajtyBitow(), p_Nr, true);
        return pole;
    }
    // Another class than the table's (a TypPolaNr of its own), a number past
    // the table, or the place is taken over for a while: the heap.
    std::unique_ptr<TPole> pole(p_Klasa.Tworz(this));
    if (!pole)
        return nullptr;
    if (zastepca) {
        zastepca->Pole = pole.get();
        zastepca->Wlasny = true;
    } else {
        Dodatki().Zastepcy.push_back({p_Nr, pole.get(), true, false});
    }
    return pole.release();
}

bool TObiekt::Bit(const TUkladPol &p_Uklad, int16_t p_Nr) const
{
    if (p_Nr < 0)
        return false;
    if (p_Nr >= p_Uklad.Ile()) {
        const TDodatki::TZastepca *zastepca = Zastepca(p_Nr);
        return zastepca && zastepca->MaWartosc;
    }
    const std::byte *blok = Blok();
    return blok && bit(blok, p_Nr);
}

void TObiekt::UstawBit(const TUkladPol &p_Uklad, int16_t p_Nr, bool p_Ma)
{
    if (p_Nr < 0)
        return;
    if (p_Nr >= p_Uklad.Ile()) {
        if (TDodatki::TZastepca *zastepca = Zastepca(p_Nr))
            zastepca->MaWartosc = p_Ma;
        return;
    }
    if (std::byte *blok = p_Ma ? ZapewnijBlok(p_Uklad) : Blok())
        ustawBit(blok, p_Nr, p_Ma);
}

TPole *TObiekt::Przeslon(int16_t p_Nr, TPole *p_Pole, bool p_Wlasny, bool p_Tymczasowo)
{
    TPole *poprzednie = PoleJesliJest(p_Nr);
    TPole *wlasne = Blok() ? PoleWlasne(Uklad(), p_Nr) : nullptr;
    TDodatki::TZastepca *zastepca = Zastepca(p_Nr);
    if (p_Pole == wlasne) {
        // The object's own field (or its empty place) shows again.
        if (zastepca) {
            std::vector<TDodatki::TZastepca> &zastepcy = DodatkiJesliSa()->Zastepcy;
            zastepcy.erase(zastepcy.begin() + (zastepca - zastepcy.data()));
        }
    } else if (zastepca) {
        zastepca->Pole = p_Pole;
        zastepca->Wlasny = p_Wlasny;
        zastepca->Tymczasowy = p_Tymczasowo;
    } else {
        Dodatki().Zastepcy.push_back({p_Nr, p_Pole, p_Wlasny, false, p_Tymczasowo});
    }
    return poprzednie;
}

TPole *TObiekt::Odlacz(int16_t p_Nr, bool p_DoZwolnienia)
{
    if (TDodatki::TZastepca *zastepca = Zastepca(p_Nr)) {
        TPole *pole = zastepca->Pole;
        std::vector<TDodatki::TZastepca> &zastepcy = DodatkiJesliSa()->Zastepcy;
        zastepcy.erase(zastepcy.begin() + (zastepca - zastepcy.data()));
        return pole;
    }
    const TUkladPol &uklad = Uklad();
    TPole *pole = PoleWlasne(uklad, p_Nr);
    if (!pole)
        return nullptr;
    std::byte *blok = Blok();
    const TUkladPol::TMiejsce &miejsce = uklad[p_Nr];
    if (!miejsce.WBloku) {
        *reinterpret_cast<TPole **>(blok + miejsce.Przesuniecie) = nullptr;
        ustawBit(blok + uklad.BajtyBitow(), p_Nr, false);
        return pole;
    }
    // A field leaving its place in the block goes as a copy on the heap: a value
    // field is its value, so nothing can tell the two apart.
    std::unique_ptr<TPole> kopia;
    if (!p_DoZwolnienia) {
        kopia.reset(pole->Klasa().Tworz(this));
        kopia->KopiujDane(*pole);
    }
    ustawBit(blok + uklad.BajtyBitow(), p_Nr, false);
    pole->~TPole();
    return kopia.release();
}

void TObiekt::UsunPola()
{
    QString bledy;
    // Sub-objects are dismantled before they go, so their failures join these.
    auto usun = [&](TPole *p_Pole) {
        if (TObiektBazowy *obiekt = p_Pole->JakoObiekt()) {
            const QString tekst = obiekt->Rozbierz();
            if (!tekst.isEmpty())
                bledy += (bledy.isEmpty() ? QString() : QStringLiteral("\r")) + tekst;
        }
        delete p_Pole;
    };
    // Fields stood in for a while (WykonajPoWpieciu, WykonajPoWypieciu) stay
    // out of sight, and so do the object's own fields behind them: the
    // procedure's end puts those back.
    std::vector<int16_t> przesloniete;
    if (TDodatki *dodatki = DodatkiJesliSa()) {
        std::vector<TDodatki::TZastepca> zastepcy;
        zastepcy.swap(dodatki->Zastepcy);
        for (const TDodatki::TZastepca &zastepca : zastepcy) {
            if (zastepca.Wlasny && zastepca.Pole)
                usun(zastepca.Pole);
            if (zastepca.Tymczasowy) {
                przesloniete.push_back(zastepca.Nr);
                dodatki->Zastepcy.push_back({zastepca.Nr, nullptr, false, false, true});
            }
        }
    }
    if (std::byte *blok = Blok()) {
        // Unchecked: a destructor knows the class only as far as it is still built.
        const TUkladPol &uklad = TUkladPol::Dla(DajOpisKlasy());
        std::byte *zbudowane = blok + uklad.BajtyBitow();
        // The block stays while fields go: a field may still ask its owner for its bits.
        // Only the fields there are, a byte of the set at a time (an emptied object has none).
        for (uint32_t bajt = 0; bajt < uklad.BajtyBitow(); ++bajt)
            for (unsigned pominiete = 0;;) {
                const unsigned bity = std::to_integer<unsigned>(zbudowane[bajt]) & ~pominiete;
                if (!bity)
                    break;
                const auto nr = static_cast<int16_t>(bajt * 8 + static_cast<uint32_t>(__builtin_ctz(bity)));
                if (std::find(przesloniete.begin(), przesloniete.end(), nr) != przesloniete.end()) {
                    pominiete |= bity & -bity;
                    continue;
                }
                ustawBit(zbudowane, nr, false);
                const TUkladPol::TMiejsce &miejsce = uklad[nr];
                std::byte *adres = blok + miejsce.Przesuniecie;
                if (miejsce.WBloku)
                    std::launder(reinterpret_cast<TPole *>(adres))->~TPole();
                else
                    usun(std::exchange(*reinterpret_cast<TPole **>(adres), nullptr));
            }
        std::memset(blok, 0, uklad.BajtyBitow());
        if (!(FBlok & 1u) && przesloniete.empty()) {
            FBlok = 0;
            ::operator delete(blok);
        }
    }
    if (!bledy.isEmpty())
        throw LkException(bledy);
}

void TObiekt::ZerujDane()
{
    UsunPola();
}

void TObiekt::StraconoCelPola(const TPole &p_Pole)
{
    for (int16_t nr = 0; nr <= OstatniNrPola(); ++nr)
        if (PoleJesliJest(nr) == &p_Pole) {
            UstawBit(nr, false);
            return;
        }
}

TPole &TObiekt::PoleKlasy(int16_t p_Nr, const TOpisKlasy &p_Klasa, bool p_ZWartoscia)
{
    const TUkladPol &uklad = Uklad();
    // The common case, every field of every object a reader fills: a value
    // field in its own place, nothing standing in for it, of the class its table names.
    auto bezZastepcow = [this] {
        const TDodatki *dodatki = DodatkiJesliSa();
        return !dodatki || dodatki->Zastepcy.empty();
    };
    if (const TUkladPol::TMiejsce *wlasne = MiejsceWlasne(uklad, p_Nr); wlasne && wlasne->WBloku && bezZastepcow()) {
        TPole *pole = PoleWlasne(uklad, p_Nr);
        if (!pole)
            pole = &NowePole(uklad, p_Nr);
        // A class of its own answering TypPolaNr may have put another class's field aside.
        if (bezZastepcow()) {
            const TOpisKlasy &klasa = *wlasne->Pole->Klasa;
            if (&klasa != &p_Klasa && !klasa.DziedziczyPo(p_Klasa))
                BlednyTypPola(p_Nr);
            if (p_ZWartoscia)
                ustawBit(Blok(), p_Nr, true);
            return *pole;
        }
    }
    TPole *pole = PoleJesliJest(uklad, p_Nr);
    if (!pole)
        pole = &NowePole(uklad, p_Nr);
    // A field in its own place in the block is of the class its table names:
    // no need to ask the field.
    const TUkladPol::TMiejsce *miejsce = MiejsceWlasne(uklad, p_Nr);
    const bool naMiejscu = miejsce && miejsce->WBloku && !Zastepca(p_Nr) && pole == PoleWlasne(uklad, p_Nr);
    const TOpisKlasy &klasa = naMiejscu ? *miejsce->Pole->Klasa : pole->Klasa();
    if (&klasa != &p_Klasa && !klasa.DziedziczyPo(p_Klasa))
        BlednyTypPola(p_Nr);
    if (p_ZWartoscia) {
        if (naMiejscu)
            ustawBit(Blok(), p_Nr, true);
        else
            UstawMaWartosc(p_Nr, true);
    }
    return *pole;
}

void TObiekt::BlednyTypPola(int16_t p_Nr) const
{
    throw LkException(Format(QStringLiteral("%s: Błędny typ pola %s"), {ClassName(), NazwaPolaNr(p_Nr)}));
}

int64_t TObiekt::ZajmowanaPamiec() const
{
    int64_t suma = sizeof(*this);
    const TUkladPol &uklad = Uklad();
    if (Blok() && !(FBlok & 1u))
        suma += uklad.Rozmiar();
    for (int16_t nr = 0; nr <= OstatniNrPola(); ++nr)
        if (const TPole *pole = PoleJesliJest(nr)) {
            suma += pole->ZajmowanaPamiec();
            // A field in its place in the block counts in the block already.
            if (pole == PoleWlasne(uklad, nr) && uklad[nr].WBloku)
                suma -= static_cast<int64_t>(pole->Klasa().Cechy().Rozmiar);
        }
    return suma;
}
