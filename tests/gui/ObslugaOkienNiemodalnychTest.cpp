// The register of modeless and plug-in windows: the window menu, closing all,
// leaving plug-in windows, idle messages, and interface identifiers.
#include "CentrumWiadomosci.h"
#include "JadroKlas.h"
#include "LkForm.h"
#include "ObslugaInterfejsow.h"
#include "ObslugaOkienNiemodalnych.h"
#include "OknaTestowe.h"
#include "Wyjatki.h"

#include <QMenu>

namespace {

class OknaNiemodalneTest : public TestGUI
{
protected:
    void TearDown() override
    {
        TObslugaOkienNiemodalnych::Zakoncz();
        TestGUI::TearDown();
    }
};

QStringList pozycje(const QMenu &p_Menu)
{
    QStringList teksty;
    for (const QAction *akcja : p_Menu.actions())
        teksty << (akcja->isSeparator() ? QStringLiteral("-")
                                        : akcja->text() + (akcja->isChecked() ? QStringLiteral(" *") : QString()));
    return teksty;
}

struct TFormaNiemodalna : TLkForm
{
    explicit TFormaNiemodalna(const QString &p_Tytul)
    {
        setWindowTitle(p_Tytul);
        UstawOknoNiemodalne(true);
        UstawZapamietujStan(false);
    }
};

} // namespace

TEST_F(OknaNiemodalneTest, TheFirstWindowMakesTheMenuAndTheLastOneLeavingDisablesIt)
{
    QMenu menu;
    menu.menuAction()->setVisible(false);
    TObslugaOkienNiemodalnych::UstawMenuOkien(&menu);
    auto *forma = new TFormaNiemodalna(QStringLiteral("Zgłoszenie 1"));
    forma->show();
    EXPECT_TRUE(TObslugaOkienNiemodalnych::ZarejestrowanoOkno(forma));
    EXPECT_TRUE(menu.menuAction()->isVisible());
    EXPECT_TRUE(menu.isEnabled());
    EXPECT_EQ(pozycje(menu), (QStringList{QStringLiteral("Zamknij wszystkie otwarte okna"), QStringLiteral("-"),
                                         QStringLiteral("Zgłoszenie 1 *")}));
    TObslugaOkienNiemodalnych::RejestrujOknoPluginu({42, QStringLiteral("Wtyczka"), QStringLiteral("TOknoW"),
                                                    QStringLiteral("okno"), QStringLiteral("Raport wtyczki"),
                                                    QStringLiteral("R1")});
    EXPECT_EQ(pozycje(menu).last(), QStringLiteral("Raport wtyczki *"));
    TObslugaOkienNiemodalnych::AktywneOkno(forma);
    EXPECT_EQ(pozycje(menu).at(2), QStringLiteral("Zgłoszenie 1 *"));
    EXPECT_EQ(pozycje(menu).at(3), QStringLiteral("Raport wtyczki"));
    // A modeless window leaves as it closes, and is freed.
    QPointer<TFormaNiemodalna> wskaznik(forma);
    forma->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(wskaznik);
    TObslugaOkienNiemodalnych::WyrejestrujOknoPluginu(42);
    EXPECT_EQ(menu.actions().size(), 2);
    EXPECT_FALSE(menu.isEnabled());
}

TEST_F(OknaNiemodalneTest, ClosingAllAsksEachWindowOnceAndOneThatRefusesStays)
{
    TFormaNiemodalna pierwsza(QStringLiteral("1")), uparta(QStringLiteral("2"));
    TLkForm wgKlasy;
    pierwsza.setAttribute(Qt::WA_DeleteOnClose, false);
    pierwsza.OnClose = [](TCloseAction &p_Akcja) { p_Akcja = caHide; };
    int pytania = 0;
    uparta.OnCloseQuery = [&] {
        ++pytania;
        return false;
    };
    pierwsza.show();
    uparta.show();
    wgKlasy.show();
    TObslugaOkienNiemodalnych::RejestrujOknoWgKlasy(&wgKlasy);
    EXPECT_THROW(TObslugaOkienNiemodalnych::RejestrujOknoWgKlasy(&wgKlasy), LkException);
    TObslugaOkienNiemodalnych::ZamknijOkna();
    EXPECT_FALSE(pierwsza.isVisible());
    EXPECT_FALSE(wgKlasy.isVisible());
    EXPECT_TRUE(uparta.isVisible());
    EXPECT_EQ(pytania, 1);
    EXPECT_TRUE(TObslugaOkienNiemodalnych::ZarejestrowanoOkno(&uparta));
    EXPECT_FALSE(TObslugaOkienNiemodalnych::ZarejestrowanoOkno(&pierwsza));
    uparta.OnCloseQuery = nullptr;
}

TEST_F(OknaNiemodalneTest, APluginWindowLeavingIsAnnouncedAndAnUnknownHandleChangesNothing)
{
    QStringList odeszly;
    TObslugaOkienNiemodalnych::DodajObslugeWyrejestrowania(
        [&](const TOknoPluginu &p_Okno) { odeszly << p_Okno.TytulOkna; });
    TObslugaOkienNiemodalnych::RejestrujOknoPluginu({7, QStringLiteral("W"), QStringLiteral("TKlasaW"), {},
                                                    QStringLiteral("Okno 7"), QStringLiteral("id7")});
    QString ident;
    EXPECT_TRUE(TObslugaOkienNiemodalnych::ZarejestrowanoOknoPluginuWgKlasy(QStringLiteral("TKlasaW"), ident));
    EXPECT_EQ(ident, QStringLiteral("id7"));
    TObslugaOkienNiemodalnych::WyrejestrujOknoPluginu(8);
    EXPECT_TRUE(odeszly.isEmpty());
    TObslugaOkienNiemodalnych::WyrejestrujOknoPluginu(7);
    EXPECT_EQ(odeszly, QStringList{QStringLiteral("Okno 7")});
    EXPECT_FALSE(TObslugaOkienNiemodalnych::ZarejestrowanoOknoPluginuWgKlasy(QStringLiteral("TKlasaW"), ident));
    EXPECT_TRUE(ident.isEmpty());
}

TEST_F(OknaNiemodalneTest, IdleTimeGoesToEachPluginThroughTheMessageCentre)
{
    struct TCentrum : ICentrumWiadomosci
    {
        QStringList Wyslane;
        void WyslijWiadomosc(const QString &p_Nazwa, const QByteArray &, IOdbiorcaWiad *) override
        {
            Wyslane << p_Nazwa;
        }
    };
    TObslugaOkienNiemodalnych::ObsluzOnIdle();
    auto centrum = std::make_shared<TCentrum>();
    DajJadroKlas().RejestrujInterfejs(centrum);
    TObslugaOkienNiemodalnych::ObsluzOnIdle();
    EXPECT_TRUE(centrum->Wyslane.isEmpty()) << "no plug-in windows";
    TObslugaOkienNiemodalnych::RejestrujOknoPluginu({1, QStringLiteral("Faktury"), {}, {}, {}, {}});
    TObslugaOkienNiemodalnych::RejestrujOknoPluginu({2, QStringLiteral("Raporty"), {}, {}, {}, {}});
    TObslugaOkienNiemodalnych::ObsluzOnIdle();
    EXPECT_EQ(centrum->Wyslane, (QStringList{QStringLiteral("Faktury.OnIdle"), QStringLiteral("Raporty.OnIdle")}));
    DajJadroKlas().WyrejestrujInterfejs(centrum);
}

TEST_F(OknaNiemodalneTest, IdentifiersSplitIntoTheirGenericPart)
{
    struct
    {
        QString Wejscie, Generyczny, Ident;
        bool Wynik;
    } const przypadki[] = {
        {QStringLiteral("A<B>|x"), QStringLiteral("A<B>"), QStringLiteral("x"), true},
        {QStringLiteral("x"), QString(), QStringLiteral("x"), true},
        {QStringLiteral("A<B>"), QStringLiteral("A<B>"), QString(), false},
        {QString(), QString(), QString(), false},
    };
    for (const auto &p : przypadki) {
        QString ident = p.Wejscie, generyczny = QStringLiteral("śmieci");
        EXPECT_EQ(TObslugaInterfejsow::DekodujIdent(ident, generyczny), p.Wynik) << qPrintable(p.Wejscie);
        EXPECT_EQ(generyczny, p.Generyczny);
        EXPECT_EQ(ident, p.Ident);
    }
    EXPECT_EQ(TObslugaInterfejsow::KodujIdentGeneryczny(QStringLiteral("A<B>"), QStringLiteral("x")),
              QStringLiteral("A<B>|x"));
}
