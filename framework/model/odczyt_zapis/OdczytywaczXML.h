#pragma once

#include "LkXMLParser.h"
#include "OdczytywaczTekstu.h"
#include "TypyXML.h"

#include <QMap>

class TObiektBazowy;

// Reader of the XML format: the prolog, the root element and the skipping of
// markup that no field takes. Nothing outside the file is ever loaded: a
// DOCTYPE is refused, entities are never expanded from declarations.
class TOdczytywaczXML : public TOdczytywaczTekstu
{
public:
    TOdczytywaczXML(TStream *p_Strumien, TTypZapisuXML p_TypZapisu = tzxDomyslny,
                    TTypKodowaniaXML p_TypKodowania = tkxDomyslny, TOnBlednyUTF8 p_OnBlednyUTF8 = {});

    TLkXMLParser &Parser() const { return static_cast<TLkXMLParser &>(*FParser); }

    // Runs the object's root-level load over this reader.
    void WczytajObiekt(TObiektBazowy &p_Obiekt);

    // Reads up to the root element's name, which is then the current token.
    // A UTF-16 byte-order mark fails at once.
    void WczytajNaglowekXML();
    // After "<?xml": the declaration's attributes up to "?>"; "encoding" sets KodowanieXML.
    void WczytajTypKodowaniaTekstu();
    // After "<?" and a target: everything up to "?>".
    void PominInstrPrzetwarzania();
    // After "<!": a comment or a CDATA section. A DOCTYPE, or any other
    // declaration, raises a parser error.
    void PominKomentarzLubDOCTYPE();
    // The current element's attributes and content up to its end, any depth, without recursion.
    // The current token is the element's name.
    void PominElement();

    // Bytes of the input encoding to text; invalid UTF-8 goes to OnBlednyUTF8 or
    // raises "błędna wartość UTF-8: \"%s\"".
    QString Przekoduj(const QByteArray &p_Bajty);
    // The raw value of an attribute: the current token is the "=" before it; the
    // token after the value becomes current. Line breaks inside are removed.
    QByteArray WczytajWartoscAtrybutu();
    // The namespace declarations ("" for the default namespace) among the
    // attributes of the current start tag, whose name is the current token.
    // Reads to the tag's end and stops quietly at anything malformed.
    QMap<QString, QString> WczytajDeklaracjePrzestrzeni();

    TTypZapisuXML TypZapisuXML;
    TTypKodowaniaXML KodowanieXML;
    TOnBlednyUTF8 OnBlednyUTF8;

private:
    // After "<!-": the rest of a comment.
    void PominKomentarz();
    // Skips attributes up to ">" or "/>"; true for an empty element.
    bool PominAtrybuty();
};
