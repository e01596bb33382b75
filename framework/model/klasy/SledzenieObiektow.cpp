#include "SledzenieObiektow.h"

#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "Komunikaty.h"
#include "ObiektBazowy.h"
#include "ParsowanieTekstu.h"
#include "Parametry.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <map>
#include <unordered_set>

namespace {

std::atomic<TLkOKChecker *> sledzenie{nullptr};

QString adres(const TObiektBazowy *p_Obiekt)
{
    return Format(QStringLiteral("%p"), {static_cast<const void *>(p_Obiekt)});
}

// The program's path with its last extension replaced.
QString obokProgramu(const QString &p_SciezkaProgramu, const QString &p_Koncowka)
{
    const QFileInfo program(p_SciezkaProgramu);
    return program.path() + QLatin1Char('/') + program.completeBaseName() + p_Koncowka;
}

// One object in the report; false when reading it failed (a damaged object).
bool opiszObiekt(const TObiektBazowy &p_Obiekt, QStringList &p_Wiersze)
{
    try {
        const TObiektBazowy *rodzic = p_Obiekt.Rodzic();
        p_Wiersze << QStringLiteral("\u015acie\u017cka : ") + p_Obiekt.DajSciezkeDoSiebie()
                  << QStringLiteral("Rodzic : ") + (rodzic ? rodzic->ClassName() : QStringLiteral("nil"))
                  << TekstZPolskiegoAnsi(const_cast<TObiektBazowy &>(p_Obiekt).ZapiszWTekscie()) << QString();
        return true;
    } catch (const std::exception &e) {
        p_Wiersze << KomunikatWyjatku(e) << QString();
        return false;
    }
}

} // namespace

TLkOKMemTracer::TLkOKMemTracer(const QString &p_SciezkaProgramu) : FSciezkaProgramu(p_SciezkaProgramu) {}

TLkOKMemTracer::~TLkOKMemTracer()
{
    if (PominRaport)
        return;
    try {
        const QString tresc = TrescRaportu();
        if (tresc.isEmpty())
            return;
        const QString plik = NazwaRaportu();
        // Written aside and renamed over: no half report, no link followed.
        QSaveFile zapis(plik);
        const bool zapisano = zapis.open(QIODevice::WriteOnly) && zapis.write(tresc.toUtf8()) >= 0 && zapis.commit();
        if (zapisano)
            PokazKomunikatZTytulem(QStringLiteral("Uwaga!"),
                                   Format(QStringLiteral("Pe\u0142ny raport zapisano w pliku\r%s\rPrzeka\u017c go "
                                                         "programistom!"),
                                          {plik}),
                                   mtWarning, mbOKOnly, 0);
        else
            PokazKomunikatZTytulem(QStringLiteral("Uwaga!"),
                                   Format(QStringLiteral("Pliku %s nie zapisano:\r%s"), {plik, zapis.errorString()}),
                                   mtWarning, mbOKOnly, 0);
    } catch (const std::exception &) {
        // A diagnostic must not end the program's shutdown.
    }
}

int64_t TLkOKMemTracer::ZajmowanaPamiec() const
{
    std::lock_guard blokada(FSekcjaKryt);
    return static_cast<int64_t>(sizeof(*this) + FObiekty.capacity() * sizeof(const TObiektBazowy *));
}

void TLkOKMemTracer::UtworzonoObiekt(const TObiektBazowy *p_Obiekt)
{
    std::lock_guard blokada(FSekcjaKryt);
    const auto miejsce = std::lower_bound(FObiekty.begin(), FObiekty.end(), p_Obiekt);
    if (miejsce != FObiekty.end() && *miejsce == p_Obiekt) {
        FBledy << Format(QStringLiteral("Obiekt %s ju\u017c istnieje"), {adres(p_Obiekt)});
        return;
    }
    FObiekty.insert(miejsce, p_Obiekt);
    FMaxIleOb = std::max(FMaxIleOb, static_cast<int>(FObiekty.size()));
}

void TLkOKMemTracer::ZwolnionoObiekt(const TObiektBazowy *p_Obiekt)
{
    std::lock_guard blokada(FSekcjaKryt);
    const auto miejsce = std::lower_bound(FObiekty.begin(), FObiekty.end(), p_Obiekt);
    if (miejsce == FObiekty.end() || *miejsce != p_Obiekt) {
        FBledy << Format(QStringLiteral("Obiekt %s nie istnieje"), {adres(p_Obiekt)});
        return;
    }
    FObiekty.erase(miejsce);
}

int TLkOKMemTracer::IleObiektow() const
{
    std::lock_guard blokada(FSekcjaKryt);
    return static_cast<int>(FObiekty.size());
}

int TLkOKMemTracer::MaxIleOb() const
{
    std::lock_guard blokada(FSekcjaKryt);
    return FMaxIleOb;
}

QStringList TLkOKMemTracer::Bledy() const
{
    std::lock_guard blokada(FSekcjaKryt);
    return FBledy;
}

QString TLkOKMemTracer::NazwaRaportu() const
{
    return obokProgramu(FSciezkaProgramu, QStringLiteral("TraceMem.txt"));
}

QString TLkOKMemTracer::TrescRaportu() const
{
    std::vector<const TObiektBazowy *> obiekty;
    QStringList bledy;
    int maxIleOb = 0;
    {
        // Describing objects may create fields that report here: a copy, then no lock.
        std::lock_guard blokada(FSekcjaKryt);
        obiekty = FObiekty;
        bledy = FBledy;
        maxIleOb = FMaxIleOb;
    }
    if (obiekty.empty() && bledy.isEmpty())
        return {};
    return OpiszZywe(obiekty, maxIleOb, bledy);
}

QString TLkOKMemTracer::OpiszZywe(const std::vector<const TObiektBazowy *> &p_Obiekty, int p_MaxIleOb,
                                  const QStringList &p_Bledy) const
{
    const std::unordered_set<const TObiektBazowy *> zywe(p_Obiekty.begin(), p_Obiekty.end());
    std::vector<const TObiektBazowy *> korzenie;
    QStringList trescObiektow;
    int uszkodzone = 0;
    for (const TObiektBazowy *obiekt : p_Obiekty) {
        if (!obiekt->Rodzic() || !zywe.contains(obiekt->Rodzic()))
            korzenie.push_back(obiekt);
        else if (!opiszObiekt(*obiekt, trescObiektow))
            ++uszkodzone;
    }
    QStringList trescKorzeni;
    std::map<QString, int> klasy;
    int64_t rozmiar = 0;
    for (const TObiektBazowy *korzen : korzenie) {
        if (!opiszObiekt(*korzen, trescKorzeni)) {
            ++uszkodzone;
            continue;
        }
        ++klasy[korzen->ClassName()];
        rozmiar += korzen->ZajmowanaPamiec();
    }

    QString podsumowanie = Format(QStringLiteral("%d obiekt\u00f3w (max %d) w %d korzeniach o %d typach"),
                                  {static_cast<int>(p_Obiekty.size()), p_MaxIleOb,
                                   static_cast<int>(korzenie.size()), static_cast<int>(klasy.size())})
                           + QStringLiteral(" i \u0142\u0105cznym rozmiarze ") + QString::number(rozmiar);
    if (uszkodzone > 0)
        podsumowanie += Format(QStringLiteral(", z czego %d uszkodzonych"), {uszkodzone});
    QStringList wiersze{FSciezkaProgramu, podsumowanie, p_Bledy.join(QLatin1Char('\n')),
                        Format(QStringLiteral("Niezwolnionych zosta\u0142o %d obiekt\u00f3w w korzeniach :"),
                               {static_cast<int>(korzenie.size())})};
    if (p_Bledy.isEmpty())
        wiersze.removeAt(2);
    for (const auto &[klasa, ile] : klasy)
        wiersze << klasa + QStringLiteral(" (") + QString::number(ile) + QLatin1Char(')');
    if (uszkodzone > 0)
        wiersze << QStringLiteral("Wykryto uszkodzenia w niezwolnionych obiektach.");
    wiersze << QString() << QStringLiteral("Tre\u015bci poszczeg\u00f3lnych obiekt\u00f3w :") << trescObiektow
            << QStringLiteral("Tre\u015bci korzeni :") << trescKorzeni;
    return wiersze.join(QLatin1Char('\n'));
}

TLkOKChecker *AktywneSledzenieObiektow()
{
    return sledzenie.load(std::memory_order_acquire);
}

void UstawSledzenieObiektow(std::unique_ptr<TLkOKChecker> p_Sledzenie)
{
    std::unique_ptr<TLkOKChecker> poprzednie(sledzenie.exchange(p_Sledzenie.release()));
}

bool SledzeniePamieciWlaczone()
{
    const QString wartosc = WartoscZPlikuParametrow(QStringLiteral("SledzeniePamieci")).trimmed();
    return SprobujTekstNaBoolean(wartosc.isEmpty() ? QByteArrayLiteral("false") : wartosc.toUtf8()).value_or(false);
}

void UruchomSledzeniePamieci(const QString &p_SciezkaProgramu)
{
    if (SledzeniePamieciWlaczone())
        UstawSledzenieObiektow(std::make_unique<TLkOKMemTracer>(p_SciezkaProgramu));
}

void ZakonczSledzeniePamieci()
{
    UstawSledzenieObiektow(nullptr);
}
