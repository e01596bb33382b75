#pragma once

// Private to the XML service: a linear look at a document's bytes before
// libxml2 parses them, for what libxml2 itself would not bound.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

// Fed the document piece by piece (any split gives the same verdict), it
// refuses:
// - a DOCTYPE or any other "<!" declaration: internal entities would expand
//   beyond every limit during the transformation;
// - a start tag with more than MaksAtrybutow attributes, and more than
//   MaksPrzestrzeniWZasiegu namespace declarations in scope: libxml2 checks
//   each attribute against all the others and looks namespaces up by a walk
//   over all declared ones, so their numbers multiply into the time;
// - more than MaksGlebokosc nested elements;
// - encodings other than UTF-8, UTF-16 and the single-byte ASCII-compatible
//   ones: in UTF-7, EBCDIC and the like the markup hides from a look at bytes.
// It only follows the markup of well-formed XML; the parser must be given
// nothing more once it has found an error, or its recovery may read markup
// that the guard took for text.
class TStraznikXML
{
public:
    static constexpr int MaksAtrybutow = 256; // namespace declarations included
    static constexpr int MaksPrzestrzeniWZasiegu = 256;
    static constexpr int MaksGlebokosc = 256;

    // Looks at the next bytes; false once the document is refused.
    bool Sprawdz(const char *p_Bajty, qsizetype p_Dlugosc);
    // The end of the input: settles a start too short to show its encoding.
    bool Zakoncz();

    bool Odrzucony() const { return !FPowod.isEmpty(); }
    // Why the document was refused, with the line and column; empty while not.
    const QString &Powod() const { return FPowod; }

private:
    enum TTryb : std::uint8_t { trRozpoznawanie, trBajty, trUtf16LE, trUtf16BE };
    enum TStan : std::uint8_t {
        sTekst,
        sPoZnaku,        // after "<"
        sWykrzyknik,     // after "<!"
        sKomentarz,
        sCDATA,
        sInstrukcja,     // a processing instruction, the XML declaration too
        sZnacznikStartu,
        sWartosc,        // a quoted attribute value
        sZnacznikKonca,
    };

    void rozpoznajKodowanie(bool p_Koniec);
    void bajty(const unsigned char *p_Bajty, qsizetype p_Dlugosc);
    // Single-byte input: a run of bytes that only moves the column (text, a
    // value, an end tag, a comment or a name up to its next markup character
    // or line end) taken at once, with the same effect as step by step.
    // Returns where the run ends.
    qsizetype pominZwykle(const unsigned char *p_Bajty, qsizetype p_Od, qsizetype p_Do);
    qsizetype pominNazwe(const unsigned char *p_Bajty, qsizetype p_Od, qsizetype p_Do);
    void znak(char32_t p_Znak);
    void krok(char32_t p_Znak);
    void krokInstrukcji(char32_t p_Znak);
    void krokZnacznikaStartu(char32_t p_Znak);
    void koniecDeklaracji();
    void odrzuc(const QString &p_Tekst);

    TTryb FTryb = trRozpoznawanie;
    TStan FStan = sTekst;
    QByteArray FPoczatek;         // bytes held until the encoding shows
    bool FNaPoczatku = true;      // no character read yet: an XML declaration may come
    int FBajtNieparzysty = -1;    // UTF-16: the first byte of a unit split between pieces
    bool FUtf8 = true;            // columns count characters, not UTF-8 continuation bytes

    int FWiersz = 1;
    int FKolumna = 0;
    bool FPoCR = false;
    int FWierszZnacznika = 1;     // where the markup now read begins
    int FKolumnaZnacznika = 1;

    bool FMozeDeklaracja = false; // the instruction now read may be the XML declaration
    QByteArray FDeklaracja;       // its text so far, for its encoding
    QByteArray FWykrzyknik;       // what follows "<!" so far
    int FKreski = 0;              // "-" or "]" in a row, before a closing ">"
    bool FPytajnik = false;
    char32_t FCudzyslow = 0;
    bool FUkosnik = false;        // the last character of a start tag was "/"
    bool FWNazwie = false;
    int FDlugoscNazwy = 0;
    std::array<char, 6> FNazwa{}; // the first characters of the last name in a start tag
    int FAtrybuty = 0;
    int FPrzestrzenie = 0;        // declared by the start tag now read

    int FGlebokosc = 0;
    int FWZasiegu = 0;
    std::array<std::uint16_t, MaksGlebokosc> FPrzestrzenieElementow{};

    QString FPowod;
};
