#include "LkKontrolka.h"

#include <QKeyEvent>
#include <QVector>

QWidget *TSasiedzi::Daj(int p_Indeks) const
{
    if (p_Indeks == ksSam)
        return FWlasciciel;
    if (p_Indeks < 1 || p_Indeks > FOstatni)
        return nullptr;
    return FLinki[p_Indeks];
}

void TSasiedzi::Ustaw(int p_Indeks, QWidget *p_Cel)
{
    if (p_Indeks < 1 || p_Indeks > FOstatni || p_Cel == FWlasciciel || FLinki[p_Indeks] == p_Cel)
        return;
    FLinki[p_Indeks] = p_Cel;
    if (!p_Cel || p_Indeks == ksNastepny)
        return;
    if (auto *cel = dynamic_cast<ILkKontrolka *>(p_Cel); cel && !cel->DajSasiada(5 - p_Indeks))
        cel->UstawSasiada(5 - p_Indeks, FWlasciciel);
}

bool MozeMiecFokus(const QWidget *p_Kontrolka)
{
    if (!p_Kontrolka || !p_Kontrolka->isEnabled() || p_Kontrolka->focusPolicy() == Qt::NoFocus)
        return false;
    const QWidget *okno = p_Kontrolka->window();
    return okno->isVisible() ? p_Kontrolka->isVisible() : p_Kontrolka->isVisibleTo(okno);
}

bool PrzejdzDoSasiada(QWidget *p_Kontrolka, int p_Kierunek)
{
    QWidget *cel = p_Kontrolka;
    if (p_Kontrolka && p_Kierunek != ksSam) {
        QVector<QWidget *> odwiedzone{p_Kontrolka};
        int pominiete = 0;
        cel = nullptr;
        QWidget *biezaca = p_Kontrolka;
        for (;;) {
            auto *kontrolka = dynamic_cast<ILkKontrolka *>(biezaca);
            if (!kontrolka)
                break;
            QWidget *sasiad = kontrolka->DajSasiada(p_Kierunek);
            if (!sasiad || odwiedzone.contains(sasiad)) {
                // A cycle back to the start focuses the start.
                cel = sasiad == p_Kontrolka ? p_Kontrolka : nullptr;
                break;
            }
            if (MozeMiecFokus(sasiad)) {
                cel = sasiad;
                break;
            }
            odwiedzone << sasiad;
            ++pominiete;
            biezaca = sasiad;
        }
        // Moving down from A to B makes A the control above B.
        if (cel && pominiete == 0 && cel != p_Kontrolka && p_Kierunek != ksNastepny)
            if (auto *powrot = dynamic_cast<ILkKontrolka *>(cel))
                powrot->UstawSasiada(5 - p_Kierunek, p_Kontrolka);
    }
    if (!cel || !MozeMiecFokus(cel))
        return false;
    try {
        cel->setFocus(Qt::OtherFocusReason);
    } catch (...) {
        return false;
    }
    return true;
}

bool ZatrzymajPodpowiedzRodzica(QWidget *p_Kontrolka, QEvent *p_Zdarzenie, bool p_NoParentHint)
{
    if (p_Zdarzenie->type() != QEvent::ToolTip || !p_NoParentHint || !p_Kontrolka->toolTip().isEmpty())
        return false;
    p_Zdarzenie->accept();
    return true;
}

bool ObsluzKlawiszSasiada(QWidget *p_Kontrolka, QKeyEvent *p_Zdarzenie,
                          std::initializer_list<std::pair<int, int>> p_Klawisze)
{
    for (const auto &[klawisz, kierunek] : p_Klawisze)
        if (p_Zdarzenie->key() == klawisz) {
            PrzejdzDoSasiada(p_Kontrolka, kierunek);
            p_Zdarzenie->accept();
            return true;
        }
    return false;
}
