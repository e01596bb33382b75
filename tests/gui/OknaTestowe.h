#pragma once

#include "LkFunGUI.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Runs p_Obsluga on the first modal window of type T once it is up (the code
// under test is then inside its exec). Polls from the event loop, so it must
// be armed before the call that opens the window.
template <typename T>
void ObsluzOkno(std::function<void(T *)> p_Obsluga)
{
    auto *zegar = new QTimer(qApp);
    zegar->setObjectName(QStringLiteral("ObslugaOkna"));
    zegar->setInterval(5);
    QObject::connect(zegar, &QTimer::timeout, zegar, [zegar, p_Obsluga]() {
        if (auto *okno = qobject_cast<T *>(QApplication::activeModalWidget())) {
            zegar->stop();
            zegar->deleteLater();
            p_Obsluga(okno);
        }
    });
    zegar->start();
}

// A window that counts the Enter presses that reach it.
class TOdbiorcaKlawiszy : public QWidget
{
public:
    int Entery = 0;

protected:
    void keyPressEvent(QKeyEvent *p_Zdarzenie) override
    {
        if (JestEnter(p_Zdarzenie->key()))
            ++Entery;
        p_Zdarzenie->accept();
    }
};

// Each test starts with the real dialog installed, no hook and no silent mode.
class TestGUI : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InicjujLkFunGUI(false);
        ProcKomunikatu = nullptr;
    }
    void TearDown() override
    {
        ProcKomunikatu = nullptr;
        TrybCichy = false;
        UstawPrezenterKomunikatow(PokazOknoKomunikatu, ZwolnijEnter);
        // A watch whose window never came must not take the next test's.
        qDeleteAll(qApp->findChildren<QTimer *>(QStringLiteral("ObslugaOkna"), Qt::FindDirectChildrenOnly));
        QCoreApplication::processEvents();
    }
};
