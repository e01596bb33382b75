#include "PolaTekstowe.h"

#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "PorownanieTekstow.h"
#include "PorownywaczDanych.h"

const TOpisKlasy TPoleString::Opis = {
    "TPoleString", &TPole::Opis, [](TObiektBazowy *p_Rodzic) -> TPole * { return new TPoleString(p_Rodzic); }, {}};
const TOpisKlasy TPoleRawByteString::Opis = {
    "TPoleRawByteString", &TPole::Opis,
    [](TObiektBazowy *p_Rodzic) -> TPole * { return new TPoleRawByteString(p_Rodzic); }, {}};
const TOpisKlasy TPoleWideString::Opis = {
    "TPoleWideString", &TPole::Opis, [](TObiektBazowy *p_Rodzic) -> TPole * { return new TPoleWideString(p_Rodzic); },
    {}};

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
