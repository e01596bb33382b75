#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class TObiekt;
class TObiektBazowy;

// Whether field p_NrPola of p_Obiekt is written.
using TFunCzyZapisac = std::function<bool(const TObiekt &p_Obiekt, int16_t p_NrPola)>;
// Prepares a wide text for storage (the binary writer's hook).
using TFunNormalizuj = std::function<QString(const QString &p_Tekst)>;

// Option bit of OpcjeZapisu: binary strings in Windows-1250 instead of UTF-8.
constexpr int16_t ozNapisyWin1250 = 0x100;

// Writer base of every format: which fields are written, and the objects that
// may be referred to, numbered by their position in ZapObiekty.
class TZapisywaczDanych
{
public:
    TZapisywaczDanych() = default;
    // Text writers flush their output here, and a failed flush must reach the caller.
    virtual ~TZapisywaczDanych() = default;
    TZapisywaczDanych(const TZapisywaczDanych &) = delete;
    TZapisywaczDanych &operator=(const TZapisywaczDanych &) = delete;

    // A field without a value never; then the filter, then "all fields",
    // then the object's own PoleZapisywane.
    virtual bool CzyZapisacPoleObiektu(int16_t p_NrPola, const TObiekt &p_Obiekt);
    // The same for a field known to have a value: the base rule without the
    // virtual call when the writer keeps it (WyborPolBazowy), else CzyZapisacPoleObiektu.
    bool CzyZapisacPoleZWartoscia(int16_t p_NrPola, const TObiekt &p_Obiekt);

    // Appends; SortujListe must run before the next look-up.
    void DodajObiekt(TObiektBazowy *p_Obiekt);
    // Makes ZapObiekty searchable (the address-sorted index is built on the first look-up).
    void SortujListe();
    // The same when only p_Cele (and seldom anything else) will be looked up:
    // one pass over ZapObiekty finds their positions, and anything else asked
    // for falls back to the sorted index.
    void SortujListe(std::vector<const TObiektBazowy *> p_Cele);
    // The object's position in ZapObiekty; false and -1 when it is not there.
    bool PodlegaZapisowi(const TObiektBazowy *p_Obiekt, int &p_Gdzie);
    bool PodlegaZapisowi(const TObiektBazowy *p_Obiekt)
    {
        int gdzie;
        return PodlegaZapisowi(p_Obiekt, gdzie);
    }

    // Not owned; a position is the object's number. A deque grows without
    // copying what it holds; one large array taken in huge pages was faster
    // for the binary write but left the heap slower for the reads and writes
    // that followed it.
    std::deque<TObiektBazowy *> ZapObiekty;
    // Positions of ZapObiekty ordered by address (built when first needed).
    std::vector<int> Posortowane;
    // Some sub-objects with a value are left out (see DajObiektyDoZapisu).
    bool PominietoObiekty = false;
    // Write transient fields too.
    bool ZapisWszystkichPol = false;
    int16_t OpcjeZapisu = 0;
    TFunCzyZapisac CzyZapisacPole;
    TFunNormalizuj NormalizujTekst;

protected:
    // Set by a writer whose CzyZapisacPoleObiektu is the base one.
    bool WyborPolBazowy = false;

private:
    void Posortuj();
    // Open addressing over the targets SortujListe was given: address and position (-1: not written).
    struct TCel
    {
        const TObiektBazowy *Obiekt;
        int Gdzie;
    };
    std::vector<TCel> FCele;
    bool FPosortowane = true;
    // One-entry cache of the last look-up.
    const TObiektBazowy *OstObiekt = nullptr;
    int OstGdzie = -1;
};
