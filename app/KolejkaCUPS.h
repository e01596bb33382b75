#pragma once

#include "UstawieniaDruku.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Hands a PDF to a CUPS queue as one job (CUPS prints PDF as it is). Blocks
// until the queue has taken it, which over a network may take a while: call
// it off the GUI thread. False with the reason in Polish in p_Blad.
bool WyslijDoCUPS(const QString &p_Kolejka, const QByteArray &p_Pdf, const QString &p_Tytul,
                  const QList<TOpcjaCUPS> &p_Opcje, QString &p_Blad);
