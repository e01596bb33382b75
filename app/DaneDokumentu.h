#pragma once

#include "TypyDokumentow.h"
#include "WezelXML.h"

#include <QString>

// What a road learns of a message besides its page: which message it is and
// its MRN, read from the tree the transformation parsed (no second reading).
struct TDaneDokumentu
{
    const TTypDokumentu *Typ = nullptr;
    QString MRN; // empty when the message has none we can trust

    bool JestIE599() const;
};

// The MRN under the root's ExportOperation, from a tree whose elements in the
// root's namespace are already unqualified. Empty when missing or when it is
// not a plausible MRN (letters and digits, at most 35): it goes into a mail
// subject and a file name.
QString OdczytajMRN(const TDokXML &p_Dokument);
