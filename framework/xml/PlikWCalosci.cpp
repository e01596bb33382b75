#include "PlikWCalosci.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

bool WczytajMalyPlik(const QString &p_NazwaPliku, qint64 p_Maks, QByteArray &p_Bajty)
{
    p_Bajty.clear();
    const int deskryptor =
        ::open(QFile::encodeName(p_NazwaPliku).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (deskryptor < 0)
        return false;
    struct stat stan;
    bool caly = ::fstat(deskryptor, &stan) == 0 && S_ISREG(stan.st_mode) && stan.st_size <= p_Maks;
    if (caly) {
        // One byte more than the size: a file that grew meanwhile is left to the caller.
        p_Bajty.resize(qsizetype(stan.st_size) + 1);
        qsizetype przeczytano = 0;
        while (przeczytano < p_Bajty.size()) {
            const ssize_t n = ::read(deskryptor, p_Bajty.data() + przeczytano, size_t(p_Bajty.size() - przeczytano));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                caly = n == 0;
                break;
            }
            przeczytano += n;
        }
        caly = caly && przeczytano <= stan.st_size;
        p_Bajty.resize(caly ? przeczytano : 0);
    }
    ::close(deskryptor);
    return caly;
}
