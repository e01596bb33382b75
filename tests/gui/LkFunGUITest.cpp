// The small GUI helpers: the text prompt and repainting all windows.
#include "NazwaPrzypadku.h"
#include "OknaTestowe.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

namespace {

QPushButton *przyciskONapisie(QWidget *p_Okno, const QString &p_Napis)
{
    for (QPushButton *przycisk : p_Okno->findChildren<QPushButton *>())
        if (przycisk->text() == p_Napis)
            return przycisk;
    return nullptr;
}

struct TPrzypadekPytania
{
    QString Przycisk;
    bool Wynik;
    QString Wartosc;
};

void PrintTo(const TPrzypadekPytania &p, std::ostream *os)
{
    *os << p.Przycisk.toStdString();
}

class ZapytajOTekstTest : public TestGUI, public ::testing::WithParamInterface<TPrzypadekPytania>
{
};

TEST_P(ZapytajOTekstTest, OKPrzejmujeTekstAnulujZostawiaStary)
{
    QString tytul, pytanie, poczatkowy;
    ObsluzOkno<QInputDialog>([&](QInputDialog *p_Okno) {
        tytul = p_Okno->windowTitle();
        pytanie = p_Okno->labelText();
        auto *pole = p_Okno->findChild<QLineEdit *>();
        poczatkowy = pole->text();
        pole->setText(QStringLiteral("nowa wartość"));
        if (QPushButton *przycisk = przyciskONapisie(p_Okno, GetParam().Przycisk))
            przycisk->click();
        else
            p_Okno->done(QDialog::Rejected), ADD_FAILURE() << "no button";
    });

    QString wartosc = QStringLiteral("stara");
    EXPECT_EQ(ZapytajOTekst(QStringLiteral("Nagłówek"), QStringLiteral("Podaj tekst:"), wartosc), GetParam().Wynik);
    EXPECT_EQ(wartosc, GetParam().Wartosc);
    EXPECT_EQ(tytul, QStringLiteral("Nagłówek"));
    EXPECT_EQ(pytanie, QStringLiteral("Podaj tekst:"));
    EXPECT_EQ(poczatkowy, QStringLiteral("stara"));
}

INSTANTIATE_TEST_SUITE_P(Przyciski, ZapytajOTekstTest,
                         ::testing::Values(TPrzypadekPytania{"OK", true, "nowa wartość"},
                                           TPrzypadekPytania{"Anuluj", false, "stara"}),
                         NazwaZOpisu());

class TLicznikRysowania : public QLabel
{
public:
    int Rysowania = 0;

protected:
    void paintEvent(QPaintEvent *p_Zdarzenie) override
    {
        ++Rysowania;
        QLabel::paintEvent(p_Zdarzenie);
    }
};

TEST_F(TestGUI, OdswiezWszystkieOknaRysujeOdRazuTylkoZWatkuGlownego)
{
    TLicznikRysowania okno;
    okno.show();
    QCoreApplication::processEvents();

    int przed = okno.Rysowania;
    QThread *watek = QThread::create(OdswiezWszystkieOkna);
    watek->start();
    watek->wait();
    delete watek;
    EXPECT_EQ(okno.Rysowania, przed);

    OdswiezWszystkieOkna(); // no event loop in between: the paint is immediate
    EXPECT_GT(okno.Rysowania, przed);
}

} // namespace
