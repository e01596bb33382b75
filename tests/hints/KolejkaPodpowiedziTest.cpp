// Requests from worker threads: queued, shown by the main thread's next idle
// moment, in order and exactly once. Run under ThreadSanitizer as well.
#include "PomocnikPodpowiedzi.h"

#include "PlikiTekstowe.h"

#include <QFileInfo>
#include <QTimer>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

namespace {

// The hints "W<thread>-<number>" on screen: each thread's in its order, every one once.
void SprawdzKolejnosc(int p_Watki, int p_NaWatek)
{
    std::map<int, int> nastepny;
    for (TOknoPodpowiedzi *okno : OknaPodpowiedzi()) {
        const QStringList czesci = okno->Tresc().mid(1).split(QLatin1Char('-'));
        const int w = czesci.at(0).toInt();
        EXPECT_EQ(czesci.at(1).toInt(), nastepny[w]++) << okno->Tresc().toStdString();
    }
    for (int w = 0; w < p_Watki; ++w)
        EXPECT_EQ(nastepny[w], p_NaWatek);
}

TEST_F(PodpowiedziTest, RequestsFromManyThreadsAreShownInOrderExactlyOnce)
{
    constexpr int watki = 4;
    constexpr int naWatek = 25;
    std::vector<std::thread> robotnicy;
    for (int w = 0; w < watki; ++w)
        robotnicy.emplace_back([w] {
            for (int k = 0; k < naWatek; ++k)
                PokazPodpowiedz(QStringLiteral("W%1-%2").arg(w).arg(k), 120, QString(), pozPoczatek, pozPoczatek, 0,
                                fpBezPojawiania);
        });
    for (std::thread &t : robotnicy)
        t.join();
    EXPECT_TRUE(OknaPodpowiedzi().isEmpty());
    // One pass of the event loop: the idle moment serves the whole queue.
    QCoreApplication::processEvents();
    ASSERT_EQ(OknaPodpowiedzi().size(), watki * naWatek);
    SprawdzKolejnosc(watki, naWatek);
}

// The main thread serves the queue while workers are still filling it: the
// lock hand-over between a batch taken and new requests arriving.
TEST_F(PodpowiedziTest, RequestsQueuedWhileTheMainThreadServesAreNeitherLostNorRepeated)
{
    constexpr int watki = 3;
    constexpr int naWatek = 40;
    std::atomic<int> gotowe = 0;
    std::vector<std::thread> robotnicy;
    for (int w = 0; w < watki; ++w)
        robotnicy.emplace_back([w, &gotowe] {
            for (int k = 0; k < naWatek; ++k) {
                PokazPodpowiedz(QStringLiteral("W%1-%2").arg(w).arg(k), 120, QString(), pozPoczatek, pozPoczatek, 0,
                                fpBezPojawiania);
                if (k % 8 == 0)
                    std::this_thread::yield();
            }
            ++gotowe;
        });
    // Serve until every worker has finished, then once more for the last batch.
    while (gotowe < watki)
        QCoreApplication::processEvents();
    for (std::thread &t : robotnicy)
        t.join();
    QCoreApplication::processEvents();
    SprawdzKolejnosc(watki, naWatek);
}

TEST_F(PodpowiedziTest, AHintHiddenBeforeTheMainThreadIsIdleNeverAppears)
{
    std::thread([] {
        PokazPodpowiedz(QStringLiteral("znikam"), -1, QStringLiteral("Q"), pozKoniec, pozKoniec, 0, fpBezPojawiania);
        PokazPodpowiedz(QStringLiteral("zostaję"), -1, QStringLiteral("R"), pozKoniec, pozKoniec, 0, fpBezPojawiania);
        UkryjPodpowiedz(QStringLiteral("Q"), QString());
    }).join();
    QCoreApplication::processEvents();
    const auto okna = OknaPodpowiedzi();
    ASSERT_EQ(okna.size(), 1);
    EXPECT_EQ(okna.first()->KodGUID(), QStringLiteral("R"));
}

TEST_F(PodpowiedziTest, AModalRequestFromAThreadBecomesTheErrorReport)
{
    std::thread([] {
        PokazPodpowiedz(QStringLiteral("Uwaga!\rCoś poszło źle"), -1, QString(), pozSrodek, pozSrodek, 5,
                        fpModalna | fpOstrzezenie);
    }).join();
    QString tresc;
    int32_t flagi = 0;
    int czas = 0;
    // The report is modal: look at it from inside its loop, then close it.
    QTimer zagladacz;
    zagladacz.setInterval(5);
    QObject::connect(&zagladacz, &QTimer::timeout, [&] {
        TOknoPodpowiedzi *okno = Ostatnie();
        if (!okno || !okno->isVisible())
            return;
        zagladacz.stop();
        tresc = okno->Tresc();
        flagi = okno->FlagiOkna();
        czas = okno->MaxCzas();
        okno->butOk()->click();
    });
    zagladacz.start();
    QCoreApplication::processEvents();
    Sprzatnij();
    EXPECT_EQ(flagi & fpRodzaj, fpBlad);
    EXPECT_TRUE(flagi & fpModalna);
    EXPECT_EQ(czas, 60000);
    EXPECT_TRUE(tresc.startsWith(QStringLiteral("[Size=16,fsBold,clWhite,fsOutline,fsItalic,fsShadow]Uwaga![]")));
    EXPECT_TRUE(tresc.endsWith(QStringLiteral("\r\rCoś poszło źle")));
    const qsizetype link = tresc.indexOf(QStringLiteral("{klikając tutaj|mailto:pomoc@velmora-software.pl|"
                                                         "Podpowiedź modalna z wątku|Patrz zał.|"));
    ASSERT_GE(link, 0);
    const qsizetype od = tresc.indexOf(QStringLiteral("zał.|"), link) + 5;
    const QString plik = tresc.mid(od, tresc.indexOf(QLatin1Char('}'), od) - od);
    EXPECT_TRUE(QFileInfo(plik).fileName().startsWith(QStringLiteral("PopZWatku_")));
    QString zapisany;
    ASSERT_TRUE(WczytajTekstZPliku(zapisany, plik));
    EXPECT_EQ(zapisany.trimmed(), QStringLiteral("Uwaga!\rCoś poszło źle"));
}

} // namespace
