#include "PowiazaniePola.h"

#include "Obiekt.h"
#include "Wyjatki.h"

TPowiazaniePola::TPowiazaniePola(ILkKontrolkaEdycji &p_Kontrolka, TObiekt &p_Obiekt, const QString &p_NazwaPola)
    : FKontrolka(p_Kontrolka), FObiekt(p_Obiekt), FNrPola(p_Obiekt.PoleWgNazwy(p_NazwaPola))
{
    if (FNrPola < 0)
        throw LkException(QStringLiteral("brak pola ") + p_NazwaPola);
    FKontrolka.DodajObserwatora(this);
}

TPowiazaniePola::~TPowiazaniePola()
{
    FKontrolka.UsunObserwatora(this);
}

void TPowiazaniePola::Wczytaj()
{
    FWczytywanie = true;
    try {
        FKontrolka.UstawWartoscKontrolki(FObiekt.MaWartosc(FNrPola) ? FObiekt.Variantowo(FNrPola) : Variant::Null());
    } catch (...) {
        FWczytywanie = false;
        throw;
    }
    FWczytywanie = false;
}

void TPowiazaniePola::ZmienionoDaneKontrolki(ILkKontrolkaEdycji &p_Kontrolka)
{
    if (FWczytywanie)
        return;
    const Variant wartosc = p_Kontrolka.DajWartoscKontrolki();
    FObiekt.SetVariantowo(FNrPola, wartosc.JestNull() ? Variant() : wartosc);
}
