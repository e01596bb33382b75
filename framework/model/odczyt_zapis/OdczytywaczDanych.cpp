#include "OdczytywaczDanych.h"

#include "BlokadaObiektu.h"
#include "Formatuj.h"
#include "ListaWskObiektow.h"
#include "ObiektBazowy.h"
#include "PoleWskObiektu.h"
#include "StringCache.h"
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

TObiektBazowy *TOdczytywaczDanych::ObiektONumerze(int64_t p_Numer) const
{
    const bool znany = p_Numer >= 1 && p_Numer <= static_cast<int64_t>(OdczObiekty.size());
    return znany ? OdczObiekty[static_cast<size_t>(p_Numer - 1)] : nullptr;
}

void TOdczytywaczDanych::KorygujReferencje()
{
    for (const TRefOdczytana &ref : OdczRef)
        if (ref.Oczekuje)
            ref.Pole->UstawWartosc(ObiektONumerze(ref.Numer));
    OdczRef.clear();
    KorygujListy([this](const TRefListy &p_Ref) { return ObiektONumerze(p_Ref.Numer); });
}

void TOdczytywaczDanych::ZerujReferencje()
{
    for (const TRefOdczytana &ref : OdczRef)
        ref.Pole->UstawWartosc(nullptr);
    OdczRef.clear();
    for (TListaWskObiektow *lista : OdczListyRef)
        lista->ZerujDane();
    OdczListyRef.clear();
    OdczRefListy.clear();
}

void TOdczytywaczDanych::RejestrujListe(TListaWskObiektow &p_Lista)
{
    if (OdczListyRef.empty() || OdczListyRef.back() != &p_Lista)
        OdczListyRef.push_back(&p_Lista);
}

int TOdczytywaczDanych::DodajOczekujacy(TListaWskObiektow &p_Lista, int p_Gdzie, int64_t p_Numer,
                                         const QByteArray &p_ID)
{
    RejestrujListe(p_Lista);
    if (p_Gdzie < 0) {
        p_Gdzie = p_Lista.IleObiektow();
        p_Lista.DopiszObiekt(nullptr);
    } else {
        p_Lista.UstawObiekt(p_Gdzie, nullptr);
    }
    OdczRefListy.push_back({&p_Lista, p_Gdzie, p_Numer, p_ID});
    return p_Gdzie;
}

void TOdczytywaczDanych::DodajRefListyNumer(TListaWskObiektow &p_Lista, int64_t p_Numer, int p_Gdzie)
{
    DodajOczekujacy(p_Lista, p_Gdzie, p_Numer, {});
}

void TOdczytywaczDanych::KorygujListy(const std::function<TObiektBazowy *(const TRefListy &)> &p_Cel)
{
    for (const TRefListy &ref : OdczRefListy)
        ref.Lista->UstawObiekt(ref.Gdzie, p_Cel(ref));
    OdczRefListy.clear();
    for (TListaWskObiektow *lista : OdczListyRef)
        lista->UsunObiektyNil();
    OdczListyRef.clear();
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
    const TBlokadaObiektu blokada(&p_Obiekt);
    try {
        p_Obiekt.ZerujDane();
        p_Czytaj();
        KorygujReferencje();
    } catch (...) {
        // The pending fields go first: clearing the object frees them.
        ZerujReferencje();
        ZerujPoBledzieOdczytu(p_Obiekt);
        throw;
    }
}

void TOdczytywaczDanych::ZerujPoBledzieOdczytu(TObiektBazowy &p_Obiekt)
{
    try {
        p_Obiekt.ZerujDane();
    } catch (const std::exception &) {
        // Dropped: the caller passes on the read's own failure.
    }
}

TPoziomOdczytu::TPoziomOdczytu(TOdczytywaczDanych &p_Odczytywacz) : FOdczytywacz(p_Odczytywacz)
{
    if (FOdczytywacz.GlebokoscOdczytu >= TOdczytywaczDanych::MaksGlebokoscOdczytu)
        throw LkException(Format(QStringLiteral("Zbyt głębokie zagnieżdżenie obiektów (więcej niż %d poziomów)"),
                                 {TOdczytywaczDanych::MaksGlebokoscOdczytu}));
    ++FOdczytywacz.GlebokoscOdczytu;
}
