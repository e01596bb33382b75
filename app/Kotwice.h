#pragma once

#include <QObject>
#include <QRect>
#include <QSize>
#include <QVector>

class QWidget;

// Delphi-style anchors for controls placed at fixed positions: a control keeps
// its distance to the parent's edges it is anchored to and stretches between
// opposite anchored edges.
class TKotwice : public QObject
{
public:
    enum TKotwica { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

    explicit TKotwice(QObject *p_Wlasciciel) : QObject(p_Wlasciciel) {}

    // Places the control at its design-time rectangle within a parent whose
    // design-time client size is given, and keeps it anchored from then on.
    void Umiesc(QWidget *p_Kontrolka, const QRect &p_Prostokat, const QSize &p_RozmiarRodzica, int p_Kotwice);

protected:
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override;

private:
    struct TPozycja
    {
        QWidget *Kontrolka;
        QRect Prostokat;
        QSize RozmiarRodzica;
        int Kotwice;
    };
    void Przelicz(const TPozycja &p_Pozycja) const;

    QVector<TPozycja> FPozycje;
};
