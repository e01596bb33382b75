#pragma once

#include "Strumienie.h"
#include "Wyjatki.h"

#include <memory>

// zlib streams (RFC 1950 by default) over a source or target stream, shaped
// like Delphi's TCompressionStream / TDecompressionStream.

class EZLibError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};
class EZCompressionError : public EZLibError
{
public:
    using EZLibError::EZLibError;
};
class EZDecompressionError : public EZLibError
{
public:
    using EZLibError::EZLibError;
};

enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

struct TStanZlib;

// Write-only: what is written goes compressed into p_Cel. Zakoncz finishes the
// zlib stream (raises on a failed write); the destructor finishes it quietly
// when Zakoncz was not called. p_BityOkna as zlib's windowBits (15 = zlib
// header, -15 raw deflate, 31 gzip).
class TCompressionStream : public TStream
{
public:
    TCompressionStream(TCompressionLevel p_Poziom, TStream &p_Cel, int p_BityOkna = 15);
    ~TCompressionStream() override;

    int64_t Read(void *p_Bufor, int64_t p_Ile) override; // raises EZCompressionError
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    // Only asking for the position (bytes written so far) is allowed.
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    void Zakoncz();

    const char *ClassName() const override { return "TCompressionStream"; }

private:
    void OproznijBufor();

    TStream &FCel;
    std::unique_ptr<TStanZlib> FStan;
    bool FZakonczony = false;
};

// Read-only: inflates p_Zrodlo from its current position. A corrupt or cut-off
// stream raises EZDecompressionError; reading after the end of the zlib
// stream gives 0 bytes, and the source is left just after the zlib stream.
// Seeking forward reads and discards; Seek(0, soBeginning) starts again;
// seeking back raises EZDecompressionError.
class TDecompressionStream : public TStream
{
public:
    explicit TDecompressionStream(TStream &p_Zrodlo, int p_BityOkna = 15);
    ~TDecompressionStream() override;

    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override; // raises EZDecompressionError
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;

    const char *ClassName() const override { return "TDecompressionStream"; }

private:
    void Rozpocznij();

    TStream &FZrodlo;
    int FBityOkna;
    int64_t FPoczatekZrodla;
    std::unique_ptr<TStanZlib> FStan;
    bool FKoniecDanych = false;
};
