#pragma once

#include "Pole.h"
#include "TypyXML.h"
#include "ZapisywaczDanych.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <memory>
#include <vector>

class TStream;
class TStringCache;

// Root of all persistent objects: a tree node that is itself a field, so
// objects nest. It owns the entry points that load a whole tree.
class TObiektBazowy : public TKlasa<TObiektBazowy, TPole>
{
public:
    // Objects are kept behind a pointer in their owner's block of fields: children
    // and referring lists know them by address.
    static constexpr bool TrzymanyWBloku = false;

    // A parent learns of its child (it enters it in its referring list), so
    // that a parent destroyed first leaves its children without a parent.
    explicit TObiektBazowy(TObiektBazowy *p_Rodzic = nullptr);
    // Destruction never raises: whatever fails while the object is dismantled
    // (see Rozbierz) goes to the framework's error report, silently. Zniszcz
    // is for callers who want the failures as an exception.
    ~TObiektBazowy() override;
    // Dismantles and destroys this object (made with new) and then raises the
    // failures of its dismantling, joined by "\r", as one LkException.
    void Zniszcz();
    // What a destructor of a class holding data calls first (TKlasa does it for every class).
    void RozbierzWDestruktorze() noexcept;
    // The virtual constructor's parent, for classes built without one.
    void UstawRodzicaPoUtworzeniu(TObiektBazowy *p_Rodzic) { ZmienRodzica(p_Rodzic); }

    TObiektBazowy *JakoObiekt() override { return this; }
    const TObiektBazowy *JakoObiekt() const override { return this; }

    TObiektBazowy *Rodzic() const { return FRodzic; }
    // The topmost ancestor (this object for a root).
    TObiektBazowy *DajKorzen();
    // The nearest ancestor of that class or of a descendant class; null when none.
    TObiektBazowy *DajRodzica(const TOpisKlasy &p_Klasa) const;

    // Bracket every read or change of the object; nothing here, a lock in thread-safe descendants.
    virtual void ZablokujObiekt() {}
    virtual void OdblokujObiekt() {}

    // Whether field p_Nr has a value; -1 asks whether the object holds any data.
    virtual bool MaWartosc(int16_t p_Nr) const = 0;
    bool MaDefWartosc() const override { return !MaWartosc(-1); }

    // The referring list: tracked references to this object and its children.
    // Kept sorted by address, without duplicates.
    void DodajRef(TPole *p_Pole);
    // Virtual: an owning list also lets go of an item that leaves it this way.
    virtual void UsunRefOd(TPole *p_Pole);
    bool MaRefOd(const TPole *p_Pole) const;
    bool MaJakiesRef() const { return FDodatki && !FDodatki->ListaRef.empty(); }
    bool MaJakiesRefZKlasy(const TOpisKlasy &p_Klasa) const;
    // Every referring field leaves the list and is re-pointed to p_Obiekt; children stay.
    void PrzepnijRefNa(TObiektBazowy *p_Obiekt);
    // Every referring field leaves the list and forgets this object (children
    // forget their parent); then the object leaves its parent's list.
    void ZwolnijReferencje();
    // Cuts this subtree loose from references: fields pointing at its objects
    // forget them, and its own pointer fields lose their values.
    void ZwolnijLinki();
    // This object's own pointer fields lose their values; nothing here.
    virtual void ZerujWskazniki() {}
    // A child forgets a parent being destroyed.
    void ZerujRefDo(TObiektBazowy *p_Obiekt) override;
    // A tracked reference held by this object lost its target: its has-value bit goes.
    virtual void StraconoCelPola(const TPole &) {}

    // The path of this object from the root (or from p_OdObiektu; empty when that
    // is not on the way up), on screen with editing names and 1-based indices.
    // p_NrPodpola >= 0 appends that field. Cycles stop the walk.
    QString DajSciezkeDoSiebie(const TObiektBazowy *p_OdObiektu = nullptr, bool p_NaEkran = false,
                               bool p_BezIndeksow = false, int16_t p_NrPodpola = -1) const;
    // A one-line description for users; "?" here.
    virtual QString OpisTekstowy() const { return QStringLiteral("?"); }

    // ---- paths, the tree walk, re-parenting (kinds of objects take over the steps below)
    // The object and field number a path names: "Self" is this object (field -1),
    // "^" its parent, "^rest" the rest resolved from the parent; anything else is
    // the steps of the objects on the way (ZejdzSciezka). Null, with field -2, when a
    // step has no value to follow (nothing is created unless p_Tworz); a path that
    // does not fit the model raises "%s: Błędna ścieżka : %s".
    TObiektBazowy *ObiektIPole(const QString &p_Sciezka, int16_t &p_IDPola, bool p_Tworz = false);
    // The class of the object a path ends in, without data on the way: fields
    // not there yet are answered by a scratch instance of their class. Null when
    // a pointer on the way has no target.
    const TOpisKlasy *KlasaIPole(const QString &p_Sciezka, int16_t &p_IDPola) const;
    // Calls p_Fun for this object and every object below it (of class p_DlaKlasy
    // or a descendant when given; targets of pointer fields too with
    // p_ReferencjeTez), each once, until p_Fun answers true. True when it did.
    bool WykonajWDrzewie(const std::function<bool(TObiektBazowy &)> &p_Fun, const TOpisKlasy *p_DlaKlasy = nullptr,
                         bool p_ReferencjeTez = false);
    // Moves the object under another parent (or none), keeping both referring lists right.
    void ZmienRodzica(TObiektBazowy *p_Rodzic);
    QString OpisTekstowyWide() const { return OpisTekstowy(); }

    // Whether a serialised root of that type name is this object's data (ignoring case):
    // the class name, the class name after leading "_", a class registered in the
    // core that is an ancestor or a descendant, or (when no class of that name is
    // registered) an ancestor class's name.
    virtual bool MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const;

    // Loads the object from an XML file, or from p_Strumien when given (left open).
    // True when nothing in the input was skipped. Open failures raise EFCreateError
    // "Błąd otwarcia pliku %s:\r%s"; read failures keep their class and get the
    // message "Błąd odczytu pliku %s:\r%s at %d / %d (%s)".
    virtual bool WczytajZPlikuXML(const QString &p_NazwaPliku, TTypZapisuXML p_TypZapisu = tzxDomyslny,
                                  TStream *p_Strumien = nullptr, TTypKodowaniaXML p_TypKodowania = tkxDomyslny,
                                  const TOnBlednyUTF8 &p_OnBlednyUTF8 = {},
                                  const TKlasaOdczytywaczaXML &p_KlasaOdczytywacza = {});
    // Runs after a successful load from a file.
    virtual void PoOdczyciePlikuXML() {}
    // Loads the object from XML bytes (none only resets it); failures get "Błąd odczytu napisu XML:\r%s at %d / %d (%s)".
    bool WczytajZeStringuXML(const QByteArray &p_XML, TTypZapisuXML p_TypZapisu = tzxDomyslny,
                             TTypKodowaniaXML p_TypKodowania = tkxDomyslny, const TOnBlednyUTF8 &p_OnBlednyUTF8 = {});

    // Reads this object's element; the current token is the element's name.
    virtual void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) = 0;

    // ---- binary and native text formats, the file container, the fingerprint
    // (ObiektTekstowy.cpp, PlikObiektu.cpp)
    // Loads the native text form; true when nothing in it was skipped. An empty
    // text only clears the object; syntax errors carry their line and column.
    bool WczytajZTekstu(const QByteArray &p_Tekst, TStringCache *p_StringCache = nullptr);
    // The native text form with p_ZChwilowymi transient fields too.
    QByteArray ZapiszWTekscie(bool p_ZChwilowymi = false);
    // The whole object in any format of the file container: p_TypZapisu's low
    // bits choose the format, its bits 0x1F0 are the writer's options (see
    // KontenerPliku.h). p_Plik, when given, is used instead of the named file.
    // Failures raise with "Błąd zapisu pliku %s:\r%s" / "Błąd odczytu pliku %s:\r%s".
    bool ZapiszWPliku(const QString &p_NazwaPliku, const QByteArray &p_Identyfikator, int16_t p_TypZapisu,
                      const QString &p_SzablonXSL = {}, const QByteArray &p_Haslo = {}, TStream *p_Plik = nullptr);
    bool WczytajZPliku(const QString &p_NazwaPliku, const QByteArray &p_Identyfikator, int16_t p_TypZapisu,
                       const QByteArray &p_Haslo = {}, TStream *p_Plik = nullptr,
                       TTypKodowaniaXML p_TypKodowania = tkxDomyslny);
    // The CRC of the object's binary image (UTF-8 strings) under the field filter:
    // equal data give equal fingerprints.
    uint32_t DajWyroznikObiektu(const std::function<bool(const TObiekt &, int16_t)> &p_CzyZapisacPole = {});
    // The object with transient fields, indented (p_RozmiarAkap blanks a level,
    // 2 when 0), without a prolog, in the format p_TypZapisu of the file
    // container: 1 native text, 2 XML in the dialect p_TypZapisuXML, 4 JSON;
    // "błędne użycie metody" for other formats.
    QString DrzewoObiektu(int p_RozmiarAkap = 0, int16_t p_TypZapisu = 1, TTypZapisuXML p_TypZapisuXML = tzxDomyslny);
    // ---- end of binary and native text formats
    // ---- XML format: saving
    // The whole tree as an XML file (a file that cannot be written: "Błąd zapisu pliku %s:\r%s"),
    // into a stream, or as bytes; with a stylesheet reference in the prolog when given.
    void ZapiszWPlikuXML(const QString &p_NazwaPliku, const QString &p_SzablonXSL = {},
                         TTypZapisuXML p_TypZapisu = tzxDomyslny, TTypKodowaniaXML p_TypKodowania = tkxDomyslny,
                         bool p_BezPolPomijanych = false, bool p_ZChwilowymi = false);
    void ZapiszWPlikuXML(TStream &p_Strumien, const QString &p_SzablonXSL = {}, TTypZapisuXML p_TypZapisu = tzxDomyslny,
                         TTypKodowaniaXML p_TypKodowania = tkxDomyslny, bool p_BezPolPomijanych = false,
                         bool p_ZChwilowymi = false);
    void ZapiszWPlikuXML(TStream &p_Strumien, TZapisywaczXML &p_Zapisywacz);
    QByteArray ZapiszWStringuXML(TTypZapisuXML p_TypZapisu = tzxDomyslny, TTypKodowaniaXML p_TypKodowania = tkxDomyslny,
                                 bool p_BezPolPomijanych = false, bool p_ZChwilowymi = false,
                                 const QString &p_SzablonXSL = {});
    // Writes this object's element named p_NazwaObiektu (encoded already).
    virtual void WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu);
    // The root-level save: prolog, identifiers and namespaces, the root element.
    virtual void ZapiszDoXML(TZapisywaczXML &p_Zapisywacz);
    // ---- XML lists: a field object that may stand as one attribute of its
    // owner's element (an integer list the owner marks), and one that reads
    // itself from such an attribute (false: it cannot).
    virtual bool MozeBycAtrybutemXML() const { return false; }
    virtual bool WczytajAtrybutXML(TOdczytywaczXML &) { return false; }
    // ---- JSON (ObiektJSON.cpp)
    // This object inside a document. p_ZapisanoTyp / p_OdczytanoTyp: it is the
    // typed root, whose braces belong to the document. Here: a value object,
    // its text as a string (a typed root's under "value").
    virtual void WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const;
    virtual void WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp);
    // A whole document with this object as its root.
    virtual void ZapiszDokumentJSON(TZapisywaczJSON &p_Zapisywacz);
    virtual void WczytajDokumentJSON(TOdczytywaczJSON &p_Odczytywacz);
    // As a field of another object: nested, without "_type_".
    void ZapiszJSON(TZapisywaczJSON &p_Zapisywacz) const override;
    bool WczytajJSON(TOdczytywaczJSON &p_Odczytywacz) override;
    // Into p_Strumien, or into the file (replaced) when no stream is given.
    // Create failures: "Błąd utworzenia pliku ..."; write failures "Błąd zapisu pliku %s:\r%s".
    void ZapiszWPlikuJSON(const QString &p_NazwaPliku, TStream *p_Strumien = nullptr, bool p_ZChwilowymi = false,
                          bool p_PominZapisTypu = false, const TFunCzyZapisac &p_CzyZapisacPole = {});
    // The document as UTF-8 bytes.
    QByteArray ZapiszWStringuJSON(bool p_ZChwilowymi = false, bool p_PominZapisTypu = false,
                                  const TFunCzyZapisac &p_CzyZapisacPole = {});
    // True when nothing in the input was skipped. Files above 30 MiB share
    // equal strings (a string cache). Open failures raise EFCreateError
    // "Błąd otwarcia pliku %s:\r%s"; read failures from a file keep their
    // class with "Błąd odczytu pliku %s:\r%s at %d / %d (%s)".
    virtual bool WczytajZPlikuJSON(const QString &p_NazwaPliku, TStream *p_Strumien = nullptr);
    // An empty string only clears the object.
    bool WczytajZeStringuJSON(const QByteArray &p_Zawartosc);

protected:
    friend class TOdczytywaczXML;
    friend class TObiekt;

    // What an object seldom needs, kept apart so that objects without it stay small.
    struct TDodatki
    {
        // Tracked references to this object and its children; sorted by address, no duplicates.
        std::vector<TPole *> ListaRef;
        // Fields a TObiekt holds in place of its own: plugged in from outside,
        // or of a class its field table does not place. Owned unless said otherwise.
        struct TZastepca
        {
            int16_t Nr;
            TPole *Pole;
            bool Wlasny;
            bool MaWartosc;
            // Stands in only while a procedure runs (WykonajPoWpieciu,
            // WykonajPoWypieciu), which then puts back what it hides.
            bool Tymczasowy = false;
        };
        std::vector<TZastepca> Zastepcy;
    };
    TDodatki &Dodatki();
    TDodatki *DodatkiJesliSa() const { return FDodatki.get(); }

    // The step that p_Dziecko adds to a path below this object ("Pozycje",
    // "[2]", on screen " (3)"); "<class name>" here.
    virtual QString KrokSciezki(const TObiektBazowy &p_Dziecko, bool p_NaEkran, bool p_BezIndeksow) const;
    // The step for field p_Nr of this object (name, or "[n]" for non-objects).
    virtual QString KrokPola(int16_t p_Nr, bool p_NaEkran) const;
    // How a path walk treats the fields it passes: follows only those with a
    // value, creates what is missing, or (for questions about classes) stands
    // in scratch instances, kept in the walk's p_Wzory, for missing sub-objects.
    enum class TTrybSciezki { Czytaj, Tworz, Klasy };
    // One step of a path below this object; p_Sciezka neither is "Self" nor
    // begins with "^". Gives the object the rest of the path (left in
    // p_Sciezka) goes on in; with nothing left, that object and p_IDPola are
    // the answer. Null when the step has nothing to follow. Here every such path is wrong.
    virtual TObiektBazowy *ZejdzSciezka(QStringView &p_Sciezka, int16_t &p_IDPola, TTrybSciezki p_Tryb,
                                        std::vector<std::unique_ptr<TPole>> &p_Wzory);
    // The objects directly below this one for WykonajWDrzewie; none here.
    virtual void DodajDzieci(std::vector<TObiektBazowy *> &, bool) const {}

    // Dismantles the object, each step guarded so that a failure does not stop
    // the later ones: references go (ZwolnijReferencje), then the data
    // (ZwolnijDane). The failures' messages, joined by "\r"; empty when none.
    // Running it again finds nothing left to do.
    QString Rozbierz();
    // Frees what the object holds; nothing here. A destructor only reaches
    // the overrides of its own class and its bases, so a class that overrides
    // this calls RozbierzWDestruktorze in its own destructor.
    virtual void ZwolnijDane() {}

    // The root-level load: prolog, root check, the element.
    virtual void WczytajZXML(TOdczytywaczXML &p_Odczytywacz);
    // The XML load over a stream; a failure's message gets p_NaglowekBledu
    // (unless empty) with p_Nazwa and the place where reading stopped.
    bool WczytajXML(TStream &p_Strumien, TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania,
                    const TOnBlednyUTF8 &p_OnBlednyUTF8, const TKlasaOdczytywaczaXML &p_KlasaOdczytywacza,
                    const QString &p_NaglowekBledu, const QString &p_Nazwa);
    // Whether the root element's qualified name is this object's type.
    virtual bool CzyKorzenXMLTegoTypu(const QString &p_Nazwa) const;

private:
    // Takes the referring fields that are not children off the list and hands them back.
    std::vector<TPole *> WypiszWskazujace();
    TObiektBazowy *IdzSciezka(const QString &p_Sciezka, int16_t &p_IDPola, TTrybSciezki p_Tryb,
                              std::vector<std::unique_ptr<TPole>> &p_Wzory);

    TObiektBazowy *FRodzic;
    std::unique_ptr<TDodatki> FDodatki;
};
