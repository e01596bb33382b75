#include "ZglaszanieBledow.h"

#include "Komunikaty.h"
#include "LogBledow.h"
#include "Parametry.h"
#include "WatekGlowny.h"
#include "Wersja.h"

#include <QFileInfo>

#include <atomic>

namespace {

std::atomic<IZapisWyjatku *> zapisWyjatku{nullptr};

QString nazwaPlikuProgramu()
{
    const QString plik = DajNazweModulu();
    return QFileInfo(plik.isEmpty() ? ArgumentyProgramu().value(0) : plik).fileName();
}

} // namespace

void UstawZapisWyjatku(IZapisWyjatku *p_Zapis)
{
    zapisWyjatku = p_Zapis;
}

IZapisWyjatku *DajZapisWyjatku()
{
    return zapisWyjatku;
}

void ZglosBlad(const QString &p_Komunikat, bool p_Pokaz, const QString &p_Naglowek, bool p_Flaga)
{
    if (IZapisWyjatku *zapis = DajZapisWyjatku()) {
        zapis->ZglosBlad(p_Komunikat, p_Pokaz, p_Naglowek, p_Flaga);
        return;
    }
    const QString tekst = p_Naglowek.isEmpty() ? p_Komunikat : p_Naglowek + QLatin1Char('\r') + p_Komunikat;
    ZapiszWyjatekWLogu(tekst, QString(), 0, QDateTime(), true);
    // The custom kind: no icon.
    if (p_Pokaz && !TrybCichy && CzyWatekGlowny())
        PokazKomunikatZTytulem(nazwaPlikuProgramu(), p_Naglowek.isEmpty() ? p_Komunikat : p_Naglowek, mtCustom,
                               mbOKOnly, 0);
}

void ZglosBladFmt(const QString &p_Format, const TArrayOfConst &p_Argumenty, bool p_Flaga,
                  const QString &p_Naglowek, bool p_Pokaz)
{
    ZglosBlad(Format(p_Format, p_Argumenty), p_Pokaz, p_Naglowek, p_Flaga);
}
