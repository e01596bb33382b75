#include "RejestrSprzatania.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <shared_mutex>
#include <vector>

namespace {

// Past this many entries, files their owners deleted are dropped.
constexpr size_t progPrzegladu = 64;

struct TWpis
{
    QByteArray Sciezka;
    bool Katalog;
};

struct TRejestr
{
    // Held shared by a creation until its path is registered, and exclusively
    // by an emergency end: creations (an output's file, say, on each of a
    // batch's threads) run side by side, and an end never falls between one
    // and its registration.
    std::shared_mutex Tworzenie;
    std::mutex Blokada; // the list
    std::vector<TWpis> Wpisy;
};

// Never destroyed: a signal's watchdog may use it while statics go away.
TRejestr &rejestr()
{
    static TRejestr *const jedyny = new TRejestr;
    return *jedyny;
}

bool istnieje(const QByteArray &p_Sciezka)
{
    struct stat stan;
    return ::lstat(p_Sciezka.constData(), &stan) == 0 || errno != ENOENT;
}

void usunPusteKatalogi(std::vector<TWpis> &p_Wpisy)
{
    for (auto wpis = p_Wpisy.rbegin(); wpis != p_Wpisy.rend(); ++wpis)
        if (wpis->Katalog)
            ::rmdir(wpis->Sciezka.constData());
}

} // namespace

QString UtworzDoSprzatania(const std::function<QString()> &p_Utworz, bool p_Katalog)
{
    TRejestr &r = rejestr();
    std::shared_lock tworzenie(r.Tworzenie);
    const QString utworzona = p_Utworz();
    if (utworzona.isEmpty())
        return utworzona;
    const QByteArray sciezka = QFile::encodeName(utworzona);
    std::lock_guard blokada(r.Blokada);
    auto &wpisy = r.Wpisy;
    if (std::any_of(wpisy.begin(), wpisy.end(), [&](const TWpis &p_Wpis) { return p_Wpis.Sciezka == sciezka; }))
        return utworzona;
    if (wpisy.size() >= progPrzegladu)
        wpisy.erase(std::remove_if(wpisy.begin(), wpisy.end(),
                                   [](const TWpis &p_Wpis) { return !p_Wpis.Katalog && !istnieje(p_Wpis.Sciezka); }),
                    wpisy.end());
    wpisy.push_back({sciezka, p_Katalog});
    return utworzona;
}

void WyrejestrujZeSprzatania(const QString &p_Sciezka)
{
    const QByteArray sciezka = QFile::encodeName(p_Sciezka);
    TRejestr &r = rejestr();
    std::lock_guard blokada(r.Blokada);
    r.Wpisy.erase(std::remove_if(r.Wpisy.begin(), r.Wpisy.end(),
                                 [&](const TWpis &p_Wpis) { return p_Wpis.Sciezka == sciezka; }),
                  r.Wpisy.end());
}

void UsunPusteKatalogiZRejestru()
{
    TRejestr &r = rejestr();
    std::lock_guard tworzenie(r.Tworzenie);
    std::lock_guard blokada(r.Blokada);
    usunPusteKatalogi(r.Wpisy);
    r.Wpisy.erase(std::remove_if(r.Wpisy.begin(), r.Wpisy.end(),
                                 [](const TWpis &p_Wpis) { return p_Wpis.Katalog && !istnieje(p_Wpis.Sciezka); }),
                  r.Wpisy.end());
}

void ZakonczPoSprzataniu(int p_Sygnal)
{
    TRejestr &r = rejestr();
    // Both held until the process is gone.
    r.Tworzenie.lock();
    r.Blokada.lock();
    for (const TWpis &wpis : r.Wpisy)
        if (!wpis.Katalog)
            ::unlink(wpis.Sciezka.constData());
    usunPusteKatalogi(r.Wpisy);

    // Dying of the signal itself tells the parent what happened.
    struct sigaction domyslna = {};
    domyslna.sa_handler = SIG_DFL;
    ::sigaction(p_Sygnal, &domyslna, nullptr);
    sigset_t zestaw;
    sigemptyset(&zestaw);
    sigaddset(&zestaw, p_Sygnal);
    ::pthread_sigmask(SIG_UNBLOCK, &zestaw, nullptr);
    ::raise(p_Sygnal);
    ::_exit(128 + p_Sygnal);
}
