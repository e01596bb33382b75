#pragma once

#include "LkParser.h"
#include "OdczytywaczDanych.h"

#include <memory>

class TObiekt;
class TStream;
struct TOpisKlasy;

// Base of the readers of the text formats: it owns the tokenizer over the
// caller's stream, reads strings (pieces joined by "+") and references, and
// counts what the input held that the objects could not take.
class TOdczytywaczTekstu : public TOdczytywaczDanych
{
public:
    // Ready to read: the native tokenizer over p_Strumien has read the first token.
    explicit TOdczytywaczTekstu(TStream *p_Strumien, TStringCache *p_StringCache = nullptr);
    ~TOdczytywaczTekstu() override = default;

    TLkParser &Parser() const { return *FParser; }

    // The string at the current token as bytes: byte-string and wide-string
    // pieces joined by "+", each piece's bytes as they are; any other token's
    // text alone. The parser is left after it.
    QByteArray WczytajTekstAnsi();
    // The same as text: byte-string pieces as Windows-1250, wide-string pieces as UTF-8.
    virtual QString WczytajTekst() { return WczytajNapis(false); }
    // As WczytajTekst; p_BajtyWUTF8 reads byte-string pieces as UTF-8 too.
    QString WczytajNapis(bool p_BajtyWUTF8);
    // UTF-8, or Windows-1250 when the bytes are not valid UTF-8.
    static QString DekodujTrescUTF8(const QByteArray &p_Bajty);
    // An integer token: the number of the object referred to, resolved by
    // KorygujReferencje. True for a number other than 0.
    virtual bool WczytajRef(TPoleWskObiektu &p_Pole);

    // The field's class in the previous layout of the object being read, if any.
    const TOpisKlasy *PoprzTypOdczytywanegoPola() const;

    TStream *Strumien;
    // The object and field being read; OdczTunel: found by its previous name.
    TObiekt *OdczObiekt = nullptr;
    int16_t OdczPole = -1;
    bool OdczTunel = false;
    // A simple field (name = value) is being read.
    bool PoleProste = false;
    // Attributes and elements skipped because no field took them.
    int PominietoDane = 0;
    // Set to stop reading the current list.
    bool PrzerwijOdczyt = false;

protected:
    // Readers of other formats hand in their own tokenizer over the same stream.
    TOdczytywaczTekstu(TStream *p_Strumien, std::unique_ptr<TLkParser> p_Parser, TStringCache *p_StringCache);
    // The native tokenizer; it reads its first token at once.
    static std::unique_ptr<TLkParser> TworzParser(TStream *p_Strumien);

    std::unique_ptr<TLkParser> FParser;

private:
    // Calls p_Kawalek for each string piece (wide or not, bytes) up to the last "+".
    template <typename F> void CzytajKawalkiNapisu(F p_Kawalek);
};
