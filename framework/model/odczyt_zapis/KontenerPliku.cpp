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
#include "ZapisywaczNatywny.h"

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

void zapiszDane(TObiektBazowy &p_Obiekt, TStream &p_Cel, int16_t p_TypZapisu)
{
    const bool zChwilowymi = p_TypZapisu & tzpZChwilowymi;
    const int16_t format = p_TypZapisu & TypZapisuFormat;
    if (format == tzpBinarny) {
        TZapisywaczBinarny zapisywacz(p_Cel, zChwilowymi, p_TypZapisu & TypZapisuOpcje);
        zapisywacz.ZapiszObiekt(p_Obiekt);
    } else if (format == tzpTekstowy) {
        TZapisywaczNatywny zapisywacz(&p_Cel, zChwilowymi);
        zapisywacz.OpcjeZapisu = p_TypZapisu & TypZapisuOpcje;
        zapisywacz.ZapiszDokument(p_Obiekt);
        zapisywacz.ZakonczZapis();
    } else {
        brakFormatu("ZapiszWPliku", format);
    }
}

bool wczytajKontener(TObiektBazowy &p_Obiekt, TStream &p_Plik, const QByteArray &p_Identyfikator,
                     int16_t p_TypZapisu, const QByteArray &p_Haslo)
{
    const int16_t format = p_TypZapisu & TypZapisuFormat;
    if (format != tzpBinarny && format != tzpTekstowy)
        brakFormatu("WczytajZPliku", format);
    bool ansi = p_TypZapisu & tzpWin1250;
    if (!p_Identyfikator.isEmpty()) {
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
    if (p_TypZapisu & tzpSkompresowany) {
        zlib = std::make_unique<TDecompressionStream>(*wejscie);
        wejscie = zlib.get();
    }
    if (format == tzpTekstowy) {
        TOdczytywaczNatywny odczytywacz(wejscie);
        return odczytywacz.WczytajObiekt(p_Obiekt);
    }
    TOdczytywaczBinarny odczytywacz(*wejscie, ansi);
    // What was sealed holds exactly one document: more is a wrong key or damage.
    odczytywacz.WymagajKonca = wejscie != &p_Plik;
    odczytywacz.WczytajObiekt(p_Obiekt);
    return true;
}

} // namespace

bool ZapiszKontener(TObiektBazowy &p_Obiekt, TStream &p_Plik, const QByteArray &p_Identyfikator,
                    int16_t p_TypZapisu, const QByteArray &p_Haslo)
{
    const int16_t format = p_TypZapisu & TypZapisuFormat;
    if (format > tzpJSON || format < 0)
        return false;
    if (format == tzpXML || format == tzpTekstowyRES || format == tzpJSON)
        brakFormatu("ZapiszWPliku", format);
    if (!p_Identyfikator.isEmpty()) {
        if (format == tzpBinarny && !(p_TypZapisu & tzpWin1250))
            p_Plik.WriteBuffer(ZnacznikUTF8.constData(), ZnacznikUTF8.size());
        p_Plik.WriteBuffer(p_Identyfikator.constData(), p_Identyfikator.size());
    }
    const bool wPamieci = p_TypZapisu & (tzpSzyfrowany | tzpSkompresowany);
    if (!wPamieci) {
        zapiszDane(p_Obiekt, p_Plik, p_TypZapisu);
        return true;
    }
    TMemoryStream pamiec;
    if (p_TypZapisu & tzpSkompresowany) {
        TCompressionStream zlib(TCompressionLevel::clMax, pamiec);
        {
            // zlib takes large pieces far better than the writers' small ones.
            TBuforZapisu bufor(&zlib, 65536);
            zapiszDane(p_Obiekt, bufor, p_TypZapisu);
            bufor.Flush();
        }
        zlib.Zakoncz();
    } else {
        zapiszDane(p_Obiekt, pamiec, p_TypZapisu);
    }
    if (p_TypZapisu & tzpSzyfrowany)
        SzyfrujDane(pamiec, p_Haslo);
    pamiec.SetPosition(0);
    p_Plik.CopyFrom(pamiec, pamiec.Size());
    return true;
}

bool WczytajKontener(TObiektBazowy &p_Obiekt, TStream &p_Plik, const QByteArray &p_Identyfikator,
                     int16_t p_TypZapisu, const QByteArray &p_Haslo)
{
    try {
        return wczytajKontener(p_Obiekt, p_Plik, p_Identyfikator, p_TypZapisu, p_Haslo);
    } catch (...) {
        // The caller asked for the file's objects: none of the old ones stay behind.
        TOdczytywaczDanych::ZerujPoBledzieOdczytu(p_Obiekt);
        throw;
    }
}
