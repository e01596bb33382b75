#pragma once

// The XML document and transformation service: load, inspect, edit and save
// DOM documents, and turn an XML file into HTML with an XSLT stylesheet.

#include "DatyXML.h"
#include "SilnikXML.h"
#include "TemplateXSL.h"
#include "TrescXML.h"
#include "WezelXML.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class TStream;

// One DOM document with the service's loading, saving and editing helpers.
// Failures of the engine's DOM calls raise LkException; loading reports by
// its result (and, when asked, by a message).
class IDokumentXML
{
public:
    static constexpr const char *GUID = "{C5D0E4ED-EE03-42B7-96DE-95AEE8B2FCDB}";

    virtual ~IDokumentXML() = default;

    virtual bool Wczytaj(const QString &p_NazwaPliku, bool p_CzyWyswietlacInfo) = 0;
    virtual bool WczytajZkodemBledu(const QString &p_NazwaPliku, QString &p_TrescBledu) = 0;
    virtual void Zapisz(TStream &p_Strumien, bool p_WpiszBOM, bool p_WpiszDeklaracjeXML,
                        const QString &p_StronaKodowa) = 0;
    virtual void Zapisz1(const QString &p_NazwaPliku) = 0;
    virtual void Zapisz(const QString &p_NazwaPliku) = 0;
    virtual void Zapisz() = 0;
    virtual TWezelXML DodajWezel(const QString &p_Nazwa) = 0;
    virtual TWezelXML DodajWezel(const TWezelXML &p_Rodzic, const QString &p_Nazwa) = 0;
    virtual TWezelXML DodajWezelPrzed(const TWezelXML &p_Rodzic, const QString &p_Nazwa,
                                      const TWezelXML &p_WstawPrzed) = 0;
    virtual void UstawAtrybut(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu,
                              const QString &p_Wartosc) = 0;
    virtual QString OdczytajAtrybutJakoString(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu) = 0;
    virtual double OdczytajAtrybutJakoData(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu) = 0;
    virtual double OdczytajAtrybutJakoData(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu,
                                           const QString &p_FormatDaty) = 0;
    virtual bool WczytajZeStringu(const QByteArray &p_Tresc, bool p_CzyWyswietlacInfo) = 0;
    virtual TDokXML GetDokXML() const = 0;
    virtual void SetDokXML(const TDokXML &p_Dokument) = 0;
};

class TDokumentXML : public IDokumentXML
{
public:
    // Creates the DOM document through the engine factory (see SilnikXML.h);
    // when no engine can be created, ZglosBrakMSXML raises.
    TDokumentXML(bool p_CzyWyswietlacInfo, bool p_CzyFreeThreaded);
    TDokumentXML(const TDokumentXML &) = delete;
    TDokumentXML &operator=(const TDokumentXML &) = delete;

    // An XSLT template of the engine, by the same newer-then-older rule.
    static std::unique_ptr<TTemplateXSL> UtworzTemplate(bool p_CzyWyswietlacInfo);

    // Loads a file. A missing file: "Brak pliku <name>" (information, when
    // showing), false. A parse error: the parser's reason with the file name
    // (information, when showing), false. The name is kept either way.
    bool Wczytaj(const QString &p_NazwaPliku, bool p_CzyWyswietlacInfo) override;
    // As Wczytaj, silent; the message goes to p_TrescBledu (empty on success).
    bool WczytajZkodemBledu(const QString &p_NazwaPliku, QString &p_TrescBledu) override;
    // Loads bytes. A failed parse of bytes starting with "<?xml" is retried
    // once after NaprawTrescXML drops forbidden character references. A final
    // failure is logged with the whole content and, when showing and on the
    // main thread, shown with at most 500 characters of it.
    bool WczytajZeStringu(const QByteArray &p_Tresc, bool p_CzyWyswietlacInfo) override;
    // The text as Windows-1250 bytes ("?" for what it lacks), then as above.
    bool WczytajZeStringu(const QString &p_Tresc, bool p_CzyWyswietlacInfo);

    // Pretty-printed serialisation into a stream in the code page named
    // (e.g. "UTF-8", "windows-1250"); the declaration says standalone="yes".
    // An unknown code page raises LkException.
    void Zapisz(TStream &p_Strumien, bool p_WpiszBOM, bool p_WpiszDeklaracjeXML,
                const QString &p_StronaKodowa) override;
    // Creates or empties the file, then Zapisz(stream, no BOM, no declaration, "UTF-8").
    void Zapisz1(const QString &p_NazwaPliku) override;
    // The document as it stands (not re-indented), in its own encoding, with its declaration.
    void Zapisz(const QString &p_NazwaPliku) override;
    // Zapisz(NazwaPliku()).
    void Zapisz() override;
    // The document as text, without the XML declaration.
    QString ZapiszWStringu() const;

    // A new element appended to the document (there may be only one) or to
    // p_Rodzic; an empty p_WstawPrzed appends. Invalid names raise LkException.
    TWezelXML DodajWezel(const QString &p_Nazwa) override;
    TWezelXML DodajWezel(const TWezelXML &p_Rodzic, const QString &p_Nazwa) override;
    TWezelXML DodajWezelPrzed(const TWezelXML &p_Rodzic, const QString &p_Nazwa,
                              const TWezelXML &p_WstawPrzed) override;

    // Adds the attribute or replaces its value; nothing for an empty node.
    void UstawAtrybut(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu, const QString &p_Wartosc) override;
    // Empty for an empty node or a missing attribute.
    QString OdczytajAtrybutJakoString(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu) override;
    // DekodujDate of the attribute, by "YYYY.MM.DD" or the format given; 0 when missing.
    double OdczytajAtrybutJakoData(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu) override;
    double OdczytajAtrybutJakoData(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu,
                                   const QString &p_FormatDaty) override;
    // DekodujDate of the node's own value (see TWezelXML::Wartosc).
    double OdczytajWartoscJakoData(const TWezelXML &p_Wezel, const QString &p_FormatDaty);

    TDokXML GetDokXML() const override { return FDokXML; }
    void SetDokXML(const TDokXML &p_Dokument) override { FDokXML = p_Dokument; }
    // The root element; empty when there is none.
    TWezelXML ElementGlowny() const;
    // The file last loaded by Wczytaj or WczytajZkodemBledu, even if it failed.
    const QString &NazwaPliku() const { return FNazwaPliku; }

private:
    // Loads a file; false with the reason (or empty reason when the file is missing).
    bool wczytajPlik(const QString &p_NazwaPliku, QString &p_Powod, bool &p_BrakPliku);

    TDokXML FDokXML;
    QString FNazwaPliku;
};

// Turns an XML file into text with a stylesheet file: both are loaded with
// Wczytaj (messages when showing), the output bytes become text one
// character per byte (Windows-1250), and p_TrescXML goes in place of the
// first "***TRESCXML***" marker. False when a load fails or the output is
// empty; the engine's errors raise.
bool TransformujXSL(const QString &p_PlikXML, const QString &p_PlikXSL, QString &p_Wynik,
                    bool p_CzyWyswietlacInfo, const QString &p_TrescXML = QString());

// Runs the stylesheet document over the XML document. p_Wynik gets the
// bytes exactly as serialised in the stylesheet's output encoding. False,
// silently, when either document is missing; false with "Błąd transformacji
// XSL" and the support line (when showing) when the output is empty. The
// engine's errors raise LkException.
bool TransformujDokumenty(const TDokXML &p_DokumentXML, const TDokXML &p_ArkuszXSL, QByteArray &p_Wynik,
                          bool p_CzyWyswietlacInfo);

// The documents of one transformation, kept by the caller: a program about to
// end may leave them to the system rather than free them one node at a time.
struct TDokumentyTransformacji
{
    std::unique_ptr<TTemplateXSL> Szablon;
    TDokXML Dokument;
    TDokXML Wynik;
};

// TransformujXSL for large documents: the stylesheet comes as bytes, the XML
// file is parsed from the file, p_Przygotuj (when given) may adjust the parsed
// document, and the result is serialised straight into p_Cel, byte for byte
// as TransformujXSL's text would be written. When p_TrescXML is given and the
// stylesheet holds the "***TRESCXML***" marker, the result passes through
// text to take it. Messages and results as TransformujXSL; a failed write of
// p_Cel passes on as its exception.
bool TransformujXSLDoStrumienia(const QString &p_PlikXML, const QByteArray &p_Arkusz, TStream &p_Cel,
                                bool p_CzyWyswietlacInfo, TDokumentyTransformacji &p_Dokumenty,
                                const std::function<QString()> &p_TrescXML = {},
                                const std::function<void(const TDokXML &)> &p_Przygotuj = {});

// A stylesheet compiled once for many TransformujXSLDoStrumienia runs, from
// any threads (batch rendering). Szablon is null when the bytes are no
// stylesheet (the user told, when showing); ZTresciaXML says the stylesheet
// holds the "***TRESCXML***" marker.
struct TArkuszSkompilowany
{
    std::unique_ptr<TTemplateXSL> Szablon;
    bool ZTresciaXML = false;
};
TArkuszSkompilowany SkompilujArkuszXSL(const QByteArray &p_Arkusz, bool p_CzyWyswietlacInfo);
// TransformujXSLDoStrumienia with a stylesheet compiled before; false at
// once, silently, when it did not compile.
bool TransformujXSLDoStrumienia(const QString &p_PlikXML, const TArkuszSkompilowany &p_Arkusz, TStream &p_Cel,
                                bool p_CzyWyswietlacInfo, TDokumentyTransformacji &p_Dokumenty,
                                const std::function<QString()> &p_TrescXML = {},
                                const std::function<void(const TDokXML &)> &p_Przygotuj = {});
