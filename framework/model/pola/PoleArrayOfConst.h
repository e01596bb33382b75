#pragma once

#include "Formatuj.h"
#include "ObiektBazowy.h"

#include <QByteArrayView>

#include <optional>
#include <vector>

class TLkParser;
class TObiekt;
class TOdczytywaczNatywny;
class TZapisywaczNatywny;

// An open array of constants kept as a field, so that every format carries it.
// Elements are numbers, Booleans, characters, texts of either width, currency,
// pointers and objects. An object element is a persistent object (TObiekt);
// the array frees the objects it made itself (DolaczNowyObiekt, and every
// object a reader builds) and holds parameter objects (TLkParamBazowy) by
// their count; any other object stays its owner's. Pointers are kept as the
// numbers they are and never followed.
//
// In files each element names its kind as an open array numbers it ("vtInteger"
// ... "vtUnicodeString"); a reader refuses kinds it cannot hold (variants,
// classes, interfaces: "Brak implementacji %s"), unknown kind names ("Błędny
// token = %s"), values that do not fit their kind and more than MaksElementow
// elements. Objects read are made of the classes of the objects holding the
// array or of registered classes only (others: "%s.%s: błędna klasa %s").
// An element's object is no target of references: the writers number and
// identify only the objects outside arrays. Its own references to those keep
// their targets in the binary and native text formats; in XML and JSON only
// targets the rest of the document names too.
class TPoleArrayOfConst : public TKlasa<TPoleArrayOfConst, TObiektBazowy>
{
public:
    // The kinds, numbered as an open array numbers them.
    enum TRodzajStalej : uint8_t {
        vtInteger, vtBoolean, vtChar, vtExtended, vtString, vtPointer, vtPChar, vtObject, vtClass, vtWideChar,
        vtPWideChar, vtAnsiString, vtCurrency, vtVariant, vtInterface, vtWideString, vtInt64, vtUnicodeString,
    };
    static constexpr int IleRodzajow = vtUnicodeString + 1;
    // The binary count is a short number: no format holds more.
    static constexpr int MaksElementow = 32767;

    using TKlasa::TKlasa;

    int IleParam() const { return static_cast<int>(FParametry.size()); }
    const TArrayOfConst &Parametry() const { return FParametry; }
    // LkException "błędny nr parametru: %d" out of range.
    const TVarRec &ParamNr(int p_Nr) const;
    // Replaces the elements.
    void Inicjuj(const TArrayOfConst &p_Parametry);
    // An object element must be a persistent object or null; others raise "%s.%s: błędna klasa %s".
    void DolaczParam(const TVarRec &p_Wartosc);
    // Any object, as a carrier of a caller's parameters does: one that is not
    // persistent has no file form and is written as a missing object.
    void DolaczDowolnyParam(const TVarRec &p_Wartosc);
    // A new object of that class, owned by the array, as the last element.
    TObiekt &DolaczNowyObiekt(const TOpisKlasy &p_Klasa);
    void UsunParamNr(int p_Nr);
    // The kind the files name an element by.
    static TRodzajStalej RodzajStalej(const TVarRec &p_Wartosc);
    static const char *NazwaRodzaju(int p_Rodzaj);

    bool MaWartosc(int16_t) const override { return !FParametry.empty(); }
    void ZerujDane() override;
    // Count, then element by element: kind, then value (objects field by field).
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // Objects the source owns are copied; others are shared as the source shares them.
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;
    int64_t ZajmowanaPamiec() const override;
    // "%d elem.".
    QString OpisTekstowy() const override;
    // An object of ours given another parent, or destroyed elsewhere, leaves a null object behind.
    void UsunRefOd(TPole *p_Pole) override;

    // ---- binary: a short number of elements, each a kind byte and its value
    // (64-bit integers in 8 bytes); an address means nothing in a file, so a
    // pointer raises "Brak implementacji vtPointer"
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    // ---- XML: one "Const" child per element, the value in an attribute named by the kind
    void WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu) override;
    void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) override;
    // ---- JSON: an array of one-member objects, the kind naming the value
    void WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const override;
    void WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp) override;
    // ---- native text: inside the field's block a line "kind=value" per
    // element, an object as its own "object <type>" ... "end" block
    void ZapiszBlokTekstowy(TZapisywaczNatywny &p_Zapisywacz) const;
    // The block's content up to its "end", which is left as the current token.
    void WczytajBlokTekstowy(TOdczytywaczNatywny &p_Odczytywacz);

protected:
    void ZwolnijDane() override { ZerujDane(); }

private:
    // Appends without checks; p_Wlasny: the array frees the object.
    void Dolacz(const TVarRec &p_Wartosc, bool p_Wlasny);
    void Pusc(const TVarRec &p_Wartosc, bool p_Wlasny);
    // LkException once the array holds MaksElementow.
    void SprawdzMiejsce() const;
    // ---- reading
    static int RodzajONazwie(QByteArrayView p_Nazwa);
    // "Brak implementacji %s" for the kinds nothing here can hold.
    static void SprawdzRodzajDoOdczytu(int p_Rodzaj);
    // A reader meets the array once per document ("Tablica stałych powtórzona w dokumencie").
    void SprawdzPustaPrzedOdczytem() const;
    // A new object, owned by the array, of the class named p_Nazwa: the class
    // of an object holding the array, else a registered one.
    TObiekt &NowyObiektTypu(const QString &p_Nazwa);
    static constexpr int MaksKrokowWGore = 256;
    // The element a text format gives as text (p_Bajty: the same as a byte
    // string, for the byte-string kinds); none when it does not fit its kind.
    static std::optional<TVarRec> StalaZTekstu(int p_Rodzaj, const QString &p_Tekst, const QByteArray &p_Bajty);
    // The same appended; "Błędny token = %s" at the parser's place when it does not fit.
    void DolaczZTekstu(int p_Rodzaj, const QString &p_Tekst, const QByteArray &p_Bajty, const TLkParser &p_Parser);
    // ---- writing: any element but an object, as the text formats write values
    static void ZapiszWartoscTekstowo(TZapisywaczTekstu &p_Zapisywacz, const TVarRec &p_Wartosc);

    TArrayOfConst FParametry;
    // Parallel to FParametry: the array made that object and frees it.
    std::vector<bool> FWlasne;
};
