#pragma once

#include "LkParser.h"
#include "PolaCalkowite.h"

// Fields holding a fractional number.
class TPoleZmiennoprzecinkowe : public TKlasa<TPoleZmiennoprzecinkowe, TPoleNumeryczne>
{
public:
    // Rounds half up to that many decimals; classes that do not round raise "błędne użycie metody".
    virtual void Zaokraglij(uint8_t p_IleMiejscPoPrzecinku);

    // Numbers compare by value, whatever their class.
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // Mask decimals show only for a non-zero fraction; an empty mask gives JakoString.
    QString WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS = nullptr) const override;
    void KopiujDane(const TPole &p_Pole, TKopierDanych * = nullptr) override { SetJakoVariant(p_Pole.GetJakoVariant()); }
    // Reads "12.5" and also "12,5", which the tokenizer splits into 12 "," 5.
    bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz) override;
    // The text form with "." as the separator, unquoted.
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    // JSON: the number token alone ("." as the separator, never joined over a ",").
    bool WczytajJSON(TOdczytywaczJSON &p_Odczytywacz) override;

protected:
    // The number's text; the parser is left after it.
    static QByteArray TekstLiczbyZTokenow(TLkParser &p_Parser);
    virtual void UstawZTekstuTokenow(TLkParser &p_Parser, QByteArrayView p_Tekst) = 0;
};

// General float text: p_Cyfry significant digits, fixed notation for magnitudes
// from 0.00001 with at most p_Cyfry integral digits, otherwise "1.5E-7" style.
QString TekstLiczbyZmiennoprzecinkowej(long double p_Wartosc, int p_Cyfry, QChar p_Separator = QLatin1Char('.'));
// The same with ".", as bytes into p_Wynik; their count.
int ZnakiLiczbyZmiennoprzecinkowej(long double p_Wartosc, int p_Cyfry, char (&p_Wynik)[64]);
// Currency text: fixed, up to four decimals, no group marks.
QString TekstCurrency(int64_t p_RazyDziesiecTysiecy, QChar p_Separator = QLatin1Char('.'));
// Float parse after number normalisation (comma or point, blanks ignored);
// EConvertError "'%s' nie jest poprawną liczbą zmiennoprzecinkową".
// p_Maks bounds the magnitude, so a double field never becomes infinite.
long double TekstNaLiczbe(const QString &p_Tekst, long double p_Maks = std::numeric_limits<long double>::max());
// The same, scaled by 10000 and rounded; EConvertError "'%s' nie jest poprawną liczbą Currency".
int64_t TekstNaCurrency(const QString &p_Tekst);
// Half-up rounding of the magnitude to that many decimals, sign restored.
long double ZaokraglijDoMiejsc(long double p_Wartosc, uint8_t p_IleMiejsc);

class TPoleDouble : public TKlasa<TPoleDouble, TPoleZmiennoprzecinkowe>
{
public:
    explicit TPoleDouble(TObiektBazowy * = nullptr) {}

    double Wartosc = 0;

    double JakoDouble() const override { return Wartosc; }
    QString GetJakoString() const override { return TekstLiczbyZmiennoprzecinkowej(Wartosc, 15); }
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    void SetJakoString(const QString &p_Wartosc) override { Wartosc = static_cast<double>(TekstNaLiczbe(p_Wartosc, std::numeric_limits<double>::max())); }
    Variant GetJakoVariant() const override { return Variant::ZDouble(Wartosc); }
    void SetJakoVariant(const Variant &p_Wartosc) override { Wartosc = p_Wartosc.JakoDouble(); }
    Variant DajPustyVariant() const override { return Variant::ZDouble(0); }
    void ZerujDane() override { Wartosc = 0; }
    bool MaDefWartosc() const override { return Wartosc == 0; }
    void Zaokraglij(uint8_t p_IleMiejscPoPrzecinku) override;
    // 8-byte IEEE double.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    int64_t ZajmowanaPamiec() const override { return sizeof(*this); }

protected:
    void UstawZTekstuTokenow(TLkParser &p_Parser, QByteArrayView p_Tekst) override
    {
        Wartosc = p_Parser.StringToFloat(p_Tekst);
    }
};

// 80-bit x87 value where the platform has one (long double), double precision elsewhere.
class TPoleExtended : public TKlasa<TPoleExtended, TPoleZmiennoprzecinkowe>
{
public:
    explicit TPoleExtended(TObiektBazowy * = nullptr) {}

    long double Wartosc = 0;

    double JakoDouble() const override { return static_cast<double>(Wartosc); }
    long double JakoExtended() const override { return Wartosc; }
    QString GetJakoString() const override { return TekstLiczbyZmiennoprzecinkowej(Wartosc, 18); }
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    void SetJakoString(const QString &p_Wartosc) override { Wartosc = TekstNaLiczbe(p_Wartosc); }
    Variant GetJakoVariant() const override { return Variant::ZDouble(static_cast<double>(Wartosc)); }
    void SetJakoVariant(const Variant &p_Wartosc) override { Wartosc = p_Wartosc.JakoDouble(); }
    Variant DajPustyVariant() const override { return Variant::ZDouble(0); }
    void ZerujDane() override { Wartosc = 0; }
    bool MaDefWartosc() const override { return Wartosc == 0; }
    void Zaokraglij(uint8_t p_IleMiejscPoPrzecinku) override { Wartosc = ZaokraglijDoMiejsc(Wartosc, p_IleMiejscPoPrzecinku); }
    // A variant holds a double: between two extendeds the full value is copied.
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;
    // The 10-byte x87 image, whatever long double is here.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    int64_t ZajmowanaPamiec() const override { return sizeof(*this); }

protected:
    // With the full precision of long double, not the parser's double.
    void UstawZTekstuTokenow(TLkParser &p_Parser, QByteArrayView p_Tekst) override;
};

// Money: a 64-bit count of 1/10000 units, so sums stay exact.
class TPoleCurrency : public TKlasa<TPoleCurrency, TPoleZmiennoprzecinkowe>
{
public:
    explicit TPoleCurrency(TObiektBazowy * = nullptr) {}

    int64_t Wartosc = 0;

    double JakoDouble() const override { return Wartosc / 10000.0; }
    QString GetJakoString() const override { return TekstCurrency(Wartosc); }
    void SetJakoString(const QString &p_Wartosc) override { Wartosc = TekstNaCurrency(p_Wartosc); }
    Variant GetJakoVariant() const override { return Variant::ZCurrency(Wartosc); }
    void SetJakoVariant(const Variant &p_Wartosc) override { Wartosc = p_Wartosc.JakoCurrency(); }
    Variant DajPustyVariant() const override { return Variant::ZCurrency(0); }
    void ZerujDane() override { Wartosc = 0; }
    bool MaDefWartosc() const override { return Wartosc == 0; }
    // No mask: currency text with up to four decimals.
    QString WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS = nullptr) const override;
    void Zaokraglij(uint8_t p_IleMiejscPoPrzecinku) override;
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // The scaled 64-bit value, little-endian.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    int64_t ZajmowanaPamiec() const override { return sizeof(*this); }

protected:
    void UstawZTekstuTokenow(TLkParser &p_Parser, QByteArrayView p_Tekst) override
    {
        Wartosc = p_Parser.StringToCurrency(p_Tekst);
    }
};
