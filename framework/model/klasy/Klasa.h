#pragma once

#include "OpisKlasy.h"

#include <array>
#include <cstddef>
#include <memory>
#include <new>
#include <span>
#include <string_view>
#include <type_traits>
#include <typeinfo>

namespace KlasyModelu {

// The class's name as the compiler spells it in a function signature, taken
// between the spots where "int" stands in the same signature.
template <typename T> constexpr std::string_view Sygnatura()
{
    return __PRETTY_FUNCTION__;
}
inline constexpr std::string_view SygnaturaInt = Sygnatura<int>();
inline constexpr std::size_t PrzedNazwa = SygnaturaInt.find("T = int") + 4;
inline constexpr std::size_t PoNazwie = SygnaturaInt.size() - PrzedNazwa - 3;

template <typename T> constexpr std::string_view NazwaBezPrzestrzeni()
{
    std::string_view nazwa = Sygnatura<T>();
    nazwa = nazwa.substr(PrzedNazwa, nazwa.size() - PrzedNazwa - PoNazwie);
    const std::size_t dwukropek = nazwa.rfind("::");
    return dwukropek == std::string_view::npos ? nazwa : nazwa.substr(dwukropek + 2);
}

template <typename T> struct TNazwa
{
    static constexpr std::string_view Widok = NazwaBezPrzestrzeni<T>();
    static_assert(Widok.find('<') == std::string_view::npos,
                  "an instance of a class template is named by specialising NazwaKlasyModelu");
    static constexpr std::array<char, Widok.size() + 1> Znaki = [] {
        std::array<char, Widok.size() + 1> znaki{};
        for (std::size_t i = 0; i < Widok.size(); ++i)
            znaki[i] = Widok[i];
        return znaki;
    }();
};

template <typename> struct TKlasaMetody;
template <typename R, typename C, typename... A> struct TKlasaMetody<R (C::*)(A...) const>
{
    using Typ = C;
};

// Whether T keeps the TypPolaNr of the class that names itself TTypyPolZTabeli.
template <typename T> constexpr bool TypyPolZTabeli()
{
    if constexpr (requires { typename T::TTypyPolZTabeli; })
        return std::is_same_v<typename TKlasaMetody<decltype(&T::TypPolaNr)>::Typ, typename T::TTypyPolZTabeli>;
    else
        return false;
}

// Whether the dynamic type of p_Obiekt is one of the two (a template, so
// that TPole need only be complete where this is used).
template <typename T1, typename T2, typename P> bool JestTypu(const P &p_Obiekt)
{
    return typeid(p_Obiekt) == typeid(T1) || typeid(p_Obiekt) == typeid(T2);
}

template <typename T> constexpr bool MaBaze()
{
    return requires { typename T::Baza; };
}

constexpr bool TeSameNazwy(const char *p_A, const char *p_B)
{
    auto mala = [](char p_Znak) { return p_Znak >= 'A' && p_Znak <= 'Z' ? static_cast<char>(p_Znak - 'A' + 'a') : p_Znak; };
    for (; *p_A && *p_B; ++p_A, ++p_B)
        if (mala(*p_A) != mala(*p_B))
            return false;
    return *p_A == *p_B;
}

// The most derived declaration of field p_Nr in T and its ancestors; null when none.
template <typename T> constexpr const TOpisPola *PoleNr(int16_t p_Nr)
{
    for (const TOpisPola &pole : std::span<const TOpisPola>(T::PolaKlasy))
        if (pole.Numer == p_Nr)
            return &pole;
    if constexpr (MaBaze<T>())
        return PoleNr<typename T::Baza>(p_Nr);
    else
        return nullptr;
}

template <typename T> constexpr int MaxNrPola()
{
    int maks = -1;
    if constexpr (MaBaze<T>())
        maks = MaxNrPola<typename T::Baza>();
    for (const TOpisPola &pole : std::span<const TOpisPola>(T::PolaKlasy))
        maks = pole.Numer > maks ? pole.Numer : maks;
    return maks;
}

// Whether a field of another number in T or its ancestors carries that name.
template <typename T> constexpr bool NazwaZajeta(const char *p_Nazwa, int16_t p_OproczNr)
{
    for (const TOpisPola &pole : std::span<const TOpisPola>(T::PolaKlasy))
        if (pole.Numer != p_OproczNr && TeSameNazwy(pole.Nazwa, p_Nazwa))
            return true;
    if constexpr (MaBaze<T>())
        return NazwaZajeta<typename T::Baza>(p_Nazwa, p_OproczNr);
    else
        return false;
}

// A class's own table: numbers ascend, new ones
// follow the ancestors' last without a gap; a number an ancestor uses is that
// ancestor's field declared again under its own name; no two fields share a name.
template <typename T> constexpr bool PolaPoprawne()
{
    const std::span<const TOpisPola> wlasne(T::PolaKlasy);
    int nastepny = 0;
    if constexpr (MaBaze<T>())
        nastepny = MaxNrPola<typename T::Baza>() + 1;
    for (std::size_t i = 0; i < wlasne.size(); ++i) {
        const TOpisPola &pole = wlasne[i];
        // (A field without a class is refused when the table is first used:
        // its address cannot be compared here under every compiler's checks.)
        if (!pole.Nazwa || (i > 0 && pole.Numer <= wlasne[i - 1].Numer))
            return false;
        const TOpisPola *przodka = nullptr;
        if constexpr (MaBaze<T>())
            przodka = PoleNr<typename T::Baza>(pole.Numer);
        if (przodka) {
            if (!TeSameNazwy(przodka->Nazwa, pole.Nazwa))
                return false;
        } else if (pole.Numer != nastepny++) {
            return false;
        }
        if (NazwaZajeta<T>(pole.Nazwa, pole.Numer))
            return false;
    }
    return true;
}

} // namespace KlasyModelu

// The name a class's descriptor gives it: the C++ class's own name, without
// namespaces. Instances of a class template are named by specialising this.
template <typename TKlasaModelu> inline constexpr const char *NazwaKlasyModelu = KlasyModelu::TNazwa<TKlasaModelu>::Znaki.data();

// Whether a class's field table (its static PolaKlasy with those of its Baza
// chain) is sound; TKlasa refuses to compile a class whose table is not.
template <typename TKlasaModelu> inline constexpr bool PolaKlasyPoprawne = KlasyModelu::PolaPoprawne<TKlasaModelu>();

template <typename TKlasaModelu, typename TBaza> class TKlasa;

// Whether the class declared itself (derives from TKlasa with itself as the
// first argument) rather than inheriting its parent's declaration.
template <typename TKlasaModelu> constexpr bool JestZadeklarowana()
{
    if constexpr (KlasyModelu::MaBaze<TKlasaModelu>())
        return std::is_base_of_v<TKlasa<TKlasaModelu, typename TKlasaModelu::Baza>, TKlasaModelu>;
    else
        return false;
}

// How a persistent class declares itself, naming itself once:
//
//     class TOsoba : public TKlasa<TOsoba, TObiekt>
//     {
//     public:
//         static constexpr TOpisPola PolaKlasy[] = {
//             {0, "Imie", &TPoleString::Opis}, {1, "Wiek", &TPoleByte::Opis}, {2, "Aktywna", &TPoleBoolean::Opis}};
//     };
//
// It supplies the descriptor (Opis: name, parent, virtual constructor, fields),
// the class reference of instances and the checks: a wrong field table does not
// compile, and an instance of a class derived without its own TKlasa raises at
// the first question about its class. Constructors are the base's; the virtual
// constructor passes the parent to one taking it, or sets it after a default one.
template <typename TKlasaModelu, typename TBaza> class TKlasa : public TBaza
{
public:
    using Baza = TBaza;
    using TBaza::TBaza;

    static const TOpisKlasy Opis;
    // A class with no fields of its own leaves this one in place.
    static constexpr std::span<const TOpisPola> PolaKlasy{};

    // The base decides where instances live (objects keep their fields behind themselves).
    static void *operator new(std::size_t p_Rozmiar) { return TBaza::PrzydzielPamiec(p_Rozmiar, Opis); }
    static void operator delete(void *p_Miejsce) noexcept { TBaza::ZwolnijPamiec(p_Miejsce); }

    // The most derived class dismantles the object while it still knows its class.
    ~TKlasa() override { this->RozbierzWDestruktorze(); }

protected:
    const TOpisKlasy &DajOpisKlasy() const override
    {
        static_assert(PolaKlasyPoprawne<TKlasaModelu>,
                      "field table: numbers ascending from the parent's last without gaps, names unique");
        return Opis;
    }

private:
    static constexpr bool ZRodzicem = std::is_constructible_v<TKlasaModelu, TObiektBazowy *>;
    // Abstract classes, and classes built only through their own constructors,
    // have no virtual constructor.
    static constexpr bool Tworzona =
        !std::is_abstract_v<TKlasaModelu> && (ZRodzicem || std::is_default_constructible_v<TKlasaModelu>);

    static TPole *Tworz(TObiektBazowy *p_Rodzic)
    {
        if constexpr (!Tworzona) {
            return nullptr;
        } else if constexpr (ZRodzicem) {
            return new TKlasaModelu(p_Rodzic);
        } else {
            std::unique_ptr<TKlasaModelu> nowy(new TKlasaModelu);
            nowy->UstawRodzicaPoUtworzeniu(p_Rodzic);
            return nowy.release();
        }
    }
    static TPole *TworzW(void *p_Miejsce, TObiektBazowy *p_Rodzic)
    {
        if constexpr (!Tworzona)
            return nullptr;
        else if constexpr (ZRodzicem)
            return ::new (p_Miejsce) TKlasaModelu(p_Rodzic);
        else
            return ::new (p_Miejsce) TKlasaModelu;
    }
    static std::span<const TOpisPola> WlasnePola() { return TKlasaModelu::PolaKlasy; }
    static bool JestInstancja(const TPole &p_Pole)
    {
        // While its bases are built or dismantled an object is of this intermediate class.
        return KlasyModelu::JestTypu<TKlasaModelu, TKlasa>(p_Pole);
    }
    static const TCechyKlasy &Cechy()
    {
        static constexpr bool WBloku = Tworzona && TKlasaModelu::TrzymanyWBloku;
        static constexpr TCechyKlasy cechy{sizeof(TKlasaModelu), alignof(TKlasaModelu), WBloku ? &TworzW : nullptr,
                                           &typeid(TKlasaModelu), &typeid(TKlasa),
                                           KlasyModelu::TypyPolZTabeli<TKlasaModelu>()};
        return cechy;
    }
};

template <typename TKlasaModelu, typename TBaza>
const TOpisKlasy TKlasa<TKlasaModelu, TBaza>::Opis = {
    NazwaKlasyModelu<TKlasaModelu>, &TBaza::Opis, &TKlasa::Tworz, &TKlasa::WlasnePola, &TKlasa::Cechy, &TKlasa::JestInstancja, {}};
