#include "SzablonyWsadu.h"

#include "Zasoby.h"

const TArkuszSkompilowany *TSzablonyWsadu::Arkusz(QLatin1StringView p_Zasob)
{
    std::lock_guard blokada(FBlokada);
    const QString nazwa(p_Zasob);
    auto it = FArkusze.find(nazwa);
    if (it == FArkusze.end()) {
        const QByteArray tresc = RozpakujZasob(nazwa);
        if (tresc.isEmpty())
            return nullptr;
        it = FArkusze.emplace(nazwa, SkompilujArkuszXSL(tresc, true)).first;
    }
    return &it->second;
}
