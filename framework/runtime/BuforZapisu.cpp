#include "BuforZapisu.h"

#include "Wyjatki.h"

#include <cstring>

TBuforZapisu::TBuforZapisu(TStream *p_Strumien, int64_t p_RozmBufora)
    : FStream(p_Strumien), FBuffer(static_cast<qsizetype>(p_RozmBufora > 0 ? p_RozmBufora : 1), '\0')
{
    PokazOkno();
}

void TBuforZapisu::ZajmijPozycje()
{
    FBufPos = FOknoZapisu - FBuffer.data();
}

void TBuforZapisu::PokazOkno()
{
    FOknoZapisu = FBuffer.data() + FBufPos;
    FKoniecZapisu = FBuffer.data() + FBuffer.size();
}

void TBuforZapisu::Clear()
{
    FBufPos = 0;
    PokazOkno();
}

TBuforZapisu::~TBuforZapisu()
{
    try {
        Flush();
    } catch (...) {
        // A destructor cannot raise; the owner's own Flush is where failures surface.
    }
}

int64_t TBuforZapisu::Read(void *, int64_t)
{
    throw LkException(QStringLiteral("Unexpected call to Read method"));
}

int64_t TBuforZapisu::Seek(int64_t, TSeekOrigin)
{
    throw LkException(QStringLiteral("Unexpected call to Seek method"));
}

int64_t TBuforZapisu::Write(const void *p_Bufor, int64_t p_Ile)
{
    if (p_Ile <= 0)
        return 0;
    ZajmijPozycje();
    const int64_t rozmiar = FBuffer.size();
    if (p_Ile > rozmiar - FBufPos)
        Flush();
    if (p_Ile >= rozmiar) {
        FStream->WriteBuffer(p_Bufor, p_Ile);
        return p_Ile;
    }
    std::memcpy(FBuffer.data() + FBufPos, p_Bufor, static_cast<size_t>(p_Ile));
    FBufPos += p_Ile;
    PokazOkno();
    return p_Ile;
}

void TBuforZapisu::Flush()
{
    ZajmijPozycje();
    if (FBufPos == 0)
        return;
    const int64_t ile = FBufPos;
    // Emptied first: a failed write must not be repeated by the destructor.
    FBufPos = 0;
    PokazOkno();
    FStream->WriteBuffer(FBuffer.constData(), ile);
}
