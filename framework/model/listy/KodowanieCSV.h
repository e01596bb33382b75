#pragma once

#include "FormatSettings.h"

#include <QByteArray>
#include <QString>

// The encodings of CSV files; the default is Windows-1250.
enum TTypKodowaniaCSV { tkcDomyslny, tkcWin1250, tkcUTF8, tkcISO88592 };

// The settings dates and times of CSV cells are written and read with: the
// given ones, or the model's CSV settings ("yyyy-MM-dd", "hh:mm:ss").
TFormatSettings FormatDatyCSV(const TFormatSettings *p_FormatDaty);

// One cell of a CSV row as written: the text converted to bytes (characters
// the encoding lacks become "?"), with p_TekstDoLinii line breaks at the ends
// removed and others made blanks, and quoted when asked or when it holds the
// separator, a line break or a double quote (quotes doubled inside, a lone CR
// followed by an LF). An empty text gives no bytes.
QByteArray KomorkaCSV(const QString &p_Tekst, char p_Separator, TTypKodowaniaCSV p_TypKodowania,
                      bool p_ZawszeCudzyslow, bool p_TekstDoLinii);
