#include "LkOpenDialog.h"

#include "KodowanieZnakow.h"
#include "Komunikaty.h"

#include <QFileInfo>

TLkDialogPliku::TLkDialogPliku(QWidget *p_Rodzic, QFileDialog::AcceptMode p_Tryb) : QFileDialog(p_Rodzic)
{
    setAcceptMode(p_Tryb);
}

bool TLkDialogPliku::Execute()
{
    if (!SprawdzFiltr(Filter)) {
        PokazKomunikatFmt(QStringLiteral("Błędny filtr w %s:\r%s"), {objectName(), Filter}, mtError);
        return false;
    }
    const QString zapamietany = Filter;
    const std::shared_ptr<ICentrumWiadomosci> centrum = IDTypuDanych.isEmpty() ? nullptr : DajCentrumWiadomosci();
    if (centrum) {
        FListaFormatow.Clear();
        FListaFormatow.DodajTypyPlikow(Filter);
        centrum->WyslijWiadomosc(Przedrostek() + QLatin1Char('.') + IDTypuDanych + QStringLiteral(".DajTypyPlikow"),
                                 QByteArray(), this);
        FListaFormatow.Uporzadkuj();
        Filter = FListaFormatow.OpisTekstowy();
        FListaFormatow.WyznaczFilterIndex(FilterIndex, DefaultExt, DefIDFormatu);
    }
    const bool potwierdzony = uruchom();
    if (centrum && potwierdzony && FilterIndex > 0 && FilterIndex <= FListaFormatow.Count()) {
        DefIDFormatu = FListaFormatow.GetFormatyZapisu(FilterIndex - 1).IDFormatu;
        const QString rozszerzenie = QFileInfo(FileName()).suffix();
        const QString maska = rozszerzenie.isEmpty() ? QString() : QStringLiteral("*.") + rozszerzenie;
        if (!FListaFormatow.GetFormatyZapisu(FilterIndex - 1).ZawieraMaske(maska))
            FListaFormatow.WyznaczFilterIndex(FilterIndex, maska, QString());
    }
    Filter = zapamietany;
    return potwierdzony;
}

bool TLkDialogPliku::uruchom()
{
    const QStringList nazwy = FiltrJakoNazwyQt(Filter);
    setNameFilters(nazwy);
    if (FilterIndex >= 1 && FilterIndex <= nazwy.size())
        selectNameFilter(nazwy.at(FilterIndex - 1));
    if (!DefaultExt.isEmpty())
        setDefaultSuffix(DefaultExt);
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return false;
    FilterIndex = static_cast<int>(nazwy.indexOf(selectedNameFilter())) + 1;
    return true;
}

int TLkDialogPliku::OdbierzWiadomosc(const QString &p_Nazwa, const QByteArray &p_Dane, void *)
{
    if (IDTypuDanych.isEmpty())
        return 0;
    const QStringList czesci = p_Nazwa.split(QLatin1Char('.'));
    if (czesci.size() < 3 || czesci.at(1) != IDTypuDanych ||
        czesci.at(0).compare(Przedrostek(), Qt::CaseInsensitive) != 0)
        return 0;
    const QString rodzaj = czesci.at(2);
    if (rodzaj.compare(QStringLiteral("TypyPlikow"), Qt::CaseInsensitive) == 0) {
        FListaFormatow.DodajTypyPlikow(TekstZPolskiegoAnsi(p_Dane));
        return 1;
    }
    if (rodzaj.compare(QStringLiteral("Dane"), Qt::CaseInsensitive) == 0) {
        if (!OnDaneGotowe)
            return 0;
        try {
            OnDaneGotowe(this, TekstZPolskiegoAnsi(p_Dane));
        } catch (...) {
            return 2;
        }
        return 1;
    }
    return 0;
}

TLkOpenDialog::TLkOpenDialog(QWidget *p_Rodzic) : TLkDialogPliku(p_Rodzic, QFileDialog::AcceptOpen)
{
    setFileMode(QFileDialog::ExistingFile);
}

int TLkOpenDialog::IleDefFormatow() const
{
    const QStringList linie = Filter.split(QLatin1Char('|'));
    int ile = static_cast<int>(linie.size() / 2);
    const qsizetype wszystkie = linie.indexOf(QStringLiteral("*.*"));
    if (wszystkie > 0)
        --ile;
    return ile;
}

void TLkOpenDialog::DefImportDanych(const QString &p_NazwaPliku)
{
    const std::shared_ptr<ICentrumWiadomosci> centrum = DajCentrumWiadomosci();
    if (!centrum)
        return;
    const QString rozszerzenie = QFileInfo(p_NazwaPliku).suffix();
    centrum->WyslijWiadomosc(QStringLiteral("ImportDanych.") + IDTypuDanych + QStringLiteral(".ImportujDane") +
                                 (rozszerzenie.isEmpty() ? QString() : QLatin1Char('.') + rozszerzenie),
                             TekstNaPolskiAnsi(p_NazwaPliku), this);
}

TLkSaveDialog::TLkSaveDialog(QWidget *p_Rodzic) : TLkDialogPliku(p_Rodzic, QFileDialog::AcceptSave)
{
    setFileMode(QFileDialog::AnyFile);
    // Qt asks before overwriting by default; the folder must exist as typed.
    setOption(QFileDialog::DontConfirmOverwrite, false);
}
