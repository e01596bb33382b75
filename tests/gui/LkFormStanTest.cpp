// The framework form's close guard, window-state memory, limited maximise,
// button tooltips and the queries any window answers.
#include "LkForm.h"
#include "OknaTestowe.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>

namespace {

class FormaStanTest : public TestGUI
{
protected:
    void TearDown() override
    {
        ZapomnijStanyOkien();
        TestGUI::TearDown();
    }
};

struct TFormaRozciagalna : TLkForm
{
    explicit TFormaRozciagalna(const QString &p_Nazwa = QStringLiteral("FormaTestowa"))
    {
        setObjectName(p_Nazwa);
        resize(300, 200);
    }
};

} // namespace

TEST_F(FormaStanTest, ASecondCloseWhileTheFirstRunsIsRefused)
{
    TFormaRozciagalna forma;
    forma.show();
    int zamkniecia = 0;
    bool drugie = true;
    forma.OnClose = [&](TCloseAction &) {
        ++zamkniecia;
        drugie = forma.CloseQuery();
        forma.close();
    };
    EXPECT_TRUE(forma.close());
    EXPECT_EQ(zamkniecia, 1);
    EXPECT_FALSE(drugie);
    EXPECT_FALSE(forma.isVisible());
    // Hidden, it may be shown and closed again.
    forma.show();
    EXPECT_TRUE(forma.close());
    EXPECT_EQ(zamkniecia, 2);
}

TEST_F(FormaStanTest, ACloseHandlerOrQueryCanKeepTheWindowOpen)
{
    TFormaRozciagalna forma;
    forma.show();
    forma.OnClose = [](TCloseAction &p_Akcja) { p_Akcja = caNone; };
    EXPECT_FALSE(forma.close());
    EXPECT_TRUE(forma.isVisible());
    EXPECT_FALSE(forma.TrwaZamykanie());
    forma.OnClose = nullptr;
    forma.OnCloseQuery = [] { return false; };
    EXPECT_FALSE(forma.close());
    forma.OnCloseQuery = nullptr;
    EXPECT_TRUE(forma.close());
}

TEST_F(FormaStanTest, AMovedAndResizedDialogReopensWhereItWasLeftRelativeToItsWorkingWindow)
{
    QRect polozenie;
    {
        TFormaRozciagalna pierwsza;
        pierwsza.show();
        const QRect wysrodkowana = WysrodkujW(pierwsza.size(), ObszarRoboczyEkranu(pierwsza.geometry()));
        EXPECT_EQ(pierwsza.geometry(), wysrodkowana) << "centred the first time";
        pierwsza.setGeometry(wysrodkowana.translated(-40, 25).adjusted(0, 0, 60, 30));
        polozenie = pierwsza.geometry();
        pierwsza.close();
    }
    TFormaRozciagalna druga;
    druga.show();
    EXPECT_EQ(druga.geometry(), polozenie);
    // Another form's name has its own memory.
    TFormaRozciagalna inna(QStringLiteral("InnaForma"));
    inna.show();
    EXPECT_EQ(inna.size(), QSize(300, 200));
    const TParyStanu pary = OdczytajStanOkna(QStringLiteral("FormaTestowa"));
    // 40 to the left of where the wider window would be centred, 30 of it from the growth.
    EXPECT_EQ(pary.value(QStringLiteral("OffsetX")), QStringLiteral("-10"));
    EXPECT_EQ(pary.value(QStringLiteral("Width")), QStringLiteral("360"));
}

TEST_F(FormaStanTest, ARememberedPlaceOffEveryScreenComesBackInsideTheNearestOne)
{
    const QRect ekran = QGuiApplication::primaryScreen()->availableGeometry();
    ZapamietajStanOkna(QStringLiteral("FormaTestowa"), {{QStringLiteral("State"), QStringLiteral("0")},
                                                          {QStringLiteral("OffsetX"), QStringLiteral("5000")},
                                                          {QStringLiteral("OffsetY"), QStringLiteral("-5000")},
                                                          {QStringLiteral("Width"), QStringLiteral("300")},
                                                          {QStringLiteral("Height"), QStringLiteral("200")}});
    TFormaRozciagalna forma;
    forma.show();
    EXPECT_TRUE(ekran.contains(forma.geometry())) << forma.geometry().x() << "," << forma.geometry().y();
}

TEST_F(FormaStanTest, FittingMovesAndShrinksPerAxis)
{
    const QRect obszar(0, 0, 800, 600);
    const std::pair<QRect, QRect> przypadki[] = {
        {QRect(100, 100, 200, 100), QRect(100, 100, 200, 100)},
        {QRect(-50, 550, 200, 100), QRect(0, 500, 200, 100)},
        {QRect(700, 10, 900, 100), QRect(0, 10, 800, 100)},
    };
    for (const auto &[wejscie, wynik] : przypadki)
        EXPECT_EQ(DopasujDoObszaru(wejscie, obszar), wynik);
}

TEST_F(FormaStanTest, MaximisingFillsTheWorkingWindowWhenItIsLargeEnough)
{
    TFormaRozciagalna glowna(QStringLiteral("Glowna"));
    glowna.UstawJakoFormeGlowna();
    glowna.resize(500, 400);
    glowna.show();
    glowna.setGeometry(50, 60, 500, 400);
    TFormaRozciagalna forma;
    forma.show();
    ASSERT_EQ(forma.OknoRobocze(), &glowna);
    forma.setWindowState(Qt::WindowMaximized);
    EXPECT_EQ(forma.geometry(), glowna.geometry());
    EXPECT_TRUE(forma.MaksymalizacjaOgraniczona());
    // Closed so, it reopens limited-maximised over the working window.
    forma.close();
    EXPECT_EQ(OdczytajStanOkna(QStringLiteral("FormaTestowa")).value(QStringLiteral("State")), QStringLiteral("2"));
    TFormaRozciagalna ponownie;
    ponownie.show();
    EXPECT_TRUE(ponownie.MaksymalizacjaOgraniczona());
    EXPECT_EQ(ponownie.geometry(), glowna.geometry());

    // A working window smaller than the form: the usual maximise.
    TFormaRozciagalna duza(QStringLiteral("Duza"));
    duza.resize(600, 500);
    duza.show();
    duza.setWindowState(Qt::WindowMaximized);
    EXPECT_FALSE(duza.MaksymalizacjaOgraniczona());
    EXPECT_TRUE(duza.isMaximized());
}

TEST_F(FormaStanTest, NamedButtonsGetTheirKeysAsTooltipsUnlessTheyHaveOne)
{
    TFormaRozciagalna forma;
    auto *ok = new QPushButton(QStringLiteral("Ok"), &forma);
    ok->setObjectName(QStringLiteral("butOk"));
    auto *zamknij = new QPushButton(QStringLiteral("Zamknij"), &forma);
    zamknij->setObjectName(QStringLiteral("butZamknij"));
    auto *anuluj = new QPushButton(QStringLiteral("Anuluj"), &forma);
    anuluj->setObjectName(QStringLiteral("butAnuluj"));
    anuluj->setToolTip(QStringLiteral("Rezygnuję"));
    forma.show();
    EXPECT_EQ(ok->toolTip(), QStringLiteral("Shift+Enter"));
    EXPECT_TRUE(zamknij->toolTip().isEmpty()) << "butOk takes it";
    EXPECT_EQ(anuluj->toolTip(), QStringLiteral("Rezygnuję"));
}

TEST_F(FormaStanTest, WindowsAnswerWhatTheyAreAndObeyCloseAndEnable)
{
    TFormaRozciagalna forma;
    QWidget zwykle;
    EXPECT_TRUE(TLkFormBazowe::IsLkForm(&forma));
    EXPECT_TRUE(TLkFormBazowe::InheritsFrom(&forma, QStringLiteral("tlkform")));
    EXPECT_FALSE(TLkFormBazowe::InheritsFrom(&forma, QStringLiteral("TOknoECS")));
    EXPECT_FALSE(TLkFormBazowe::IsLkForm(&zwykle));
    EXPECT_EQ(forma.CzyOknoPodpowiedzi(), TLkFormBazowe::OdpowiedzOknaPodpowiedzi);
    forma.setWindowModality(Qt::ApplicationModal);
    EXPECT_EQ(forma.CzyOknoPodpowiedzi(), 0u);
    forma.setWindowModality(Qt::NonModal);
    forma.show();
    forma.setEnabled(false);
    TLkFormBazowe::EnableForm(&forma);
    EXPECT_TRUE(forma.isEnabled());
    TLkFormBazowe::CloseForm(&forma);
    EXPECT_FALSE(forma.isVisible());
}
