#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Readable QString and QByteArray values in failure messages.
inline void PrintTo(const QString &p_Tekst, std::ostream *p_Strumien)
{
    *p_Strumien << '"' << p_Tekst.toStdString() << '"';
}

inline void PrintTo(const QByteArray &p_Bajty, std::ostream *p_Strumien)
{
    *p_Strumien << '"' << p_Bajty.toStdString() << '"';
}
