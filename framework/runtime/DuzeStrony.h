#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

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

// For large growing arrays: a block of DuzaStrona bytes or more starts on a
// huge page and is advised so; smaller ones come from the usual heap.
template <typename T> struct TAlokatorDuzychStron
{
    using value_type = T;

    TAlokatorDuzychStron() = default;
    template <typename U> TAlokatorDuzychStron(const TAlokatorDuzychStron<U> &) {}

    T *allocate(size_t p_Ile)
    {
        const size_t bajty = p_Ile * sizeof(T);
        if (bajty < DuzaStrona)
            return static_cast<T *>(::operator new(bajty));
        const size_t zaokraglone = (bajty + DuzaStrona - 1) & ~(DuzaStrona - 1);
        void *pamiec = std::aligned_alloc(DuzaStrona, zaokraglone);
        if (!pamiec)
            throw std::bad_alloc();
        DoradzDuzeStrony(pamiec, zaokraglone);
        return static_cast<T *>(pamiec);
    }
    void deallocate(T *p_Pamiec, size_t p_Ile)
    {
        if (p_Ile * sizeof(T) < DuzaStrona)
            ::operator delete(p_Pamiec);
        else
            std::free(p_Pamiec);
    }

    template <typename U> bool operator==(const TAlokatorDuzychStron<U> &) const { return true; }
    template <typename U> bool operator!=(const TAlokatorDuzychStron<U> &) const { return false; }
};
