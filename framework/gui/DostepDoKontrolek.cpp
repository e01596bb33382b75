#include "DostepDoKontrolek.h"

#include "LkEdit.h"
#include "Wyjatki.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

[[noreturn]] void bladKlasy(const char *p_Operacja, const QWidget *p_Kontrolka)
{
    throw Exception(QString::fromLatin1(p_Operacja) + QStringLiteral(": błędna klasa") +
                    QString::fromLatin1(p_Kontrolka->metaObject()->className()));
}

// The line edit behind an edit box or an editable combo box.
QLineEdit *edycja(const QWidget *p_Kontrolka)
{
    if (auto *edit = qobject_cast<QLineEdit *>(const_cast<QWidget *>(p_Kontrolka)))
        return edit;
    if (auto *combo = qobject_cast<const QComboBox *>(p_Kontrolka))
        return combo->lineEdit();
    return nullptr;
}

QLineEdit *edycjaLubBlad(const char *p_Operacja, const QWidget *p_Kontrolka)
{
    QLineEdit *edit = edycja(p_Kontrolka);
    if (!edit)
        bladKlasy(p_Operacja, p_Kontrolka);
    return edit;
}

IKontrolkaWymagalnosc *wymagalnosc(const QWidget *p_Kontrolka)
{
    auto *kontrolka = dynamic_cast<IKontrolkaWymagalnosc *>(const_cast<QWidget *>(p_Kontrolka));
    if (!kontrolka)
        throw Exception(QStringLiteral("Kontrolka %1 bez wymagalności")
                            .arg(QString::fromLatin1(p_Kontrolka->metaObject()->className())));
    return kontrolka;
}

QString bezMaski(const QString &p_Tekst, std::initializer_list<const char *> p_Maski)
{
    for (const char *maska : p_Maski)
        if (p_Tekst == QLatin1String(maska))
            return QString();
    return p_Tekst;
}

} // namespace

QString LkText(const QWidget *p_Kontrolka)
{
    if (const QLineEdit *edit = edycja(p_Kontrolka))
        return edit->text();
    if (auto *combo = qobject_cast<const QComboBox *>(p_Kontrolka))
        return combo->currentText();
    if (auto *przycisk = qobject_cast<const QAbstractButton *>(p_Kontrolka))
        return przycisk->text();
    if (auto *label = qobject_cast<const QLabel *>(p_Kontrolka))
        return label->text();
    if (auto *grupa = qobject_cast<const QGroupBox *>(p_Kontrolka))
        return grupa->title();
    if (auto *tekst = qobject_cast<const QPlainTextEdit *>(p_Kontrolka))
        return tekst->toPlainText();
    if (auto *tekst = qobject_cast<const QTextEdit *>(p_Kontrolka))
        return tekst->toPlainText();
    return p_Kontrolka->windowTitle();
}

void UstawLkText(QWidget *p_Kontrolka, const QString &p_Tekst)
{
    if (QLineEdit *edit = edycja(p_Kontrolka))
        edit->setText(p_Tekst);
    else if (auto *combo = qobject_cast<QComboBox *>(p_Kontrolka))
        combo->setCurrentText(p_Tekst);
    else if (auto *przycisk = qobject_cast<QAbstractButton *>(p_Kontrolka))
        przycisk->setText(p_Tekst);
    else if (auto *label = qobject_cast<QLabel *>(p_Kontrolka))
        label->setText(p_Tekst);
    else if (auto *grupa = qobject_cast<QGroupBox *>(p_Kontrolka))
        grupa->setTitle(p_Tekst);
    else if (auto *tekst = qobject_cast<QPlainTextEdit *>(p_Kontrolka))
        tekst->setPlainText(p_Tekst);
    else if (auto *tekst = qobject_cast<QTextEdit *>(p_Kontrolka))
        tekst->setPlainText(p_Tekst);
    else
        p_Kontrolka->setWindowTitle(p_Tekst);
}

int LkSelStart(const QWidget *p_Kontrolka)
{
    const QLineEdit *edit = edycjaLubBlad("LkGetSelStart", p_Kontrolka);
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void UstawLkSelStart(QWidget *p_Kontrolka, int p_Poczatek)
{
    edycjaLubBlad("LkSetSelStart", p_Kontrolka)->setCursorPosition(p_Poczatek);
}

int LkSelLength(const QWidget *p_Kontrolka)
{
    return static_cast<int>(edycjaLubBlad("LkGetSelLength", p_Kontrolka)->selectedText().size());
}

void UstawLkSelLength(QWidget *p_Kontrolka, int p_Dlugosc)
{
    QLineEdit *edit = edycjaLubBlad("LkSetSelLength", p_Kontrolka);
    edit->setSelection(LkSelStart(p_Kontrolka), p_Dlugosc);
}

QString LkSelText(const QWidget *p_Kontrolka)
{
    return edycjaLubBlad("LkGetSelText", p_Kontrolka)->selectedText();
}

void UstawLkSelText(QWidget *p_Kontrolka, const QString &p_Tekst)
{
    edycjaLubBlad("LkSetSelText", p_Kontrolka)->insert(p_Tekst);
}

bool LkReadOnly(const QWidget *p_Kontrolka)
{
    auto *edit = qobject_cast<const QLineEdit *>(p_Kontrolka);
    if (!edit)
        bladKlasy("LkGetReadonly", p_Kontrolka);
    return edit->isReadOnly();
}

void UstawLkReadOnly(QWidget *p_Kontrolka, bool p_Tylko)
{
    auto *edit = qobject_cast<QLineEdit *>(p_Kontrolka);
    if (!edit)
        bladKlasy("LkGetReadonly", p_Kontrolka);
    edit->setReadOnly(p_Tylko);
}

TOpcjaWymagalnosci LkWymagalnosc(const QWidget *p_Kontrolka)
{
    return wymagalnosc(p_Kontrolka)->Wymagalnosc();
}

void UstawLkWymagalnosc(QWidget *p_Kontrolka, TOpcjaWymagalnosci p_Wymagalnosc)
{
    wymagalnosc(p_Kontrolka)->UstawWymagalnosc(p_Wymagalnosc);
}

void UstawLkParent(QWidget *p_Kontrolka, QWidget *p_Rodzic)
{
    QWidget *forma = p_Kontrolka->window();
    const QPoint naFormie = p_Kontrolka->mapTo(forma, QPoint(0, 0));
    const QPoint wRodzicu = p_Rodzic == forma ? naFormie : p_Rodzic->mapFrom(forma, naFormie);
    const bool widoczna = !p_Kontrolka->isHidden();
    p_Kontrolka->setParent(p_Rodzic);
    p_Kontrolka->move(wRodzicu);
    p_Kontrolka->setVisible(widoczna);
}

QString GodzinaBezMaski(const QString &p_Tekst)
{
    return bezMaski(p_Tekst, {"__:__", "__:__:__"});
}

QString DataBezMaski(const QString &p_Tekst)
{
    return bezMaski(p_Tekst, {"____-__-__"});
}

QString DataCzasBezMaski(const QString &p_Tekst)
{
    return bezMaski(p_Tekst, {"____-__-__ __:__:__"});
}

void ChangeTop(QWidget *p_Kontrolka, int p_Top)
{
    const QRect g = p_Kontrolka->geometry();
    p_Kontrolka->setGeometry(g.x(), p_Top, g.width(), g.height() + g.y() - p_Top);
}

void ChangeBottom(QWidget *p_Kontrolka, int p_Bottom)
{
    const QRect g = p_Kontrolka->geometry();
    p_Kontrolka->resize(g.width(), p_Bottom - g.y());
}
