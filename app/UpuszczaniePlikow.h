#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QWidget;

// Files dropped anywhere on a window open as if typed. The window itself
// takes drops through its banner; its children that take drops of their own
// (the name box would insert the address, the browser pane would navigate to
// the file) never see a drag of files: it is taken for the window first.
class TUpuszczaniePlikow : public QObject
{
    Q_OBJECT
public:
    TUpuszczaniePlikow(QWidget &p_Okno, std::function<void(const QStringList &)> p_Obsluga);

protected:
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override;

private:
    QPointer<QWidget> FOkno;
    std::function<void(const QStringList &)> FObsluga;
};
