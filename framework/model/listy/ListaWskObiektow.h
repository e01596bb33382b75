#pragma once

#include "ListaBazowa.h"

class TKopierDanych;

// A list of pointers to objects elsewhere. It never owns them, but every
// target knows the list (it sits in the target's referring list), so a target
// being destroyed leaves the list with all its occurrences. Null entries are
// allowed (a reader's unresolved references) until UsunObiektyNil.
class TListaWskObiektow : public TKlasa<TListaWskObiektow, TListaBazowa>
{
public:
    using TKlasa::TKlasa;
    // Its own hooks release the targets, so it dismantles itself while they are reachable.
    ~TListaWskObiektow() override { RozbierzWDestruktorze(); }

    // By address; p_Gdzie is the first position holding it.
    bool WyszukajTenObiekt(const TObiektBazowy *p_Obiekt, int &p_Gdzie) const;
    // Appends unless the list already holds it; true when added.
    bool DolaczObiektGdyBrak(TObiektBazowy *p_Obiekt);
    // Points entry p_Nr at p_Obiekt, growing the list with null entries up to it.
    void UstawObiekt(int p_Nr, TObiektBazowy *p_Obiekt);
    // ---- binary format (ListyBinarne.cpp): the count of targets written, then their numbers
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    // ---- JSON (ListyJSON.cpp): an array of the targets' IDs
    void WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const override;
    void WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp) override;
    // ---- XML (ListyXML.cpp): an empty element per target, its ID in "Ref"
    // (as the document's root, inside the root element, named "Item")
    void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) override;

    void ZerujRefDo(TObiektBazowy *p_Obiekt) override;
    void PrzepnijRef(TObiektBazowy *p_Stary, TObiektBazowy *p_Nowy) override;
    // Entries whose targets were copied in the same copy now point at the copies.
    void PrzepnijNaKopie(const TKopierDanych &p_Kopier);
    void ZerujWskazniki() override { ZerujDane(); }
    // The pointers; a deep copy re-points those whose targets it copied.
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;

protected:
    // Targets without an identifier (outside the written tree) are left out.
    void ZapiszElementyXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu) override;
    bool MaElementyXML(TZapisywaczXML &p_Zapisywacz) const override;
    void PrzyjmijObiekt(TObiektBazowy *p_Obiekt) override;
    void OddajObiekt(TObiektBazowy *p_Obiekt, bool p_Zwolnij) override;
    // Entries compare as pointer fields do.
    int16_t PorownajElementy(const TObiektBazowy *p_A, const TObiektBazowy *p_B,
                             TPorownywaczDanych &p_Porownywacz) const override;
    // The targets, when references are asked for.
    void DodajDzieci(std::vector<TObiektBazowy *> &p_Dzieci, bool p_ReferencjeTez) const override;
};
