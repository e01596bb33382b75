#include "PulaBlokow.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include <pthread.h>
#include <signal.h>
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
// Slabs given back by the background thread in one go, outside the lock.
constexpr int PartiaZwrotu = 64;

using TZegar = std::chrono::steady_clock;

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
    // A class's list of slabs with room, or (free) the list of free slabs in memory.
    TSlab *Nast = nullptr;
    TSlab *Poprz = nullptr;
    TZegar::time_point Zwolniony; // when it became free
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
    // Free slabs still in memory, the longest free first.
    TSlab *Wolne = nullptr;
    TSlab *OstatniWolny = nullptr;
    std::size_t IleWolnych = 0;
    // The background thread that gives back free slabs as they expire.
    std::condition_variable Budzik;
    bool WatekDziala = false;
};

std::atomic<char *> poczatek{nullptr};
std::atomic<std::size_t> rezerwacja{0};
std::atomic<std::size_t> zajete{0};
std::atomic<std::size_t> trzymane{0};
std::atomic<unsigned> czasZwrotu{3000};

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

TPula &dajPule();

// A fork while the background thread holds the lock would leave the child's
// pool locked for good; the child has no such thread and starts its own.
void przedForkiem()
{
    dajPule().Blokada.lock();
}

void poForkuRodzic()
{
    dajPule().Blokada.unlock();
}

void poForkuDziecko()
{
    TPula &pula = dajPule();
    pula.WatekDziala = false;
    pula.Blokada.unlock();
}

TPula *utworzPule()
{
    auto *pula = new TPula;
    ::pthread_atfork(&przedForkiem, &poForkuRodzic, &poForkuDziecko);
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

void zWolnych(TPula &p_Pula, TSlab &p_Slab)
{
    (p_Slab.Poprz ? p_Slab.Poprz->Nast : p_Pula.Wolne) = p_Slab.Nast;
    (p_Slab.Nast ? p_Slab.Nast->Poprz : p_Pula.OstatniWolny) = p_Slab.Poprz;
    p_Slab.Nast = p_Slab.Poprz = nullptr;
    --p_Pula.IleWolnych;
}

// The memory of free slabs taken off the list goes back to the system (no lock needed).
void zwolnijPamiec(const TPula &p_Pula, TSlab *const *p_Slaby, int p_Ile)
{
    for (int i = 0; i < p_Ile; ++i)
        ::madvise(adresSlabu(p_Pula, *p_Slaby[i]), RozmiarSlabu, MADV_DONTNEED);
}

// Under the lock, after zwolnijPamiec: the slabs are marked as given back.
void oznaczOddane(TPula &p_Pula, TSlab *const *p_Slaby, int p_Ile)
{
    for (int i = 0; i < p_Ile; ++i) {
        const auto nr = static_cast<std::size_t>(p_Slaby[i] - p_Pula.Slaby.data());
        p_Pula.Oddane[nr / 64] |= uint64_t(1) << (nr % 64);
    }
    trzymane.fetch_sub(static_cast<std::size_t>(p_Ile) * RozmiarSlabu, std::memory_order_relaxed);
}

bool wygasl(const TSlab &p_Slab, TZegar::time_point p_Teraz)
{
    return p_Teraz - p_Slab.Zwolniony >= std::chrono::milliseconds(czasZwrotu.load(std::memory_order_relaxed));
}

// Under the lock: up to PartiaZwrotu of the free slabs off the list, the
// longest free first; all of them with p_Wszystkie, otherwise those expired
// beyond the ones kept ready. Their number.
int wybierzDoOddania(TPula &p_Pula, TSlab **p_Slaby, bool p_Wszystkie)
{
    const TZegar::time_point teraz = TZegar::now();
    int ile = 0;
    while (ile < PartiaZwrotu && p_Pula.Wolne
           && (p_Wszystkie || (p_Pula.IleWolnych > GotoweSlaby && wygasl(*p_Pula.Wolne, teraz)))) {
        TSlab *slab = p_Pula.Wolne;
        zWolnych(p_Pula, *slab);
        p_Slaby[ile++] = slab;
    }
    return ile;
}

// The background thread: sleeps until the longest free slab beyond those
// kept ready expires, gives back what has expired (the memory outside the
// lock, so that allocating threads do not wait on the system) and sleeps again.
void watekZwrotu()
{
    TPula &pula = dajPule();
    std::unique_lock<std::mutex> blokada(pula.Blokada);
    for (;;) {
        if (pula.IleWolnych <= GotoweSlaby) {
            pula.Budzik.wait(blokada);
            continue;
        }
        const TZegar::time_point termin =
            pula.Wolne->Zwolniony + std::chrono::milliseconds(czasZwrotu.load(std::memory_order_relaxed));
        if (TZegar::now() < termin) {
            pula.Budzik.wait_until(blokada, termin);
            continue;
        }
        TSlab *slaby[PartiaZwrotu];
        const int ile = wybierzDoOddania(pula, slaby, false);
        blokada.unlock();
        zwolnijPamiec(pula, slaby, ile);
        blokada.lock();
        oznaczOddane(pula, slaby, ile);
    }
}

// Under the lock: the background thread, when there is work for it. Without
// one (none could be started) expired slabs go back here, in the lock.
void pilnujZwrotu(TPula &p_Pula)
{
    if (p_Pula.IleWolnych <= GotoweSlaby)
        return;
    if (!p_Pula.WatekDziala) {
        // Signals meant for the program go to its own threads, never to this one.
        sigset_t wszystkie, dotad;
        ::sigfillset(&wszystkie);
        ::pthread_sigmask(SIG_SETMASK, &wszystkie, &dotad);
        try {
            std::thread(watekZwrotu).detach();
            p_Pula.WatekDziala = true;
        } catch (const std::exception &) {
            ::pthread_sigmask(SIG_SETMASK, &dotad, nullptr);
            TSlab *slaby[PartiaZwrotu];
            while (const int ile = wybierzDoOddania(p_Pula, slaby, false)) {
                zwolnijPamiec(p_Pula, slaby, ile);
                oznaczOddane(p_Pula, slaby, ile);
            }
            return;
        }
        ::pthread_sigmask(SIG_SETMASK, &dotad, nullptr);
    }
    if (p_Pula.IleWolnych == GotoweSlaby + 1)
        p_Pula.Budzik.notify_one();
}

// A slab for class p_Klasa: the one freed last, the lowest one given back, or a new one; null when the range is used up.
TSlab *nowySlab(TPula &p_Pula, int p_Klasa)
{
    TSlab *slab = nullptr;
    if (p_Pula.OstatniWolny) {
        slab = p_Pula.OstatniWolny;
        zWolnych(p_Pula, *slab);
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

// A slab with no block out joins the free ones, the freshest, until it expires.
void zwolnijSlab(TPula &p_Pula, TSlab &p_Slab)
{
    zListy(p_Pula, p_Slab);
    p_Slab.Klasa = -1;
    p_Slab.Zwolniony = TZegar::now();
    p_Slab.Nast = nullptr;
    p_Slab.Poprz = p_Pula.OstatniWolny;
    (p_Pula.OstatniWolny ? p_Pula.OstatniWolny->Nast : p_Pula.Wolne) = &p_Slab;
    p_Pula.OstatniWolny = &p_Slab;
    ++p_Pula.IleWolnych;
    pilnujZwrotu(p_Pula);
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

// Everything the thread's cache holds, back to the slabs.
void oproznijWatek(TPamiecWatku &p_Watek)
{
    TPula &pula = dajPule();
    std::lock_guard<std::mutex> blokada(pula.Blokada);
    for (int k = 0; k < Klas; ++k) {
        while (TBlok *blok = p_Watek.Lista[k]) {
            p_Watek.Lista[k] = blok->Nast;
            oddajDoSlabu(pula, blok);
        }
        for (char *b = p_Watek.Nowe[k]; b != p_Watek.Koniec[k]; b += RozmiarKlasy(k))
            oddajDoSlabu(pula, reinterpret_cast<TBlok *>(b));
        p_Watek.Ile[k] = 0;
        p_Watek.Nowe[k] = p_Watek.Koniec[k] = nullptr;
    }
}

TStraznikWatku::~TStraznikWatku()
{
    watek.Zamknieta = true;
    oproznijWatek(watek);
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

void OddajWolne() noexcept
{
#ifndef PULA_WYLACZONA
    if (watek.Straznik && !watek.Zamknieta)
        oproznijWatek(watek);
    TPula &pula = dajPule();
    std::unique_lock<std::mutex> blokada(pula.Blokada);
    TSlab *slaby[PartiaZwrotu];
    while (const int ile = wybierzDoOddania(pula, slaby, true)) {
        blokada.unlock();
        zwolnijPamiec(pula, slaby, ile);
        blokada.lock();
        oznaczOddane(pula, slaby, ile);
    }
#endif
}

void UstawCzasZwrotu(unsigned p_Milisekundy) noexcept
{
    czasZwrotu.store(p_Milisekundy, std::memory_order_relaxed);
#ifndef PULA_WYLACZONA
    TPula &pula = dajPule();
    std::lock_guard<std::mutex> blokada(pula.Blokada);
    // The thread may be sleeping towards a later deadline.
    pula.Budzik.notify_one();
#endif
}

} // namespace pula
