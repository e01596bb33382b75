#include "OknoPodgladu.h"

#include "LkNaglowek.h"
#include "Obiekt.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TOknoPodgladu::TOknoPodgladu(const TObiekt &p_Obiekt, QWidget *p_Owner) : TLkForm(p_Owner), FObiekt(p_Obiekt)
{
    setObjectName(QStringLiteral("OknoPodgladu"));
    setWindowTitle(QStringLiteral("Podgląd zgłoszenia"));
    // Registered with the modeless-window service while shown; freed on close.
    UstawOknoNiemodalne(true);
    resize(360, 220);
    auto *naglowek = new TLkNaglowek(this);
    naglowek->UstawCaption(QStringLiteral("Podgląd"));
    FTresc = new QPlainTextEdit(this);
    FTresc->setObjectName(QStringLiteral("memTresc"));
    FTresc->setReadOnly(true);
    auto *uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(8, naglowek->height() + 8, 8, 8);
    uklad->addWidget(FTresc);
    Odswiez();
}

void TOknoPodgladu::Odswiez()
{
    QStringList linie;
    for (int16_t nr = 0; nr <= FObiekt.OstatniNrPola(); ++nr)
        linie << FObiekt.NazwaPolaNr(nr) + QStringLiteral(" = ") +
                     (FObiekt.MaWartosc(nr) ? FObiekt.Tekstowo(nr) : QStringLiteral("(brak)"));
    FTresc->setPlainText(linie.join(QLatin1Char('\n')));
}
