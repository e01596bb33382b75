#pragma once

#include "FormatSettings.h"
#include "Klasa.h"
#include "KlasaBazowa.h"
#include "OpisKlasy.h"
#include "Variant.h"
#include "Wyjatki.h"

#include <QByteArray>
#include <QString>

class TKopierDanych;
class TObiekt;
class TOdczytywaczDanych;
class TOdczytywaczTekstu;
class TOdczytywaczXML;
class TPorownywaczDanych;
class TPoleWskObiektu;
class TStream;
class TVarRec;
class TZapisywaczDanych;
class TZapisywaczTekstu;
class TZapisywaczXML;
class TZapisywaczJSON;
class TOdczytywaczJSON;
// Base of everything an object is made of: typed fields and, as fields that
// hold other fields, the persistent objects themselves.
class TPole : public TObject
{
public:
    static const TOpisKlasy Opis;
    static constexpr std::span<const TOpisPola> PolaKlasy{};
    // Value fields live inside their object's block of fields (objects say no).
    static constexpr bool TrzymanyWBloku = true;

    TPole() = default;
    TPole(const TPole &) = delete;
    TPole &operator=(const TPole &) = delete;

    // The class reference of this instance. An instance of a class derived
    // without declaring itself (TKlasa) would silently be its parent: it raises
    // LkException instead, at the first question about its class.
    const TOpisKlasy &Klasa() const
    {
        const TOpisKlasy &klasa = DajOpisKlasy();
        if (klasa.JestInstancja && !klasa.JestInstancja(*this)) [[unlikely]]
            BrakDeklaracjiKlasy(klasa);
        return klasa;
    }
    QString ClassName() const { return Klasa().ClassName(); }

    // What TKlasa asks of the root of a hierarchy: where instances live, what
    // a destructor dismantles and how a new instance meets its parent. Plain here.
    static void *PrzydzielPamiec(std::size_t p_Rozmiar, const TOpisKlasy &) { return ::operator new(p_Rozmiar); }
    static void ZwolnijPamiec(void *p_Miejsce) noexcept { ::operator delete(p_Miejsce); }
    void RozbierzWDestruktorze() noexcept {}
    void UstawRodzicaPoUtworzeniu(TObiektBazowy *) {}

    // Back to the empty state; objects free their fields.
    virtual void ZerujDane() = 0;

    // Operations a class does not support end here.
    // Overrides may add context but must raise as well.
    [[noreturn]] virtual void BledneWywolanie(const char *p_Metoda) const
    {
        throw LkException(QStringLiteral("Błędne wywołanie %1.%2").arg(ClassName(), QLatin1String(p_Metoda)));
    }

    // Value forms; the byte string is Windows-1250.
    virtual Variant GetJakoVariant() const { BledneWywolanie("GetJakoVariant"); return {}; }
    virtual void SetJakoVariant(const Variant &) { BledneWywolanie("SetJakoVariant"); }
    // The empty value of the field's type.
    virtual Variant DajPustyVariant() const { return {}; }
    virtual QString GetJakoString() const { BledneWywolanie("GetJakoString"); return {}; }
    virtual void SetJakoString(const QString &) { BledneWywolanie("SetJakoString"); }
    virtual QByteArray GetJakoLkAnsiString() const;
    virtual void SetJakoLkAnsiString(const QByteArray &p_Wartosc);

    virtual bool MaDefWartosc() const { BledneWywolanie("MaDefWartosc"); return false; }
    // Display text; an empty mask gives JakoString.
    virtual QString WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS = nullptr) const;
    // Copies the value of a field of a compatible class; a deep copy passes its
    // copier, which the base tells that p_Pole went to this field.
    virtual void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr);
    // True when either field's class inherits from the other's.
    virtual bool MoznaPorownywacZ(const TPole &p_Pole) const
    {
        return Klasa().DziedziczyPo(p_Pole.Klasa()) || p_Pole.Klasa().DziedziczyPo(Klasa());
    }
    // -1, 0 or 1, as this field sorts before, with or after p_Pole; a comparison
    // of object graphs passes its comparer (letter case, locale, pointer mode).
    virtual int16_t Porownaj(const TPole &, TPorownywaczDanych * = nullptr) const { return 0; }
    // Bytes the field occupies, with the heap blocks it owns.
    virtual int64_t ZajmowanaPamiec() const { return sizeof(TPole); }

    // Comparison with a loose value (one element of an open array): numbers and
    // Booleans by value, texts by the string rule; an empty field counts as the
    // zero of the element's kind. Unknown kinds raise "błędny typ parametru: %d".
    virtual int16_t PorownajZCecha(const TVarRec &p_Cecha, bool p_BezWielkosci = true, uint32_t p_LocaleID = 0) const;
    virtual bool PoleMaCeche(const TVarRec &p_Cecha, bool p_BezWielkosci = true, uint32_t p_LocaleID = 0) const
    {
        return PorownajZCecha(p_Cecha, p_BezWielkosci, p_LocaleID) == 0;
    }

    // Serialisation hooks the writers and readers call. Writing: the binary
    // image, the native text form. Reading first tells the reader which field
    // it is reading (it may bind an identifier or a pending reference to it).
    virtual void ZapiszWStrumieniu(TStream &, TZapisywaczDanych &) const { BledneWywolanie("ZapiszWStrumieniu"); }
    virtual void WczytajZeStrumienia(TStream &, TOdczytywaczDanych &) { BledneWywolanie("WczytajZeStrumienia"); }
    virtual void ZapiszTekstowo(TZapisywaczTekstu &) const { BledneWywolanie("ZapiszTekstowo"); }
    // XML reading and writing take the text forms unless a class has its own.
    virtual bool WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz);
    virtual void ZapiszXMLowo(TZapisywaczXML &p_Zapisywacz) const;

    // Native text reading hook: the current token is the value; the parser is
    // left after it. True when the field received a non-empty value. The base
    // takes a wide-string token as UTF-8 and any other token's bytes as Windows-1250.
    virtual bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz);

    // ---- JSON: one call into the JSON writer or reader; the text hooks unless a class says otherwise.
    virtual void ZapiszJSON(TZapisywaczJSON &p_Zapisywacz) const;
    virtual bool WczytajJSON(TOdczytywaczJSON &p_Odczytywacz);

    // The field as an object (sub-object, list), or null: a cheap question asked at every field.
    virtual TObiektBazowy *JakoObiekt() { return nullptr; }
    virtual const TObiektBazowy *JakoObiekt() const { return nullptr; }
    virtual TObiekt *JakoTObiekt() { return nullptr; }
    virtual const TObiekt *JakoTObiekt() const { return nullptr; }

    // ---- binary and native text formats
    // The field as a pointer field, or null: asked for every field a document writes.
    virtual const TPoleWskObiektu *JakoWskaznik() const { return nullptr; }
    // ---- end of binary and native text formats

    // A target being destroyed, or moved by a deep copy, tells the fields pointing at it.
    virtual void ZerujRefDo(TObiektBazowy *) {}
    virtual void PrzepnijRef(TObiektBazowy *, TObiektBazowy *) {}

protected:
    // The descriptor of the instance's class, unchecked; TKlasa supplies it.
    virtual const TOpisKlasy &DajOpisKlasy() const { return Opis; }

private:
    [[noreturn]] void BrakDeklaracjiKlasy(const TOpisKlasy &p_Klasa) const;
};
