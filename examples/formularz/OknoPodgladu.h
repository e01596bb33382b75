#pragma once

#include "LkForm.h"

class QPlainTextEdit;
class TObiekt;

// A modeless window that shows an object's fields as they are now; it stays
// usable beside the form and refreshes with every change.
class TOknoPodgladu : public TLkForm
{
    Q_OBJECT

public:
    TOknoPodgladu(const TObiekt &p_Obiekt, QWidget *p_Owner = nullptr);

public slots:
    void Odswiez();

private:
    const TObiekt &FObiekt;
    QPlainTextEdit *FTresc;
};
