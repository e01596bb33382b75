#pragma once

#include "PrzestrzNazwXML.h"
#include "TypyXML.h"
#include "WyjscieBlokowe.h"
#include "ZapisywaczTekstu.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <unordered_map>
#include <vector>

class TObiekt;
struct TOpisKlasy;

// The namespace URI an alias prefix stands for.
using TDajPrzestrzenPref = std::function<QString(const QByteArray &p_Prefiks)>;

// Writer of the XML format. Quirks: identifiers are collected and namespaces
// settled once, before the root is written (PrzygotujIDObiektow); the
// namespace declarations go on the root element only; every text is escaped
// first and encoded second, so that a character the output encoding lacks
// becomes "?" and never a broken reference. The dialect decides whether
// simple fields are attributes (tzxWierszowy: only those the class marks),
// how Booleans are written and whether control characters survive.
class TZapisywaczXML : public TZapisywaczTekstu, public TDopisywanieBlokami
{
public:
    TZapisywaczXML(TStream *p_Strumien, bool p_ZChwilowymi);
    TZapisywaczXML(TStream *p_Strumien, TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania,
                   bool p_BezPolPomijanych = false, bool p_ZChwilowymi = false, const QString &p_SzablonXSL = {},
                   TDajPrzestrzenPref p_DajPrzestrzenPref = {});

    // With a filter, the filter alone; otherwise a field with a value that the
    // object saves (or all, with ZapisWszystkichPol), less the ones it skips in XML.
    bool CzyZapisacPoleObiektu(int16_t p_NrPola, const TObiekt &p_Obiekt) override;
    // The root element's name: an object's XML name (class name less its first letter).
    QByteArray DajNazweTypuDoZapisu(const TObiektBazowy &p_Obiekt) const override;
    // Windows-1250 bytes, converted to the output encoding and escaped.
    void ZapiszTekst(const QByteArray &p_Tekst) override;
    // Escaped, then encoded.
    void ZapiszTekst(const QString &p_Tekst) override;
    // "1"/"0" in the dialects that want it, "true"/"false" otherwise.
    void ZapiszBoolean(bool p_Wartosc) override;
    // The object's element named p_NazwaPola.
    void ZapiszObiekt(TObiektBazowy &p_Obiekt, const QString &p_NazwaPola) override;

    virtual QByteArray DajNaglowekXML() const;
    // The prolog: the declaration and, with a stylesheet, its instruction.
    void ZapiszNaglowekPliku(const QString &p_SzablonXSL);
    // Collects identifiers and namespaces of the tree and settles the prefixes.
    void PrzygotujIDObiektow(TObiektBazowy &p_Korzen);
    // The declarations of every collected namespace, sorted by prefix, less
    // those the object writes as fields itself; once, on the root.
    void ZapiszPrzestrzenNazw(const TObiektBazowy &p_Obiekt);
    // The prefix ("p:") the namespace of p_Klasa is written with; empty when none.
    QByteArray PrefiksPrzestrzeni(const TObiekt &p_Klasa) const;
    // ` ID="n"` (or ` p:ID="n"`) when the object has an identifier.
    void ZapiszIDObiektu(const TObiektBazowy &p_Obiekt, const QByteArray &p_Prefiks);
    // Text in the output encoding, escaped.
    QByteArray Przekoduj(const QString &p_Tekst) const;
    // Text in the output encoding as it stands; "?" for what it lacks.
    QByteArray Koduj(const QString &p_Tekst) const;
    void ZapiszZnak(char p_Znak) { Dopisz(p_Znak); }

    // A field's names as written: the element's (escaped, encoded), the
    // attribute's (the part after any prefix), and whether it is the text field "_Value_".
    struct TNazwaPolaXML
    {
        QByteArray Element;
        QByteArray Atrybut;
        bool Wartosc = false;
        bool Gotowa = false;
    };
    // Asked of the object once per class and field, as the reader does.
    const TNazwaPolaXML &NazwaPolaXML(const TObiekt &p_Obiekt, int16_t p_Nr);
    // The fields an element's start tag left for its content, stacked over the nesting.
    std::vector<int16_t> FPolaElementow;

    TListaPrzestrzNazwXML FPrzestrzNazw;
    // Sorted, no duplicates.
    QStringList FPrefiksyAliasow;
    TDajPrzestrzenPref FDajPrzestrzenPref;
    bool FPrzestrzZapisana = false;
    QString SzablonXSL;
    TTypZapisuXML TypZapisuXML = tzxStandard;
    TTypKodowaniaXML KodowanieXML = tkxUTF8;
    // Attribute text a list hands to its next item's start tag.
    QByteArray PozIdObiektu;
    bool Znormalizowany = false;
    bool BezPomijanych = false;
    bool ZapisujPustyCzas = false;
    bool BooleanJako01 = false;

protected:
    void UstawTypIKodowanie(TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania);

private:
    // Escapes and encodes into p_Wynik (a byte array or the block output), runs of plain characters at a time.
    template <typename W> void Zastap(QStringView p_Tekst, W &p_Wynik) const;
    // The namespace of one object's class, when it writes anything.
    void DodajPrzestrzenieObiektu(const TObiekt &p_Obiekt);
    void DodajPrzestrzenieDrzewa(TObiektBazowy &p_Korzen);
    void UstalPrefiksy(TObiektBazowy &p_Korzen);

    std::unordered_map<const TOpisKlasy *, std::vector<TNazwaPolaXML>> FNazwyPol;
    const TOpisKlasy *FOstatniaKlasa = nullptr;
    std::vector<TNazwaPolaXML> *FOstatnieNazwy = nullptr;
    // Escaped text on its way out; kept to spare an allocation per value.
    QByteArray FTekst;
};
