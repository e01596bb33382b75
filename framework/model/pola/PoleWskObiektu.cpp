#include "PoleWskObiektu.h"

#include "BlokadaObiektu.h"
#include "KopierDanych.h"
#include "ObiektBazowy.h"
#include "OdczytywaczTekstu.h"
#include "PorownywaczDanych.h"
#include "StrumienBinarny.h"
#include "ZapisywaczTekstu.h"
#include "ZglaszanieBledow.h"

#include <cstdint>
#include <exception>

QString TPoleWskObiektu::GetJakoString() const
{
    return QString::number(reinterpret_cast<uintptr_t>(FWartosc));
}

void TPoleWskObiektu::SetJakoString(const QString &p_Wartosc)
{
    const QString tekst = p_Wartosc.trimmed();
    if (tekst.isEmpty() || tekst == QLatin1String("0"))
        UstawWartosc(nullptr);
    else if (tekst != GetJakoString())
        throw EConvertError(QStringLiteral("'%1' nie jest wskaźnikiem do obiektu").arg(p_Wartosc));
}

Variant TPoleWskObiektu::GetJakoVariant() const
{
    return Variant::ZInt64(static_cast<int64_t>(reinterpret_cast<uintptr_t>(FWartosc)));
}

void TPoleWskObiektu::SetJakoVariant(const Variant &p_Wartosc)
{
    SetJakoString(p_Wartosc.JakoString());
}

QString TPoleWskObiektu::WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS) const
{
    return FWartosc ? FWartosc->WartWgMaski(p_Maska, p_FS) : QString();
}

void TPoleWskObiektu::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    TPole::KopiujDane(p_Pole, p_Kopier);
    if (const auto *wskaznik = dynamic_cast<const TPoleWskObiektu *>(&p_Pole))
        UstawWartosc(wskaznik->FWartosc);
}

int16_t TPoleWskObiektu::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    if (p_Porownywacz && p_Porownywacz->TrybPorownRef == tprIgnorujRef)
        return 0;
    const auto *inny = dynamic_cast<const TPoleWskObiektu *>(&p_Pole);
    if (!inny)
        return FWartosc ? 1 : 0;
    if (inny == this)
        return 0;
    return PorownajCele(FWartosc, inny->FWartosc, p_Porownywacz);
}

int16_t TPoleWskObiektu::PorownajCele(const TObiektBazowy *p_Cel, const TObiektBazowy *p_Inny,
                                      TPorownywaczDanych *p_Porownywacz)
{
    if (p_Porownywacz && p_Porownywacz->TrybPorownRef == tprIgnorujRef)
        return 0;
    if (p_Cel == p_Inny)
        return 0;
    if (p_Porownywacz && p_Porownywacz->TrybPorownRef == tprRefJakoSciezki) {
        const QString tu = p_Cel ? p_Cel->DajSciezkeDoSiebie(p_Porownywacz->ObiektCo) : QString();
        const QString tam = p_Inny ? p_Inny->DajSciezkeDoSiebie(p_Porownywacz->ObiektZCzym) : QString();
        const int wynik = tu.compare(tam);
        return wynik < 0 ? -1 : (wynik > 0 ? 1 : 0);
    }
    if (!p_Cel)
        return -1;
    if (!p_Inny)
        return 1;
    // The targets' comparison records the pair, so a cycle back to it ends as equal.
    return p_Cel->Porownaj(*p_Inny, p_Porownywacz);
}

void TPoleWskObiektu::PrzepnijRef(TObiektBazowy *p_Stary, TObiektBazowy *p_Nowy)
{
    if (FWartosc == p_Stary)
        FWartosc = p_Nowy;
}

void TPoleWskObiektu::ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const
{
    p_Zapisywacz.ZapiszRef(*this);
}

bool TPoleWskObiektu::WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    return p_Odczytywacz.WczytajRef(*this);
}

void TPoleWskObiektu::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    int gdzie = -1;
    ZapiszLiczbe(p_Strumien, FWartosc && p_Zapisywacz.PodlegaZapisowi(FWartosc, gdzie) ? gdzie + 1 : 0);
}

void TPoleWskObiektu::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoWartosc(*this);
    p_Odczytywacz.DodajRefNumer(*this, CzytajLiczbe(p_Strumien));
}

TPoleRefObiektu::~TPoleRefObiektu()
{
    // Leaves the target's list, so the target never tells a field that is gone;
    // without the target's lock when that cannot be taken.
    try {
        UstawWartosc(nullptr);
    } catch (const std::exception &e) {
        FWartosc->UsunRefOd(this);
        ZglosBlad(KomunikatWyjatku(e), false);
    }
}

void TPoleRefObiektu::UstawWartosc(TObiektBazowy *p_Wartosc)
{
    if (FWartosc == p_Wartosc)
        return;
    // The new target's list grows first: if that fails, nothing has changed.
    if (p_Wartosc) {
        TBlokadaObiektu blokada(p_Wartosc);
        p_Wartosc->DodajRef(this);
    }
    if (FWartosc) {
        TBlokadaObiektu blokada(FWartosc);
        FWartosc->UsunRefOd(this);
    }
    FWartosc = p_Wartosc;
}

void TPoleRefObiektu::ZerujRefDo(TObiektBazowy *p_Obiekt)
{
    if (FWartosc != p_Obiekt)
        return;
    // The target has already taken this field off its list.
    FWartosc = nullptr;
    if (FRodzic)
        FRodzic->StraconoCelPola(*this);
}

void TPoleRefObiektu::PrzepnijRef(TObiektBazowy *p_Stary, TObiektBazowy *p_Nowy)
{
    if (FWartosc != p_Stary)
        return;
    // A target's PrzepnijRefNa has taken the field off its list already; a copy's field is still on it.
    if (FWartosc) {
        TBlokadaObiektu blokada(FWartosc);
        FWartosc->UsunRefOd(this);
    }
    FWartosc = nullptr;
    UstawWartosc(p_Nowy);
}
