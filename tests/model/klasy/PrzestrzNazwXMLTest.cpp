#include "PrzestrzNazwXML.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// A class whose namespace, prefix and forms the test chooses.
class TWPrzestrzeni : public TKlasa<TWPrzestrzeni, TObiekt>
{
public:
    TWPrzestrzeni(QString p_Przestrzen, QByteArray p_Prefiks, TDomyslnaFormaXML p_Elem = fdxDefault,
                  TDomyslnaFormaXML p_Attr = fdxDefault)
        : FPrzestrzen(std::move(p_Przestrzen)), FPrefiks(std::move(p_Prefiks)), FElem(p_Elem), FAttr(p_Attr)
    {
    }
    QString PrzestrzenNazwXML() const override { return FPrzestrzen; }
    QByteArray PrefPrzestrzNazwXML() const override { return FPrefiks; }
    TDomyslnaFormaXML ElemFormDefaultXML() const override { return FElem; }
    TDomyslnaFormaXML AttrFormDefaultXML() const override { return FAttr; }

private:
    QString FPrzestrzen;
    QByteArray FPrefiks;
    TDomyslnaFormaXML FElem;
    TDomyslnaFormaXML FAttr;
};

const QString uri = QStringLiteral("http://www.mf.gov.pl/xsd/AES/CC529C.xsd");

TEST(PrzestrzNazwXML, JednaPrzestrzenOstatniPrefiksIKwalifikacja)
{
    TListaPrzestrzNazwXML lista;
    lista.DodajPrzestrzen(TWPrzestrzeni(QString(), "x", fdxQualified), true, true);
    EXPECT_EQ(lista.IlePrzestrzNazwXML(), 0);

    lista.DodajPrzestrzen(TWPrzestrzeni(uri, "a"), true, true);
    // A qualified element form counts only where elements are written.
    lista.DodajPrzestrzen(TWPrzestrzeni(uri, "b", fdxQualified, fdxUnqualified), true, false);
    ASSERT_EQ(lista.IlePrzestrzNazwXML(), 1);
    EXPECT_EQ(lista.DajPrefiksPrzestrzNazw(uri), QByteArray("b"));
    EXPECT_FALSE(lista.PrzestrzNazwXML(0).Qualified());

    lista.DodajPrzestrzen(TWPrzestrzeni(uri, {}, fdxQualified), false, true);
    EXPECT_TRUE(lista.DajPrzestrzen(uri)->Qualified());
    EXPECT_EQ(lista.DajPrefiksPrzestrzNazw(uri), QByteArray("b"));
    // Once qualified it stays so.
    lista.DodajPrzestrzen(TWPrzestrzeni(uri, {}, fdxUnqualified, fdxUnqualified), true, true);
    EXPECT_TRUE(lista.DajPrzestrzen(uri)->Qualified());

    lista.DodajPrzestrzen(TWPrzestrzeni(QStringLiteral("urn:inna"), "b", fdxDefault, fdxQualified), true, false);
    EXPECT_TRUE(lista.DajPrzestrzen(QStringLiteral("urn:inna"))->Qualified());
    int gdzie = -2;
    EXPECT_TRUE(lista.JestTakiPrefiks("b", gdzie, 1));
    EXPECT_EQ(gdzie, 1);
    EXPECT_FALSE(lista.JestTakiPrefiks("a", gdzie));
    EXPECT_EQ(gdzie, -1);
    EXPECT_EQ(lista.DajPrzestrzen(QStringLiteral("urn:brak")), nullptr);

    QStringList kolejnosc;
    for (const auto &przestrzen : lista)
        kolejnosc << przestrzen->Przestrzen();
    EXPECT_EQ(kolejnosc, (QStringList{uri, QStringLiteral("urn:inna")}));
}

} // namespace
