// The real message dialog: caption, icon, buttons in bit order, default
// button, the answer of the pressed button.
#include "NazwaPrzypadku.h"
#include "OknaTestowe.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The captions of the dialog's buttons as they are laid out.
QStringList napisyWKolejnosci(QMessageBox *p_Okno)
{
    QStringList napisy;
    auto *pasek = p_Okno->findChild<QDialogButtonBox *>();
    if (!pasek || !pasek->layout())
        return napisy;
    for (int i = 0; i < pasek->layout()->count(); ++i)
        if (auto *przycisk = qobject_cast<QAbstractButton *>(pasek->layout()->itemAt(i)->widget()))
            napisy << przycisk->text();
    return napisy;
}

QAbstractButton *przyciskONapisie(QMessageBox *p_Okno, const QString &p_Napis)
{
    for (QAbstractButton *przycisk : p_Okno->buttons())
        if (przycisk->text() == p_Napis)
            return przycisk;
    return nullptr;
}

struct TPrzypadekOkna
{
    TMsgDlgType Rodzaj;
    TMsgDlgButtons Przyciski;
    QString Tytul;
    QMessageBox::Icon Ikona;
    QStringList Napisy;
    QString Domyslny;
    QString Naciskany;
    int Odpowiedz;
};

void PrintTo(const TPrzypadekOkna &p, std::ostream *os)
{
    *os << p.Tytul.toStdString() << " " << p.Naciskany.toStdString();
}

class OknoKomunikatuTest : public TestGUI, public ::testing::WithParamInterface<TPrzypadekOkna>
{
};

TEST_P(OknoKomunikatuTest, PokazujeRodzajIPrzyciskiIOddajeOdpowiedz)
{
    const TPrzypadekOkna &p = GetParam();
    UstawTytulAplikacji(QStringLiteral("Ostrevia"));
    QString tytul, tekst, domyslny;
    QStringList napisy;
    QMessageBox::Icon ikona = QMessageBox::NoIcon;
    ObsluzOkno<QMessageBox>([&](QMessageBox *p_Okno) {
        tytul = p_Okno->windowTitle();
        tekst = p_Okno->text();
        ikona = p_Okno->icon();
        napisy = napisyWKolejnosci(p_Okno);
        domyslny = p_Okno->defaultButton() ? p_Okno->defaultButton()->text() : QString();
        if (QAbstractButton *naciskany = przyciskONapisie(p_Okno, p.Naciskany)) {
            naciskany->click();
        } else {
            ADD_FAILURE() << "no button " << p.Naciskany.toStdString();
            p_Okno->done(0);
        }
    });

    const int odpowiedz = PokazKomunikat(QStringLiteral("Pierwsza <b>linia</b>\rdruga"), p.Rodzaj, p.Przyciski, 0);

    EXPECT_EQ(tytul, p.Tytul);
    EXPECT_EQ(tekst, QStringLiteral("Pierwsza <b>linia</b>\ndruga"));
    EXPECT_EQ(ikona, p.Ikona);
    EXPECT_EQ(napisy, p.Napisy);
    EXPECT_EQ(domyslny, p.Domyslny);
    EXPECT_EQ(odpowiedz, p.Odpowiedz);
}

INSTANTIATE_TEST_SUITE_P(
    RodzajeIZestawy, OknoKomunikatuTest,
    ::testing::Values(
        TPrzypadekOkna{mtWarning, mbOKOnly, "UWAGA!", QMessageBox::Warning, {"OK"}, "OK", "OK", mrOk},
        TPrzypadekOkna{mtError, mbYesNo, "Błąd", QMessageBox::Critical, {"&Tak", "&Nie"}, "&Tak", "&Nie", mrNo},
        TPrzypadekOkna{mtInformation, mbAbortRetryIgnore, "Informacja", QMessageBox::Information,
                       {"Prze&rwij", "Ponów p&róbę", "&Ignoruj"}, "Ponów p&róbę", "&Ignoruj", mrIgnore},
        TPrzypadekOkna{mtConfirmation, static_cast<TMsgDlgButtons>(mbYesNo | Przycisk(mbCancel)), "Potwierdź",
                       QMessageBox::Question, {"&Tak", "&Nie", "Anuluj"}, "&Tak", "Anuluj", mrCancel},
        TPrzypadekOkna{mtCustom,
                       static_cast<TMsgDlgButtons>(Przycisk(mbClose) | Przycisk(mbAll) | Przycisk(mbNoToAll)
                                                   | Przycisk(mbYesToAll) | Przycisk(mbAbort)),
                       "Ostrevia", QMessageBox::NoIcon,
                       {"Prze&rwij", "&Wszystkie", "Nie na wszystkie", "Tak na wszystkie", "&Zamknij"}, "",
                       "Tak na wszystkie", mrYesToAll},
        TPrzypadekOkna{mtCustom, static_cast<TMsgDlgButtons>(Przycisk(mbRetry) | Przycisk(mbClose)), "Ostrevia",
                       QMessageBox::NoIcon, {"Ponów p&róbę", "&Zamknij"}, "Ponów p&róbę", "&Zamknij", mrClose}),
    NazwaZOpisu());

TEST_F(TestGUI, PomocNieZamykaOkna)
{
    bool otwartePoPomocy = false;
    ObsluzOkno<QMessageBox>([&](QMessageBox *p_Okno) {
        przyciskONapisie(p_Okno, QStringLiteral("&Pomoc"))->click();
        QCoreApplication::processEvents();
        otwartePoPomocy = p_Okno->isVisible() && QApplication::activeModalWidget() == p_Okno;
        przyciskONapisie(p_Okno, QStringLiteral("OK"))->click();
    });
    EXPECT_EQ(PokazKomunikat(QStringLiteral("Tekst"), mtInformation,
                             static_cast<TMsgDlgButtons>(Przycisk(mbHelp) | mbOKOnly), 15),
              mrOk);
    EXPECT_TRUE(otwartePoPomocy);
}

TEST_F(TestGUI, EscNaciskaAnulujAboNie)
{
    for (auto [przyciski, odpowiedz] : {std::pair<TMsgDlgButtons, int>{mbOKCancel, mrCancel}, {mbYesNo, mrNo}}) {
        ObsluzOkno<QMessageBox>([](QMessageBox *p_Okno) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(p_Okno, &esc);
        });
        EXPECT_EQ(PokazKomunikatPrzyciski(QStringLiteral("?"), mtConfirmation, przyciski), odpowiedz);
    }
}

} // namespace
