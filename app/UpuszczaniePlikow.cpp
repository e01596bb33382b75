#include "UpuszczaniePlikow.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace {

QStringList plikiLokalne(const QMimeData *p_Dane)
{
    QStringList pliki;
    if (p_Dane)
        for (const QUrl &adres : p_Dane->urls())
            if (adres.isLocalFile())
                pliki << adres.toLocalFile();
    return pliki;
}

} // namespace

TUpuszczaniePlikow::TUpuszczaniePlikow(QWidget &p_Okno, std::function<void(const QStringList &)> p_Obsluga)
    : QObject(&p_Okno), FOkno(&p_Okno), FObsluga(std::move(p_Obsluga))
{
    // Drags go to the deepest child that takes drops: only the application
    // sees them all before any child does.
    qApp->installEventFilter(this);
}

bool TUpuszczaniePlikow::eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie)
{
    const QEvent::Type typ = p_Zdarzenie->type();
    if (typ != QEvent::DragEnter && typ != QEvent::DragMove && typ != QEvent::Drop)
        return false;
    auto *kontrolka = qobject_cast<QWidget *>(p_Obiekt);
    if (!kontrolka || kontrolka == FOkno || kontrolka->window() != FOkno)
        return false;
    auto *zdarzenie = static_cast<QDropEvent *>(p_Zdarzenie);
    // Text dragged into the name box stays the box's; addresses are ours.
    if (!zdarzenie->mimeData() || !zdarzenie->mimeData()->hasUrls())
        return false;
    const QStringList pliki = plikiLokalne(zdarzenie->mimeData());
    if (pliki.isEmpty()) {
        // A remote address is refused, not opened by the pane.
        zdarzenie->ignore();
        return true;
    }
    zdarzenie->acceptProposedAction();
    if (typ == QEvent::Drop && FObsluga)
        FObsluga(pliki);
    return true;
}
