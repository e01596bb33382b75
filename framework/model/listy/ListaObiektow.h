#pragma once

#include "ListaZObiektami.h"

class TListaObiektow;

// Walks a typed list from the front, items as TObiekt.
class TEnumListaObiektow : public TEnumListaBazowa
{
public:
    explicit TEnumListaObiektow(const TListaObiektow &p_Lista);
    TObiekt *Current() const { return dynamic_cast<TObiekt *>(TEnumListaBazowa::Current()); }
};

// The typed owning list: its class names the item class (TypObiektowListy),
// adding nil creates a new item of it, and readers create items of it.
//
//     class TListaTowarow : public TKlasa<TListaTowarow, TListaObiektow>
//     {
//     public:
//         using TKlasa::TKlasa;
//         const TOpisKlasy &TypObiektowListy() const override { return TTowar::Opis; }
//     };
class TListaObiektow : public TKlasa<TListaObiektow, TListaZObiektami>
{
public:
    using TKlasa::TKlasa;

    // The item class; TObiekt here.
    virtual const TOpisKlasy &TypObiektowListy() const { return TObiekt::Opis; }
    // A new item of the item class, with this list as its parent when asked (not in the list yet).
    TObiekt *TworzElemListy(bool p_ZRodzicem = true) const;
    // ---- binary format (ListyBinarne.cpp): each item read into a new one
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    // ---- JSON (ListyJSON.cpp): an array of items, or one item without brackets
    void WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp) override;
    // ---- XML (ListyXML.cpp): one element read into a new item, placed at its
    // position attribute when the dialect gives one
    void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) override;
    TObiekt *Elementy(int p_Nr) const { return dynamic_cast<TObiekt *>(ObiektyListy(p_Nr)); }

    // Nil creates a new item of the item class.
    TObiektBazowy *DodajObiekt(TObiektBazowy *p_NowyObiekt, int p_Gdzie) override;
    // The item having those values in those fields, or a new one given them at p_Gdzie.
    TObiekt *DodajObiektGdyBrak(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci, int p_Gdzie,
                                TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny);
    TObiekt *DopiszObiektGdyBrak(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                                 TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny)
    {
        return DodajObiektGdyBrak(p_JakiePola, p_JakieWartosci, IleObiektow(), p_RozmLiter);
    }
    using TListaBazowa::DopiszObiektGdyBrak;
    // Whether items of p_Lista fit this list: its item class is an ancestor or a descendant of ours.
    bool MoznaKopiowacZListy(const TListaBazowa &p_Lista) const;
    // Item by item over the common count: the given fields, or all but the given ones.
    void KopiujDanePol(const TListaObiektow &p_Zrodlo, const TArrayOfConst &p_KtorePola);
    void KopiujDaneOprocz(const TListaObiektow &p_Zrodlo, const TArrayOfConst &p_PominPola);
    // Item by item over the common count: the fields of p_Klasa and its ancestors.
    void KopiujDaneKlas(const TListaObiektow &p_Zrodlo, const TOpisKlasy &p_Klasa);
    // Items of p_Zrodlo's class that fit are moved over, the others copied; p_Zrodlo is left empty.
    void PrzepnijLubKopiuj(TListaObiektow &p_Zrodlo);

    // Replaces the items with one new item per line of the CSV file (or of
    // the rest of p_Strumien, left open). With p_JestNaglowek the first line
    // names the columns that p_KtoreKolumny picks by name (ignoring case) or
    // number; a missing one raises with p_ZglosBrakKol, otherwise it is left
    // out. Cells go to the fields of p_KtorePola (numbers or paths from the
    // item), or to fields 0, 1, ...; empty cells leave fields untouched. A
    // failed assignment raises "Linia %d: pole %s: %s".
    void WczytajZPlikuCSV(const QString &p_NazwaPliku, const TArrayOfConst &p_KtorePola = {},
                          const TArrayOfConst &p_KtoreKolumny = {}, char p_Separator = ';',
                          bool p_JestNaglowek = true, TTypKodowaniaCSV p_TypKodowania = tkcDomyslny,
                          TStream *p_Strumien = nullptr, bool p_ZglosBrakKol = false,
                          const TFormatSettings *p_FormatDaty = nullptr, bool p_IgnorujCudzyslow = false);

    // "TArrayOf<item class>" and "ArrayOf<item class>" too (the item class or a relative).
    bool MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const override;
    // "Błąd kopiowania w %s:\rźródło danych jest typu %s" for a list whose items do not fit.
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;

    TIteratorEnum<TEnumListaObiektow, TObiekt *> begin() const;
    TIteratorEnum<TEnumListaObiektow, TObiekt *>::TKoniec end() const { return {}; }

protected:
    TObiektBazowy *NowyElement(const TObiektBazowy &p_Wzor) override;
    TObiektBazowy *WzorElementu(std::vector<std::unique_ptr<TPole>> &p_Wzory) const override;
};

inline TEnumListaObiektow::TEnumListaObiektow(const TListaObiektow &p_Lista) : TEnumListaBazowa(p_Lista) {}

inline TIteratorEnum<TEnumListaObiektow, TObiekt *> TListaObiektow::begin() const
{
    return TIteratorEnum<TEnumListaObiektow, TObiekt *>(TEnumListaObiektow(*this));
}

// The item class of a list class; null for a class that is no typed list (or cannot be made).
const TOpisKlasy *TypObiektowListy(const TOpisKlasy &p_Klasa);
