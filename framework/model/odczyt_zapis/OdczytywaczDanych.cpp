#include "OdczytywaczDanych.h"

#include "ObiektBazowy.h"
#include "PoleWskObiektu.h"
#include "StringCache.h"
#include "Formatuj.h"
#include "Wyjatki.h"

#include <exception>

void TOdczytywaczDanych::OdczytywanoPole(TPole &p_Pole)
{
    // A virtual question: a cast per field read costs more than reading the value.
    if (TObiektBazowy *obiekt = p_Pole.JakoObiekt())
        OdczObiekty.push_back(obiekt);
}

void TOdczytywaczDanych::DodajRefNumer(TPoleWskObiektu &p_Pole, int64_t p_Numer)
{
    p_Pole.UstawWartosc(nullptr);
    OdczRef.push_back({&p_Pole, true, p_Numer, {}});
}

void TOdczytywaczDanych::DodajRefUstawiona(TPoleWskObiektu &p_Pole)
{
    OdczRef.push_back({&p_Pole, false, 0, {}});
}

void TOdczytywaczDanych::KorygujReferencje()
{
    for (const TRefOdczytana &ref : OdczRef) {
        if (!ref.Oczekuje)
            continue;
        const bool znany = ref.Numer >= 1 && ref.Numer <= static_cast<int64_t>(OdczObiekty.size());
        ref.Pole->UstawWartosc(znany ? OdczObiekty[static_cast<size_t>(ref.Numer - 1)] : nullptr);
    }
    OdczRef.clear();
}

void TOdczytywaczDanych::ZerujReferencje()
{
    for (const TRefOdczytana &ref : OdczRef)
        ref.Pole->UstawWartosc(nullptr);
    OdczRef.clear();
}

void TOdczytywaczDanych::UzyjCache(QString &p_Tekst) const
{
    if (FStringCache && !p_Tekst.isEmpty())
        FStringCache->UseOn(p_Tekst);
}

void TOdczytywaczDanych::UzyjCache(QStringList &p_Lista) const
{
    for (QString &tekst : p_Lista)
        UzyjCache(tekst);
}

void TOdczytywaczDanych::WczytajDokument(TObiektBazowy &p_Obiekt, const std::function<void()> &p_Czytaj)
{
    p_Obiekt.ZablokujObiekt();
    try {
        p_Obiekt.ZerujDane();
        p_Czytaj();
        KorygujReferencje();
    } catch (...) {
        // The pending fields go first: clearing the object frees them.
        ZerujReferencje();
        try {
            p_Obiekt.ZerujDane();
        } catch (const std::exception &) {
            // The read's own failure is the one worth reporting.
        }
        p_Obiekt.OdblokujObiekt();
        throw;
    }
    p_Obiekt.OdblokujObiekt();
}

TPoziomOdczytu::TPoziomOdczytu(TOdczytywaczDanych &p_Odczytywacz) : FOdczytywacz(p_Odczytywacz)
{
    if (FOdczytywacz.GlebokoscOdczytu >= TOdczytywaczDanych::MaksGlebokoscOdczytu)
        throw LkException(Format(QStringLiteral("Zbyt głębokie zagnieżdżenie obiektów (więcej niż %d poziomów)"),
                                 {TOdczytywaczDanych::MaksGlebokoscOdczytu}));
    ++FOdczytywacz.GlebokoscOdczytu;
}
