#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lines the render tool and its PDF maker exchange in a batch, so that
// the browser engine starts once for many pages. A request is one line: the
// page, the PDF and the files the PDF must never overwrite, each
// percent-encoded (no blank, no line break) and separated by blanks. The
// answer is "OK" or "BLAD " and the reason percent-encoded.
QByteArray ZadaniePDF(const QString &p_Strona, const QString &p_PlikPDF, const QStringList &p_Chronione);
// False for a line that is no request (fewer than two fields).
bool CzytajZadaniePDF(const QByteArray &p_Wiersz, QString &p_Strona, QString &p_PlikPDF, QStringList &p_Chronione);

QByteArray OdpowiedzPDF(const QString &p_Blad);
// The reason of a failure; empty for "OK". A line that is neither is a failure too.
QString CzytajOdpowiedzPDF(const QByteArray &p_Wiersz);
