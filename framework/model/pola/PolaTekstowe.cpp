#include "PolaTekstowe.h"

#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "OdczytywaczXML.h"
#include "PorownanieTekstow.h"
#include "PorownywaczDanych.h"
#include "StrumienBinarny.h"
#include "ZapisywaczTekstu.h"

namespace {

int16_t znak(int p_Wynik)
{
    return p_Wynik < 0 ? -1 : (p_Wynik > 0 ? 1 : 0);
}

// Without a comparer texts compare ignoring case.
bool bezWielkosci(const TPorownywaczDanych *p_Porownywacz)
{
    return !p_Porownywacz || p_Porownywacz->RozmLiter != rlRozmLiterWazny;
}

// Wide strings compare ordinally under the fixed locales.
uint32_t localeSzerokich(uint32_t p_LocaleID)
{
    return p_LocaleID == LocaleDomyslny || p_LocaleID == LocaleUzytkownika ? LocalePorzadkowy : p_LocaleID;
}

// The string's heap block: its header and its capacity; none for an empty string.
template <typename T> int64_t blokTekstu(const T &p_Tekst)
{
    if (p_Tekst.isEmpty())
        return 0;
    return static_cast<int64_t>(sizeof(QArrayData) + p_Tekst.capacity() * sizeof(typename T::value_type));
}

bool jestKlasy(const TOpisKlasy *p_Klasa, const TOpisKlasy &p_Wzor)
{
    return p_Klasa && p_Klasa->DziedziczyPo(p_Wzor);
}

} // namespace

QString TPoleString::WartWgMaski(const QString &p_Maska, const TFormatSettings *) const
{
    if (p_Maska.isEmpty())
        return Wartosc;
    return Format(p_Maska, {Wartosc});
}

int16_t TPoleString::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    const uint32_t locale = p_Porownywacz ? p_Porownywacz->LocaleID : LocaleDomyslny;
    return znak(PorownajTeksty(Wartosc, p_Pole.GetJakoString(), bezWielkosci(p_Porownywacz), locale));
}

QString TPoleRawByteString::GetJakoString() const
{
    return TekstZPolskiegoAnsi(Wartosc);
}

void TPoleRawByteString::SetJakoString(const QString &p_Wartosc)
{
    Wartosc = p_Wartosc.isEmpty() ? QByteArray() : TekstNaPolskiAnsi(p_Wartosc);
}

int16_t TPoleRawByteString::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    return znak(PorownajBajty(Wartosc, p_Pole.GetJakoLkAnsiString(), bezWielkosci(p_Porownywacz)));
}

QString TPoleWideString::GetJakoString() const
{
    return TekstZPolskiegoAnsi(Wartosc.toUtf8());
}

void TPoleWideString::SetJakoString(const QString &p_Wartosc)
{
    Wartosc = p_Wartosc.isEmpty() ? QString() : QString::fromUtf8(TekstNaPolskiAnsi(p_Wartosc));
}

void TPoleWideString::KopiujDane(const TPole &p_Pole, TKopierDanych *)
{
    // Text fields hand over their value directly: the text form would be UTF-8 bytes.
    if (const auto *szeroki = dynamic_cast<const TPoleWideString *>(&p_Pole))
        Wartosc = szeroki->Wartosc;
    else if (const auto *tekst = dynamic_cast<const TPoleString *>(&p_Pole))
        Wartosc = tekst->Wartosc;
    else
        SetJakoString(p_Pole.GetJakoString());
}

int16_t TPoleWideString::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    const auto *szeroki = dynamic_cast<const TPoleWideString *>(&p_Pole);
    const QString tam = szeroki ? szeroki->Wartosc : p_Pole.GetJakoString();
    const uint32_t locale = p_Porownywacz ? p_Porownywacz->LocaleID : LocaleUzytkownika;
    return znak(PorownajTeksty(Wartosc, tam, bezWielkosci(p_Porownywacz), localeSzerokich(locale)));
}

int16_t TPoleWideString::PorownajZCecha(const TVarRec &p_Cecha, bool p_BezWielkosci, uint32_t p_LocaleID) const
{
    if (!p_Cecha.JestTekstem())
        return TPole::PorownajZCecha(p_Cecha, p_BezWielkosci, p_LocaleID);
    return znak(PorownajTeksty(Wartosc, p_Cecha.JakoString(), p_BezWielkosci, localeSzerokich(p_LocaleID)));
}

// ---- serialisation

void TPoleString::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    ZapiszNapisPola(Wartosc, p_Strumien, p_Zapisywacz);
}

void TPoleString::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    Wartosc = CzytajNapisPola(p_Strumien, p_Odczytywacz);
}

void TPoleString::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    p_Zapisywacz.ZapiszTekst(Wartosc);
}

bool TPoleString::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    Wartosc = p_Odczytywacz.WczytajNapis(jestKlasy(p_Odczytywacz.PoprzTypOdczytywanegoPola(), TPoleWideString::Opis));
    p_Odczytywacz.UzyjCache(Wartosc);
    return !Wartosc.isEmpty();
}

bool TPoleString::WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    Wartosc = p_Odczytywacz.WczytajTekst();
    p_Odczytywacz.UzyjCache(Wartosc);
    return !Wartosc.isEmpty();
}

int64_t TPoleString::ZajmowanaPamiec() const
{
    return sizeof(*this) + blokTekstu(Wartosc);
}

void TPoleRawByteString::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &) const
{
    ZapiszNapis(p_Strumien, Wartosc);
}

void TPoleRawByteString::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    Wartosc = CzytajNapis(p_Strumien);
}

void TPoleRawByteString::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    p_Zapisywacz.ZapiszTekst(Wartosc);
}

bool TPoleRawByteString::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    // Windows-1250 decoding and encoding restore every byte.
    SetJakoString(p_Odczytywacz.WczytajNapis(false));
    return !Wartosc.isEmpty();
}

bool TPoleRawByteString::WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    SetJakoString(p_Odczytywacz.WczytajTekst());
    return !Wartosc.isEmpty();
}

int64_t TPoleRawByteString::ZajmowanaPamiec() const
{
    return sizeof(*this) + blokTekstu(Wartosc);
}

void TPoleWideString::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    ZapiszNapisUTF8(p_Strumien, p_Zapisywacz.NormalizujTekst ? p_Zapisywacz.NormalizujTekst(Wartosc) : Wartosc);
}

void TPoleWideString::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    Wartosc = CzytajNapisUTF8(p_Strumien);
}

void TPoleWideString::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    p_Zapisywacz.ZapiszTekst(Wartosc);
}

bool TPoleWideString::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    const TOpisKlasy *poprzedni = p_Odczytywacz.PoprzTypOdczytywanegoPola();
    const bool byloTekstowe = jestKlasy(poprzedni, TPoleString::Opis) || jestKlasy(poprzedni, TPoleRawByteString::Opis);
    Wartosc = p_Odczytywacz.WczytajNapis(!byloTekstowe);
    return !Wartosc.isEmpty();
}

bool TPoleWideString::WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    const TOpisKlasy *poprzedni = p_Odczytywacz.PoprzTypOdczytywanegoPola();
    Wartosc = p_Odczytywacz.WczytajTekstSzeroki(jestKlasy(poprzedni, TPoleString::Opis)
                                               || jestKlasy(poprzedni, TPoleRawByteString::Opis));
    return !Wartosc.isEmpty();
}

int64_t TPoleWideString::ZajmowanaPamiec() const
{
    return sizeof(*this) + blokTekstu(Wartosc);
}
