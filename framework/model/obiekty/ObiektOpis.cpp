#include "Obiekt.h"

#include <QStringList>

namespace {

// "Editing name: text" of the given fields that have a value, joined by "; ".
QString OpisPol(const TObiekt &p_Obiekt, const std::vector<int16_t> &p_Nry, bool p_ZObiektami)
{
    QStringList wpisy;
    for (const int16_t nr : p_Nry) {
        const TPole *pole = p_Obiekt.PoleJesliJest(nr);
        if (!pole || !p_Obiekt.MaWartosc(nr))
            continue;
        QString tekst;
        if (const auto *podobiekt = dynamic_cast<const TObiektBazowy *>(pole)) {
            if (!p_ZObiektami)
                continue;
            tekst = podobiekt->OpisTekstowy();
        } else {
            tekst = p_Obiekt.Tekstowo(nr);
        }
        wpisy << p_Obiekt.NazwaEdycjiPolaNr(nr) + QStringLiteral(": ") + tekst;
    }
    return wpisy.join(QStringLiteral("; "));
}

} // namespace

QString TObiekt::OpisTekstowy() const
{
    return OpisPol(*this, NryPolOprocz({}, "OpisTekstowy"), false);
}

QString TObiekt::OpisTekstowyPol(const TArrayOfConst &p_KtorePola) const
{
    return OpisPol(*this, NryPol(p_KtorePola, "OpisTekstowyPol"), true);
}

QString TObiekt::OpisTekstowyOprocz(const TArrayOfConst &p_PominPola) const
{
    return OpisPol(*this, NryPolOprocz(p_PominPola, "OpisTekstowyOprocz"), false);
}
