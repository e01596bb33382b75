#pragma once

#include <cstddef>

// Small blocks for the object model. A read of a large document makes and
// frees objects by the hundred thousand, and a fresh 4 KB page of the heap
// costs more than the work done in it; here blocks come from 2 MB slabs of
// one address range the pool reserves itself, with huge pages advised, so a
// slab faults once. Each thread keeps a short cache of blocks per size (no
// lock on the way); the slabs are shared under one lock, taken a batch at a
// time. A slab whose blocks are all free goes back to the system, except at
// most two kept ready (4 MB); a thread's cache holds at most 256 blocks of a size.
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

} // namespace pula
