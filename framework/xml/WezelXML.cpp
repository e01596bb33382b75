#include "WezelXML.h"

#include "NarzedziaLibXml.h"

#include <libxml/tree.h>

TDokXML ZawinDokXML(xmlDoc *p_Dokument)
{
    return TDokXML(p_Dokument, [](xmlDoc *d) { xmlFreeDoc(d); });
}

TWezelXML::TWezelXML(TDokXML p_Dokument, xmlNode *p_Wezel)
    : FDokument(p_Wezel ? std::move(p_Dokument) : TDokXML()), FWezel(p_Wezel)
{
}

TWezelXML TWezelXML::Dokument(const TDokXML &p_Dokument)
{
    return TWezelXML(p_Dokument, reinterpret_cast<xmlNode *>(p_Dokument.get()));
}

QString TWezelXML::Nazwa() const
{
    if (!FWezel)
        return QString();
    switch (FWezel->type) {
    case XML_TEXT_NODE:
        return QStringLiteral("#text");
    case XML_CDATA_SECTION_NODE:
        return QStringLiteral("#cdata-section");
    case XML_COMMENT_NODE:
        return QStringLiteral("#comment");
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
        return QStringLiteral("#document");
    default:
        return NazwaKwalifikowana(FWezel);
    }
}

QString TWezelXML::Wartosc() const
{
    if (!FWezel)
        return QString();
    switch (FWezel->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
    case XML_ATTRIBUTE_NODE:
        return TrescWezla(FWezel);
    default:
        return QString();
    }
}

QString TWezelXML::Tekst() const
{
    return FWezel ? TrescWezla(FWezel) : QString();
}

TWezelXML TWezelXML::Rodzic() const
{
    return FWezel ? TWezelXML(FDokument, FWezel->parent) : TWezelXML();
}

TWezelXML TWezelXML::PierwszeDziecko() const
{
    // An attribute's children are its text pieces, not DOM children of interest.
    if (!FWezel || FWezel->type == XML_ATTRIBUTE_NODE)
        return TWezelXML();
    return TWezelXML(FDokument, FWezel->children);
}

TWezelXML TWezelXML::NastepneRodzenstwo() const
{
    return FWezel ? TWezelXML(FDokument, FWezel->next) : TWezelXML();
}

TWezelXML TWezelXML::Atrybut(const QString &p_Nazwa) const
{
    return TWezelXML(FDokument, reinterpret_cast<xmlNode *>(ZnajdzAtrybut(FWezel, p_Nazwa)));
}
