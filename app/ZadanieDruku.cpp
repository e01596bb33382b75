#include "ZadanieDruku.h"

#include "KolejkaCUPS.h"
#include "PlikWynikowy.h"


TZadanieDruku::TZadanieDruku(TWidokDokumentu &p_Widok, const TOpisStrony &p_Strona, TUstawieniaDruku p_Ustawienia,
                             QString p_Tytul, QStringList p_Chronione, QObject *p_Rodzic)
    : QObject(p_Rodzic), FWydruk(p_Widok), FStrona(p_Strona), FUstawienia(std::move(p_Ustawienia)),
      FTytul(std::move(p_Tytul)), FChronione(std::move(p_Chronione))
{
    connect(&FWydruk, &TWydrukPDF::Gotowe, this, &TZadanieDruku::pdfGotowy);
}

TZadanieDruku::~TZadanieDruku()
{
    if (FWysylanie.joinable())
        FWysylanie.join();
}

void TZadanieDruku::Uruchom()
{
    FWydruk.Drukuj(UkladWydruku(FStrona, FUstawienia.Papier, FUstawienia.Orientacja), FUstawienia.Strony);
}

void TZadanieDruku::pdfGotowy(const QByteArray &p_Pdf, const QString &p_Blad)
{
    if (!p_Blad.isEmpty()) {
        emit Zakonczone(p_Blad);
        return;
    }
    // A queue may be slow to answer and a file is synced to disk: neither
    // may freeze the window meanwhile.
    FWysylanie = std::thread([this, p_Pdf] {
        QString blad;
        if (FUstawienia.Kolejka.isEmpty())
            ZapiszPlikWynikowy(FUstawienia.PlikWyjsciowy, p_Pdf, FChronione, blad);
        else
            WyslijDoCUPS(FUstawienia.Kolejka, p_Pdf, FTytul, OpcjeCUPS(FUstawienia), blad);
        QMetaObject::invokeMethod(this, [this, blad] { emit Zakonczone(blad); }, Qt::QueuedConnection);
    });
}
