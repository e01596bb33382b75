#include "LkEdit.h"

#include "Kalendarz.h"

#include <QKeyEvent>

namespace {

Qt::KeyboardModifiers bezKlawiatury(Qt::KeyboardModifiers p_Shift)
{
    return p_Shift & ~Qt::KeypadModifier;
}

const QColor kolorWymagany(0xFF, 0xBE, 0xBE);

} // namespace

std::function<bool(QString &)> TLkEdit::WybierzDate = [](QString &p_Tekst) {
    return WybierzDateDoTekstu(p_Tekst, QString(), QDate(), QDate());
};

TLkEdit::TLkEdit(QWidget *p_Rodzic) : QLineEdit(p_Rodzic)
{
    FDefColor = palette().color(QPalette::Base);
    FDefFontColor = palette().color(QPalette::Text);
    connect(this, &QLineEdit::textChanged, this, &TLkEdit::Przekoloruj);
}

void TLkEdit::UstawWymagalnosc(TOpcjaWymagalnosci p_Wymagalnosc)
{
    FWymagalnosc = p_Wymagalnosc;
    Przekoloruj();
}

void TLkEdit::UstawPrzycisk(QAbstractButton *p_Przycisk)
{
    FPrzycisk = p_Przycisk;
    if (p_Przycisk && !Prawo())
        UstawPrawo(p_Przycisk);
}

void TLkEdit::UstawKolor(const QColor &p_Kolor)
{
    QPalette paleta = palette();
    paleta.setColor(QPalette::Base, p_Kolor);
    setPalette(paleta);
}

void TLkEdit::UstawKolorCzcionki(const QColor &p_Kolor)
{
    QPalette paleta = palette();
    paleta.setColor(QPalette::Text, p_Kolor);
    setPalette(paleta);
}

void TLkEdit::UstawRozmiarPola(int p_IleZnakow)
{
    setMaxLength(std::abs(p_IleZnakow));
    if (p_IleZnakow > 0)
        resize(p_IleZnakow * 7 + 8, height());
}

void TLkEdit::changeEvent(QEvent *p_Zdarzenie)
{
    // Colours the author sets become the defaults; the requirement's own never do.
    if (p_Zdarzenie->type() == QEvent::PaletteChange && !FTrwaKolorowanie) {
        if (FWymagalnosc == wBrak)
            FDefColor = palette().color(QPalette::Base);
        if (FWymagalnosc != wZabronione)
            FDefFontColor = palette().color(QPalette::Text);
        Przekoloruj();
    }
    QLineEdit::changeEvent(p_Zdarzenie);
}

void TLkEdit::Przekoloruj()
{
    if (isReadOnly() && FWymagalnosc != wWymagane)
        return;
    QColor tlo = FDefColor, tekst = FDefFontColor;
    if (FWymagalnosc == wWymagane && text().isEmpty())
        tlo = kolorWymagany;
    else if (FWymagalnosc == wZabronione) {
        tlo = palette().color(QPalette::Midlight);
        tekst = QColor(0x80, 0x80, 0x80);
    }
    if (palette().color(QPalette::Base) == tlo && palette().color(QPalette::Text) == tekst)
        return;
    FTrwaKolorowanie = true;
    QPalette paleta = palette();
    paleta.setColor(QPalette::Base, tlo);
    paleta.setColor(QPalette::Text, tekst);
    setPalette(paleta);
    FTrwaKolorowanie = false;
}

bool TLkEdit::obsluzKlawisz(int p_Klawisz, Qt::KeyboardModifiers p_Shift)
{
    const Qt::KeyboardModifiers shift = bezKlawiatury(p_Shift);
    switch (p_Klawisz) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        PrzejdzDoSasiada(this, ksNastepny);
        return true;
    case Qt::Key_Left:
        if (shift == Qt::ControlModifier || (shift == Qt::NoModifier && cursorPosition() == 0 && !hasSelectedText())) {
            PrzejdzDoSasiada(this, ksLewo);
            return true;
        }
        return false;
    case Qt::Key_Right:
        if (shift == Qt::ControlModifier || (shift == Qt::NoModifier && cursorPosition() == text().size())) {
            PrzejdzDoSasiada(this, ksPrawo);
            return true;
        }
        return false;
    case Qt::Key_Up:
        PrzejdzDoSasiada(this, ksGora);
        return true;
    case Qt::Key_Down:
        PrzejdzDoSasiada(this, ksDol);
        return true;
    case Qt::Key_Insert:
        if (shift == Qt::NoModifier && FPrzycisk && MozeMiecFokus(FPrzycisk)) {
            FPrzycisk->click();
            return true;
        }
        return false;
    case Qt::Key_D:
        if (shift != Qt::ControlModifier)
            return false;
        // Consumed whether or not the picker opens: a Qt key event carries
        // its character, so nothing is left to swallow afterwards.
        if (!isReadOnly()) {
            QString wybrana;
            if (WybierzDate && WybierzDate(wybrana))
                insert(wybrana);
        }
        return true;
    default:
        return false;
    }
}

void TLkEdit::keyPressEvent(QKeyEvent *p_Zdarzenie)
{
    FOstKlawisz = p_Zdarzenie->key();
    int klawisz = p_Zdarzenie->key();
    if (OnKeyDown)
        OnKeyDown(klawisz, p_Zdarzenie->modifiers());
    if (klawisz == 0 || obsluzKlawisz(klawisz, p_Zdarzenie->modifiers())) {
        p_Zdarzenie->accept();
        return;
    }
    QLineEdit::keyPressEvent(p_Zdarzenie);
}
