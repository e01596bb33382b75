#include "StanyOkien.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QMap<QString, QString> &stany()
{
    static QMap<QString, QString> mapa;
    return mapa;
}

// One axis of DopasujDoObszaru.
void dopasujOs(int &p_Poczatek, int &p_Rozmiar, int p_PoczatekObszaru, int p_RozmiarObszaru)
{
    if (p_Rozmiar > p_RozmiarObszaru) {
        p_Rozmiar = p_RozmiarObszaru;
        p_Poczatek = p_PoczatekObszaru;
    } else if (p_Poczatek < p_PoczatekObszaru) {
        p_Poczatek = p_PoczatekObszaru;
    } else if (p_Poczatek + p_Rozmiar > p_PoczatekObszaru + p_RozmiarObszaru) {
        p_Poczatek = p_PoczatekObszaru + p_RozmiarObszaru - p_Rozmiar;
    }
}

} // namespace

TParyStanu OdczytajStanOkna(const QString &p_Nazwa)
{
    TParyStanu pary;
    for (const QString &para : stany().value(p_Nazwa).split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const qsizetype rowna = para.indexOf(QLatin1Char('='));
        if (rowna > 0)
            pary.insert(para.left(rowna), para.mid(rowna + 1));
    }
    return pary;
}

void ZapamietajStanOkna(const QString &p_Nazwa, const TParyStanu &p_Pary)
{
    QStringList pary;
    for (auto para = p_Pary.cbegin(); para != p_Pary.cend(); ++para)
        pary << para.key() + QLatin1Char('=') + para.value();
    stany().insert(p_Nazwa, pary.join(QLatin1Char('|')));
}

void ZapomnijStanyOkien()
{
    stany().clear();
}

QRect DopasujDoObszaru(const QRect &p_Prostokat, const QRect &p_Obszar)
{
    int x = p_Prostokat.x(), y = p_Prostokat.y(), w = p_Prostokat.width(), h = p_Prostokat.height();
    dopasujOs(x, w, p_Obszar.x(), p_Obszar.width());
    dopasujOs(y, h, p_Obszar.y(), p_Obszar.height());
    return QRect(x, y, w, h);
}

QRect WysrodkujW(const QSize &p_Rozmiar, const QRect &p_Obszar)
{
    return QRect(p_Obszar.x() + (p_Obszar.width() - p_Rozmiar.width()) / 2,
                 p_Obszar.y() + (p_Obszar.height() - p_Rozmiar.height()) / 2, p_Rozmiar.width(), p_Rozmiar.height());
}

QRect ObszarRoboczyEkranu(const QRect &p_Prostokat)
{
    QScreen *najblizszy = QGuiApplication::primaryScreen();
    int najmniej = std::numeric_limits<int>::max();
    for (QScreen *ekran : QGuiApplication::screens()) {
        const QRect obszar = ekran->availableGeometry();
        if (obszar.intersects(p_Prostokat))
            return obszar;
        const QPoint roznica = obszar.center() - p_Prostokat.center();
        if (roznica.manhattanLength() < najmniej) {
            najmniej = roznica.manhattanLength();
            najblizszy = ekran;
        }
    }
    return najblizszy ? najblizszy->availableGeometry() : p_Prostokat;
}
