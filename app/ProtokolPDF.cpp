#include "ProtokolPDF.h"

namespace {

QByteArray pole(const QString &p_Tekst)
{
    // An empty field would vanish between two blanks.
    return p_Tekst.isEmpty() ? QByteArray("%") : p_Tekst.toUtf8().toPercentEncoding();
}

QString tekstPola(const QByteArray &p_Pole)
{
    return p_Pole == "%" ? QString() : QString::fromUtf8(QByteArray::fromPercentEncoding(p_Pole));
}

} // namespace

QByteArray ZadaniePDF(const QString &p_Strona, const QString &p_PlikPDF, const QStringList &p_Chronione)
{
    QByteArray wiersz = pole(p_Strona) + ' ' + pole(p_PlikPDF);
    for (const QString &plik : p_Chronione)
        wiersz += ' ' + pole(plik);
    return wiersz + '\n';
}

bool CzytajZadaniePDF(const QByteArray &p_Wiersz, QString &p_Strona, QString &p_PlikPDF, QStringList &p_Chronione)
{
    const QList<QByteArray> pola = p_Wiersz.trimmed().split(' ');
    if (pola.size() < 2 || pola[0].isEmpty())
        return false;
    p_Strona = tekstPola(pola[0]);
    p_PlikPDF = tekstPola(pola[1]);
    p_Chronione.clear();
    for (qsizetype i = 2; i < pola.size(); ++i)
        p_Chronione.append(tekstPola(pola[i]));
    return true;
}

QByteArray OdpowiedzPDF(const QString &p_Blad)
{
    return p_Blad.isEmpty() ? QByteArray("OK\n") : "BLAD " + pole(p_Blad) + '\n';
}

QString CzytajOdpowiedzPDF(const QByteArray &p_Wiersz)
{
    const QByteArray wiersz = p_Wiersz.trimmed();
    if (wiersz == "OK")
        return {};
    if (wiersz.startsWith("BLAD ")) {
        const QString powod = tekstPola(wiersz.mid(5));
        if (!powod.isEmpty())
            return powod;
    }
    return QStringLiteral("program tworzący PDF zakończył pracę bez odpowiedzi");
}
