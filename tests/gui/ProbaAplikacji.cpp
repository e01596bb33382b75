// A program on the framework's application object whose button handler
// raises: each argument (hex of UTF-8) is the message of one exception,
// raised by one click. "--hak" first: the message service's hook answers and
// reports; otherwise the real dialog is shown, read and closed.
// Output lines: OKNO <title> <icon> <text> | HAK <kind> <buttons> <text> |
// KLIKNIECIA <n>; texts as hex of UTF-8.
#include "LkAplikacja.h"
#include "LkForm.h"
#include "LkFunGUI.h"
#include "Wyjatki.h"

#include <QDate>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <stdexcept>

namespace {

void wypisz(const QByteArray &p_Linia)
{
    std::fwrite(p_Linia.constData(), 1, static_cast<size_t>(p_Linia.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QByteArray hex(const QString &p_Tekst)
{
    return p_Tekst.toUtf8().toHex();
}

int hakRaportujacy(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski, int32_t)
{
    wypisz("HAK " + QByteArray::number(p_Rodzaj) + ' ' + QByteArray::number(p_Przyciski) + ' ' + hex(p_Tekst));
    return mrOk;
}

void czytajIZamknijOkno()
{
    auto *zegar = new QTimer(qApp);
    zegar->setInterval(5);
    QObject::connect(zegar, &QTimer::timeout, zegar, [zegar]() {
        auto *okno = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!okno)
            return;
        zegar->deleteLater();
        zegar->stop();
        wypisz("OKNO " + hex(okno->windowTitle()) + ' ' + QByteArray::number(okno->icon()) + ' '
               + hex(okno->text()));
        okno->buttons().constFirst()->click();
    });
    zegar->start();
}

void kliknij(QWidget *p_Przycisk)
{
    const QPointF srodek = QRectF(p_Przycisk->rect()).center();
    QMouseEvent wcisniecie(QEvent::MouseButtonPress, srodek, p_Przycisk->mapToGlobal(srodek), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
    QMouseEvent puszczenie(QEvent::MouseButtonRelease, srodek, p_Przycisk->mapToGlobal(srodek), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(p_Przycisk, &wcisniecie);
    QApplication::sendEvent(p_Przycisk, &puszczenie);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TLkAplikacja aplikacja(argc, argv);
    aplikacja.UstawTytul(QStringLiteral("Ostrevia"));
    InicjujLkFunGUI(false);

    int pierwszy = 1;
    if (argc > 1 && QByteArray(argv[1]) == "--hak") {
        ProcKomunikatu = hakRaportujacy;
        pierwszy = 2;
    }

    QWidget okno;
    auto *przycisk = new QPushButton(QStringLiteral("Wczytaj"), &okno);
    przycisk->resize(80, 25);
    okno.show();

    QString komunikat;
    int klikniecia = 0;
    QObject::connect(przycisk, &QPushButton::clicked, [&]() {
        ++klikniecia;
        if (komunikat == QLatin1String("--obcy"))
            throw 42;
        if (komunikat.startsWith(QLatin1String("--std ")))
            throw std::runtime_error(komunikat.mid(6).toStdString());
        throw LkException(komunikat);
    });

    for (int i = pierwszy; i < argc; ++i) {
        komunikat = QString::fromUtf8(QByteArray::fromHex(argv[i]));
        if (!ProcKomunikatu)
            czytajIZamknijOkno();
        kliknij(przycisk);
    }
    wypisz("KLIKNIECIA " + QByteArray::number(klikniecia));
    // The loop's idle moments reach a shown framework form.
    TLkForm forma;
    int aktualizacje = 0;
    forma.OnUpdateActions = [&] { ++aktualizacje; };
    forma.show();
    QTimer::singleShot(50, &aplikacja, &QCoreApplication::quit);
    aplikacja.exec();
    wypisz("AKTUALIZACJE " + QByteArray::number(aktualizacje));
    wypisz("DATA " + QLocale().toString(QDate(2024, 3, 5), QLocale::ShortFormat).toUtf8());
    ZakonczLkFunGUI();
    return 0;
}
