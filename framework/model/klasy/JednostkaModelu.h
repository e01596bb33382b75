#pragma once

#include <QString>
#include <QStringList>

// The object model's start-up: the class core with its classes and format
// settings, and the object tracer when the parameter file asks for it.
// p_SciezkaProgramu names the executable (the tracer's files sit beside it).
void InicjujModel(const QString &p_SciezkaProgramu);
// The model's shutdown, in reverse: the core (reporting interfaces left
// registered), then the tracer with its report.
void ZakonczModel();
