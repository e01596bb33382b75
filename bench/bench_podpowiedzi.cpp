// Hints: (1) a 100 KB marked-up text laid out and drawn by our layout beside
// Qt's QTextLayout laying out and drawing the same characters without markup;
// (2) the time from a worker thread's request to the hint's first paint
// beside a queued call that shows a plain QLabel, and how many times the main
// thread went idle in between (the hint must come at the first). The sides
// run in turns, the one that starts alternating; medians close the output.
//
//   QT_QPA_PLATFORM=offscreen bench_podpowiedzi [ROUNDS] [KB]

#include "OknoPodpowiedzi.h"
#include "OknoPokazPodpowiedz.h"
#include "UkladTresci.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Zegar = std::chrono::steady_clock;

double Mediana(std::vector<double> p_Wartosci)
{
    std::sort(p_Wartosci.begin(), p_Wartosci.end());
    return p_Wartosci.empty() ? 0 : p_Wartosci[p_Wartosci.size() / 2];
}

// Sentences with every kind of tag and a link, repeated to the size asked.
QString TekstZnacznikowy(int p_KB)
{
    const QString zdanie = QStringLiteral(
        "Zgłoszenie [fsBold]nr 123/2026[] zostało [clRed,fsItalic]odrzucone[] przez urząd, "
        "szczegóły {w pliku|file:///tmp/odp.xml} lub [Size=12,fsUnderline]u nadawcy[]. ");
    QString tekst;
    while (tekst.toUtf8().size() < p_KB * 1024)
        tekst += zdanie + (tekst.size() % 7 == 0 ? QStringLiteral("\r") : QString());
    return tekst;
}

struct TWynikUkladu
{
    double UkladMs = 0;
    double RysowanieMs = 0;
    int Wysokosc = 0;
};

constexpr int szerokosc = 300;

TWynikUkladu NaszUklad(const QString &p_Tekst, const QFont &p_Czcionka)
{
    TUkladTresci uklad;
    uklad.UstawCzcionkeOkna(p_Czcionka, clWindowText);
    bool sformatowany = false;
    QSize rozmiar;
    const auto t0 = Zegar::now();
    uklad.UlozTresc(p_Tekst, szerokosc, sformatowany, rozmiar);
    const auto t1 = Zegar::now();
    QImage obraz(rozmiar.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    obraz.fill(Qt::white);
    QPainter painter(&obraz);
    for (const TElemDispListy &e : uklad.DispLista())
        uklad.RysujElement(painter, e, 0x9EFEFC, fpInformacja, false);
    painter.end();
    const auto t2 = Zegar::now();
    return {std::chrono::duration<double, std::milli>(t1 - t0).count(),
            std::chrono::duration<double, std::milli>(t2 - t1).count(), rozmiar.height()};
}

TWynikUkladu UkladQt(const QString &p_Tekst, const QFont &p_Czcionka)
{
    const auto t0 = Zegar::now();
    QTextLayout uklad(p_Tekst, p_Czcionka);
    uklad.beginLayout();
    qreal y = 0;
    for (QTextLine linia = uklad.createLine(); linia.isValid(); linia = uklad.createLine()) {
        linia.setLineWidth(szerokosc);
        linia.setPosition(QPointF(0, y));
        y += linia.height();
    }
    uklad.endLayout();
    const auto t1 = Zegar::now();
    QImage obraz(QSize(szerokosc, std::max(1, int(y) + 1)), QImage::Format_ARGB32_Premultiplied);
    obraz.fill(Qt::white);
    QPainter painter(&obraz);
    uklad.draw(&painter, QPointF(0, 0));
    painter.end();
    const auto t2 = Zegar::now();
    return {std::chrono::duration<double, std::milli>(t1 - t0).count(),
            std::chrono::duration<double, std::milli>(t2 - t1).count(), int(y)};
}

// Notes the first paint of a widget of the watched kind and the idle moments
// of the main thread since the request.
class TCzujka : public QObject
{
public:
    bool Podpowiedz = true;
    std::atomic<bool> Czeka = false;
    Zegar::time_point Koniec;
    int Bezczynne = 0;

    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override
    {
        if (Czeka && p_Zdarzenie->type() == QEvent::Paint) {
            const bool nasz = Podpowiedz ? qobject_cast<TOknoPodpowiedzi *>(p_Obiekt) != nullptr
                                         : qobject_cast<QLabel *>(p_Obiekt) != nullptr;
            if (nasz) {
                Koniec = Zegar::now();
                Czeka = false;
            }
        }
        return false;
    }
};

struct TWynikDrogi
{
    double Ms = 0;
    int Bezczynne = 0;
};

TWynikDrogi Droga(TCzujka &p_Czujka, bool p_Podpowiedz, int p_Nr)
{
    p_Czujka.Podpowiedz = p_Podpowiedz;
    p_Czujka.Bezczynne = 0;
    p_Czujka.Czeka = true;
    const QString tekst = QStringLiteral("Błąd w wątku nr %1: [fsBold]plik zajęty[].").arg(p_Nr);
    Zegar::time_point start;
    std::thread robotnik([&] {
        start = Zegar::now();
        if (p_Podpowiedz) {
            PokazPodpowiedz(tekst, -1, QString(), pozKoniec, pozKoniec, 0, fpBezPojawiania | fpOstrzezenie);
        } else {
            QMetaObject::invokeMethod(
                qApp,
                [tekst] {
                    auto *etykieta = new QLabel(tekst);
                    etykieta->setAttribute(Qt::WA_DeleteOnClose);
                    etykieta->show();
                },
                Qt::QueuedConnection);
        }
    });
    robotnik.join();
    while (p_Czujka.Czeka)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const TWynikDrogi wynik{std::chrono::duration<double, std::milli>(p_Czujka.Koniec - start).count(),
                            p_Czujka.Bezczynne};
    // Clear the screen for the next round.
    UkryjPodpowiedz(QString(), QString());
    for (QWidget *okno : QApplication::topLevelWidgets())
        if (qobject_cast<QLabel *>(okno))
            okno->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return wynik;
}

}

int main(int argc, char **argv)
{
    QApplication aplikacja(argc, argv);
    const int rundy = argc > 1 ? std::max(1, atoi(argv[1])) : 11;
    const int kb = argc > 2 ? std::max(1, atoi(argv[2])) : 100;
    QFont czcionka = QApplication::font();
    czcionka.setPointSize(9);

    const QString tekst = TekstZnacznikowy(kb);
    std::printf("bench_podpowiedzi %d %d: %lld bytes of marked-up text (UTF-8), %lld characters, width %d px, "
                "font %s %d pt\n",
                rundy, kb, static_cast<long long>(tekst.toUtf8().size()), static_cast<long long>(tekst.size()),
                szerokosc, qPrintable(czcionka.family()), czcionka.pointSize());
    // The reference lays out what the user reads: the plain form, without tags.
    TUkladTresci plaski;
    plaski.UstawCzcionkeOkna(czcionka, clWindowText);
    bool f = false;
    QSize r;
    plaski.UlozTresc(tekst, szerokosc, f, r);
    QString zwykly = plaski.TrescBezFormatowania();
    zwykly.replace(QChar(13), QChar::LineSeparator);

    std::vector<double> naszU, naszR, qtU, qtR;
    for (int i = 0; i < rundy; ++i) {
        for (int strona = 0; strona < 2; ++strona) {
            if ((strona == 0) == (i % 2 == 0)) {
                const TWynikUkladu w = NaszUklad(tekst, czcionka);
                naszU.push_back(w.UkladMs);
                naszR.push_back(w.RysowanieMs);
                if (i == 0)
                    std::printf("  ours: %d px tall\n", w.Wysokosc);
            } else {
                const TWynikUkladu w = UkladQt(zwykly, czcionka);
                qtU.push_back(w.UkladMs);
                qtR.push_back(w.RysowanieMs);
                if (i == 0)
                    std::printf("  QTextLayout: %d px tall\n", w.Wysokosc);
            }
        }
    }
    std::printf("layout ms (median of %d): ours %.2f, QTextLayout %.2f\n", rundy, Mediana(naszU), Mediana(qtU));
    std::printf("drawing ms (median of %d): ours %.2f, QTextLayout %.2f\n", rundy, Mediana(naszR), Mediana(qtR));

    InicjujOknoPokazPodpowiedz();
    TCzujka czujka;
    aplikacja.installEventFilter(&czujka);
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &czujka,
                     [&czujka] {
                         if (czujka.Czeka)
                             ++czujka.Bezczynne;
                     });
    // A first round of each, unmeasured: fonts and the platform warm up.
    Droga(czujka, true, -1);
    Droga(czujka, false, -1);
    std::vector<double> naszD, qtD;
    int najwiecejBezczynnych = 0;
    for (int i = 0; i < rundy * 5; ++i) {
        for (int strona = 0; strona < 2; ++strona) {
            const bool podpowiedz = (strona == 0) == (i % 2 == 0);
            const TWynikDrogi w = Droga(czujka, podpowiedz, i);
            (podpowiedz ? naszD : qtD).push_back(w.Ms);
            if (podpowiedz)
                najwiecejBezczynnych = std::max(najwiecejBezczynnych, w.Bezczynne);
        }
    }
    std::printf("worker request to first paint ms (median of %d): hint %.3f, queued QLabel %.3f\n", rundy * 5,
                Mediana(naszD), Mediana(qtD));
    std::printf("idle moments of the main thread before the hint was painted: at most %d\n", najwiecejBezczynnych);
    ZakonczOknoPokazPodpowiedz();
    return 0;
}
