#include "WyjatkiModelu.h"

ELkObcyTypError::ELkObcyTypError(const QString &p_Odczytany, const QString &p_Spodziewany)
    : ELkParserError(QStringLiteral("Obcy typ %1, spodziewany %2").arg(p_Odczytany, p_Spodziewany)),
      FOdczytanyTyp(p_Odczytany), FSpodziewanyTyp(p_Spodziewany)
{
}

QString ELkObcyTypError::OdczytanyTyp(bool p_BezPrzestrzeniNazw) const
{
    if (!p_BezPrzestrzeniNazw)
        return FOdczytanyTyp;
    const qsizetype dwukropek = FOdczytanyTyp.indexOf(QLatin1Char(':'));
    return dwukropek < 0 ? FOdczytanyTyp : FOdczytanyTyp.mid(dwukropek + 1);
}
