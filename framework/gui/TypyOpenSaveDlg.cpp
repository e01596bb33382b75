#include "TypyOpenSaveDlg.h"

namespace {

const QString wszystkie = QStringLiteral("*.*");

QStringList linieFiltru(const QString &p_Filtr)
{
    return p_Filtr.split(QLatin1Char('|'));
}

} // namespace

bool TFormatZapisu::ZawieraMaske(const QString &p_Maska) const
{
    for (const QString &czesc : MaskaPliku.toLower().split(QLatin1Char(';'))) {
        if (czesc.compare(p_Maska, Qt::CaseInsensitive) == 0)
            return true;
        if (czesc == wszystkie)
            continue;
        qsizetype i = 0;
        while (i < czesc.size() && i < p_Maska.size() && czesc.at(i) == p_Maska.at(i))
            ++i;
        if (czesc.mid(i) == QStringLiteral("*"))
            return true;
    }
    return false;
}

void TListaFormatowZapisu::DodajFormat(TFormatZapisu p_Format, int p_Gdzie)
{
    if (p_Gdzie < 0 || p_Gdzie > Count())
        FFormaty.push_back(std::move(p_Format));
    else
        FFormaty.insert(FFormaty.begin() + p_Gdzie, std::move(p_Format));
}

void TListaFormatowZapisu::DodajTypyPlikow(const QString &p_Filtr)
{
    const QStringList linie = linieFiltru(p_Filtr);
    for (qsizetype i = 0; i + 1 < linie.size(); i += 2)
        FFormaty.push_back({linie.at(i), linie.at(i + 1), linie.at(i)});
}

QString TListaFormatowZapisu::OpisTekstowy() const
{
    QStringList czesci;
    for (const TFormatZapisu &format : FFormaty)
        czesci << format.OpisFormatu << format.MaskaPliku;
    return czesci.join(QLatin1Char('|'));
}

void TListaFormatowZapisu::Uporzadkuj()
{
    for (int i = Count() - 2; i >= 0; --i)
        if (FFormaty[i].MaskaPliku == wszystkie) {
            TFormatZapisu format = std::move(FFormaty[i]);
            FFormaty.erase(FFormaty.begin() + i);
            FFormaty.push_back(std::move(format));
            return;
        }
}

bool TListaFormatowZapisu::WyznaczFilterIndex(int &p_Indeks, const QString &p_Rozszerzenie,
                                               const QString &p_IDFormatu) const
{
    if (!p_IDFormatu.isEmpty())
        for (int i = 0; i < Count(); ++i)
            if (FFormaty[i].IDFormatu == p_IDFormatu) {
                p_Indeks = i + 1;
                return true;
            }
    if (p_Rozszerzenie.isEmpty())
        return false;
    QString maska = p_Rozszerzenie;
    if (!maska.startsWith(QLatin1Char('*')))
        maska = (maska.startsWith(QLatin1Char('.')) ? QStringLiteral("*") : QStringLiteral("*.")) + maska;
    for (int i = Count() - 1; i >= 0; --i)
        if (FFormaty[i].ZawieraMaske(maska)) {
            p_Indeks = i + 1;
            return true;
        }
    return false;
}

bool SprawdzFiltr(const QString &p_Filtr)
{
    if (p_Filtr.isEmpty())
        return true;
    if (p_Filtr.count(QLatin1Char('|')) % 2 == 0)
        return false;
    for (const QChar znak : p_Filtr.mid(p_Filtr.lastIndexOf(QLatin1Char('|')) + 1))
        if (znak.unicode() > 32)
            return true;
    return false;
}

QStringList FiltrJakoNazwyQt(const QString &p_Filtr)
{
    QStringList nazwy;
    const QStringList linie = linieFiltru(p_Filtr);
    for (qsizetype i = 0; i + 1 < linie.size(); i += 2)
        nazwy << linie.at(i) + QStringLiteral(" (") + linie.at(i + 1).split(QLatin1Char(';')).join(QLatin1Char(' ')) +
                     QLatin1Char(')');
    return nazwy;
}
