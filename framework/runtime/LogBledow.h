#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// The error log: "Errors.txt" in the data directory, one UTF-8 line per entry
// with local and UTC time stamps. Writing survives a busy or unwritable log:
// it retries, trims an oversized file, falls back to a uniquely named side
// file (at most 100 a day) and tells the user once at a time.

// Data directory + "Errors.txt"; fixed at the end of start-up.
extern QString PlikBledow;

inline constexpr int32_t DomyslnyMaksymalnyRozmiarLogu = 2097152;
inline constexpr int32_t DomyslnyDocelowyRozmiarLogu = 524288;
inline constexpr int DziennyLimitPlikowLogu = 100;
inline constexpr int LiczbaProbZapisuLogu = 20;
inline constexpr uint64_t OdstepPrzycinaniaLoguMs = 600000;

// Gets the log's lines when it is trimmed; true means save them as they are left.
using TFunkcjaPrzycinaniaLogu = std::function<bool(QStringList &p_Linie)>;

// Result of one attempt to write an entry.
enum TWynikZapisuLogu : int { zlZapisano = 0, zlInnyBlad = 1, zlBrakDostepu = 2 };

// "YYYY-MM-DD hh:nn:ss.zzz"
QString ZnacznikCzasuLogu(const QDateTime &p_Czas);
// The same moment in UTC, through the system's time-zone database.
QDateTime CzasLokalnyNaUTC(const QDateTime &p_CzasLokalny);
// The system's version for the log line: the kernel release.
QString WersjaSystemu();

// State of one error log. The program has one (ZapiszWyjatekWLogu); tests
// make their own.
class TLogBledow
{
public:
    TLogBledow() = default;
    ~TLogBledow();
    TLogBledow(const TLogBledow &) = delete;
    TLogBledow &operator=(const TLogBledow &) = delete;

    // The one worker thread that writes the main thread's entries in order.
    void UruchomWatek();
    // Writes what was handed over, then ends the worker.
    void ZatrzymajWatek();
    // Returns once every entry handed to the worker is written.
    void CzekajNaZapis();

    // See ZapiszWyjatekWLogu.
    void Zapisz(const QString &p_Wyjatek, const QString &p_NazwaPliku, int32_t p_MaxRozmLogu,
                const QDateTime &p_DataCzas, bool p_ZapiszInfoOS);

    // One attempt: trims the file when due, appends the line.
    TWynikZapisuLogu ProbaZapisuLogu(const QString &p_Plik, const QString &p_Tekst, int64_t p_RozmiarDocelowy,
                                     const QDateTime &p_CzasLokalny, const QDateTime &p_CzasUTC,
                                     int64_t p_MaxRozmiar, bool p_ZapiszInfoOS, bool p_MoznaPokazacKom);

    // None in this program.
    TFunkcjaPrzycinaniaLogu FunkcjaPrzycinania;

private:
    struct TWpis
    {
        QString Tekst;
        QString NazwaPliku;
        int32_t MaxRozmLogu = 0;
        QDateTime DataCzas;
        bool ZapiszInfoOS = false;
        bool MoznaPokazacKom = false;
    };

    void ZapiszWpis(const TWpis &p_Wpis);
    void PracaWatku();
    bool PrzytnijJesliTrzeba(const QString &p_Plik, int64_t p_Rozmiar, int64_t p_Max, int64_t p_Docelowy);
    void ZglosBrakUprawnien(const QString &p_Plik, bool p_MoznaPokazacKom);
    // A message waits on the main thread's queue until the user closes it;
    // the flags outlive this object for calls still queued.
    struct TOczekujaceKomunikaty
    {
        std::mutex Blokada;
        bool Zapis = false;
        bool Uprawnienia = false;
    };
    void PokazWKolejce(const QString &p_Tekst, bool TOczekujaceKomunikaty::*p_Oczekuje);

    std::mutex FBlokadaLogu;

    std::mutex FBlokadaKolejki;
    std::condition_variable FZmianaKolejki;
    std::deque<TWpis> FKolejka;
    bool FPisze = false;
    bool FKoniec = false;
    std::thread FWatek;

    std::mutex FBlokadaStanu;
    bool FPrzycinano = false;
    uint64_t FOstatniePrzyciecie = 0;
    int FLicznikPlikowBocznych = 0;
    QDate FDzienLicznika;
    std::shared_ptr<TOczekujaceKomunikaty> FOczekujace = std::make_shared<TOczekujaceKomunikaty>();
};

// The program's log.
TLogBledow &LogBledow();

// Writes one entry; never raises.
//  p_NazwaPliku: empty means PlikBledow; a bare name goes to the data directory.
//  p_MaxRozmLogu: 0 the defaults (2 MiB, trimmed to 512 KiB), -1 never trim,
//                 N trims above N down to N / 2.
//  p_DataCzas: local moment of the entry; invalid means now.
//  p_ZapiszInfoOS: add the system's version to the line.
// From the main thread the write is handed to the log's worker thread.
// Before start-up has fixed the data directory, an empty or bare file name
// has no place to go and the entry is dropped.
void ZapiszWyjatekWLogu(const QString &p_Wyjatek, const QString &p_NazwaPliku = QString(),
                        int32_t p_MaxRozmLogu = 0, const QDateTime &p_DataCzas = QDateTime(),
                        bool p_ZapiszInfoOS = false);
