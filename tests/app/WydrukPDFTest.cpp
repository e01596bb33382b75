// How a page becomes a PDF and what the print dialog's choices become.
#include "DrukQt.h"
#include "KatalogTestowy.h"
#include "UstawieniaDruku.h"
#include "WydrukPDF.h"

#include <QElapsedTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

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

class LimitStronyTest : public KatalogTestowy
{
};

TEST_F(LimitStronyTest, APageAboveTheLimitIsRefusedAtOnceWithItsSize)
{
    EXPECT_TRUE(OdmowaWydruku({QUrl(), MaksRozmiarStronyDoPDF, {}}).isEmpty());
    EXPECT_EQ(OdmowaWydruku({QUrl(), MaksRozmiarStronyDoPDF + 1, {}}),
              QStringLiteral("Dokument jest zbyt duży, aby go wydrukować:\rstrona ma 17 MB, a wydruk przyjmuje "
                             "najwyżej 16 MB."));

    // The render tool's road: refused before the engine is even asked.
    QFile strona(Sciezka(QStringLiteral("duza.html")));
    ASSERT_TRUE(strona.open(QIODevice::WriteOnly));
    strona.write("<html><head><style>@page { margin: 1cm }</style></head><body>");
    ASSERT_TRUE(strona.resize(MaksRozmiarStronyDoPDF + 1));
    strona.close();
    const QString pdf = Sciezka(QStringLiteral("duza.pdf"));
    QString blad;
    QElapsedTimer zegar;
    zegar.start();
    EXPECT_FALSE(WydrukujDoPDF(QUrl::fromLocalFile(strona.fileName()), pdf, blad));
    EXPECT_LT(zegar.elapsed(), 1000);
    EXPECT_TRUE(blad.startsWith(QStringLiteral("Dokument jest zbyt duży, aby go wydrukować:\r"))) << qPrintable(blad);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(LimitStronyTest, TheRenderToolsPdfNeverReplacesTheFilesItIsToldToKeep)
{
    const QString strona = ZapiszPlik(QStringLiteral("strona.html"),
                                      "<html><head><style>@page { margin: 1cm }</style></head><body>Zwolnienie</body></html>");
    const QString wiadomosc = ZapiszPlik(QStringLiteral("IE529.xml"), "<ns5:CC529C/>");
    QString blad;
    EXPECT_FALSE(WydrukujDoPDF(QUrl::fromLocalFile(strona), wiadomosc, blad, {wiadomosc}));
    EXPECT_EQ(blad, QStringLiteral("Nie można zapisać pliku %1: to plik wejściowy").arg(wiadomosc));
    EXPECT_EQ(CzytajPlik(wiadomosc), QByteArray("<ns5:CC529C/>"));

    const QString pdf = Sciezka(QStringLiteral("strona.pdf"));
    ASSERT_TRUE(WydrukujDoPDF(QUrl::fromLocalFile(strona), pdf, blad, {wiadomosc})) << qPrintable(blad);
    EXPECT_TRUE(CzytajPlik(pdf).startsWith("%PDF-"));
}

TEST(UstawieniaDruku, TheDialogsChoicesBecomeCupsJobOptions)
{
    struct TPrzypadek
    {
        const char *Opis;
        std::function<void(TUstawieniaDruku &)> Wybor;
        QList<TOpcjaCUPS> Oczekiwane;
    };
    const TPrzypadek przypadki[] = {
        {"as the dialog opens", [](TUstawieniaDruku &) {},
         {{"media", "A4"}, {"sides", "one-sided"}, {"print-color-mode", "color"}}},
        {"copies collated, long edge, grey, last page first",
         [](TUstawieniaDruku &u) {
             u.Kopie = 3;
             u.Dwustronnie = QPrinter::DuplexLongSide;
             u.Kolor = QPrinter::GrayScale;
             u.Kolejnosc = QPrinter::LastPageFirst;
         },
         {{"media", "A4"},
          {"copies", "3"},
          {"multiple-document-handling", "separate-documents-collated-copies"},
          {"sides", "two-sided-long-edge"},
          {"print-color-mode", "monochrome"},
          {"outputorder", "reverse"}}},
        {"copies apart, Letter across, duplex as the sheet turns",
         [](TUstawieniaDruku &u) {
             u.Kopie = 2;
             u.Sortuj = false;
             u.Papier = QPageSize(QPageSize::Letter);
             u.Orientacja = QPageLayout::Landscape;
             u.Dwustronnie = QPrinter::DuplexAuto;
         },
         {{"media", "Letter"},
          {"copies", "2"},
          {"multiple-document-handling", "separate-documents-uncollated-copies"},
          {"sides", "two-sided-short-edge"},
          {"print-color-mode", "color"}}},
        {"the dialog's own job options first; no page range, the PDF holds the pages",
         [](TUstawieniaDruku &u) {
             u.Strony = QPageRanges::fromString(QStringLiteral("2-5"));
             u.OpcjeDialogu = {QStringLiteral("page-set"), QStringLiteral("odd"), QStringLiteral("job-hold-until"),
                               QStringLiteral("indefinite")};
         },
         {{"page-set", "odd"},
          {"job-hold-until", "indefinite"},
          {"media", "A4"},
          {"sides", "one-sided"},
          {"print-color-mode", "color"}}},
    };
    for (const auto &p : przypadki) {
        TUstawieniaDruku ustawienia;
        p.Wybor(ustawienia);
        EXPECT_EQ(OpcjeCUPS(ustawienia), p.Oczekiwane) << p.Opis;
    }
}

TEST(UstawieniaDruku, AreTakenFromThePrinterTheDialogFilledIn)
{
    QPrinter drukarka;
    drukarka.setOutputFileName(QStringLiteral("/tmp/wydruk.pdf"));
    drukarka.setPageSize(QPageSize(QPageSize::A5));
    drukarka.setPageOrientation(QPageLayout::Landscape);
    drukarka.setPrintRange(QPrinter::PageRange);
    drukarka.setFromTo(2, 5);
    drukarka.setCopyCount(2);
    drukarka.setColorMode(QPrinter::GrayScale);
    const TUstawieniaDruku u = UstawieniaDruku(drukarka);
    EXPECT_TRUE(u.Kolejka.isEmpty());
    EXPECT_EQ(u.PlikWyjsciowy, QStringLiteral("/tmp/wydruk.pdf"));
    EXPECT_EQ(u.Papier.id(), QPageSize::A5);
    EXPECT_EQ(u.Orientacja, QPageLayout::Landscape);
    EXPECT_EQ(u.Strony.toString(), QStringLiteral("2-5"));
    EXPECT_EQ(u.Kopie, 2);
    EXPECT_EQ(u.Kolor, QPrinter::GrayScale);

    // "All pages" leaves no range, whatever the spin boxes held.
    drukarka.setPrintRange(QPrinter::AllPages);
    EXPECT_TRUE(UstawieniaDruku(drukarka).Strony.isEmpty());
}

} // namespace
