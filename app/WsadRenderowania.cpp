#include "WsadRenderowania.h"

#include "DrogaDokumentu.h"
#include "DrukarkaPDF.h"
#include "KomunikatECS.h"
#include "Komunikaty.h"
#include "NazwyWynikow.h"
#include "PlikWynikowy.h"
#include "PlikiTymczasowe.h"
#include "PostepWsadu.h"
#include "Strumienie.h"
#include "SzablonyWsadu.h"
#include "WejsciaWsadu.h"
#include "WierszPodsumowania.h"
#include "Wyjatki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

// A message this large is rendered alone: its trees take gigabytes, and two
// at once could take more than the machine has. Smaller ones go on beside it.
constexpr qint64 progDuzegoPliku = 16 * 1024 * 1024;

struct TWynikPliku
{
    QString Odmowa;
    QStringList Zapisane;
    std::unique_ptr<TWierszPodsumowania> Wiersz;
};

void wypisz(const QString &p_Tekst)
{
    QString tekst = p_Tekst;
    tekst.replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::fprintf(stderr, "ostrevia-render: %s\n", qUtf8Printable(tekst));
}

QString tekstKomunikatow(const std::vector<TZebranyKomunikat> &p_Komunikaty)
{
    QStringList teksty;
    for (const TZebranyKomunikat &komunikat : p_Komunikaty)
        teksty.append(komunikat.Tekst);
    return teksty.join(QLatin1Char('\r'));
}

class TWsad
{
public:
    explicit TWsad(const TOpcjeWsadu &p_Opcje) : FOpcje(p_Opcje) {}

    int Wykonaj();

private:
    void pracuj();
    TWynikPliku przetworz(const QString &p_Sciezka, const QString &p_Nazwa);
    QString wyrenderuj(const QString &p_Sciezka, const QString &p_Nazwa, QStringList &p_Zapisane);
    QString nowaStronaTymczasowa();
    std::unique_ptr<TWierszPodsumowania> wierszPodsumowania(const QString &p_Sciezka, const QString &p_Odmowa);
    bool zapiszPodsumowanie();
    // Whether an output of that name would replace one of the inputs (an
    // input given inside the output folder under an output's name).
    bool wynikNaWejsciu(const QString &p_Nazwa) const;

    const TOpcjeWsadu &FOpcje;
    QDir FKatalog;
    std::vector<TWejscieWsadu> FWejscia;
    QStringList FNazwy;
    // The inputs as files, links followed.
    std::set<TIdentyfikatorPliku> FPlikiWejsciowe;
    std::vector<TWynikPliku> FWyniki;
    std::atomic<size_t> FNastepny{0};
    std::unique_ptr<TPostepWsadu> FPostep;
    TDrukarkaPDF FDrukarka;
    TSzablonyWsadu FSzablony;
    std::mutex FDuzyPlik;
    std::mutex FPlikiTymczasowe;
};

int TWsad::Wykonaj()
{
    if (!QDir().mkpath(FOpcje.KatalogWyjsciowy) || !QFileInfo(FOpcje.KatalogWyjsciowy).isDir()) {
        wypisz(QStringLiteral("nie można utworzyć katalogu %1").arg(FOpcje.KatalogWyjsciowy));
        return 1;
    }
    FKatalog = QDir(FOpcje.KatalogWyjsciowy);
    FWejscia = ZbierzWejscia(FOpcje.Wejscia);
    if (FWejscia.empty()) {
        wypisz(QStringLiteral("nie znaleziono żadnego pliku *.xml"));
        return 1;
    }
    QStringList sciezki;
    for (const TWejscieWsadu &wejscie : FWejscia) {
        sciezki.append(wejscie.Sciezka);
        if (wejscie.Plik)
            FPlikiWejsciowe.insert(*wejscie.Plik);
    }
    FNazwy = NadajNazwyWynikow(sciezki, [this](const QString &p_Nazwa) { return wynikNaWejsciu(p_Nazwa); });
    FWyniki.resize(FWejscia.size());

    if (FOpcje.PDF) {
        QString blad;
        if (!FDrukarka.Uruchom(FOpcje.ProgramPDF, blad)) {
            wypisz(blad);
            return 1;
        }
    }
    FPostep = std::make_unique<TPostepWsadu>(static_cast<int>(FWejscia.size()));
    const size_t watki = std::max<size_t>(1, std::min<size_t>(FOpcje.Watki, FWejscia.size()));
    std::vector<std::thread> pracownicy;
    for (size_t i = 0; i < watki; ++i)
        pracownicy.emplace_back([this] { pracuj(); });
    for (std::thread &pracownik : pracownicy)
        pracownik.join();
    FPostep->Zamknij();

    int odrzucone = 0;
    for (size_t i = 0; i < FWejscia.size(); ++i) {
        for (const QString &plik : FWyniki[i].Zapisane)
            std::printf("%s\n", qUtf8Printable(plik));
        odrzucone += !FWyniki[i].Odmowa.isEmpty();
    }
    std::fflush(stdout);
    if (odrzucone) {
        wypisz(QStringLiteral("odrzucono plików: %1 z %2").arg(odrzucone).arg(FWejscia.size()));
        for (size_t i = 0; i < FWejscia.size(); ++i)
            if (!FWyniki[i].Odmowa.isEmpty())
                wypisz(QStringLiteral("  %1: %2").arg(FWejscia[i].Sciezka, FWyniki[i].Odmowa));
    }
    const bool podsumowano = FOpcje.Podsumowanie.isEmpty() || zapiszPodsumowanie();
    return odrzucone || !podsumowano ? 1 : 0;
}

void TWsad::pracuj()
{
    // Each thread's refusals are its own: collected here, never shown.
    TZbieraczKomunikatow zbieracz;
    for (size_t i = FNastepny++; i < FWejscia.size(); i = FNastepny++) {
        const TWejscieWsadu &wejscie = FWejscia[i];
        FPostep->Rozpoczeto(wejscie.Sciezka);
        if (!wejscie.Odmowa.isEmpty()) {
            FWyniki[i].Odmowa = wejscie.Odmowa;
            if (!FOpcje.Podsumowanie.isEmpty())
                FWyniki[i].Wiersz = wierszPodsumowania(wejscie.Sciezka, wejscie.Odmowa);
        } else {
            FWyniki[i] = przetworz(wejscie.Sciezka, FNazwy[static_cast<qsizetype>(i)]);
        }
        FPostep->Zakonczono(wejscie.Sciezka, FWyniki[i].Odmowa);
    }
}

bool TWsad::wynikNaWejsciu(const QString &p_Nazwa) const
{
    const std::pair<bool, const char *> wyniki[] = {{FOpcje.HTML, ".html"}, {FOpcje.PDF, ".pdf"}};
    for (const auto &[pisany, rozszerzenie] : wyniki) {
        struct stat stan;
        if (pisany
            && ::stat(QFile::encodeName(FKatalog.filePath(p_Nazwa + QLatin1String(rozszerzenie))).constData(), &stan) == 0
            && FPlikiWejsciowe.count({stan.st_dev, stan.st_ino}))
            return true;
    }
    return false;
}

TWynikPliku TWsad::przetworz(const QString &p_Sciezka, const QString &p_Nazwa)
{
    TWynikPliku wynik;
    qint64 rozmiar = 0;
    wynik.Odmowa = SprawdzPlikWejsciowy(p_Sciezka, &rozmiar);
    std::unique_lock<std::mutex> duzy(FDuzyPlik, std::defer_lock);
    if (wynik.Odmowa.isEmpty()) {
        if (rozmiar > progDuzegoPliku)
            duzy.lock();
        wynik.Odmowa = wyrenderuj(p_Sciezka, p_Nazwa, wynik.Zapisane);
    }
    if (!FOpcje.Podsumowanie.isEmpty())
        wynik.Wiersz = wierszPodsumowania(p_Sciezka, wynik.Odmowa);
    return wynik;
}

QString TWsad::nowaStronaTymczasowa()
{
    std::lock_guard blokada(FPlikiTymczasowe);
    return DajNazwePlikuTymczasowego(QStringLiteral("PlikWynik"), QStringLiteral(".html"));
}

QString TWsad::wyrenderuj(const QString &p_Sciezka, const QString &p_Nazwa, QStringList &p_Zapisane)
{
    TZbieraczKomunikatow zbieracz;
    try {
        // A road per document: its trees go with it, not with the next file.
        TDrogaDokumentu droga{TDrogaDokumentu::TBezPlikowTymczasowych()};
        droga.UzyjSzablonow(&FSzablony);
        QString strona;
        QString stronaTymczasowa;
        const auto usunStroneTymczasowa = qScopeGuard([&stronaTymczasowa] {
            if (!stronaTymczasowa.isEmpty())
                QFile::remove(stronaTymczasowa);
        });
        if (FOpcje.HTML) {
            const QString html = FKatalog.filePath(p_Nazwa + QStringLiteral(".html"));
            TPlikWynikowy wyjscie;
            if (!wyjscie.Otworz(html, p_Sciezka))
                return wyjscie.Blad();
            {
                TStrumienWynikowy strumien(wyjscie);
                if (!droga.WyrenderujDo(p_Sciezka, strumien))
                    return tekstKomunikatow(zbieracz.Zabierz());
            }
            if (!wyjscie.Zatwierdz())
                return wyjscie.Blad();
            p_Zapisane.append(html);
            strona = html;
        } else {
            strona = nowaStronaTymczasowa();
            if (strona.isEmpty())
                return QStringLiteral("Nie można uzyskać nazwy pliku tymczasowego");
            stronaTymczasowa = strona;
            TFileStream plik(strona, fmCreate);
            if (!droga.WyrenderujDo(p_Sciezka, plik))
                return tekstKomunikatow(zbieracz.Zabierz());
        }
        if (FOpcje.PDF) {
            const QString pdf = FKatalog.filePath(p_Nazwa + QStringLiteral(".pdf"));
            const QString powod = FDrukarka.Drukuj(QFileInfo(strona).absoluteFilePath(),
                                                   QFileInfo(pdf).absoluteFilePath(), {p_Sciezka});
            if (!powod.isEmpty())
                return powod;
            p_Zapisane.append(pdf);
        }
    } catch (const std::exception &e) {
        const QString komunikaty = tekstKomunikatow(zbieracz.Zabierz());
        return komunikaty.isEmpty() ? KomunikatWyjatku(e) : komunikaty + QLatin1Char('\r') + KomunikatWyjatku(e);
    }
    return {};
}

std::unique_ptr<TWierszPodsumowania> TWsad::wierszPodsumowania(const QString &p_Sciezka, const QString &p_Odmowa)
{
    auto wiersz = std::make_unique<TWierszPodsumowania>();
    wiersz->UstawTekstowo(TWierszPodsumowania::Plik, p_Sciezka);
    wiersz->UstawTekstowo(TWierszPodsumowania::Wynik, p_Odmowa.isEmpty() ? QStringLiteral("OK") : p_Odmowa);
    // What cannot be read for the register is the rendering's refusal,
    // said already; a file that is no message has no fields.
    if (!SprawdzPlikWejsciowy(p_Sciezka).isEmpty())
        return wiersz;
    TZbieraczKomunikatow zbieracz;
    try {
        if (const TTypDokumentu *typ = TDrogaDokumentu::TypDokumentu(p_Sciezka))
            wiersz->WpiszKomunikat(*WczytajKomunikatECS(p_Sciezka, *typ));
    } catch (const std::exception &e) {
        if (p_Odmowa.isEmpty())
            wypisz(QStringLiteral("%1: dane do podsumowania nieodczytane: %2").arg(p_Sciezka, KomunikatWyjatku(e)));
    }
    return wiersz;
}

bool TWsad::zapiszPodsumowanie()
{
    TListaWierszyPodsumowania lista;
    for (TWynikPliku &wynik : FWyniki)
        lista.DopiszObiekt(wynik.Wiersz.release());
    QStringList chronione;
    for (const TWejscieWsadu &wejscie : FWejscia)
        chronione.append(wejscie.Sciezka);
    TPlikWynikowy plik;
    if (!plik.Otworz(FOpcje.Podsumowanie, chronione)) {
        wypisz(plik.Blad());
        return false;
    }
    try {
        TStrumienWynikowy strumien(plik);
        lista.ZapiszCSV(strumien);
    } catch (const std::exception &e) {
        wypisz(KomunikatWyjatku(e));
        return false;
    }
    if (!plik.Zatwierdz()) {
        wypisz(plik.Blad());
        return false;
    }
    return true;
}

} // namespace

int WyrenderujWsad(const TOpcjeWsadu &p_Opcje)
{
    TWsad wsad(p_Opcje);
    return wsad.Wykonaj();
}
