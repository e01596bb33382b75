#pragma once

#include "KlasaBazowa.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <vector>

// One constant of an open argument list: what `Format` and the object model's
// open arrays carry. Built implicitly, so calls read Format("%s %d", {name, 5}).
class TVarRec
{
public:
    enum class TRodzaj { Boolean, Integer, Int64, Extended, Currency, String, AnsiString, Char, Pointer, Object };

    TVarRec(bool p_Wartosc) : FRodzaj(TRodzaj::Boolean), FInt(p_Wartosc) {}
    TVarRec(int p_Wartosc) : FRodzaj(TRodzaj::Integer), FInt(p_Wartosc) {}
    TVarRec(unsigned p_Wartosc) : FRodzaj(TRodzaj::Int64), FInt(p_Wartosc) {}
    TVarRec(long p_Wartosc) : FRodzaj(TRodzaj::Int64), FInt(p_Wartosc) {}
    TVarRec(long long p_Wartosc) : FRodzaj(TRodzaj::Int64), FInt(p_Wartosc) {}
    TVarRec(unsigned long p_Wartosc) : FRodzaj(TRodzaj::Int64), FInt(static_cast<int64_t>(p_Wartosc)) {}
    TVarRec(unsigned long long p_Wartosc) : FRodzaj(TRodzaj::Int64), FInt(static_cast<int64_t>(p_Wartosc)) {}
    TVarRec(double p_Wartosc) : FRodzaj(TRodzaj::Extended), FDouble(p_Wartosc) {}
    TVarRec(QString p_Wartosc) : FRodzaj(TRodzaj::String), FTekst(std::move(p_Wartosc)) {}
    TVarRec(const char16_t *p_Wartosc) : TVarRec(QString::fromUtf16(p_Wartosc)) {}
    // A plain literal ("Imie") is UTF-8 text, not an address.
    TVarRec(const char *p_Wartosc) : TVarRec(QString::fromUtf8(p_Wartosc)) {}
    TVarRec(QChar p_Wartosc) : FRodzaj(TRodzaj::Char), FTekst(p_Wartosc) {}
    // Byte strings are Windows-1250 text; Format shows them as such.
    TVarRec(QByteArray p_Wartosc) : FRodzaj(TRodzaj::AnsiString), FBajty(std::move(p_Wartosc)) {}
    TVarRec(const void *p_Wartosc) : FRodzaj(TRodzaj::Pointer), FInt(reinterpret_cast<intptr_t>(p_Wartosc)) {}
    TVarRec(TObject *p_Wartosc) : FRodzaj(TRodzaj::Object), FObiekt(p_Wartosc) {}
    // Currency: the value times 10000, as the stored 64-bit integer.
    static TVarRec Currency(int64_t p_RazyDziesiecTysiecy)
    {
        TVarRec w(p_RazyDziesiecTysiecy);
        w.FRodzaj = TRodzaj::Currency;
        return w;
    }

    TRodzaj Rodzaj() const { return FRodzaj; }
    // The kind's number as messages about open arrays show it.
    int KodTypu() const;
    // Integer and Int64; a Boolean is no integer (it names no field, fills no %d).
    bool JestCalkowita() const;
    bool JestZmiennoprzecinkowa() const { return FRodzaj == TRodzaj::Extended || FRodzaj == TRodzaj::Currency; }
    bool JestTekstem() const;
    int64_t JakoInt64() const { return FInt; }
    double JakoDouble() const;
    QString JakoString() const;
    const QByteArray &JakoBajty() const { return FBajty; }
    TObject *JakoObiekt() const { return FObiekt; }

private:
    TRodzaj FRodzaj;
    int64_t FInt = 0;
    double FDouble = 0;
    QString FTekst;
    QByteArray FBajty;
    TObject *FObiekt = nullptr;
};

using TArrayOfConst = std::vector<TVarRec>;

// Delphi-style Format: %[index:][-][width][.precision]type with the types
// d u x e f g n m p s and %%. The decimal separator is "."; no locale leaks in.
// A directive that does not fit its argument raises EConvertError
// "Format '%s' invalid or incompatible with argument".
QString Format(const QString &p_Format, const TArrayOfConst &p_Argumenty);
QString Format(const QString &p_Format, std::initializer_list<TVarRec> p_Argumenty);
