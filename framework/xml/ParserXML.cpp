#include "ParserXML.h"

#include "NarzedziaLibXml.h"

#include <QFile>

#include <libxml/parser.h>

#include <climits>
#include <memory>

int OpcjeParsowaniaXML()
{
    return XML_PARSE_NONET;
}

namespace {

// Per-context channel: the errors of one parse stay with that parse, whatever
// other threads are parsing at the same time.
void zbierajBladParsera(void *p_Kontekst, xmlErrorPtr p_Blad)
{
    auto *kontekst = static_cast<xmlParserCtxtPtr>(p_Kontekst);
    static_cast<TZbieraczBledowXML *>(kontekst->_private)->DodajBlad(p_Blad);
}

} // namespace

TWynikParsowaniaXML ParsujXML(const QByteArray &p_Bajty, const QString &p_Adres)
{
    InicjujLibXml();
    TWynikParsowaniaXML wynik;
    if (p_Bajty.size() > INT_MAX) {
        wynik.Powod = QStringLiteral("Dokument jest zbyt duży");
        return wynik;
    }

    std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> kontekst(xmlNewParserCtxt(), xmlFreeParserCtxt);
    if (!kontekst)
        throw std::bad_alloc();
    TZbieraczBledowXML bledy;
    // Errors raised without the context (encoding converters) land here too.
    TKierowanieBledowWatku kierowanie(bledy);
    kontekst->_private = &bledy;
    kontekst->sax->serror = zbierajBladParsera;
    kontekst->sax->initialized = XML_SAX2_MAGIC;

    const QByteArray adres = p_Adres.toUtf8();
    xmlDocPtr dokument = xmlCtxtReadMemory(kontekst.get(), p_Bajty.constData(), static_cast<int>(p_Bajty.size()),
                                           adres.isEmpty() ? nullptr : adres.constData(), nullptr,
                                           OpcjeParsowaniaXML());
    if (dokument && kontekst->wellFormed && !bledy.JestBlad()) {
        wynik.Dokument = ZawinDokXML(dokument);
        return wynik;
    }
    if (dokument)
        xmlFreeDoc(dokument);
    wynik.Powod = bledy.JestBlad() ? bledy.Powod() : QStringLiteral("Nieznany błąd parsera XML");
    return wynik;
}

TWynikParsowaniaXML ParsujPlikXML(const QString &p_NazwaPliku)
{
    QFile plik(p_NazwaPliku);
    if (!plik.open(QIODevice::ReadOnly)) {
        TWynikParsowaniaXML wynik;
        wynik.Powod = plik.errorString();
        return wynik;
    }
    const QByteArray bajty = plik.readAll();
    if (plik.error() != QFileDevice::NoError) {
        TWynikParsowaniaXML wynik;
        wynik.Powod = plik.errorString();
        return wynik;
    }
    return ParsujXML(bajty, p_NazwaPliku);
}
