#pragma once

#include "ListaBazowa.h"
#include "ListaWartBazowa.h"
#include "TablicaListy.h"

#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <vector>

// A list of numbers of one type: values addressed by 0-based position, with
// the capacity rules of the object lists. Reading outside the list gives 0;
// writing needs a position inside it.
template <typename T> class TPoleListaLiczb : public TListaWartBazowa
{
public:
    using TWartosc = T;
    // Sums of integers do not overflow their type.
    using TSuma = std::conditional_t<std::is_integral_v<T>, int64_t, T>;

    using TListaWartBazowa::TListaWartBazowa;

    int Pojemnosc() const { return FWartosci.Pojemnosc(); }
    void UstawPojemnosc(int p_Pojemnosc) { FWartosci.UstawPojemnosc(p_Pojemnosc); }
    int Rozmiar() const { return FWartosci.Ile(); }
    // Keeps the old values and zeroes the new area; the capacity is raised when needed, never lowered.
    void UstawRozmiar(int p_Rozmiar, bool p_ZerujNowe = true);
    T Wartosci(int p_Nr) const { return p_Nr >= 0 && p_Nr < Rozmiar() ? FWartosci[p_Nr] : T(); }
    // LkException "%s.%s: indeks %d poza zakresem 0..%d" outside the list.
    void UstawWartosc(int p_Nr, T p_Wartosc);
    const T *begin() const { return FWartosci.Dane(); }
    const T *end() const { return FWartosci.Dane() + Rozmiar(); }

    // At p_Gdzie (beyond the end appends, negative means the front); the position.
    int DodajWartosc(T p_Wartosc, int p_Gdzie = INT32_MAX);
    // False when the list holds it already; in a sorted list at its place.
    bool DodajWartoscGdyBrak(T p_Wartosc, bool p_Posortowana = false);
    // Every whole number from p_Od to p_Do.
    void DodajZakres(T p_Od, T p_Do) requires std::is_integral_v<T>;
    void DodajZArrayOfInt(const std::vector<T> &p_Wartosci);
    void DolaczDane(const TPoleListaLiczb &p_Lista);
    void UsunElement(int p_Nr);
    // Every occurrence; their count.
    int UsunWartosc(T p_Wartosc);
    int UsunWartosci(const TPoleListaLiczb &p_Lista);
    // In a sorted list; false when it is not there.
    bool WyszukajIUsun(T p_Wartosc, TRodzajSortowania p_Sortowanie = rsRosnaco);
    // Later occurrences go; their count.
    int UsunDuplikaty();
    bool JestWartosc(T p_Wartosc) const { return Gdzie(p_Wartosc) >= 0; }
    int Gdzie(T p_Wartosc) const;
    bool JestWartoscZZakresu(T p_Od, T p_Do) const;
    // Binary search in a sorted list; p_Gdzie is the first value not before it.
    bool WyszukajWartosc(T p_Wartosc, int &p_Gdzie, TRodzajSortowania p_Sortowanie = rsRosnaco) const;
    void PosortujWartosci(TRodzajSortowania p_Sortowanie = rsRosnaco);
    TSuma SumaWartosci() const;
    // 0 for an empty list.
    T WartoscMax() const;
    T WartoscMin() const;
    // Values p_Od..p_Do (-1: the last), each with p_Dodaj added, joined by p_Separator.
    QString ListaWartosci(const QString &p_Separator = QStringLiteral(", "), int p_Od = 0, int p_Do = -1,
                          T p_Dodaj = T()) const;
    // Runs of consecutive whole numbers as "od-do": "1-3, 5".
    QString OpisWartosci(const QString &p_Separator = QStringLiteral(", "),
                         const QString &p_SeparatorZakresu = QStringLiteral("-"), T p_Dodaj = T()) const
        requires std::is_integral_v<T>;
    void KopiujZPola(const TPoleListaLiczb &p_Lista);
    void KopiujZArrayOfInt(const std::vector<T> &p_Wartosci);
    // Numbers as they are; texts through the list's own text rule.
    void KopiujZArrayOfConst(const TArrayOfConst &p_Wartosci);
    std::vector<int16_t> KopiujDoArrayOfSmallint() const;
    TArrayOfConst JakoArrayOfConst() const;

    // Values separated by single blanks.
    QString GetJakoString() const override;
    // Numbers separated by runs of blanks, commas and line breaks; a bad text
    // raises "PIL: powtórzony minus", "minus w środku liczby" or "obcy znak".
    void SetJakoString(const QString &p_Tekst) override;

    void DolaczWartosc(const TObiekt &p_Obiekt, int16_t p_NrPola, bool p_DuplikatyOk = true,
                       bool p_Posortowana = false) override;
    int IleWartosci() const override { return Rozmiar(); }
    QString TekstowoElemNr(int p_Nr) const override;
    Variant VariantowoElemNr(int p_Nr) const override;

    void ZerujDane() override { FWartosci.Oproznij(); }
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;
    int64_t ZajmowanaPamiec() const override;
    // ---- binary format (ListyBinarne.cpp): the count, then the values little-endian
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    // ---- JSON (ListyJSON.cpp): an array of numbers
    void WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const override;
    void WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp) override;
    // ---- XML (ListyXML.cpp): integers in decimal, floats by the tolerant parse
    void WpiszTekstXML(int p_Poz, const QString &p_Tekst) override;

    // The text of one value (as GetJakoString writes it), and the values a text holds.
    static QString TekstWartosci(T p_Wartosc);
    static std::vector<T> CzytajWartosci(const QString &p_Tekst);

private:
    TTablicaListy<T> FWartosci;
};

// Walks a value list from the front: before the first value at the start.
template <typename TLista> class TEnumPoleListaLiczb
{
public:
    explicit TEnumPoleListaLiczb(const TLista &p_Pole) : FPole(p_Pole) {}
    bool MoveNext() { return ++FKtory < FPole.Rozmiar(); }
    typename TLista::TWartosc Current() const { return FPole.Wartosci(FKtory); }

private:
    const TLista &FPole;
    int FKtory = -1;
};

class TPoleIntList : public TKlasa<TPoleIntList, TPoleListaLiczb<int32_t>>
{
public:
    using TKlasa::TKlasa;
    static TPoleIntList *CreateAs(std::initializer_list<int32_t> p_Wartosci, TObiektBazowy *p_Rodzic = nullptr);
    // In XML, as one attribute when its owner marks it so.
    bool MozeBycAtrybutemXML() const override { return true; }
};

class TPoleInt64List : public TKlasa<TPoleInt64List, TPoleListaLiczb<int64_t>>
{
public:
    using TKlasa::TKlasa;
};

class TPoleDoubleList : public TKlasa<TPoleDoubleList, TPoleListaLiczb<double>>
{
public:
    using TKlasa::TKlasa;
};

// 80-bit values where long double has them, doubles elsewhere.
class TPoleExtendedList : public TKlasa<TPoleExtendedList, TPoleListaLiczb<long double>>
{
public:
    using TKlasa::TKlasa;
};

using TEnumPoleIntList = TEnumPoleListaLiczb<TPoleIntList>;
using TEnumPoleInt64List = TEnumPoleListaLiczb<TPoleInt64List>;
using TEnumPoleDoubleList = TEnumPoleListaLiczb<TPoleDoubleList>;
using TEnumPoleExtendedList = TEnumPoleListaLiczb<TPoleExtendedList>;

extern template class TPoleListaLiczb<int32_t>;
extern template class TPoleListaLiczb<int64_t>;
extern template class TPoleListaLiczb<double>;
extern template class TPoleListaLiczb<long double>;
