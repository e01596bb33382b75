#include "Pole.h"

#include "ZapisywaczXML.h"

#include "KodowanieZnakow.h"
#include "KopierDanych.h"
#include "OdczytywaczXML.h"
#include "Formatuj.h"
#include "OdczytywaczTekstu.h"
#include "PorownanieTekstow.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

const TOpisKlasy TPole::Opis = {"TPole", nullptr, nullptr};

void TPole::BrakDeklaracjiKlasy(const TOpisKlasy &p_Klasa) const
{
    const char *surowa = typeid(*this).name();
    int stan = 0;
    const std::unique_ptr<char, void (*)(void *)> nazwa(abi::__cxa_demangle(surowa, nullptr, nullptr, &stan),
                                                        std::free);
    throw LkException(Format(QStringLiteral("Klasa %s nie deklaruje się (TKlasa): jej obiekty wzięłyby opis klasy %s"),
                             {QString::fromLatin1(nazwa ? nazwa.get() : surowa), p_Klasa.ClassName()}));
}

QByteArray TPole::GetJakoLkAnsiString() const
{
    return TekstNaPolskiAnsi(GetJakoString());
}

void TPole::SetJakoLkAnsiString(const QByteArray &p_Wartosc)
{
    SetJakoString(TekstZPolskiegoAnsi(p_Wartosc));
}

QString TPole::WartWgMaski(const QString &, const TFormatSettings *) const
{
    return GetJakoString();
}

void TPole::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    if (p_Kopier)
        p_Kopier->KopiowanoDane(p_Pole, *this);
}

bool TPole::WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz)
{
    return WczytajTekstowo(p_Odczytywacz);
}

void TPole::ZapiszXMLowo(TZapisywaczXML &p_Zapisywacz) const
{
    ZapiszTekstowo(p_Zapisywacz);
}

bool TPole::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    TLkParser &parser = p_Odczytywacz.Parser();
    if (parser.Token() == TLkParser::toWString)
        SetJakoString(QString::fromUtf8(parser.TokenView()));
    else
        SetJakoLkAnsiString(parser.TokenString());
    parser.NextToken();
    return !MaDefWartosc();
}

namespace {

template <typename T> int16_t znakRoznicy(T p_A, T p_B)
{
    return p_A < p_B ? -1 : (p_B < p_A ? 1 : 0);
}

} // namespace

int16_t TPole::PorownajZCecha(const TVarRec &p_Cecha, bool p_BezWielkosci, uint32_t p_LocaleID) const
{
    const Variant wartosc = GetJakoVariant();
    const bool zmiennoprzecinkowa = wartosc.Typ() == Variant::TTyp::Double || wartosc.Typ() == Variant::TTyp::Date;
    switch (p_Cecha.Rodzaj()) {
    case TVarRec::TRodzaj::Boolean:
        return znakRoznicy(wartosc.JakoBoolean(), p_Cecha.JakoInt64() != 0);
    case TVarRec::TRodzaj::Integer:
    case TVarRec::TRodzaj::Int64:
        if (zmiennoprzecinkowa || wartosc.Typ() == Variant::TTyp::Currency)
            return znakRoznicy(wartosc.JakoDouble(), static_cast<double>(p_Cecha.JakoInt64()));
        if (wartosc.Typ() == Variant::TTyp::Boolean)
            return znakRoznicy<int64_t>(wartosc.JakoBoolean() ? 1 : 0, p_Cecha.JakoInt64());
        return znakRoznicy(wartosc.JakoInt64(), p_Cecha.JakoInt64());
    case TVarRec::TRodzaj::Extended:
        return znakRoznicy(wartosc.JakoDouble(), p_Cecha.JakoDouble());
    case TVarRec::TRodzaj::Currency:
        return znakRoznicy(wartosc.JakoCurrency(), p_Cecha.JakoInt64());
    case TVarRec::TRodzaj::String:
    case TVarRec::TRodzaj::AnsiString:
    case TVarRec::TRodzaj::Char: {
        const int wynik = PorownajTeksty(wartosc.JakoString(), p_Cecha.JakoString(), p_BezWielkosci, p_LocaleID);
        return znakRoznicy(wynik, 0);
    }
    default:
        throw LkException(Format(QStringLiteral("b\u0142\u0119dny typ parametru: %d"), {p_Cecha.KodTypu()}));
    }
}
