#include "DaneDokumentu.h"

#include <QRegularExpression>

namespace {

TWezelXML dziecko(const TWezelXML &p_Rodzic, const QString &p_Nazwa)
{
    for (TWezelXML wezel = p_Rodzic.PierwszeDziecko(); wezel; wezel = wezel.NastepneRodzenstwo())
        if (wezel.Nazwa() == p_Nazwa)
            return wezel;
    return {};
}

} // namespace

bool TDaneDokumentu::JestIE599() const
{
    return Typ && Typ->NazwaLokalna == QLatin1StringView("CC599C");
}

QString OdczytajMRN(const TDokXML &p_Dokument)
{
    if (!p_Dokument)
        return {};
    // Comments and processing instructions may stand before the root.
    for (TWezelXML korzen = TWezelXML::Dokument(p_Dokument).PierwszeDziecko(); korzen;
         korzen = korzen.NastepneRodzenstwo()) {
        const TWezelXML mrn = dziecko(dziecko(korzen, QStringLiteral("ExportOperation")), QStringLiteral("MRN"));
        if (!mrn)
            continue;
        static const QRegularExpression wzor(QStringLiteral("^[0-9A-Za-z]{1,35}$"));
        const QString tekst = mrn.Tekst().trimmed();
        return wzor.match(tekst).hasMatch() ? tekst : QString();
    }
    return {};
}
