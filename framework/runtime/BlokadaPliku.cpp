#include "BlokadaPliku.h"

#include "PlikiBezpieczne.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

TBlokadaPliku::TBlokadaPliku(const QString &p_PlikBlokady, std::chrono::steady_clock::time_point p_Termin)
{
    const int plik = OtworzZwyklyPlik(p_PlikBlokady, O_RDWR | O_CREAT);
    if (plik < 0) {
        FBlad = errno;
        return;
    }
    const bool zajeta = CzekajNaBlokade(p_Termin, [&] {
        int wynik;
        do
            wynik = ::flock(plik, LOCK_EX | LOCK_NB);
        while (wynik != 0 && errno == EINTR);
        FBlad = wynik == 0 ? 0 : errno;
        // Only a held lock is worth waiting for.
        return wynik == 0 || FBlad != EWOULDBLOCK;
    }) && FBlad == 0;
    if (zajeta)
        FDeskryptor = plik;
    else
        ::close(plik);
}

TBlokadaPliku::~TBlokadaPliku()
{
    if (FDeskryptor >= 0)
        ::close(FDeskryptor);
}
