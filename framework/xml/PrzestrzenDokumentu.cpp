#include "PrzestrzenDokumentu.h"

#include <libxml/tree.h>

void ZdejmijPrzestrzenDokumentu(const TDokXML &p_Dokument)
{
    if (!p_Dokument)
        return;
    xmlNode *korzen = xmlDocGetRootElement(p_Dokument.get());
    if (!korzen || !korzen->ns || !korzen->ns->href)
        return;
    const xmlChar *przestrzen = korzen->ns->href;

    // Walked by the tree's own links rather than by recursion: the depth is the input's.
    xmlNode *wezel = korzen->children;
    while (wezel) {
        if (wezel->type == XML_ELEMENT_NODE) {
            if (wezel->ns && xmlStrEqual(wezel->ns->href, przestrzen))
                wezel->ns = nullptr;
            if (wezel->children) {
                wezel = wezel->children;
                continue;
            }
        }
        while (!wezel->next) {
            wezel = wezel->parent;
            if (wezel == korzen)
                return;
        }
        wezel = wezel->next;
    }
}
