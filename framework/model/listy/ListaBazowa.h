#pragma once

#include "KodowanieCSV.h"
#include "Obiekt.h"
#include "TablicaListy.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class TListaBazowa;
class TListaWskObiektow;

enum TRodzajSortowania { rsRosnaco, rsMalejaco };
using TSortowanie = std::vector<TRodzajSortowania>;
enum TRodzajWyszukiwania { rwOdPoczatku, rwOdKonca };

// Negative, 0 or positive, as p_A sorts before, with or after p_B.
using TFunPorownania = std::function<int(const TObiektBazowy *p_A, const TObiektBazowy *p_B)>;
using TFunObiektu = std::function<bool(TObiektBazowy *p_Obiekt)>;
using TProcObiektu = std::function<void(TObiektBazowy *p_Obiekt)>;

// Walks a list from the front: before the first item at the start.
class TEnumListaBazowa
{
public:
    explicit TEnumListaBazowa(const TListaBazowa &p_Lista) : FLista(p_Lista) {}
    bool MoveNext();
    TObiektBazowy *Current() const;

protected:
    const TListaBazowa &FLista;
    int FKtory = -1;
};

// Walks a list from the back; the current item (and those after it) may be
// removed during the walk: the walk goes on from what is left.
class TEnumListaBazowaOdKonca
{
public:
    explicit TEnumListaBazowaOdKonca(const TListaBazowa &p_Lista);
    bool MoveNext();
    TObiektBazowy *Current() const;

private:
    const TListaBazowa &FLista;
    int FKtory;
};

// Range-for over an enumerator: `for (TObiektBazowy *o : lista)`.
template <typename TEnum, typename TElem> class TIteratorEnum
{
public:
    struct TKoniec
    {
    };
    explicit TIteratorEnum(TEnum p_Enum) : FEnum(std::move(p_Enum)) { FJest = FEnum.MoveNext(); }
    TElem operator*() const { return FEnum.Current(); }
    TIteratorEnum &operator++()
    {
        FJest = FEnum.MoveNext();
        return *this;
    }
    bool operator!=(TKoniec) const { return FJest; }

private:
    TEnum FEnum;
    bool FJest;
};

// A view of a list for walking it from the back (ListaOdKonca).
class TListaBazowaOdKonca
{
public:
    explicit TListaBazowaOdKonca(const TListaBazowa &p_Lista) : FLista(p_Lista) {}
    TEnumListaBazowaOdKonca GetEnumerator() const { return TEnumListaBazowaOdKonca(FLista); }
    TIteratorEnum<TEnumListaBazowaOdKonca, TObiektBazowy *> begin() const
    {
        return TIteratorEnum<TEnumListaBazowaOdKonca, TObiektBazowy *>(GetEnumerator());
    }
    TIteratorEnum<TEnumListaBazowaOdKonca, TObiektBazowy *>::TKoniec end() const { return {}; }

private:
    const TListaBazowa &FLista;
};

// The common array of the object lists: object pointers addressed by 0-based
// position, with a capacity that grows and shrinks by fixed rules. The base
// neither owns nor tracks its items; descendants decide (PrzyjmijObiekt,
// OddajObiekt). A position outside the list reads as null. Every public
// operation runs under the list's lock.
class TListaBazowa : public TKlasa<TListaBazowa, TObiektBazowy>
{
public:
    explicit TListaBazowa(TObiektBazowy *p_Rodzic = nullptr);
    ~TListaBazowa() override;

    // ---- access
    int IleObiektow() const { return FObiekty.Ile(); }
    TObiektBazowy *ObiektyListy(int p_Nr) const
    {
        return p_Nr >= 0 && p_Nr < FObiekty.Ile() ? FObiekty[p_Nr] : nullptr;
    }
    bool ListaPusta() const { return FObiekty.Ile() == 0; }
    TObiektBazowy *OstatniObiekt() const { return ObiektyListy(FObiekty.Ile() - 1); }
    int PojemnoscListy() const { return FObiekty.Pojemnosc(); }
    // Reallocates to exactly that many slots (never below the count).
    void UstawPojemnoscListy(int p_Pojemnosc);
    TEnumListaBazowa GetEnumerator() const { return TEnumListaBazowa(*this); }
    TIteratorEnum<TEnumListaBazowa, TObiektBazowy *> begin() const
    {
        return TIteratorEnum<TEnumListaBazowa, TObiektBazowy *>(GetEnumerator());
    }
    TIteratorEnum<TEnumListaBazowa, TObiektBazowy *>::TKoniec end() const { return {}; }
    TListaBazowaOdKonca ListaOdKonca() const { return TListaBazowaOdKonca(*this); }

    // ---- adding
    // Inserts at p_Gdzie (beyond the end appends, negative means the front);
    // gives the item added.
    virtual TObiektBazowy *DodajObiekt(TObiektBazowy *p_NowyObiekt, int p_Gdzie);
    virtual TObiektBazowy *DopiszObiekt(TObiektBazowy *p_NowyObiekt) { return DodajObiekt(p_NowyObiekt, IleObiektow()); }
    // Appends unless an item equals it on the given fields; gives the item
    // found or added, p_Dodano telling which.
    TObiektBazowy *DopiszObiektGdyBrak(TObiektBazowy *p_Obiekt, const TArrayOfConst &p_JakiePola, bool &p_Dodano,
                                       TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    // Takes item p_Nr out of p_Lista (without freeing it) and inserts it here at p_Gdzie.
    virtual TObiektBazowy *PrzeniesZListy(TListaBazowa &p_Lista, int p_Nr, int p_Gdzie);
    // Every item of p_Lista appended (owning lists append copies).
    void DopiszDane(const TListaBazowa &p_Lista);
    void DopiszObiektyOCechach(const TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                               const TArrayOfConst &p_JakieWartosci, TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    // The same after emptying this list.
    void KopiujObiektyOCechach(const TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                               const TArrayOfConst &p_JakieWartosci, TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    // Items of p_Lista that p_Pomin does not hold.
    void DopiszObiektyOprocz(const TListaBazowa &p_Lista, const TListaBazowa &p_Pomin);
    // Items of p_Lista that equal no item here on the given fields.
    void DopiszObiektyGdyBrak(const TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                              TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    // Moves items out of p_Lista to the end of this list (all, or those chosen).
    void PrzeniesDane(TListaBazowa &p_Lista);
    void PrzeniesObiektyOCechach(TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                                 const TArrayOfConst &p_JakieWartosci, TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    void PrzeniesObiektyOprocz(TListaBazowa &p_Lista, const TListaBazowa &p_Pomin);
    void PrzeniesObiektyGdyBrak(TListaBazowa &p_Lista, const TArrayOfConst &p_JakiePola,
                                TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    void PrzeniesObiektyWgFun(TListaBazowa &p_Lista, const TFunObiektu &p_Fun);

    // ---- removing
    // Takes item p_Nr out and closes the gap; freed with p_Zwolnij (null is
    // given back then), otherwise handed back. Outside the list: nothing, null.
    virtual TObiektBazowy *UsunObiekt(int p_Nr, bool p_Zwolnij = true, bool p_ZachowajPojemnosc = false);
    // Every occurrence of the object; false when there was none.
    virtual bool UsunTenObiekt(TObiektBazowy *p_Obiekt, bool p_Zwolnij = true);
    // Items equal to p_Obiekt on the given fields (all fields when none); their count.
    int UsunTakiObiekt(const TObiektBazowy &p_Obiekt, const TArrayOfConst &p_JakiePola = {});
    // Items having those values in those fields; their count.
    int UsunObiekty(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                    TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    // Every item without those values, or every item p_Zostaw does not hold.
    int UsunObiektyOprocz(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                          TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    int UsunObiektyOprocz(const TListaBazowa &p_Zostaw);
    // Every item p_Lista holds.
    int UsunTeObiekty(const TListaBazowa &p_Lista);
    int UsunObiektyWgFun(const TFunObiektu &p_Fun);
    // Walking from the end, an item equal on the given fields to an earlier
    // one goes; p_TylkoBezRef spares items something refers to, p_IgnorujPuste
    // items whose given fields are all empty. The count removed.
    int UsunDuplikaty(const TArrayOfConst &p_JakiePola, TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny,
                      bool p_TylkoBezRef = false, bool p_IgnorujPuste = false);
    int UsunObiektyNil(bool p_ZachowajPojemnosc = false);
    // Lowers the count (never raises it); the items past it are released as UsunObiekt would.
    void SkrocListe(int p_NowyRozm, bool p_ZachowajPojemnosc = false);
    // In a list sorted by those fields: removes the item with those values; false when none.
    bool WyszukajIUsun(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                       TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);

    // ---- order
    // False when either position is outside the list or both are equal.
    bool PrzeniesObiekt(int p_Skad, int p_Dokad);
    // LkException "%s.%s: indeks %d poza zakresem 0..%d" for a position outside the list.
    void ZamienObiekty(int p_Poz1, int p_Poz2);
    // In-place quicksort, not stable; true when anything moved. Without a
    // function items compare by PorownajObiekty.
    bool PosortujWgFun(const TFunPorownania &p_Fun = {});
    // By fields (numbers or paths), each in its direction (the last one for
    // the fields after it; ascending when none is given).
    bool PosortujWgPol(const TArrayOfConst &p_JakiePola, const TSortowanie &p_Sortowanie,
                       TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0);
    bool PosortujWgPol(const TArrayOfConst &p_JakiePola, TRodzajSortowania p_Sortowanie = rsRosnaco,
                       TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0)
    {
        return PosortujWgPol(p_JakiePola, TSortowanie{p_Sortowanie}, p_RozmLiter, p_LocaleID);
    }
    bool ListaMaPosortowanie(const TArrayOfConst &p_JakiePola, const TSortowanie &p_Sortowanie,
                             TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0) const;
    bool ListaMaPosortowanie(const TArrayOfConst &p_JakiePola, TRodzajSortowania p_Sortowanie = rsRosnaco,
                             TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0) const
    {
        return ListaMaPosortowanie(p_JakiePola, TSortowanie{p_Sortowanie}, p_RozmLiter, p_LocaleID);
    }
    // Puts the items p_Wzor also holds first, in p_Wzor's order; the others follow as they were.
    void UstawKolejnoscWgListy(const TListaBazowa &p_Wzor);
    // Makes this list hold the same items as p_Wzor in its order; a list
    // that cannot (an item of p_Wzor is not here) raises "Brak wyrównania do listy w %s".
    void WyrownajDoListy(const TListaBazowa &p_Wzor);

    // ---- search (positions; -1 when not found)
    int ZnajdzObiekt(const TObiektBazowy *p_Obiekt, TRodzajWyszukiwania p_Kierunek = rwOdPoczatku,
                     int p_Start = -1) const;
    bool ZawieraObiekt(const TObiektBazowy *p_Obiekt) const { return ZnajdzObiekt(p_Obiekt) >= 0; }
    // The first item (from p_Start in p_Kierunek; -1: from the end the walk starts at) having those values.
    bool JestObiekt(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci, int &p_Gdzie,
                    TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, TRodzajWyszukiwania p_Kierunek = rwOdPoczatku,
                    int p_Start = -1) const;
    bool JestObiektWgFun(const TFunObiektu &p_Fun, int &p_Gdzie) const;
    // An item other than p_Obiekt equal to it on the given fields.
    bool JestInnyObiekt(const TObiektBazowy &p_Obiekt, const TArrayOfConst &p_JakiePola, int &p_Gdzie,
                        TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny) const;
    // An item equal to p_Obiekt on the given fields (all fields when none).
    bool JestObiektTakiJak(const TObiektBazowy &p_Obiekt, const TArrayOfConst &p_JakiePola, int &p_Gdzie,
                           TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny) const;
    // An item that compares equal to p_Obiekt through the comparer's rules.
    bool JestTakiObiekt(const TObiektBazowy &p_Obiekt, TPorownywaczDanych &p_Porownywacz, int &p_Gdzie) const;
    int IleJestObiektow(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                        TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny) const;
    bool SaDuplikaty(const TArrayOfConst &p_JakiePola, TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny) const;
    // In a list sorted by the given fields: whether an item has exactly those
    // values; p_Gdzie is the first item not before them (the insertion point).
    bool WyszukajWgPol(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci, int &p_Gdzie,
                       TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, TRodzajSortowania p_Sortowanie = rsRosnaco,
                       uint32_t p_LocaleID = 0) const;
    // The first and last position of the items with those values in a sorted list.
    bool WyszukajZakres(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci, int &p_Od, int &p_Do,
                        TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, TRodzajSortowania p_Sortowanie = rsRosnaco,
                        uint32_t p_LocaleID = 0) const;
    // Binary search in a list sorted by p_Fun's order; p_Fun compares the item with what is sought.
    bool WyszukajWgFun(const std::function<int(const TObiektBazowy *)> &p_Fun, int &p_Gdzie) const;

    // ---- aggregates over one field (a number or a path from the item)
    // The items' texts of the field, joined by p_Separator: without duplicates
    // unless p_Duplikaty, trimmed, without empty ones, sorted, as asked; items p_Od..p_Do (-1: the last).
    QString DajListeWartPola(const TVarRec &p_Pole, const QString &p_Separator = QStringLiteral(", "),
                             bool p_Duplikaty = true, TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny,
                             bool p_Trymuj = false, bool p_PominPuste = true, bool p_Sortuj = false, int p_Od = 0,
                             int p_Do = -1) const;
    QString DajListeWartWgFun(const std::function<QString(const TObiektBazowy *)> &p_Fun,
                              const QString &p_Separator = QStringLiteral(", "), bool p_PominPuste = true) const;
    double DajSumeWartPola(const TVarRec &p_Pole) const;
    // Over the items where the field has a value; 0 when none has.
    double DajMinWartPola(const TVarRec &p_Pole) const;
    double DajMaxWartPola(const TVarRec &p_Pole) const;
    // The first item holding the greatest value; -1 when none has a value.
    int GdzieMaxWartPola(const TVarRec &p_Pole) const;
    // Currency sums are exact: values times 10000.
    int64_t DajSumeCurrency(const TVarRec &p_Pole) const;
    int64_t DajMinCurrency(const TVarRec &p_Pole) const;
    int64_t DajMaxCurrency(const TVarRec &p_Pole) const;
    int DajMaxDlugPola(const TVarRec &p_Pole) const;
    // Each item's description (OpisTekstowy), or its field's text, appended.
    void WpiszDoStrings(QStringList &p_Lista, const TVarRec *p_Pole = nullptr) const;

    // ---- bulk field work on every item that is a TObiekt
    void WpiszDaneDoPol(const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_JakieWartosci);
    void WpiszDoPolObiektowOCechach(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                                    const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_NoweWartosci,
                                    TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    void WpiszDaneDoPolWgFun(const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_JakieWartosci,
                             const TFunObiektu &p_Fun);
    void ZerujDanePol(const TArrayOfConst &p_KtorePola);
    void ZerujDaneOprocz(const TArrayOfConst &p_PominPola);
    void PrzytnijPolaWgRozm(bool p_Trymuj = false, bool p_UsunObce = false, bool p_PierwszaLinia = false,
                            const TObiekt::TOnPrzycieto &p_OnPrzycieto = {});
    void TrymujPolaTekstowe();
    void UsunZnakiSterujZPol();
    void PoprawPolaTekstowe(const std::function<QString(const QString &)> &p_Fun);
    // The first item for which p_Fun answers true; null when none.
    TObiektBazowy *WykonajFun(const TFunObiektu &p_Fun);
    void WykonajProc(const TProcObiektu &p_Proc);
    // The order of PosortujWgFun without a function: the items' own comparison.
    virtual int PorownajObiekty(const TObiektBazowy *p_ObiektA, const TObiektBazowy *p_ObiektB) const;

    // ---- CSV
    // One row per item, cells separated by the separator byte, every row
    // ended by CR LF, into the file (created; an empty list leaves it empty)
    // or p_Strumien (left open). Columns: the fields given by number or path
    // from the item (all fields of the first item when none); the header's
    // cells from p_NazwyKolumn (a number: the first item's XML alias of that
    // field) or from the columns. Dates with p_FormatDaty, or the model's CSV
    // settings. A failed write: "Błąd zapisu pliku %s:\r%s".
    void ZapiszWPlikuCSV(const QString &p_NazwaPliku, const TArrayOfConst &p_KtorePola = {},
                         const TArrayOfConst &p_NazwyKolumn = {}, char p_Separator = ';',
                         bool p_ZapiszNaglowek = true, TTypKodowaniaCSV p_TypKodowania = tkcDomyslny,
                         TStream *p_Strumien = nullptr, const TFormatSettings *p_FormatDaty = nullptr,
                         bool p_ZawszeCudzyslow = false, bool p_TekstDoLinii = false);

    // ---- the list as an object
    bool MaWartosc(int16_t) const override { return !ListaPusta(); }
    void ZerujDane() override;
    // "%d elem.".
    QString OpisTekstowy() const override;
    // Item by item, then the shorter list first.
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // The entries of p_Pole (a list), as this kind of list takes them (pointers here).
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;
    int64_t ZajmowanaPamiec() const override;
    // ---- XML (ListyXML.cpp): one element per item, all named after the field;
    // in the Celina and OSOZ dialects each with its position. A list that
    // cannot create its items skips their elements.
    // As the document's root: one element holding an "Item" element per item
    // (in the line-wise dialect named by the item class).
    void WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu) override;
    void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) override;
    // ---- binary format (ListyBinarne.cpp): the count, then each item's layout;
    // only a list that can create its items reads them
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    // ---- JSON (ListyJSON.cpp): an array of the items as nested objects
    void WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const override;

protected:
    void ZapiszKorzenXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu);
    // The items' elements, each named p_NazwaObiektu, one per line.
    virtual void ZapiszElementyXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu);
    // Whether ZapiszElementyXML writes anything.
    virtual bool MaElementyXML(TZapisywaczXML &p_Zapisywacz) const;
    // The root element: its ID, then one element per child read as WykonajOdczytXML
    // reads a field's, all children of one name ("Item" or the item class's);
    // another name raises ELkObcyTypError.
    void WczytajKorzenXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu);
    // An item is entering the list at p_Gdzie; nothing here.
    virtual void PrzyjmijObiekt(TObiektBazowy *) {}
    // An item has left the list; p_Zwolnij asks to free it. Nothing here.
    virtual void OddajObiekt(TObiektBazowy *, bool) {}
    // What DopiszDane appends for an item of another list: the item itself here.
    virtual TObiektBazowy *ObiektDoDopisania(const TObiektBazowy *p_Obiekt) { return const_cast<TObiektBazowy *>(p_Obiekt); }
    // How two entries compare inside Porownaj: the items' own comparison here.
    virtual int16_t PorownajElementy(const TObiektBazowy *p_A, const TObiektBazowy *p_B,
                                     TPorownywaczDanych &p_Porownywacz) const;

    QString KrokSciezki(const TObiektBazowy &p_Dziecko, bool p_NaEkran, bool p_BezIndeksow) const override;
    // "[n]" and the rest in item n.
    TObiektBazowy *ZejdzSciezka(QStringView &p_Sciezka, int16_t &p_IDPola, TTrybSciezki p_Tryb,
                                std::vector<std::unique_ptr<TPole>> &p_Wzory) override;
    // An item to stand for a missing one in questions about classes; null here.
    virtual TObiektBazowy *WzorElementu(std::vector<std::unique_ptr<TPole>> &) const { return nullptr; }
    void DodajDzieci(std::vector<TObiektBazowy *> &p_Dzieci, bool p_ReferencjeTez) const override;
    void ZwolnijDane() override { ZerujDane(); }

    // The raw array, for descendants: no hooks run.
    TTablicaListy<TObiektBazowy *> &Tablica() { return FObiekty; }
    void WyjmijZTablicy(int p_Nr, bool p_ZachowajPojemnosc) { FObiekty.Wyjmij(p_Nr, p_ZachowajPojemnosc); }
    void UstawWTablicy(int p_Nr, TObiektBazowy *p_Obiekt) { FObiekty[p_Nr] = p_Obiekt; }
    [[noreturn]] void IndeksPozaZakresem(const char *p_Metoda, int p_Indeks) const;
    // Removes the items p_Usun answers true for, keeping the order of the rest,
    // and (unless p_BezOddania) lets each go as UsunObiekt does; their count.
    int UsunGdy(const std::function<bool(TObiektBazowy *)> &p_Usun, bool p_Zwolnij = true, bool p_BezOddania = false);

private:
    // The quicksort of a range.
    bool Sortuj(int p_Od, int p_Do, const TFunPorownania &p_Fun);

    TTablicaListy<TObiektBazowy *> FObiekty;
};
