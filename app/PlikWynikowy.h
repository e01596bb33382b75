#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes a file the user named (a printout, say) so that nothing else is hurt
// on the way: the bytes go to a new file beside it, which is then renamed over
// the name. A half-written file is never seen under the name, a link at the
// name is replaced itself and never written through, and the new file gets the
// usual permissions of the user's umask. A name that is one of p_Chronione
// (the source document, however it is named: a link, a hard link) is
// refused. False, with the reason in Polish in p_Blad, on any failure; the
// named file is then as it was.
bool ZapiszPlikWynikowy(const QString &p_Nazwa, const QByteArray &p_Tresc, const QStringList &p_Chronione,
                        QString &p_Blad);

// Why a file operation failed, in Polish, from errno.
QString PowodBleduPliku(int p_Errno);
