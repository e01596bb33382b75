#pragma once

#include "Pole.h"

// A non-owning pointer to an object anywhere in the tree.
class TPoleWskObiektu : public TKlasa<TPoleWskObiektu, TPole>
{
public:
    explicit TPoleWskObiektu(TObiektBazowy * = nullptr) {}

    TObiektBazowy *Wartosc() const { return FWartosc; }
    const TPoleWskObiektu *JakoWskaznik() const override { return this; }
    virtual void UstawWartosc(TObiektBazowy *p_Wartosc) { FWartosc = p_Wartosc; }

    // The target's address in decimal, "0" for none.
    QString GetJakoString() const override;
    // Only "0" (or an empty text) and the current target's own address are
    // accepted: an address read from text could point anywhere.
    void SetJakoString(const QString &p_Wartosc) override;
    Variant GetJakoVariant() const override;
    void SetJakoVariant(const Variant &p_Wartosc) override;
    Variant DajPustyVariant() const override { return Variant::ZInt64(0); }
    void ZerujDane() override { UstawWartosc(nullptr); }
    bool MaDefWartosc() const override { return FWartosc == nullptr; }
    // The target's own display text; empty without a target.
    QString WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS = nullptr) const override;
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;
    // Equal targets, or a pair already being compared, are equal; otherwise by
    // the comparer's mode: ignored, by path, or by the targets' data.
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // The same rule for two targets (pointer lists compare their entries so).
    static int16_t PorownajCele(const TObiektBazowy *p_Cel, const TObiektBazowy *p_Inny,
                                TPorownywaczDanych *p_Porownywacz);
    void PrzepnijRef(TObiektBazowy *p_Stary, TObiektBazowy *p_Nowy) override;
    int64_t ZajmowanaPamiec() const override { return sizeof(*this); }
    // Text: the identifier the writer gave the target; reading resolves it
    // through the reader, now or after the whole tree is read.
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz) override;
    // Binary: the target's position among the writer's objects plus one, 0 when
    // the writer does not hold it; read back as a number resolved later.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;

protected:
    TObiektBazowy *FWartosc = nullptr;
};

// A pointer the target knows about: it is entered in the target's list of
// referring fields, so a target being destroyed clears it (and its owner's
// has-value bit for it).
class TPoleRefObiektu : public TKlasa<TPoleRefObiektu, TPoleWskObiektu>
{
public:
    explicit TPoleRefObiektu(TObiektBazowy *p_Rodzic = nullptr) : FRodzic(p_Rodzic) {}
    ~TPoleRefObiektu() override;

    // Leaves the old target's list and enters the new one's, each under its target's lock.
    void UstawWartosc(TObiektBazowy *p_Wartosc) override;
    void ZerujRefDo(TObiektBazowy *p_Obiekt) override;
    void PrzepnijRef(TObiektBazowy *p_Stary, TObiektBazowy *p_Nowy) override;
    int64_t ZajmowanaPamiec() const override { return sizeof(*this); }

    // The object that owns this field.
    TObiektBazowy *Rodzic() const { return FRodzic; }
    void UstawRodzica(TObiektBazowy *p_Rodzic) { FRodzic = p_Rodzic; }

private:
    TObiektBazowy *FRodzic;
};
