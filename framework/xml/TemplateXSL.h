#pragma once

#include "WezelXML.h"

#include <QByteArray>

#include <cstdint>

class TStream;
struct _xsltStylesheet;

// A compiled XSLT stylesheet, ready for any number of transformations (also
// from several threads at once: a compiled stylesheet is only read).
// Transformations run locked down: they cannot write files, create folders or
// reach the network, and document() sees nothing but the input and the
// stylesheet themselves; neither can xsl:import or xsl:include.
class TTemplateXSL
{
public:
    TTemplateXSL();
    ~TTemplateXSL();
    TTemplateXSL(const TTemplateXSL &) = delete;
    TTemplateXSL &operator=(const TTemplateXSL &) = delete;

    // Compiles a stylesheet document (the document itself is left as it was).
    // Raises LkException with the engine's text when it is no stylesheet.
    void UstawArkusz(const TDokXML &p_Arkusz);
    // The same for a document nobody else holds: it is compiled in place,
    // without a copy (else as above).
    void UstawArkusz(TDokXML &&p_Arkusz);
    bool MaArkusz() const { return FArkusz != nullptr; }

    // Runs the stylesheet over p_Dokument. The result is the bytes exactly as
    // serialised in the stylesheet's output encoding; empty when it wrote
    // nothing. Raises LkException with the engine's text on a run-time error
    // (an undefined function, xsl:message terminate="yes", a refused write).
    QByteArray Transformuj(const TDokXML &p_Dokument) const;
    // The same, serialised into p_Cel as it is produced, so that a large page
    // is never held as bytes too. p_Zapisano gets the count of bytes written.
    // Returns the result tree: a caller about to end may keep it rather than
    // free it. A failed write of p_Cel passes on as its exception.
    TDokXML TransformujDo(const TDokXML &p_Dokument, TStream &p_Cel, int64_t &p_Zapisano) const;

private:
    TDokXML Zastosuj(const TDokXML &p_Dokument) const;
    // Compiles p_Dokument; p_Wlasciciel, when given, keeps it alive instead
    // of the stylesheet. Raises with the engine's text when it is no stylesheet.
    void Kompiluj(_xmlDoc *p_Dokument, TDokXML p_Wlasciciel);
    void ZwolnijArkusz();

    _xsltStylesheet *FArkusz = nullptr;
    TDokXML FDokumentArkusza;
};
