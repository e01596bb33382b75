#include "WyjscieBlokowe.h"

#include "Wyjatki.h"

#include <utility>

TWyjscieBlokowe::TWyjscieBlokowe(TStream *p_Cel) : FCel(p_Cel)
{
    // The window stays empty until the first write chooses where it lies:
    // a write of nothing leaves the target untouched.
}

void TWyjscieBlokowe::Oproznij()
{
    if (!FBlok) {
        if (FOknoZapisu)
            FCel->ZajmijOkno(FOknoZapisu);
        return;
    }
    const int64_t ile = FOknoZapisu - FBlok.get();
    // Emptied first: a failed write must not go out again.
    FOknoZapisu = FBlok.get();
    if (ile > 0)
        FCel->WriteBuffer(FBlok.get(), ile);
}

void TWyjscieBlokowe::ZrobMiejsce(int64_t p_Ile)
{
    if (FBlok) {
        Oproznij();
        return;
    }
    Oproznij();
    if (FCel->PokazMiejsceZapisu(p_Ile)) {
        FOknoZapisu = FCel->OknoZapisu();
        FKoniecZapisu = FCel->KoniecOknaZapisu();
        return;
    }
    FBlok.reset(new char[RozmBloku]);
    FOknoZapisu = FBlok.get();
    FKoniecZapisu = FBlok.get() + RozmBloku;
}

void TWyjscieBlokowe::DopiszDuzo(const char *p_Bajty, int64_t p_Ile)
{
    if (p_Ile <= 0)
        return;
    ZrobMiejsce(FBlok ? 0 : p_Ile);
    if (!FBlok || p_Ile < RozmBloku) {
        std::memcpy(FOknoZapisu, p_Bajty, static_cast<size_t>(p_Ile));
        FOknoZapisu += p_Ile;
        return;
    }
    FCel->WriteBuffer(p_Bajty, p_Ile);
}

int64_t TWyjscieBlokowe::Read(void *, int64_t)
{
    throw LkException(QStringLiteral("Unexpected call to Read method"));
}

int64_t TWyjscieBlokowe::Write(const void *p_Bufor, int64_t p_Ile)
{
    if (p_Ile <= 0)
        return 0;
    Dopisz(static_cast<const char *>(p_Bufor), p_Ile);
    return p_Ile;
}

int64_t TWyjscieBlokowe::Seek(int64_t, TSeekOrigin)
{
    throw LkException(QStringLiteral("Unexpected call to Seek method"));
}

TZapisBlokami::TZapisBlokami(TDopisywanieBlokami &p_Zapisywacz) : FZapisywacz(p_Zapisywacz)
{
    if (FZapisywacz.FWyjscie)
        return;
    FWlasne = std::make_unique<TWyjscieBlokowe>(FZapisywacz.FStrumien);
    FPoprzedni = std::exchange(FZapisywacz.FStrumien, FWlasne.get());
    FZapisywacz.FWyjscie = FWlasne.get();
}

TZapisBlokami::~TZapisBlokami()
{
    if (!FWlasne)
        return;
    FZapisywacz.FStrumien = FPoprzedni;
    FZapisywacz.FWyjscie = nullptr;
}

void TZapisBlokami::Zakoncz()
{
    if (FWlasne)
        FWlasne->Oproznij();
}
