#include "OpisBleduSystemu.h"

#include <cerrno>

QString OpisBleduSystemu(int p_Blad)
{
    // The C library's own texts follow the machine's locale; the program's
    // messages are Polish everywhere.
    switch (p_Blad) {
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("brak uprawnień");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("brak miejsca na dysku");
    case ENOENT:
        return QStringLiteral("nie ma takiego pliku ani katalogu");
    case ENOTDIR:
        return QStringLiteral("część ścieżki nie jest katalogiem");
    case EISDIR:
        return QStringLiteral("to jest katalog");
    case EEXIST:
        return QStringLiteral("plik już istnieje");
    case ELOOP:
        return QStringLiteral("zbyt wiele dowiązań symbolicznych");
    case ENAMETOOLONG:
        return QStringLiteral("za długa nazwa");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("plik jest w użyciu");
    case EFBIG:
        return QStringLiteral("plik jest za duży");
    case EIO:
        return QStringLiteral("błąd wejścia-wyjścia");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("za dużo otwartych plików");
    case ENOMEM:
        return QStringLiteral("brak pamięci");
    case EXDEV:
        return QStringLiteral("inny system plików");
    case EPIPE:
        return QStringLiteral("odbiorca zamknął potok");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("brak urządzenia");
    default:
        return QStringLiteral("błąd systemu nr %1").arg(p_Blad);
    }
}
