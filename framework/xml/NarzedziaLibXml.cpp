#include "NarzedziaLibXml.h"

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltutils.h>
#include <libexslt/exslt.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {

thread_local TZbieraczBledowXML *tl_Zbieracz = nullptr;

QString sformatuj(const char *p_Format, va_list p_Argumenty)
{
    char bufor[2048];
    std::vsnprintf(bufor, sizeof bufor, p_Format, p_Argumenty);
    return QString::fromUtf8(bufor);
}

// libxslt's error channel is one per process; this keeps it per thread by
// handing each message to the collector of the calling thread (or dropping it).
void kierujTekstXslt(void *, const char *p_Format, ...)
{
    if (!tl_Zbieracz)
        return;
    va_list argumenty;
    va_start(argumenty, p_Format);
    tl_Zbieracz->DodajTekst(sformatuj(p_Format, argumenty));
    va_end(argumenty);
}

void kierujBladStrukturalny(void *p_Kontekst, xmlErrorPtr p_Blad)
{
    static_cast<TZbieraczBledowXML *>(p_Kontekst)->DodajBlad(p_Blad);
}

} // namespace

void InicjujLibXml()
{
    static std::once_flag raz;
    std::call_once(raz, [] {
        xmlInitParser();
        xsltInit();
        exsltRegisterAll();
        xsltSetGenericErrorFunc(nullptr, kierujTekstXslt);
    });
}

QString NazwaKwalifikowana(const xmlNode *p_Wezel)
{
    const QString nazwa = ZXmlChar(p_Wezel->name);
    if (p_Wezel->ns && p_Wezel->ns->prefix
        && (p_Wezel->type == XML_ELEMENT_NODE || p_Wezel->type == XML_ATTRIBUTE_NODE))
        return ZXmlChar(p_Wezel->ns->prefix) + QLatin1Char(':') + nazwa;
    return nazwa;
}

QString TrescWezla(const xmlNode *p_Wezel)
{
    xmlChar *tresc = xmlNodeGetContent(p_Wezel);
    const QString wynik = ZXmlChar(tresc);
    xmlFree(tresc);
    return wynik;
}

xmlAttr *ZnajdzAtrybut(const xmlNode *p_Element, const QString &p_NazwaKwalifikowana)
{
    if (!p_Element || p_Element->type != XML_ELEMENT_NODE)
        return nullptr;
    for (xmlAttr *atrybut = p_Element->properties; atrybut; atrybut = atrybut->next)
        if (NazwaKwalifikowana(reinterpret_cast<const xmlNode *>(atrybut)) == p_NazwaKwalifikowana)
            return atrybut;
    return nullptr;
}

void TZbieraczBledowXML::DodajBlad(const xmlError *p_Blad)
{
    if (!p_Blad || p_Blad->level == XML_ERR_NONE)
        return;
    QString komunikat = QString::fromUtf8(p_Blad->message ? p_Blad->message : "").trimmed();
    if (p_Blad->line > 0)
        komunikat += p_Blad->int2 > 0
                         ? QStringLiteral(" (wiersz %1, kolumna %2)").arg(p_Blad->line).arg(p_Blad->int2)
                         : QStringLiteral(" (wiersz %1)").arg(p_Blad->line);
    if (!FTekst.isEmpty() && !FTekst.endsWith(QLatin1Char('\n')))
        FTekst += QLatin1Char('\n');
    FTekst += komunikat + QLatin1Char('\n');
    if (p_Blad->level >= XML_ERR_ERROR) {
        if (FPowod.isEmpty())
            FPowod = komunikat;
        FJestBlad = true;
    }
}

void TZbieraczBledowXML::DodajTekst(const QString &p_Tekst)
{
    FTekst += p_Tekst;
    if (!p_Tekst.trimmed().isEmpty())
        FJestBlad = true;
}

QString TZbieraczBledowXML::CalyTekst() const
{
    QString tekst = FTekst.trimmed();
    tekst.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return tekst;
}

TKierowanieBledowWatku::TKierowanieBledowWatku(TZbieraczBledowXML &p_Zbieracz)
    : FPoprzedniZbieracz(tl_Zbieracz), FPoprzedniaFunkcja(xmlStructuredError),
      FPoprzedniKontekst(xmlStructuredErrorContext)
{
    InicjujLibXml();
    tl_Zbieracz = &p_Zbieracz;
    // Both are per-thread in libxml2.
    xmlSetStructuredErrorFunc(&p_Zbieracz, kierujBladStrukturalny);
    FPoprzedniaFunkcjaOgolna = xmlGenericError;
    FPoprzedniKontekstOgolny = xmlGenericErrorContext;
    xmlSetGenericErrorFunc(&p_Zbieracz, ZbierajTekst);
}

TKierowanieBledowWatku::~TKierowanieBledowWatku()
{
    xmlSetGenericErrorFunc(FPoprzedniKontekstOgolny, FPoprzedniaFunkcjaOgolna);
    xmlSetStructuredErrorFunc(FPoprzedniKontekst, FPoprzedniaFunkcja);
    tl_Zbieracz = FPoprzedniZbieracz;
}

void TKierowanieBledowWatku::ZbierajTekst(void *p_Kontekst, const char *p_Format, ...)
{
    va_list argumenty;
    va_start(argumenty, p_Format);
    static_cast<TZbieraczBledowXML *>(p_Kontekst)->DodajTekst(sformatuj(p_Format, argumenty));
    va_end(argumenty);
}
