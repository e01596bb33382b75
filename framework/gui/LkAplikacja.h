#pragma once

#include <QApplication>

// The application object of the framework's programs. An exception that
// escapes an event handler does not end the program: its message is shown in
// an error box titled with the application title, and the event loop goes on.
class TLkAplikacja : public QApplication
{
    Q_OBJECT

public:
    TLkAplikacja(int &argc, char **argv);

    // The application title: caption of the exception box and of custom messages.
    QString Tytul() const;
    void UstawTytul(const QString &p_Tytul);

    bool notify(QObject *p_Odbiorca, QEvent *p_Zdarzenie) override;

    // The box for an exception's message: kind error, OK, the application
    // title as caption, and a "." added when the message's last character
    // code is above that of ".".
    static void PokazWyjatek(const QString &p_Komunikat);
};

