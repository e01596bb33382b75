#include "StylePodpowiedzi.h"

#include "Kolory.h"

#include <QStringList>

#include <limits>

namespace {

struct TBitStylu
{
    const char *Nazwa;
    bool Ex;
    uint8_t Bit;
};

constexpr TBitStylu bityStylu[] = {
    {"fsBold", false, fsBold},       {"fsItalic", false, fsItalic}, {"fsUnderline", false, fsUnderline},
    {"fsStrikeOut", false, fsStrikeOut}, {"fsOutline", true, fsOutline}, {"fsShadow", true, fsShadow},
};

QString kluczStylu(const TDaneStylu &p_Styl)
{
    return QString::number(p_Styl.Kolor) + QLatin1Char(',') + QString::number(p_Styl.Styl) + QLatin1Char(',')
           + QString::number(p_Styl.StylEx) + QLatin1Char(',') + QString::number(p_Styl.Rozm) + QLatin1Char(',')
           + p_Styl.Kroj;
}

} // namespace

TDaneStylu CzytajTagStylu(const QString &p_Tresc)
{
    TDaneStylu styl;
    // Items are taken as written: "[fsBold, clRed]" has the item " clRed".
    const QStringList pozycje = p_Tresc.split(QLatin1Char(','));
    for (const QString &pozycja : pozycje) {
        const qsizetype rownosc = pozycja.indexOf(QLatin1Char('='));
        if (rownosc >= 0) {
            const QStringView klucz = QStringView(pozycja).left(rownosc);
            const QString wartosc = pozycja.mid(rownosc + 1);
            if (klucz.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0) {
                styl.Kroj = wartosc;
            } else if (klucz.compare(QLatin1String("Size"), Qt::CaseInsensitive) == 0) {
                bool ok = false;
                const int rozmiar = wartosc.toInt(&ok);
                // The size is 16 bits wide and keeps only those, as it always has.
                if (ok)
                    styl.Rozm = static_cast<int16_t>(rozmiar);
            }
            continue;
        }
        bool bit = false;
        for (const TBitStylu &b : bityStylu)
            if (pozycja.compare(QLatin1String(b.Nazwa), Qt::CaseInsensitive) == 0) {
                (b.Ex ? styl.StylEx : styl.Styl) |= b.Bit;
                bit = true;
                break;
            }
        TKolor kolor;
        if (!bit && styl.Kolor == clNone && CzytajKolor(pozycja, kolor))
            styl.Kolor = kolor;
    }
    return styl;
}

int16_t TListaStylow::Dodaj(const TDaneStylu &p_Styl)
{
    const QString klucz = kluczStylu(p_Styl);
    const auto znaleziony = FIndeks.constFind(klucz);
    if (znaleziony != FIndeks.cend())
        return *znaleziony;
    if (FStyle.size() > size_t(std::numeric_limits<int16_t>::max()))
        return 0;
    const auto nr = static_cast<int16_t>(FStyle.size());
    FStyle.push_back(p_Styl);
    FIndeks.insert(klucz, nr);
    return nr;
}

void TListaStylow::Wyczysc()
{
    FStyle.clear();
    FIndeks.clear();
}

const TDaneStylu &TListaStylow::operator[](int p_Nr) const
{
    static const TDaneStylu pusty;
    if (p_Nr >= 0 && size_t(p_Nr) < FStyle.size())
        return FStyle[size_t(p_Nr)];
    return FStyle.empty() ? pusty : FStyle.front();
}
