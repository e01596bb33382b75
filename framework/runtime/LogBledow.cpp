#include "LogBledow.h"

#include "Formatuj.h"
#include "KatalogDanych.h"
#include "KodowanieZnakow.h"
#include "Komunikaty.h"
#include "LosowaNazwa.h"
#include "Parametry.h"
#include "PlikiBezpieczne.h"
#include "WatekGlowny.h"

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

// Opens a regular file for appending without following a link and without
// waiting on a pipe; creates it when missing (p_Utworzono tells). -1 with
// errno on failure.
int otworzDoDopisania(const QString &p_Plik, bool &p_Utworzono)
{
    const QByteArray nazwa = QFile::encodeName(p_Plik);
    constexpr int flagi = O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    p_Utworzono = false;
    int plik = ::open(nazwa.constData(), flagi | O_CREAT | O_EXCL, 0600);
    if (plik >= 0)
        p_Utworzono = true;
    else if (errno == EEXIST)
        plik = ::open(nazwa.constData(), flagi);
    if (plik < 0)
        return -1;
    struct stat stan;
    if (::fstat(plik, &stan) != 0 || !S_ISREG(stan.st_mode)) {
        ::close(plik);
        errno = EINVAL;
        return -1;
    }
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

QString linia(const QByteArray &p_Bajty)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString tekst = utf8.decode(p_Bajty);
    return utf8.hasError() ? TekstZPolskiegoAnsi(p_Bajty) : tekst;
}

// Lines split at CR, LF or CR LF.
QStringList linieLogu(QByteArray p_Tresc)
{
    if (p_Tresc.startsWith(znacznikKolejnosciBajtow))
        p_Tresc.remove(0, znacznikKolejnosciBajtow.size());
    QStringList linie;
    qsizetype poczatek = 0;
    for (qsizetype i = 0; i < p_Tresc.size(); ++i) {
        if (p_Tresc[i] != '\r' && p_Tresc[i] != '\n')
            continue;
        linie << linia(p_Tresc.sliced(poczatek, i - poczatek));
        if (p_Tresc[i] == '\r' && i + 1 < p_Tresc.size() && p_Tresc[i + 1] == '\n')
            ++i;
        poczatek = i + 1;
    }
    if (poczatek < p_Tresc.size())
        linie << linia(p_Tresc.sliced(poczatek));
    return linie;
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
        {
            std::lock_guard blokadaLogu(FBlokadaLogu);
            ZapiszWpis(wpis);
        }
        blokada.lock();
        FPisze = false;
        FZmianaKolejki.notify_all();
    }
}

void TLogBledow::Zapisz(const QString &p_Wyjatek, const QString &p_NazwaPliku, int32_t p_MaxRozmLogu,
                        const QDateTime &p_DataCzas, bool p_ZapiszInfoOS)
{
    try {
        const bool glowny = CzyWatekGlowny();
        TWpis wpis{p_Wyjatek, p_NazwaPliku, p_MaxRozmLogu,
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
    const QDateTime czasUTC = CzasLokalnyNaUTC(p_Wpis.DataCzas);
    QString plik = p_Wpis.NazwaPliku.isEmpty() ? PlikBledow : p_Wpis.NazwaPliku;
    if (!plik.contains(QLatin1Char('/')))
        plik = DajKatalogDanych() + plik;
    // Before start-up has fixed the data directory there is no place for a log.
    if (!plik.startsWith(QLatin1Char('/')))
        return;

    int64_t maksimum = p_Wpis.MaxRozmLogu;
    int64_t docelowy = maksimum / 2;
    if (maksimum == 0) {
        maksimum = DomyslnyMaksymalnyRozmiarLogu;
        docelowy = DomyslnyDocelowyRozmiarLogu;
    }

    for (int proba = 1; proba <= LiczbaProbZapisuLogu; ++proba) {
        const TWynikZapisuLogu wynik = ProbaZapisuLogu(plik, p_Wpis.Tekst, docelowy, p_Wpis.DataCzas, czasUTC,
                                                       maksimum, p_Wpis.ZapiszInfoOS, p_Wpis.MoznaPokazacKom);
        if (wynik == zlZapisano)
            return;
        if (wynik == zlInnyBlad)
            break;
        if (proba < LiczbaProbZapisuLogu)
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
    const TWynikZapisuLogu wynik = ProbaZapisuLogu(plikBoczny, p_Wpis.Tekst, docelowy, p_Wpis.DataCzas, czasUTC,
                                                   maksimum, p_Wpis.ZapiszInfoOS, p_Wpis.MoznaPokazacKom);
    if (wynik == zlInnyBlad && p_Wpis.MoznaPokazacKom)
        PokazWKolejce(Format(bladZapisu, {plik, tekstWpisu}), &TOczekujaceKomunikaty::Zapis);
}

bool TLogBledow::PrzytnijJesliTrzeba(const QString &p_Plik, int64_t p_Rozmiar, int64_t p_Max, int64_t p_Docelowy)
{
    {
        std::lock_guard blokada(FBlokadaStanu);
        const uint64_t teraz = tykniecia();
        if (p_Max == -1 || p_Rozmiar <= p_Max
            || (FPrzycinano && teraz - FOstatniePrzyciecie <= OdstepPrzycinaniaLoguMs))
            return false;
        FPrzycinano = true;
        FOstatniePrzyciecie = teraz;
    }
    QFile plik(p_Plik);
    if (!plik.open(QIODevice::ReadOnly))
        return false;
    const qint64 pominiete = qMax<qint64>(0, plik.size() - najwiecejCzytanePrzyPrzycinaniu);
    plik.seek(pominiete);
    QByteArray tresc = plik.read(najwiecejCzytanePrzyPrzycinaniu);
    plik.close();
    int64_t rozmiar = p_Rozmiar;
    if (pominiete > 0) {
        // The first line read is cut; it goes with the part not read.
        const qsizetype koniecLinii = tresc.indexOf('\n');
        tresc.remove(0, koniecLinii < 0 ? tresc.size() : koniecLinii + 1);
        rozmiar = tresc.size();
    }
    QStringList linie = linieLogu(tresc);
    if (FunkcjaPrzycinania) {
        if (!FunkcjaPrzycinania(linie))
            return true;
    } else {
        qsizetype usuniete = 0;
        while (usuniete < linie.size() && rozmiar > p_Docelowy)
            rozmiar -= linie[usuniete++].size() + 2;
        linie.remove(0, usuniete);
    }
    QByteArray nowa = znacznikKolejnosciBajtow;
    for (const QString &l : linie)
        nowa += l.toUtf8() + "\r\n";
    zastapTresc(p_Plik, nowa);
    return true;
}

TWynikZapisuLogu TLogBledow::ProbaZapisuLogu(const QString &p_Plik, const QString &p_Tekst, int64_t p_RozmiarDocelowy,
                                             const QDateTime &p_CzasLokalny, const QDateTime &p_CzasUTC,
                                             int64_t p_MaxRozmiar, bool p_ZapiszInfoOS, bool p_MoznaPokazacKom)
{
    struct stat stan;
    const QByteArray nazwa = QFile::encodeName(p_Plik);
    if (::lstat(nazwa.constData(), &stan) == 0 && S_ISREG(stan.st_mode))
        PrzytnijJesliTrzeba(p_Plik, stan.st_size, p_MaxRozmiar, p_RozmiarDocelowy);

    bool utworzono = false;
    const int plik = otworzDoDopisania(p_Plik, utworzono);
    if (plik < 0) {
        if (errno == EACCES || errno == EPERM) {
            ZglosBrakUprawnien(p_Plik, p_MoznaPokazacKom);
            return zlBrakDostepu;
        }
        return zlInnyBlad;
    }
    QString wiersz = QStringLiteral("-> ") + ZnacznikCzasuLogu(p_CzasLokalny) + QStringLiteral("\tUTC: ")
                     + ZnacznikCzasuLogu(p_CzasUTC);
    if (p_ZapiszInfoOS)
        wiersz += QStringLiteral("\tV ") + WersjaSystemu();
    wiersz += QLatin1Char('\t') + p_Tekst + QStringLiteral("\r\n");
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
            PokazKomunikatOK(p_Tekst, mtError);
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
