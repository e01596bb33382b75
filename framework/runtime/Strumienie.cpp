#include "Strumienie.h"

#include "DuzeStrony.h"
#include "Wyjatki.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ---- TStream ----

int64_t TStream::Size()
{
    const int64_t pozycja = Seek(0, soCurrent);
    const int64_t rozmiar = Seek(0, soEnd);
    Seek(pozycja, soBeginning);
    return rozmiar;
}

void TStream::SetSize(int64_t)
{
    throw EStreamError(QStringLiteral("%1 cannot change its size").arg(QLatin1String(ClassName())));
}

void TStream::ReadBufferPozaOknem(void *p_Bufor, int64_t p_Ile)
{
    if (p_Ile > 0 && Read(p_Bufor, p_Ile) != p_Ile)
        throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBufferPozaOknem(const void *p_Bufor, int64_t p_Ile)
{
    if (p_Ile > 0 && Write(p_Bufor, p_Ile) != p_Ile)
        throw EWriteError(QStringLiteral("Stream write error"));
}

int64_t TStream::CopyFrom(TStream &p_Zrodlo, int64_t p_Ile)
{
    if (p_Ile == 0) {
        p_Zrodlo.SetPosition(0);
        p_Ile = p_Zrodlo.Size();
    }
    constexpr int64_t RozmiarBloku = 64 * 1024;
    QByteArray bufor(int(std::min(p_Ile, RozmiarBloku)), Qt::Uninitialized);
    int64_t zostalo = p_Ile;
    while (zostalo > 0) {
        const int64_t ile = std::min(zostalo, RozmiarBloku);
        p_Zrodlo.ReadBuffer(bufor.data(), ile);
        WriteBuffer(bufor.constData(), ile);
        zostalo -= ile;
    }
    return p_Ile;
}

// ---- TCustomMemoryStream ----

void TCustomMemoryStream::PokazOkno()
{
    const bool wGranicach = FMemory && FPosition >= 0 && FPosition < FSize;
    FOknoOdczytu = wGranicach ? FMemory + FPosition : nullptr;
    FKoniecOdczytu = wGranicach ? FMemory + FSize : nullptr;
    // Only memory the stream keeps shows a write window (see TMemoryStream),
    // and only at the end: writing there is all that moves the size.
    if (FOknoZapisu && FPosition == FSize) {
        FOknoZapisu = FMemory + FSize;
    } else {
        FOknoZapisu = nullptr;
        FKoniecZapisu = nullptr;
    }
}

int64_t TCustomMemoryStream::Read(void *p_Bufor, int64_t p_Ile)
{
    ZajmijPozycje();
    if (p_Ile <= 0 || FPosition < 0 || FPosition >= FSize)
        return 0;
    const int64_t ile = std::min(p_Ile, FSize - FPosition);
    std::memcpy(p_Bufor, FMemory + FPosition, size_t(ile));
    FPosition += ile;
    PokazOkno();
    return ile;
}

int64_t TCustomMemoryStream::Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od)
{
    ZajmijPozycje();
    switch (p_Od) {
    case soBeginning: FPosition = p_Przesuniecie; break;
    case soCurrent: FPosition += p_Przesuniecie; break;
    case soEnd: FPosition = FSize + p_Przesuniecie; break;
    }
    PokazOkno();
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream &p_Cel)
{
    p_Cel.WriteBuffer(FMemory, RozmiarDanych());
}

void TCustomMemoryStream::SaveToFile(const QString &p_NazwaPliku)
{
    TFileStream plik(p_NazwaPliku, fmCreate);
    SaveToStream(plik);
}

void TCustomMemoryStream::SetPointer(void *p_Pamiec, int64_t p_Rozmiar)
{
    ZajmijPozycje();
    FOknoZapisu = FKoniecZapisu = nullptr;
    FMemory = static_cast<char *>(p_Pamiec);
    FSize = p_Rozmiar;
    PokazOkno();
}

// ---- TMemoryStream ----

namespace {

// From here on a growing stream takes new storage with huge pages advised.
constexpr int64_t PojemnoscDuza = int64_t(DuzaStrona);

// A byte string of p_Pojemnosc bytes whose pages have not been touched yet,
// advised to come as huge pages, holding a copy of p_Ile bytes of p_Zrodlo.
// It stays an ordinary QByteArray, so the stream can still hand it over whole.
QByteArray nowaDuzaPamiec(const char *p_Zrodlo, int64_t p_Ile, int64_t p_Pojemnosc)
{
    QByteArray nowa;
    nowa.reserve(p_Pojemnosc);
    DoradzDuzeStrony(nowa.data(), size_t(p_Pojemnosc));
    nowa.resize(p_Pojemnosc);
    if (p_Ile > 0)
        std::memcpy(nowa.data(), p_Zrodlo, size_t(p_Ile));
    return nowa;
}

} // namespace

TMemoryStream::TMemoryStream(const QByteArray &p_Bajty)
{
    WriteBuffer(p_Bajty.constData(), p_Bajty.size());
    FPosition = 0;
    PokazOkno();
}

void TMemoryStream::SetCapacity(int64_t p_Pojemnosc)
{
    ZajmijPozycje();
    // The window shows memory about to move; PokazMiejsceZapisu shows it again.
    FOknoZapisu = FKoniecZapisu = nullptr;
    if (PokazujeObcaPamiec()) {
        // Growing shown memory would write into memory we do not own: copy it first.
        QByteArray kopia(FMemory, std::min(FSize, p_Pojemnosc));
        kopia.resize(p_Pojemnosc);
        FBufor = std::move(kopia);
    } else if (p_Pojemnosc >= PojemnoscDuza && p_Pojemnosc > FBufor.size()) {
        // Not realloc: it would copy into fresh small pages, or keep the old ones small.
        FBufor = nowaDuzaPamiec(FBufor.constData(), FSize, p_Pojemnosc);
    } else {
        FBufor.resize(p_Pojemnosc);
    }
    FMemory = FBufor.isEmpty() ? nullptr : FBufor.data();
    FSize = std::min(FSize, p_Pojemnosc);
    PokazOkno();
}

void TMemoryStream::SetSize(int64_t p_Rozmiar)
{
    if (p_Rozmiar < 0)
        throw EStreamError(QStringLiteral("Invalid stream size %1").arg(p_Rozmiar));
    ZajmijPozycje();
    const int64_t pojemnosc = PokazujeObcaPamiec() ? FSize : Capacity();
    if (p_Rozmiar > pojemnosc || PokazujeObcaPamiec())
        SetCapacity(p_Rozmiar);
    FSize = p_Rozmiar;
    if (FPosition > FSize)
        FPosition = FSize;
    PokazOkno();
}

void TMemoryStream::Powieksz(int64_t p_Koniec)
{
    const int64_t pojemnosc = PokazujeObcaPamiec() ? FSize : Capacity();
    if (p_Koniec > pojemnosc)
        SetCapacity(std::max<int64_t>(p_Koniec, std::max<int64_t>(pojemnosc * 2, 256)));
}

bool TMemoryStream::PokazMiejsceZapisu(int64_t p_Ile)
{
    ZajmijPozycje();
    if (FPosition != FSize)
        return false;
    Powieksz(FSize + std::max<int64_t>(p_Ile, 0));
    if (!FMemory)
        return false;
    FOknoZapisu = FMemory + FSize;
    FKoniecZapisu = FMemory + Capacity();
    return true;
}

int64_t TMemoryStream::Write(const void *p_Bufor, int64_t p_Ile)
{
    ZajmijPozycje();
    if (p_Ile <= 0 || FPosition < 0)
        return 0;
    const int64_t koniec = FPosition + p_Ile;
    if (koniec > FSize) {
        Powieksz(koniec);
        if (FPosition > FSize)
            std::memset(FMemory + FSize, 0, size_t(FPosition - FSize));
        FSize = koniec;
    }
    std::memcpy(FMemory + FPosition, p_Bufor, size_t(p_Ile));
    FPosition = koniec;
    PokazOkno();
    return p_Ile;
}

void TMemoryStream::Clear()
{
    FOknoZapisu = FKoniecZapisu = nullptr;
    FBufor = QByteArray();
    FMemory = nullptr;
    FSize = 0;
    FPosition = 0;
    PokazOkno();
}

void TMemoryStream::LoadFromStream(TStream &p_Zrodlo)
{
    p_Zrodlo.SetPosition(0);
    const int64_t rozmiar = p_Zrodlo.Size();
    SetSize(rozmiar);
    if (rozmiar > 0)
        p_Zrodlo.ReadBuffer(FMemory, rozmiar);
    FPosition = 0;
    PokazOkno();
}

void TMemoryStream::LoadFromFile(const QString &p_NazwaPliku)
{
    TFileStream plik(p_NazwaPliku, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(plik);
}

void TMemoryStream::SetPointer(void *p_Pamiec, int64_t p_Rozmiar)
{
    // The window must not outlive the buffer it shows.
    ZajmijPozycje();
    FOknoOdczytu = FKoniecOdczytu = nullptr;
    FBufor = QByteArray();
    TCustomMemoryStream::SetPointer(p_Pamiec, p_Rozmiar);
}

QByteArray TMemoryStream::OddajBufor()
{
    ZajmijPozycje();
    if (PokazujeObcaPamiec())
        SetCapacity(FSize);
    FBufor.truncate(FSize);
    QByteArray wynik = std::move(FBufor);
    Clear();
    return wynik;
}

// ---- TFileStream ----

namespace {

QString PowodSystemowy(int p_Blad)
{
    return QString::fromLocal8Bit(std::strerror(p_Blad));
}

// Opens without blocking on a FIFO; anything but a regular file is refused
// (EISDIR, EINVAL). A file opened for writing is never reached through a
// final symbolic link (ELOOP); one only read is opened as named, links
// followed, as the user's own files are.
int OtworzZwyklyPlik(const QByteArray &p_Nazwa, int p_Flagi, int &p_Blad)
{
    const int bezLinku = (p_Flagi & O_ACCMODE) == O_RDONLY ? 0 : O_NOFOLLOW;
    int uchwyt;
    do {
        uchwyt = ::open(p_Nazwa.constData(), p_Flagi | bezLinku | O_NONBLOCK | O_CLOEXEC, 0666);
    } while (uchwyt < 0 && errno == EINTR);
    if (uchwyt < 0) {
        p_Blad = errno;
        return -1;
    }
    struct stat opis;
    if (::fstat(uchwyt, &opis) != 0) {
        p_Blad = errno;
        ::close(uchwyt);
        return -1;
    }
    if (!S_ISREG(opis.st_mode)) {
        p_Blad = S_ISDIR(opis.st_mode) ? EISDIR : EINVAL;
        ::close(uchwyt);
        return -1;
    }
    ::fcntl(uchwyt, F_SETFL, ::fcntl(uchwyt, F_GETFL) & ~O_NONBLOCK);
    return uchwyt;
}

} // namespace

TFileStream::TFileStream(const QString &p_NazwaPliku, uint16_t p_Tryb) : FNazwaPliku(p_NazwaPliku)
{
    const QByteArray nazwa = QFile::encodeName(p_NazwaPliku);
    int blad = 0;
    if ((p_Tryb & fmCreate) == fmCreate) {
        FUchwyt = nazwa.isEmpty() ? -1 : OtworzZwyklyPlik(nazwa, O_RDWR | O_CREAT | O_TRUNC, blad);
        if (FUchwyt < 0)
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2")
                                    .arg(p_NazwaPliku, PowodSystemowy(nazwa.isEmpty() ? ENOENT : blad)));
        return;
    }
    int flagi = O_RDONLY;
    if ((p_Tryb & 3) == fmOpenWrite)
        flagi = O_WRONLY;
    else if ((p_Tryb & 3) == fmOpenReadWrite)
        flagi = O_RDWR;
    FUchwyt = nazwa.isEmpty() ? -1 : OtworzZwyklyPlik(nazwa, flagi, blad);
    if (FUchwyt < 0)
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2")
                              .arg(p_NazwaPliku, PowodSystemowy(nazwa.isEmpty() ? ENOENT : blad)));
}

TFileStream::~TFileStream()
{
    if (FUchwyt >= 0)
        ::close(FUchwyt);
}

namespace {

// read(2) and write(2) may move fewer bytes than asked or be interrupted:
// go on until all are moved, the end is met or a real error comes.
template<typename TBajt, typename TOperacja>
int64_t przeniesWszystko(TBajt *p_Bufor, int64_t p_Ile, TOperacja p_Operacja)
{
    int64_t razem = 0;
    while (razem < p_Ile) {
        const ssize_t ile = p_Operacja(p_Bufor + razem, size_t(p_Ile - razem));
        if (ile < 0 && errno == EINTR)
            continue;
        if (ile <= 0)
            break;
        razem += ile;
    }
    return razem;
}

} // namespace

int64_t TFileStream::Read(void *p_Bufor, int64_t p_Ile)
{
    return przeniesWszystko(static_cast<char *>(p_Bufor), p_Ile,
                            [this](char *p, size_t n) { return ::read(FUchwyt, p, n); });
}

int64_t TFileStream::Write(const void *p_Bufor, int64_t p_Ile)
{
    return przeniesWszystko(static_cast<const char *>(p_Bufor), p_Ile,
                            [this](const char *p, size_t n) { return ::write(FUchwyt, p, n); });
}

int64_t TFileStream::Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od)
{
    const int skad = p_Od == soBeginning ? SEEK_SET : p_Od == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t wynik = ::lseek(FUchwyt, off_t(p_Przesuniecie), skad);
    if (wynik < 0)
        throw EStreamError(QStringLiteral("Cannot seek in file \"%1\". %2")
                               .arg(FNazwaPliku, PowodSystemowy(errno)));
    return wynik;
}

int64_t TFileStream::Size()
{
    struct stat opis;
    return ::fstat(FUchwyt, &opis) == 0 ? int64_t(opis.st_size) : TStream::Size();
}

void TFileStream::SetSize(int64_t p_Rozmiar)
{
    if (::ftruncate(FUchwyt, off_t(p_Rozmiar)) != 0)
        throw EStreamError(QStringLiteral("Cannot change the size of file \"%1\". %2")
                               .arg(FNazwaPliku, PowodSystemowy(errno)));
    if (Position() > p_Rozmiar)
        Seek(p_Rozmiar, soBeginning);
}
