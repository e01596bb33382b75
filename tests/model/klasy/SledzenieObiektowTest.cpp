#include "KatalogTestowy.h"
#include "NagrywaczKomunikatow.h"
#include "Obiekt.h"
#include "Parametry.h"
#include "SledzenieObiektow.h"
#include "Wersja.h"

#include <memory>

namespace {

class TZgubiony : public TKlasa<TZgubiony, TObiekt>
{
public:
    using TKlasa::TKlasa;
};

class SledzenieObiektow : public KatalogTestowy
{
protected:
    QString Program() const { return Sciezka(QStringLiteral("ostrevia.bin")); }
};

TEST_F(SledzenieObiektow, RaportNiezwolnionychKorzeniIBledow)
{
    auto tracer = std::make_unique<TLkOKMemTracer>(Program());
    TLkOKMemTracer &sledzenie = *tracer;
    UstawSledzenieObiektow(std::move(tracer));

    auto pierwszy = std::make_unique<TZgubiony>();
    auto drugi = std::make_unique<TZgubiony>();
    auto zObiektem = std::make_unique<TObiekt>();
    auto *dziecko = new TObiekt(zObiektem.get());
    { TObiekt chwilowy; }
    EXPECT_EQ(sledzenie.IleObiektow(), 4);
    EXPECT_EQ(sledzenie.MaxIleOb(), 5);
    sledzenie.UtworzonoObiekt(drugi.get());
    const TObiekt obcy;
    sledzenie.ZwolnionoObiekt(&obcy);
    sledzenie.ZwolnionoObiekt(&obcy);
    EXPECT_EQ(sledzenie.Bledy().size(), 2);
    EXPECT_TRUE(sledzenie.Bledy()[0].endsWith(QStringLiteral(" już istnieje")));
    EXPECT_TRUE(sledzenie.Bledy()[1].endsWith(QStringLiteral(" nie istnieje")));

    TNagrywaczKomunikatow nagrywacz;
    ZakonczSledzeniePamieci();
    // No longer watched: these go unnoticed.
    pierwszy.reset();
    delete dziecko;
    zObiektem.reset();

    const QString raport = Sciezka(QStringLiteral("ostreviaTraceMem.txt"));
    const QString tresc = QString::fromUtf8(CzytajPlik(raport));
    EXPECT_TRUE(tresc.startsWith(Program() + QStringLiteral("\n4 obiektów (max 5) w 3 korzeniach o 2 typach i łącznym rozmiarze ")));
    EXPECT_TRUE(tresc.contains(QStringLiteral("Niezwolnionych zostało 3 obiektów w korzeniach :\nTObiekt (1)\nTZgubiony (2)\n")))
        << tresc.toStdString();
    EXPECT_TRUE(tresc.contains(QStringLiteral("Rodzic : TObiekt")));
    // Each object as its native text.
    EXPECT_TRUE(tresc.contains(QStringLiteral("\nobject TZgubiony\r\nend\n"))) << tresc.toStdString();
    ASSERT_EQ(nagrywacz.Komunikaty().size(), 1u);
    EXPECT_EQ(nagrywacz.Komunikaty()[0].Tekst,
              QStringLiteral("Pełny raport zapisano w pliku\r%1\rPrzekaż go programistom!").arg(raport));
}

TEST_F(SledzenieObiektow, BezZywychObiektowNieMaRaportu)
{
    TNagrywaczKomunikatow nagrywacz;
    {
        TLkOKMemTracer sledzenie(Program());
        TObiekt obiekt;
        sledzenie.UtworzonoObiekt(&obiekt);
        sledzenie.ZwolnionoObiekt(&obiekt);
    }
    EXPECT_TRUE(nagrywacz.Komunikaty().empty());
    EXPECT_FALSE(QFile::exists(Sciezka(QStringLiteral("ostreviaTraceMem.txt"))));
}

TEST_F(SledzenieObiektow, PrzelacznikWPlikuParametrow)
{
    // The parameter file as the runtime loads it at start-up, beside a program in the test folder.
    const QString katalog = KatalogProgramu;
    const QString aplikacja = NazwaAplikacji;
    KatalogProgramu = FKatalog.path() + QLatin1Char('/');
    NazwaAplikacji = QStringLiteral("ostrevia");
    auto wlaczoneDla = [this](QStringList p_Argumenty) {
        p_Argumenty.prepend(Program());
        UstawArgumentyProgramu(p_Argumenty);
        WczytajPlikIni();
        return SledzeniePamieciWlaczone();
    };

    const std::pair<QByteArray, bool> przypadki[] = {
        {"[Params]\nSledzeniePamieci=Tak\n", true},
        {"[params]\nsledzeniepamieci=1\n", true},
        {"[Params]\nSledzeniePamieci=Nie\n", false},
        {"[Params]\nSledzeniePamieci=może\n", false},
        {"[Inne]\nSledzeniePamieci=Tak\n", false},
    };
    for (const auto &[tresc, wlaczone] : przypadki) {
        ZapiszPlik(QStringLiteral("ostrevia.ini"), tresc);
        EXPECT_EQ(wlaczoneDla({}), wlaczone) << tresc.toStdString();
    }
    const QString inny = ZapiszPlik(QStringLiteral("inny.ini"), "[Params]\nSledzeniePamieci=Nie\n");
    EXPECT_FALSE(wlaczoneDla({QStringLiteral("-(IniFile)") + inny}));
    QFile::remove(Sciezka(QStringLiteral("ostrevia.ini")));
    EXPECT_FALSE(wlaczoneDla({}));

    ZwolnijPlikIni();
    UstawArgumentyProgramu(QStringList{QStringLiteral("program")});
    KatalogProgramu = katalog;
    NazwaAplikacji = aplikacja;
}

} // namespace
