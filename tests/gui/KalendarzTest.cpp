// The calendar window: bounds and the refusal, the month menu, the caption,
// and the date from a text under different locales.
#include "Kalendarz.h"
#include "LkBitBtn.h"
#include "NagrywaczKomunikatow.h"
#include "OknaTestowe.h"

#include <QCalendarWidget>
#include <QLocale>

namespace {

class KalendarzTest : public TestGUI
{
protected:
    void TearDown() override
    {
        QLocale::setDefault(FLocale);
        TestGUI::TearDown();
    }
    QLocale FLocale;
};

} // namespace

TEST_F(KalendarzTest, ADateOutsideTheBoundsIsRefusedAndTheBoundsThemselvesAccepted)
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const QDate min(2024, 3, 10), max(2024, 3, 20);
    struct
    {
        QDate Data;
        QString Skarga; // empty: accepted
    } const przypadki[] = {
        {QDate(2024, 3, 5), QStringLiteral("Uwaga!\rData nie może być wcześniejsza niż 10.03.2024")},
        {QDate(2024, 3, 25), QStringLiteral("Uwaga!\rData nie może być późniejsza niż 20.03.2024")},
        {min, QString()},
        {max, QString()},
    };
    for (const auto &p : przypadki) {
        TNagrywaczKomunikatow nagrywacz;
        TOknoKalendarza okno;
        okno.Przygotuj(QString(), p.Data, min, max);
        okno.butOk->click();
        if (p.Skarga.isEmpty()) {
            EXPECT_EQ(okno.ModalResult(), mrOk);
            EXPECT_TRUE(nagrywacz.Komunikaty().empty());
        } else {
            EXPECT_EQ(okno.ModalResult(), mrNone) << "the window stays open";
            ASSERT_EQ(nagrywacz.Komunikaty().size(), 1u);
            EXPECT_EQ(nagrywacz.Komunikaty()[0].Tekst, p.Skarga);
            EXPECT_EQ(nagrywacz.Komunikaty()[0].Rodzaj, mtInformation);
        }
    }
}

TEST_F(KalendarzTest, FebruaryFromTheMonthMenuKeepsTheDayWithinTheMonth)
{
    TOknoKalendarza okno;
    const std::pair<QDate, QDate> przypadki[] = {
        {QDate(2023, 1, 31), QDate(2023, 2, 28)}, {QDate(2024, 1, 31), QDate(2024, 2, 29)},
        {QDate(2024, 1, 15), QDate(2024, 2, 15)}};
    for (const auto &[od, oczekiwana] : przypadki) {
        okno.Przygotuj(QString(), od, QDate(), QDate());
        okno.pmMiesiace->actions().at(1)->trigger();
        EXPECT_EQ(okno.Data(), oczekiwana);
        EXPECT_EQ(okno.labMiesiac->text(), QStringLiteral("luty"));
        EXPECT_EQ(okno.labRok->text(), QString::number(od.year()));
    }
    EXPECT_EQ(okno.pmMiesiace->actions().size(), 12);
    EXPECT_EQ(okno.pmMiesiace->actions().at(9)->text(), QStringLiteral("październik"));
}

TEST_F(KalendarzTest, WithoutATitleTheCaptionFollowsTheDate)
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    TOknoKalendarza bez, z;
    bez.Przygotuj(QString(), QDate(2024, 3, 5), QDate(), QDate());
    z.Przygotuj(QStringLiteral("Data wywozu"), QDate(2024, 3, 5), QDate(), QDate());
    EXPECT_EQ(bez.windowTitle(), QStringLiteral("Wybrana data: 5.03.2024"));
    bez.sbtNastepny->click();
    z.sbtNastepny->click();
    EXPECT_EQ(bez.windowTitle(), QStringLiteral("Wybrana data: 5.04.2024"));
    EXPECT_EQ(z.windowTitle(), QStringLiteral("Data wywozu"));
    bez.sbtPoprzRok->click();
    EXPECT_EQ(bez.Data(), QDate(2023, 4, 5));
}

TEST_F(KalendarzTest, ATextOpensAtItsDateWhenTheLocaleReadsItElseAtToday)
{
    struct
    {
        QLocale Locale;
        QString Tekst;
        QDate Oczekiwana;
    } const przypadki[] = {
        {QLocale(QLocale::Polish, QLocale::Poland), QString(), QDate::currentDate()},
        {QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("  "), QDate::currentDate()},
        {QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("2024-03-05"), QDate::currentDate()},
        {QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("05-03-2024"), QDate(2024, 3, 5)},
        {QLocale(QLocale::Swedish, QLocale::Sweden), QStringLiteral("2024-03-05"), QDate(2024, 3, 5)},
    };
    for (const auto &p : przypadki) {
        QLocale::setDefault(p.Locale);
        QDate otwarta;
        ObsluzOkno<TOknoKalendarza>([&](TOknoKalendarza *p_Okno) {
            otwarta = p_Okno->Data();
            p_Okno->butAnuluj->click();
        });
        QString tekst = p.Tekst;
        EXPECT_FALSE(WybierzDateDoTekstu(tekst, QString(), QDate(), QDate()));
        EXPECT_EQ(tekst, p.Tekst) << "cancelled: unchanged";
        EXPECT_EQ(otwarta, p.Oczekiwana) << qPrintable(p.Tekst) << " " << qPrintable(p.Locale.name());
    }
}

TEST_F(KalendarzTest, ConfirmingPutsTheDateInTheShortFormatIntoTheText)
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    ObsluzOkno<TOknoKalendarza>([](TOknoKalendarza *p_Okno) {
        p_Okno->UstawDate(QDate(2025, 12, 24));
        // Shift+Enter presses "&Ok" through the form's confirm key.
        QKeyEvent klawisz(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier);
        QApplication::sendEvent(p_Okno->calKalendarz, &klawisz);
    });
    QString tekst;
    EXPECT_TRUE(WybierzDateDoTekstu(tekst, QStringLiteral("Termin"), QDate(), QDate()));
    EXPECT_EQ(tekst, QStringLiteral("24.12.2025"));
}
