#include "TypyDokumentXML.h"

#include "NarzedziaLibXml.h"
#include "ParserXML.h"

#include "DaneFirmy.h"
#include "KodowanieZnakow.h"
#include "Komunikaty.h"
#include "NaprawaXML.h"
#include "Strumienie.h"
#include "WatekGlowny.h"
#include "Wyjatki.h"
#include "ZglaszanieBledow.h"

#include <QFileInfo>

#include <libxml/tree.h>
#include <libxml/xmlsave.h>

namespace {

const QString PodczasWczytywania = QStringLiteral("Podczas wczytywania pliku");
const QString WystapilBlad = QStringLiteral("wystąpił następujący błąd");
const QString DomyslnyFormatDaty = QStringLiteral("YYYY.MM.DD");
constexpr int MaksZnakowTresciWKomunikacie = 500;

QByteArray naUtf8(const QString &p_Tekst)
{
    return p_Tekst.toUtf8();
}

xmlNodePtr wezel(const TWezelXML &p_Wezel)
{
    return p_Wezel.Wezel();
}

void sprawdzNazwe(const QString &p_Nazwa)
{
    if (xmlValidateQName(reinterpret_cast<const xmlChar *>(naUtf8(p_Nazwa).constData()), 0) != 0)
        throw LkException(QStringLiteral("Nieprawidłowa nazwa w dokumencie XML: \"%1\"").arg(p_Nazwa));
}

// A new element in p_Dokument; a prefix bound in p_Zasieg's scope gives it that namespace.
xmlNodePtr noweElement(xmlDocPtr p_Dokument, xmlNodePtr p_Zasieg, const QString &p_Nazwa)
{
    sprawdzNazwe(p_Nazwa);
    const QByteArray nazwa = naUtf8(p_Nazwa);
    xmlNsPtr przestrzen = nullptr;
    QByteArray lokalna = nazwa;
    const qsizetype dwukropek = nazwa.indexOf(':');
    if (dwukropek > 0 && p_Zasieg) {
        const QByteArray prefiks = nazwa.left(dwukropek);
        przestrzen = xmlSearchNs(p_Dokument, p_Zasieg, reinterpret_cast<const xmlChar *>(prefiks.constData()));
        if (przestrzen)
            lokalna = nazwa.mid(dwukropek + 1);
    }
    xmlNodePtr element =
        xmlNewDocNode(p_Dokument, przestrzen, reinterpret_cast<const xmlChar *>(lokalna.constData()), nullptr);
    if (!element)
        throw std::bad_alloc();
    return element;
}

bool mozeMiecDzieci(const xmlNode *p_Wezel)
{
    return p_Wezel->type == XML_ELEMENT_NODE || p_Wezel->type == XML_DOCUMENT_FRAG_NODE
           || p_Wezel->type == XML_DOCUMENT_NODE;
}

// Appends p_Element to p_Rodzic, or inserts it before p_Przed; frees it when refused.
TWezelXML wstaw(const TDokXML &p_Dokument, xmlNodePtr p_Rodzic, xmlNodePtr p_Element, xmlNodePtr p_Przed)
{
    const bool drugiKorzen = p_Rodzic->type == XML_DOCUMENT_NODE
                             && xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(p_Rodzic)) != nullptr;
    if (!mozeMiecDzieci(p_Rodzic) || drugiKorzen || (p_Przed && p_Przed->parent != p_Rodzic)) {
        xmlFreeNode(p_Element);
        throw LkException(drugiKorzen ? QStringLiteral("Dokument XML może mieć tylko jeden element główny")
                                      : QStringLiteral("Nie można wstawić elementu w tym miejscu dokumentu XML"));
    }
    xmlNodePtr wstawiony = p_Przed ? xmlAddPrevSibling(p_Przed, p_Element) : xmlAddChild(p_Rodzic, p_Element);
    if (!wstawiony) {
        xmlFreeNode(p_Element);
        throw LkException(QStringLiteral("Nie można wstawić elementu w tym miejscu dokumentu XML"));
    }
    return TWezelXML(p_Dokument, wstawiony);
}

// The document serialised by libxml2 into bytes of p_Kodowanie.
QByteArray serializuj(xmlDocPtr p_Dokument, const QByteArray &p_Kodowanie, int p_Opcje)
{
    std::unique_ptr<xmlBuffer, void (*)(xmlBufferPtr)> bufor(xmlBufferCreate(), xmlBufferFree);
    if (!bufor)
        throw std::bad_alloc();
    TZbieraczBledowXML bledy;
    TKierowanieBledowWatku kierowanie(bledy);
    xmlSaveCtxtPtr zapis = xmlSaveToBuffer(bufor.get(), p_Kodowanie.isEmpty() ? nullptr : p_Kodowanie.constData(), p_Opcje);
    if (!zapis)
        throw LkException(QStringLiteral("Nieznana strona kodowa: %1").arg(QString::fromUtf8(p_Kodowanie)));
    const long wynik = xmlSaveDoc(zapis, p_Dokument);
    if (xmlSaveClose(zapis) < 0 || wynik < 0)
        throw LkException(QStringLiteral("Błąd zapisu dokumentu XML: %1").arg(bledy.CalyTekst()));
    return QByteArray(reinterpret_cast<const char *>(xmlBufferContent(bufor.get())), xmlBufferLength(bufor.get()));
}

QByteArray znacznikKolejnosci(const QByteArray &p_Kodowanie)
{
    const QByteArray nazwa = p_Kodowanie.toUpper();
    if (nazwa == "UTF-8" || nazwa == "UTF8")
        return QByteArray("\xEF\xBB\xBF", 3);
    if (nazwa == "UTF-16" || nazwa == "UTF-16LE" || nazwa == "UNICODE")
        return QByteArray("\xFF\xFE", 2);
    if (nazwa == "UTF-16BE")
        return QByteArray("\xFE\xFF", 2);
    return QByteArray();
}

// A transformation that wrote nothing: false, and the user told when asked.
bool pustyWynik(bool p_CzyWyswietlacInfo)
{
    if (p_CzyWyswietlacInfo)
        PokazKomunikatOK(QStringLiteral("Błąd transformacji XSL") + QStringLiteral("\r") + LiniaPomocyFirmy(),
                         mtInformation);
    return false;
}

void zapiszDoPliku(const QString &p_NazwaPliku, const QByteArray &p_Bajty)
{
    TFileStream plik(p_NazwaPliku, fmCreate);
    plik.WriteBuffer(p_Bajty.constData(), p_Bajty.size());
}

} // namespace

TDokumentXML::TDokumentXML(bool p_CzyWyswietlacInfo, bool p_CzyFreeThreaded)
    : FDokXML(UtworzDokumentSilnika(p_CzyWyswietlacInfo, p_CzyFreeThreaded))
{
}

std::unique_ptr<TTemplateXSL> TDokumentXML::UtworzTemplate(bool p_CzyWyswietlacInfo)
{
    return UtworzTemplateSilnika(p_CzyWyswietlacInfo);
}

bool TDokumentXML::wczytajPlik(const QString &p_NazwaPliku, QString &p_Powod, bool &p_BrakPliku)
{
    p_BrakPliku = !QFileInfo(p_NazwaPliku).isFile();
    if (p_BrakPliku)
        return false;
    TWynikParsowaniaXML wynik = ParsujPlikXML(p_NazwaPliku);
    // A failed load leaves the document empty, as the engine's own load does.
    FDokXML = wynik.Dokument ? wynik.Dokument : ZawinDokXML(xmlNewDoc(BAD_CAST "1.0"));
    p_Powod = wynik.Powod;
    return static_cast<bool>(wynik.Dokument);
}

bool TDokumentXML::Wczytaj(const QString &p_NazwaPliku, bool p_CzyWyswietlacInfo)
{
    QString powod;
    bool brakPliku = false;
    const bool sukces = wczytajPlik(p_NazwaPliku, powod, brakPliku);
    if (brakPliku) {
        if (p_CzyWyswietlacInfo)
            PokazKomunikatFmt(QStringLiteral("Brak pliku %s"), {p_NazwaPliku}, mtInformation);
        return false;
    }
    if (!sukces && p_CzyWyswietlacInfo)
        PokazKomunikatFmt(PodczasWczytywania + QStringLiteral(": \r%s\r") + WystapilBlad + QStringLiteral(":\r%s"),
                          {p_NazwaPliku, powod}, mtInformation);
    FNazwaPliku = p_NazwaPliku;
    return sukces;
}

bool TDokumentXML::WczytajZkodemBledu(const QString &p_NazwaPliku, QString &p_TrescBledu)
{
    p_TrescBledu.clear();
    QString powod;
    bool brakPliku = false;
    const bool sukces = wczytajPlik(p_NazwaPliku, powod, brakPliku);
    if (brakPliku) {
        p_TrescBledu = Format(QStringLiteral("Brak pliku %s"), {p_NazwaPliku});
        return false;
    }
    if (!sukces)
        p_TrescBledu = PodczasWczytywania + QStringLiteral(": \"") + p_NazwaPliku + QStringLiteral("\"\r")
                       + WystapilBlad + QStringLiteral(": ") + powod;
    FNazwaPliku = p_NazwaPliku;
    return sukces;
}

bool TDokumentXML::WczytajZeStringu(const QByteArray &p_Tresc, bool p_CzyWyswietlacInfo)
{
    if (p_Tresc.isEmpty()) {
        if (p_CzyWyswietlacInfo)
            PokazKomunikatOK(QStringLiteral("Brak zawartości pliku XML do wczytania."), mtCustom);
        return false;
    }
    QByteArray tresc = p_Tresc;
    TWynikParsowaniaXML wynik = ParsujXML(tresc);
    if (!wynik.Dokument && NaprawTrescXML(tresc))
        wynik = ParsujXML(tresc);
    FDokXML = wynik.Dokument ? wynik.Dokument : ZawinDokXML(xmlNewDoc(BAD_CAST "1.0"));
    if (wynik.Dokument)
        return true;

    QString tekst = TekstZPolskiegoAnsi(tresc);
    ZglosBlad(QStringLiteral("Błąd podczas wczytywania pliku: ") + wynik.Powod + QStringLiteral("\rZawartość pliku: \r")
                  + tekst,
              false, QString(), true);
    if (p_CzyWyswietlacInfo && CzyWatekGlowny()) {
        if (tekst.size() > MaksZnakowTresciWKomunikacie)
            tekst = tekst.left(MaksZnakowTresciWKomunikacie) + QStringLiteral("...");
        PokazKomunikatOK(PodczasWczytywania + QStringLiteral(": \r") + tekst + QStringLiteral("\r") + WystapilBlad
                             + QStringLiteral(":\r") + wynik.Powod,
                         mtCustom);
    }
    return false;
}

bool TDokumentXML::WczytajZeStringu(const QString &p_Tresc, bool p_CzyWyswietlacInfo)
{
    return WczytajZeStringu(TekstNaPolskiAnsi(p_Tresc), p_CzyWyswietlacInfo);
}

void TDokumentXML::Zapisz(TStream &p_Strumien, bool p_WpiszBOM, bool p_WpiszDeklaracjeXML,
                          const QString &p_StronaKodowa)
{
    if (!FDokXML)
        throw LkException(QStringLiteral("Brak dokumentu XML do zapisania"));
    const QByteArray kodowanie = p_StronaKodowa.toLatin1();
    // The declaration of this serialisation says standalone="yes"; the
    // document's own flag is put back afterwards.
    const int samodzielny = FDokXML->standalone;
    FDokXML->standalone = 1;
    QByteArray bajty;
    try {
        bajty = serializuj(FDokXML.get(), kodowanie, XML_SAVE_FORMAT | (p_WpiszDeklaracjeXML ? 0 : XML_SAVE_NO_DECL));
    } catch (...) {
        FDokXML->standalone = samodzielny;
        throw;
    }
    FDokXML->standalone = samodzielny;
    // libxml2 marks UTF-16 output by itself; the caller's flag decides.
    const QByteArray znacznik = znacznikKolejnosci(kodowanie);
    if (!znacznik.isEmpty() && bajty.startsWith(znacznik))
        bajty.remove(0, znacznik.size());
    if (p_WpiszBOM)
        bajty.prepend(znacznik);
    p_Strumien.WriteBuffer(bajty.constData(), bajty.size());
}

void TDokumentXML::Zapisz1(const QString &p_NazwaPliku)
{
    TFileStream plik(p_NazwaPliku, fmCreate);
    Zapisz(plik, false, false, QStringLiteral("UTF-8"));
}

void TDokumentXML::Zapisz(const QString &p_NazwaPliku)
{
    if (!FDokXML)
        throw LkException(QStringLiteral("Brak dokumentu XML do zapisania"));
    const QByteArray kodowanie =
        FDokXML->encoding ? QByteArray(reinterpret_cast<const char *>(FDokXML->encoding)) : QByteArray("UTF-8");
    zapiszDoPliku(p_NazwaPliku, serializuj(FDokXML.get(), kodowanie, 0));
}

void TDokumentXML::Zapisz()
{
    Zapisz(FNazwaPliku);
}

QString TDokumentXML::ZapiszWStringu() const
{
    if (!FDokXML)
        return QString();
    return QString::fromUtf8(serializuj(FDokXML.get(), "UTF-8", XML_SAVE_NO_DECL));
}

TWezelXML TDokumentXML::DodajWezel(const QString &p_Nazwa)
{
    if (!FDokXML)
        throw LkException(QStringLiteral("Brak dokumentu XML"));
    xmlNodePtr dokument = reinterpret_cast<xmlNodePtr>(FDokXML.get());
    return wstaw(FDokXML, dokument, noweElement(FDokXML.get(), nullptr, p_Nazwa), nullptr);
}

TWezelXML TDokumentXML::DodajWezel(const TWezelXML &p_Rodzic, const QString &p_Nazwa)
{
    return DodajWezelPrzed(p_Rodzic, p_Nazwa, TWezelXML());
}

TWezelXML TDokumentXML::DodajWezelPrzed(const TWezelXML &p_Rodzic, const QString &p_Nazwa,
                                        const TWezelXML &p_WstawPrzed)
{
    if (p_Rodzic.Pusty())
        throw LkException(QStringLiteral("Brak węzła nadrzędnego dla elementu \"%1\"").arg(p_Nazwa));
    xmlNodePtr rodzic = wezel(p_Rodzic);
    xmlDocPtr dokument = rodzic->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDocPtr>(rodzic) : rodzic->doc;
    return wstaw(p_Rodzic.Dokument(), rodzic, noweElement(dokument, rodzic, p_Nazwa), wezel(p_WstawPrzed));
}

void TDokumentXML::UstawAtrybut(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu, const QString &p_Wartosc)
{
    if (p_Wezel.Pusty())
        return;
    xmlNodePtr element = wezel(p_Wezel);
    if (element->type != XML_ELEMENT_NODE)
        throw LkException(QStringLiteral("Węzeł \"%1\" nie może mieć atrybutów").arg(p_Wezel.Nazwa()));
    sprawdzNazwe(p_NazwaAtrybutu);
    const QByteArray wartosc = naUtf8(p_Wartosc);
    const auto *wartoscXml = reinterpret_cast<const xmlChar *>(wartosc.constData());
    // Values are plain text here: "&" is stored as a character, not an entity.
    xmlAttrPtr atrybut = ZnajdzAtrybut(element, p_NazwaAtrybutu);
    atrybut = atrybut ? xmlSetNsProp(element, atrybut->ns, atrybut->name, wartoscXml)
                      : xmlSetProp(element, reinterpret_cast<const xmlChar *>(naUtf8(p_NazwaAtrybutu).constData()),
                                   wartoscXml);
    if (!atrybut)
        throw LkException(QStringLiteral("Nie można ustawić atrybutu \"%1\"").arg(p_NazwaAtrybutu));
}

QString TDokumentXML::OdczytajAtrybutJakoString(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu)
{
    return p_Wezel.Atrybut(p_NazwaAtrybutu).Wartosc();
}

double TDokumentXML::OdczytajAtrybutJakoData(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu)
{
    return OdczytajAtrybutJakoData(p_Wezel, p_NazwaAtrybutu, DomyslnyFormatDaty);
}

double TDokumentXML::OdczytajAtrybutJakoData(const TWezelXML &p_Wezel, const QString &p_NazwaAtrybutu,
                                             const QString &p_FormatDaty)
{
    return DekodujDate(OdczytajAtrybutJakoString(p_Wezel, p_NazwaAtrybutu), p_FormatDaty);
}

double TDokumentXML::OdczytajWartoscJakoData(const TWezelXML &p_Wezel, const QString &p_FormatDaty)
{
    return DekodujDate(p_Wezel.Wartosc(), p_FormatDaty);
}

TWezelXML TDokumentXML::ElementGlowny() const
{
    return FDokXML ? TWezelXML(FDokXML, xmlDocGetRootElement(FDokXML.get())) : TWezelXML();
}

bool TransformujDokumenty(const TDokXML &p_DokumentXML, const TDokXML &p_ArkuszXSL, QByteArray &p_Wynik,
                          bool p_CzyWyswietlacInfo)
{
    p_Wynik.clear();
    if (!p_DokumentXML || !p_ArkuszXSL)
        return false;
    const std::unique_ptr<TTemplateXSL> szablon = TDokumentXML::UtworzTemplate(p_CzyWyswietlacInfo);
    szablon->UstawArkusz(p_ArkuszXSL);
    const QByteArray wynik = szablon->Transformuj(p_DokumentXML);
    if (!wynik.isEmpty()) {
        p_Wynik = wynik;
        return true;
    }
    return pustyWynik(p_CzyWyswietlacInfo);
}

bool TransformujXSL(const QString &p_PlikXML, const QString &p_PlikXSL, QString &p_Wynik, bool p_CzyWyswietlacInfo,
                    const QString &p_TrescXML)
{
    p_Wynik.clear();
    TDokumentXML arkusz(p_CzyWyswietlacInfo, true);
    if (!arkusz.Wczytaj(p_PlikXSL, p_CzyWyswietlacInfo))
        return false;
    TDokumentXML dokument(p_CzyWyswietlacInfo, true);
    if (!dokument.Wczytaj(p_PlikXML, p_CzyWyswietlacInfo))
        return false;
    QByteArray bajty;
    if (!TransformujDokumenty(dokument.GetDokXML(), arkusz.GetDokXML(), bajty, p_CzyWyswietlacInfo))
        return false;
    p_Wynik = TekstZPolskiegoAnsi(bajty);
    WstawTrescXML(p_Wynik, p_TrescXML);
    return true;
}

TArkuszSkompilowany SkompilujArkuszXSL(const QByteArray &p_Arkusz, bool p_CzyWyswietlacInfo)
{
    TArkuszSkompilowany wynik;
    TDokumentXML arkusz(p_CzyWyswietlacInfo, true);
    if (!arkusz.WczytajZeStringu(p_Arkusz, p_CzyWyswietlacInfo))
        return wynik;
    wynik.Szablon = TDokumentXML::UtworzTemplate(p_CzyWyswietlacInfo);
    TDokXML dokumentArkusza = arkusz.GetDokXML();
    arkusz.SetDokXML(nullptr);
    wynik.Szablon->UstawArkusz(std::move(dokumentArkusza));
    wynik.ZTresciaXML = p_Arkusz.contains(ZnacznikTresciXML);
    return wynik;
}

bool TransformujXSLDoStrumienia(const QString &p_PlikXML, const QByteArray &p_Arkusz, TStream &p_Cel,
                                bool p_CzyWyswietlacInfo, TDokumentyTransformacji &p_Dokumenty,
                                const std::function<QString()> &p_TrescXML,
                                const std::function<void(const TDokXML &)> &p_Przygotuj)
{
    TArkuszSkompilowany arkusz = SkompilujArkuszXSL(p_Arkusz, p_CzyWyswietlacInfo);
    if (!arkusz.Szablon)
        return false;
    const bool wynik = TransformujXSLDoStrumienia(p_PlikXML, arkusz, p_Cel, p_CzyWyswietlacInfo, p_Dokumenty,
                                                  p_TrescXML, p_Przygotuj);
    p_Dokumenty.Szablon = std::move(arkusz.Szablon);
    return wynik;
}

bool TransformujXSLDoStrumienia(const QString &p_PlikXML, const TArkuszSkompilowany &p_Arkusz, TStream &p_Cel,
                                bool p_CzyWyswietlacInfo, TDokumentyTransformacji &p_Dokumenty,
                                const std::function<QString()> &p_TrescXML,
                                const std::function<void(const TDokXML &)> &p_Przygotuj)
{
    if (!p_Arkusz.Szablon)
        return false;
    TDokumentXML dokument(p_CzyWyswietlacInfo, true);
    if (!dokument.Wczytaj(p_PlikXML, p_CzyWyswietlacInfo))
        return false;
    p_Dokumenty.Dokument = dokument.GetDokXML();
    if (p_Przygotuj)
        p_Przygotuj(p_Dokumenty.Dokument);

    int64_t zapisano = 0;
    if (p_TrescXML && p_Arkusz.ZTresciaXML) {
        QString wynik = TekstZPolskiegoAnsi(p_Arkusz.Szablon->Transformuj(p_Dokumenty.Dokument));
        WstawTrescXML(wynik, p_TrescXML());
        const QByteArray bajty = TekstNaPolskiAnsi(wynik);
        p_Cel.WriteBuffer(bajty.constData(), bajty.size());
        zapisano = bajty.size();
    } else {
        p_Dokumenty.Wynik = p_Arkusz.Szablon->TransformujDo(p_Dokumenty.Dokument, p_Cel, zapisano);
    }
    if (zapisano > 0)
        return true;
    return pustyWynik(p_CzyWyswietlacInfo);
}
