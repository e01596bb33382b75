#pragma once

#include <QWidget>

class QEventLoop;

// The thin base of every window of the framework. Besides the window it
// carries what the framework's forms expect of a form: a modal result that
// ends ShowModal, and the form's own look at keys (KeyDown) before its
// controls when KeyPreview is on.
class TLkFormBazowe : public QWidget
{
    Q_OBJECT

public:
    explicit TLkFormBazowe(QWidget *p_Owner = nullptr);
    ~TLkFormBazowe() override;

    // Setting a result other than 0 on a form shown by ShowModal ends it.
    int ModalResult() const { return FModalResult; }
    void UstawModalResult(int p_Wynik);

    // Shows the form application-modal and returns its modal result; closing
    // the window gives Cancel (2).
    int ShowModal();

    // The form sees every key pressed in it before the focused control does.
    bool KeyPreview() const { return FKeyPreview; }
    void UstawKeyPreview(bool p_Wlacz) { FKeyPreview = p_Wlacz; }

    // A key pressed in the form: with KeyPreview, before the focused control;
    // without it, only when the form itself has the focus. Setting p_Klawisz
    // to 0 consumes the key. Descendants extend it; the base hands the key to
    // the form's handler FormKeyDown.
    virtual void KeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift);

    // Queries that any window of the process answers for itself. The form
    // behind a window derives from a class of that name:
    static bool InheritsFrom(const QWidget *p_Okno, const QString &p_Nazwa);
    static bool IsLkForm(const QWidget *p_Okno) { return InheritsFrom(p_Okno, QStringLiteral("TLkFormBazowe")); }
    static void ActivateForm(QWidget *p_Okno);
    static void CloseForm(QWidget *p_Okno);
    static void EnableForm(QWidget *p_Okno);

    // The answer to "is this a hint-capable window": 0x42E576F7 for a window
    // that is neither modal nor the main form, else 0.
    static constexpr quint32 OdpowiedzOknaPodpowiedzi = 0x42E576F7;
    quint32 CzyOknoPodpowiedzi() const;

    // The program's main form: the first top-level framework form that asked to be it.
    static TLkFormBazowe *FormaGlowna();
    void UstawJakoFormeGlowna();

    // Whether EnableForm may enable the window; descendants may refuse.
    virtual bool CzyMoznaWlaczyc() const { return true; }

protected:
    // The form's own key handler, for windows that want one.
    virtual void FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift) {}

    void closeEvent(QCloseEvent *p_Zdarzenie) override;

private:
    int FModalResult = 0;
    bool FKeyPreview = false;
    QEventLoop *FPetlaModalna = nullptr;
};
