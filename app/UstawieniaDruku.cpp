#include "UstawieniaDruku.h"

#include <QPrintEngine>

namespace {

// Where Qt's CUPS printer keeps the options of its dialog's job tab (a
// private key of Qt's, stable since Qt 5).
constexpr auto opcjeCupsDrukarki = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QByteArray strony(const TUstawieniaDruku &p_Ustawienia)
{
    switch (p_Ustawienia.Dwustronnie) {
    case QPrinter::DuplexNone:
        return "one-sided";
    case QPrinter::DuplexLongSide:
        return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    case QPrinter::DuplexAuto:
        break;
    }
    // Binding along the long side of the sheet as it is read.
    return p_Ustawienia.Orientacja == QPageLayout::Portrait ? "two-sided-long-edge" : "two-sided-short-edge";
}

} // namespace

TUstawieniaDruku UstawieniaDruku(const QPrinter &p_Drukarka)
{
    TUstawieniaDruku u;
    if (p_Drukarka.outputFormat() == QPrinter::PdfFormat)
        u.PlikWyjsciowy = p_Drukarka.outputFileName();
    else
        u.Kolejka = p_Drukarka.printerName();
    const QPageLayout uklad = p_Drukarka.pageLayout();
    u.Papier = uklad.pageSize();
    u.Orientacja = uklad.orientation();
    if (p_Drukarka.printRange() == QPrinter::PageRange)
        u.Strony = p_Drukarka.pageRanges();
    u.Kopie = p_Drukarka.copyCount();
    u.Sortuj = p_Drukarka.collateCopies();
    u.Dwustronnie = p_Drukarka.duplex();
    u.Kolor = p_Drukarka.colorMode();
    u.Kolejnosc = p_Drukarka.pageOrder();
    if (QPrintEngine *silnik = p_Drukarka.printEngine())
        u.OpcjeDialogu = silnik->property(opcjeCupsDrukarki).toStringList();
    return u;
}

QList<TOpcjaCUPS> OpcjeCUPS(const TUstawieniaDruku &p_Ustawienia)
{
    QList<TOpcjaCUPS> opcje;
    const QStringList &dialog = p_Ustawienia.OpcjeDialogu;
    for (qsizetype i = 0; i + 1 < dialog.size(); i += 2)
        opcje.append(TOpcjaCUPS(dialog[i].toUtf8(), dialog[i + 1].toUtf8()));

    opcje.append(TOpcjaCUPS("media", p_Ustawienia.Papier.key().toUtf8()));
    if (p_Ustawienia.Kopie > 1) {
        opcje.append(TOpcjaCUPS("copies", QByteArray::number(p_Ustawienia.Kopie)));
        opcje.append(TOpcjaCUPS("multiple-document-handling", p_Ustawienia.Sortuj
                                                                  ? "separate-documents-collated-copies"
                                                                  : "separate-documents-uncollated-copies"));
    }
    opcje.append(TOpcjaCUPS("sides", strony(p_Ustawienia)));
    opcje.append(TOpcjaCUPS("print-color-mode", p_Ustawienia.Kolor == QPrinter::Color ? "color" : "monochrome"));
    if (p_Ustawienia.Kolejnosc == QPrinter::LastPageFirst)
        opcje.append(TOpcjaCUPS("outputorder", "reverse"));
    return opcje;
}
