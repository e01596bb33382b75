#include "WydrukPDF.h"

#include "PlikWynikowy.h"
#include "WidokDokumentu.h"

#include <QEventLoop>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QWebEnginePage>

namespace {

// Twice the longest load and print of a page at the limit.
constexpr int limitCzasuMs = 10 * 60 * 1000;

} // namespace

TWydrukPDF::TWydrukPDF(TWidokDokumentu &p_Widok, QObject *p_Rodzic) : QObject(p_Rodzic), FWidok(p_Widok) {}

void TWydrukPDF::Drukuj(const QPageLayout &p_Uklad, const QPageRanges &p_Strony)
{
    FUklad = p_Uklad;
    FStrony = p_Strony;
    if (FWidok.Laduje()) {
        connect(&FWidok, &TWidokDokumentu::Zaladowano, this, &TWydrukPDF::drukujZaladowana, Qt::SingleShotConnection);
        return;
    }
    // Answers always come from the event loop, never from inside this call.
    QTimer::singleShot(0, this, &TWydrukPDF::drukujZaladowana);
}

void TWydrukPDF::drukujZaladowana()
{
    if (!FWidok.Zaladowana()) {
        emit Gotowe({}, QStringLiteral("Nie udało się wczytać strony do wydruku."));
        return;
    }
    drukujSilnikiem(FStrony, &TWydrukPDF::wydrukowano);
}

void TWydrukPDF::drukujSilnikiem(const QPageRanges &p_Strony, void (TWydrukPDF::*p_Dalej)(const QByteArray &))
{
    QPointer<TWydrukPDF> ten(this);
    FWidok.page()->printToPdf(
        [ten, p_Dalej](const QByteArray &p_Pdf) {
            if (!ten)
                return;
            if (p_Pdf.isEmpty())
                emit ten->Gotowe({}, QStringLiteral("Nie udało się przygotować wydruku."));
            else
                (ten->*p_Dalej)(p_Pdf);
        },
        FUklad, p_Strony);
}

void TWydrukPDF::wydrukowano(const QByteArray &p_Pdf)
{
    // When no page asked for exists, the engine prints the whole document.
    // That can only be the case when fewer pages came than the first one
    // asked for; the whole document, counted, settles it.
    if (!FStrony.isEmpty() && FStrony.firstPage() > LiczbaStronPDF(p_Pdf)) {
        FPdf = p_Pdf;
        drukujSilnikiem({}, &TWydrukPDF::policzono);
        return;
    }
    emit Gotowe(p_Pdf, QString());
}

void TWydrukPDF::policzono(const QByteArray &p_Calosc)
{
    const int strony = LiczbaStronPDF(p_Calosc);
    if (FStrony.firstPage() > strony)
        emit Gotowe({}, QStringLiteral("Nie ma czego drukować:\rwybranych stron (%1) nie ma w dokumencie, "
                                       "który ma stron: %2.")
                            .arg(FStrony.toString())
                            .arg(strony));
    else
        emit Gotowe(FPdf, QString());
}

int LiczbaStronPDF(const QByteArray &p_Pdf)
{
    static const QRegularExpression strona(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    return static_cast<int>(QString::fromLatin1(p_Pdf).count(strona));
}

bool WydrukujDoPDF(const QUrl &p_Strona, const QString &p_PlikPDF, QString &p_Blad, const QStringList &p_Chronione,
                   const QPageSize &p_Papier, QPageLayout::Orientation p_Orientacja)
{
    TWidokDokumentu widok;
    return WydrukujDoPDF(widok, p_Strona, p_PlikPDF, p_Blad, p_Chronione, p_Papier, p_Orientacja);
}

bool WydrukujDoPDF(TWidokDokumentu &p_Widok, const QUrl &p_Strona, const QString &p_PlikPDF, QString &p_Blad,
                   const QStringList &p_Chronione, const QPageSize &p_Papier, QPageLayout::Orientation p_Orientacja)
{
    const TOpisStrony opis = OpiszStrone(p_Strona);
    p_Blad = OdmowaWydruku(opis);
    if (!p_Blad.isEmpty())
        return false;

    p_Widok.PokazStrone(p_Strona);
    TWydrukPDF wydruk(p_Widok);
    QByteArray pdf;
    bool gotowe = false;
    QEventLoop petla;
    QObject::connect(&wydruk, &TWydrukPDF::Gotowe, &petla, [&](const QByteArray &p_Pdf, const QString &p_Powod) {
        pdf = p_Pdf;
        p_Blad = p_Powod;
        gotowe = true;
        petla.quit();
    });
    QTimer::singleShot(limitCzasuMs, &petla, &QEventLoop::quit);
    wydruk.Drukuj(UkladWydruku(opis, p_Papier, p_Orientacja));
    petla.exec();
    if (!gotowe) {
        p_Blad = QStringLiteral("Wydruk strony nie zakończył się w ciągu %1 minut.").arg(limitCzasuMs / 60000);
        return false;
    }
    if (!p_Blad.isEmpty())
        return false;
    return ZapiszPlikWynikowy(p_PlikPDF, pdf, p_Chronione + QStringList{p_Strona.toLocalFile()}, p_Blad);
}
