#pragma once

// Private to the XML service: the one way it parses XML.

#include "WezelXML.h"

#include <QByteArray>
#include <QString>

// Every parse: no network, no external entities or DTD loading (neither
// XML_PARSE_NOENT nor XML_PARSE_DTDLOAD/DTDATTR), libxml2's size and depth
// limits in force (no XML_PARSE_HUGE).
int OpcjeParsowaniaXML();

struct TWynikParsowaniaXML
{
    TDokXML Dokument; // empty when the bytes are not well-formed XML or are refused
    QString Powod;    // the parser's or the guard's reason when Dokument is empty
};

// Both read the input in pieces that TStraznikXML passes before libxml2 sees
// them: a DOCTYPE, too many attributes or namespaces, too deep a nesting or a
// foreign encoding refuse the document with the guard's reason.

// Parses p_Bajty; p_Adres becomes the document's URL (base of relative references).
TWynikParsowaniaXML ParsujXML(const QByteArray &p_Bajty, const QString &p_Adres = QString());

// Parses a file; a small one is read whole first, a large one as it is read,
// never holding all of its bytes. Its reason covers a file that cannot be
// read too.
TWynikParsowaniaXML ParsujPlikXML(const QString &p_NazwaPliku);
