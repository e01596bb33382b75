#include "NaprawaXML.h"
#include "Wyjatki.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Prolog = "\xEF\xBB\xBF  \r\n<?XML version=\"1.0\"?>";

} // namespace

TEST(NaprawTrescXML, RemovesForbiddenReferencesAfterBomSpacesAndCapitalDeclaration)
{
    QByteArray xml = Prolog + "<a>x&#1;y&#x1f;z</a>";
    EXPECT_TRUE(NaprawTrescXML(xml));
    EXPECT_EQ(xml, Prolog + "<a>xyz</a>");

    QByteArray dozwolone = Prolog + "<a>x&#10;y</a>";
    const QByteArray przed = dozwolone;
    EXPECT_FALSE(NaprawTrescXML(dozwolone));
    EXPECT_EQ(dozwolone, przed);
}

TEST(NaprawTrescXML, ExactlyTheCharactersXmlForbids)
{
    for (int kod = 0; kod <= 40; ++kod) {
        const bool zakazany = kod <= 8 || kod == 11 || kod == 12 || (kod >= 14 && kod <= 31);
        for (const QByteArray &odwolanie : {"&#" + QByteArray::number(kod) + ";",
                                            "&#x" + QByteArray::number(kod, 16).toUpper() + ";",
                                            "&#x000" + QByteArray::number(kod, 16) + ";"}) {
            QByteArray xml = "<?xml?><a>" + odwolanie + "</a>";
            EXPECT_EQ(NaprawTrescXML(xml), zakazany) << odwolanie.constData();
            EXPECT_EQ(xml, zakazany ? QByteArray("<?xml?><a></a>") : "<?xml?><a>" + odwolanie + "</a>");
        }
    }
}

TEST(NaprawTrescXML, LeavesOtherTextAlone)
{
    const QByteArray przypadki[] = {
        "",
        "<a>&#1;</a>",                           // not an XML declaration first
        "x<?xml?><a>&#1;</a>",
        "<?xml?><a>bez odwołań</a>",
        "<?xml?><a>&amp;&lt;&#65;&#x41;&#1000000000000;</a>",
    };
    for (QByteArray bajty : przypadki) {
        const QByteArray przed = bajty;
        EXPECT_FALSE(NaprawTrescXML(bajty)) << przed.constData();
        EXPECT_EQ(bajty, przed);
    }
}

TEST(NaprawTrescXML, MalformedNumericReferencesRaise)
{
    const QByteArray przypadki[] = {"&#;", "&#x;", "&#X1f;", "&#1a;", "&#x1g;", "&#12", "&#", "&# 1;"};
    for (const QByteArray &odwolanie : przypadki) {
        QByteArray xml = "<?xml?><a>&#1;" + odwolanie;
        const QByteArray przed = xml;
        try {
            NaprawTrescXML(xml);
            ADD_FAILURE() << "no exception for " << odwolanie.constData();
        } catch (const Exception &e) {
            EXPECT_EQ(e.Message(), QStringLiteral("błędna treść XML"));
        }
        EXPECT_EQ(xml, przed); // nothing half-repaired
    }
}
