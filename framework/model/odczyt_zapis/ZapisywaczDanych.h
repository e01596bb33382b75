#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
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

    // Appends; SortujListe must run before the next look-up.
    void DodajObiekt(TObiektBazowy *p_Obiekt);
    // Builds the address-sorted index over ZapObiekty.
    void SortujListe();
    // The object's position in ZapObiekty; false and -1 when it is not there.
    bool PodlegaZapisowi(const TObiektBazowy *p_Obiekt, int &p_Gdzie);
    bool PodlegaZapisowi(const TObiektBazowy *p_Obiekt)
    {
        int gdzie;
        return PodlegaZapisowi(p_Obiekt, gdzie);
    }

    // Not owned; a position is the object's number.
    std::vector<TObiektBazowy *> ZapObiekty;
    // Positions of ZapObiekty ordered by address.
    std::vector<int> Posortowane;
    // Write transient fields too.
    bool ZapisWszystkichPol = false;
    int16_t OpcjeZapisu = 0;
    TFunCzyZapisac CzyZapisacPole;
    TFunNormalizuj NormalizujTekst;

private:
    // One-entry cache of the last look-up.
    const TObiektBazowy *OstObiekt = nullptr;
    int OstGdzie = -1;
};
