// Hints to look at: shows one scene on the display it runs on, waits, saves
// a picture of the whole screen, and of its bottom-right corner at full size
// beside it (PLIK-rog.png), and quits. "ekran" shows nothing and only takes
// the pictures (of another program's windows).
//
//   sceny_podpowiedzi uwaga|dwie|watek|ekran PLIK.png [MS]

#include "OknoPokazPodpowiedz.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv)
{
    QApplication aplikacja(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "sceny_podpowiedzi uwaga|dwie|watek|ekran PLIK.png [MS]\n");
        return 2;
    }
    const QString scena = QString::fromLocal8Bit(argv[1]);
    const QString plik = QString::fromLocal8Bit(argv[2]);
    const int czekaj = argc > 3 ? atoi(argv[3]) : 1500;

    // The picture is taken from inside any loop, a modal hint's too.
    QTimer::singleShot(czekaj, [plik] {
        const QImage ekran = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        const QRect rog(ekran.width() * 5 / 8, ekran.height() / 2, ekran.width() * 3 / 8, ekran.height() / 2);
        QString plikRogu = plik;
        plikRogu.replace(QLatin1String(".png"), QLatin1String("-rog.png"));
        const bool zapisany = ekran.save(plik) && ekran.copy(rog).save(plikRogu);
        std::fflush(nullptr);
        _exit(zapisany ? 0 : 1);
    });
    if (scena == QLatin1String("uwaga")) {
        PokazPodpowiedz(QStringLiteral("Uwaga!\rNie udało się zapisać pliku [fsBold]Zgłoszenie IE529 nr 12/2026.xml[] "
                                       "w folderze „Wysłane”. Sprawdź, czy dysk nie jest pełny, i spróbuj "
                                       "ponownie.\r{Otwórz folder|file:///tmp}"),
                        -1, QStringLiteral("ZAPIS-WYSLANE"), pozKoniec, pozKoniec, 0, fpOstrzezenie);
    } else if (scena == QLatin1String("dwie")) {
        PokazPodpowiedz(QStringLiteral("Komunikat [fsBold]IE529[] wczytany: 12 pozycji towarowych."), -1, QString(),
                        pozKoniec, pozKoniec, 0, fpInformacja);
        PokazPodpowiedz(QStringLiteral("Wydruk wysłany do drukarki [fsItalic]HP LaserJet (biuro)[].\r"
                                       "Strony: 1–3, kopie: 2."),
                        -1, QString(), pozKoniec, pozKoniec, 0, fpInformacja);
    } else if (scena == QLatin1String("watek")) {
        std::thread([] {
            PokazPodpowiedz(QStringLiteral("Nie można odczytać pliku „C:\\Dane\\Zgłoszenia\\odpowiedź ĄĘŚ.xml”: "
                                           "dostęp zabroniony."),
                            -1, QString(), pozKoniec, pozKoniec, 0, fpModalna | fpOstrzezenie);
        }).join();
    } else if (scena != QLatin1String("ekran")) {
        std::fprintf(stderr, "unknown scene\n");
        return 2;
    }
    return aplikacja.exec();
}
