#pragma once

#include <QString>

#include <memory>

// libxml2's own types, declared only: users of the XML service never need
// libxml2's headers.
struct _xmlDoc;
struct _xmlNode;

// A DOM document of the XML engine. Shared like the engine's reference-counted
// documents: the last holder (a TDokumentXML, a node, a caller) frees it.
using TDokXML = std::shared_ptr<_xmlDoc>;

// Takes ownership of a document that libxml2 made; frees it with the last holder.
TDokXML ZawinDokXML(_xmlDoc *p_Dokument);

// One node of a DOM document, held by value. It keeps its document alive, so a
// node stays valid after the TDokumentXML that gave it is gone. An empty node
// stands for "no node" (the engine's null).
class TWezelXML
{
public:
    TWezelXML() = default;
    TWezelXML(TDokXML p_Dokument, _xmlNode *p_Wezel);
    // The document node itself.
    static TWezelXML Dokument(const TDokXML &p_Dokument);

    bool Pusty() const { return FWezel == nullptr; }
    explicit operator bool() const { return !Pusty(); }
    bool operator==(const TWezelXML &p_Inny) const { return FWezel == p_Inny.FWezel; }

    // The qualified name; "#text", "#cdata-section", "#comment", "#document" for the unnamed kinds.
    QString Nazwa() const;
    // The DOM node value: the text of text, attribute, comment and processing
    // instruction nodes; empty for elements and documents.
    QString Wartosc() const;
    // All text inside the node.
    QString Tekst() const;

    TWezelXML Rodzic() const;
    TWezelXML PierwszeDziecko() const;
    TWezelXML NastepneRodzenstwo() const;
    // The attribute node of that qualified name; empty when the node is not an
    // element or has no such attribute.
    TWezelXML Atrybut(const QString &p_Nazwa) const;

    _xmlNode *Wezel() const { return FWezel; }
    const TDokXML &Dokument() const { return FDokument; }

private:
    TDokXML FDokument;
    _xmlNode *FWezel = nullptr;
};
