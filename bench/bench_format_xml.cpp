// The XML format beside libxml2 on one tree of small objects (three data
// fields each, two children, every 16th pointing at another node): our writer
// and reader against xmlTextWriter writing the same elements from plain
// structs and xmlTextReader reading them back into plain structs. The driver
// (bench/PomiarFaz.h) alternates which side of a pair runs first and quotes
// medians in MB/s of each side's own document, and the peak memory of each
// read against the heap the built objects take. A PHASE name runs that phase
// alone ROUNDS times (for perf).
//
//   bench_format_xml [OBJECTS] [ROUNDS] [PHASE]

#include "PomiarFaz.h"

#include "LkTypyBazowe.h"
#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleWskObiektu.h"
#include "Strumienie.h"

#include <libxml/xmlreader.h>
#include <libxml/xmlwriter.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

class TPozycja : public TKlasa<TPozycja, TObiekt>
{
public:
    enum : int16_t { Nazwa, Ilosc, Cena, Lewy, Prawy, Wsk };
    static constexpr TOpisPola PolaKlasy[] = {
        {Nazwa, "Nazwa", &TPoleString::Opis},   {Ilosc, "Ilosc", &TPoleInteger::Opis},
        {Cena, "Cena", &TPoleDouble::Opis},     {Lewy, "Lewy", &Opis},
        {Prawy, "Prawy", &Opis},                {Wsk, "Wsk", &TPoleWskObiektu::Opis},
    };
    using TKlasa::TKlasa;
};

// The same tree as plain structs: children by index, -1 for none.
struct TWezelC
{
    std::string Nazwa;
    int Ilosc = 0;
    double Cena = 0;
    int Lewy = -1;
    int Prawy = -1;
    int Wsk = -1;
    int Id = 0; // 0: nobody points here
};

// A balanced tree of p_Ile nodes in pre-order; node i's fields depend on i only.
void Zbuduj(std::vector<TWezelC> &p_Wezly, int p_Ile)
{
    p_Wezly.assign(static_cast<size_t>(p_Ile), {});
    std::function<int(int, int)> buduj = [&](int p_Od, int p_Wezlow) -> int {
        if (p_Wezlow <= 0)
            return -1;
        TWezelC &w = p_Wezly[static_cast<size_t>(p_Od)];
        w.Nazwa = "pozycja " + std::to_string(p_Od);
        w.Ilosc = p_Od % 1000;
        w.Cena = (p_Od % 10000) / 4.0;
        const int lewych = (p_Wezlow - 1) / 2;
        w.Lewy = buduj(p_Od + 1, lewych);
        w.Prawy = buduj(p_Od + 1 + lewych, p_Wezlow - 1 - lewych);
        return p_Od;
    };
    buduj(0, p_Ile);
    int id = 0;
    for (int i = 16; i < p_Ile; i += 16) {
        p_Wezly[static_cast<size_t>(i)].Wsk = i / 2;
        if (!p_Wezly[static_cast<size_t>(i / 2)].Id)
            p_Wezly[static_cast<size_t>(i / 2)].Id = ++id;
    }
}

void ZbudujObiekty(const std::vector<TWezelC> &p_Wezly, TPozycja &p_Korzen)
{
    std::vector<TPozycja *> obiekty(p_Wezly.size());
    std::function<void(int, TPozycja &)> buduj = [&](int p_Nr, TPozycja &p_Obiekt) {
        const TWezelC &w = p_Wezly[static_cast<size_t>(p_Nr)];
        obiekty[static_cast<size_t>(p_Nr)] = &p_Obiekt;
        p_Obiekt.UstawPole<TPoleString>(TPozycja::Nazwa, QString::fromStdString(w.Nazwa));
        p_Obiekt.UstawPole<TPoleInteger>(TPozycja::Ilosc, w.Ilosc);
        p_Obiekt.UstawPole<TPoleDouble>(TPozycja::Cena, w.Cena);
        if (w.Lewy >= 0)
            buduj(w.Lewy, p_Obiekt.Pole<TPozycja>(TPozycja::Lewy));
        if (w.Prawy >= 0)
            buduj(w.Prawy, p_Obiekt.Pole<TPozycja>(TPozycja::Prawy));
    };
    buduj(0, p_Korzen);
    for (size_t i = 0; i < p_Wezly.size(); ++i)
        if (p_Wezly[i].Wsk >= 0) {
            obiekty[i]->Pole<TPoleWskObiektu>(TPozycja::Wsk).UstawWartosc(obiekty[static_cast<size_t>(p_Wezly[i].Wsk)]);
            obiekty[i]->UstawMaWartosc(TPozycja::Wsk, true);
        }
}

// ---- libxml2: the same elements and attributes, in the same order
// libxml2's buffers grow by what each write needs by default, so their cost
// hangs on whether realloc can extend in place (it can on a heap warmed by
// earlier phases, not in a fresh process); doubling makes the reference's
// time its own work, wherever it runs.
xmlBufferPtr NowyBuforLibxml()
{
    xmlBufferPtr nowy = xmlBufferCreate();
    xmlBufferSetAllocationScheme(nowy, XML_BUFFER_ALLOC_DOUBLEIT);
    return nowy;
}

void ZapiszLibxml(const std::vector<TWezelC> &p_Wezly, xmlBufferPtr p_Bufor)
{
    xmlTextWriterPtr w = xmlNewTextWriterMemory(p_Bufor, 0);
    xmlTextWriterStartDocument(w, "1.0", "utf-8", nullptr);
    char liczba[64];
    std::function<void(int, const char *)> zapisz = [&](int p_Nr, const char *p_Nazwa) {
        const TWezelC &n = p_Wezly[static_cast<size_t>(p_Nr)];
        xmlTextWriterStartElement(w, BAD_CAST p_Nazwa);
        if (n.Id) {
            std::snprintf(liczba, sizeof liczba, "%d", n.Id);
            xmlTextWriterWriteAttribute(w, BAD_CAST "ID", BAD_CAST liczba);
        }
        xmlTextWriterWriteAttribute(w, BAD_CAST "Nazwa", BAD_CAST n.Nazwa.c_str());
        std::snprintf(liczba, sizeof liczba, "%d", n.Ilosc);
        xmlTextWriterWriteAttribute(w, BAD_CAST "Ilosc", BAD_CAST liczba);
        std::snprintf(liczba, sizeof liczba, "%.15g", n.Cena);
        xmlTextWriterWriteAttribute(w, BAD_CAST "Cena", BAD_CAST liczba);
        if (n.Wsk >= 0) {
            std::snprintf(liczba, sizeof liczba, "%d", p_Wezly[static_cast<size_t>(n.Wsk)].Id);
            xmlTextWriterWriteAttribute(w, BAD_CAST "Wsk", BAD_CAST liczba);
        }
        if (n.Lewy >= 0)
            zapisz(n.Lewy, "Lewy");
        if (n.Prawy >= 0)
            zapisz(n.Prawy, "Prawy");
        xmlTextWriterEndElement(w);
    };
    zapisz(0, "Pozycja");
    xmlTextWriterEndDocument(w);
    xmlFreeTextWriter(w);
}

// Reads the elements back into structs: values converted, children and references linked.
size_t WczytajLibxml(const char *p_Dane, int p_Rozmiar, std::vector<TWezelC> &p_Wezly)
{
    p_Wezly.clear();
    std::vector<int> stos;
    std::vector<int> idDoWezla(1, -1);
    std::vector<std::pair<int, int>> wskazania;
    xmlTextReaderPtr r = xmlReaderForMemory(p_Dane, p_Rozmiar, nullptr, "utf-8", 0);
    while (xmlTextReaderRead(r) == 1) {
        const int typ = xmlTextReaderNodeType(r);
        if (typ == XML_READER_TYPE_END_ELEMENT) {
            stos.pop_back();
            continue;
        }
        if (typ != XML_READER_TYPE_ELEMENT)
            continue;
        const int nr = static_cast<int>(p_Wezly.size());
        p_Wezly.emplace_back();
        if (!stos.empty()) {
            TWezelC &rodzic = p_Wezly[static_cast<size_t>(stos.back())];
            (std::strcmp(reinterpret_cast<const char *>(xmlTextReaderConstLocalName(r)), "Lewy") == 0 ? rodzic.Lewy
                                                                                                     : rodzic.Prawy) = nr;
        }
        TWezelC &w = p_Wezly.back();
        const bool pusty = xmlTextReaderIsEmptyElement(r);
        while (xmlTextReaderMoveToNextAttribute(r) == 1) {
            const char *nazwa = reinterpret_cast<const char *>(xmlTextReaderConstLocalName(r));
            const char *wartosc = reinterpret_cast<const char *>(xmlTextReaderConstValue(r));
            if (!std::strcmp(nazwa, "Nazwa"))
                w.Nazwa = wartosc;
            else if (!std::strcmp(nazwa, "Ilosc"))
                w.Ilosc = std::atoi(wartosc);
            else if (!std::strcmp(nazwa, "Cena"))
                w.Cena = std::strtod(wartosc, nullptr);
            else if (!std::strcmp(nazwa, "ID")) {
                w.Id = std::atoi(wartosc);
                if (static_cast<int>(idDoWezla.size()) <= w.Id)
                    idDoWezla.resize(static_cast<size_t>(w.Id) + 1, -1);
                idDoWezla[static_cast<size_t>(w.Id)] = nr;
            } else if (!std::strcmp(nazwa, "Wsk"))
                wskazania.emplace_back(nr, std::atoi(wartosc));
        }
        if (!pusty)
            stos.push_back(nr);
    }
    xmlFreeTextReader(r);
    for (const auto &[nr, id] : wskazania)
        p_Wezly[static_cast<size_t>(nr)].Wsk = id > 0 && id < static_cast<int>(idDoWezla.size()) ? idDoWezla[static_cast<size_t>(id)] : -1;
    return p_Wezly.size();
}

} // namespace

int main(int argc, char **argv)
{
    pomiar::TArgumenty arg{1000000};
    if (!pomiar::CzytajArgumenty(argc, argv, arg))
        return 2;
    const int ile = arg.Ile, rund = arg.Rundy;
    const char *samaFaza = arg.SamaFaza;

    std::vector<TWezelC> wezly;
    Zbuduj(wezly, ile);
    TPozycja korzen;
    const double obiektyMB = pomiar::PrzyrostStertyMB([&] { ZbudujObiekty(wezly, korzen); });

    const QByteArray nasz = korzen.ZapiszWStringuXML();
    xmlBufferPtr bufor = NowyBuforLibxml();
    ZapiszLibxml(wezly, bufor);
    const char *libxml = reinterpret_cast<const char *>(xmlBufferContent(bufor));
    const int dlugoscLibxml = xmlBufferLength(bufor);
    const double mbNasz = nasz.size() / 1e6, mbLib = dlugoscLibxml / 1e6;
    if (!samaFaza) {
        std::printf("bench_format_xml: %d objects, %d rounds; objects built take %.1f MB of heap; our document %.1f MB, "
                    "libxml2's %.1f MB\n",
                    ile, rund, obiektyMB, mbNasz, mbLib);
        // The figures count only if both reads give back what was written.
        TLkReadOnlyRawByteStream strumien(nasz);
        TPozycja wczytany;
        std::vector<TWezelC> wczytane;
        if (!wczytany.WczytajZPlikuXML(QStringLiteral("bench.xml"), tzxStandard, &strumien)
            || wczytany.ZapiszWStringuXML() != nasz || WczytajLibxml(libxml, dlugoscLibxml, wczytane) != wezly.size()) {
            std::fprintf(stderr, "a tree read back differs from the one written\n");
            return 1;
        }
    }

    const std::vector<pomiar::TFaza> fazy = {
        {"libxml2 write", mbLib, [&] {
             xmlBufferPtr cel = NowyBuforLibxml();
             ZapiszLibxml(wezly, cel);
             xmlBufferFree(cel);
         }},
        {"xml write", mbNasz, [&] { korzen.ZapiszWStringuXML(); }},
        {"libxml2 read", mbLib, [&] {
             std::vector<TWezelC> wczytane;
             WczytajLibxml(libxml, dlugoscLibxml, wczytane);
         }},
        {"xml read", mbNasz, [&] {
             TLkReadOnlyRawByteStream strumien(nasz);
             TPozycja wczytany;
             wczytany.WczytajZPlikuXML(QStringLiteral("bench.xml"), tzxStandard, &strumien);
         }},
    };
    const int wynik = pomiar::UruchomFazy(fazy, rund, samaFaza, {"libxml2 read", "xml read"}, obiektyMB);
    xmlBufferFree(bufor);
    return wynik;
}
