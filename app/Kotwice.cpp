#include "Kotwice.h"

#include <QEvent>
#include <QWidget>

void TKotwice::Umiesc(QWidget *p_Kontrolka, const QRect &p_Prostokat, const QSize &p_RozmiarRodzica,
                      int p_Kotwice)
{
    FPozycje.append({p_Kontrolka, p_Prostokat, p_RozmiarRodzica, p_Kotwice});
    QWidget *rodzic = p_Kontrolka->parentWidget();
    rodzic->removeEventFilter(this);
    rodzic->installEventFilter(this);
    Przelicz(FPozycje.last());
}

bool TKotwice::eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie)
{
    if (p_Zdarzenie->type() == QEvent::Resize)
        for (const TPozycja &pozycja : std::as_const(FPozycje))
            if (pozycja.Kontrolka->parentWidget() == p_Obiekt)
                Przelicz(pozycja);
    return QObject::eventFilter(p_Obiekt, p_Zdarzenie);
}

void TKotwice::Przelicz(const TPozycja &p_Pozycja) const
{
    const QSize teraz = p_Pozycja.Kontrolka->parentWidget()->size();
    const int dx = teraz.width() - p_Pozycja.RozmiarRodzica.width();
    const int dy = teraz.height() - p_Pozycja.RozmiarRodzica.height();
    QRect r = p_Pozycja.Prostokat;
    const int k = p_Pozycja.Kotwice;

    auto rozciagnij = [](int &poczatek, int &dlugosc, int delta, bool bliska, bool daleka) {
        if (daleka && bliska)
            dlugosc += delta;
        else if (daleka)
            poczatek += delta;
    };
    int x = r.x(), w = r.width(), y = r.y(), h = r.height();
    rozciagnij(x, w, dx, k & akLeft, k & akRight);
    rozciagnij(y, h, dy, k & akTop, k & akBottom);
    p_Pozycja.Kontrolka->setGeometry(x, y, std::max(0, w), std::max(0, h));
}
