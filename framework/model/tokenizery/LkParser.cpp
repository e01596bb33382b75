#include "LkParser.h"

#include "KlasyZnakow.h"
#include "ParsowanieTekstu.h"
#include "WyjatkiModelu.h"

#include "FormatSettings.h"
#include "KodowanieZnakow.h"
#include "Strumienie.h"
#include "StrumienieZlib.h"
#include "TekstyPomocnicze.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

using namespace KlasyZnakow;

TLkParser::TLkParser(TStream *p_Stream, BezResetu) : FStream(p_Stream)
{
    // Room after the end for the block scans. Only what they may read past the
    // sentinel is zeroed (here and after every read): a parser per small document
    // does not clear the whole buffer.
    FBuffer = new char[ActualBufLength + SkanowanieBlokami::Zapas];
    std::memset(FBuffer, 0, SkanowanieBlokami::Zapas + 1);
    FBufEnd = FBuffer + ActualBufLength;
    FSourcePtr = FSourceEnd = FTokenPtr = FBuffer;
    *FBuffer = 0;
}

TLkParser::TLkParser(TStream *p_Stream) : TLkParser(p_Stream, BezResetu{})
{
    Reset();
}

TLkParser::~TLkParser()
{
    // A decompression stream cannot step back: its reader goes on from where reading ended.
    if (FTokenPtr < FSourceEnd && !dynamic_cast<TDecompressionStream *>(FStream)) {
        try {
            FStream->Seek(-(FSourceEnd - FTokenPtr), soCurrent);
        } catch (...) {
            // A destructor must not throw; a stream that cannot seek stays where it is.
        }
    }
    delete[] FBuffer;
}

void TLkParser::Reset()
{
    FOrigin = FStream->Position();
    FPoczatekLinii = FOrigin;
    ++FZmianyBufora;
    FSourcePtr = FSourceEnd = FTokenPtr = FBuffer;
    FStringPtr = FStringStart = nullptr;
    P = S = Pocz = nullptr;
    *FBuffer = 0;
    FSourceLine = 1;
    EndOfFile = false;
    FWasEndOfLine = false;
    NextToken();
}

void TLkParser::PrzesunWskazniki(char *p_Stary, char *p_Nowy)
{
    for (char **w : {&FSourcePtr, &FSourceEnd, &FTokenPtr, &FStringPtr, &FStringStart, &P, &S, &Pocz})
        if (*w)
            *w = p_Nowy + (*w - p_Stary);
}

bool TLkParser::Doczytaj(bool p_KoniecDozwolony)
{
    if (!EndOfFile) {
        ++FZmianyBufora;
        char *pierwszy = FSourceEnd;
        for (char *w : {FSourcePtr, FTokenPtr, FStringPtr, FStringStart, P, S, Pocz})
            if (w && w < pierwszy)
                pierwszy = w;
        const qint64 zachowane = FSourceEnd - pierwszy;
        if (pierwszy > FBuffer) {
            std::memmove(FBuffer, pierwszy, static_cast<size_t>(zachowane));
            FOrigin += pierwszy - FBuffer;
            PrzesunWskazniki(pierwszy, FBuffer);
        }
        // One token larger than four fifths of the buffer: double it.
        if (4 * ActualBufLength < 5 * zachowane) {
            const qint64 nowyRozmiar = 2 * ActualBufLength;
            if (nowyRozmiar > FMaksRozmiarBufora)
                Error(QStringLiteral("Token dłuższy niż %1 bajtów").arg(zachowane));
            char *nowy = new char[nowyRozmiar + SkanowanieBlokami::Zapas];
            std::memcpy(nowy, FBuffer, static_cast<size_t>(zachowane));
            PrzesunWskazniki(FBuffer, nowy);
            delete[] FBuffer;
            FBuffer = nowy;
            ActualBufLength = nowyRozmiar;
            FBufEnd = FBuffer + ActualBufLength;
        }
        const qint64 przeczytano = FStream->Read(FSourceEnd, FBufEnd - FSourceEnd - 1);
        FSourceEnd += przeczytano;
        std::memset(FSourceEnd, 0, SkanowanieBlokami::Zapas + 1);
        if (przeczytano > 0)
            return true;
        EndOfFile = true;
    }
    if (!p_KoniecDozwolony)
        Error(QStringLiteral("Nieoczekiwany koniec pliku"));
    return false;
}

bool TLkParser::ZapewnijBajt(char *&p, bool p_KoniecDozwolony)
{
    while (NaWartowniku(p)) {
        P = p;
        const bool jest = Doczytaj(p_KoniecDozwolony);
        p = P;
        P = nullptr;
        if (!jest)
            return false;
    }
    return true;
}

char *TLkParser::SkanujLiczbe(char *p, uint16_t p_KlasaUlamka, bool p_ZPrzecinkiem, bool p_KoniecDozwolony,
                              unsigned char &p_Rodzaj)
{
    // p stands on a digit or on a "-" that opens a number.
    ++p;
    p = PrzeskanujKlase(p, Cyfra, p_KoniecDozwolony);
    p_Rodzaj = toInteger;
    if (*p == '.' || *p == 'E' || *p == 'e' || (p_ZPrzecinkiem && *p == ',')) {
        p_Rodzaj = toFloat;
        p = PrzeskanujKlase(p + 1, p_KlasaUlamka, p_KoniecDozwolony);
    }
    return p;
}

unsigned char TLkParser::NextToken()
{
    char *p = PominBiale(FSourcePtr);
    ZacznijToken(p);
    if (NaWartowniku(p))
        return ZakonczToken(p, toEOF);

    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '\'' || c == '"' || c == '#')
        return CzytajTekstNatywny(p);
    return CzytajLiczbeSymbolLubZnak(p, LiczbaTekst, false, SymbolTekst);
}

unsigned char TLkParser::CzytajLiczbeSymbolLubZnak(char *p, uint16_t p_KlasaUlamka, bool p_ZPrzecinkiem,
                                                   uint16_t p_KlasaSymbolu)
{
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '$')
        return ZakonczToken(PrzeskanujKlase(p + 1, CyfraHex), toInteger);
    if (c == '-') {
        char *nastepny = p + 1;
        if (!ZapewnijBajt(nastepny, true) || !Jest(*nastepny, Cyfra))
            return ZakonczToken(nastepny, '-');
        p = FTokenPtr;
    }
    if (c == '-' || Jest(c, Cyfra)) {
        unsigned char rodzaj;
        p = SkanujLiczbe(p, p_KlasaUlamka, p_ZPrzecinkiem, true, rodzaj);
        return ZakonczToken(p, rodzaj);
    }
    if (Jest(c, PoczatekSymbolu))
        return ZakonczToken(PrzeskanujKlase(p + 1, p_KlasaSymbolu), toSymbol);
    return ZakonczToken(p + 1, c);
}

unsigned char TLkParser::CzytajTekstNatywny(char *p)
{
    // Segments are decoded over the source, from the token's start on.
    unsigned char rodzaj = toEOF;
    S = p;
    for (;;) {
        if (!ZapewnijBajt(p, true))
            break;
        const char c = *p;
        if ((c == '"' && rodzaj == toString) || (c == '\'' && rodzaj == toWString)) {
            *S++ = c; // a quote of the other kind between segments is that character
            ++p;
        } else if (c == '\'' || c == '"') {
            if (rodzaj == toEOF)
                rodzaj = c == '\'' ? toString : toWString;
            const uint16_t koniec = c == '\'' ? KoniecApostrof : KoniecCudzyslow;
            ++p;
            for (;;) {
                Pocz = p;
                while (!Jest(*p, koniec))
                    ++p;
                const qint64 dlugosc = p - Pocz;
                if (S != Pocz)
                    std::memmove(S, Pocz, static_cast<size_t>(dlugosc));
                S += dlugosc;
                Pocz = nullptr;
                if (*p == c) {
                    ++p;
                    if (ZapewnijBajt(p, true) && *p == c) {
                        *S++ = c; // a doubled quote
                        ++p;
                        continue;
                    }
                    break;
                }
                if (*p == '\r' || *p == '\n')
                    Error(QStringLiteral("Nieprawidłowa stała tekstowa"));
                if (NaWartowniku(p))
                    ZapewnijBajt(p, false);
                else
                    *S++ = *p++; // a 0 byte inside the text
            }
        } else if (c == '#') {
            ++p;
            Pocz = p;
            p = PrzeskanujKlase(p, Cyfra);
            unsigned kod = 0;
            for (const char *cyfra = Pocz; cyfra < p; ++cyfra)
                kod = (kod * 10 + static_cast<unsigned>(*cyfra - '0')) & 0xFF;
            Pocz = nullptr;
            *S++ = static_cast<char>(kod);
        } else {
            break;
        }
    }
    FStringStart = FTokenPtr;
    FStringPtr = S;
    S = nullptr;
    return ZakonczToken(p, rodzaj == toEOF ? static_cast<unsigned char>(toString) : rodzaj);
}

QByteArrayView TLkParser::TokenView() const
{
    if (FToken == toEOF)
        return {};
    if ((FToken == toString || FToken == toWString) && FStringStart)
        return QByteArrayView(FStringStart, FStringPtr - FStringStart);
    return QByteArrayView(FTokenPtr, FSourcePtr - FTokenPtr);
}

qint64 TLkParser::TokenInt() const
{
    const QByteArrayView tekst = TokenView();
    if (const auto liczba = SprobujTekstNaInt64(tekst))
        return *liczba;
    if (const auto logiczna = SprobujTekstNaBoolean(tekst))
        return *logiczna ? 1 : 0;
    Error(QStringLiteral("Spodziewana liczba całkowita"));
}

bool TLkParser::TokenSymbolIs(QByteArrayView p_Symbol) const
{
    return FToken == toSymbol && TokenView().compare(p_Symbol, Qt::CaseInsensitive) == 0;
}

void TLkParser::CheckToken(unsigned char p_Token) const
{
    if (FToken == p_Token)
        return;
    // Integers written as texts ("N"/"T" for Booleans) pass where integers are expected.
    auto tekstJestLiczba = [this](bool p_Tylko32) {
        if (FToken != toString)
            return false;
        const QByteArrayView tekst = TokenView();
        if (tekst == "N" || tekst == "T")
            return true;
        const auto liczba = SprobujTekstNaInt64(tekst);
        return liczba && (!p_Tylko32 || (*liczba >= INT32_MIN && *liczba <= INT32_MAX));
    };
    switch (p_Token) {
    case toSymbol:
        Error(QStringLiteral("Spodziewany identyfikator"));
    case toString:
    case toWString:
        Error(QStringLiteral("Spodziewany tekst"));
    case toInteger:
        if (!tekstJestLiczba(true))
            Error(QStringLiteral("Spodziewana liczba całkowita"));
        return;
    case toFloat:
        if (FToken != toString && FToken != toInteger)
            Error(QStringLiteral("Spodziewana liczba ułamkowa"));
        return;
    case toInt64:
        if (FToken != toInteger && !tekstJestLiczba(false))
            Error(QStringLiteral("Spodziewana liczba całkowita"));
        return;
    default:
        CharExpected(p_Token);
    }
}

void TLkParser::CheckTokenSymbol(QByteArrayView p_Symbol) const
{
    if (!TokenSymbolIs(p_Symbol))
        Error(QStringLiteral("Spodziewany symbol %1").arg(TekstZPolskiegoAnsi(p_Symbol.toByteArray())));
}

void TLkParser::CharExpected(unsigned char p_Token) const
{
    const QString znak = p_Token >= 32
        ? QStringLiteral(" ('%1')").arg(TekstZPolskiegoAnsi(QByteArray(1, static_cast<char>(p_Token))))
        : QString();
    Error(QStringLiteral("Spodziewany znak #%1%2").arg(p_Token).arg(znak));
}

int TLkParser::SourceColumn() const
{
    const qint64 pozycja = SourcePos();
    if (FPoczatekLinii <= pozycja)
        return static_cast<int>(pozycja - FPoczatekLinii + 1);
    // The token spans line breaks: count from the last one before its start.
    const char *w = FTokenPtr;
    while (w > FBuffer && w[-1] != '\n')
        --w;
    return static_cast<int>(FTokenPtr - w + 1);
}

QString TLkParser::FormatErrStr(const QString &p_Komunikat) const
{
    return QStringLiteral("%1 w linii %2 na pozycji %3").arg(p_Komunikat).arg(FSourceLine).arg(SourceColumn());
}

void TLkParser::Error(const QString &p_Komunikat) const
{
    throw ELkParserError(FormatErrStr(p_Komunikat), FSourceLine, SourceColumn());
}

void TLkParser::ErrorFmt(const QString &p_Komunikat, const TArrayOfConst &p_Argumenty) const
{
    Error(Format(p_Komunikat, p_Argumenty));
}

void TLkParser::SprawdzZakres(qint64 p_Wartosc, qint64 p_Min, qint64 p_Max, const QString &p_NazwaKlasy) const
{
    if (p_Wartosc < p_Min || p_Wartosc > p_Max)
        ErrorFmt(QStringLiteral("%s: wartość poza zakresem = %d"), {p_NazwaKlasy, static_cast<long long>(p_Wartosc)});
}

double TLkParser::StringToFloat(QByteArrayView p_Tekst) const
{
    // A plain number as written by the text writers is read as it stands:
    // normalising it changes nothing and took most of a float field's read.
    if (!p_Tekst.isEmpty() && p_Tekst.front() != '+' && p_Tekst.count('.') <= 1
        && std::all_of(p_Tekst.begin(), p_Tekst.end(),
                       [](char c) { return Jest(c, Cyfra) || c == '.' || c == '+' || c == '-' || c == 'E' || c == 'e'; })) {
        double wartosc = 0;
        const auto wynik = std::from_chars(p_Tekst.data(), p_Tekst.data() + p_Tekst.size(), wartosc);
        if (wynik.ec == std::errc() && wynik.ptr == p_Tekst.data() + p_Tekst.size())
            return wartosc;
    }
    // The model's settings read "." as the decimal separator; a "," and blanks are normalised away.
    static const TFormatSettings ustawienia;
    const QString tekst = NormalizujTekstLiczby(TekstZPolskiegoAnsi(p_Tekst.toByteArray()), ustawienia);
    const QByteArray ascii = tekst.trimmed().toLatin1();
    // Only a plain decimal form: no "inf", "nan" or hex floats.
    bool poprawna = !ascii.isEmpty();
    for (char c : ascii)
        if (!(Jest(c, Cyfra) || c == '.' || c == '+' || c == '-' || c == 'E' || c == 'e'))
            poprawna = false;
    bool ok = false;
    const double wartosc = poprawna ? ascii.toDouble(&ok) : 0.0;
    if (!ok)
        Error(QStringLiteral("Spodziewana liczba ułamkowa"));
    return wartosc;
}

qint64 TLkParser::StringToCurrency(QByteArrayView p_Tekst) const
{
    const double wartosc = StringToFloat(p_Tekst) * 10000.0;
    if (!(std::fabs(wartosc) < 9.2e18))
        Error(QStringLiteral("Spodziewana liczba ułamkowa"));
    return std::llround(wartosc);
}

void TLkParser::HexToBinary(TStream *p_Cel)
{
    constexpr int maksBajtow = 512;
    char bajty[maksBajtow];
    char *p = PominBiale(FSourcePtr);
    while (*p != '}') {
        // A pair must not be split by the buffer's end.
        if (FSourceEnd - p < 2 && !EndOfFile) {
            P = p;
            Doczytaj(true);
            p = P;
            P = nullptr;
        }
        int ile = 0;
        while (ile < maksBajtow && FSourceEnd - p >= 2 && Jest(p[0], CyfraHex) && Jest(p[1], CyfraHex)) {
            auto wartosc = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
            bajty[ile++] = static_cast<char>(wartosc(p[0]) << 4 | wartosc(p[1]));
            p += 2;
        }
        if (ile == 0)
            Error(QStringLiteral("Nieprawidłowa wartość binarna"));
        p_Cel->WriteBuffer(bajty, ile);
        p = PominBiale(p);
    }
    FSourcePtr = p;
    NextToken();
}

unsigned char TLkParser::ReadNextChar()
{
    char *p = FSourcePtr;
    ZacznijToken(p);
    ZapewnijBajt(p, false);
    ZacznijToken(p);
    if (*p == '\n')
        NowaLinia(p);
    return ZakonczToken(p + 1, static_cast<unsigned char>(*p));
}

QByteArray TLkParser::ReadTextUpTo(char p_Ogranicznik, bool p_OdTokenu)
{
    char *p = FSourcePtr;
    ZacznijToken(p_OdTokenu ? FTokenPtr : p);
    FWasEndOfLine = false;
    for (;;) {
        while (*p != p_Ogranicznik && *p != '\n' && *p != '\r' && *p != 0)
            ++p;
        if (*p == p_Ogranicznik)
            break;
        if (*p == '\n' || *p == '\r') {
            if (*p == '\n')
                NowaLinia(p);
            FWasEndOfLine = true;
            ++p;
        } else if (!NaWartowniku(p)) {
            ++p;
        } else if (!ZapewnijBajt(p, true)) {
            break;
        }
    }
    ZakonczToken(p, toSymbol);
    return TokenString();
}

void TLkParser::SkipTextUpTo(char p_Ogranicznik)
{
    char *p = FSourcePtr;
    ZacznijToken(p);
    for (;;) {
        while (*p != p_Ogranicznik && *p != '\n' && *p != 0)
            ++p;
        if (*p == p_Ogranicznik)
            break;
        if (*p == '\n') {
            NowaLinia(p);
            ++p;
        } else if (!NaWartowniku(p)) {
            ++p;
        } else {
            FTokenPtr = FSourcePtr = p; // nothing skipped needs to stay in the buffer
            if (!ZapewnijBajt(p, true))
                break;
        }
    }
    FTokenPtr = p;
    ZakonczToken(p, toSymbol);
}
