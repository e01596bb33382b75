#include "StrumienieZlib.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace {

constexpr int RozmiarBufora = 64 * 1024;

QString OpisBledu(const z_stream &p_Strumien, int p_Kod)
{
    return QString::fromLatin1(p_Strumien.msg ? p_Strumien.msg : zError(p_Kod));
}

int PoziomZlib(TCompressionLevel p_Poziom)
{
    switch (p_Poziom) {
    case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest: return Z_BEST_SPEED;
    case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
    case TCompressionLevel::clDefault: break;
    }
    return Z_DEFAULT_COMPRESSION;
}

[[noreturn]] void NiedozwolonaOperacja(bool p_Kompresja)
{
    const QString tekst = QStringLiteral("Invalid stream operation");
    if (p_Kompresja)
        throw EZCompressionError(tekst);
    throw EZDecompressionError(tekst);
}

} // namespace

struct TStanZlib
{
    z_stream Z{};
    unsigned char Bufor[RozmiarBufora];
    int64_t Pozycja = 0; // bytes given to (or taken from) the user
};

// ---- TCompressionStream ----

TCompressionStream::TCompressionStream(TCompressionLevel p_Poziom, TStream &p_Cel, int p_BityOkna)
    : FCel(p_Cel), FStan(std::make_unique<TStanZlib>())
{
    const int kod = deflateInit2(&FStan->Z, PoziomZlib(p_Poziom), Z_DEFLATED, p_BityOkna, 8,
                                 Z_DEFAULT_STRATEGY);
    if (kod != Z_OK)
        throw EZCompressionError(OpisBledu(FStan->Z, kod));
    FStan->Z.next_out = FStan->Bufor;
    FStan->Z.avail_out = RozmiarBufora;
}

TCompressionStream::~TCompressionStream()
{
    try {
        Zakoncz();
    } catch (...) {
        // a destructor cannot report; Zakoncz is the way to hear of a failed write
    }
    deflateEnd(&FStan->Z);
}

void TCompressionStream::OproznijBufor()
{
    const int64_t ile = RozmiarBufora - FStan->Z.avail_out;
    FStan->Z.next_out = FStan->Bufor;
    FStan->Z.avail_out = RozmiarBufora;
    FCel.WriteBuffer(FStan->Bufor, ile);
}

int64_t TCompressionStream::Write(const void *p_Bufor, int64_t p_Ile)
{
    if (FZakonczony)
        NiedozwolonaOperacja(true);
    const unsigned char *dane = static_cast<const unsigned char *>(p_Bufor);
    int64_t zostalo = std::max<int64_t>(p_Ile, 0);
    while (zostalo > 0) {
        const uInt porcja = uInt(std::min<int64_t>(zostalo, INT_MAX));
        FStan->Z.next_in = const_cast<unsigned char *>(dane);
        FStan->Z.avail_in = porcja;
        while (FStan->Z.avail_in > 0) {
            const int kod = deflate(&FStan->Z, Z_NO_FLUSH);
            if (kod != Z_OK && kod != Z_BUF_ERROR)
                throw EZCompressionError(OpisBledu(FStan->Z, kod));
            if (FStan->Z.avail_out == 0)
                OproznijBufor();
        }
        dane += porcja;
        zostalo -= porcja;
    }
    FStan->Pozycja += std::max<int64_t>(p_Ile, 0);
    return std::max<int64_t>(p_Ile, 0);
}

void TCompressionStream::Zakoncz()
{
    if (FZakonczony)
        return;
    FZakonczony = true;
    FStan->Z.next_in = nullptr;
    FStan->Z.avail_in = 0;
    for (;;) {
        const int kod = deflate(&FStan->Z, Z_FINISH);
        if (kod != Z_OK && kod != Z_STREAM_END && kod != Z_BUF_ERROR)
            throw EZCompressionError(OpisBledu(FStan->Z, kod));
        if (FStan->Z.avail_out < uInt(RozmiarBufora))
            OproznijBufor();
        if (kod == Z_STREAM_END)
            break;
    }
}

int64_t TCompressionStream::Read(void *, int64_t)
{
    NiedozwolonaOperacja(true);
}

int64_t TCompressionStream::Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od)
{
    if (p_Przesuniecie == 0 && p_Od == soCurrent)
        return FStan->Pozycja;
    NiedozwolonaOperacja(true);
}

// ---- TDecompressionStream ----

TDecompressionStream::TDecompressionStream(TStream &p_Zrodlo, int p_BityOkna)
    : FZrodlo(p_Zrodlo), FBityOkna(p_BityOkna), FPoczatekZrodla(p_Zrodlo.Position()),
      FStan(std::make_unique<TStanZlib>())
{
    Rozpocznij();
}

TDecompressionStream::~TDecompressionStream()
{
    inflateEnd(&FStan->Z);
}

void TDecompressionStream::Rozpocznij()
{
    FStan->Z = z_stream{};
    const int kod = inflateInit2(&FStan->Z, FBityOkna);
    if (kod != Z_OK)
        throw EZDecompressionError(OpisBledu(FStan->Z, kod));
    FStan->Pozycja = 0;
    FKoniecDanych = false;
}

int64_t TDecompressionStream::Read(void *p_Bufor, int64_t p_Ile)
{
    if (p_Ile <= 0 || FKoniecDanych)
        return 0;
    z_stream &z = FStan->Z;
    unsigned char *cel = static_cast<unsigned char *>(p_Bufor);
    int64_t razem = 0;
    // Every pass produces output, consumes input, or reads the source; a source
    // that ends before the zlib stream does is an error, so this loop ends.
    while (razem < p_Ile) {
        const uInt porcja = uInt(std::min<int64_t>(p_Ile - razem, INT_MAX));
        z.next_out = cel + razem;
        z.avail_out = porcja;
        const int kod = inflate(&z, Z_NO_FLUSH);
        razem += porcja - z.avail_out;
        if (kod == Z_STREAM_END) {
            FKoniecDanych = true;
            // leave the source just after the zlib stream for whoever reads on
            if (z.avail_in > 0) {
                try {
                    FZrodlo.Seek(-int64_t(z.avail_in), soCurrent);
                } catch (const EStreamError &) {
                }
                z.avail_in = 0;
            }
            break;
        }
        const bool potrzebaDanych = kod == Z_BUF_ERROR || (kod == Z_OK && z.avail_in == 0 && z.avail_out > 0);
        if (kod != Z_OK && kod != Z_BUF_ERROR)
            throw EZDecompressionError(OpisBledu(z, kod == Z_NEED_DICT ? Z_DATA_ERROR : kod));
        if (!potrzebaDanych)
            continue;
        if (z.avail_in > 0)
            throw EZDecompressionError(OpisBledu(z, Z_DATA_ERROR));
        const int64_t przeczytano = FZrodlo.Read(FStan->Bufor, RozmiarBufora);
        if (przeczytano <= 0)
            throw EZDecompressionError(QStringLiteral("unexpected end of compressed data"));
        z.next_in = FStan->Bufor;
        z.avail_in = uInt(przeczytano);
    }
    FStan->Pozycja += razem;
    return razem;
}

int64_t TDecompressionStream::Write(const void *, int64_t)
{
    NiedozwolonaOperacja(false);
}

int64_t TDecompressionStream::Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od)
{
    if (p_Od == soBeginning && p_Przesuniecie == 0) {
        inflateEnd(&FStan->Z);
        FZrodlo.Seek(FPoczatekZrodla, soBeginning);
        Rozpocznij();
        return 0;
    }
    int64_t cel = p_Od == soBeginning ? p_Przesuniecie : p_Od == soCurrent ? FStan->Pozycja + p_Przesuniecie : -1;
    if (cel < FStan->Pozycja)
        NiedozwolonaOperacja(false);
    char bufor[8192];
    while (FStan->Pozycja < cel) {
        if (Read(bufor, std::min<int64_t>(cel - FStan->Pozycja, sizeof bufor)) == 0)
            break;
    }
    return FStan->Pozycja;
}
