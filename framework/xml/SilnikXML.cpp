#include "SilnikXML.h"

#include "NarzedziaLibXml.h"

#include "DaneFirmy.h"
#include "Komunikaty.h"
#include "Powloka.h"
#include "Wyjatki.h"

#include <libxml/tree.h>

#include <array>
#include <atomic>
#include <mutex>

namespace {

std::mutex g_ZamekKlas;
std::array<QString, 3> g_ZapamietaneKlasy; // by TRodzajObiektuXML, guarded by g_ZamekKlas

std::atomic<IFabrykaSilnikaXML *> g_Fabryka{nullptr};

IFabrykaSilnikaXML &fabryka()
{
    static TFabrykaLibXml libXml;
    IFabrykaSilnikaXML *ustawiona = g_Fabryka.load();
    return ustawiona ? *ustawiona : libXml;
}

bool znanaKlasa(const QString &p_NazwaKlasy, std::initializer_list<TRodzajObiektuXML> p_Rodzaje)
{
    for (TRodzajObiektuXML rodzaj : p_Rodzaje) {
        const TNazwyKlasXML nazwy = NazwyKlasXML(rodzaj);
        if (p_NazwaKlasy == nazwy.Nowsza || p_NazwaKlasy == nazwy.Starsza)
            return true;
    }
    return false;
}

// A creation that raises counts as one that failed.
template <typename TObiekt, typename TTworzenie>
TObiekt sprobujUtworzyc(TTworzenie &p_Utworz, const QString &p_Klasa)
{
    try {
        return p_Utworz(p_Klasa);
    } catch (const std::exception &) {
        return TObiekt();
    }
}

// The lock is held only to copy or store a name, never while creating.
template <typename TObiekt, typename TTworzenie>
TObiekt utworzZZapamietanej(TRodzajObiektuXML p_Rodzaj, bool p_CzyWyswietlacInfo, TTworzenie p_Utworz)
{
    const TNazwyKlasXML nazwy = NazwyKlasXML(p_Rodzaj);
    QString klasa;
    {
        std::lock_guard<std::mutex> blokada(g_ZamekKlas);
        klasa = g_ZapamietaneKlasy[static_cast<size_t>(p_Rodzaj)];
    }
    bool zapamietaj = false;
    if (klasa.isEmpty()) {
        klasa = nazwy.Nowsza;
        zapamietaj = true;
    }

    TObiekt obiekt = sprobujUtworzyc<TObiekt>(p_Utworz, klasa);
    if (!obiekt) {
        if (nazwy.Starsza == klasa)
            ZglosBrakMSXML(p_CzyWyswietlacInfo);
        klasa = nazwy.Starsza;
        obiekt = sprobujUtworzyc<TObiekt>(p_Utworz, klasa);
        if (!obiekt)
            ZglosBrakMSXML(p_CzyWyswietlacInfo);
        zapamietaj = true;
    }
    if (zapamietaj) {
        std::lock_guard<std::mutex> blokada(g_ZamekKlas);
        g_ZapamietaneKlasy[static_cast<size_t>(p_Rodzaj)] = klasa;
    }
    return obiekt;
}

} // namespace

TNazwyKlasXML NazwyKlasXML(TRodzajObiektuXML p_Rodzaj)
{
    switch (p_Rodzaj) {
    case TRodzajObiektuXML::DOMWolnowatkowy:
        return {QStringLiteral("Msxml2.FreeThreadedDOMDocument.6.0"), QStringLiteral("Msxml2.FreeThreadedDOMDocument.3.0")};
    case TRodzajObiektuXML::DOM:
        return {QStringLiteral("Msxml2.DOMDocument.6.0"), QStringLiteral("Msxml2.DOMDocument.3.0")};
    case TRodzajObiektuXML::Template:
        break;
    }
    return {QStringLiteral("Msxml2.XSLTemplate.6.0"), QStringLiteral("Msxml2.XSLTemplate.3.0")};
}

TDokXML TFabrykaLibXml::UtworzDokument(const QString &p_NazwaKlasy)
{
    if (!znanaKlasa(p_NazwaKlasy, {TRodzajObiektuXML::DOMWolnowatkowy, TRodzajObiektuXML::DOM}))
        return TDokXML();
    InicjujLibXml();
    return ZawinDokXML(xmlNewDoc(BAD_CAST "1.0"));
}

std::unique_ptr<TTemplateXSL> TFabrykaLibXml::UtworzTemplate(const QString &p_NazwaKlasy)
{
    if (!znanaKlasa(p_NazwaKlasy, {TRodzajObiektuXML::Template}))
        return nullptr;
    return std::make_unique<TTemplateXSL>();
}

void UstawFabrykeSilnikaXML(IFabrykaSilnikaXML *p_Fabryka)
{
    g_Fabryka.store(p_Fabryka);
}

TDokXML UtworzDokumentSilnika(bool p_CzyWyswietlacInfo, bool p_CzyFreeThreaded)
{
    const auto rodzaj = p_CzyFreeThreaded ? TRodzajObiektuXML::DOMWolnowatkowy : TRodzajObiektuXML::DOM;
    return utworzZZapamietanej<TDokXML>(rodzaj, p_CzyWyswietlacInfo,
                                        [](const QString &p_Klasa) { return fabryka().UtworzDokument(p_Klasa); });
}

std::unique_ptr<TTemplateXSL> UtworzTemplateSilnika(bool p_CzyWyswietlacInfo)
{
    return utworzZZapamietanej<std::unique_ptr<TTemplateXSL>>(
        TRodzajObiektuXML::Template, p_CzyWyswietlacInfo,
        [](const QString &p_Klasa) { return fabryka().UtworzTemplate(p_Klasa); });
}

QString ZapamietanaKlasaXML(TRodzajObiektuXML p_Rodzaj)
{
    std::lock_guard<std::mutex> blokada(g_ZamekKlas);
    return g_ZapamietaneKlasy[static_cast<size_t>(p_Rodzaj)];
}

void ZapomnijKlasyXML()
{
    std::lock_guard<std::mutex> blokada(g_ZamekKlas);
    for (QString &klasa : g_ZapamietaneKlasy)
        klasa.clear();
}

void ZglosBrakMSXML(bool p_CzyWyswietlacInfo)
{
    if (p_CzyWyswietlacInfo
        && PokazKomunikatPrzyciski(
               QStringLiteral("Do pracy programu wymagany jest Microsoft DOM. Czy chcesz przenieść się na "
                              "stronę Velmora Software aby zainstalować ten komponent? (musisz być "
                              "zalogowany do Internetu)"),
               mtInformation, mbYesNo)
               == mrYes)
        OtworzAdres(AdresWWWFirmy() + QStringLiteral("/index_instalator_xml.htm"));
    throw LkException(QStringLiteral("Błąd tworzenia template - brak parsera plików XML - MS XML DOM"));
}
