#pragma once

#include <QMarginsF>
#include <QString>
#include <QUrl>

// Loads the page in the same browser pane the window uses and prints it to a
// PDF file (A4; the page's own @page margins). Waits for both, bounded in time.
bool WydrukujDoPDF(const QUrl &p_Strona, const QString &p_PlikPDF, QString &p_Blad);

// The margins of the page's @page rule in millimetres (left, top, right,
// bottom); none when the page has no rule we can read.
QMarginsF MarginesyStrony(const QString &p_Html);
