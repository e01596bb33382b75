#include "Variant.h"

#include "KodowanieZnakow.h"
#include "TekstyPomocnicze.h"
#include "Wyjatki.h"

#include <cmath>
#include <optional>

namespace {

// Variants read numbers in the invariant form; a comma is taken as the decimal separator too.
std::optional<double> tekstNaDouble(const QString &p_Tekst)
{
    const TFormatSettings ustawienia;
    QString tekst = NormalizujTekstLiczby(p_Tekst, ustawienia);
    bool ok = false;
    const double wartosc = tekst.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return wartosc;
}

QString liczbaNaTekst(double p_Wartosc)
{
    return QString::number(p_Wartosc, 'g', 15);
}

} // namespace

Variant Variant::Null()
{
    Variant w;
    w.FTyp = TTyp::Null;
    return w;
}

Variant Variant::ZAnsiString(QByteArray p_Wartosc)
{
    Variant w;
    w.FTyp = TTyp::AnsiString;
    w.FWartosc = std::move(p_Wartosc);
    return w;
}

void Variant::BladKonwersji(const char *p_DoTypu) const
{
    static constexpr const char *NazwyTypow[] = {"Empty",  "Null",     "Boolean", "Byte",   "Smallint",
                                                 "Word",   "Integer",  "Cardinal", "Int64", "Double",
                                                 "Currency", "Date",   "String",  "AnsiString", "WideString"};
    throw EConvertError(QStringLiteral("Nie można przekształcić wariantu typu (%1) na typ (%2)")
                            .arg(QLatin1String(NazwyTypow[static_cast<int>(FTyp)]), QLatin1String(p_DoTypu)));
}

bool Variant::JakoBoolean() const
{
    switch (FTyp) {
    case TTyp::Empty:
        return false;
    case TTyp::Null:
        BladKonwersji("Boolean");
    case TTyp::String:
    case TTyp::WideString:
    case TTyp::AnsiString: {
        const QString tekst = JakoString().trimmed();
        if (tekst.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (tekst.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        if (const auto liczba = tekstNaDouble(tekst))
            return *liczba != 0;
        BladKonwersji("Boolean");
    }
    default:
        return JakoDouble() != 0;
    }
}

int64_t Variant::JakoInt64() const
{
    switch (FTyp) {
    case TTyp::Empty:
        return 0;
    case TTyp::Null:
        BladKonwersji("Int64");
    case TTyp::Boolean:
        return std::get<int64_t>(FWartosc) ? -1 : 0;
    case TTyp::Double:
    case TTyp::Date:
        return static_cast<int64_t>(std::nearbyint(std::get<double>(FWartosc)));
    case TTyp::Currency:
        return static_cast<int64_t>(std::nearbyint(std::get<int64_t>(FWartosc) / 10000.0));
    case TTyp::String:
    case TTyp::WideString:
    case TTyp::AnsiString: {
        const QString tekst = JakoString().trimmed();
        bool ok = false;
        const qlonglong calkowita = tekst.toLongLong(&ok);
        if (ok)
            return calkowita;
        if (const auto liczba = tekstNaDouble(tekst); liczba && std::abs(*liczba) < 9.2e18)
            return static_cast<int64_t>(std::nearbyint(*liczba));
        BladKonwersji("Int64");
    }
    default:
        return std::get<int64_t>(FWartosc);
    }
}

double Variant::JakoDouble() const
{
    switch (FTyp) {
    case TTyp::Empty:
        return 0;
    case TTyp::Null:
        BladKonwersji("Double");
    case TTyp::Double:
    case TTyp::Date:
        return std::get<double>(FWartosc);
    case TTyp::Currency:
        return std::get<int64_t>(FWartosc) / 10000.0;
    case TTyp::String:
    case TTyp::WideString:
    case TTyp::AnsiString:
        if (const auto liczba = tekstNaDouble(JakoString()))
            return *liczba;
        BladKonwersji("Double");
    default:
        return static_cast<double>(JakoInt64());
    }
}

int64_t Variant::JakoCurrency() const
{
    if (FTyp == TTyp::Currency)
        return std::get<int64_t>(FWartosc);
    if (JestCalkowity() || FTyp == TTyp::Boolean)
        return JakoInt64() * 10000;
    const double wartosc = JakoDouble() * 10000.0;
    if (!(std::abs(wartosc) < 9.2e18))
        BladKonwersji("Currency");
    return static_cast<int64_t>(std::nearbyint(wartosc));
}

QString Variant::JakoString() const
{
    switch (FTyp) {
    case TTyp::Empty:
        return {};
    case TTyp::Null:
        BladKonwersji("String");
    case TTyp::Boolean:
        return std::get<int64_t>(FWartosc) ? QStringLiteral("True") : QStringLiteral("False");
    case TTyp::Double:
    case TTyp::Date:
        return liczbaNaTekst(std::get<double>(FWartosc));
    case TTyp::Currency:
        return liczbaNaTekst(std::get<int64_t>(FWartosc) / 10000.0);
    case TTyp::String:
    case TTyp::WideString:
        return std::get<QString>(FWartosc);
    case TTyp::AnsiString:
        return TekstZPolskiegoAnsi(std::get<QByteArray>(FWartosc));
    default:
        return QString::number(std::get<int64_t>(FWartosc));
    }
}

QByteArray Variant::JakoAnsiString() const
{
    if (FTyp == TTyp::AnsiString)
        return std::get<QByteArray>(FWartosc);
    return TekstNaPolskiAnsi(JakoString());
}
