#pragma once

#include "OpisStrony.h"

#include <QByteArray>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QUrl>

class TWidokDokumentu;

// How a rendered page becomes a PDF, for the window's printing and the render
// tool alike: the browser engine prints the page as vector text with the
// chosen paper and the page's own @page margins.

// Pages of a PDF the engine wrote (plain objects, one "/Type /Page" each).
int LiczbaStronPDF(const QByteArray &p_Pdf);

// Prints the page shown in a view to PDF in memory. A page still loading is
// waited for. Gotowe comes exactly once, from the event loop, with the PDF or
// with the reason it could not be made.
class TWydrukPDF : public QObject
{
    Q_OBJECT
public:
    TWydrukPDF(TWidokDokumentu &p_Widok, QObject *p_Rodzic = nullptr);

    // p_Strony: pages to print, numbered from 1; empty for all. Pages all
    // beyond the document are an error, not the whole document.
    void Drukuj(const QPageLayout &p_Uklad, const QPageRanges &p_Strony = {});

signals:
    void Gotowe(const QByteArray &p_Pdf, const QString &p_Blad);

private:
    void drukujZaladowana();
    void wydrukowano(const QByteArray &p_Pdf);
    void policzono(const QByteArray &p_Calosc);
    void drukujSilnikiem(const QPageRanges &p_Strony, void (TWydrukPDF::*p_Dalej)(const QByteArray &));

    TWidokDokumentu &FWidok;
    QPageLayout FUklad;
    QPageRanges FStrony;
    QByteArray FPdf;
};

// Loads the page in a browser pane of its own and writes its PDF to p_PlikPDF
// as ZapiszPlikWynikowy writes: never through a link, never over the page
// nor over any of p_Chronione (the message it was made from, say). Waits for
// both, bounded in time. False with the reason in Polish in p_Blad.
bool WydrukujDoPDF(const QUrl &p_Strona, const QString &p_PlikPDF, QString &p_Blad,
                   const QStringList &p_Chronione = {}, const QPageSize &p_Papier = QPageSize(QPageSize::A4),
                   QPageLayout::Orientation p_Orientacja = QPageLayout::Portrait);
// The same in a pane the caller keeps for many pages (a batch): the
// engine's profile and renderer are made once, not once per page.
bool WydrukujDoPDF(TWidokDokumentu &p_Widok, const QUrl &p_Strona, const QString &p_PlikPDF, QString &p_Blad,
                   const QStringList &p_Chronione = {}, const QPageSize &p_Papier = QPageSize(QPageSize::A4),
                   QPageLayout::Orientation p_Orientacja = QPageLayout::Portrait);
