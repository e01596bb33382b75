#include "PlikWynikowy.h"

#include "LosowaNazwa.h"
#include "PlikiBezpieczne.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

QString blad(const QString &p_Nazwa, const QString &p_Powod)
{
    return QStringLiteral("Nie można zapisać pliku %1:\r%2").arg(p_Nazwa, p_Powod);
}

bool tenSamPlik(const struct stat &p_A, const struct stat &p_B)
{
    return p_A.st_dev == p_B.st_dev && p_A.st_ino == p_B.st_ino;
}

// Unlinks the temporary file unless it has been renamed into place.
class TPlikPosredni
{
public:
    explicit TPlikPosredni(QByteArray p_Nazwa) : FNazwa(std::move(p_Nazwa)) {}
    ~TPlikPosredni()
    {
        if (!FNazwa.isEmpty())
            ::unlink(FNazwa.constData());
    }
    TPlikPosredni(const TPlikPosredni &) = delete;
    TPlikPosredni &operator=(const TPlikPosredni &) = delete;

    const QByteArray &Nazwa() const { return FNazwa; }
    void Zachowaj() { FNazwa.clear(); }

private:
    QByteArray FNazwa;
};

} // namespace

QString PowodBleduPliku(int p_Errno)
{
    switch (p_Errno) {
    case EACCES:
    case EPERM:
        return QStringLiteral("brak uprawnień");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("brak miejsca na dysku");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("brak takiego folderu");
    case EROFS:
        return QStringLiteral("dysk tylko do odczytu");
    case EISDIR:
        return QStringLiteral("to jest folder");
    case ENAMETOOLONG:
        return QStringLiteral("zbyt długa nazwa");
    case EIO:
        return QStringLiteral("błąd odczytu lub zapisu dysku");
    default:
        return QStringLiteral("błąd systemu nr %1").arg(p_Errno);
    }
}

bool ZapiszPlikWynikowy(const QString &p_Nazwa, const QByteArray &p_Tresc, const QStringList &p_Chronione,
                        QString &p_Blad)
{
    if (p_Nazwa.isEmpty()) {
        p_Blad = blad(p_Nazwa, QStringLiteral("brak nazwy"));
        return false;
    }
    const QByteArray nazwa = QFile::encodeName(p_Nazwa);
    struct stat wpis;
    if (::lstat(nazwa.constData(), &wpis) == 0) {
        if (S_ISDIR(wpis.st_mode)) {
            p_Blad = blad(p_Nazwa, PowodBleduPliku(EISDIR));
            return false;
        }
        // What the name leads to, links followed: replacing it would take the
        // document's name from the user even though its bytes survive.
        struct stat cel;
        if (::stat(nazwa.constData(), &cel) == 0)
            for (const QString &chroniony : p_Chronione) {
                struct stat wejscie;
                if (::stat(QFile::encodeName(chroniony).constData(), &wejscie) == 0 && tenSamPlik(cel, wejscie)) {
                    p_Blad = blad(p_Nazwa, QStringLiteral("to plik dokumentu źródłowego"));
                    return false;
                }
            }
    }

    // Beside the name, so the rename stays on one file system. 0666 before
    // the umask: the permissions any new file of the user's would get.
    const QFileInfo info(p_Nazwa);
    int plik = -1;
    QByteArray nazwaPosrednia;
    for (int proba = 0; proba < 16 && plik < 0; ++proba) {
        nazwaPosrednia = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                           + QLatin1Char('.') + DajLosowaNazwe().replace(QLatin1Char('#'), QLatin1Char('_')));
        plik = ::open(nazwaPosrednia.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (plik < 0 && errno != EEXIST)
            break;
    }
    if (plik < 0) {
        p_Blad = blad(p_Nazwa, PowodBleduPliku(errno));
        return false;
    }
    TPlikPosredni posredni(nazwaPosrednia);
    errno = 0;
    bool zapisano = ZapiszWszystko(plik, p_Tresc) && ::fdatasync(plik) == 0;
    int kod = errno;
    if (::close(plik) != 0 && zapisano) {
        zapisano = false;
        kod = errno;
    }
    if (!zapisano || ::rename(posredni.Nazwa().constData(), nazwa.constData()) != 0) {
        p_Blad = blad(p_Nazwa, PowodBleduPliku(zapisano ? errno : (kod ? kod : EIO)));
        return false;
    }
    posredni.Zachowaj();
    return true;
}
