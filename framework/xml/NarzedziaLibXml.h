#pragma once

// Private to the XML service: small bridges between libxml2 and Qt, and the
// collection of the engine's error texts for one call.

#include <QByteArray>
#include <QString>

#include <libxml/tree.h>
#include <libxml/xmlerror.h>

// Initialises libxml2 and libxslt once per process (safe from any thread).
void InicjujLibXml();

inline QString ZXmlChar(const xmlChar *p_Tekst)
{
    return p_Tekst ? QString::fromUtf8(reinterpret_cast<const char *>(p_Tekst)) : QString();
}

// "prefix:name", or the bare name without a namespace prefix.
QString NazwaKwalifikowana(const xmlNode *p_Wezel);
// The node's text content (libxml2's xmlNodeGetContent) as text.
QString TrescWezla(const xmlNode *p_Wezel);
// The attribute of an element by its qualified name; null when there is none.
xmlAttr *ZnajdzAtrybut(const xmlNode *p_Element, const QString &p_NazwaKwalifikowana);

// The error texts the engine reports during one call. Only the first error
// (not warning) gives the reason; the full text keeps everything reported.
class TZbieraczBledowXML
{
public:
    void DodajBlad(const xmlError *p_Blad);
    // Texts of the engine's printf-style channels arrive in pieces; they are
    // joined as they come, and any non-blank one counts as an error.
    void DodajTekst(const QString &p_Tekst);

    bool JestBlad() const { return FJestBlad; }
    // The reason of the first structured error, with its line and column when
    // known; without one, everything reported.
    QString Powod() const { return FPowod.isEmpty() ? CalyTekst() : FPowod; }
    // Everything reported, lines separated by "\r".
    QString CalyTekst() const;

private:
    bool FJestBlad = false;
    QString FPowod;
    QString FTekst;
};

// While alive, errors the engine raises on this thread outside any parser
// context (encoding converters, XPath, libxslt's compiler) go to p_Zbieracz.
// Other threads are untouched; the previous routing is restored at the end.
class TKierowanieBledowWatku
{
public:
    explicit TKierowanieBledowWatku(TZbieraczBledowXML &p_Zbieracz);
    ~TKierowanieBledowWatku();
    TKierowanieBledowWatku(const TKierowanieBledowWatku &) = delete;
    TKierowanieBledowWatku &operator=(const TKierowanieBledowWatku &) = delete;

    // For libxslt's printf-style error functions: p_Kontekst is a TZbieraczBledowXML.
    static void ZbierajTekst(void *p_Kontekst, const char *p_Format, ...);

private:
    TZbieraczBledowXML *FPoprzedniZbieracz;
    xmlStructuredErrorFunc FPoprzedniaFunkcja;
    void *FPoprzedniKontekst;
    xmlGenericErrorFunc FPoprzedniaFunkcjaOgolna;
    void *FPoprzedniKontekstOgolny;
};
