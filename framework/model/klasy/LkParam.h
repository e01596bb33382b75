#pragma once

#include "Formatuj.h"
#include "Obiekt.h"
#include "PoleArrayOfConst.h"

#include <atomic>
#include <utility>

// A persistent object shared by whoever holds it: it is freed when its count
// of holders drops to zero. Create it with new and hand it on through TWskParam
// (or Zwieksz / Zwolnij); a count that never rose leaves freeing to the creator.
class TLkParamBazowy : public TKlasa<TLkParamBazowy, TObiekt>
{
public:
    using TKlasa::TKlasa;

    int RefCount() const { return FRefCount.load(); }
    void Zwieksz() { FRefCount.fetch_add(1); }
    // Frees the object when this was the last holder.
    void Zwolnij()
    {
        if (FRefCount.fetch_sub(1) == 1)
            delete this;
    }
    // Swaps the count (lists and copying move holders); the old count.
    int UstawRefCount(int p_RefCount) { return FRefCount.exchange(p_RefCount); }

private:
    std::atomic<int> FRefCount{0};
};

// One holder of a parameter object.
template <class T> class TWskParam
{
public:
    TWskParam() = default;
    TWskParam(T *p_Obiekt) : FObiekt(p_Obiekt)
    {
        if (FObiekt)
            FObiekt->Zwieksz();
    }
    TWskParam(const TWskParam &p_Inny) : TWskParam(p_Inny.FObiekt) {}
    TWskParam(TWskParam &&p_Inny) noexcept : FObiekt(std::exchange(p_Inny.FObiekt, nullptr)) {}
    TWskParam &operator=(TWskParam p_Inny) noexcept
    {
        std::swap(FObiekt, p_Inny.FObiekt);
        return *this;
    }
    ~TWskParam()
    {
        if (FObiekt)
            FObiekt->Zwolnij();
    }
    T *get() const { return FObiekt; }
    T *operator->() const { return FObiekt; }
    T &operator*() const { return *FObiekt; }
    explicit operator bool() const { return FObiekt != nullptr; }

private:
    T *FObiekt = nullptr;
};

// An open array of constants carried through the model as an object. Its
// field 0 holds the parameters, so every format carries them. An element
// that is itself a parameter object is held while it is an element (so one
// nobody held yet passes to the array and goes with it).
class TLkParam : public TKlasa<TLkParam, TLkParamBazowy>
{
public:
    enum : int16_t { PoleParametrow };
    static constexpr TOpisPola PolaKlasy[] = {{PoleParametrow, "Parametry", &TPoleArrayOfConst::Opis}};

    explicit TLkParam(TObiektBazowy *p_Rodzic = nullptr) : TKlasa(p_Rodzic) {}
    explicit TLkParam(const TArrayOfConst &p_Parametry, TObiektBazowy *p_Rodzic = nullptr);

    int IleParam() const { return static_cast<int>(Parametry().size()); }
    const TArrayOfConst &Parametry() const;
    // The element; LkException "błędny nr parametru: %d" out of range.
    const TVarRec &ParamNr(int p_Nr) const;
    TVarRec::TRodzaj TypParametru(int p_Nr) const { return ParamNr(p_Nr).Rodzaj(); }

    // Typed reads convert between numeric kinds; any other kind raises
    // LkException "błędny typ parametru: %d" (and an Integer read of a value
    // beyond 32 bits does too).
    QString ParamString(int p_Nr) const;
    int32_t ParamInteger(int p_Nr) const;
    int64_t ParamInt64(int p_Nr) const;
    bool ParamBoolean(int p_Nr) const;
    double ParamExtended(int p_Nr) const;
    // The value times 10000.
    int64_t ParamCurrency(int p_Nr) const;
    // Texts of either width are one string type here.
    QString ParamWideString(int p_Nr) const { return ParamString(p_Nr); }
    // Scalars in the variant of their kind; objects and pointers raise as above.
    Variant ParamVariant(int p_Nr) const;

    // Equal kind class (text, integer, float, object) and value; texts exactly.
    bool JestTakiParam(const TVarRec &p_Wartosc) const;
    // Any object is taken, persistent or not: the caller's parameters are
    // carried as given.
    void DolaczParam(const TVarRec &p_Wartosc);
    // Appends when no equal element is present; whether it was appended.
    bool DodajGdyBrak(const TVarRec &p_Wartosc);
    void UsunParamNr(int p_Nr);

    // The element as text: texts as they are, numbers in the model's forms,
    // Booleans as the Boolean words, objects by class name.
    QString ParamToStr(int p_Nr) const;
    // The elements as text, joined by ", ".
    QString OpisTekstowy() const override;

private:
    TPoleArrayOfConst &Tablica() { return Pole<TPoleArrayOfConst>(PoleParametrow); }
};
