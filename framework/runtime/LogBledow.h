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
// file (at most 100 a day) and tells the user once at a time. Every trim and
// append, from any thread or process, holds the log's lock ("<log>.lock").

// Data directory + "Errors.txt"; fixed at the end of start-up.
extern QString PlikBledow;

inline constexpr int32_t DomyslnyMaksymalnyRozmiarLogu = 2097152;
inline constexpr int32_t DomyslnyDocelowyRozmiarLogu = 524288;
inline constexpr int DziennyLimitPlikowLogu = 100;
inline constexpr int LiczbaProbZapisuLogu = 20;
inline constexpr uint64_t OdstepPrzycinaniaLoguMs = 600000;
// Longest wait for the log's lock before the entry goes to a side file.
inline constexpr int CzasOczekiwaniaNaBlokadeLoguMs = 10000;

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

    // See ZapiszWyjatekWLogu. The file name is settled here, on the caller's
    // thread, whichever thread writes the entry.
    void Zapisz(const QString &p_Wyjatek, const QString &p_NazwaPliku, int32_t p_MaxRozmLogu,
                const QDateTime &p_DataCzas, bool p_ZapiszInfoOS);

    // Settings, set before the first entry. The trimming hook: none in this
    // program. The least time between two trims by this log (0: trim at
    // every chance, for stress runs). The longest wait for the log's lock.
    TFunkcjaPrzycinaniaLogu FunkcjaPrzycinania;
    uint64_t OdstepPrzycinaniaMs = OdstepPrzycinaniaLoguMs;
    int CzasOczekiwaniaNaBlokadeMs = CzasOczekiwaniaNaBlokadeLoguMs;

private:
    struct TWpis
    {
        QString Tekst;
        QString Plik; // full path
        int32_t MaxRozmLogu = 0;
        QDateTime DataCzas;
        bool ZapiszInfoOS = false;
        bool MoznaPokazacKom = false;
    };
    struct TProba
    {
        const TWpis &Wpis;
        QDateTime CzasUTC;
        int64_t Maksimum;
        int64_t Docelowy;
    };

    void ZapiszWpis(const TWpis &p_Wpis);
    void PracaWatku();
    // One attempt on the shared log under both locks; a result as below.
    TWynikZapisuLogu ProbaPodBlokada(const TProba &p_Proba);
    // One attempt: trims the file when due, appends the line.
    TWynikZapisuLogu ProbaZapisuLogu(const QString &p_Plik, const TProba &p_Proba);
    void PrzytnijJesliTrzeba(const QString &p_Plik, int64_t p_Rozmiar, int64_t p_Max, int64_t p_Docelowy);
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

    // Writers of this process meet here before the lock shared with others.
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
