#include "PolaCalkowite.h"

#include "DatyICzasy.h"
#include "FormatowanieLiczb.h"
#include "OdczytywaczXML.h"
#include "ParsowanieTekstu.h"
#include "StrumienBinarny.h"
#include "ZapisywaczTekstu.h"

#include <QStringList>

namespace {

std::optional<int64_t> tekstNaInt64(const QString &p_Tekst)
{
    return SprobujTekstNaInt64(p_Tekst.trimmed().toLatin1());
}

} // namespace

namespace PolaCalkowite {
template <> Variant NaVariant(uint8_t p_Wartosc) { return Variant::ZByte(p_Wartosc); }
template <> Variant NaVariant(int16_t p_Wartosc) { return Variant::ZSmallint(p_Wartosc); }
template <> Variant NaVariant(uint16_t p_Wartosc) { return Variant::ZWord(p_Wartosc); }
template <> Variant NaVariant(int32_t p_Wartosc) { return Variant::ZInteger(p_Wartosc); }
// Cardinal gives a 64-bit variant so that values above 2^31 keep their sign.
template <> Variant NaVariant(uint32_t p_Wartosc) { return Variant::ZInt64(p_Wartosc); }
template <> Variant NaVariant(int64_t p_Wartosc) { return Variant::ZInt64(p_Wartosc); }
} // namespace PolaCalkowite

template <typename T> void TPoleCalkowite<T>::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &) const
{
    ZapiszLE<T>(p_Strumien, Wartosc);
}

template <typename T> void TPoleCalkowite<T>::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    Wartosc = CzytajLE<T>(p_Strumien);
}

template class TPoleCalkowite<uint8_t>;
template class TPoleCalkowite<int16_t>;
template class TPoleCalkowite<uint16_t>;
template class TPoleCalkowite<int32_t>;
template class TPoleCalkowite<uint32_t>;
template class TPoleCalkowite<int64_t>;

int64_t TPoleCalkowitoliczbowe::TekstNaInteger(const QString &p_Tekst)
{
    return TekstNaInt64(p_Tekst, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

void TPoleCalkowitoliczbowe::SetJakoString(const QString &p_Wartosc)
{
    UstawInt64(TekstNaInteger(p_Wartosc));
}

template <> void TPoleInt64::SetJakoString(const QString &p_Wartosc)
{
    Wartosc = TekstNaInt64(p_Wartosc);
}

template <> void TPoleCardinal::SetJakoString(const QString &p_Wartosc)
{
    // A text that is not a number leaves the value as it was.
    const auto wartosc = tekstNaInt64(p_Wartosc);
    if (!wartosc)
        throw LkException(QStringLiteral("b\u0142\u0119dna warto\u015B\u0107 Cardinal: %1").arg(p_Wartosc));
    UstawInt64(*wartosc);
}

void TPoleCalkowitoliczbowe::SetJakoVariant(const Variant &p_Wartosc)
{
    if (p_Wartosc.Typ() == Variant::TTyp::Boolean)
        UstawInt64(p_Wartosc.JakoBoolean() ? 1 : 0);
    else
        UstawInt64(p_Wartosc.JakoInt64());
}

QString TPoleCalkowitoliczbowe::WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS) const
{
    if (p_Maska.isEmpty())
        return GetJakoString();
    if (p_Maska.startsWith(QLatin1Char('?'))) {
        const QStringList pozycje = p_Maska.mid(1).split(QLatin1Char(';'));
        const int64_t nr = JakoInt64();
        return nr >= 0 && nr < pozycje.size() ? pozycje[static_cast<qsizetype>(nr)] : QString();
    }
    if (const auto tekst = FormatujLiczbeWgMaski(p_Maska, static_cast<double>(JakoInt64()),
                                                 p_FS ? *p_FS : UstawieniaDatModelu()))
        return *tekst;
    // Exponent masks are not supported; say so rather than show an unmasked value.
    BledneWywolanie("WartWgMaski");
    return {};
}

void TPoleCalkowitoliczbowe::KopiujDane(const TPole &p_Pole, TKopierDanych *)
{
    if (const auto *calkowite = dynamic_cast<const TPoleCalkowitoliczbowe *>(&p_Pole))
        UstawInt64(calkowite->JakoInt64());
    else
        SetJakoVariant(p_Pole.GetJakoVariant());
}

int16_t TPoleCalkowitoliczbowe::Porownaj(const TPole &p_Pole, TPorownywaczDanych *) const
{
    const int64_t tu = JakoInt64();
    if (const auto *calkowite = dynamic_cast<const TPoleCalkowitoliczbowe *>(&p_Pole)) {
        const int64_t tam = calkowite->JakoInt64();
        return tu < tam ? -1 : (tu > tam ? 1 : 0);
    }
    if (const auto *liczba = dynamic_cast<const TPoleNumeryczne *>(&p_Pole)) {
        const double tam = liczba->JakoDouble();
        return tu < tam ? -1 : (tu > tam ? 1 : 0);
    }
    return 0;
}

void TPoleCalkowitoliczbowe::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    p_Zapisywacz.ZapiszInt64(JakoInt64());
}

bool TPoleCalkowitoliczbowe::WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz)
{
    return WczytajLiczbe(p_Odczytywacz);
}

bool TPoleCalkowitoliczbowe::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.Parser().CheckToken(TLkParser::toInteger);
    return WczytajLiczbe(p_Odczytywacz);
}

bool TPoleCalkowitoliczbowe::WczytajLiczbe(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    TLkParser &parser = p_Odczytywacz.Parser();
    const qint64 wartosc = parser.TokenInt();
    // The class name is text made afresh: only a value out of range needs it.
    if (wartosc < Min() || wartosc > Max())
        parser.SprawdzZakres(wartosc, Min(), Max(), ClassName());
    UstawInt64(wartosc);
    parser.NextToken();
    return wartosc != 0;
}
