// Any input: the XML service parses it or refuses it with a reason, and the
// two built-in stylesheets transform what it parses; never an out-of-bounds
// read, a hang or a hostile allocation. The guard's verdict must not depend
// on the pieces the bytes arrive in.
#include "ParserXML.h"
#include "StraznikXML.h"
#include "TemplateXSL.h"
#include "Wyjatki.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<TTemplateXSL>> g_Szablony;

// The guard fed the whole input at once, and in pieces of 1..8 bytes chosen by the input itself.
void porownajPorcje(const QByteArray &p_Bajty)
{
    TStraznikXML calosc;
    calosc.Sprawdz(p_Bajty.constData(), p_Bajty.size());
    calosc.Zakoncz();
    TStraznikXML porcjami;
    for (qsizetype i = 0; i < p_Bajty.size();) {
        const qsizetype ile = std::min<qsizetype>(1 + static_cast<unsigned char>(p_Bajty[i]) % 8, p_Bajty.size() - i);
        porcjami.Sprawdz(p_Bajty.constData() + i, ile);
        i += ile;
    }
    porcjami.Zakoncz();
    if (calosc.Powod() != porcjami.Powod())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    for (const char *nazwa : {"Szablon529Plus.xsl", "Szablon599Plus.xsl"}) {
        const TWynikParsowaniaXML arkusz = ParsujPlikXML(QStringLiteral(OSTREVIA_ARKUSZE "/") + QLatin1String(nazwa));
        if (!arkusz.Dokument)
            std::abort();
        g_Szablony.push_back(std::make_unique<TTemplateXSL>());
        g_Szablony.back()->UstawArkusz(arkusz.Dokument);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    const QByteArray bajty = QByteArray::fromRawData(reinterpret_cast<const char *>(p_Dane), qsizetype(p_Rozmiar));
    porownajPorcje(bajty);
    const TWynikParsowaniaXML wynik = ParsujXML(bajty);
    if (!wynik.Dokument) {
        if (wynik.Powod.isEmpty())
            std::abort();
        return 0;
    }
    for (const auto &szablon : g_Szablony) {
        try {
            szablon->Transformuj(wynik.Dokument);
        } catch (const LkException &) {
        }
    }
    return 0;
}
