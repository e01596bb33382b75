#pragma once

#include "Strumienie.h"

#include <QByteArray>
#include <QString>

// Byte streams over byte strings and texts. Misuse of a read-only stream raises
// Exception "niedozwolone użycie %s w %s" (operation, class name).

// A memory stream that can show foreign memory and writes little-endian integers.
class TLkMemoryStream : public TMemoryStream
{
public:
    using TMemoryStream::TMemoryStream;

    // Shows p_Pamiec (not owned, never freed). Writing past its end moves the
    // contents to memory of the stream's own.
    void SetPointer(void *p_Pamiec, int64_t p_Rozmiar) override { TMemoryStream::SetPointer(p_Pamiec, p_Rozmiar); }
    void WriteInt(int32_t p_Wartosc);
    void WriteWord(uint16_t p_Wartosc);

    const char *ClassName() const override { return "TLkMemoryStream"; }
};

// A read-only view over the bytes of a byte string without copying them. The
// stream shares the string (Qt's implicit sharing), so it stays valid however
// the caller's copy changes.
class TLkReadOnlyRawByteStream : public TLkMemoryStream
{
public:
    explicit TLkReadOnlyRawByteStream(const QByteArray &p_Tresc);
    // A view over foreign bytes, which the caller keeps alive.
    TLkReadOnlyRawByteStream(const char *p_Dane, int64_t p_Rozmiar);

    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    // No room in place either: a write must meet Write's refusal.
    bool PokazMiejsceZapisu(int64_t) override { return false; }
    void SetSize(int64_t p_Rozmiar) override;

    const char *ClassName() const override { return "TLkReadOnlyRawByteStream"; }

private:
    QByteArray FTresc;
};

// A read-only stream over a text, one byte per character: a character below
// 256 is that byte, any other its Windows-1250 byte, or "?" when it has none.
class TLkRawByteFromStringStream : public TStream
{
public:
    explicit TLkRawByteFromStringStream(const QString &p_Tresc);

    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    int64_t Size() override { return FTresc.size(); }
    void SetSize(int64_t p_Rozmiar) override;

    const char *ClassName() const override { return "TLkRawByteFromStringStream"; }

private:
    QString FTresc;
    int64_t FPozycja = 0;
};

// Collects written bytes into one Windows-1250 byte string. DajWynik hands the
// buffer over without copying and leaves the stream empty.
class TLkRawByteStringMaker : public TLkMemoryStream
{
public:
    QByteArray DajWynik() { return OddajBufor(); }

    const char *ClassName() const override { return "TLkRawByteStringMaker"; }
};
