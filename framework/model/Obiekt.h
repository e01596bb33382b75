#pragma once

#include "KopierDanych.h"
#include "ObiektBazowy.h"
#include "PorownywaczDanych.h"

#include <QByteArray>

#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <vector>

#include "Formatuj.h"

// The general persistent object: its fields are numbered and declared per
// class in the class's descriptor (a bare TObiekt has none). A field object
// is created on first access; a bit per field tells whether it has a value.
class TObiekt : public TObiektBazowy
{
public:
    static const TOpisKlasy Opis;

    explicit TObiekt(TObiektBazowy *p_Rodzic = nullptr) : TObiektBazowy(p_Rodzic) {}
    // Fields given by number or name receive the values pairwise (WpiszDane).
    TObiekt(const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_JakieWartosci,
            TObiektBazowy *p_Rodzic = nullptr);
    ~TObiekt() noexcept(false) override;
    const TOpisKlasy &Klasa() const override { return Opis; }

    // Frees every field and clears every has-value bit.
    void ZerujDane() override;

    // ---- per-class metadata by field number; -1 stands for the object itself
    virtual const TOpisKlasy *TypPolaNr(int16_t p_Nr) const;
    // The field's class in the class's previous layout (old data); null by default.
    virtual const TOpisKlasy *PoprzTypPolaNr(int16_t) const { return nullptr; }
    // -1: the class name without its first letter ("Obiekt").
    virtual QString NazwaPolaNr(int16_t p_Nr) const;
    virtual QString PoprzNazwaPolaNr(int16_t) const { return {}; }
    // -1: the number of fields less one; otherwise 0 (no limit).
    virtual int16_t RozmPolaNr(int16_t p_Nr) const;
    virtual QString AliasXMLPolaNr(int16_t p_Nr) const { return NazwaPolaNr(p_Nr); }
    virtual QString AliasJSONPolaNr(int16_t p_Nr) const { return NazwaPolaNr(p_Nr); }
    virtual QString PrzestrzenNazwXML() const { return {}; }
    virtual QByteArray PrefPrzestrzNazwXML() const { return {}; }
    // Whether the class's element and attribute names are written qualified.
    virtual TDomyslnaFormaXML ElemFormDefaultXML() const { return fdxDefault; }
    virtual TDomyslnaFormaXML AttrFormDefaultXML() const { return fdxDefault; }
    virtual QString MaskaWyswietlPolaNr(int16_t) const { return {}; }
    virtual QString MaskaZapisuPolaNr(int16_t) const { return {}; }
    // Ignoring case; -1 when none.
    virtual int16_t NrPolaONazwie(const QString &p_Nazwa) const;
    virtual int16_t NrPolaOPoprzNazwie(const QString &) const { return -1; }
    virtual int16_t NrPolaOAliasieXML(const QString &) const { return -1; }
    virtual int16_t NrPolaOAliasieJSON(const QString &) const { return -1; }
    // Transient fields answer false: writers skip them unless asked for all.
    virtual bool PoleZapisywane(int16_t) const { return true; }
    virtual bool JestWymagane(int16_t) const { return false; }
    virtual bool JestAtrybutem(int16_t) const { return false; }
    // The name users see: the field name made readable.
    virtual QString NazwaEdycjiPolaNr(int16_t p_Nr) const;

    // ---- fields and their values
    // The field object, created on first access; "%s: Błędny nr pola = %d w %s" for an unknown number.
    TPole &Pola(int16_t p_Nr);
    // The field object when it exists, null otherwise.
    TPole *PoleJesliJest(int16_t p_Nr) const;
    // The number of the field named so, -1 when none.
    int16_t PoleWgNazwy(const QString &p_Nazwa) const { return NrPolaONazwie(p_Nazwa); }
    // Whether field p_Nr holds an object (a sub-object, a list).
    bool PoleJestObiektem(int16_t p_Nr) const;

    // -1: any bit, or any sub-object with data; a sub-object field: its data;
    // otherwise the field's bit.
    bool MaWartosc(int16_t p_Nr) const override;
    // False resets the field (-1: the whole object); true sets the bit.
    void UstawMaWartosc(int16_t p_Nr, bool p_Ma);
    void StraconoCelPola(const TPole &p_Pole) override;

    // The field's text forms; empty when it has no value. Writing an empty
    // text clears the field, any other text stores it and sets the bit.
    QString Tekstowo(int16_t p_Nr) const;
    void UstawTekstowo(int16_t p_Nr, const QString &p_Tekst);
    QByteArray TekstowoAnsi(int16_t p_Nr) const;
    void UstawTekstowoAnsi(int16_t p_Nr, const QByteArray &p_Tekst);
    Variant Variantowo(int16_t p_Nr) const;
    // An empty variant clears the field; any other goes to SetJakoVariant.
    void SetVariantowo(int16_t p_Nr, const Variant &p_Wartosc);

    // Assigns values pairwise to fields given by number or name.
    void WpiszDane(const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_JakieWartosci);
    // One loose value into field p_Nr: scalars through SetVariantowo, a null
    // pointer clears the field, an object is pointed to or copied.
    virtual void WpiszDaneDoPola(int16_t p_Nr, const TVarRec &p_Wartosc);

    // ---- comparison (pairs met again count as equal, so cycles end)
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    int16_t PorownajZObiektem(const TObiekt &p_Obiekt, TRodzajPorownPol p_RodzPorownPol = rpWszystkie,
                              TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0,
                              TTrybPorownRef p_TrybPorownRef = tprObiekty) const;

    // ---- copying: the copier re-points references inside the copied subtree
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;
    void KopiujDane(const TObiekt &p_Zrodlo, TTrybKopiowaniaPol p_TrybKopiowania,
                    TTrybObslugiPodob p_TrybPodobiektow = topPodobiektyJakoCalosc);
    // A new instance of this class with a deep copy of the data (and, when asked, the same parent).
    TObiekt *KlonujObiekt(bool p_ZRodzicem = false) const;

    int64_t ZajmowanaPamiec() const override;

    bool MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const override;
    void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) override;

protected:
    bool CzyKorzenXMLTegoTypu(const QString &p_Nazwa) const override;
    QString KrokSciezki(const TObiektBazowy &p_Dziecko, bool p_NaEkran, bool p_BezIndeksow) const override;
    QString KrokPola(int16_t p_Nr, bool p_NaEkran) const override;
    // Runs after every write through Tekstowo and its kin; nothing here.
    virtual void PoZmianiePola(int16_t) {}
    // Runs after a field object is created; nothing here.
    virtual void PoUtworzeniuPola(int16_t) {}
    // The field number a loose value names: an integer, or a field name.
    int16_t NrPolaZ(const TVarRec &p_Pole, const char *p_Kontekst) const;

private:
    // Copies field by field under the mode; the recursive step of KopiujDane.
    void KopiujPola(const TObiekt &p_Zrodlo, TKopierDanych &p_Kopier, TTrybKopiowaniaPol p_TrybKopiowania,
                    TTrybObslugiPodob p_TrybPodobiektow);
    void UsunPola();
    void UstawBit(int16_t p_Nr, bool p_Ma);
    bool Bit(int16_t p_Nr) const;

    // Indexed by field number; null until the field is first needed.
    std::vector<TPole *> FPola;
    // Bit n in byte n / 8; a missing byte reads as no value.
    std::vector<uint8_t> FMaWartosc;
};

// A persistent object with a lock of its own, re-entrant for its thread.
class TObiektTS : public TObiekt
{
public:
    static const TOpisKlasy Opis;
    using TObiekt::TObiekt;
    const TOpisKlasy &Klasa() const override { return Opis; }
    void ZablokujObiekt() override;
    void OdblokujObiekt() override;

private:
    std::recursive_mutex FSekcjaObiektu;
};

// A persistent object guarded by its parent's lock.
class TObiektITS : public TObiekt
{
public:
    static const TOpisKlasy Opis;
    using TObiekt::TObiekt;
    const TOpisKlasy &Klasa() const override { return Opis; }
    void ZablokujObiekt() override;
    void OdblokujObiekt() override;
};
