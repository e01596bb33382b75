#pragma once

#include "LkXMLParser.h"
#include "OdczytywaczTekstuZRef.h"
#include "TypyXML.h"

#include <QMap>
#include <QStringList>

#include <functional>
#include <unordered_map>
#include <vector>

class TObiekt;
class TObiektBazowy;
struct TOpisKlasy;
class TStringCache;

// Reader of the XML format. Quirks: values stay raw bytes in the tokenizer's
// buffer until a field takes them (decoded from the input encoding, then
// entities resolved); only the five predefined entities and character
// references are known, anything else "&...;" stays as written; a DOCTYPE is
// skipped and nothing it declares or names is ever loaded; elements nest at
// most MaksGlebokosc deep. Errors carry the line and column.
class TOdczytywaczXML : public TOdczytywaczTekstuZRef
{
public:
    static constexpr int MaksGlebokosc = 256;

    TOdczytywaczXML(TStream *p_Strumien, TTypZapisuXML p_TypZapisu = tzxDomyslny,
                    TTypKodowaniaXML p_TypKodowania = tkxDomyslny, TOnBlednyUTF8 p_OnBlednyUTF8 = {},
                    TStringCache *p_StringCache = nullptr);

    TLkXMLParser &Parser() const { return static_cast<TLkXMLParser &>(*FParser); }

    // Runs the object's root-level load over this reader.
    void WczytajObiekt(TObiektBazowy &p_Obiekt);

    // Reads up to the root element's name, which is then the current token.
    // A UTF-16 byte-order mark fails at once.
    void WczytajNaglowekXML();
    // After "<?xml": the declaration's attributes up to "?>"; "encoding" sets KodowanieXML.
    void WczytajTypKodowaniaTekstu();
    // After "<?" and a target: everything up to "?>", as read.
    QByteArray WczytajInstrPrzetwarzania();
    void PominInstrPrzetwarzania() { WczytajInstrPrzetwarzania(); }
    // After "<!": a comment or a DOCTYPE (with its literals and internal
    // subset), skipped; CDATA read and dropped. Any other "<!" raises.
    void PominKomentarzLubDOCTYPE();
    // After "<" inside the element p_NazwaObiektu: a comment, DOCTYPE or
    // processing instruction skipped (Pominiety), that element's end tag
    // read to its ">" (Koniec), or a child's name as the current token (Element).
    enum class TZnacznik { Pominiety, Koniec, Element };
    TZnacznik CzytajZnacznik(const QString &p_NazwaObiektu);
    // ---- elements holding only children (root lists, arrays of constants)
    // At a start tag's next attribute: its name, with its raw value as the
    // current token; false (nothing read) at whatever ends the tag.
    bool NazwaAtrybutu(QByteArray &p_Nazwa);
    // After the element's name: its attributes, of which only "ID" is taken
    // (it binds p_Obiekt), the others skipped. False when the element ended
    // there ("/>"), true after its ">".
    bool WczytajAtrybutyID(TObiektBazowy &p_Obiekt);
    // The next child inside the element p_NazwaObiektu: text is skipped and
    // counted, comments and processing instructions skipped. False after the
    // element's end tag, true with the child's name as the current token.
    bool NastepnyPodelement(const QString &p_NazwaObiektu);
    // ---- end of elements holding only children
    // After "<!": "[CDATA[" and the content up to "]]>", decoded.
    QString WczytajCDATA();
    // The current element's attributes and content up to its end, any depth, without recursion.
    // The current token is the element's name.
    void PominElement();
    // An attribute no field takes: counted, listed in CoPominieto; in the
    // Celina and OSOZ dialects a position attribute must be an integer and
    // goes to FPozListy instead.
    void PominAtrybutXML(const TObiektBazowy &p_Obiekt, const QString &p_Atrybut);
    // A child element no field takes, with everything inside it.
    void PominPodelement(const TObiektBazowy &p_Obiekt, const QString &p_Nazwa);

    // Bytes of the input encoding to text; invalid UTF-8 goes to OnBlednyUTF8 or
    // raises "błędna wartość UTF-8: \"%s\"".
    QString Przekoduj(QByteArrayView p_Bajty);
    // Text of a wide-string field: UTF-8 with the Windows-1250 fall-back (or
    // Przekoduj for a field that was text in the stored layout and is not
    // UTF-8), entities resolved.
    QString DekodujTrescXML(QByteArrayView p_Bajty, bool p_ByloTekstowe = false);
    // "&amp;" and its kin and character references; "Nieprawidłowa stała tekstowa" for a broken reference.
    static QString RozwinEncje(const QString &p_Tekst);

    // The current token's value (a string token): decoded, entities resolved; the parser moves on.
    QString WczytajTekst() override;
    // The same for a wide-string field.
    QString WczytajTekstSzeroki(bool p_ByloTekstowe);
    // Element text from the current token up to the next "<" (decoded with
    // p_Dekoduj); empty when the content starts with "<". The parser stops on the "<".
    QString WczytajWiersz(bool p_Dekoduj = true);
    // After the start tag's ">": the element's content with its nested markup
    // rebuilt as text, through its end tag (whose name must be p_Nazwa; null:
    // the current token is the element's name). With p_Dekoduj false the text
    // is read as a wide-string field takes it (DekodujTrescXML).
    QString WczytajTrescPodpola(const QString &p_Nazwa, bool p_Dekoduj = true);

    // The current token is the "=" of an attribute: its value becomes the
    // current string token (line breaks removed), raw.
    void PrzygotujWartoscAtrybutu();
    // The same from the attribute's name: the "=" after it is checked first.
    void PrzygotujWartoscPoNazwie();
    // The same, and the raw value; the token after it becomes current.
    QByteArray WczytajWartoscAtrybutu();
    // The namespace declarations ("" for the default namespace) among the
    // attributes of the current start tag, whose name is the current token.
    // Reads to the tag's end and stops quietly at anything malformed.
    QMap<QString, QString> WczytajDeklaracjePrzestrzeni();

    // The field of p_Obiekt an XML name stands for (PoleWgNazwyXML), asked once
    // per class and name; -1 when none.
    int16_t PoleWgNazwy(const TObiekt &p_Obiekt, QByteArrayView p_Nazwa, bool &p_PoprzNazwa);
    // A name known to stand for a field, with its decoded text.
    struct TNazwaPola
    {
        QByteArray Nazwa;
        QString Tekst;
        int16_t Nr;
        bool Poprz;
    };
    // The same, and the name decoded once; null for a name no field takes. The
    // entry stays in place for the whole read.
    const TNazwaPola *NazwaPola(const TObiekt &p_Obiekt, QByteArrayView p_Nazwa);
    // The entry when the name was met in this class before; nothing is decoded or learnt.
    const TNazwaPola *ZnanaNazwaPola(const TObiekt &p_Obiekt, QByteArrayView p_Nazwa);
    // The "_Value_" field of the object (by its alias or its name), asked once per class; -1 when none.
    int16_t PoleWartosci(const TObiekt &p_Obiekt);
    // Whether raw name bytes are p_Nazwa, ignoring case.
    bool NazwaJest(QByteArrayView p_Bajty, const QString &p_Nazwa);

    // One more level of elements; raises past MaksGlebokosc.
    void Zagniezdz();
    void Wynurz() { --FGlebokosc; }
    // No element has been entered yet: the one being read is the root.
    bool NaKorzeniu() const { return FGlebokosc == 0; }

    TTypZapisuXML TypZapisuXML;
    TTypKodowaniaXML KodowanieXML;
    TOnBlednyUTF8 OnBlednyUTF8;
    // When set, receives the path of every skipped attribute and element (not owned).
    QStringList *CoPominieto = nullptr;
    // The position attribute met on a list item (Celina, OSOZ); -1 when none.
    qint64 FPozListy = -1;

private:
    // After "<!-": the rest of a comment.
    void PominKomentarz();
    // After "<!D": the rest of a DOCTYPE.
    void PominDOCTYPE();
    // Skips attributes up to ">" or "/>"; true for an empty element.
    bool PominAtrybuty();
    void Pominieto(const TObiektBazowy &p_Obiekt, const QString &p_Nazwa);
    // After text that stopped at "<" (the end of the input raises): the token after the "<".
    unsigned char ZaZnacznikiem();
    // The current token decoded by p_Dekoduj; the parser moves on.
    QString WczytajWartosc(const std::function<QString(QByteArrayView)> &p_Dekoduj);

    int FGlebokosc = 0;
    // Names already looked up, per class; a bounded few, so hostile names cannot grow it.
    static constexpr size_t MaksNazwKlasy = 64;
    std::vector<TNazwaPola> &NazwyKlasy(const TObiekt &p_Obiekt);
    std::unordered_map<const TOpisKlasy *, std::vector<TNazwaPola>> FNazwyPol;
    const TOpisKlasy *FOstatniaKlasa = nullptr;
    std::vector<TNazwaPola> *FOstatnieNazwy = nullptr;
    // Where ZnanaNazwaPola starts its next search.
    size_t FNastepnaNazwa = 0;
    std::unordered_map<const TOpisKlasy *, int16_t> FPolaWartosci;
    const TOpisKlasy *FKlasaPolaWartosci = nullptr;
    int16_t FPoleWartosci = -1;
};
