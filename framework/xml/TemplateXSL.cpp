#include "TemplateXSL.h"

#include "NarzedziaLibXml.h"

#include "Wyjatki.h"

#include <libxml/parser.h>
#include <libxslt/documents.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <mutex>

namespace {

const QString BladArkusza = QStringLiteral("Błędny arkusz XSL:\r%1");
const QString BladProcesora = QStringLiteral("Błąd procesora XSLT:\r%1");

// Loads nothing from outside. document() on the input's own address gets a
// copy of the input; the stylesheet's own address libxslt resolves by itself
// once this refuses. Everything else (other files, xsl:import, xsl:include)
// is refused, so document() yields an empty node-set.
xmlDocPtr zaladujTylkoWlasneDokumenty(const xmlChar *p_Adres, xmlDictPtr, int, void *p_Kontekst,
                                      xsltLoadType p_Rodzaj)
{
    if (p_Rodzaj != XSLT_LOAD_DOCUMENT || !p_Adres || !p_Kontekst)
        return nullptr;
    auto *transformacja = static_cast<xsltTransformContextPtr>(p_Kontekst);
    const xsltDocumentPtr wejscie = transformacja->document;
    if (wejscie && wejscie->doc && wejscie->doc->URL && xmlStrEqual(wejscie->doc->URL, p_Adres))
        return xmlCopyDoc(wejscie->doc, 1);
    return nullptr;
}

xsltSecurityPrefsPtr zakazyTransformacji()
{
    static xsltSecurityPrefsPtr zakazy = nullptr;
    static std::once_flag raz;
    std::call_once(raz, [] {
        InicjujLibXml();
        zakazy = xsltNewSecurityPrefs();
        if (!zakazy)
            throw std::bad_alloc();
        xsltSetSecurityPrefs(zakazy, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
        xsltSetSecurityPrefs(zakazy, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
        xsltSetSecurityPrefs(zakazy, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
        xsltSetSecurityPrefs(zakazy, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
        // Also for any context made without our preferences.
        xsltSetDefaultSecurityPrefs(zakazy);
        xsltSetLoaderFunc(zaladujTylkoWlasneDokumenty);
    });
    return zakazy;
}

} // namespace

TTemplateXSL::TTemplateXSL() = default;

TTemplateXSL::~TTemplateXSL()
{
    if (FArkusz)
        xsltFreeStylesheet(FArkusz);
}

void TTemplateXSL::UstawArkusz(const TDokXML &p_Arkusz)
{
    zakazyTransformacji();
    if (!p_Arkusz)
        throw LkException(BladArkusza.arg(QStringLiteral("brak dokumentu")));
    // The compiled stylesheet takes its document and trims it: give it a copy.
    xmlDocPtr kopia = xmlCopyDoc(p_Arkusz.get(), 1);
    if (!kopia)
        throw std::bad_alloc();

    TZbieraczBledowXML bledy;
    xsltStylesheetPtr arkusz = nullptr;
    {
        TKierowanieBledowWatku kierowanie(bledy);
        arkusz = xsltParseStylesheetDoc(kopia);
    }
    if (!arkusz) {
        xmlFreeDoc(kopia);
        throw LkException(BladArkusza.arg(bledy.CalyTekst()));
    }
    if (FArkusz)
        xsltFreeStylesheet(FArkusz);
    FArkusz = arkusz;
}

QByteArray TTemplateXSL::Transformuj(const TDokXML &p_Dokument) const
{
    if (!FArkusz || !p_Dokument)
        throw LkException(BladProcesora.arg(QStringLiteral("brak arkusza lub dokumentu")));

    TZbieraczBledowXML bledy;
    TKierowanieBledowWatku kierowanie(bledy);
    std::unique_ptr<xsltTransformContext, void (*)(xsltTransformContextPtr)> transformacja(
        xsltNewTransformContext(FArkusz, p_Dokument.get()), xsltFreeTransformContext);
    if (!transformacja)
        throw std::bad_alloc();
    if (xsltSetCtxtSecurityPrefs(zakazyTransformacji(), transformacja.get()) != 0)
        throw LkException(BladProcesora.arg(QStringLiteral("nie można ustawić zabezpieczeń")));
    xsltSetTransformErrorFunc(transformacja.get(), &bledy, TKierowanieBledowWatku::ZbierajTekst);

    const TDokXML wynik = ZawinDokXML(
        xsltApplyStylesheetUser(FArkusz, p_Dokument.get(), nullptr, nullptr, nullptr, transformacja.get()));
    if (!wynik.get() || transformacja->state != XSLT_STATE_OK)
        throw LkException(BladProcesora.arg(bledy.CalyTekst()));

    xmlChar *bajty = nullptr;
    int dlugosc = 0;
    if (xsltSaveResultToString(&bajty, &dlugosc, wynik.get(), FArkusz) != 0) {
        xmlFree(bajty);
        throw LkException(BladProcesora.arg(bledy.CalyTekst()));
    }
    const QByteArray tekst(reinterpret_cast<const char *>(bajty), bajty ? dlugosc : 0);
    xmlFree(bajty);
    return tekst;
}
