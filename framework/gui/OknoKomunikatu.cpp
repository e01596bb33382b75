#include "OknoKomunikatu.h"

#include "WatekGlowny.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon ikonaRodzaju(TMsgDlgType p_Rodzaj)
{
    switch (p_Rodzaj) {
    case mtWarning:
        return QMessageBox::Warning;
    case mtError:
        return QMessageBox::Critical;
    case mtInformation:
        return QMessageBox::Information;
    case mtConfirmation:
        return QMessageBox::Question;
    case mtCustom:
        break;
    }
    return QMessageBox::NoIcon;
}

// The button that Esc and the window's close box press: Cancel, else No,
// else OK; with none of them the dialog waits for a button.
int przyciskUcieczki(TMsgDlgButtons p_Przyciski)
{
    for (TMsgDlgBtn kandydat : {mbCancel, mbNo, mbOK})
        if (p_Przyciski & Przycisk(kandydat))
            return kandydat;
    return -1;
}

// Messages separate lines with a lone "\r"; the label breaks lines at "\n".
QString tekstDoWyswietlenia(const QString &p_Tekst)
{
    QString tekst = p_Tekst;
    tekst.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return tekst;
}

} // namespace

int PokazOknoKomunikatu(const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType p_Rodzaj,
                        TMsgDlgButtons p_Przyciski, int32_t p_KontekstPomocy)
{
    if (!qApp || !CzyWatekGlowny())
        return PokazKomunikatNaStderr(p_Tytul, p_Tekst, p_Rodzaj, p_Przyciski, p_KontekstPomocy);

    QWidget *rodzic = QApplication::activeModalWidget();
    if (!rodzic)
        rodzic = QApplication::activeWindow();
    QMessageBox okno(ikonaRodzaju(p_Rodzaj), p_Tytul, QString(), QMessageBox::NoButton, rodzic);
    // File names in messages are text, never markup.
    okno.setTextFormat(Qt::PlainText);
    okno.setText(tekstDoWyswietlenia(p_Tekst));
    okno.setProperty("KontekstPomocy", p_KontekstPomocy);

    // One role for all keeps the buttons in bit order whatever the platform's
    // button layout would do with roles.
    QHash<QAbstractButton *, TMsgDlgBtn> przyciski;
    const int domyslny = DomyslnyPrzycisk(p_Przyciski);
    const int ucieczki = przyciskUcieczki(p_Przyciski);
    for (int bit = mbYes; bit <= mbClose; ++bit) {
        const auto rodzajPrzycisku = static_cast<TMsgDlgBtn>(bit);
        if (!(p_Przyciski & Przycisk(rodzajPrzycisku)))
            continue;
        QPushButton *przycisk = okno.addButton(NapisPrzycisku(rodzajPrzycisku), QMessageBox::ActionRole);
        przyciski.insert(przycisk, rodzajPrzycisku);
        if (bit == domyslny)
            okno.setDefaultButton(przycisk);
        if (bit == ucieczki)
            okno.setEscapeButton(przycisk);
        if (rodzajPrzycisku == mbHelp) {
            // Help answers nothing: the box must not close on it. There is no
            // help viewer behind the context, so the press only keeps the box.
            if (auto *pasek = okno.findChild<QDialogButtonBox *>())
                QObject::disconnect(przycisk, SIGNAL(clicked()), pasek, nullptr);
        }
    }

    okno.exec();
    const auto wybrany = przyciski.constFind(okno.clickedButton());
    if (wybrany == przyciski.constEnd())
        return mrCancel;
    return OdpowiedzPrzycisku(*wybrany);
}
