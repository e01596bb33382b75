#pragma once

#include "WezelXML.h"

#include <QByteArray>

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
    bool MaArkusz() const { return FArkusz != nullptr; }

    // Runs the stylesheet over p_Dokument. The result is the bytes exactly as
    // serialised in the stylesheet's output encoding; empty when it wrote
    // nothing. Raises LkException with the engine's text on a run-time error
    // (an undefined function, xsl:message terminate="yes", a refused write).
    QByteArray Transformuj(const TDokXML &p_Dokument) const;

private:
    _xsltStylesheet *FArkusz = nullptr;
};
