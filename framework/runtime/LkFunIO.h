#pragma once

// The runtime services in one include: version, parameters, paths and
// temporary files, the error log, registry access, system log, shell open.
#include "DziennikZdarzen.h"
#include "KatalogDanych.h"
#include "LogBledow.h"
#include "LosowaNazwa.h"
#include "Parametry.h"
#include "PlikiTymczasowe.h"
#include "Powloka.h"
#include "Proces.h"
#include "RegDefaults.h"
#include "Rejestr.h"
#include "WartosciRejestru.h"
#include "Wersja.h"
#include "ZglaszanieBledow.h"

#include <QStringList>

// Start-up of the runtime services, once, before any window exists: service
// mode, product name, program directory, application name, parameter file,
// data directory (may end the process with 101 or 102), temporary-name
// counters, the error log's file name, and last the log's worker.
//
// A command-line tool (p_Narzedzie) starts only what a run needs: its data
// directory is not probed and its log entries are written on the thread
// that makes them, without a worker.
void InicjujLkFunIO(int argc, char **argv);
void InicjujLkFunIO(const QStringList &p_Argumenty, bool p_Narzedzie = false);

// Shutdown: writes what the log worker still holds and stops it, frees the
// counters and the parameter file, removes the process's empty temporary folders.
void ZakonczLkFunIO();
