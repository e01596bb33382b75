#pragma once

#include "StalePodpowiedzi.h"
#include "TypyPodpowiedzi.h"

#include <QList>
#include <QString>

#include <cstdint>

class TOknoPodpowiedzi;

// Shows a hint window. From the main thread at once; from any other thread
// the request is queued and the main thread shows it as soon as it is idle.
// A modal request from a worker thread becomes an error report whose link
// mails the requested text (saved to a temporary file) to the maker.
// p_MaxSzerOkna -1 means 300 pixels; p_MaxCzasWSek 0 never closes by itself.
// Nothing happens in service mode, with fpPomin, or (switch "p") for any
// kind but errors.
void PokazPodpowiedz(const QString &p_Podpowiedz, int32_t p_MaxSzerOkna = -1, const QString &p_KodGUIDPodp = {},
                     int32_t p_PozX = pozKoniec, int32_t p_PozY = pozKoniec, int32_t p_MaxCzasWSek = 0,
                     int32_t p_Flagi = -1, TProcLinkOnClick p_ProcLinkOnClick = {});

// Closes the hints with that code and text (an empty one matches any); both
// empty close all. From another thread it is queued like a show.
void UkryjPodpowiedz(const QString &p_KodGUIDPodp, const QString &p_Podpowiedz);

// The unit starts with the first request (or here) once a QCoreApplication
// exists, and ends when the application quits (or here), closing every hint.
// Requests before the start from a thread without an application, and after
// the end, do nothing.
void InicjujOknoPokazPodpowiedz();
void ZakonczOknoPokazPodpowiedz();

// The hint windows on screen, oldest first.
QList<TOknoPodpowiedzi *> OknaPodpowiedzi();

// A text beginning with "Uwaga!" gets the large warning header.
QString DodajNaglowekUwaga(const QString &p_Tekst);

// The "don't show again" choice of a code, kept in the user's registry store.
void ZapamietajWybor(const QString &p_Kod, bool p_NiePokazuj);
bool CzyNiePokazywac(const QString &p_Kod);
