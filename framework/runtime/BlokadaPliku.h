#pragma once

#include <QString>

#include <algorithm>
#include <chrono>
#include <thread>

// Tries p_Proba (true: had) until it succeeds or p_Termin passes, sleeping a
// little longer after each miss. Polled rather than blocking, so that a holder
// that never lets go (a stopped or hung process) costs a bounded wait.
template <typename TProba>
bool CzekajNaBlokade(std::chrono::steady_clock::time_point p_Termin, TProba p_Proba)
{
    auto przerwa = std::chrono::microseconds(50);
    for (;;) {
        if (p_Proba())
            return true;
        const auto teraz = std::chrono::steady_clock::now();
        if (teraz >= p_Termin)
            return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(przerwa, p_Termin - teraz));
        przerwa = std::min(przerwa * 2, std::chrono::microseconds(4000));
    }
}

// An exclusive lock shared by every process that changes one file: flock on
// a side file beside it, so that the file itself may be replaced by a rename
// while the lock holds. The side file is created 0600, never opened through
// a link, and left in place (removing it would race with waiting processes).
class TBlokadaPliku
{
public:
    // Waits for the lock until p_Termin at most; Zajeta() tells whether it
    // was had, Blad() the errno when not (EWOULDBLOCK: the wait ran out).
    TBlokadaPliku(const QString &p_PlikBlokady, std::chrono::steady_clock::time_point p_Termin);
    // Releases the lock.
    ~TBlokadaPliku();
    TBlokadaPliku(const TBlokadaPliku &) = delete;
    TBlokadaPliku &operator=(const TBlokadaPliku &) = delete;

    bool Zajeta() const { return FDeskryptor >= 0; }
    int Blad() const { return FBlad; }

private:
    int FDeskryptor = -1;
    int FBlad = 0;
};
