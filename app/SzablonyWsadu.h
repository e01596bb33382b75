#pragma once

#include "TypyDokumentXML.h"

#include <QLatin1StringView>
#include <QString>

#include <map>
#include <mutex>

// The built-in stylesheets of a batch, each unpacked and compiled once for
// every document and every thread instead of once per document.
class TSzablonyWsadu
{
public:
    // The stylesheet of resource p_Zasob, compiled at the first call (its
    // Szablon null when it did not compile: the engine's message went to
    // that caller); null when the resource unpacks to nothing.
    const TArkuszSkompilowany *Arkusz(QLatin1StringView p_Zasob);

private:
    std::mutex FBlokada;
    std::map<QString, TArkuszSkompilowany> FArkusze;
};
