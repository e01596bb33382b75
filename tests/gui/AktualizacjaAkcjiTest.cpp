// The action update's nesting count and its diagnostic log of forms that
// went away during an update.
#include "AktualizacjaAkcji.h"
#include "Bezczynnosc.h"
#include "KatalogDanych.h"
#include "LkForm.h"
#include "LogBledow.h"
#include "OknaTestowe.h"
#include "Parametry.h"
#include "Wersja.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

TEST_F(TestGUI, TheNestingCountHoldsDuringTheUpdateAndFallsEvenWhenItRaises)
{
    TLkForm forma;
    bool wTrakcie = false;
    forma.OnUpdateActions = [&] { wTrakcie = TrwaAktualizacjaAkcji(); };
    forma.UpdateActions();
    EXPECT_TRUE(wTrakcie);
    EXPECT_FALSE(TrwaAktualizacjaAkcji());
    forma.OnUpdateActions = [] { throw std::runtime_error("akcja"); };
    EXPECT_THROW(forma.UpdateActions(), std::runtime_error);
    EXPECT_FALSE(TrwaAktualizacjaAkcji());
}

TEST_F(TestGUI, AnIdleMomentUpdatesShownFormsOnlyAndSurvivesAFormClosedByAnother)
{
    TLkForm ukryta;
    auto *zamykana = new TLkForm;
    zamykana->setAttribute(Qt::WA_DeleteOnClose);
    TLkForm zamykajaca;
    int ukrytej = 0, zamykanej = 0, zamykajacej = 0;
    ukryta.OnUpdateActions = [&] { ++ukrytej; };
    zamykana->OnUpdateActions = [&] { ++zamykanej; };
    QPointer<TLkForm> wskZamykanej = zamykana;
    zamykajaca.OnUpdateActions = [&] {
        ++zamykajacej;
        if (wskZamykanej)
            wskZamykanej->close();
    };
    zamykajaca.show();
    zamykana->show();
    ObsluzBezczynnosc();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ObsluzBezczynnosc();
    EXPECT_EQ(ukrytej, 0);
    EXPECT_EQ(zamykajacej, 2);
    EXPECT_LE(zamykanej, 1);
    EXPECT_FALSE(wskZamykanej);
}

TEST_F(TestGUI, OnlyAChangedNumberOfFormsMakesALineAndItNamesTheMissingOnes)
{
    QWidget forma;
    forma.setObjectName(QStringLiteral("Glowna"));
    const QStringList przed{QStringLiteral("A:TA"), QStringLiteral("B:TB"), QStringLiteral("C:TC")};
    EXPECT_EQ(OpisBrakujacychForm(&forma, przed, {QStringLiteral("C:TC")}),
              QStringLiteral("Glowna:QWidget - brak A:TA,B:TB"));
    EXPECT_EQ(OpisBrakujacychForm(&forma, przed, przed + QStringList{QStringLiteral("D:TD")}),
              QStringLiteral("Glowna:QWidget - brak "));
    EXPECT_TRUE(OpisBrakujacychForm(&forma, przed, {QStringLiteral("A:TA"), QStringLiteral("B:TB"),
                                                    QStringLiteral("D:TD")})
                    .isEmpty());
}

TEST_F(TestGUI, WithDiagAFormThatWentDuringTheUpdateIsLogged)
{
    QTemporaryDir katalog;
    const QString poprzedniKatalog = DajKatalogDanych();
    UstawKatalogDanych(katalog.path() + QLatin1Char('/'));
    const QString log = katalog.filePath(NazwaProduktu + QStringLiteral("UpdateActions.txt"));
    TLkForm forma;
    forma.setObjectName(QStringLiteral("FormaAkcji"));
    auto znikajaca = std::make_unique<QWidget>();
    znikajaca->setObjectName(QStringLiteral("Znikajaca"));
    EXPECT_TRUE(OpisyForm().contains(QStringLiteral("Znikajaca:QWidget")));
    forma.OnUpdateActions = [&] { znikajaca.reset(); };

    forma.UpdateActions();
    LogBledow().CzekajNaZapis();
    EXPECT_FALSE(QFile::exists(log)) << "without the switch nothing is checked";

    UstawArgumentyProgramu({QStringLiteral("test"), QStringLiteral("-diag")});
    znikajaca = std::make_unique<QWidget>();
    znikajaca->setObjectName(QStringLiteral("Znikajaca"));
    forma.UpdateActions();
    forma.UpdateActions(); // nothing went: no second line
    LogBledow().CzekajNaZapis();
    UstawArgumentyProgramu(QCoreApplication::arguments());
    UstawKatalogDanych(poprzedniKatalog);

    QFile plik(log);
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    const QString tresc = QString::fromUtf8(plik.readAll());
    EXPECT_EQ(tresc.count(QStringLiteral(" - brak ")), 1) << tresc.toStdString();
    EXPECT_TRUE(tresc.contains(QStringLiteral("FormaAkcji:TLkForm - brak Znikajaca:QWidget"))) << tresc.toStdString();
}
