#pragma once

#include <QString>

#include <memory>

class Exception;
class TFileStream;
class TStream;

// Files and strings that whole object trees are loaded from and saved to:
// opening them and the messages every format's entry points share.

// For reading, denying others write access; EFCreateError "Błąd otwarcia pliku %s:\r%s".
std::unique_ptr<TFileStream> OtworzPlikObiektu(const QString &p_NazwaPliku);
// Creates or empties the file; a failure keeps its class with the message
// "Błąd utworzenia pliku" followed by the original message from its first double quote on.
std::unique_ptr<TFileStream> UtworzPlikObiektu(const QString &p_NazwaPliku);

// Rewrites the message of a failed read as p_Naglowek (with %1 the name and
// %2 the old message) followed by " at position / size (percentage)".
void OpiszBladOdczytu(Exception &p_Wyjatek, const QString &p_Naglowek, const QString &p_Nazwa, TStream &p_Strumien);
inline const QString NaglowekOdczytuPliku = QStringLiteral("Błąd odczytu pliku %1:\r%2");
inline const QString NaglowekOdczytuNapisu = QStringLiteral("Błąd odczytu napisu %1:\r%2");
// "Błąd zapisu pliku %s:\r%s".
void OpiszBladZapisu(Exception &p_Wyjatek, const QString &p_NazwaPliku);
