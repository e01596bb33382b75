#include "WydrukPDF.h"

#include <gtest/gtest.h>

TEST(WydrukPDF, MarginsComeFromThePagesOwnRule)
{
    struct TPrzypadek
    {
        const char *Html;
        QMarginsF Oczekiwane; // left, top, right, bottom in mm
    };
    const TPrzypadek przypadki[] = {
        {"<style>@page { margin:0.984in 0.984in 0.984in 0.984in }</style>", {24.9936, 24.9936, 24.9936, 24.9936}},
        {"<style>p{margin:0} @page{margin:10mm 2cm}</style>", {20, 10, 20, 10}},
        {"@page { size: A4; margin: 1mm 2mm 3mm 4mm; }", {4, 1, 2, 3}},
        {"@page { margin: 0 }", {0, 0, 0, 0}},
        {"<p style='margin:5mm'>no page rule</p>", {}},
        {"@page { margin: auto }", {}},
    };
    for (const auto &p : przypadki) {
        const QMarginsF m = MarginesyStrony(QString::fromLatin1(p.Html));
        EXPECT_NEAR(m.left(), p.Oczekiwane.left(), 1e-3) << p.Html;
        EXPECT_NEAR(m.top(), p.Oczekiwane.top(), 1e-3) << p.Html;
        EXPECT_NEAR(m.right(), p.Oczekiwane.right(), 1e-3) << p.Html;
        EXPECT_NEAR(m.bottom(), p.Oczekiwane.bottom(), 1e-3) << p.Html;
    }
}
