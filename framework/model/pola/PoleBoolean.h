#pragma once

#include "Pole.h"

class TPoleBoolean : public TKlasa<TPoleBoolean, TPole>
{
public:
    explicit TPoleBoolean(TObiektBazowy * = nullptr) {}

    bool Wartosc = false;

    // "T" / "N", the first letters of the true and false words.
    QString GetJakoString() const override;
    // Boolean parse; LkException "błędna wartość boolean = \"%s\"" leaves the value as it was.
    void SetJakoString(const QString &p_Wartosc) override;
    Variant GetJakoVariant() const override { return Variant::ZBoolean(Wartosc); }
    void SetJakoVariant(const Variant &p_Wartosc) override;
    Variant DajPustyVariant() const override { return Variant::ZBoolean(false); }
    void ZerujDane() override { Wartosc = false; }
    bool MaDefWartosc() const override { return !Wartosc; }
    // "text if true;text if false"; a mask without ";" shows for True only.
    QString WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS = nullptr) const override;
    void KopiujDane(const TPole &p_Pole, TKopierDanych * = nullptr) override { SetJakoVariant(p_Pole.GetJakoVariant()); }
    // A symbol is a Boolean word, an integer is True when non-zero.
    bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz) override;
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    // One byte, 0 or 1; any other byte reads as True.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    int64_t ZajmowanaPamiec() const override { return sizeof(*this); }
    // False sorts first.
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
};
