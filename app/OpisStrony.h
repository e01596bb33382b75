#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QUrl>

// What printing needs to know of a rendered page before the browser engine
// sees it: its size, its own margins, and whether it may be printed at all.

// Pages larger than this (bytes of HTML) are refused at once: beyond it the
// engine needs gigabytes and minutes, and fails more often than not.
extern const qint64 MaksRozmiarStronyDoPDF;

// What printing needs of a page, taken while its file is known to be whole.
struct TOpisStrony
{
    QUrl Adres;
    qint64 Rozmiar = -1; // bytes; -1 when the file cannot be read
    QMarginsF Marginesy; // millimetres
};
TOpisStrony OpiszStrone(const QUrl &p_Adres);

// Empty when the page may be printed; otherwise why not, in Polish.
QString OdmowaWydruku(const TOpisStrony &p_Strona);

// The page's layout for the engine: the paper and orientation given, the margins of the page.
QPageLayout UkladWydruku(const TOpisStrony &p_Strona, const QPageSize &p_Papier = QPageSize(QPageSize::A4),
                         QPageLayout::Orientation p_Orientacja = QPageLayout::Portrait);

// The margins of the page's @page rule in millimetres (left, top, right,
// bottom); none when the page has no rule we can read.
QMarginsF MarginesyStrony(const QString &p_Html);
