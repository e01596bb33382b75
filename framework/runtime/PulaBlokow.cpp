#include "PulaBlokow.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <cstdint>
#include <mutex>
#include <vector>

#include <sys/mman.h>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define PULA_WYLACZONA 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PULA_WYLACZONA 1
#endif
#endif

namespace pula {
namespace {

constexpr std::size_t RozmiarSlabu = std::size_t(2) << 20;
constexpr std::size_t Krok = 16;
constexpr int Klas = static_cast<int>(NajwiekszyBlok / Krok);
// Address space only: slabs are made accessible one by one as they are needed.
constexpr std::size_t NajwiekszaRezerwacja = std::size_t(8) << 30;
constexpr std::size_t NajmniejszaRezerwacja = std::size_t(64) << 20;
constexpr uint32_t Partia = 64;
constexpr uint32_t PojemnoscWatku = 256;
constexpr int GotoweSlaby = 2;

constexpr std::size_t RozmiarKlasy(int p_Klasa)
{
    return static_cast<std::size_t>(p_Klasa + 1) * Krok;
}

struct TBlok
{
    TBlok *Nast;
};

struct TSlab
{
    TBlok *Wolne = nullptr; // given back
    char *Nowe = nullptr;   // never handed out: from here to Koniec
    char *Koniec = nullptr;
    uint32_t Zywe = 0; // handed out and not given back (threads' caches count)
    int Klasa = -1;    // -1: free
    bool MaMiejsce = false;
    TSlab *Nast = nullptr;
    TSlab *Poprz = nullptr;
};

// The shared state, made on first use and never destroyed: blocks may be
// freed from destructors of statics and of threads at any time.
struct TPula
{
    std::mutex Blokada;
    char *Poczatek = nullptr;
    std::size_t Slabow = 0;
    std::vector<TSlab> Slaby;
    // Slabs below this one have been made accessible; those among them that
    // are free and gave their memory back are marked here.
    std::size_t Uzyte = 0;
    std::vector<uint64_t> Oddane;
    TSlab *ZMiejscem[Klas] = {};
    TSlab *Gotowe[GotoweSlaby] = {};
    int IleGotowych = 0;
};

std::atomic<char *> poczatek{nullptr};
std::atomic<std::size_t> rezerwacja{0};
std::atomic<std::size_t> zajete{0};
std::atomic<std::size_t> trzymane{0};

// Trivially destructible, so it stays usable until its thread ends.
struct TPamiecWatku
{
    TBlok *Lista[Klas];
    uint32_t Ile[Klas];
    char *Nowe[Klas];
    char *Koniec[Klas];
    bool Straznik;
    bool Zamknieta;
};
thread_local TPamiecWatku watek;

// Gives the thread's cache back when the thread ends.
struct TStraznikWatku
{
    bool Jest = false;
    ~TStraznikWatku();
};
thread_local TStraznikWatku straznik;

TPula *utworzPule()
{
    auto *pula = new TPula;
    std::size_t rozmiar = NajwiekszaRezerwacja;
    // A limit of address space must still leave room for everything else.
    struct rlimit limit;
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        rozmiar = std::min<std::size_t>(rozmiar, limit.rlim_cur / 4 / RozmiarSlabu * RozmiarSlabu);
    for (; rozmiar >= NajmniejszaRezerwacja; rozmiar /= 2) {
        void *m = ::mmap(nullptr, rozmiar + RozmiarSlabu, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (m == MAP_FAILED)
            continue;
        // Slabs on 2 MB boundaries: a slab is one huge page, and a block finds its slab by division.
        char *surowy = static_cast<char *>(m);
        char *start = reinterpret_cast<char *>((reinterpret_cast<uintptr_t>(surowy) + RozmiarSlabu - 1)
                                               & ~(uintptr_t(RozmiarSlabu) - 1));
        if (start > surowy)
            ::munmap(surowy, static_cast<std::size_t>(start - surowy));
        if (char *koniec = surowy + rozmiar + RozmiarSlabu; koniec > start + rozmiar)
            ::munmap(start + rozmiar, static_cast<std::size_t>(koniec - (start + rozmiar)));
        pula->Poczatek = start;
        pula->Slabow = rozmiar / RozmiarSlabu;
        pula->Slaby.resize(pula->Slabow);
        pula->Oddane.assign((pula->Slabow + 63) / 64, 0);
        rezerwacja.store(rozmiar, std::memory_order_relaxed);
        poczatek.store(start, std::memory_order_release);
        break;
    }
    return pula;
}

TPula &dajPule()
{
    static TPula *pula = utworzPule();
    return *pula;
}

std::size_t nrSlabu(const void *p_Blok)
{
    return static_cast<std::size_t>(static_cast<const char *>(p_Blok) - poczatek.load(std::memory_order_relaxed))
           / RozmiarSlabu;
}

void naListe(TPula &p_Pula, TSlab &p_Slab)
{
    TSlab *&glowa = p_Pula.ZMiejscem[p_Slab.Klasa];
    p_Slab.Poprz = nullptr;
    p_Slab.Nast = glowa;
    if (glowa)
        glowa->Poprz = &p_Slab;
    glowa = &p_Slab;
    p_Slab.MaMiejsce = true;
}

void zListy(TPula &p_Pula, TSlab &p_Slab)
{
    if (!p_Slab.MaMiejsce)
        return;
    (p_Slab.Poprz ? p_Slab.Poprz->Nast : p_Pula.ZMiejscem[p_Slab.Klasa]) = p_Slab.Nast;
    if (p_Slab.Nast)
        p_Slab.Nast->Poprz = p_Slab.Poprz;
    p_Slab.Nast = p_Slab.Poprz = nullptr;
    p_Slab.MaMiejsce = false;
}

char *adresSlabu(const TPula &p_Pula, const TSlab &p_Slab)
{
    return p_Pula.Poczatek + static_cast<std::size_t>(&p_Slab - p_Pula.Slaby.data()) * RozmiarSlabu;
}

// A slab for class p_Klasa: a kept one, the lowest one given back, or a new one; null when the range is used up.
TSlab *nowySlab(TPula &p_Pula, int p_Klasa)
{
    TSlab *slab = nullptr;
    if (p_Pula.IleGotowych > 0) {
        slab = p_Pula.Gotowe[--p_Pula.IleGotowych];
    } else {
        for (std::size_t s = 0; s < p_Pula.Oddane.size() && !slab; ++s)
            if (uint64_t slowo = p_Pula.Oddane[s]) {
                const std::size_t nr = s * 64 + static_cast<std::size_t>(__builtin_ctzll(slowo));
                p_Pula.Oddane[s] &= slowo - 1;
                slab = &p_Pula.Slaby[nr];
            }
        if (!slab) {
            if (p_Pula.Uzyte == p_Pula.Slabow)
                return nullptr;
            char *adres = p_Pula.Poczatek + p_Pula.Uzyte * RozmiarSlabu;
            if (::mprotect(adres, RozmiarSlabu, PROT_READ | PROT_WRITE) != 0)
                return nullptr;
            ::madvise(adres, RozmiarSlabu, MADV_HUGEPAGE);
            slab = &p_Pula.Slaby[p_Pula.Uzyte++];
        }
        trzymane.fetch_add(RozmiarSlabu, std::memory_order_relaxed);
    }
    char *adres = adresSlabu(p_Pula, *slab);
    slab->Klasa = p_Klasa;
    slab->Wolne = nullptr;
    slab->Nowe = adres;
    slab->Koniec = adres + RozmiarSlabu / RozmiarKlasy(p_Klasa) * RozmiarKlasy(p_Klasa);
    slab->Zywe = 0;
    naListe(p_Pula, *slab);
    return slab;
}

// A slab with no block out: kept while fewer than GotoweSlaby wait, else its memory goes back.
void zwolnijSlab(TPula &p_Pula, TSlab &p_Slab)
{
    zListy(p_Pula, p_Slab);
    p_Slab.Klasa = -1;
    if (p_Pula.IleGotowych < GotoweSlaby) {
        p_Pula.Gotowe[p_Pula.IleGotowych++] = &p_Slab;
        return;
    }
    ::madvise(adresSlabu(p_Pula, p_Slab), RozmiarSlabu, MADV_DONTNEED);
    const auto nr = static_cast<std::size_t>(&p_Slab - p_Pula.Slaby.data());
    p_Pula.Oddane[nr / 64] |= uint64_t(1) << (nr % 64);
    trzymane.fetch_sub(RozmiarSlabu, std::memory_order_relaxed);
}

// Under the lock.
void oddajDoSlabu(TPula &p_Pula, TBlok *p_Blok)
{
    TSlab &slab = p_Pula.Slaby[nrSlabu(p_Blok)];
    zajete.fetch_sub(RozmiarKlasy(slab.Klasa), std::memory_order_relaxed);
    p_Blok->Nast = slab.Wolne;
    slab.Wolne = p_Blok;
    if (--slab.Zywe == 0)
        zwolnijSlab(p_Pula, slab);
    else if (!slab.MaMiejsce)
        naListe(p_Pula, slab);
}

// Everything the thread's cache of class p_Klasa holds (from p_Ile blocks of its list on), back to the slabs.
void oddajZWatku(TPamiecWatku &p_Watek, int p_Klasa, uint32_t p_Ile)
{
    TPula &pula = dajPule();
    std::lock_guard<std::mutex> blokada(pula.Blokada);
    for (uint32_t i = 0; i < p_Ile && p_Watek.Lista[p_Klasa]; ++i) {
        TBlok *blok = p_Watek.Lista[p_Klasa];
        p_Watek.Lista[p_Klasa] = blok->Nast;
        --p_Watek.Ile[p_Klasa];
        oddajDoSlabu(pula, blok);
    }
}

TStraznikWatku::~TStraznikWatku()
{
    TPamiecWatku &w = watek;
    w.Zamknieta = true;
    TPula &pula = dajPule();
    std::lock_guard<std::mutex> blokada(pula.Blokada);
    for (int k = 0; k < Klas; ++k) {
        while (TBlok *blok = w.Lista[k]) {
            w.Lista[k] = blok->Nast;
            oddajDoSlabu(pula, blok);
        }
        for (char *b = w.Nowe[k]; b != w.Koniec[k]; b += RozmiarKlasy(k))
            oddajDoSlabu(pula, reinterpret_cast<TBlok *>(b));
        w.Ile[k] = 0;
        w.Nowe[k] = w.Koniec[k] = nullptr;
    }
}

void zapewnijStraznika(TPamiecWatku &p_Watek)
{
    // Touching the guard constructs it and has its destructor run at the thread's end.
    straznik.Jest = true;
    p_Watek.Straznik = true;
}

// The slow way: a batch from the slabs into the thread's cache.
[[maybe_unused]] void *dobierz(int p_Klasa)
{
    TPamiecWatku &w = watek;
    if (w.Zamknieta)
        return nullptr;
    if (!w.Straznik)
        zapewnijStraznika(w);
    TPula &pula = dajPule();
    if (!pula.Poczatek)
        return nullptr;
    const std::size_t rozmiar = RozmiarKlasy(p_Klasa);
    {
        std::lock_guard<std::mutex> blokada(pula.Blokada);
        TSlab *slab = pula.ZMiejscem[p_Klasa];
        if (!slab && !(slab = nowySlab(pula, p_Klasa)))
            return nullptr;
        uint32_t ile = 0;
        if (slab->Wolne) {
            TBlok *glowa = slab->Wolne;
            TBlok *ogon = glowa;
            for (ile = 1; ile < Partia && ogon->Nast; ++ile)
                ogon = ogon->Nast;
            slab->Wolne = ogon->Nast;
            ogon->Nast = nullptr;
            w.Lista[p_Klasa] = glowa;
            w.Ile[p_Klasa] = ile;
        } else {
            ile = static_cast<uint32_t>(
                std::min<std::size_t>(Partia, static_cast<std::size_t>(slab->Koniec - slab->Nowe) / rozmiar));
            w.Nowe[p_Klasa] = slab->Nowe;
            w.Koniec[p_Klasa] = slab->Nowe + ile * rozmiar;
            slab->Nowe += ile * rozmiar;
        }
        slab->Zywe += ile;
        zajete.fetch_add(ile * rozmiar, std::memory_order_relaxed);
        if (!slab->Wolne && slab->Nowe == slab->Koniec)
            zListy(pula, *slab);
    }
    return Przydziel(rozmiar);
}

} // namespace

void *Przydziel(std::size_t p_Rozmiar) noexcept
{
#ifdef PULA_WYLACZONA
    static_cast<void>(p_Rozmiar);
    return nullptr;
#else
    if (p_Rozmiar == 0 || p_Rozmiar > NajwiekszyBlok)
        return nullptr;
    const int k = static_cast<int>((p_Rozmiar - 1) / Krok);
    TPamiecWatku &w = watek;
    if (TBlok *blok = w.Lista[k]) {
        w.Lista[k] = blok->Nast;
        --w.Ile[k];
        return blok;
    }
    if (w.Nowe[k] != w.Koniec[k]) {
        char *blok = w.Nowe[k];
        w.Nowe[k] += RozmiarKlasy(k);
        return blok;
    }
    try {
        return dobierz(k);
    } catch (const std::exception &) {
        return nullptr;
    }
#endif
}

bool ZPuli(const void *p_Blok) noexcept
{
    const char *start = poczatek.load(std::memory_order_acquire);
    const auto *blok = static_cast<const char *>(p_Blok);
    return start && blok >= start && blok < start + rezerwacja.load(std::memory_order_relaxed);
}

void Zwolnij(void *p_Blok) noexcept
{
    TPula &pula = dajPule();
    // The class of a slab holding a live block is fixed until the block comes back.
    const int k = pula.Slaby[nrSlabu(p_Blok)].Klasa;
    TPamiecWatku &w = watek;
    auto *blok = static_cast<TBlok *>(p_Blok);
    if (w.Zamknieta || !w.Straznik) [[unlikely]] {
        if (w.Zamknieta) {
            std::lock_guard<std::mutex> blokada(pula.Blokada);
            oddajDoSlabu(pula, blok);
            return;
        }
        zapewnijStraznika(w);
    }
    blok->Nast = w.Lista[k];
    w.Lista[k] = blok;
    if (++w.Ile[k] > PojemnoscWatku)
        oddajZWatku(w, k, PojemnoscWatku / 2);
}

std::size_t ZajeteBajty() noexcept
{
    return zajete.load(std::memory_order_relaxed);
}

std::size_t TrzymaneBajty() noexcept
{
    return trzymane.load(std::memory_order_relaxed);
}

} // namespace pula
