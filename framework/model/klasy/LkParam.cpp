#include "LkParam.h"

#include "JadroKlas.h"
#include "ParsowanieTekstu.h"

#include <limits>

namespace {

[[noreturn]] void bladTypu(const TVarRec &p_Wartosc)
{
    throw LkException(Format(QStringLiteral("b\u0142\u0119dny typ parametru: %d"), {p_Wartosc.KodTypu()}));
}

// Parameters take a Boolean as the integer 0 or 1.
bool jakoCalkowita(const TVarRec &p_Wartosc)
{
    return p_Wartosc.JestCalkowita() || p_Wartosc.Rodzaj() == TVarRec::TRodzaj::Boolean;
}

// Kinds compared with each other by value.
enum class TGrupa { Tekst, Calkowita, Zmiennoprzecinkowa, Inna };

TGrupa grupa(const TVarRec &p_Wartosc)
{
    if (p_Wartosc.JestTekstem())
        return TGrupa::Tekst;
    if (jakoCalkowita(p_Wartosc))
        return TGrupa::Calkowita;
    if (p_Wartosc.JestZmiennoprzecinkowa())
        return TGrupa::Zmiennoprzecinkowa;
    return TGrupa::Inna;
}

bool rowne(const TVarRec &p_A, const TVarRec &p_B)
{
    const TGrupa g = grupa(p_A);
    if (g != grupa(p_B))
        return false;
    switch (g) {
    case TGrupa::Tekst:
        return p_A.JakoString() == p_B.JakoString();
    case TGrupa::Calkowita:
        return p_A.JakoInt64() == p_B.JakoInt64();
    case TGrupa::Zmiennoprzecinkowa:
        return p_A.JakoDouble() == p_B.JakoDouble();
    case TGrupa::Inna:
        break;
    }
    return p_A.Rodzaj() == p_B.Rodzaj()
           && (p_A.Rodzaj() == TVarRec::TRodzaj::Object ? p_A.JakoObiekt() == p_B.JakoObiekt()
                                                         : p_A.JakoInt64() == p_B.JakoInt64());
}

} // namespace

TLkParam::TLkParam(const TArrayOfConst &p_Parametry, TObiektBazowy *p_Rodzic) : TKlasa(p_Rodzic)
{
    for (const TVarRec &wartosc : p_Parametry)
        DolaczParam(wartosc);
}

const TArrayOfConst &TLkParam::Parametry() const
{
    static const TArrayOfConst brak;
    const auto *tablica = static_cast<const TPoleArrayOfConst *>(PoleJesliJest(PoleParametrow));
    return tablica ? tablica->Parametry() : brak;
}

const TVarRec &TLkParam::ParamNr(int p_Nr) const
{
    if (p_Nr < 0 || p_Nr >= IleParam())
        throw LkException(Format(QStringLiteral("b\u0142\u0119dny nr parametru: %d"), {p_Nr}));
    return Parametry()[static_cast<size_t>(p_Nr)];
}

QString TLkParam::ParamString(int p_Nr) const
{
    const TVarRec &w = ParamNr(p_Nr);
    if (!w.JestTekstem())
        bladTypu(w);
    return w.JakoString();
}

int64_t TLkParam::ParamInt64(int p_Nr) const
{
    const TVarRec &w = ParamNr(p_Nr);
    if (!jakoCalkowita(w))
        bladTypu(w);
    return w.JakoInt64();
}

int32_t TLkParam::ParamInteger(int p_Nr) const
{
    const int64_t wartosc = ParamInt64(p_Nr);
    if (wartosc < std::numeric_limits<int32_t>::min() || wartosc > std::numeric_limits<int32_t>::max())
        bladTypu(ParamNr(p_Nr));
    return static_cast<int32_t>(wartosc);
}

bool TLkParam::ParamBoolean(int p_Nr) const
{
    return ParamInt64(p_Nr) != 0;
}

double TLkParam::ParamExtended(int p_Nr) const
{
    const TVarRec &w = ParamNr(p_Nr);
    if (!jakoCalkowita(w) && !w.JestZmiennoprzecinkowa())
        bladTypu(w);
    return w.JakoDouble();
}

int64_t TLkParam::ParamCurrency(int p_Nr) const
{
    const TVarRec &w = ParamNr(p_Nr);
    if (w.Rodzaj() == TVarRec::TRodzaj::Currency)
        return w.JakoInt64();
    const double razy = ParamExtended(p_Nr) * 10000.0;
    // Beyond the currency range the value has no currency form.
    if (!(razy > -9.2e18 && razy < 9.2e18))
        bladTypu(w);
    return static_cast<int64_t>(razy < 0 ? razy - 0.5 : razy + 0.5);
}

Variant TLkParam::ParamVariant(int p_Nr) const
{
    const TVarRec &w = ParamNr(p_Nr);
    switch (w.Rodzaj()) {
    case TVarRec::TRodzaj::Boolean:
        return Variant::ZBoolean(w.JakoInt64() != 0);
    case TVarRec::TRodzaj::Integer:
        return Variant::ZInteger(static_cast<int32_t>(w.JakoInt64()));
    case TVarRec::TRodzaj::Int64:
        return Variant::ZInt64(w.JakoInt64());
    case TVarRec::TRodzaj::Extended:
        return Variant::ZDouble(w.JakoDouble());
    case TVarRec::TRodzaj::Currency:
        return Variant::ZCurrency(w.JakoInt64());
    case TVarRec::TRodzaj::String:
    case TVarRec::TRodzaj::Char:
        return Variant::ZString(w.JakoString());
    case TVarRec::TRodzaj::AnsiString:
        return Variant::ZAnsiString(w.JakoBajty());
    default:
        bladTypu(w);
    }
}

bool TLkParam::JestTakiParam(const TVarRec &p_Wartosc) const
{
    for (const TVarRec &w : Parametry())
        if (rowne(w, p_Wartosc))
            return true;
    return false;
}

void TLkParam::DolaczParam(const TVarRec &p_Wartosc)
{
    Tablica().DolaczDowolnyParam(p_Wartosc);
}

bool TLkParam::DodajGdyBrak(const TVarRec &p_Wartosc)
{
    if (JestTakiParam(p_Wartosc))
        return false;
    DolaczParam(p_Wartosc);
    return true;
}

void TLkParam::UsunParamNr(int p_Nr)
{
    ParamNr(p_Nr); // checked before the field is made
    Tablica().UsunParamNr(p_Nr);
}

QString TLkParam::ParamToStr(int p_Nr) const
{
    const TVarRec &w = ParamNr(p_Nr);
    switch (w.Rodzaj()) {
    case TVarRec::TRodzaj::Boolean:
        return QLatin1String(w.JakoInt64() ? SlowoPrawda : SlowoFalsz);
    case TVarRec::TRodzaj::Integer:
    case TVarRec::TRodzaj::Int64:
        return QString::number(w.JakoInt64());
    case TVarRec::TRodzaj::Extended:
        return Format(QStringLiteral("%g"), {w.JakoDouble()});
    case TVarRec::TRodzaj::Currency:
        return Format(QStringLiteral("%.*f"), {DajJadroKlas().FormatSettings().CurrencyDecimals, w.JakoDouble()});
    case TVarRec::TRodzaj::Object: {
        const auto *pole = dynamic_cast<const TPole *>(w.JakoObiekt());
        return pole ? pole->ClassName() : (w.JakoObiekt() ? QStringLiteral("?") : QStringLiteral("nil"));
    }
    case TVarRec::TRodzaj::Pointer:
        return Format(QStringLiteral("%p"), {w});
    default:
        return w.JakoString();
    }
}

QString TLkParam::OpisTekstowy() const
{
    QStringList teksty;
    for (int nr = 0; nr < IleParam(); ++nr)
        teksty << ParamToStr(nr);
    return teksty.join(QLatin1String(", "));
}
