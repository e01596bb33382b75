#include "LkFunGUI.h"

#include "LkFormBazowe.h"
#include "Parametry.h"
#include "WatekGlowny.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

void InicjujLkFunGUI()
{
    InicjujLkFunGUI(TrybUslugi);
}

void InicjujLkFunGUI(bool p_TrybUslugi)
{
    TrybCichy = p_TrybUslugi;
    InstalujSledzenieKlawiszy();
    UstawPrezenterKomunikatow(PokazOknoKomunikatu, ZwolnijEnter);
}

void ZakonczLkFunGUI()
{
    UstawPrezenterKomunikatow(nullptr, nullptr);
    ZakonczSledzenieKlawiszy();
}

bool ZapytajOTekst(const QString &p_Tytul, const QString &p_Pytanie, QString &p_Wartosc)
{
    QInputDialog okno(QApplication::activeWindow());
    okno.setInputMode(QInputDialog::TextInput);
    okno.setWindowTitle(p_Tytul);
    okno.setLabelText(p_Pytanie);
    okno.setTextValue(p_Wartosc);
    okno.setOkButtonText(QStringLiteral("OK"));
    okno.setCancelButtonText(QStringLiteral("Anuluj"));
    if (okno.exec() != QDialog::Accepted)
        return false;
    p_Wartosc = okno.textValue();
    return true;
}

void OdswiezWszystkieOkna()
{
    if (!CzyWatekGlowny())
        return;
    for (QWidget *okno : QApplication::topLevelWidgets())
        if (okno->isVisible())
            okno->repaint();
}

bool WcisnietyShift()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool WcisnietyCtrl()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

bool WcisnieteShiftCtrl()
{
    const Qt::KeyboardModifiers stan = QGuiApplication::queryKeyboardModifiers();
    return stan.testFlag(Qt::ShiftModifier) && stan.testFlag(Qt::ControlModifier);
}

bool JestEnter(int p_Klawisz)
{
    return p_Klawisz == Qt::Key_Return || p_Klawisz == Qt::Key_Enter;
}

bool TylkoShift(Qt::KeyboardModifiers p_Shift)
{
    return (p_Shift & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}

QFont CzcionkaFormy(int p_Punkty)
{
    QFont czcionka;
    czcionka.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    czcionka.setPointSize(p_Punkty);
    return czcionka;
}

QAbstractButton *JakoPrzycisk(QObject *p_Komponent)
{
    if (auto *przycisk = qobject_cast<QPushButton *>(p_Komponent))
        return przycisk;
    return qobject_cast<QToolButton *>(p_Komponent);
}

void ZatwierdzKlawiszem(TLkFormBazowe *p_Form, int &p_Klawisz, Qt::KeyboardModifiers p_Shift,
                        QAbstractButton *p_Przycisk)
{
    if (!JestEnter(p_Klawisz) || !TylkoShift(p_Shift))
        return;
    p_Klawisz = 0;
    if (!p_Przycisk) {
        if (p_Form)
            p_Form->UstawModalResult(mrOk);
        return;
    }
    if (p_Przycisk->isEnabled()) {
        p_Przycisk->setFocus();
        p_Przycisk->click();
    }
}
