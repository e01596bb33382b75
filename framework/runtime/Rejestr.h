#pragma once

#include "Wyjatki.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// Our registry: one typed key/value store per hive.
//   HKEY_CURRENT_USER   $XDG_CONFIG_HOME/VelmoraSoftware/Rejestr.json
//   HKEY_LOCAL_MACHINE  <first of $XDG_CONFIG_DIRS, else /etc/xdg>/VelmoraSoftware/Rejestr.json
//                       (writable only where the file system lets the user write)
//   HKEY_CLASSES_ROOT   read-only; "mailto\shell\open\command" is the desktop's
//                       default mailto handler (see ProgramPocztowy.h)
// Key paths use "\" as the separator and, like value names, compare without
// regard to case. Each value keeps its type: string (REG_SZ) or number (REG_DWORD).

enum HKEY : int { HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };

// Access masks are kept for callers; only the write bit matters here.
using REGSAM = uint32_t;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
// The 64-bit view has no meaning here.
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;

enum class TRegDataType { rdUnknown, rdString, rdInteger };

class ERegistryException : public Exception
{
public:
    using Exception::Exception;
};

// The store of one hive; empty for HKEY_CLASSES_ROOT.
QString PlikRejestru(HKEY p_Korzen);

class TRegistry
{
public:
    explicit TRegistry(REGSAM p_Dostep = KEY_ALL_ACCESS);
    virtual ~TRegistry() = default;

    HKEY RootKey = HKEY_CURRENT_USER;
    REGSAM Access;
    const QString &CurrentPath() const { return FKlucz; }

    // Opens a key, creating it when p_Utworz is set (needs write access).
    // A path beginning with "\" is absolute; otherwise it is relative to the
    // open key.
    bool OpenKey(const QString &p_Klucz, bool p_Utworz);
    bool OpenKeyReadOnly(const QString &p_Klucz);
    void CloseKey();
    bool KeyExists(const QString &p_Klucz) const;

    bool ValueExists(const QString &p_Nazwa) const;
    TRegDataType GetDataType(const QString &p_Nazwa) const;
    QStringList GetValueNames() const;

    // Readers raise ERegistryException for a missing value or one of another type.
    QString ReadString(const QString &p_Nazwa) const;
    int32_t ReadInteger(const QString &p_Nazwa) const;
    bool ReadBool(const QString &p_Nazwa) const;

    // Writers raise ERegistryException when the key is not open for writing
    // or the store cannot be saved.
    void WriteString(const QString &p_Nazwa, const QString &p_Wartosc);
    void WriteInteger(const QString &p_Nazwa, int32_t p_Wartosc);
    void WriteBool(const QString &p_Nazwa, bool p_Wartosc);
    bool DeleteValue(const QString &p_Nazwa);

private:
    QString PelnaSciezka(const QString &p_Klucz) const;

    QString FKlucz;
    bool FOtwarty = false;
    bool FDoZapisu = false;
};
