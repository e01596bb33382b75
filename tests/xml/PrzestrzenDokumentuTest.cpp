#include "NazwaPrzypadku.h"
#include "PrzestrzenDokumentu.h"

#include "TypyDokumentXML.h"

#include <gtest/gtest.h>

#include <libxml/tree.h>

#include <pthread.h>

namespace {

const char *const U = "http://www.mf.gov.pl/xsd/AES/CC529C.xsd";

// Every element and attribute in document order as "name{namespace}".
void Opisz(const xmlNode *p_Wezel, std::string &p_Opis)
{
    for (const xmlNode *w = p_Wezel; w; w = w->next) {
        if (w->type != XML_ELEMENT_NODE)
            continue;
        p_Opis += std::string(p_Opis.empty() ? "" : " ") + reinterpret_cast<const char *>(w->name) + "{"
                  + (w->ns ? reinterpret_cast<const char *>(w->ns->href) : "") + "}";
        for (const xmlAttr *a = w->properties; a; a = a->next)
            p_Opis += std::string(" @") + reinterpret_cast<const char *>(a->name) + "{"
                      + (a->ns ? reinterpret_cast<const char *>(a->ns->href) : "") + "}";
        Opisz(w->children, p_Opis);
    }
}

struct TPrzypadek
{
    const char *Opis;
    const char *Xml;
    const char *Po;
};

void PrintTo(const TPrzypadek &p_Przypadek, std::ostream *p_Strumien)
{
    *p_Strumien << p_Przypadek.Opis;
}

class ZdejmowaniePrzestrzeni : public ::testing::TestWithParam<TPrzypadek>
{
};

TEST_P(ZdejmowaniePrzestrzeni, DzieciWPrzestrzeniKorzeniaTracaJa)
{
    TDokumentXML dokument(false, false);
    ASSERT_TRUE(dokument.WczytajZeStringu(QByteArray(GetParam().Xml), false));

    ZdejmijPrzestrzenDokumentu(dokument.GetDokXML());

    std::string opis;
    Opisz(xmlDocGetRootElement(dokument.GetDokXML().get()), opis);
    EXPECT_EQ(opis, GetParam().Po);
    // The declarations stay where they were.
    EXPECT_NE(xmlDocGetRootElement(dokument.GetDokXML().get())->nsDef, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Przestrzen, ZdejmowaniePrzestrzeni,
    ::testing::Values(
        TPrzypadek{"default namespace inherited; a signature keeps its own",
                   R"(<CC529C xmlns="http://www.mf.gov.pl/xsd/AES/CC529C.xsd" xmlns:ds="http://www.w3.org/2000/09/xmldsig#">
                        <a x="1"><b>t</b><!-- k --><b/></a>
                        <ds:Signature><ds:SignedInfo/></ds:Signature>
                      </CC529C>)",
                   "CC529C{http://www.mf.gov.pl/xsd/AES/CC529C.xsd} a{} @x{} b{} b{} "
                   "Signature{http://www.w3.org/2000/09/xmldsig#} SignedInfo{http://www.w3.org/2000/09/xmldsig#}"},
        TPrzypadek{"another prefix, a redeclared default, an attribute qualified with the same namespace",
                   R"(<ie:CC529C xmlns:ie="http://www.mf.gov.pl/xsd/AES/CC529C.xsd">
                        <ie:a ie:x="1"><b xmlns="http://www.mf.gov.pl/xsd/AES/CC529C.xsd"><c/></b><d/></ie:a>
                      </ie:CC529C>)",
                   "CC529C{http://www.mf.gov.pl/xsd/AES/CC529C.xsd} a{} @x{http://www.mf.gov.pl/xsd/AES/CC529C.xsd} "
                   "b{} c{} d{}"},
        TPrzypadek{"a root without a namespace changes nothing",
                   R"(<r xmlns:x="http://www.mf.gov.pl/xsd/AES/CC529C.xsd"><x:a/><b/></r>)",
                   "r{} a{http://www.mf.gov.pl/xsd/AES/CC529C.xsd} b{}"}),
    NazwaZOpisu());

// The walk must not grow the stack with the depth of the input.
TEST(ZdejmowaniePrzestrzeniGlebokie, DrzewoGlebszeNizStosWatku)
{
    const TDokXML dokument = ZawinDokXML(xmlNewDoc(reinterpret_cast<const xmlChar *>("1.0")));
    xmlNode *korzen = xmlNewDocNode(dokument.get(), nullptr, reinterpret_cast<const xmlChar *>("CC529C"), nullptr);
    xmlDocSetRootElement(dokument.get(), korzen);
    xmlNs *przestrzen = xmlNewNs(korzen, reinterpret_cast<const xmlChar *>(U), nullptr);
    xmlSetNs(korzen, przestrzen);
    xmlNode *najglebszy = korzen;
    for (int i = 0; i < 100000; ++i)
        najglebszy = xmlNewChild(najglebszy, przestrzen, reinterpret_cast<const xmlChar *>("e"), nullptr);

    // 64 KiB of stack: a walk that recursed per level would overflow it long before the bottom.
    pthread_attr_t atrybuty;
    pthread_attr_init(&atrybuty);
    pthread_attr_setstacksize(&atrybuty, 64 * 1024);
    pthread_t watek;
    const TDokXML *wskaznik = &dokument;
    ASSERT_EQ(pthread_create(
                  &watek, &atrybuty,
                  [](void *p_Dokument) -> void * {
                      ZdejmijPrzestrzenDokumentu(*static_cast<const TDokXML *>(p_Dokument));
                      return nullptr;
                  },
                  const_cast<TDokXML *>(wskaznik)),
              0);
    pthread_join(watek, nullptr);
    pthread_attr_destroy(&atrybuty);

    EXPECT_EQ(najglebszy->ns, nullptr);
    EXPECT_EQ(korzen->children->ns, nullptr);
    EXPECT_EQ(korzen->ns, przestrzen);
}

} // namespace
