#pragma once

#include "TemplateXSL.h"
#include "WezelXML.h"

#include <QString>

#include <memory>

// The engine behind the XML service, reached through a factory so that the
// "newer engine first, fall back to the older, remember what worked" rule
// can be exercised. On Linux both engines are libxml2/libxslt.

enum class TRodzajObiektuXML { DOMWolnowatkowy, DOM, Template };

// The class names of one kind of engine object, newer first.
struct TNazwyKlasXML
{
    QString Nowsza;
    QString Starsza;
};
TNazwyKlasXML NazwyKlasXML(TRodzajObiektuXML p_Rodzaj);

class IFabrykaSilnikaXML
{
public:
    virtual ~IFabrykaSilnikaXML() = default;
    // An empty DOM document of the engine of that class; null when it cannot be created.
    virtual TDokXML UtworzDokument(const QString &p_NazwaKlasy) = 0;
    // An empty XSLT template of the engine of that class; null when it cannot be created.
    virtual std::unique_ptr<TTemplateXSL> UtworzTemplate(const QString &p_NazwaKlasy) = 0;
};

// The libxml2/libxslt engine: answers to every class name of the table.
class TFabrykaLibXml : public IFabrykaSilnikaXML
{
public:
    TDokXML UtworzDokument(const QString &p_NazwaKlasy) override;
    std::unique_ptr<TTemplateXSL> UtworzTemplate(const QString &p_NazwaKlasy) override;
};

// Replaces the factory in use (nullptr restores libxml2's); for tests. The
// caller keeps the factory alive while it is installed.
void UstawFabrykeSilnikaXML(IFabrykaSilnikaXML *p_Fabryka);

// Creates the engine object of a kind: the remembered class, else the newer;
// on failure the older, unless that is the one that just failed. The class
// that worked is remembered for the process. When nothing can be created,
// ZglosBrakMSXML(p_CzyWyswietlacInfo) raises.
TDokXML UtworzDokumentSilnika(bool p_CzyWyswietlacInfo, bool p_CzyFreeThreaded);
std::unique_ptr<TTemplateXSL> UtworzTemplateSilnika(bool p_CzyWyswietlacInfo);

// The remembered class of a kind; empty before the first success.
QString ZapamietanaKlasaXML(TRodzajObiektuXML p_Rodzaj);
// Forgets the remembered classes (the unit's shutdown).
void ZapomnijKlasyXML();

// The engine is missing: with p_CzyWyswietlacInfo, offers the maker's
// installation page (Yes opens it); always raises LkException
// "Błąd tworzenia template - brak parsera plików XML - MS XML DOM".
[[noreturn]] void ZglosBrakMSXML(bool p_CzyWyswietlacInfo);
