#include "LkFormBazowe.h"

#include "Komunikaty.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>

namespace {

// Delivers key presses to the form of the receiving widget before the widget
// handles them. Qt offers a key press to the parents of a widget that leaves
// it; the form has already seen that press, so it is not offered again.
class TPodgladKlawiszy : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *p_Odbiorca, QEvent *p_Zdarzenie) override
    {
        if (p_Zdarzenie->type() != QEvent::KeyPress) {
            if (p_Zdarzenie->type() == QEvent::KeyRelease)
                FOstatnie = nullptr;
            return false;
        }
        auto *widzet = qobject_cast<QWidget *>(p_Odbiorca);
        if (!widzet)
            return false;
        if (p_Zdarzenie == FOstatnie && FOstatniOdbiorca && FOstatniOdbiorca->parentWidget() == widzet) {
            FOstatniOdbiorca = widzet;
            return false;
        }
        FOstatnie = p_Zdarzenie;
        FOstatniOdbiorca = widzet;

        TLkFormBazowe *forma = nullptr;
        for (QWidget *w = widzet; w && !forma; w = w->parentWidget())
            forma = qobject_cast<TLkFormBazowe *>(w);
        if (!forma || (forma != widzet && !forma->KeyPreview()))
            return false;

        auto *zdarzenie = static_cast<QKeyEvent *>(p_Zdarzenie);
        int klawisz = zdarzenie->key();
        forma->KeyDown(klawisz, zdarzenie->modifiers());
        if (klawisz != 0)
            return false;
        zdarzenie->accept();
        return true;
    }

private:
    const QEvent *FOstatnie = nullptr; // compared, never dereferenced
    QPointer<QWidget> FOstatniOdbiorca;
};

QPointer<TPodgladKlawiszy> podglad;
QPointer<TLkFormBazowe> formaGlowna;

void instalujPodgladKlawiszy()
{
    if (podglad || !qApp)
        return;
    podglad = new TPodgladKlawiszy(qApp);
    qApp->installEventFilter(podglad);
}

} // namespace

TLkFormBazowe::TLkFormBazowe(QWidget *p_Owner) : QWidget(p_Owner, Qt::Window)
{
    instalujPodgladKlawiszy();
}

TLkFormBazowe::~TLkFormBazowe()
{
    if (FPetlaModalna)
        FPetlaModalna->quit();
}

void TLkFormBazowe::UstawModalResult(int p_Wynik)
{
    FModalResult = p_Wynik;
    if (FModalResult != mrNone && FPetlaModalna)
        FPetlaModalna->quit();
}

int TLkFormBazowe::ShowModal()
{
    FModalResult = mrNone;
    const Qt::WindowModality poprzednia = windowModality();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();

    QPointer<TLkFormBazowe> ja(this);
    QEventLoop petla;
    FPetlaModalna = &petla;
    if (FModalResult == mrNone)
        petla.exec(QEventLoop::DialogExec);
    if (!ja)
        return mrCancel;
    FPetlaModalna = nullptr;
    hide();
    setWindowModality(poprzednia);
    return FModalResult;
}

void TLkFormBazowe::KeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift)
{
    FormKeyDown(p_Klawisz, p_Shift);
}

void TLkFormBazowe::closeEvent(QCloseEvent *p_Zdarzenie)
{
    QWidget::closeEvent(p_Zdarzenie);
    if (p_Zdarzenie->isAccepted() && FPetlaModalna && FModalResult == mrNone)
        UstawModalResult(mrCancel);
}

bool TLkFormBazowe::InheritsFrom(const QWidget *p_Okno, const QString &p_Nazwa)
{
    if (!p_Okno)
        return false;
    for (const QMetaObject *klasa = p_Okno->metaObject(); klasa; klasa = klasa->superClass())
        if (QString::fromLatin1(klasa->className()).compare(p_Nazwa, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TLkFormBazowe::ActivateForm(QWidget *p_Okno)
{
    if (!p_Okno)
        return;
    if (p_Okno->isMinimized())
        p_Okno->showNormal();
    p_Okno->raise();
    p_Okno->activateWindow();
}

void TLkFormBazowe::CloseForm(QWidget *p_Okno)
{
    if (p_Okno)
        p_Okno->close();
}

void TLkFormBazowe::EnableForm(QWidget *p_Okno)
{
    auto *forma = qobject_cast<TLkFormBazowe *>(p_Okno);
    if (p_Okno && (!forma || forma->CzyMoznaWlaczyc()))
        p_Okno->setEnabled(true);
}

quint32 TLkFormBazowe::CzyOknoPodpowiedzi() const
{
    return isModal() || FPetlaModalna || this == formaGlowna ? 0 : OdpowiedzOknaPodpowiedzi;
}

TLkFormBazowe *TLkFormBazowe::FormaGlowna()
{
    return formaGlowna;
}

void TLkFormBazowe::UstawJakoFormeGlowna()
{
    if (!formaGlowna)
        formaGlowna = this;
}
