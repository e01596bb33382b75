#include "KontenerPliku.h"

#include "BlowFish.h"
#include "BuforZapisu.h"
#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "ObiektBazowy.h"
#include "OdczytywaczBinarny.h"
#include "OdczytywaczNatywny.h"
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

// Up to p_Ile bytes: a short file is a wrong identifier, not a read error.
QByteArray czytaj(TStream &p_Strumien, qsizetype p_Ile)
{
    QByteArray bajty(p_Ile, Qt::Uninitialized);
    bajty.resize(static_cast<qsizetype>(p_Strumien.Read(bajty.data(), p_Ile)));
    return bajty;
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
    case tzpTekstowy: {
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
    if (format < tzpBinarny || format > tzpJSON || format == tzpTekstowyRES)
        brakFormatu("WczytajZPliku", format);
    bool ansi = p_TypZapisu & tzpWin1250;
    if (!p_Identyfikator.isEmpty() && format != tzpXML) {
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
    if (format == tzpTekstowy) {
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
    if (format == tzpTekstowyRES)
        brakFormatu("ZapiszWPliku", format);
    if (!p_Identyfikator.isEmpty() && format != tzpXML) {
        if (format == tzpBinarny && !(p_TypZapisu & tzpWin1250))
            p_Plik.WriteBuffer(ZnacznikUTF8.constData(), ZnacznikUTF8.size());
        p_Plik.WriteBuffer(p_Identyfikator.constData(), p_Identyfikator.size());
    }
    const bool wPamieci = p_TypZapisu & (tzpSzyfrowany | tzpSkompresowany);
    if (!wPamieci) {
        zapiszDane(p_Obiekt, p_Plik, p_TypZapisu, p_SzablonXSL);
        return true;
    }
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
