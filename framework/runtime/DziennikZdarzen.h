#pragma once

#include <QString>

#include <cstdint>

// Event types as callers pass them.
inline constexpr uint16_t EVENTLOG_ERROR_TYPE = 0x0001;
inline constexpr uint16_t EVENTLOG_WARNING_TYPE = 0x0002;
inline constexpr uint16_t EVENTLOG_INFORMATION_TYPE = 0x0004;

// One entry in the system log (syslog), tagged with the source (empty: the
// executable's path), category and event id. False for a remote server,
// which we cannot reach.
bool ZapiszWDziennikuZdarzen(const QString &p_Tekst, uint16_t p_TypZdarzenia,
                             const QString &p_Zrodlo = QString(), const QString &p_Serwer = QString(),
                             uint16_t p_Kategoria = 0, uint32_t p_IdZdarzenia = 0);

// The syslog priority of an event type.
int PriorytetZdarzenia(uint16_t p_TypZdarzenia);
