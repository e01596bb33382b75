#pragma once

#include "KodowanieCSV.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>

// Splits CSV data into lines of cells. The data is UTF-16 text (after an
// FF FE mark) or bytes in the given encoding (UTF-8 after EF BB BF when the
// encoding is the default); cells are decoded one by one. A cell ends at the
// separator (the line goes on), at CR, LF or CR LF (the line ends too), or at
// the end of the data. A double quote opens a quoted stretch, where
// separators and line breaks belong to the cell and a doubled quote is one
// quote; a quote followed by the separator, a line break or the end closes
// it; any other quote inside is kept as it is. A quote never closed takes the
// rest of the data; a separator as the last byte gives a last empty cell.
class TCzytnikCSV
{
public:
    TCzytnikCSV(QByteArray p_Dane, char p_Separator, TTypKodowaniaCSV p_TypKodowania, bool p_IgnorujCudzyslow);

    bool Pusty() const { return FRozmiar == 0; }
    // The next line's cells; false at the end of the data.
    bool NastepnaLinia(QStringList &p_Komorki);
    // The number of the line read last, from 1.
    int NrLinii() const { return FNrLinii; }

private:
    template <typename T> bool CzytajLinie(const T *p_Dane, QStringList &p_Komorki);
    template <typename T> QString Komorka(const std::basic_string<T> &p_Jednostki) const;

    QByteArray FDane;
    // The text after an FF FE mark (then the bytes are not used).
    QString FTekst;
    bool FUTF16 = false;
    qsizetype FPoczatek = 0;
    // In bytes, or in 16-bit units of FTekst.
    qsizetype FRozmiar = 0;
    qsizetype FPoz = 0;
    char FSeparator;
    TTypKodowaniaCSV FTypKodowania;
    bool FIgnorujCudzyslow;
    int FNrLinii = 0;
};
