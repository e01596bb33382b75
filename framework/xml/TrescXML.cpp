#include "TrescXML.h"

QString KodujTekstXML(const QString &p_Tekst)
{
    QString wynik;
    wynik.reserve(p_Tekst.size() + p_Tekst.size() / 8);
    for (const QChar znak : p_Tekst) {
        const char16_t kod = znak.unicode();
        switch (kod) {
        case u'&':
            wynik += QLatin1String("&amp;");
            break;
        case u'"':
            wynik += QLatin1String("&quot;");
            break;
        case u'<':
            wynik += QLatin1String("&lt;");
            break;
        case u'>':
            wynik += QLatin1String("&gt;");
            break;
        case u'\'':
            wynik += QLatin1String("&apos;");
            break;
        default:
            if (kod < 32 || znak.isSurrogate() || kod == 0xFFFF)
                wynik += QStringLiteral("&#%1;").arg(kod);
            else
                wynik += znak;
        }
    }
    return wynik;
}

void WstawTrescXML(QString &p_Wynik, const QString &p_TrescXML)
{
    if (p_TrescXML.isEmpty())
        return;
    static const QString znacznik = QString::fromLatin1(ZnacznikTresciXML);
    const qsizetype pozycja = p_Wynik.indexOf(znacznik);
    if (pozycja >= 0)
        p_Wynik.replace(pozycja, znacznik.size(), KodujTekstXML(p_TrescXML));
}
