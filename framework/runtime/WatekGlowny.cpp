#include "WatekGlowny.h"

#include <QCoreApplication>
#include <QThread>

#include <atomic>

namespace {

std::atomic<Qt::HANDLE> WatekZapisany{nullptr};

// Static initialisation of the program runs on its main thread; the last resort
// when neither start-up nor a Qt application has said which thread is main.
const Qt::HANDLE WatekLadujacy = QThread::currentThreadId();

} // namespace

void UstawWatekGlowny()
{
    WatekZapisany.store(QThread::currentThreadId());
}

bool CzyWatekGlowny()
{
    if (const Qt::HANDLE zapisany = WatekZapisany.load())
        return zapisany == QThread::currentThreadId();
    if (const QCoreApplication *aplikacja = QCoreApplication::instance())
        return aplikacja->thread() == QThread::currentThread();
    return WatekLadujacy == QThread::currentThreadId();
}
