#pragma once

#include <algorithm>
#include <memory>
#include <vector>

// The array every list keeps (object pointers, numbers): a count and a
// capacity that grow and shrink by fixed rules, so that a list's capacity is
// the same whatever the platform's allocator does.
template <typename T> class TTablicaListy
{
public:
    // The capacity after adding to a full array: small arrays grow in small
    // steps, large ones by an eighth, so appends stay amortised without much waste.
    static int NowaPojemnosc(int p_Pojemnosc)
    {
        if (p_Pojemnosc <= 8)
            return p_Pojemnosc + 4;
        if (p_Pojemnosc <= 128)
            return p_Pojemnosc + 16;
        return p_Pojemnosc + p_Pojemnosc / 8;
    }
    // The capacity after a removal: cut only when the array is not small and
    // more than a quarter of it is free.
    static int PojemnoscPoUsunieciu(int p_Pojemnosc, int p_Ile)
    {
        if (p_Pojemnosc > 32 && p_Pojemnosc - p_Ile > p_Pojemnosc / 4)
            return p_Ile + p_Ile / 8;
        return p_Pojemnosc;
    }

    int Ile() const { return FIle; }
    int Pojemnosc() const { return FPojemnosc; }
    T *Dane() { return FDane.get(); }
    const T *Dane() const { return FDane.get(); }
    T &operator[](int p_Nr) { return FDane[p_Nr]; }
    const T &operator[](int p_Nr) const { return FDane[p_Nr]; }

    // Exactly that many slots, never fewer than the count.
    void UstawPojemnosc(int p_Pojemnosc)
    {
        p_Pojemnosc = std::max(p_Pojemnosc, FIle);
        if (p_Pojemnosc == FPojemnosc)
            return;
        // Slots past the count are never read: they are not cleared.
        std::unique_ptr<T[]> nowe(p_Pojemnosc > 0 ? new T[p_Pojemnosc] : nullptr);
        std::copy(FDane.get(), FDane.get() + FIle, nowe.get());
        FDane = std::move(nowe);
        FPojemnosc = p_Pojemnosc;
    }
    // Room for one more, so that the insertion after it cannot fail.
    void ZapewnijMiejsce()
    {
        if (FIle == FPojemnosc)
            UstawPojemnosc(NowaPojemnosc(FPojemnosc));
    }
    // At p_Gdzie, clamped to the array.
    void Wstaw(T p_Wartosc, int p_Gdzie)
    {
        ZapewnijMiejsce();
        p_Gdzie = std::clamp(p_Gdzie, 0, FIle);
        std::copy_backward(FDane.get() + p_Gdzie, FDane.get() + FIle, FDane.get() + FIle + 1);
        FDane[p_Gdzie] = p_Wartosc;
        ++FIle;
    }
    T Wyjmij(int p_Nr, bool p_ZachowajPojemnosc)
    {
        T wartosc = FDane[p_Nr];
        std::copy(FDane.get() + p_Nr + 1, FDane.get() + FIle, FDane.get() + p_Nr);
        --FIle;
        if (!p_ZachowajPojemnosc)
            Zmniejsz();
        return wartosc;
    }
    // The count changed by hand (lowered, or raised with the new slots zeroed).
    void UstawIle(int p_Ile)
    {
        p_Ile = std::max(p_Ile, 0);
        if (p_Ile > FPojemnosc)
            UstawPojemnosc(p_Ile);
        if (p_Ile > FIle)
            std::fill(FDane.get() + FIle, FDane.get() + p_Ile, T());
        FIle = p_Ile;
    }
    // The shrink rule, after removals.
    void Zmniejsz() { UstawPojemnosc(PojemnoscPoUsunieciu(FPojemnosc, FIle)); }
    // Empties the array and hands back what it held (the capacity goes too).
    std::vector<T> Oproznij()
    {
        std::vector<T> byly(FDane.get(), FDane.get() + FIle);
        FDane.reset();
        FIle = 0;
        FPojemnosc = 0;
        return byly;
    }

private:
    std::unique_ptr<T[]> FDane;
    int FIle = 0;
    int FPojemnosc = 0;
};
