#include "KontenerPliku.h"

#include "BlowFish.h"
#include "BuforZapisu.h"
#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "ObiektBazowy.h"
#include "OdczytywaczBinarny.h"
#include "OdczytywaczNatywny.h"
#include "StrumienBinarny.h"
#include "StrumienieZlib.h"
#include "Wyjatki.h"
#include "ZapisywaczBinarny.h"
#include "ZapisywaczJSON.h"
#include "ZapisywaczNatywny.h"
#include "ZapisywaczXML.h"

#include <algorithm>
#include <memory>

namespace {

const QByteArray ZnacznikUTF8 = QByteArrayLiteral("\xEF\xBB\xBF");

[[noreturn]] void brakFormatu(const char *p_Operacja, int16_t p_Format)
{
    throw LkException(Format(QStringLiteral("Brak implementacji %s"),
                             {QStringLiteral("%1 (%2)").arg(QLatin1String(p_Operacja)).arg(p_Format)}));
}

// Up to p_Ile bytes (fewer only at the end): a short file is a wrong
// identifier or header, not a read error.
QByteArray czytaj(TStream &p_Strumien, qsizetype p_Ile)
{
    QByteArray bajty(p_Ile, Qt::Uninitialized);
    qsizetype jest = 0;
    while (jest < p_Ile) {
        const int64_t ile = p_Strumien.Read(bajty.data() + jest, p_Ile - jest);
        if (ile <= 0)
            break;
        jest += static_cast<qsizetype>(ile);
    }
    bajty.resize(jest);
    return bajty;
}

// The 16-bit resource header of format 3: 0xFF, the type RT_RCDATA, the
// name in upper case ending in a zero, the memory flags, then the size of
// what follows it (patched once the data is written).
constexpr uint8_t ZnacznikZasobu = 0xFF;
constexpr uint16_t ZasobRCData = 10;
constexpr uint16_t FlagiPamieciZasobu = 0x1030;
constexpr qsizetype NajdluzszaNazwaZasobu = 63;

// Writes the header and gives the position of its size.
int64_t zapiszNaglowekZasobu(TStream &p_Plik, const QByteArray &p_Identyfikator)
{
    const QByteArray nazwa =
        TekstNaPolskiAnsi(TekstZPolskiegoAnsi(p_Identyfikator).toUpper()).left(NajdluzszaNazwaZasobu);
    p_Plik.WriteBuffer(&ZnacznikZasobu, 1);
    ZapiszLE(p_Plik, ZasobRCData);
    p_Plik.WriteBuffer(nazwa.constData(), nazwa.size() + 1);
    ZapiszLE(p_Plik, FlagiPamieciZasobu);
    const int64_t rozmiar = p_Plik.Position();
    ZapiszLE(p_Plik, uint32_t{0});
    return rozmiar;
}

void poprawRozmiarZasobu(TStream &p_Plik, int64_t p_GdzieRozmiar)
{
    const int64_t koniec = p_Plik.Position();
    const int64_t dane = koniec - p_GdzieRozmiar - 4;
    if (dane > int64_t{UINT32_MAX})
        throw LkException(Format(QStringLiteral("przekroczono pojemność formatu: zasób (%d)"), {dane}));
    p_Plik.SetPosition(p_GdzieRozmiar);
    ZapiszLE(p_Plik, static_cast<uint32_t>(dane));
    p_Plik.SetPosition(koniec);
}

// Anything else than an RCDATA header, or a name without its zero within
// the longest name's bytes, is refused.
void pominNaglowekZasobu(TStream &p_Plik)
{
    const auto blad = [] { return LkException(QStringLiteral("Nieprawidłowy format strumienia")); };
    const QByteArray poczatek = czytaj(p_Plik, 3);
    if (poczatek.size() < 3 || static_cast<uint8_t>(poczatek[0]) != ZnacznikZasobu
        || static_cast<uint8_t>(poczatek[1]) != ZasobRCData || poczatek[2] != 0)
        throw blad();
    for (qsizetype i = 0;; ++i) {
        char znak;
        if (i > NajdluzszaNazwaZasobu || p_Plik.Read(&znak, 1) != 1)
            throw blad();
        if (znak == 0)
            break;
    }
    // The memory flags and the size say nothing the data does not.
    if (czytaj(p_Plik, 6).size() != 6)
        throw blad();
}

void zapiszDane(TObiektBazowy &p_Obiekt, TStream &p_Cel, int16_t p_TypZapisu, const QString &p_SzablonXSL)
{
    const bool zChwilowymi = p_TypZapisu & tzpZChwilowymi;
    const int16_t opcje = p_TypZapisu & TypZapisuOpcje;
    switch (p_TypZapisu & TypZapisuFormat) {
    case tzpBinarny: {
        TZapisywaczBinarny zapisywacz(p_Cel, zChwilowymi, opcje);
        zapisywacz.ZapiszObiekt(p_Obiekt);
        break;
    }
    case tzpTekstowy:
    case tzpTekstowyRES: {
        TZapisywaczNatywny zapisywacz(&p_Cel, zChwilowymi);
        zapisywacz.OpcjeZapisu = opcje;
        zapisywacz.ZapiszDokument(p_Obiekt);
        zapisywacz.ZakonczZapis();
        break;
    }
    case tzpXML: {
        TZapisywaczXML zapisywacz(&p_Cel, (p_TypZapisu & tzpXMLWierszowy) ? tzxWierszowy : tzxDomyslny, tkxDomyslny,
                                  false, zChwilowymi, p_SzablonXSL);
        zapisywacz.OpcjeZapisu = opcje;
        p_Obiekt.ZapiszWPlikuXML(p_Cel, zapisywacz);
        break;
    }
    case tzpJSON: {
        TZapisywaczJSON zapisywacz(&p_Cel, zChwilowymi);
        zapisywacz.OpcjeZapisu = opcje;
        p_Obiekt.ZapiszDokumentJSON(zapisywacz);
        zapisywacz.ZakonczZapis();
        break;
    }
    default:
        brakFormatu("ZapiszWPliku", p_TypZapisu & TypZapisuFormat);
    }
}

// Compressed and/or encrypted: the data is sealed in memory, then appended.
void zapiszWPamieci(TObiektBazowy &p_Obiekt, TStream &p_Plik, int16_t p_TypZapisu, const QByteArray &p_Haslo,
                    const QString &p_SzablonXSL)
{
    TMemoryStream pamiec;
    if (p_TypZapisu & tzpSkompresowany) {
        TCompressionStream zlib(TCompressionLevel::clMax, pamiec);
        {
            // zlib takes large pieces far better than the writers' small ones.
            TBuforZapisu bufor(&zlib, 65536);
            zapiszDane(p_Obiekt, bufor, p_TypZapisu, p_SzablonXSL);
            bufor.Flush();
        }
        zlib.Zakoncz();
    } else {
        zapiszDane(p_Obiekt, pamiec, p_TypZapisu, p_SzablonXSL);
    }
    if (p_TypZapisu & tzpSzyfrowany)
        SzyfrujDane(pamiec, p_Haslo);
    pamiec.SetPosition(0);
    p_Plik.CopyFrom(pamiec, pamiec.Size());
}

// A decompression stream knows no size: read it to its end, within a bound,
// so that a small hostile file cannot claim the whole memory.
void rozpakujDoPamieci(TDecompressionStream &p_Zlib, TMemoryStream &p_Cel)
{
    constexpr int64_t Granica = int64_t(1) << 30;
    QByteArray bufor(64 * 1024, Qt::Uninitialized);
    while (const int64_t ile = p_Zlib.Read(bufor.data(), bufor.size())) {
        if (p_Cel.Size() + ile > Granica)
            throw LkException(Format(QStringLiteral("Dane po rozpakowaniu przekraczają %d MiB"), {int(Granica >> 20)}));
        p_Cel.WriteBuffer(bufor.constData(), ile);
    }
}

bool wczytajKontener(TObiektBazowy &p_Obiekt, TStream &p_Plik, const QByteArray &p_Identyfikator,
                     int16_t p_TypZapisu, const QByteArray &p_Haslo, TTypKodowaniaXML p_TypKodowania)
{
    const int16_t format = p_TypZapisu & TypZapisuFormat;
    if (format < tzpBinarny || format > tzpJSON)
        brakFormatu("WczytajZPliku", format);
    bool ansi = p_TypZapisu & tzpWin1250;
    // The resource's name stands for the identifier: it is not checked.
    if (format == tzpTekstowyRES)
        pominNaglowekZasobu(p_Plik);
    else if (!p_Identyfikator.isEmpty() && format != tzpXML) {
        QByteArray przeczytane = czytaj(p_Plik, p_Identyfikator.size());
        if (format == tzpBinarny) {
            // The mark tells how the strings were written, whatever the caller
            // assumed; an identifier shorter than the mark shows only its start.
            const qsizetype widac = std::min(przeczytane.size(), ZnacznikUTF8.size());
            ansi = przeczytane.isEmpty() || !ZnacznikUTF8.startsWith(przeczytane.left(widac));
            if (!ansi) {
                przeczytane += czytaj(p_Plik, ZnacznikUTF8.size());
                ansi = !przeczytane.startsWith(ZnacznikUTF8);
                przeczytane = przeczytane.mid(ansi ? 0 : ZnacznikUTF8.size());
            }
        }
        if (przeczytane != p_Identyfikator)
            throw LkException(Format(QStringLiteral("Niewłaściwy typ pliku: \"%s\" zamiast \"%s\""),
                                     {TekstZPolskiegoAnsi(przeczytane), TekstZPolskiegoAnsi(p_Identyfikator)}));
    }
    TStream *wejscie = &p_Plik;
    TMemoryStream pamiec;
    if (p_TypZapisu & tzpSzyfrowany) {
        pamiec.CopyFrom(p_Plik, p_Plik.Size() - p_Plik.Position());
        OdszyfrujDane(pamiec, p_Haslo);
        pamiec.SetPosition(0);
        wejscie = &pamiec;
    }
    std::unique_ptr<TDecompressionStream> zlib;
    TMemoryStream rozpakowane;
    if (p_TypZapisu & tzpSkompresowany) {
        zlib = std::make_unique<TDecompressionStream>(*wejscie);
        wejscie = zlib.get();
        // The XML and JSON readers measure and step back in their input,
        // which a decompression stream cannot do.
        if (format == tzpXML || format == tzpJSON) {
            rozpakujDoPamieci(*zlib, rozpakowane);
            rozpakowane.SetPosition(0);
            wejscie = &rozpakowane;
        }
    }
    if (format == tzpTekstowy || format == tzpTekstowyRES) {
        TOdczytywaczNatywny odczytywacz(wejscie);
        return odczytywacz.WczytajObiekt(p_Obiekt);
    }
    if (format == tzpXML)
        return p_Obiekt.WczytajZPlikuXML(QString(), (p_TypZapisu & tzpXMLWierszowy) ? tzxWierszowy : tzxDomyslny,
                                         wejscie, p_TypKodowania);
    if (format == tzpJSON)
        return p_Obiekt.WczytajZPlikuJSON(QString(), wejscie);
    TOdczytywaczBinarny odczytywacz(*wejscie, ansi);
    // What was sealed holds exactly one document: more is a wrong key or damage.
    odczytywacz.WymagajKonca = wejscie != &p_Plik;
    odczytywacz.WczytajObiekt(p_Obiekt);
    return true;
}

} // namespace

bool ZapiszKontener(TObiektBazowy &p_Obiekt, TStream &p_Plik, const QByteArray &p_Identyfikator,
                    int16_t p_TypZapisu, const QByteArray &p_Haslo, const QString &p_SzablonXSL)
{
    const int16_t format = p_TypZapisu & TypZapisuFormat;
    if (format > tzpJSON || format < 0)
        return false;
    const int64_t gdzieRozmiar = format == tzpTekstowyRES ? zapiszNaglowekZasobu(p_Plik, p_Identyfikator) : -1;
    if (!p_Identyfikator.isEmpty() && format != tzpXML && format != tzpTekstowyRES) {
        if (format == tzpBinarny && !(p_TypZapisu & tzpWin1250))
            p_Plik.WriteBuffer(ZnacznikUTF8.constData(), ZnacznikUTF8.size());
        p_Plik.WriteBuffer(p_Identyfikator.constData(), p_Identyfikator.size());
    }
    const bool wPamieci = p_TypZapisu & (tzpSzyfrowany | tzpSkompresowany);
    if (!wPamieci) {
        zapiszDane(p_Obiekt, p_Plik, p_TypZapisu, p_SzablonXSL);
    } else {
        zapiszWPamieci(p_Obiekt, p_Plik, p_TypZapisu, p_Haslo, p_SzablonXSL);
    }
    if (gdzieRozmiar >= 0)
        poprawRozmiarZasobu(p_Plik, gdzieRozmiar);
    return true;
}

bool WczytajKontener(TObiektBazowy &p_Obiekt, TStream &p_Plik, const QByteArray &p_Identyfikator,
                     int16_t p_TypZapisu, const QByteArray &p_Haslo, TTypKodowaniaXML p_TypKodowania)
{
    try {
        return wczytajKontener(p_Obiekt, p_Plik, p_Identyfikator, p_TypZapisu, p_Haslo, p_TypKodowania);
    } catch (...) {
        // The caller asked for the file's objects: none of the old ones stay behind.
        TOdczytywaczDanych::ZerujPoBledzieOdczytu(p_Obiekt);
        throw;
    }
}
