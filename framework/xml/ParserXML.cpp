#include "ParserXML.h"

#include "NarzedziaLibXml.h"
#include "PlikWCalosci.h"
#include "StraznikXML.h"

#include <QFile>

#include <libxml/parser.h>

#include <algorithm>
#include <cstring>
#include <memory>

int OpcjeParsowaniaXML()
{
    return XML_PARSE_NONET;
}

namespace {

// libxml2 asks for about 4 KB at a time; never more than this in one piece,
// so that what it reads after its first error stays small.
constexpr int MaksPorcji = 64 * 1024;

// Per-context channel: the errors of one parse stay with that parse, whatever
// other threads are parsing at the same time.
void zbierajBladParsera(void *p_Kontekst, xmlErrorPtr p_Blad)
{
    auto *kontekst = static_cast<xmlParserCtxtPtr>(p_Kontekst);
    static_cast<TZbieraczBledowXML *>(kontekst->_private)->DodajBlad(p_Blad);
}

// What one parse reads: a file or bytes in memory.
struct TZrodloXML
{
    QIODevice *Plik = nullptr;
    const char *Bajty = nullptr;
    qsizetype Pozostalo = 0;

    const TZbieraczBledowXML *Bledy = nullptr;
    TStraznikXML Straznik;
    QString BladOdczytu;
};

int czytajPorcje(void *p_Zrodlo, char *p_Bufor, int p_Dlugosc)
{
    auto &zrodlo = *static_cast<TZrodloXML *>(p_Zrodlo);
    if (zrodlo.Straznik.Odrzucony() || !zrodlo.BladOdczytu.isEmpty())
        return -1;
    // After its first error libxml2 recovers and reads on; what it would read
    // then the guard may have taken for text, so it gets nothing more.
    if (zrodlo.Bledy->JestBlad())
        return 0;
    const int porcja = std::min(p_Dlugosc, MaksPorcji);
    qint64 przeczytano = 0;
    if (zrodlo.Plik) {
        przeczytano = zrodlo.Plik->read(p_Bufor, porcja);
        if (przeczytano < 0) {
            zrodlo.BladOdczytu = zrodlo.Plik->errorString();
            return -1;
        }
    } else {
        przeczytano = std::min<qsizetype>(porcja, zrodlo.Pozostalo);
        std::memcpy(p_Bufor, zrodlo.Bajty, size_t(przeczytano));
        zrodlo.Bajty += przeczytano;
        zrodlo.Pozostalo -= przeczytano;
    }
    const bool przyjete = przeczytano > 0 ? zrodlo.Straznik.Sprawdz(p_Bufor, przeczytano) : zrodlo.Straznik.Zakoncz();
    return przyjete ? int(przeczytano) : -1;
}

TWynikParsowaniaXML parsuj(TZrodloXML &p_Zrodlo, const QString &p_Adres)
{
    InicjujLibXml();
    TWynikParsowaniaXML wynik;
    std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> kontekst(xmlNewParserCtxt(), xmlFreeParserCtxt);
    if (!kontekst)
        throw std::bad_alloc();
    TZbieraczBledowXML bledy;
    // Errors raised without the context (encoding converters) land here too.
    TKierowanieBledowWatku kierowanie(bledy);
    kontekst->_private = &bledy;
    kontekst->sax->serror = zbierajBladParsera;
    kontekst->sax->initialized = XML_SAX2_MAGIC;
    p_Zrodlo.Bledy = &bledy;

    const QByteArray adres = p_Adres.toUtf8();
    xmlDocPtr dokument = xmlCtxtReadIO(kontekst.get(), czytajPorcje, nullptr, &p_Zrodlo,
                                       adres.isEmpty() ? nullptr : adres.constData(), nullptr, OpcjeParsowaniaXML());
    const bool sukces = dokument && kontekst->wellFormed && !bledy.JestBlad() && !p_Zrodlo.Straznik.Odrzucony()
                        && p_Zrodlo.BladOdczytu.isEmpty();
    if (sukces) {
        wynik.Dokument = ZawinDokXML(dokument);
        return wynik;
    }
    if (dokument)
        xmlFreeDoc(dokument);
    // The guard's verdict first: the parser, cut short, complains only of an early end.
    if (p_Zrodlo.Straznik.Odrzucony())
        wynik.Powod = p_Zrodlo.Straznik.Powod();
    else if (!p_Zrodlo.BladOdczytu.isEmpty())
        wynik.Powod = p_Zrodlo.BladOdczytu;
    else
        wynik.Powod = bledy.JestBlad() ? bledy.Powod() : QStringLiteral("Nieznany błąd parsera XML");
    return wynik;
}

} // namespace

TWynikParsowaniaXML ParsujXML(const QByteArray &p_Bajty, const QString &p_Adres)
{
    TZrodloXML zrodlo;
    zrodlo.Bajty = p_Bajty.constData();
    zrodlo.Pozostalo = p_Bajty.size();
    return parsuj(zrodlo, p_Adres);
}

TWynikParsowaniaXML ParsujPlikXML(const QString &p_NazwaPliku)
{
    // A small file is read in one go, in a few system calls instead of one
    // per piece the parser asks for (a batch reads thousands of them); the
    // pieces the parser and the guard see are the same as from the file.
    QByteArray bajty;
    if (WczytajMalyPlik(p_NazwaPliku, MaksMalegoPliku, bajty))
        return ParsujXML(bajty, p_NazwaPliku);
    QFile plik(p_NazwaPliku);
    if (!plik.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        TWynikParsowaniaXML wynik;
        wynik.Powod = plik.errorString();
        return wynik;
    }
    TZrodloXML zrodlo;
    zrodlo.Plik = &plik;
    return parsuj(zrodlo, p_NazwaPliku);
}
