#pragma once

#include "KlasyZnakow.h"
#include "SkanowanieBlokami.h"

#include "Formatuj.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

class TStream;

// Streaming tokenizer of the native text format and base of the XML and JSON
// tokenizers. It works on bytes: the stream is read through a growing buffer
// that ends with a 0 sentinel, string tokens are decoded in place, and only the
// unconsumed tail of the stream is kept. Every error is an ELkParserError whose
// message carries the line and the column of the offending token.
class TLkParser
{
public:
    // Token kinds; any other value is the single character of that code.
    enum : unsigned char
    {
        toEOF = 0,
        toSymbol = 1,
        toString = 2,
        toInteger = 3,
        toFloat = 4,
        toWString = 5,
        toInt64 = 6, // for CheckToken only
    };
    static constexpr int PoczatkowyRozmiarBufora = 131072;
    // A single token may not make the buffer grow past this by default:
    // hostile input must not take unbounded memory.
    static constexpr qint64 DomyslnyMaksRozmiarBufora = qint64(256) * 1024 * 1024;

    // Reads the first token at once; the stream is not owned.
    explicit TLkParser(TStream *p_Stream);
    // Leaves the stream positioned at the start of the current token.
    virtual ~TLkParser();

    TLkParser(const TLkParser &) = delete;
    TLkParser &operator=(const TLkParser &) = delete;

    void Reset();
    virtual unsigned char NextToken();

    unsigned char Token() const { return FToken; }
    int SourceLine() const { return FSourceLine; }
    // Stream offset of the current token's start.
    qint64 SourcePos() const { return FOrigin + (FTokenPtr - FBuffer); }
    // 1-based byte column of the current token's start.
    int SourceColumn() const;

    QByteArray TokenString() const { return TokenView().toByteArray(); }
    // The token's bytes inside the buffer: valid until the next call that reads.
    QByteArrayView TokenView() const;
    int TokenStringLength() const { return static_cast<int>(TokenView().size()); }
    // Decimal or "$" hex; a Boolean word gives 1 or 0.
    qint64 TokenInt() const;
    bool TokenSymbolIs(QByteArrayView p_Symbol) const;

    void CheckToken(unsigned char p_Token) const;
    void CheckTokenSymbol(QByteArrayView p_Symbol) const;
    [[noreturn]] void CharExpected(unsigned char p_Token) const;
    [[noreturn]] void Error(const QString &p_Komunikat) const;
    // Formats the message first (Format's directives).
    [[noreturn]] void ErrorFmt(const QString &p_Komunikat, const TArrayOfConst &p_Argumenty) const;
    QString FormatErrStr(const QString &p_Komunikat) const;
    // Raises "%s: wartość poza zakresem = %s" when p_Wartosc lies outside [p_Min, p_Max].
    void SprawdzZakres(qint64 p_Wartosc, qint64 p_Min, qint64 p_Max, const QString &p_NazwaKlasy) const;

    double StringToFloat(QByteArrayView p_Tekst) const;
    // The value times 10000, rounded.
    qint64 StringToCurrency(QByteArrayView p_Tekst) const;
    // Hex digit pairs up to "}" into p_Cel; the next token is then "}".
    void HexToBinary(TStream *p_Cel);

    unsigned char ReadNextChar();
    // Raw bytes up to (not including) p_Ogranicznik, from the next unread byte or,
    // with p_OdTokenu, from the current token's start (XML element text). The
    // parser stops on the delimiter; the token becomes a symbol spanning the text.
    QByteArray ReadTextUpTo(char p_Ogranicznik, bool p_OdTokenu = false);
    void SkipTextUpTo(char p_Ogranicznik);
    // A line break was passed by the last string token or raw text read.
    bool WasEndOfLine() const { return FWasEndOfLine; }
    qint64 RozmiarBufora() const { return ActualBufLength; }
    // Beyond it a token raises "Token dłuższy niż %d bajtów".
    void UstawMaksRozmiarBufora(qint64 p_Rozmiar) { FMaksRozmiarBufora = p_Rozmiar; }

protected:
    struct BezResetu {};
    // For descendants: they call Reset themselves, once their NextToken is in place.
    TLkParser(TStream *p_Stream, BezResetu);

    // Refills the buffer when a scan meets the sentinel. Returns false at the end
    // of the stream, which raises "Nieoczekiwany koniec pliku" when not allowed.
    bool Doczytaj(bool p_KoniecDozwolony);
    bool NaWartowniku(const char *p_Poz) const { return *p_Poz == 0 && p_Poz == FSourceEnd; }
    // Makes sure the byte at p (shifted by a refill) is real data; false at the end.
    bool ZapewnijBajt(char *&p, bool p_KoniecDozwolony);
    // The same for a scan loop's cursor: handing the loop's own cursor out by
    // reference would keep it in memory for the whole loop. Gives the shifted cursor.
    char *Zapewnij(char *p, bool p_KoniecDozwolony, bool &p_Jest)
    {
        p_Jest = ZapewnijBajt(p, p_KoniecDozwolony);
        return p;
    }
    // The scan loops are inline: one table lookup per byte, the refill out of
    // line; a run of blanks goes many bytes at a time.
    char *PominBiale(char *p)
    {
        for (;;) {
            if (KlasyZnakow::Jest(*p, KlasyZnakow::Bialy)) {
                char *ostatniLF = nullptr;
                // A single blank (after ":" or between tokens) is the common case: no block for it.
                if (!KlasyZnakow::Jest(p[1], KlasyZnakow::Bialy)) {
                    if (*p == '\n')
                        ostatniLF = p, ++FSourceLine;
                    ++p;
                } else {
                    p = SkanowanieBlokami::PominBiale(p, FSourceLine, ostatniLF);
                }
                if (ostatniLF)
                    FPoczatekLinii = FOrigin + (ostatniLF + 1 - FBuffer);
            }
            // Nothing before p is needed any more: let a refill drop it.
            FTokenPtr = FSourcePtr = p;
            if (!NaWartowniku(p))
                return p;
            bool jest;
            p = Zapewnij(p, true, jest);
            if (!jest)
                return p;
        }
    }
    // Advances over bytes of the class, refilling as needed.
    char *PrzeskanujKlase(char *p, uint16_t p_Klasa, bool p_KoniecDozwolony = true)
    {
        for (;;) {
            while (KlasyZnakow::Jest(*p, p_Klasa))
                ++p;
            if (!NaWartowniku(p))
                return p;
            bool jest;
            p = Zapewnij(p, p_KoniecDozwolony, jest);
            if (!jest)
                return p;
        }
    }
    void NowaLinia(const char *p_ZnakNowejLinii)
    {
        ++FSourceLine;
        FPoczatekLinii = FOrigin + (p_ZnakNowejLinii + 1 - FBuffer);
    }
    void ZacznijToken(char *p)
    {
        FTokenPtr = FSourcePtr = p;
        FStringPtr = nullptr;
        FStringStart = nullptr;
    }
    unsigned char ZakonczToken(char *p, unsigned char p_Rodzaj)
    {
        FSourcePtr = p;
        FToken = p_Rodzaj;
        return p_Rodzaj;
    }
    char *SkanujLiczbe(char *p, uint16_t p_KlasaUlamka, bool p_ZPrzecinkiem, bool p_KoniecDozwolony,
                       unsigned char &p_Rodzaj);
    // The tokens both dialects read alike, from p on: hexadecimal and decimal
    // numbers, a lone minus, symbols and single characters.
    unsigned char CzytajLiczbeSymbolLubZnak(char *p, uint16_t p_KlasaUlamka, bool p_ZPrzecinkiem,
                                            uint16_t p_KlasaSymbolu);

    TStream *FStream;
    qint64 FOrigin = 0;
    char *FBuffer = nullptr;
    char *FBufEnd = nullptr;
    qint64 ActualBufLength = PoczatkowyRozmiarBufora;
    char *FSourcePtr = nullptr;
    char *FSourceEnd = nullptr;
    char *FTokenPtr = nullptr;
    char *FStringPtr = nullptr;   // end of a string token's bytes
    char *FStringStart = nullptr; // start of a string token's bytes
    int FSourceLine = 1;
    unsigned char FToken = toEOF;
    // Cursors that a refill must shift; null while unused.
    char *P = nullptr;
    char *S = nullptr;
    char *Pocz = nullptr;
    bool EndOfFile = false;
    bool FWasEndOfLine = false;
    // Stream offset just past the last line feed counted.
    qint64 FPoczatekLinii = 0;
    qint64 FMaksRozmiarBufora = DomyslnyMaksRozmiarBufora;
    // Grows whenever the buffer's bytes move or change (refill, Reset): what a
    // descendant derived from them is stale when it has changed.
    uint64_t FZmianyBufora = 0;

private:
    unsigned char CzytajTekstNatywny(char *p);
    void PrzesunWskazniki(char *p_Stary, char *p_Nowy);
};
