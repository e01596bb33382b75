#include "NazwyWynikow.h"

#include <QFileInfo>
#include <QSet>

QStringList NadajNazwyWynikow(const QStringList &p_Wejscia, const std::function<bool(const QString &)> &p_Zajeta)
{
    QStringList nazwy;
    nazwy.reserve(p_Wejscia.size());
    QSet<QString> zajete;
    for (const QString &wejscie : p_Wejscia) {
        QString podstawa = QFileInfo(wejscie).completeBaseName();
        if (podstawa.isEmpty())
            podstawa = QStringLiteral("bez_nazwy");
        QString nazwa = podstawa;
        // A name taken by an earlier input, or made by an earlier suffix, moves on.
        for (int numer = 2; zajete.contains(nazwa.toCaseFolded()) || (p_Zajeta && p_Zajeta(nazwa)); ++numer)
            nazwa = QStringLiteral("%1_%2").arg(podstawa).arg(numer);
        zajete.insert(nazwa.toCaseFolded());
        nazwy.append(nazwa);
    }
    return nazwy;
}
