#include "ZakonczenieNaSygnal.h"

#include "RejestrSprzatania.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <thread>

namespace {

constexpr int sygnaly[] = {SIGTERM, SIGINT, SIGHUP};

// Written by the handler, so plain values and lock-free atomics only.
int potokReakcji[2] = {-1, -1};
int potokStraznika[2] = {-1, -1};
std::atomic<int> odebrany{0};
std::atomic<int> sekundyNaReakcje{0};
static_assert(std::atomic<int>::is_always_lock_free);

std::function<void(int)> reakcja;

void obsluzSygnal(int p_Sygnal)
{
    const int zapamietanyErrno = errno;
    int brak = 0;
    odebrany.compare_exchange_strong(brak, p_Sygnal);
    const char bajt = 1;
    // A full pipe already holds a byte to wake its reader.
    [[maybe_unused]] ssize_t n = ::write(potokReakcji[1], &bajt, 1);
    n = ::write(potokStraznika[1], &bajt, 1);
    errno = zapamietanyErrno;
}

bool utworzPotok(int (&p_Potok)[2])
{
    if (::pipe2(p_Potok, O_CLOEXEC) != 0)
        return false;
    // Only the handler's end must never block.
    return ::fcntl(p_Potok[1], F_SETFL, O_NONBLOCK) == 0;
}

void oproznij(int p_Deskryptor)
{
    char bufor[64];
    while (::read(p_Deskryptor, bufor, sizeof bufor) > 0) {
    }
}

// Waits for a byte (p_LimitMs -1: without a limit); false when the time ran
// out or the pipe failed.
bool czekajNaBajt(int p_Deskryptor, int p_LimitMs)
{
    pollfd oczekiwanie{p_Deskryptor, POLLIN, 0};
    for (;;) {
        const int wynik = ::poll(&oczekiwanie, 1, p_LimitMs);
        if (wynik > 0) {
            char bajt;
            return ::read(p_Deskryptor, &bajt, 1) >= 0 || errno == EINTR;
        }
        if (wynik == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

void pracaStraznika()
{
    // A broken pipe leaves the ending to the main thread alone.
    if (!czekajNaBajt(potokStraznika[0], -1))
        return;
    const int sekundy = sekundyNaReakcje.load();
    if (sekundy > 0)
        czekajNaBajt(potokStraznika[0], sekundy * 1000);
    ZakonczPoSprzataniu(odebrany.load());
}

void reaguj()
{
    oproznij(potokReakcji[0]);
    // With no time to react the watchdog is already ending the process.
    static bool zareagowano = false;
    if (zareagowano || sekundyNaReakcje.load() == 0)
        return;
    zareagowano = true;
    const int sygnal = odebrany.load();
    if (reakcja)
        reakcja(sygnal);
    else
        QCoreApplication::exit(128 + sygnal);
}

// The pipes, the watchdog and the notifier; false when the pipes cannot be made.
bool przygotuj()
{
    if (!utworzPotok(potokReakcji) || !utworzPotok(potokStraznika)
        || ::fcntl(potokReakcji[0], F_SETFL, O_NONBLOCK) != 0)
        return false;
    // Detached: it blocks in read until a signal comes and outlives main.
    std::thread(pracaStraznika).detach();
    if (QCoreApplication *aplikacja = QCoreApplication::instance()) {
        auto *powiadamiacz = new QSocketNotifier(potokReakcji[0], QSocketNotifier::Read, aplikacja);
        QObject::connect(powiadamiacz, &QSocketNotifier::activated, aplikacja, reaguj);
    }
    return true;
}

} // namespace

void ZakonczNaSygnaly(int p_SekundyNaReakcje, std::function<void(int)> p_Reakcja)
{
    static const bool gotowe = przygotuj();
    if (!gotowe)
        return;
    sekundyNaReakcje.store(p_SekundyNaReakcje);
    reakcja = std::move(p_Reakcja);

    struct sigaction obsluga = {};
    obsluga.sa_handler = obsluzSygnal;
    obsluga.sa_flags = SA_RESTART;
    sigemptyset(&obsluga.sa_mask);
    for (int sygnal : sygnaly)
        sigaddset(&obsluga.sa_mask, sygnal);
    for (int sygnal : sygnaly)
        ::sigaction(sygnal, &obsluga, nullptr);
}

int OdebranySygnal()
{
    return odebrany.load();
}
