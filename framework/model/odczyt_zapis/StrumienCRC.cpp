#include "StrumienCRC.h"

#include "ProsteHaszowanie.h"
#include "Wyjatki.h"

void TLkCRCStream::Reset()
{
    FDataCRC = 0xFFFFFFFFu;
    FZapisano = 0;
}

int64_t TLkCRCStream::Read(void *, int64_t)
{
    throw LkException(QStringLiteral("%1.Read").arg(QLatin1String(ClassName())));
}

int64_t TLkCRCStream::Write(const void *p_Bufor, int64_t p_Ile)
{
    if (p_Ile <= 0)
        return 0;
    FDataCRC = AktualizujCRC32(FDataCRC, QByteArrayView(static_cast<const char *>(p_Bufor), p_Ile));
    FZapisano += p_Ile;
    return p_Ile;
}

int64_t TLkCRCStream::Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od)
{
    // Only asking where we are makes sense: nothing written can be revisited.
    if (p_Przesuniecie != 0 || p_Od == soBeginning)
        throw LkException(QStringLiteral("%1.Seek").arg(QLatin1String(ClassName())));
    return FZapisano;
}
