#include "LkTypyBazowe.h"

#include "TabeleStronKodowych.h"
#include "Wyjatki.h"

namespace {

[[noreturn]] void NiedozwoloneUzycie(const char *p_Operacja, const TStream &p_Strumien)
{
    throw Exception(QStringLiteral("niedozwolone użycie %1 w %2")
                        .arg(QLatin1String(p_Operacja), QLatin1String(p_Strumien.ClassName())));
}

} // namespace

// ---- TLkMemoryStream ----

void TLkMemoryStream::WriteInt(int32_t p_Wartosc)
{
    const uint32_t w = uint32_t(p_Wartosc);
    const uint8_t bajty[4] = {uint8_t(w), uint8_t(w >> 8), uint8_t(w >> 16), uint8_t(w >> 24)};
    WriteBuffer(bajty, 4);
}

void TLkMemoryStream::WriteWord(uint16_t p_Wartosc)
{
    const uint8_t bajty[2] = {uint8_t(p_Wartosc), uint8_t(p_Wartosc >> 8)};
    WriteBuffer(bajty, 2);
}

// ---- TLkReadOnlyRawByteStream ----

TLkReadOnlyRawByteStream::TLkReadOnlyRawByteStream(const QByteArray &p_Tresc) : FTresc(p_Tresc)
{
    TMemoryStream::SetPointer(const_cast<char *>(FTresc.constData()), FTresc.size());
}

TLkReadOnlyRawByteStream::TLkReadOnlyRawByteStream(const char *p_Dane, int64_t p_Rozmiar)
{
    TMemoryStream::SetPointer(const_cast<char *>(p_Dane), p_Dane ? p_Rozmiar : 0);
}

int64_t TLkReadOnlyRawByteStream::Write(const void *, int64_t)
{
    NiedozwoloneUzycie("Write", *this);
}

void TLkReadOnlyRawByteStream::SetSize(int64_t)
{
    NiedozwoloneUzycie("SetSize", *this);
}

// ---- TLkRawByteFromStringStream ----

TLkRawByteFromStringStream::TLkRawByteFromStringStream(const QString &p_Tresc) : FTresc(p_Tresc) {}

int64_t TLkRawByteFromStringStream::Read(void *p_Bufor, int64_t p_Ile)
{
    const int64_t rozmiar = FTresc.size();
    if (p_Ile <= 0 || FPozycja < 0 || FPozycja >= rozmiar)
        return 0;
    const int64_t ile = std::min(p_Ile, rozmiar - FPozycja);
    const QChar *z = FTresc.constData() + FPozycja;
    char *cel = static_cast<char *>(p_Bufor);
    const TTablicaStronyKodowej &tablica = TablicaPolskiAnsi();
    for (int64_t i = 0; i < ile; ++i) {
        const char16_t znak = z[i].unicode();
        if (znak < 256) {
            cel[i] = char(znak);
        } else {
            const int bajt = tablica.Bajt(znak);
            cel[i] = bajt >= 0 ? char(bajt) : '?';
        }
    }
    FPozycja += ile;
    return ile;
}

int64_t TLkRawByteFromStringStream::Write(const void *, int64_t)
{
    NiedozwoloneUzycie("Write", *this);
}

void TLkRawByteFromStringStream::SetSize(int64_t)
{
    NiedozwoloneUzycie("SetSize", *this);
}

int64_t TLkRawByteFromStringStream::Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od)
{
    switch (p_Od) {
    case soBeginning: FPozycja = p_Przesuniecie; break;
    case soCurrent: FPozycja += p_Przesuniecie; break;
    case soEnd: FPozycja = FTresc.size() + p_Przesuniecie; break;
    }
    return FPozycja;
}
