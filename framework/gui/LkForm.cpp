#include "LkForm.h"

#include "AktualizacjaAkcji.h"
#include "LkFunGUI.h"
#include "LkNaglowek.h"
#include "ObslugaOkienNiemodalnych.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>

namespace {

// Hint text a named button gets when it has none.
void podpowiedzPrzycisku(QWidget *p_Forma, const QString &p_Nazwa, const QString &p_Podpowiedz, bool &p_Jest)
{
    p_Jest = false;
    QAbstractButton *przycisk = JakoPrzycisk(p_Forma->findChild<QObject *>(p_Nazwa));
    if (!przycisk)
        return;
    p_Jest = true;
    if (przycisk->toolTip().isEmpty())
        przycisk->setToolTip(p_Podpowiedz);
}

bool jestSamodzielnymOknem(const QWidget *p_Okno)
{
    const Qt::WindowType typ = p_Okno->windowType();
    return p_Okno->isWindow() && typ != Qt::ToolTip && typ != Qt::Popup && typ != Qt::Tool;
}

QString tekstLogiczny(bool p_Wartosc)
{
    return p_Wartosc ? QStringLiteral("true") : QStringLiteral("false");
}

// The names of a control's enclosing controls and its own, each followed by ".".
QString przedrostekKontrolki(const QWidget *p_Kontrolka, const QWidget *p_Forma)
{
    QString przedrostek;
    for (const QWidget *w = p_Kontrolka; w && w != p_Forma; w = w->parentWidget())
        przedrostek.prepend(w->objectName() + QLatin1Char('.'));
    return przedrostek;
}

} // namespace

TLkForm::TLkForm(QWidget *p_Owner) : TLkFormBazowe(p_Owner)
{
    // Shortcuts of the form must see keys before its controls do.
    UstawKeyPreview(true);
}

TLkForm::~TLkForm()
{
    if (FZarejestrowanoOknoNiemodalne)
        TObslugaOkienNiemodalnych::WyrejestrujOkno(this);
}

void TLkForm::UpdateActions()
{
    AktualizujAkcje(this, [this] {
        if (OnUpdateActions)
            OnUpdateActions();
    });
}

void TLkForm::KeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift)
{
    if (JestEnter(p_Klawisz) && TylkoShift(p_Shift)) {
        QObject *cel = findChild<QObject *>(QStringLiteral("butOk"));
        if (!cel) {
            cel = findChild<QObject *>(QStringLiteral("butWybierz"));
            QAbstractButton *wybierz = JakoPrzycisk(cel);
            if (!wybierz || wybierz->isHidden())
                cel = findChild<QObject *>(QStringLiteral("butZamknij"));
        }
        if (cel) {
            ZatwierdzKlawiszem(this, p_Klawisz, p_Shift, JakoPrzycisk(cel));
            return;
        }
    }
    TLkFormBazowe::KeyDown(p_Klawisz, p_Shift);
}

void TLkForm::Loaded()
{
    bool jest = false;
    podpowiedzPrzycisku(this, QStringLiteral("butOk"), QStringLiteral("Shift+Enter"), jest);
    if (!jest)
        podpowiedzPrzycisku(this, QStringLiteral("butZamknij"), QStringLiteral("Shift+Enter"), jest);
    podpowiedzPrzycisku(this, QStringLiteral("butAnuluj"), QStringLiteral("Esc"), jest);
}

TLkNaglowek *TLkForm::Naglowek() const
{
    return findChild<TLkNaglowek *>();
}

bool TLkForm::CloseQuery()
{
    if (FTrwaZamykanie)
        return false;
    return !OnCloseQuery || OnCloseQuery();
}

void TLkForm::closeEvent(QCloseEvent *p_Zdarzenie)
{
    if (!CloseQuery()) {
        p_Zdarzenie->ignore();
        return;
    }
    FTrwaZamykanie = true;
    TCloseAction akcja = FOknoNiemodalne ? caFree : caHide;
    if (FZarejestrowanoOknoNiemodalne) {
        FZarejestrowanoOknoNiemodalne = false;
        TObslugaOkienNiemodalnych::WyrejestrujOkno(this);
    }
    if (FZapamietujStan && isWindow())
        ZapiszStanOkna();
    try {
        if (OnClose)
            OnClose(akcja);
    } catch (...) {
        FTrwaZamykanie = false;
        throw;
    }
    if (akcja == caNone || akcja == caMinimize) {
        FTrwaZamykanie = false;
        p_Zdarzenie->ignore();
        if (akcja == caMinimize)
            showMinimized();
        return;
    }
    if (akcja == caFree)
        setAttribute(Qt::WA_DeleteOnClose);
    TLkFormBazowe::closeEvent(p_Zdarzenie);
    if (!p_Zdarzenie->isAccepted())
        FTrwaZamykanie = false;
}

void TLkForm::hideEvent(QHideEvent *p_Zdarzenie)
{
    // A hidden window may be closed again.
    FTrwaZamykanie = false;
    TLkFormBazowe::hideEvent(p_Zdarzenie);
}

void TLkForm::setVisible(bool p_Widoczny)
{
    if (p_Widoczny && !isVisible() && isWindow()) {
        // A show while the close sequence runs does nothing.
        if (FTrwaZamykanie)
            return;
        if (!FZaladowano) {
            FZaladowano = true;
            Loaded();
        }
        OdtworzStanOkna();
    }
    TLkFormBazowe::setVisible(p_Widoczny);
    if (!p_Widoczny || !isWindow())
        return;
    if (FOknoNiemodalne && !FZarejestrowanoOknoNiemodalne) {
        FZarejestrowanoOknoNiemodalne = true;
        TObslugaOkienNiemodalnych::RejestrujOkno(this);
    }
    // The modeless windows stay usable beside a modal dialog.
    if (windowModality() != Qt::NonModal)
        TObslugaOkienNiemodalnych::OdblokujOknaNiemodalne();
}

QWidget *TLkForm::DajOknoRobocze(const QWidget *p_Forma)
{
    QWidget *aktywne = QApplication::activeWindow();
    if (aktywne && aktywne != p_Forma && aktywne->isVisible() && jestSamodzielnymOknem(aktywne) &&
        (aktywne->isModal() || aktywne == FormaGlowna() || InheritsFrom(aktywne, QStringLiteral("TLkForm"))))
        return aktywne;
    for (QWidget *okno : QApplication::topLevelWidgets())
        if (okno != p_Forma && okno->isVisible() && jestSamodzielnymOknem(okno) && IsLkForm(okno) &&
            (okno == FormaGlowna() || okno->isModal()))
            return okno;
    return nullptr;
}

QRect TLkForm::ProstokatRoboczy() const
{
    if (FOknoRobocze)
        return FOknoRobocze->geometry();
    return ObszarRoboczyEkranu(geometry());
}

void TLkForm::OdtworzStanOkna()
{
    FOknoRobocze = DajOknoRobocze(this);
    const QRect r = ProstokatRoboczy();
    const bool rozciagalne = minimumSize() != maximumSize();
    int stan = DefWindowState == Qt::WindowMaximized ? 2 : 0;
    QRect polozenie;
    if (FZapamietujStan) {
        const TParyStanu pary = OdczytajStanOkna(DajNazweStanu());
        stan = pary.value(QStringLiteral("State"), QString::number(stan)).toInt();
        QSize rozmiar = size();
        if (rozciagalne)
            rozmiar = QSize(pary.value(QStringLiteral("Width"), QString::number(width())).toInt(),
                            pary.value(QStringLiteral("Height"), QString::number(height())).toInt())
                          .expandedTo(minimumSize())
                          .boundedTo(maximumSize());
        if (pary.contains(QStringLiteral("OffsetX")) && pary.contains(QStringLiteral("OffsetY")))
            polozenie = WysrodkujW(rozmiar, r).translated(pary.value(QStringLiteral("OffsetX")).toInt(),
                                                          pary.value(QStringLiteral("OffsetY")).toInt());
        else
            polozenie = WysrodkujW(rozmiar, r);
        FLimitedMax = pary.value(QStringLiteral("Limited"), QStringLiteral("true")) == QStringLiteral("true");
        odczytajStanKontrolek(pary);
    } else {
        polozenie = WysrodkujW(size(), r);
        FLimitedMax = true;
    }
    setGeometry(DopasujDoObszaru(polozenie, ObszarRoboczyEkranu(polozenie)));
    FMaksOgraniczona = false;
    if (FZapamietujStan && stan == 2 && rozciagalne)
        setWindowState(Qt::WindowMaximized);
}

void TLkForm::ZapiszStanOkna()
{
    const QRect r = ProstokatRoboczy();
    TParyStanu pary = OdczytajStanOkna(DajNazweStanu());
    const bool normalny = !isMaximized() && !isFullScreen();
    const QRect b = FMaksOgraniczona ? FPolozenieNormalne : normalny ? geometry() : normalGeometry();
    if (FMaksOgraniczona || (normalny && b == r)) {
        pary.insert(QStringLiteral("State"), QStringLiteral("2"));
    } else {
        pary.insert(QStringLiteral("State"), isMaximized() ? QStringLiteral("2") : QStringLiteral("0"));
        // Stored so that restoring over the same working window gives back the same place.
        const QRect srodek = WysrodkujW(b.size(), r);
        pary.insert(QStringLiteral("OffsetX"), QString::number(b.x() - srodek.x()));
        pary.insert(QStringLiteral("OffsetY"), QString::number(b.y() - srodek.y()));
        pary.insert(QStringLiteral("Width"), QString::number(b.width()));
        pary.insert(QStringLiteral("Height"), QString::number(b.height()));
        pary.insert(QStringLiteral("Fit"), tekstLogiczny(ObszarRoboczyEkranu(b).contains(b)));
    }
    pary.insert(QStringLiteral("Limited"), tekstLogiczny(FLimitedMax));
    zapiszStanKontrolek(pary);
    ZapamietajStanOkna(DajNazweStanu(), pary);
}

void TLkForm::changeEvent(QEvent *p_Zdarzenie)
{
    if (p_Zdarzenie->type() == QEvent::WindowStateChange && !FZmianaStanu) {
        const QRect normalne = normalGeometry().isValid() ? normalGeometry() : geometry();
        if (isMaximized() && FLimitedMax && FOknoRobocze && FOknoRobocze->isVisible() &&
            FOknoRobocze->width() >= normalne.width() && FOknoRobocze->height() >= normalne.height()) {
            // Maximised into the working window: a normal window over it.
            FZmianaStanu = true;
            FPolozenieNormalne = normalne;
            setWindowState(windowState() & ~Qt::WindowMaximized);
            setGeometry(FOknoRobocze->geometry());
            FMaksOgraniczona = true;
            FZmianaStanu = false;
        } else if (!isMaximized() && !isMinimized() && FMaksOgraniczona) {
            FMaksOgraniczona = false;
        }
    } else if (p_Zdarzenie->type() == QEvent::ActivationChange) {
        if (isActiveWindow() && FZarejestrowanoOknoNiemodalne)
            TObslugaOkienNiemodalnych::AktywneOkno(this);
        if (isActiveWindow() && OnEveryActivate)
            OnEveryActivate();
        else if (!isActiveWindow() && OnEveryDeactivate)
            OnEveryDeactivate();
    }
    TLkFormBazowe::changeEvent(p_Zdarzenie);
}

void TLkForm::odczytajStanKontrolek(const TParyStanu &p_Pary)
{
    for (QWidget *kontrolka : findChildren<QWidget *>())
        if (auto *stan = dynamic_cast<IStanKontrolki *>(kontrolka))
            stan->OdczytajStan(p_Pary, przedrostekKontrolki(kontrolka, this));
}

void TLkForm::zapiszStanKontrolek(TParyStanu &p_Pary) const
{
    for (QWidget *kontrolka : findChildren<QWidget *>())
        if (auto *stan = dynamic_cast<IStanKontrolki *>(kontrolka))
            stan->ZapiszStan(p_Pary, przedrostekKontrolki(kontrolka, this));
}
