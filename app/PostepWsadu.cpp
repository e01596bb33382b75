#include "PostepWsadu.h"

#include <QFileInfo>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int szerokoscPaska = 30;

int szerokoscTerminala(std::FILE *p_Strumien)
{
    winsize rozmiar{};
    if (::ioctl(::fileno(p_Strumien), TIOCGWINSZ, &rozmiar) == 0 && rozmiar.ws_col > 0)
        return rozmiar.ws_col;
    return 80;
}

// A hostile name must not steer the terminal: control characters become "?".
QString doWypisania(QString p_Tekst)
{
    for (QChar &znak : p_Tekst)
        if (znak.unicode() < 0x20 || znak.unicode() == 0x7f || (znak.unicode() >= 0x80 && znak.unicode() < 0xa0))
            znak = QLatin1Char('?');
    return p_Tekst;
}

} // namespace

TPostepWsadu::TPostepWsadu(int p_Razem, std::FILE *p_Strumien)
    : FStrumien(p_Strumien), FRazem(p_Razem), FTerminal(::isatty(::fileno(p_Strumien)) == 1)
{
}

TPostepWsadu::~TPostepWsadu()
{
    Zamknij();
}

void TPostepWsadu::Rozpoczeto(const QString &p_Plik)
{
    std::lock_guard blokada(FBlokada);
    if (FTerminal)
        rysujPasek(p_Plik);
}

void TPostepWsadu::Zakonczono(const QString &p_Plik, const QString &p_Odmowa)
{
    std::lock_guard blokada(FBlokada);
    ++FGotowe;
    if (FTerminal) {
        rysujPasek(p_Plik);
        return;
    }
    QString wynik = p_Odmowa.isEmpty() ? QStringLiteral("OK") : QStringLiteral("odrzucony: ") + p_Odmowa;
    wynik.replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::fprintf(FStrumien, "[%d/%d] %s: %s\n", FGotowe, FRazem, qUtf8Printable(doWypisania(p_Plik)),
                 qUtf8Printable(doWypisania(wynik)));
    std::fflush(FStrumien);
}

void TPostepWsadu::Zamknij()
{
    std::lock_guard blokada(FBlokada);
    if (FPasekNaEkranie) {
        std::fputc('\n', FStrumien);
        std::fflush(FStrumien);
        FPasekNaEkranie = false;
    }
}

void TPostepWsadu::rysujPasek(const QString &p_Plik)
{
    const int pelne = FRazem > 0 ? FGotowe * szerokoscPaska / FRazem : szerokoscPaska;
    const QString pasek = QStringLiteral("[%1%2] %3/%4 ")
                              .arg(QString(pelne, QLatin1Char('#')), QString(szerokoscPaska - pelne, QLatin1Char('.')))
                              .arg(FGotowe)
                              .arg(FRazem);
    // The file's name takes what the line has left, cut from the front.
    const int miejsce = std::max(0, szerokoscTerminala(FStrumien) - 1 - static_cast<int>(pasek.size()));
    QString plik = doWypisania(QFileInfo(p_Plik).fileName());
    if (plik.size() > miejsce)
        plik = miejsce > 1 ? QStringLiteral("…") + plik.right(miejsce - 1) : QString();
    std::fprintf(FStrumien, "\r\033[K%s%s", qUtf8Printable(pasek), qUtf8Printable(plik));
    std::fflush(FStrumien);
    FPasekNaEkranie = true;
}
