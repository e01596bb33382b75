#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

// Memory a writer fills at once: from DuzaStrona bytes on it is advised to
// come as huge pages, since on first touch a 4 KiB page costs more than the
// bytes written into it. Pages are still taken only when touched.
constexpr size_t DuzaStrona = size_t(2) << 20;

// Advises huge pages for the whole huge pages inside [p_Od, p_Od + p_Ile).
inline void DoradzDuzeStrony(void *p_Od, size_t p_Ile)
{
    const auto poczatek = reinterpret_cast<uintptr_t>(p_Od);
    const uintptr_t od = (poczatek + DuzaStrona - 1) & ~uintptr_t(DuzaStrona - 1);
    const uintptr_t doKonca = (poczatek + p_Ile) & ~uintptr_t(DuzaStrona - 1);
    if (doKonca > od)
        ::madvise(reinterpret_cast<void *>(od), doKonca - od, MADV_HUGEPAGE);
}
