#include "DziennikZdarzen.h"

#include "Wersja.h"

#include <syslog.h>

#include <mutex>

int PriorytetZdarzenia(uint16_t p_TypZdarzenia)
{
    switch (p_TypZdarzenia) {
    case EVENTLOG_ERROR_TYPE:
        return LOG_ERR;
    case EVENTLOG_WARNING_TYPE:
        return LOG_WARNING;
    default:
        return LOG_INFO;
    }
}

bool ZapiszWDziennikuZdarzen(const QString &p_Tekst, uint16_t p_TypZdarzenia, const QString &p_Zrodlo,
                             const QString &p_Serwer, uint16_t p_Kategoria, uint32_t p_IdZdarzenia)
{
    if (!p_Serwer.isEmpty())
        return false;
    const QByteArray zrodlo = (p_Zrodlo.isEmpty() ? DajNazweModulu() : p_Zrodlo).toUtf8();
    const QByteArray tekst = p_Tekst.toUtf8();
    // openlog keeps the pointer to the tag until closelog, and the tag is
    // process-wide: one report at a time.
    static std::mutex blokada;
    std::lock_guard zamek(blokada);
    ::openlog(zrodlo.constData(), LOG_PID, LOG_USER);
    if (p_Kategoria != 0 || p_IdZdarzenia != 0)
        ::syslog(PriorytetZdarzenia(p_TypZdarzenia), "[%u/%u] %s", unsigned(p_Kategoria), unsigned(p_IdZdarzenia),
                 tekst.constData());
    else
        ::syslog(PriorytetZdarzenia(p_TypZdarzenia), "%s", tekst.constData());
    ::closelog();
    return true;
}
