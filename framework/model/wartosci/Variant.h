#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <variant>

// A tagged value as fields give and take it. Conversions between kinds follow
// the usual variant rules: numbers widen, texts are parsed (EConvertError when
// they do not convert), Booleans are -1/0 as integers and "True"/"False" as text.
class Variant
{
public:
    enum class TTyp { Empty, Null, Boolean, Byte, Smallint, Word, Integer, Cardinal, Int64, Double, Currency, Date, String, AnsiString, WideString };

    Variant() = default;
    static Variant Null();
    static Variant ZBoolean(bool p_Wartosc) { return Variant(TTyp::Boolean, int64_t(p_Wartosc)); }
    static Variant ZByte(uint8_t p_Wartosc) { return Variant(TTyp::Byte, int64_t(p_Wartosc)); }
    static Variant ZSmallint(int16_t p_Wartosc) { return Variant(TTyp::Smallint, int64_t(p_Wartosc)); }
    static Variant ZWord(uint16_t p_Wartosc) { return Variant(TTyp::Word, int64_t(p_Wartosc)); }
    static Variant ZInteger(int32_t p_Wartosc) { return Variant(TTyp::Integer, int64_t(p_Wartosc)); }
    static Variant ZCardinal(uint32_t p_Wartosc) { return Variant(TTyp::Cardinal, int64_t(p_Wartosc)); }
    static Variant ZInt64(int64_t p_Wartosc) { return Variant(TTyp::Int64, p_Wartosc); }
    static Variant ZDouble(double p_Wartosc) { return Variant(TTyp::Double, p_Wartosc); }
    // The value times 10000.
    static Variant ZCurrency(int64_t p_RazyDziesiecTysiecy) { return Variant(TTyp::Currency, p_RazyDziesiecTysiecy); }
    // Days since 1899-12-30, fraction = part of the day.
    static Variant ZDate(double p_Wartosc) { return Variant(TTyp::Date, p_Wartosc); }
    static Variant ZString(QString p_Wartosc) { return Variant(TTyp::String, std::move(p_Wartosc)); }
    static Variant ZWideString(QString p_Wartosc) { return Variant(TTyp::WideString, std::move(p_Wartosc)); }
    // Windows-1250 bytes.
    static Variant ZAnsiString(QByteArray p_Wartosc);

    TTyp Typ() const { return FTyp; }
    bool JestPusty() const { return FTyp == TTyp::Empty; }
    bool JestNull() const { return FTyp == TTyp::Null; }
    bool JestCalkowity() const { return FTyp >= TTyp::Byte && FTyp <= TTyp::Int64; }
    bool JestTekstem() const { return FTyp >= TTyp::String; }

    // Empty converts to the zero of the wanted kind; Null raises EConvertError.
    bool JakoBoolean() const;
    int64_t JakoInt64() const;
    double JakoDouble() const;
    int64_t JakoCurrency() const;
    double JakoDate() const { return JakoDouble(); }
    QString JakoString() const;
    QByteArray JakoAnsiString() const;

    bool operator==(const Variant &p_Inny) const = default;

private:
    Variant(TTyp p_Typ, int64_t p_Wartosc) : FTyp(p_Typ), FWartosc(p_Wartosc) {}
    Variant(TTyp p_Typ, double p_Wartosc) : FTyp(p_Typ), FWartosc(p_Wartosc) {}
    Variant(TTyp p_Typ, QString p_Wartosc) : FTyp(p_Typ), FWartosc(std::move(p_Wartosc)) {}

    [[noreturn]] void BladKonwersji(const char *p_DoTypu) const;

    TTyp FTyp = TTyp::Empty;
    std::variant<int64_t, double, QString, QByteArray> FWartosc;
};
