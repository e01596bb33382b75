#pragma once

#include <cstddef>

// Small blocks for the object model. A read of a large document makes and
// frees objects by the hundred thousand, and a fresh 4 KB page of the heap
// costs more than the work done in it; here blocks come from 2 MB slabs of
// one address range the pool reserves itself, with huge pages advised, so a
// slab faults once. Each thread keeps a short cache of blocks per size (no
// lock on the way); the slabs are shared under one lock, taken a batch at a
// time; a thread's cache holds at most 256 blocks of a size.
// A slab whose blocks are all free stays in memory for reuse, so a program
// that frees a tree and reads the next one does not fault its memory in
// again; it goes back to the system once it has been free for CzasZwrotu
// (3 s unless set), except for the two freed last (4 MB), kept ready. So
// what the pool holds beyond its blocks in use is at most what it held in
// the last few seconds. A background thread, started at the first such
// slab, gives them back when they expire, so an idle program shrinks too;
// OddajWolne gives every free slab back at once.
// Under AddressSanitizer the pool gives nothing: callers use the heap, and
// the fuzz builds see every use after free.
namespace pula {

constexpr std::size_t NajwiekszyBlok = 512;

// A block of p_Rozmiar bytes (at most NajwiekszyBlok), aligned for any type;
// null when the pool has none to give (callers then use the heap).
void *Przydziel(std::size_t p_Rozmiar) noexcept;
// Whether p_Blok came from Przydziel (any pointer may be asked).
bool ZPuli(const void *p_Blok) noexcept;
// Gives back a block of Przydziel, from any thread.
void Zwolnij(void *p_Blok) noexcept;

// Bytes of the blocks handed out (in use or waiting in the threads' caches),
// and of the slabs the pool holds in memory.
std::size_t ZajeteBajty() noexcept;
std::size_t TrzymaneBajty() noexcept;

// Gives the system every slab with no block out (this thread's cache
// first); the others' caches keep what they hold.
void OddajWolne() noexcept;
// How long a free slab stays for reuse: 3000 ms unless set.
void UstawCzasZwrotu(unsigned p_Milisekundy) noexcept;

} // namespace pula
