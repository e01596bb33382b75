#include "TemplateXSL.h"

#include "NarzedziaLibXml.h"

#include "Strumienie.h"
#include "Wyjatki.h"

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>
#include <libxslt/documents.h>
#include <libxslt/imports.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <exception>
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
    ZwolnijArkusz();
}

void TTemplateXSL::ZwolnijArkusz()
{
    if (!FArkusz)
        return;
    // A document lent to the stylesheet is freed by its own holder.
    if (FDokumentArkusza)
        FArkusz->doc = nullptr;
    xsltFreeStylesheet(FArkusz);
    FArkusz = nullptr;
    FDokumentArkusza.reset();
}

void TTemplateXSL::Kompiluj(xmlDocPtr p_Dokument, TDokXML p_Wlasciciel)
{
    TZbieraczBledowXML bledy;
    xsltStylesheetPtr arkusz = nullptr;
    {
        TKierowanieBledowWatku kierowanie(bledy);
        arkusz = xsltParseStylesheetDoc(p_Dokument);
    }
    // On failure libxslt leaves the document to its caller.
    if (!arkusz)
        throw LkException(BladArkusza.arg(bledy.CalyTekst()));
    ZwolnijArkusz();
    FArkusz = arkusz;
    FDokumentArkusza = std::move(p_Wlasciciel);
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
    try {
        Kompiluj(kopia, nullptr);
    } catch (...) {
        xmlFreeDoc(kopia);
        throw;
    }
}

void TTemplateXSL::UstawArkusz(TDokXML &&p_Arkusz)
{
    if (p_Arkusz.use_count() != 1) {
        UstawArkusz(static_cast<const TDokXML &>(p_Arkusz));
        return;
    }
    zakazyTransformacji();
    // Nobody else sees the document: the stylesheet may trim it in place.
    TDokXML dokument = std::move(p_Arkusz);
    xmlDocPtr wskaznik = dokument.get();
    Kompiluj(wskaznik, std::move(dokument));
}

TDokXML TTemplateXSL::Zastosuj(const TDokXML &p_Dokument) const
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

    TDokXML wynik = ZawinDokXML(
        xsltApplyStylesheetUser(FArkusz, p_Dokument.get(), nullptr, nullptr, nullptr, transformacja.get()));
    if (!wynik.get() || transformacja->state != XSLT_STATE_OK)
        throw LkException(BladProcesora.arg(bledy.CalyTekst()));
    return wynik;
}

QByteArray TTemplateXSL::Transformuj(const TDokXML &p_Dokument) const
{
    const TDokXML wynik = Zastosuj(p_Dokument);
    TZbieraczBledowXML bledy;
    TKierowanieBledowWatku kierowanie(bledy);
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

namespace {

struct TUjscie
{
    TStream *Cel;
    int64_t Zapisano = 0;
    std::exception_ptr Blad;
};

// libxml2 cannot carry an exception through its C frames: it is kept and
// raised again once the serialiser has given up.
int piszDoStrumienia(void *p_Kontekst, const char *p_Bufor, int p_Dlugosc)
{
    auto *ujscie = static_cast<TUjscie *>(p_Kontekst);
    try {
        ujscie->Cel->WriteBuffer(p_Bufor, p_Dlugosc);
        ujscie->Zapisano += p_Dlugosc;
        return p_Dlugosc;
    } catch (...) {
        ujscie->Blad = std::current_exception();
        return -1;
    }
}

int nicDoZamkniecia(void *)
{
    return 0;
}

} // namespace

TDokXML TTemplateXSL::TransformujDo(const TDokXML &p_Dokument, TStream &p_Cel, int64_t &p_Zapisano) const
{
    p_Zapisano = 0;
    TDokXML wynik = Zastosuj(p_Dokument);

    TZbieraczBledowXML bledy;
    TKierowanieBledowWatku kierowanie(bledy);
    // The stylesheet's output encoding, as libxslt's own savers choose it.
    const xmlChar *kodowanie = nullptr;
    XSLT_GET_IMPORT_PTR(kodowanie, FArkusz, encoding)
    xmlCharEncodingHandlerPtr koder = nullptr;
    if (kodowanie) {
        koder = xmlFindCharEncodingHandler(reinterpret_cast<const char *>(kodowanie));
        if (koder && xmlStrEqual(reinterpret_cast<const xmlChar *>(koder->name), BAD_CAST "UTF-8"))
            koder = nullptr;
    }
    TUjscie ujscie{&p_Cel, 0, nullptr};
    xmlOutputBufferPtr bufor = xmlOutputBufferCreateIO(piszDoStrumienia, nicDoZamkniecia, &ujscie, koder);
    if (!bufor)
        throw std::bad_alloc();
    const int zapis = xsltSaveResultTo(bufor, wynik.get(), FArkusz);
    const int zamkniecie = xmlOutputBufferClose(bufor);
    if (ujscie.Blad)
        std::rethrow_exception(ujscie.Blad);
    if (zapis < 0 || zamkniecie < 0)
        throw LkException(BladProcesora.arg(bledy.CalyTekst()));
    p_Zapisano = ujscie.Zapisano;
    return wynik;
}
