#include "DrukarkaPDF.h"

#include "ProtokolPDF.h"

#include <QFile>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char **environ;

TDrukarkaPDF::~TDrukarkaPDF()
{
    zakoncz();
}

bool TDrukarkaPDF::Uruchom(const QString &p_Program, QString &p_Blad)
{
    std::lock_guard blokada(FBlokada);
    int zlecenia[2];
    int odpowiedzi[2];
    if (::pipe2(zlecenia, O_CLOEXEC) != 0)
        return p_Blad = QString::fromLocal8Bit(std::strerror(errno)), false;
    if (::pipe2(odpowiedzi, O_CLOEXEC) != 0) {
        const int blad = errno;
        ::close(zlecenia[0]);
        ::close(zlecenia[1]);
        return p_Blad = QString::fromLocal8Bit(std::strerror(blad)), false;
    }
    posix_spawn_file_actions_t akcje;
    posix_spawn_file_actions_init(&akcje);
    posix_spawn_file_actions_adddup2(&akcje, zlecenia[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&akcje, odpowiedzi[1], STDOUT_FILENO);
    // A maker that dies must cost its pages, not the batch: a write into its
    // closed input fails instead of ending this process. The maker itself
    // gets the default back.
    ::signal(SIGPIPE, SIG_IGN);
    posix_spawnattr_t atrybuty;
    posix_spawnattr_init(&atrybuty);
    sigset_t domyslne;
    sigemptyset(&domyslne);
    sigaddset(&domyslne, SIGPIPE);
    posix_spawnattr_setsigdefault(&atrybuty, &domyslne);
    posix_spawnattr_setflags(&atrybuty, POSIX_SPAWN_SETSIGDEF);
    const QByteArray program = QFile::encodeName(p_Program);
    char *argumenty[] = {const_cast<char *>(program.constData()), const_cast<char *>("--wsad"), nullptr};
    const int wynik = ::posix_spawn(&FPid, program.constData(), &akcje, &atrybuty, argumenty, environ);
    posix_spawnattr_destroy(&atrybuty);
    posix_spawn_file_actions_destroy(&akcje);
    ::close(zlecenia[0]);
    ::close(odpowiedzi[1]);
    if (wynik != 0) {
        ::close(zlecenia[1]);
        ::close(odpowiedzi[0]);
        FPid = -1;
        p_Blad = QStringLiteral("nie udało się uruchomić programu tworzącego PDF: ")
               + QString::fromLocal8Bit(std::strerror(wynik));
        return false;
    }
    FZlecenia = ::fdopen(zlecenia[1], "w");
    FOdpowiedzi = ::fdopen(odpowiedzi[0], "r");
    return true;
}

QString TDrukarkaPDF::Drukuj(const QString &p_Strona, const QString &p_PlikPDF, const QStringList &p_Chronione)
{
    std::lock_guard blokada(FBlokada);
    if (!FAwaria.isEmpty())
        return FAwaria;
    if (!FZlecenia || !FOdpowiedzi)
        return QStringLiteral("program tworzący PDF nie działa");
    const QByteArray zadanie = ZadaniePDF(p_Strona, p_PlikPDF, p_Chronione);
    char *wiersz = nullptr;
    size_t pojemnosc = 0;
    ssize_t dlugosc = -1;
    if (std::fwrite(zadanie.constData(), 1, zadanie.size(), FZlecenia) == size_t(zadanie.size())
        && std::fflush(FZlecenia) == 0)
        dlugosc = ::getline(&wiersz, &pojemnosc, FOdpowiedzi);
    if (dlugosc <= 0) {
        std::free(wiersz);
        FAwaria = QStringLiteral("program tworzący PDF zakończył pracę przedwcześnie");
        return FAwaria;
    }
    const QString powod = CzytajOdpowiedzPDF(QByteArray(wiersz, dlugosc));
    std::free(wiersz);
    return powod;
}

void TDrukarkaPDF::zakoncz() noexcept
{
    std::lock_guard blokada(FBlokada);
    // End of input is the maker's signal to finish.
    if (FZlecenia)
        std::fclose(FZlecenia);
    if (FOdpowiedzi)
        std::fclose(FOdpowiedzi);
    FZlecenia = FOdpowiedzi = nullptr;
    if (FPid > 0) {
        int stan = 0;
        while (::waitpid(FPid, &stan, 0) < 0 && errno == EINTR) {
        }
        FPid = -1;
    }
}
