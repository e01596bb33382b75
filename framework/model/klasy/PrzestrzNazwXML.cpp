#include "PrzestrzNazwXML.h"

#include <algorithm>

namespace {

// The form a class leaves to the program resolves to the program's default.
constexpr TDomyslnaFormaXML programowaFormaXML = fdxUnqualified;

bool kwalifikowana(TDomyslnaFormaXML p_Forma)
{
    return (p_Forma == fdxDefault ? programowaFormaXML : p_Forma) == fdxQualified;
}

} // namespace

bool TPrzestrzNazwXML::Qualified() const
{
    return MaWartosc(2) && Variantowo(2).JakoBoolean();
}

void TPrzestrzNazwXML::UstawQualified(bool p_Qualified)
{
    SetVariantowo(2, Variant::ZBoolean(p_Qualified));
}

void TListaPrzestrzNazwXML::DodajPrzestrzen(const TObiekt &p_Klasa, bool p_ZapisAttr, bool p_ZapisElem)
{
    const QString uri = p_Klasa.PrzestrzenNazwXML();
    if (uri.isEmpty())
        return;
    TPrzestrzNazwXML *przestrzen = DajPrzestrzen(uri);
    if (!przestrzen) {
        auto nowa = std::make_unique<TPrzestrzNazwXML>();
        nowa->UstawPrzestrzen(uri);
        przestrzen = nowa.get();
        FElementy.push_back(std::move(nowa));
    }
    if (!przestrzen->Qualified()
        && ((p_ZapisElem && kwalifikowana(p_Klasa.ElemFormDefaultXML()))
            || (p_ZapisAttr && kwalifikowana(p_Klasa.AttrFormDefaultXML()))))
        przestrzen->UstawQualified(true);
    const QByteArray prefiks = p_Klasa.PrefPrzestrzNazwXML();
    if (!prefiks.isEmpty())
        przestrzen->UstawPrefiks(prefiks);
}

TPrzestrzNazwXML *TListaPrzestrzNazwXML::DajPrzestrzen(const QString &p_Przestrzen) const
{
    const auto znaleziona = std::find_if(FElementy.begin(), FElementy.end(),
                                         [&](const auto &p_Element) { return p_Element->Przestrzen() == p_Przestrzen; });
    return znaleziona == FElementy.end() ? nullptr : znaleziona->get();
}

QByteArray TListaPrzestrzNazwXML::DajPrefiksPrzestrzNazw(const QString &p_Przestrzen) const
{
    const TPrzestrzNazwXML *przestrzen = DajPrzestrzen(p_Przestrzen);
    return przestrzen ? przestrzen->Prefiks() : QByteArray();
}

bool TListaPrzestrzNazwXML::JestTakiPrefiks(const QByteArray &p_Prefiks, int &p_Gdzie, int p_ZacznijOd) const
{
    for (int nr = std::max(p_ZacznijOd, 0); nr < IlePrzestrzNazwXML(); ++nr)
        if (PrzestrzNazwXML(nr).Prefiks() == p_Prefiks) {
            p_Gdzie = nr;
            return true;
        }
    p_Gdzie = -1;
    return false;
}

void TListaPrzestrzNazwXML::DodajPrzestrzNazwXML(std::unique_ptr<TPrzestrzNazwXML> p_Przestrzen, int p_Gdzie)
{
    const int gdzie = std::clamp(p_Gdzie, 0, IlePrzestrzNazwXML());
    FElementy.insert(FElementy.begin() + gdzie, std::move(p_Przestrzen));
}
