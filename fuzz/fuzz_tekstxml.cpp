// Any input: the XML service's text helpers. Escaped text parses back to
// itself; dates come out 0 or within years 1..9999; names and values read
// from a parsed document, or written into it from the input, fail only with
// our exception, and a document edited with plain names and XML characters
// still serialises to well-formed XML.
#include "ParserXML.h"
#include "StraznikXML.h"
#include "TypyDokumentXML.h"
#include "Wyjatki.h"

#include <QDate>

#include <fuzzer/FuzzedDataProvider.h>
#include <libxml/tree.h>

#include <cstdlib>

namespace {

QString tekst(FuzzedDataProvider &p_Dane)
{
    const std::string bajty = p_Dane.ConsumeRandomLengthString(200);
    return QString::fromUtf8(bajty.data(), qsizetype(bajty.size()));
}

// Only characters XML allows, so that escaped text is well-formed.
bool znakiXML(const QString &p_Tekst)
{
    for (const QChar znak : p_Tekst) {
        const char16_t kod = znak.unicode();
        if ((kod < 0x20 && kod != '\t' && kod != '\n' && kod != '\r') || znak.isSurrogate() || kod >= 0xFFFE)
            return false;
    }
    return true;
}

void sprawdzKodowanie(const QString &p_Tekst)
{
    const QString zakodowany = KodujTekstXML(p_Tekst);
    for (const QChar znak : zakodowany)
        if (znak == u'<' || znak == u'>' || znak == u'"' || znak == u'\'')
            std::abort();
    if (!znakiXML(p_Tekst))
        return;
    const TWynikParsowaniaXML wynik = ParsujXML("<a>" + zakodowany.toUtf8() + "</a>");
    if (!wynik.Dokument || TWezelXML::Dokument(wynik.Dokument).PierwszeDziecko().Tekst() != p_Tekst)
        std::abort();

    QString strona = QStringLiteral("<p>***TRESCXML***</p>");
    WstawTrescXML(strona, p_Tekst);
    if (!p_Tekst.isEmpty() && strona != QStringLiteral("<p>") + zakodowany + QStringLiteral("</p>"))
        std::abort();
}

void sprawdzDate(const QString &p_Tekst, const QString &p_Format)
{
    static const double najwczesniejsza = double(QDate(1899, 12, 30).daysTo(QDate(1, 1, 1)));
    static const double najpozniejsza = double(QDate(1899, 12, 30).daysTo(QDate(9999, 12, 31))) + 1;
    const double data = DekodujDate(p_Tekst, p_Format);
    if (data != 0 && (data < najwczesniejsza || data >= najpozniejsza))
        std::abort();
}

// Names and values of every node, a bounded walk without recursion.
void przejdz(const TDokXML &p_Dokument, const QString &p_NazwaAtrybutu)
{
    TWezelXML wezel = TWezelXML::Dokument(p_Dokument);
    for (int i = 0; i < 2000 && !wezel.Pusty(); ++i) {
        wezel.Nazwa();
        wezel.Wartosc();
        wezel.Atrybut(p_NazwaAtrybutu).Wartosc();
        TWezelXML dalej = wezel.PierwszeDziecko();
        while (dalej.Pusty() && !wezel.Pusty()) {
            dalej = wezel.NastepneRodzenstwo();
            if (dalej.Pusty())
                wezel = wezel.Rodzic();
        }
        wezel = dalej;
    }
}

bool zwyklaNazwa(const QString &p_Nazwa)
{
    return !p_Nazwa.contains(QLatin1Char(':')) && !p_Nazwa.startsWith(QLatin1String("xml"), Qt::CaseInsensitive);
}

// Attributes and namespace declarations on the start tag, as the guard counts them.
int atrybutyZnacznika(const TWezelXML &p_Element)
{
    int ile = 0;
    for (const xmlAttr *a = p_Element.Wezel()->properties; a; a = a->next)
        ++ile;
    for (const xmlNs *n = p_Element.Wezel()->nsDef; n; n = n->next)
        ++ile;
    return ile;
}

void edytuj(const TDokXML &p_Dokument, const QString &p_Nazwa, const QString &p_Wartosc, const QString &p_Format)
{
    TDokumentXML dokument(false, false);
    dokument.SetDokXML(p_Dokument);
    const TWezelXML korzen = dokument.ElementGlowny();
    try {
        dokument.UstawAtrybut(korzen, p_Nazwa, p_Wartosc);
        dokument.OdczytajAtrybutJakoData(korzen, p_Nazwa, p_Format);
        dokument.DodajWezel(korzen, p_Nazwa);
    } catch (const LkException &) {
        return;
    }
    // A prefix of the input's choosing may be undeclared; an edit may take the start tag past the guard's limit.
    if (!zwyklaNazwa(p_Nazwa) || !znakiXML(p_Wartosc) || atrybutyZnacznika(korzen) > TStraznikXML::MaksAtrybutow)
        return;
    if (!ParsujXML(dokument.ZapiszWStringu().toUtf8()).Dokument)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    FuzzedDataProvider dane(p_Dane, p_Rozmiar);
    const QString pierwszy = tekst(dane);
    const QString drugi = tekst(dane);
    sprawdzKodowanie(pierwszy);
    sprawdzDate(pierwszy, drugi);
    DajCzescDaty(pierwszy, drugi, QLatin1Char('y'));

    const std::string reszta = dane.ConsumeRemainingBytesAsString();
    const TWynikParsowaniaXML wynik = ParsujXML(QByteArray(reszta.data(), qsizetype(reszta.size())));
    if (!wynik.Dokument)
        return 0;
    przejdz(wynik.Dokument, pierwszy);
    edytuj(wynik.Dokument, pierwszy, drugi, drugi);
    return 0;
}
