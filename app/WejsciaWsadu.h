#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <optional>
#include <utility>
#include <vector>

// A file as the file system knows it (device, inode), whatever its name.
using TIdentyfikatorPliku = std::pair<dev_t, ino_t>;

// One input of a batch: a file to render, or a name that is refused
// already (with the reason, in Polish).
struct TWejscieWsadu
{
    QString Sciezka;
    QString Odmowa;
    // The file named, links followed; none when it could not be looked at.
    std::optional<TIdentyfikatorPliku> Plik;
};

// The batch's inputs in a fixed order: each argument in turn, a folder
// replaced by the *.xml files under it (the extension in any case; names
// sorted, sub-folders searched through links, each folder once, so that a
// loop of links ends). A file given by name is taken whatever its name. A
// file met twice under any names is rendered once.
std::vector<TWejscieWsadu> ZbierzWejscia(const QStringList &p_Argumenty);

// Why p_Sciezka cannot be read as a message without blocking, in Polish;
// empty when it is a regular file opened for reading. Looks at the type
// before any open that could wait (a FIFO, a device) and opens without
// waiting all the same. p_Rozmiar receives the size.
QString SprawdzPlikWejsciowy(const QString &p_Sciezka, qint64 *p_Rozmiar = nullptr);
