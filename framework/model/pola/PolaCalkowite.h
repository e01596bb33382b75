#pragma once

#include "Pole.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

// Fields holding a number.
class TPoleNumeryczne : public TKlasa<TPoleNumeryczne, TPole>
{
public:
    virtual double JakoDouble() const = 0;
    // Stored as double here; 80-bit values are not native on every target.
    virtual long double JakoExtended() const { return JakoDouble(); }
};

// The integer widths share their text, variant, mask and comparison rules;
// each concrete class only says how to narrow a 64-bit value to its width.
class TPoleCalkowitoliczbowe : public TKlasa<TPoleCalkowitoliczbowe, TPoleNumeryczne>
{
public:
    virtual int32_t JakoInteger() const { return static_cast<int32_t>(JakoInt64()); }
    virtual int64_t JakoInt64() const = 0;
    // Narrows to the field's width without a check, as assignments do.
    virtual void UstawInt64(int64_t p_Wartosc) = 0;
    // Whether a value read from a token fits; readers raise
    // "%s: wartość poza zakresem = %s" with the token's position otherwise.
    virtual bool MiesciSie(int64_t p_Wartosc) const = 0;
    // The range readers check; Cardinal and Int64 take any 64-bit value.
    virtual int64_t Min() const = 0;
    virtual int64_t Max() const = 0;

    double JakoDouble() const override { return static_cast<double>(JakoInt64()); }

    QString GetJakoString() const override { return QString::number(JakoInt64()); }
    void SetJakoString(const QString &p_Wartosc) override;
    void SetJakoVariant(const Variant &p_Wartosc) override;
    Variant DajPustyVariant() const override { return Variant::ZInteger(0); }
    void ZerujDane() override { UstawInt64(0); }
    bool MaDefWartosc() const override { return JakoInt64() == 0; }
    // "?a;b;c" picks the item with the value's number; other masks are float masks.
    QString WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS = nullptr) const override;
    void KopiujDane(const TPole &p_Pole, TKopierDanych * = nullptr) override;
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // An integer token, checked against the class's range (parser error with line and column).
    bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz) override;
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    // XML: the value is text, so the whole 64-bit range parses before the class's range is checked.
    bool WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz) override;

protected:
    // The current token's integer, range-checked; the parser moves on.
    bool WczytajLiczbe(TOdczytywaczTekstu &p_Odczytywacz);
    // Decimal (or "$" hex) text of a 32-bit integer; EConvertError otherwise.
    static int64_t TekstNaInteger(const QString &p_Tekst);
};

namespace PolaCalkowite {
template <typename T> Variant NaVariant(T p_Wartosc);
}

template <typename T> class TPoleCalkowite;
using TPoleByte = TPoleCalkowite<uint8_t>;
using TPoleSmallint = TPoleCalkowite<int16_t>;
using TPoleWord = TPoleCalkowite<uint16_t>;
using TPoleInteger = TPoleCalkowite<int32_t>;
using TPoleCardinal = TPoleCalkowite<uint32_t>;
using TPoleInt64 = TPoleCalkowite<int64_t>;
template <> inline constexpr const char *NazwaKlasyModelu<TPoleByte> = "TPoleByte";
template <> inline constexpr const char *NazwaKlasyModelu<TPoleSmallint> = "TPoleSmallint";
template <> inline constexpr const char *NazwaKlasyModelu<TPoleWord> = "TPoleWord";
template <> inline constexpr const char *NazwaKlasyModelu<TPoleInteger> = "TPoleInteger";
template <> inline constexpr const char *NazwaKlasyModelu<TPoleCardinal> = "TPoleCardinal";
template <> inline constexpr const char *NazwaKlasyModelu<TPoleInt64> = "TPoleInt64";

// One concrete width. T is the stored type; the class's name comes from its alias above.
template <typename T> class TPoleCalkowite : public TKlasa<TPoleCalkowite<T>, TPoleCalkowitoliczbowe>
{
public:
    explicit TPoleCalkowite(TObiektBazowy * = nullptr) {}

    T Wartosc = 0;

    int64_t JakoInt64() const override { return static_cast<int64_t>(Wartosc); }
    void UstawInt64(int64_t p_Wartosc) override { Wartosc = static_cast<T>(p_Wartosc); }
    bool MiesciSie(int64_t p_Wartosc) const override { return p_Wartosc >= Min() && p_Wartosc <= Max(); }
    int64_t Min() const override
    {
        if constexpr (std::is_same_v<T, uint32_t> || std::is_same_v<T, int64_t>)
            return std::numeric_limits<int64_t>::min(); // Cardinal keeps the low 32 bits
        else
            return std::numeric_limits<T>::min();
    }
    int64_t Max() const override
    {
        if constexpr (std::is_same_v<T, uint32_t> || std::is_same_v<T, int64_t>)
            return std::numeric_limits<int64_t>::max();
        else
            return std::numeric_limits<T>::max();
    }
    Variant GetJakoVariant() const override { return PolaCalkowite::NaVariant<T>(Wartosc); }
    void SetJakoString(const QString &p_Wartosc) override;
    // The value's own width, little-endian.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    int64_t ZajmowanaPamiec() const override { return sizeof(*this); }
};

template <> void TPoleCardinal::SetJakoString(const QString &p_Wartosc);
template <> void TPoleInt64::SetJakoString(const QString &p_Wartosc);

template <typename T> void TPoleCalkowite<T>::SetJakoString(const QString &p_Wartosc)
{
    TPoleCalkowitoliczbowe::SetJakoString(p_Wartosc);
}

extern template class TPoleCalkowite<uint8_t>;
extern template class TPoleCalkowite<int16_t>;
extern template class TPoleCalkowite<uint16_t>;
extern template class TPoleCalkowite<int32_t>;
extern template class TPoleCalkowite<uint32_t>;
extern template class TPoleCalkowite<int64_t>;
