#pragma once

#include "Interfejs.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Takes the answers of plug-ins: 0 not for me, 1 handled, 2 failed. The data
// is a Polish ANSI byte string.
class IOdbiorcaWiad
{
public:
    static constexpr char IID[] = "{0937DC6D-DF2E-4985-99BD-566C3FAE8159}";
    virtual ~IOdbiorcaWiad() = default;
    virtual int OdbierzWiadomosc(const QString &p_Nazwa, const QByteArray &p_Dane, void *p_Nadawca) = 0;
};

// A hosting platform's message centre, which exchanges named messages with
// plug-ins. Found through the class core's interfaces; this program provides
// none, so the dialogs and the idle forwarding take their plain paths.
class ICentrumWiadomosci : public virtual IInterfejs
{
public:
    static constexpr char IID[] = "{26AD02FF-99DB-475F-B0C3-EAB97E45ED69}";
    virtual void WyslijWiadomosc(const QString &p_Nazwa, const QByteArray &p_Dane, IOdbiorcaWiad *p_Odbiorca) = 0;
};

// The centre registered with the class core, or none.
std::shared_ptr<ICentrumWiadomosci> DajCentrumWiadomosci();
