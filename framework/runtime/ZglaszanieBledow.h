#pragma once

#include "Formatuj.h"

#include <QString>

// The framework's error report. A host may take reports over by registering
// its IZapisWyjatku; otherwise they go to the error log and, when asked, to
// the user.
class IZapisWyjatku
{
public:
    static constexpr const char *GUID = "{1FBAEB17-A430-4D82-934E-7EF0E480590F}";
    virtual ~IZapisWyjatku() = default;
    virtual void ZglosBlad(const QString &p_Komunikat, bool p_Pokaz, const QString &p_Naglowek,
                           bool p_Flaga) = 0;
};

// The registered implementation, or none (nullptr; the usual case).
void UstawZapisWyjatku(IZapisWyjatku *p_Zapis);
IZapisWyjatku *DajZapisWyjatku();

// Logs header + "\r" + message to Errors.txt (with the system's version) and,
// when p_Pokaz is set, outside silent mode and on the main thread, shows the
// header (or the message when there is none) in a box titled with the
// executable's name.
void ZglosBlad(const QString &p_Komunikat, bool p_Pokaz = true, const QString &p_Naglowek = QString(),
               bool p_Flaga = false);

// Formats the message first.
void ZglosBladFmt(const QString &p_Format, const TArrayOfConst &p_Argumenty, bool p_Flaga = false,
                  const QString &p_Naglowek = QString(), bool p_Pokaz = true);
