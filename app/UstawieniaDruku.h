#pragma once

#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPair>
#include <QPrinter>
#include <QString>
#include <QStringList>

// What the print dialog chose, copied out of its printer object, so that
// nothing of the dialog has to outlive it while the job runs.
struct TUstawieniaDruku
{
    QString Kolejka;       // the CUPS queue; empty when printing to a file
    QString PlikWyjsciowy; // "print to file": the file chosen
    QPageSize Papier = QPageSize(QPageSize::A4);
    QPageLayout::Orientation Orientacja = QPageLayout::Portrait;
    QPageRanges Strony; // empty: all pages
    int Kopie = 1;
    bool Sortuj = true;
    QPrinter::DuplexMode Dwustronnie = QPrinter::DuplexNone;
    QPrinter::ColorMode Kolor = QPrinter::Color;
    QPrinter::PageOrder Kolejnosc = QPrinter::FirstPageFirst;
    // The dialog's own CUPS options (page set, pages per sheet, hold, priority,
    // banners), names and values alternately, as Qt's printer keeps them.
    QStringList OpcjeDialogu;
};

TUstawieniaDruku UstawieniaDruku(const QPrinter &p_Drukarka);

// A job option as CUPS takes it (lp -o name=value).
using TOpcjaCUPS = QPair<QByteArray, QByteArray>;

// The choices as CUPS job options. The page range is not among them: the PDF
// handed over holds only the pages chosen.
QList<TOpcjaCUPS> OpcjeCUPS(const TUstawieniaDruku &p_Ustawienia);
