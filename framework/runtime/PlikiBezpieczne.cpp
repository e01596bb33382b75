#include "PlikiBezpieczne.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

int OtworzZwyklyPlik(const QString &p_Nazwa, int p_Flagi, unsigned p_Tryb)
{
    const int plik =
        ::open(QFile::encodeName(p_Nazwa).constData(), p_Flagi | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, p_Tryb);
    if (plik < 0)
        return -1;
    struct stat stan;
    if (::fstat(plik, &stan) != 0 || !S_ISREG(stan.st_mode)) {
        ::close(plik);
        errno = EINVAL;
        return -1;
    }
    return plik;
}

bool ZapiszWszystko(int p_Deskryptor, QByteArrayView p_Dane)
{
    qsizetype zapisano = 0;
    while (zapisano < p_Dane.size()) {
        const ssize_t n = ::write(p_Deskryptor, p_Dane.constData() + zapisano, p_Dane.size() - zapisano);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        zapisano += n;
    }
    return true;
}

bool UtworzNowyPlik(const QString &p_Nazwa, const QByteArray &p_Tresc)
{
    const QByteArray nazwa = QFile::encodeName(p_Nazwa);
    const int plik = ::open(nazwa.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (plik < 0)
        return false;
    const bool zapisano = ZapiszWszystko(plik, p_Tresc);
    if (::close(plik) != 0 || !zapisano) {
        ::unlink(nazwa.constData());
        return false;
    }
    return true;
}
