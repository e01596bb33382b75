#include "LkParam.h"

#include <utility>

#include "JadroKlas.h"
#include "ParsowanieTekstu.h"

#include <limits>

namespace {

[[noreturn]] void bladTypu(const TVarRec &p_Wartosc)
{
    throw LkException(Format(QStringLiteral("b\u0142\u0119dny typ parametru: %d"), {p_Wartosc.KodTypu()}));
}

TLkParamBazowy *jakoParam(const TVarRec &p_Wartosc)
{
    return p_Wartosc.Rodzaj() == TVarRec::TRodzaj::Object ? dynamic_cast<TLkParamBazowy *>(p_Wartosc.JakoObiekt())
                                                          : nullptr;
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
    FParametry.reserve(p_Parametry.size());
    for (const TVarRec &wartosc : p_Parametry)
        DolaczParam(wartosc);
}

TLkParam::~TLkParam()
{
    RozbierzWDestruktorze();
}

const TVarRec &TLkParam::ParamNr(int p_Nr) const
{
    if (p_Nr < 0 || p_Nr >= IleParam())
        throw LkException(Format(QStringLiteral("b\u0142\u0119dny nr parametru: %d"), {p_Nr}));
    return FParametry[static_cast<size_t>(p_Nr)];
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
    for (const TVarRec &w : FParametry)
        if (rowne(w, p_Wartosc))
            return true;
    return false;
}

void TLkParam::Trzymaj(const TVarRec &p_Wartosc)
{
    if (TLkParamBazowy *param = jakoParam(p_Wartosc))
        param->Zwieksz();
}

void TLkParam::Pusc(const TVarRec &p_Wartosc)
{
    if (TLkParamBazowy *param = jakoParam(p_Wartosc))
        param->Zwolnij();
}

void TLkParam::DolaczParam(const TVarRec &p_Wartosc)
{
    FParametry.push_back(p_Wartosc);
    Trzymaj(p_Wartosc);
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
    const TVarRec wartosc = ParamNr(p_Nr);
    FParametry.erase(FParametry.begin() + p_Nr);
    Pusc(wartosc);
}

bool TLkParam::MaWartosc(int16_t p_Nr) const
{
    return (p_Nr == -1 && !FParametry.empty()) || TLkParamBazowy::MaWartosc(p_Nr);
}

int16_t TLkParam::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    if (const int16_t wynik = TLkParamBazowy::Porownaj(p_Pole, p_Porownywacz))
        return wynik;
    const auto *inny = dynamic_cast<const TLkParam *>(&p_Pole);
    if (!inny || inny == this)
        return 0;
    auto znak = [](auto p_A, auto p_B) -> int16_t { return p_A < p_B ? -1 : (p_B < p_A ? 1 : 0); };
    if (IleParam() != inny->IleParam())
        return znak(IleParam(), inny->IleParam());
    for (int i = 0; i < IleParam(); ++i) {
        const TVarRec &tu = FParametry[static_cast<size_t>(i)];
        const TVarRec &tam = inny->FParametry[static_cast<size_t>(i)];
        const bool liczby = !tu.JestTekstem() && !tam.JestTekstem() && tu.Rodzaj() != TVarRec::TRodzaj::Object
                            && tam.Rodzaj() != TVarRec::TRodzaj::Object;
        const int16_t wynik =
            liczby ? znak(tu.JakoDouble(), tam.JakoDouble()) : znak(ParamToStr(i), inny->ParamToStr(i));
        if (wynik)
            return wynik;
    }
    return 0;
}

void TLkParam::KopiujDaneSpozaPol(const TObiekt &p_Zrodlo, TTrybKopiowaniaPol p_TrybKopiowania)
{
    const auto *zrodlo = dynamic_cast<const TLkParam *>(&p_Zrodlo);
    if (!zrodlo || zrodlo == this)
        return;
    if (zrodlo->FParametry.empty() ? p_TrybKopiowania != tkpZawsze
                                   : p_TrybKopiowania == tkpGdyCelPusty && !FParametry.empty())
        return;
    // The new elements are held before the old ones are let go: they may be the same objects.
    for (const TVarRec &wartosc : zrodlo->FParametry)
        Trzymaj(wartosc);
    TArrayOfConst stare = std::exchange(FParametry, zrodlo->FParametry);
    for (const TVarRec &wartosc : stare)
        Pusc(wartosc);
}

void TLkParam::ZerujDane()
{
    TArrayOfConst parametry;
    parametry.swap(FParametry);
    for (const TVarRec &wartosc : parametry)
        Pusc(wartosc);
    TLkParamBazowy::ZerujDane();
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

int64_t TLkParam::ZajmowanaPamiec() const
{
    int64_t rozmiar = TLkParamBazowy::ZajmowanaPamiec() + static_cast<int64_t>(FParametry.capacity() * sizeof(TVarRec));
    for (const TVarRec &w : FParametry)
        rozmiar += w.JakoString().size() * 2 + w.JakoBajty().size();
    return rozmiar;
}
