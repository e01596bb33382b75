// The file dialogs: the filter check, the formats list's index and order,
// and the exchange with plug-ins through a message centre.
#include "JadroKlas.h"
#include "KodowanieZnakow.h"
#include "LkOpenDialog.h"
#include "NagrywaczKomunikatow.h"
#include "OknaTestowe.h"

namespace {

TListaFormatowZapisu formaty(std::initializer_list<std::pair<const char *, const char *>> p_Maski)
{
    TListaFormatowZapisu lista;
    for (const auto &[opis, maska] : p_Maski)
        lista.DodajFormat({QString::fromUtf8(opis), QString::fromUtf8(maska), QString::fromUtf8(opis)});
    return lista;
}

// A message centre of a host with one plug-in that offers a file type and answers imports.
class TCentrumZWtyczka : public ICentrumWiadomosci
{
public:
    QStringList Wyslane;
    int Odpowiedz = -1;

    void WyslijWiadomosc(const QString &p_Nazwa, const QByteArray &p_Dane, IOdbiorcaWiad *p_Odbiorca) override
    {
        Wyslane << p_Nazwa;
        if (p_Nazwa == QStringLiteral("ImportDanych.Faktura.DajTypyPlikow"))
            Odpowiedz = p_Odbiorca->OdbierzWiadomosc(QStringLiteral("importdanych.Faktura.TypyPlikow"),
                                                     TekstNaPolskiAnsi(QStringLiteral("Faktura wtyczki|*.fkt")),
                                                     this);
        else if (p_Nazwa.startsWith(QStringLiteral("ImportDanych.Faktura.ImportujDane")))
            Odpowiedz = p_Odbiorca->OdbierzWiadomosc(QStringLiteral("ImportDanych.Faktura.Dane"),
                                                     QByteArray("zaimportowano ") + p_Dane, this);
    }
};

} // namespace

TEST_F(TestGUI, TheFilterIsCheckedBeforeTheDialogOpens)
{
    const std::pair<const char *, bool> przypadki[] = {
        {"Pliki XML z systemu ECS|*.xml", true},
        {"", true},
        {"Pliki XML|*.xml|Wszystkie|*.*", true},
        {"Pliki XML|*.xml|Wszystkie", false},
        {"Pliki XML|", false},
        {"Pliki XML| ", false},
        {"Pliki XML", false},
    };
    for (const auto &[filtr, dobry] : przypadki)
        EXPECT_EQ(SprawdzFiltr(QString::fromUtf8(filtr)), dobry) << filtr;

    TNagrywaczKomunikatow nagrywacz;
    TLkOpenDialog dialog;
    dialog.setObjectName(QStringLiteral("dlgOtworz"));
    dialog.Filter = QStringLiteral("Pliki XML|");
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(nagrywacz.Komunikaty().size(), 1u);
    EXPECT_EQ(nagrywacz.Komunikaty()[0].Tekst, QStringLiteral("Błędny filtr w dlgOtworz:\rPliki XML|"));
    EXPECT_EQ(nagrywacz.Komunikaty()[0].Rodzaj, mtError);
}

TEST_F(TestGUI, AGoodFilterOpensThePlainDialogWithItsTypes)
{
    TLkOpenDialog dialog;
    dialog.Filter = QStringLiteral("Pliki XML z systemu ECS|*.xml;*.XML");
    QStringList filtry;
    ObsluzOkno<QFileDialog>([&](QFileDialog *p_Dialog) {
        filtry = p_Dialog->nameFilters();
        p_Dialog->reject();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(filtry, QStringList{QStringLiteral("Pliki XML z systemu ECS (*.xml *.XML)")});
}

TEST_F(TestGUI, TheFilterIndexFollowsTheIdentifierElseTheExtensionsMask)
{
    const TListaFormatowZapisu lista = formaty({{"XML", "*.xml"}, {"Wszystkie", "*.*"}});
    for (const char *rozszerzenie : {"xml", ".xml", "*.xml"}) {
        int indeks = 0;
        EXPECT_TRUE(lista.WyznaczFilterIndex(indeks, QString::fromLatin1(rozszerzenie), QString()));
        EXPECT_EQ(indeks, 1) << rozszerzenie;
    }
    int indeks = 7;
    EXPECT_FALSE(lista.WyznaczFilterIndex(indeks, QStringLiteral("pdf"), QString()));
    EXPECT_EQ(indeks, 7);
    EXPECT_TRUE(lista.WyznaczFilterIndex(indeks, QStringLiteral("xml"), QStringLiteral("Wszystkie")));
    EXPECT_EQ(indeks, 2);
}

TEST_F(TestGUI, PrefixMasksTakeTheirWordAndACatchAllOnlyItself)
{
    const TFormatZapisu raport{QStringLiteral("Raporty"), QStringLiteral("raport*;*.TXT"), QString()};
    EXPECT_TRUE(raport.ZawieraMaske(QStringLiteral("raport.txt")));
    EXPECT_TRUE(raport.ZawieraMaske(QStringLiteral("raport")));
    EXPECT_FALSE(raport.ZawieraMaske(QStringLiteral("RAPORT.txt"))) << "prefix masks compare exactly";
    EXPECT_TRUE(raport.ZawieraMaske(QStringLiteral("*.txt"))) << "whole masks ignore case";
    const TFormatZapisu wszystkie{QStringLiteral("Wszystkie"), QStringLiteral("*.*"), QString()};
    EXPECT_TRUE(wszystkie.ZawieraMaske(QStringLiteral("*.*")));
    EXPECT_FALSE(wszystkie.ZawieraMaske(QStringLiteral("*.xml")));
}

TEST_F(TestGUI, TheCatchAllMovesLastAndTheFilterTextComesBack)
{
    TListaFormatowZapisu lista;
    lista.DodajTypyPlikow(QStringLiteral("Wszystkie|*.*|XML|*.xml|Tekst|*.txt|Bez maski"));
    ASSERT_EQ(lista.Count(), 3);
    lista.Uporzadkuj();
    EXPECT_EQ(lista.OpisTekstowy(), QStringLiteral("XML|*.xml|Tekst|*.txt|Wszystkie|*.*"));
    EXPECT_EQ(lista.GetFormatyZapisu(0).IDFormatu, QStringLiteral("XML"));

    TLkOpenDialog dialog;
    dialog.Filter = QStringLiteral("XML|*.xml|Wszystkie|*.*");
    EXPECT_EQ(dialog.IleDefFormatow(), 1);
    dialog.Filter = QStringLiteral("XML|*.xml|Tekst|*.txt");
    EXPECT_EQ(dialog.IleDefFormatow(), 2);
}

TEST_F(TestGUI, APluginAddsItsFileTypeAndDeliversImportedData)
{
    auto centrum = std::make_shared<TCentrumZWtyczka>();
    DajJadroKlas().RejestrujInterfejs(centrum);
    TLkOpenDialog dialog;
    dialog.IDTypuDanych = QStringLiteral("Faktura");
    dialog.Filter = QStringLiteral("Wszystkie|*.*|XML|*.xml");
    dialog.DefaultExt = QStringLiteral("fkt");
    QStringList filtry, wybrany;
    ObsluzOkno<QFileDialog>([&](QFileDialog *p_Dialog) {
        filtry = p_Dialog->nameFilters();
        wybrany << p_Dialog->selectedNameFilter();
        p_Dialog->reject();
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(centrum->Odpowiedz, 1);
    EXPECT_EQ(filtry, (QStringList{QStringLiteral("XML (*.xml)"), QStringLiteral("Faktura wtyczki (*.fkt)"),
                                   QStringLiteral("Wszystkie (*.*)")}));
    EXPECT_EQ(wybrany, QStringList{QStringLiteral("Faktura wtyczki (*.fkt)")});
    EXPECT_EQ(dialog.Filter, QStringLiteral("Wszystkie|*.*|XML|*.xml")) << "the filter is given back";

    QString dane;
    dialog.OnDaneGotowe = [&](TLkDialogPliku *, const QString &p_Dane) { dane = p_Dane; };
    dialog.DefImportDanych(QStringLiteral("/tmp/f1.fkt"));
    EXPECT_EQ(centrum->Wyslane.last(), QStringLiteral("ImportDanych.Faktura.ImportujDane.fkt"));
    EXPECT_EQ(dane, QStringLiteral("zaimportowano /tmp/f1.fkt"));
    EXPECT_EQ(dialog.OdbierzWiadomosc(QStringLiteral("EksportDanych.Faktura.Dane"), QByteArray(), nullptr), 0);
    dialog.OnDaneGotowe = [](TLkDialogPliku *, const QString &) { throw std::runtime_error("zła faktura"); };
    EXPECT_EQ(dialog.OdbierzWiadomosc(QStringLiteral("ImportDanych.Faktura.Dane"), QByteArray("x"), nullptr), 2);
    DajJadroKlas().WyrejestrujInterfejs(centrum);
}
