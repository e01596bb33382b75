#include "LogBledow.h"

#include "BlokadaPliku.h"
#include "Formatuj.h"
#include "KatalogDanych.h"
#include "KodowanieZnakow.h"
#include "Komunikaty.h"
#include "LosowaNazwa.h"
#include "Parametry.h"
#include "PlikiBezpieczne.h"
#include "WatekGlowny.h"
#include "Wersja.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTimeZone>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

QString PlikBledow;

namespace {

const QByteArray znacznikKolejnosciBajtow("\xEF\xBB\xBF");
const QString bladZapisu = QStringLiteral("Błąd zapisu wyjątku w logu %s:\r%s");
const QString sprawdzUprawnienia =
    QStringLiteral("Sprawdź uprawnienia systemu Windows do zapisu tego pliku i katalogu z tym plikiem.");
// A log far beyond any limit is trimmed from its last part only, so that
// memory stays bounded whatever the file's size.
constexpr qint64 najwiecejCzytanePrzyPrzycinaniu = qint64(64) * 1024 * 1024;

uint64_t tykniecia()
{
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

// Opens a regular file for appending; creates it when missing (p_Utworzono
// tells). -1 with errno on failure.
int otworzDoDopisania(const QString &p_Plik, bool &p_Utworzono)
{
    int plik = OtworzZwyklyPlik(p_Plik, O_WRONLY | O_APPEND | O_CREAT | O_EXCL);
    p_Utworzono = plik >= 0;
    if (plik < 0 && errno == EEXIST)
        plik = OtworzZwyklyPlik(p_Plik, O_WRONLY | O_APPEND);
    return plik;
}

// Replaces the file's content through a fresh file renamed over it, so a
// link put in its place is replaced, never followed.
bool zastapTresc(const QString &p_Plik, const QByteArray &p_Tresc)
{
    QByteArray wzor = QFile::encodeName(QFileInfo(p_Plik).path() + QStringLiteral("/.")
                                        + QFileInfo(p_Plik).fileName() + QStringLiteral(".XXXXXX"));
    const int plik = ::mkostemp(wzor.data(), O_CLOEXEC);
    if (plik < 0)
        return false;
    const bool zapisano = ZapiszWszystko(plik, p_Tresc);
    if (::close(plik) != 0 || !zapisano || ::rename(wzor.constData(), QFile::encodeName(p_Plik).constData()) != 0) {
        ::unlink(wzor.constData());
        return false;
    }
    return true;
}

// A line as it is saved: UTF-8 kept, anything else read as Windows-1250.
QByteArray liniaUtf8(const QByteArray &p_Bajty)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString tekst = utf8.decode(p_Bajty);
    return utf8.hasError() ? TekstZPolskiegoAnsi(p_Bajty).toUtf8() : p_Bajty;
}

// Where the line after the CR at p_Cr begins: a CR LF is one break.
qsizetype poKoncuLinii(const QByteArray &p_Tresc, qsizetype p_Cr)
{
    return p_Cr + 1 < p_Tresc.size() && p_Tresc[p_Cr + 1] == '\n' ? p_Cr + 2 : p_Cr + 1;
}

// Lines split at CR; a lone LF stays in its line.
QByteArrayList linieLogu(QByteArray p_Tresc)
{
    if (p_Tresc.startsWith(znacznikKolejnosciBajtow))
        p_Tresc.remove(0, znacznikKolejnosciBajtow.size());
    QByteArrayList linie;
    qsizetype poczatek = 0;
    for (qsizetype cr = p_Tresc.indexOf('\r'); cr >= 0; cr = p_Tresc.indexOf('\r', poczatek)) {
        linie << liniaUtf8(p_Tresc.sliced(poczatek, cr - poczatek));
        poczatek = poKoncuLinii(p_Tresc, cr);
    }
    if (poczatek < p_Tresc.size())
        linie << liniaUtf8(p_Tresc.sliced(poczatek));
    return linie;
}

// The last p_Najwiecej bytes of a regular file; p_Pominieto tells how many
// bytes came before them.
bool czytajKoniec(const QString &p_Plik, qint64 p_Najwiecej, QByteArray &p_Tresc, qint64 &p_Pominieto)
{
    const int plik = OtworzZwyklyPlik(p_Plik, O_RDONLY);
    if (plik < 0)
        return false;
    QFile czytnik;
    struct stat stan;
    bool wynik = ::fstat(plik, &stan) == 0 && czytnik.open(plik, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    if (wynik) {
        p_Pominieto = qMax<qint64>(0, stan.st_size - p_Najwiecej);
        wynik = czytnik.seek(p_Pominieto);
        p_Tresc = czytnik.read(stan.st_size - p_Pominieto);
        czytnik.close();
    }
    ::close(plik);
    return wynik;
}

QString katalogPliku(const QString &p_Plik)
{
    return QFileInfo(p_Plik).path() + QLatin1Char('/');
}

} // namespace

QString ZnacznikCzasuLogu(const QDateTime &p_Czas)
{
    return p_Czas.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

QDateTime CzasLokalnyNaUTC(const QDateTime &p_CzasLokalny)
{
    return p_CzasLokalny.toUTC();
}

QString WersjaSystemu()
{
    struct utsname system;
    return ::uname(&system) == 0 ? QString::fromUtf8(system.release) : QString();
}

TLogBledow::~TLogBledow()
{
    ZatrzymajWatek();
}

void TLogBledow::UruchomWatek()
{
    std::lock_guard blokada(FBlokadaKolejki);
    if (FWatek.joinable())
        return;
    FKoniec = false;
    FWatek = std::thread([this] { PracaWatku(); });
}

void TLogBledow::ZatrzymajWatek()
{
    {
        std::lock_guard blokada(FBlokadaKolejki);
        if (!FWatek.joinable())
            return;
        FKoniec = true;
    }
    FZmianaKolejki.notify_all();
    FWatek.join();
    FWatek = std::thread();
}

void TLogBledow::CzekajNaZapis()
{
    std::unique_lock blokada(FBlokadaKolejki);
    FZmianaKolejki.wait(blokada, [this] { return FKolejka.empty() && !FPisze; });
}

void TLogBledow::PracaWatku()
{
    std::unique_lock blokada(FBlokadaKolejki);
    for (;;) {
        FZmianaKolejki.wait(blokada, [this] { return FKoniec || !FKolejka.empty(); });
        if (FKolejka.empty())
            return;
        const TWpis wpis = std::move(FKolejka.front());
        FKolejka.pop_front();
        FPisze = true;
        blokada.unlock();
        ZapiszWpis(wpis);
        blokada.lock();
        FPisze = false;
        FZmianaKolejki.notify_all();
    }
}

void TLogBledow::Zapisz(const QString &p_Wyjatek, const QString &p_NazwaPliku, int32_t p_MaxRozmLogu,
                        const QDateTime &p_DataCzas, bool p_ZapiszInfoOS)
{
    try {
        QString plik = p_NazwaPliku.isEmpty() ? PlikBledow : p_NazwaPliku;
        if (!plik.contains(QLatin1Char('/')))
            plik = DajKatalogDanych() + plik;
        // Before start-up has fixed the data directory there is no place for a log.
        if (!plik.startsWith(QLatin1Char('/')))
            return;
        const bool glowny = CzyWatekGlowny();
        TWpis wpis{p_Wyjatek, plik, p_MaxRozmLogu,
                   p_DataCzas.isValid() ? p_DataCzas.toLocalTime() : QDateTime::currentDateTime(), p_ZapiszInfoOS,
                   glowny || !TrybUslugi};
        if (glowny) {
            std::lock_guard blokada(FBlokadaKolejki);
            if (FWatek.joinable() && !FKoniec) {
                FKolejka.push_back(std::move(wpis));
                FZmianaKolejki.notify_all();
                return;
            }
        }
        ZapiszWpis(wpis);
    } catch (...) {
        // The log is the last resort: nothing is left to report to.
    }
}

void TLogBledow::ZapiszWpis(const TWpis &p_Wpis)
{
    const QString &plik = p_Wpis.Plik;
    TProba proba{p_Wpis, CzasLokalnyNaUTC(p_Wpis.DataCzas), p_Wpis.MaxRozmLogu, p_Wpis.MaxRozmLogu / 2};
    if (proba.Maksimum == 0) {
        proba.Maksimum = DomyslnyMaksymalnyRozmiarLogu;
        proba.Docelowy = DomyslnyDocelowyRozmiarLogu;
    }

    for (int numer = 1; numer <= LiczbaProbZapisuLogu; ++numer) {
        const TWynikZapisuLogu wynik = ProbaPodBlokada(proba);
        if (wynik == zlZapisano)
            return;
        if (wynik == zlInnyBlad)
            break;
        if (numer < LiczbaProbZapisuLogu)
            std::this_thread::sleep_for(std::chrono::milliseconds(50 + QRandomGenerator::global()->bounded(100)));
    }

    int licznik;
    {
        std::lock_guard blokada(FBlokadaStanu);
        const QDate dzis = QDate::currentDate();
        if (FDzienLicznika != dzis) {
            FLicznikPlikowBocznych = 0;
            FDzienLicznika = dzis;
        }
        licznik = ++FLicznikPlikowBocznych;
    }
    const QString tekstWpisu = p_Wpis.Tekst.left(1000);
    if (licznik > DziennyLimitPlikowLogu) {
        const QString komunikat =
            Format(bladZapisu,
                   {plik, Format(QStringLiteral("Przekroczono dzienny limit %d plików logów tymczasowych."),
                                 {DziennyLimitPlikowLogu})})
            + QLatin1Char('\r') + sprawdzUprawnienia;
        if (p_Wpis.MoznaPokazacKom)
            PokazWKolejce(komunikat + QStringLiteral("\r\r") + tekstWpisu, &TOczekujaceKomunikaty::Zapis);
        return;
    }
    const QString plikBoczny = katalogPliku(plik) + p_Wpis.DataCzas.toString(QStringLiteral("yyyyMMddhhmmsszzz"))
                               + QLatin1Char('_') + DajLosowaNazwe() + QLatin1Char('_') + QFileInfo(plik).fileName();
    // A side file's name is unique: nobody else writes it, no lock is needed.
    const TWynikZapisuLogu wynik = ProbaZapisuLogu(plikBoczny, proba);
    if (wynik == zlInnyBlad && p_Wpis.MoznaPokazacKom)
        PokazWKolejce(Format(bladZapisu, {plik, tekstWpisu}), &TOczekujaceKomunikaty::Zapis);
}

TWynikZapisuLogu TLogBledow::ProbaPodBlokada(const TProba &p_Proba)
{
    const auto termin = std::chrono::steady_clock::now() + std::chrono::milliseconds(CzasOczekiwaniaNaBlokadeMs);
    std::unique_lock blokada(FBlokadaLogu, std::defer_lock);
    if (!CzekajNaBlokade(termin, [&] { return blokada.try_lock(); }))
        return zlInnyBlad;
    const TBlokadaPliku blokadaPliku(p_Proba.Wpis.Plik + QStringLiteral(".lock"), termin);
    const int blad = blokadaPliku.Zajeta() ? 0 : blokadaPliku.Blad();
    // No lock file for want of rights: nobody can rename a trimmed log into
    // this folder either, so appends lose nothing; the log's own open decides
    // (and reports the rights). A file system without locks: best effort.
    const bool bezBlokady = blad == EACCES || blad == EPERM || blad == EROFS || blad == ENOLCK || blad == EOPNOTSUPP;
    if (blad != 0 && !bezBlokady)
        return zlInnyBlad;
    return ProbaZapisuLogu(p_Proba.Wpis.Plik, p_Proba);
}

void TLogBledow::PrzytnijJesliTrzeba(const QString &p_Plik, int64_t p_Rozmiar, int64_t p_Max, int64_t p_Docelowy)
{
    {
        std::lock_guard blokada(FBlokadaStanu);
        const uint64_t teraz = tykniecia();
        if (p_Max == -1 || p_Rozmiar <= p_Max
            || (FPrzycinano && OdstepPrzycinaniaMs > 0 && teraz - FOstatniePrzyciecie <= OdstepPrzycinaniaMs))
            return;
        FPrzycinano = true;
        FOstatniePrzyciecie = teraz;
    }
    QByteArray tresc;
    qint64 pominiete = 0;
    if (!czytajKoniec(p_Plik, najwiecejCzytanePrzyPrzycinaniu, tresc, pominiete))
        return;
    if (pominiete > 0) {
        // The first line read is cut; it goes with the part not read.
        const qsizetype cr = tresc.indexOf('\r');
        tresc.remove(0, cr < 0 ? tresc.size() : poKoncuLinii(tresc, cr));
    }
    QByteArrayList linie = linieLogu(tresc);
    if (FunkcjaPrzycinania) {
        QStringList tekst;
        for (const QByteArray &l : std::as_const(linie))
            tekst << QString::fromUtf8(l);
        if (!FunkcjaPrzycinania(tekst))
            return;
        linie.clear();
        for (const QString &l : std::as_const(tekst))
            linie << l.toUtf8();
    } else {
        // Counted as saved: UTF-8 bytes and CR LF, after the byte-order mark.
        int64_t rozmiar = znacznikKolejnosciBajtow.size();
        for (const QByteArray &l : std::as_const(linie))
            rozmiar += l.size() + 2;
        qsizetype usuniete = 0;
        while (usuniete < linie.size() && rozmiar > p_Docelowy)
            rozmiar -= linie[usuniete++].size() + 2;
        linie.remove(0, usuniete);
    }
    QByteArray nowa = znacznikKolejnosciBajtow;
    for (const QByteArray &l : std::as_const(linie))
        nowa += l + "\r\n";
    zastapTresc(p_Plik, nowa);
}

TWynikZapisuLogu TLogBledow::ProbaZapisuLogu(const QString &p_Plik, const TProba &p_Proba)
{
    struct stat stan;
    const QByteArray nazwa = QFile::encodeName(p_Plik);
    if (::lstat(nazwa.constData(), &stan) == 0 && S_ISREG(stan.st_mode))
        PrzytnijJesliTrzeba(p_Plik, stan.st_size, p_Proba.Maksimum, p_Proba.Docelowy);

    bool utworzono = false;
    const int plik = otworzDoDopisania(p_Plik, utworzono);
    if (plik < 0) {
        if (errno == EACCES || errno == EPERM) {
            ZglosBrakUprawnien(p_Plik, p_Proba.Wpis.MoznaPokazacKom);
            return zlBrakDostepu;
        }
        return zlInnyBlad;
    }
    QString wiersz = QStringLiteral("-> ") + ZnacznikCzasuLogu(p_Proba.Wpis.DataCzas) + QStringLiteral("\tUTC: ")
                     + ZnacznikCzasuLogu(p_Proba.CzasUTC);
    if (p_Proba.Wpis.ZapiszInfoOS)
        wiersz += QStringLiteral("\tV ") + WersjaSystemu();
    wiersz += QLatin1Char('\t') + p_Proba.Wpis.Tekst + QStringLiteral("\r\n");
    const QByteArray dane = (utworzono ? znacznikKolejnosciBajtow : QByteArray()) + wiersz.toUtf8();
    const bool zapisano = ZapiszWszystko(plik, dane);
    const bool zamknieto = ::close(plik) == 0;
    return zapisano && zamknieto ? zlZapisano : zlInnyBlad;
}

void TLogBledow::ZglosBrakUprawnien(const QString &p_Plik, bool p_MoznaPokazacKom)
{
    const QString komunikat = Format(bladZapisu, {p_Plik, QString()}) + QLatin1Char('\r') + sprawdzUprawnienia;
    const QString notatka = katalogPliku(p_Plik) + QStringLiteral("CHECK_WRITE_PERMISSIONS_TO_LOG_DIRECTORY_AND_FILE_")
                            + QFileInfo(p_Plik).fileName();
    UtworzNowyPlik(notatka, znacznikKolejnosciBajtow + komunikat.toUtf8() + "\r\n");
    if (p_MoznaPokazacKom)
        PokazWKolejce(komunikat, &TOczekujaceKomunikaty::Uprawnienia);
}

void TLogBledow::PokazWKolejce(const QString &p_Tekst, bool TOczekujaceKomunikaty::*p_Oczekuje)
{
    QCoreApplication *aplikacja = QCoreApplication::instance();
    if (!aplikacja)
        return;
    {
        std::lock_guard blokada(FOczekujace->Blokada);
        if ((*FOczekujace).*p_Oczekuje)
            return;
        (*FOczekujace).*p_Oczekuje = true;
    }
    QMetaObject::invokeMethod(
        aplikacja,
        [p_Tekst, p_Oczekuje, oczekujace = FOczekujace] {
            PokazKomunikatZTytulem(NazwaProduktu, p_Tekst, mtError, mbOKOnly, 0);
            std::lock_guard blokada(oczekujace->Blokada);
            (*oczekujace).*p_Oczekuje = false;
        },
        Qt::QueuedConnection);
}

TLogBledow &LogBledow()
{
    static TLogBledow log;
    return log;
}

void ZapiszWyjatekWLogu(const QString &p_Wyjatek, const QString &p_NazwaPliku, int32_t p_MaxRozmLogu,
                        const QDateTime &p_DataCzas, bool p_ZapiszInfoOS)
{
    LogBledow().Zapisz(p_Wyjatek, p_NazwaPliku, p_MaxRozmLogu, p_DataCzas, p_ZapiszInfoOS);
}
