#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Output names for a batch, one per input in the inputs' order: the input's
// name without its extension, and for the second, third... input of the
// same name (letter case ignored, as on the file systems pages are often
// copied to) "_2", "_3"... The same inputs always get the same names,
// however many renderers run. A name p_Zajeta refuses (one whose output
// would land on an input, say) moves on the same way.
QStringList NadajNazwyWynikow(const QStringList &p_Wejscia,
                              const std::function<bool(const QString &)> &p_Zajeta = {});
