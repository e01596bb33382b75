#include "OknoPokazPodpowiedz.h"

#include "DaneFirmy.h"
#include "Komunikaty.h"
#include "LkFunGUI.h"
#include "OknoPodpowiedzi.h"
#include "Parametry.h"
#include "PlikiTekstowe.h"
#include "PlikiTymczasowe.h"
#include "Rejestr.h"
#include "WartosciRejestru.h"
#include "WatekGlowny.h"
#include "Wyjatki.h"
#include "ZglaszanieBledow.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QSet>
#include <QWindow>

#include <mutex>

namespace {

const QString uwaga = QStringLiteral("Uwaga!");
const QChar CR(13);

QString kluczNiePokazywanych()
{
    return KluczRejestruAplikacji() + QStringLiteral("\\Podpowiedzi\\NiePokazywane");
}

// Serves the worker threads' queue on the main thread. Its event is posted
// with the lowest priority, so it arrives once the main thread has nothing
// else to do: the application's idle moment.
class TOknoPodpowCtrl : public QObject
{
public:
    static inline const QEvent::Type ZdarzenieKolejki = static_cast<QEvent::Type>(QEvent::registerEventType());

    // Caller holds the unit's lock.
    void DodajDoKolejki(TDanePodpowiedzi p_Dane)
    {
        if (!Podpieto) {
            Podpieto = true;
            QCoreApplication::postEvent(this, new QEvent(ZdarzenieKolejki), Qt::LowEventPriority);
        }
        PodpZWatku.push_back(std::move(p_Dane));
    }

    bool event(QEvent *p_Zdarzenie) override
    {
        if (p_Zdarzenie->type() != ZdarzenieKolejki)
            return QObject::event(p_Zdarzenie);
        ObsluzKolejke();
        return true;
    }

    void ObsluzKolejke();

    bool Podpieto = false;
    TListaDanePodpowiedzi PodpZWatku;
};

struct TJednostka
{
    std::recursive_mutex Sekcja;
    TOknoPodpowCtrl *Ctrl = nullptr; // lives in the main thread
    bool TylkoBledy = false;         // switch "p"
    bool PoWyjsciu = false;          // the application has quit: no new start
    // Codes compared without regard to case.
    QSet<QString> NiePokazywane;
    QSet<QString> Pokazywane;
};

TJednostka &jednostka()
{
    static TJednostka j;
    return j;
}

// Main thread only.
QList<QPointer<TOknoPodpowiedzi>> &okna()
{
    static QList<QPointer<TOknoPodpowiedzi>> lista;
    return lista;
}

// The unit runs: started now if need be. Caller holds the lock.
bool dziala()
{
    TJednostka &j = jednostka();
    if (j.Ctrl)
        return true;
    QCoreApplication *aplikacja = QCoreApplication::instance();
    if (!aplikacja || j.PoWyjsciu)
        return false;
    j.Ctrl = new TOknoPodpowCtrl;
    if (aplikacja->thread() != j.Ctrl->thread())
        j.Ctrl->moveToThread(aplikacja->thread());
    j.TylkoBledy = JestParametr(QStringLiteral("p"));
    j.NiePokazywane.clear();
    j.Pokazywane.clear();
    try {
        TRegistry rejestr(KEY_READ);
        if (rejestr.OpenKeyReadOnly(kluczNiePokazywanych()))
            for (const QString &kod : rejestr.GetValueNames())
                j.NiePokazywane.insert(kod.toLower());
    } catch (const Exception &) {
        // An unreadable store only forgets earlier choices.
    }
    if (auto *gui = qobject_cast<QGuiApplication *>(aplikacja)) {
        QObject::connect(gui, &QGuiApplication::applicationStateChanged, j.Ctrl, [](Qt::ApplicationState p_Stan) {
            const bool aktywna = p_Stan == Qt::ApplicationActive;
            for (TOknoPodpowiedzi *okno : OknaPodpowiedzi())
                if (!(okno->FlagiOkna() & fpZawszeNaWierzchu) && !(aktywna && okno->TrwaWysMaila()))
                    okno->UstawKolejnoscZ(aktywna);
        });
        QObject::connect(gui, &QGuiApplication::focusWindowChanged, j.Ctrl, [](QWindow *p_Okno) {
            for (TOknoPodpowiedzi *okno : OknaPodpowiedzi())
                if (p_Okno && okno->windowHandle() == p_Okno)
                    return;
            // A modal dialog elsewhere must not leave the hints unclickable.
            const bool aktywna = QGuiApplication::applicationState() == Qt::ApplicationActive;
            for (TOknoPodpowiedzi *okno : OknaPodpowiedzi()) {
                okno->setEnabled(true);
                if (!okno->TrwaWysMaila())
                    okno->UstawKolejnoscZ(aktywna);
            }
        });
    }
    QObject::connect(aplikacja, &QCoreApplication::aboutToQuit, j.Ctrl, [] {
        jednostka().PoWyjsciu = true;
        ZakonczOknoPokazPodpowiedz();
    });
    return true;
}

void pokazWWatkuGlownym(std::unique_lock<std::recursive_mutex> &p_Blokada, const QString &p_Podpowiedz,
                        int32_t p_MaxSzerOkna, const QString &p_Kod, int32_t p_PozX, int32_t p_PozY,
                        int32_t p_MaxCzasWSek, int32_t p_Flagi, TProcLinkOnClick p_Proc)
{
    if (!p_Kod.isEmpty() && jednostka().NiePokazywane.contains(p_Kod.toLower()))
        return;
    if (p_Proc)
        p_Flagi = FlagiLubZero(p_Flagi) | fpBezHistorii;
    const QString tekst = DodajNaglowekUwaga(p_Podpowiedz);
    for (TOknoPodpowiedzi *okno : OknaPodpowiedzi())
        if (okno->KodGUID() == p_Kod && okno->Tresc() == tekst
            && okno->StanOknaPodp() != TStanOknaPodp::sopDeaktywacja
            && okno->StanOknaPodp() != TStanOknaPodp::sopZamkniete) {
            okno->WznowOdliczanie();
            return;
        }

    auto *okno = new TOknoPodpowiedzi;
    if (QGuiApplication::applicationState() == Qt::ApplicationActive || (FlagiLubZero(p_Flagi) & fpZawszeNaWierzchu))
        okno->setWindowFlag(Qt::WindowStaysOnTopHint);
    try {
        okno->RozpakujDane(tekst, p_MaxSzerOkna, p_Kod, p_PozX, p_PozY, p_MaxCzasWSek, p_Flagi, std::move(p_Proc));
    } catch (const std::exception &e) {
        delete okno;
        ZglosBladFmt(QStringLiteral("PokazPodpowiedz ('%s',%d,'%s',%d,%d,%d,%d) -> %s"),
                     {tekst, p_MaxSzerOkna, p_Kod, p_PozX, p_PozY, p_MaxCzasWSek, p_Flagi, KomunikatWyjatku(e)},
                     true, QString(), false);
        return;
    }
    okna().append(okno);
    if (okno->Modalna()) {
        // A worker thread must not wait for the user.
        p_Blokada.unlock();
        QPointer<TOknoPodpowiedzi> straznik(okno);
        okno->ShowModal();
        if (straznik)
            straznik->ZamknijOkno();
        return;
    }
    okno->show();
    okno->raise();
    okno->repaint();
}

void ukryjWWatkuGlownym(const QString &p_Kod, const QString &p_Tekst)
{
    std::lock_guard blokada(jednostka().Sekcja);
    bool zamkniete = false;
    for (TOknoPodpowiedzi *okno : OknaPodpowiedzi())
        if ((p_Kod.isEmpty() || okno->KodGUID() == p_Kod) && (p_Tekst.isEmpty() || okno->Tresc() == p_Tekst)) {
            okno->ZamknijOkno(mrOk);
            zamkniete = true;
        }
    if (zamkniete)
        OdswiezWszystkieOkna();
}

// A show followed by a hide of the same hint: neither needs to happen.
void usunParyPokazUkryj(TListaDanePodpowiedzi &p_Kolejka)
{
    for (size_t i = 0; i + 1 < p_Kolejka.size();) {
        const TDanePodpowiedzi &pokaz = p_Kolejka[i];
        bool para = false;
        if (!pokaz.Ukryj)
            for (size_t k = i + 1; k < p_Kolejka.size(); ++k) {
                const TDanePodpowiedzi &ukryj = p_Kolejka[k];
                if (ukryj.Ukryj && ukryj.KodGUIDPodp == pokaz.KodGUIDPodp
                    && (ukryj.Podpowiedz.isEmpty() || ukryj.Podpowiedz == pokaz.Podpowiedz)) {
                    p_Kolejka.erase(p_Kolejka.begin() + std::ptrdiff_t(k));
                    p_Kolejka.erase(p_Kolejka.begin() + std::ptrdiff_t(i));
                    para = true;
                    break;
                }
            }
        if (!para)
            ++i;
    }
}

void TOknoPodpowCtrl::ObsluzKolejke()
{
    TListaDanePodpowiedzi partia;
    {
        std::lock_guard blokada(jednostka().Sekcja);
        partia.swap(PodpZWatku);
        Podpieto = false;
    }
    usunParyPokazUkryj(partia);
    // The batch is ours now: a modal hint among it holds no lock while it waits.
    for (TDanePodpowiedzi &dane : partia) {
        if (dane.Ukryj) {
            ukryjWWatkuGlownym(dane.KodGUIDPodp, dane.Podpowiedz);
            continue;
        }
        std::unique_lock blokada(jednostka().Sekcja);
        if (!jednostka().Ctrl)
            return;
        pokazWWatkuGlownym(blokada, dane.Podpowiedz, dane.MaxSzerOkna, dane.KodGUIDPodp, dane.PozX, dane.PozY,
                           dane.MaxCzasWSek, dane.Flagi, std::move(dane.ProcLinkOnClick));
    }
}

} // namespace

QString DodajNaglowekUwaga(const QString &p_Tekst)
{
    QString t = p_Tekst;
    qsizetype reszta = -1;
    if (t.startsWith(uwaga + CR, Qt::CaseInsensitive))
        reszta = uwaga.size() + 1;
    else if (t.startsWith(uwaga, Qt::CaseInsensitive))
        reszta = uwaga.size();
    if (reszta >= 0)
        t = QStringLiteral("[Size=16,fsBold,clWhite,fsOutline,fsItalic,fsShadow]") + uwaga
            + QStringLiteral("[][Size=4]\r[]") + t.mid(reszta);
    qsizetype n = t.size();
    while (n > 0 && t.at(n - 1).unicode() <= 32)
        --n;
    t.truncate(n);
    return t;
}

void PokazPodpowiedz(const QString &p_Podpowiedz, int32_t p_MaxSzerOkna, const QString &p_KodGUIDPodp,
                     int32_t p_PozX, int32_t p_PozY, int32_t p_MaxCzasWSek, int32_t p_Flagi,
                     TProcLinkOnClick p_ProcLinkOnClick)
{
    const int32_t flagi = FlagiLubZero(p_Flagi);
    if ((flagi & fpPomin) || TrybCichy)
        return;
    TJednostka &j = jednostka();
    std::unique_lock blokada(j.Sekcja);
    if (!dziala())
        return;
    if (j.TylkoBledy && (flagi & fpRodzaj) != fpBlad)
        return;
    if (flagi & fpSygnal)
        QMetaObject::invokeMethod(j.Ctrl, [] { QApplication::beep(); }, Qt::QueuedConnection);
    const int32_t sekundy = std::max(p_MaxCzasWSek, 0);
    if (CzyWatekGlowny()) {
        pokazWWatkuGlownym(blokada, p_Podpowiedz, p_MaxSzerOkna, p_KodGUIDPodp, p_PozX, p_PozY, sekundy, p_Flagi,
                           std::move(p_ProcLinkOnClick));
        return;
    }
    QString tekst = p_Podpowiedz;
    int32_t flagiKolejki = p_Flagi;
    int32_t czas = sekundy;
    if (flagi & fpModalna) {
        // Nobody may wait on a worker thread for the user: the text is saved
        // and the user is asked to mail it to us instead.
        const QString plik = DajNazwePlikuTymczasowego(QStringLiteral("PopZWatku"), QStringLiteral(".txt"), false);
        ZapiszTekstDoPliku(p_Podpowiedz, plik);
        if (tekst.startsWith(uwaga + CR))
            tekst.remove(0, uwaga.size() + 1);
        const QString raport =
            QStringLiteral("Wykryto nieoczekiwane działanie programu (patrz komunikat poniżej).\rProszę powiadom "
                           "Velmora Software {klikając tutaj|mailto:")
            + EmailPomocyFirmy() + QStringLiteral("|Podpowiedź modalna z wątku|Patrz zał.|%1}.").arg(plik);
        tekst = uwaga + CR + raport + CR + CR + tekst;
        flagiKolejki = (flagi & ~fpRodzaj) | fpBlad;
        if (czas >= 1 && czas <= 59)
            czas = 60;
    }
    TDanePodpowiedzi dane;
    dane.WpiszDane(tekst, p_MaxSzerOkna, p_KodGUIDPodp, p_PozX, p_PozY, czas, flagiKolejki,
                   std::move(p_ProcLinkOnClick));
    j.Ctrl->DodajDoKolejki(std::move(dane));
}

void UkryjPodpowiedz(const QString &p_KodGUIDPodp, const QString &p_Podpowiedz)
{
    TJednostka &j = jednostka();
    {
        std::lock_guard blokada(j.Sekcja);
        if (!j.Ctrl)
            return;
        if (!CzyWatekGlowny()) {
            TDanePodpowiedzi dane;
            dane.WpiszUkrywana(p_Podpowiedz, p_KodGUIDPodp);
            j.Ctrl->DodajDoKolejki(std::move(dane));
            return;
        }
    }
    ukryjWWatkuGlownym(p_KodGUIDPodp, p_Podpowiedz);
}

void InicjujOknoPokazPodpowiedz()
{
    std::lock_guard blokada(jednostka().Sekcja);
    jednostka().PoWyjsciu = false;
    dziala();
}

void ZakonczOknoPokazPodpowiedz()
{
    TJednostka &j = jednostka();
    std::lock_guard blokada(j.Sekcja);
    // The newest first, as they lie on the screen.
    QList<QPointer<TOknoPodpowiedzi>> lista = std::exchange(okna(), {});
    for (auto i = lista.rbegin(); i != lista.rend(); ++i)
        delete i->data();
    delete std::exchange(j.Ctrl, nullptr);
}

QList<TOknoPodpowiedzi *> OknaPodpowiedzi()
{
    QList<TOknoPodpowiedzi *> wynik;
    okna().removeAll(nullptr);
    for (const QPointer<TOknoPodpowiedzi> &okno : okna())
        wynik.append(okno.data());
    return wynik;
}

void ZapamietajWybor(const QString &p_Kod, bool p_NiePokazuj)
{
    TJednostka &j = jednostka();
    std::lock_guard blokada(j.Sekcja);
    const QString kod = p_Kod.toLower();
    (p_NiePokazuj ? j.Pokazywane : j.NiePokazywane).remove(kod);
    (p_NiePokazuj ? j.NiePokazywane : j.Pokazywane).insert(kod);
    try {
        TRegistry rejestr;
        if (!rejestr.OpenKey(kluczNiePokazywanych(), p_NiePokazuj))
            return;
        if (p_NiePokazuj)
            rejestr.WriteInteger(p_Kod, 1);
        else
            rejestr.DeleteValue(p_Kod);
    } catch (const Exception &e) {
        ZglosBlad(KomunikatWyjatku(e), false);
    }
}

bool CzyNiePokazywac(const QString &p_Kod)
{
    std::lock_guard blokada(jednostka().Sekcja);
    return jednostka().NiePokazywane.contains(p_Kod.toLower());
}
