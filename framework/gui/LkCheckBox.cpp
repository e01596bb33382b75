#include "LkCheckBox.h"

#include "LkKontrolkaEdycjiCheckBox.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

TLkCheckBox::TLkCheckBox(QWidget *p_Rodzic) : TLkCheckBox(QString(), p_Rodzic) {}

TLkCheckBox::TLkCheckBox(const QString &p_Tekst, QWidget *p_Rodzic) : QCheckBox(p_Tekst, p_Rodzic)
{
    connect(this, &QCheckBox::stateChanged, this, &TLkCheckBox::poZmianieStanu);
}

TLkCheckBox::~TLkCheckBox() = default;

void TLkCheckBox::UstawWymagalnosc(TOpcjaWymagalnosci p_Wymagalnosc)
{
    FWymagalnosc = p_Wymagalnosc;
    QPalette paleta = palette();
    paleta.setColor(QPalette::WindowText,
                    FWymagalnosc == wZabronione ? QColor(0x80, 0x80, 0x80) : QPalette().color(QPalette::WindowText));
    setPalette(paleta);
    update();
}

QColor TLkCheckBox::KolorTlaOpisu() const
{
    if (FWymagalnosc == wWymagane && checkState() == Qt::PartiallyChecked)
        return QColor(0xFF, 0xBE, 0xBE);
    if (FWymagalnosc == wZabronione)
        return palette().color(QPalette::Midlight);
    return QColor();
}

TLkKontrolkaEdycjiCheckBox &TLkCheckBox::KontrolkaEdycji()
{
    if (!FLkKontrolkaEdycji)
        FLkKontrolkaEdycji = std::make_unique<TLkKontrolkaEdycjiCheckBox>(this);
    return *FLkKontrolkaEdycji;
}

void TLkCheckBox::poZmianieStanu()
{
    if (checkState() == FState)
        return;
    FState = checkState();
    if (FLkKontrolkaEdycji)
        FLkKontrolkaEdycji->ZmienionoDane();
    update();
}

void TLkCheckBox::paintEvent(QPaintEvent *p_Zdarzenie)
{
    const QColor tlo = KolorTlaOpisu();
    if (tlo.isValid()) {
        QStyleOptionButton opcje;
        initStyleOption(&opcje);
        const QRect opis = style()->subElementRect(QStyle::SE_CheckBoxContents, &opcje, this);
        QPainter(this).fillRect(opis, tlo);
    }
    QCheckBox::paintEvent(p_Zdarzenie);
}

void TLkCheckBox::keyPressEvent(QKeyEvent *p_Zdarzenie)
{
    if (!ObsluzKlawiszSasiada(this, p_Zdarzenie,
                              {{Qt::Key_Return, ksNastepny}, {Qt::Key_Enter, ksNastepny}, {Qt::Key_Left, ksLewo},
                               {Qt::Key_Up, ksGora}, {Qt::Key_Right, ksPrawo}, {Qt::Key_Down, ksDol}}))
        QCheckBox::keyPressEvent(p_Zdarzenie);
}

bool TLkCheckBox::event(QEvent *p_Zdarzenie)
{
    if (ZatrzymajPodpowiedzRodzica(this, p_Zdarzenie, FNoParentHint))
        return true;
    return QCheckBox::event(p_Zdarzenie);
}
