#pragma once

#include "Strumienie.h"

#include <QByteArray>

#include <cstdint>

// Collects small writes in front of a slow target stream; WriteBuffer fills
// the free room without a call (see TStream's window). It can only be
// written: reading or positioning raise LkException. What is left is written
// out on Flush and on destruction; only Flush can report a failed write, so
// owners that must know (the text writer) flush before destroying it.
class TBuforZapisu : public TStream
{
public:
    TBuforZapisu(TStream *p_Strumien, int64_t p_RozmBufora);
    ~TBuforZapisu() override;

    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    // Flushes first when the data does not fit; data at least as large as the
    // buffer then goes straight to the target.
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    // Short writes of the target raise "Stream write error".
    void Flush();
    // Drops what is buffered.
    void Clear();
    const char *ClassName() const override { return "TBuforZapisu"; }

private:
    // FBufPos from the write window (bytes WriteBuffer put in), and the window from FBufPos.
    void ZajmijPozycje();
    void PokazOkno();

    TStream *FStream;
    QByteArray FBuffer;
    int64_t FBufPos = 0;
};
